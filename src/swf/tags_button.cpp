#include "swf/tags_button.h"

#include <algorithm>
#include <span>
#include <string>

#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"
#include "swf/filter_list.h"

namespace orvanta {

namespace {

constexpr uint8_t kRecordHasBlendMode = 0x20;
constexpr uint8_t kRecordHasFilterList = 0x10;

// File order of the state nibble, from its high bit: HitTest, Down, Over, Up.
uint8_t StateNibble(uint8_t states) {
  return static_cast<uint8_t>(
      ((states & kButtonStateHitTest) ? 8 : 0) | ((states & kButtonStateDown) ? 4 : 0) |
      ((states & kButtonStateOver) ? 2 : 0) | ((states & kButtonStateUp) ? 1 : 0));
}

uint8_t StatesFromNibble(uint8_t nibble) {
  return static_cast<uint8_t>(
      ((nibble & 8) ? kButtonStateHitTest : 0) | ((nibble & 4) ? kButtonStateDown : 0) |
      ((nibble & 2) ? kButtonStateOver : 0) | ((nibble & 1) ? kButtonStateUp : 0));
}

// Length of the action records at the start of Bytes up to the end flag (a zero code byte),
// found by walking the records so that a zero inside an action's data is not taken for it. The
// whole span when no end flag is found.
size_t ActionRecordsLength(std::span<const uint8_t> bytes) {
  size_t pos = 0;
  while (pos < bytes.size()) {
    uint8_t code = bytes[pos];
    if (code == 0) return pos;
    if (code < 0x80) {
      ++pos;
      continue;
    }
    if (bytes.size() - pos < 3) return bytes.size();
    size_t length = bytes[pos + 1] | (size_t{bytes[pos + 2]} << 8);
    if (length > bytes.size() - pos - 3) return bytes.size();
    pos += 3 + length;
  }
  return bytes.size();
}

void PatchWord(TBitsEngine& Engine, uint64_t at, uint16_t value) {
  TStream& stream = Engine.Stream();
  uint64_t back = stream.Position();
  stream.SetPosition(at);
  Engine.WriteWord(value);
  stream.SetPosition(back);
}

// File order of the first condition byte, from its high bit.
constexpr TSWFButtonCondition kConditionByteOrder[8] = {
    kCondIdleToOverDown,   kCondOutDownToIdle,    kCondOutDownToOverDown, kCondOverDownToOutDown,
    kCondOverDownToOverUp, kCondOverUpToOverDown, kCondOverUpToIdle,      kCondIdleToOverUp,
};

}  // namespace

// ---- Button record ----

TSWFButtonRecord::TSWFButtonRecord() = default;
TSWFButtonRecord::~TSWFButtonRecord() = default;

TSWFColorTransform& TSWFButtonRecord::ColorTransform() {
  if (!colorTransform_) {
    colorTransform_ = std::make_unique<TSWFColorTransform>();
    colorTransform_->HasAlpha = true;
  }
  HasColorTransform = true;
  return *colorTransform_;
}

TSWFMatrix& TSWFButtonRecord::PlaceMatrix() {
  if (!placeMatrix_) placeMatrix_ = std::make_unique<TSWFMatrix>();
  return *placeMatrix_;
}

TSWFFilterList& TSWFButtonRecord::FilterList() {
  if (!filterList_) filterList_ = std::make_unique<TSWFFilterList>();
  ButtonHasFilterList = true;
  return *filterList_;
}

void TSWFButtonRecord::Assign(const TSWFButtonRecord& Source) {
  BlendMode = Source.BlendMode;
  ButtonHasBlendMode = Source.ButtonHasBlendMode;
  ButtonHasFilterList = Source.ButtonHasFilterList;
  States = Source.States;
  CharacterID = Source.CharacterID;
  PlaceDepth = Source.PlaceDepth;
  HasColorTransform = Source.HasColorTransform;
  colorTransform_.reset();
  if (Source.colorTransform_)
    colorTransform_ = std::make_unique<TSWFColorTransform>(*Source.colorTransform_);
  placeMatrix_.reset();
  if (Source.placeMatrix_) placeMatrix_ = std::make_unique<TSWFMatrix>(*Source.placeMatrix_);
  filterList_.reset();
  if (Source.filterList_) {
    filterList_ = std::make_unique<TSWFFilterList>();
    filterList_->Assign(*Source.filterList_);
  }
}

uint8_t TSWFButtonRecord::FlagsByte(bool button2) const {
  uint8_t flags = StateNibble(States);
  if (button2) {
    if (ButtonHasBlendMode) flags |= kRecordHasBlendMode;
    if (ButtonHasFilterList) flags |= kRecordHasFilterList;
  }
  return flags;
}

void TSWFButtonRecord::WriteToStream(TBitsEngine& Engine, bool button2) const {
  Engine.WriteByte(FlagsByte(button2));
  Engine.WriteWord(CharacterID);
  Engine.WriteWord(PlaceDepth);
  Engine.WriteMatrix(placeMatrix_ ? *placeMatrix_ : TSWFMatrix());
  if (!button2) return;
  TSWFColorTransform transform;
  if (colorTransform_) transform = *colorTransform_;
  transform.HasAlpha = true;
  Engine.WriteColorTransform(transform);
  if (ButtonHasFilterList) {
    if (filterList_) {
      filterList_->WriteToStream(Engine);
    } else {
      Engine.WriteByte(0);  // an empty list: its count
    }
  }
  if (ButtonHasBlendMode) Engine.WriteByte(BlendMode);
}

void TSWFButtonRecord::ReadFromStream(TBitsEngine& Engine, uint8_t flags, bool button2) {
  States = StatesFromNibble(flags & 0x0F);
  CharacterID = Engine.ReadWord();
  PlaceDepth = Engine.ReadWord();
  PlaceMatrix() = Engine.ReadMatrix();
  if (!button2) return;
  ButtonHasBlendMode = (flags & kRecordHasBlendMode) != 0;
  ButtonHasFilterList = (flags & kRecordHasFilterList) != 0;
  ColorTransform() = Engine.ReadColorTransform(true);
  if (ButtonHasFilterList) FilterList().ReadFromStream(Engine);
  if (ButtonHasBlendMode) BlendMode = Engine.ReadByte();
}

// ---- Common button base ----

TSWFBasedButton::~TSWFBasedButton() = default;

TSWFButtonRecord& TSWFBasedButton::AddRecord() {
  Characters.push_back(std::make_unique<TSWFButtonRecord>());
  return *Characters.back();
}

void TSWFBasedButton::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFBasedButton&>(Source);
  ButtonId = source.ButtonId;
  ParseActions = source.ParseActions;
  Characters.clear();
  for (const auto& record : source.Characters) AddRecord().Assign(*record);
}

void TSWFBasedButton::ReadRecords(TBitsEngine& Engine, bool button2) {
  Characters.clear();
  TStream& stream = Engine.Stream();
  while (stream.Remaining() > 0) {
    uint8_t flags = Engine.ReadByte();
    if (flags == 0) break;
    AddRecord().ReadFromStream(Engine, flags, button2);
  }
}

void TSWFBasedButton::WriteRecords(TBitsEngine& Engine, bool button2) const {
  for (const auto& record : Characters) {
    // A record shown in no state, without the extra flags, would read as the end of the list
    // and take the records after it along.
    if (record->FlagsByte(button2) == 0) continue;
    record->WriteToStream(Engine, button2);
  }
  Engine.WriteByte(0);  // CharacterEndFlag
}

void TSWFBasedButton::ReadActionBlock(TBitsEngine& Engine, TSWFActionList& List,
                                      uint64_t budget) const {
  TStream& stream = Engine.Stream();
  budget = std::min(budget, stream.Remaining());
  if (budget == 0) return;
  // Actions are decoded from a copy, so that none can read past its block.
  std::vector<uint8_t> bytes(static_cast<size_t>(budget));
  const uint64_t start = stream.Position();
  Engine.ReadBuffer(bytes.data(), bytes.size());
  size_t used;
  if (ParseActions) {
    TMemoryStream block(bytes);
    TBitsEngine blockEngine(block);
    ReadActionList(blockEngine, List, static_cast<uint32_t>(bytes.size()));
    used = static_cast<size_t>(block.Position());
  } else {
    size_t length = ActionRecordsLength(bytes);
    used = std::min(length + 1, bytes.size());
    bytes.resize(length);
    if (!bytes.empty()) List.AddRawBytes(std::move(bytes));
  }
  stream.SetPosition(start + used);
}

// ---- DefineButton ----

void TSWFDefineButton::Assign(const TBasedSWFObject& Source) {
  TSWFBasedButton::Assign(Source);
  Actions.Clear();
  CopyActionList(dynamic_cast<const TSWFDefineButton&>(Source).Actions, Actions);
}

int TSWFDefineButton::MinVersion() const {
  return std::max(3, Actions.MinVersion());
}

void TSWFDefineButton::ReadFromStream(TBitsEngine& Engine) {
  ButtonId = Engine.ReadWord();
  ReadRecords(Engine, false);
  Actions.Clear();
  ReadActionBlock(Engine, Actions, Engine.Stream().Remaining());
}

void TSWFDefineButton::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(ButtonId);
  WriteRecords(Engine, false);
  Actions.WriteToStream(Engine);
  Engine.WriteByte(0);  // ActionEndFlag
}

// ---- DefineButton2 ----

void TSWFButtonCondAction::Assign(const TSWFButtonCondAction& Source) {
  Conditions = Source.Conditions;
  KeyCode = Source.KeyCode;
  Clear();
  CopyActionList(Source, *this);
}

uint16_t TSWFButtonCondAction::ConditionWord() const {
  uint16_t high = 0;
  for (unsigned bit = 0; bit < 8; ++bit)
    if (Conditions[kConditionByteOrder[bit]]) high |= static_cast<uint16_t>(0x80u >> bit);
  uint16_t low =
      static_cast<uint16_t>(((KeyCode & 0x7F) << 1) | (Conditions[kCondOverDownToIdle] ? 1 : 0));
  return static_cast<uint16_t>(high << 8 | low);
}

void TSWFButtonCondAction::SetConditionWord(uint16_t word) {
  Conditions.reset();
  for (unsigned bit = 0; bit < 8; ++bit)
    Conditions[kConditionByteOrder[bit]] = ((word >> 8) & (0x80u >> bit)) != 0;
  Conditions[kCondOverDownToIdle] = (word & 1) != 0;
  KeyCode = static_cast<uint8_t>((word >> 1) & 0x7F);
}

TSWFButtonCondAction& TSWFDefineButton2::AddCondAction(TSWFButtonConditions conditions) {
  Actions.push_back(std::make_unique<TSWFButtonCondAction>());
  Actions.back()->Conditions = conditions;
  return *Actions.back();
}

void TSWFDefineButton2::Assign(const TBasedSWFObject& Source) {
  TSWFBasedButton::Assign(Source);
  auto& source = dynamic_cast<const TSWFDefineButton2&>(Source);
  TrackAsMenu = source.TrackAsMenu;
  Actions.clear();
  for (const auto& action : source.Actions) AddCondAction({}).Assign(*action);
}

int TSWFDefineButton2::MinVersion() const {
  int version = 3;
  for (const auto& action : Actions) version = std::max(version, action->MinVersion());
  // Filters and blend modes on button records came with version 8.
  for (const auto& record : Characters)
    if (record->ButtonHasBlendMode || record->ButtonHasFilterList) version = std::max(version, 8);
  return version;
}

void TSWFDefineButton2::ReadFromStream(TBitsEngine& Engine) {
  TStream& stream = Engine.Stream();
  const uint64_t end = stream.Position() + std::min<uint64_t>(BodySize, stream.Remaining());
  ButtonId = Engine.ReadWord();
  TrackAsMenu = (Engine.ReadByte() & 1) != 0;
  uint16_t actionOffset = Engine.ReadWord();
  ReadRecords(Engine, true);
  Actions.clear();
  if (actionOffset == 0) return;
  while (stream.Position() < end) {
    const uint64_t start = stream.Position();
    uint16_t size = Engine.ReadWord();
    uint16_t conditions = Engine.ReadWord();
    // The size word and the condition bytes are read as one word above, low byte first; the
    // conditions are stored high byte first.
    conditions = static_cast<uint16_t>((conditions & 0xFF) << 8 | conditions >> 8);
    uint64_t limit = end;
    if (size != 0) {
      if (size < 4 || size > end - start)
        throw FormatError("a button condition action of button " + std::to_string(ButtonId) +
                          " declares " + std::to_string(size) + " bytes, but " +
                          std::to_string(end - start) + " remain and 4 are its header");
      limit = start + size;
    }
    TSWFButtonCondAction& action = AddCondAction({});
    action.SetConditionWord(conditions);
    ReadActionBlock(Engine, action, limit - stream.Position());
    if (size == 0) break;
    stream.SetPosition(limit);
  }
}

void TSWFDefineButton2::WriteTagBody(TBitsEngine& Engine) {
  TStream& stream = Engine.Stream();
  Engine.WriteWord(ButtonId);
  Engine.WriteByte(TrackAsMenu ? 1 : 0);
  const uint64_t offsetAt = stream.Position();
  Engine.WriteWord(0);  // ActionOffset, patched below
  WriteRecords(Engine, true);
  if (Actions.empty()) return;
  PatchWord(Engine, offsetAt, static_cast<uint16_t>(stream.Position() - offsetAt));
  for (size_t i = 0; i < Actions.size(); ++i) {
    const TSWFButtonCondAction& action = *Actions[i];
    const uint64_t start = stream.Position();
    Engine.WriteWord(0);  // CondActionSize, patched below except for the last
    uint16_t conditions = action.ConditionWord();
    Engine.WriteByte(static_cast<uint8_t>(conditions >> 8));
    Engine.WriteByte(static_cast<uint8_t>(conditions));
    action.WriteToStream(Engine);
    Engine.WriteByte(0);  // ActionEndFlag
    if (i + 1 < Actions.size())
      PatchWord(Engine, start, static_cast<uint16_t>(stream.Position() - start));
  }
}

// ---- DefineButtonCxform ----

void TSWFDefineButtonCxform::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFDefineButtonCxform&>(Source);
  ButtonId = source.ButtonId;
  ButtonColorTransform = source.ButtonColorTransform;
  TrailingData = source.TrailingData;
}

void TSWFDefineButtonCxform::ReadFromStream(TBitsEngine& Engine) {
  const uint64_t start = Engine.Stream().Position();
  ButtonId = Engine.ReadWord();
  ButtonColorTransform = Engine.ReadColorTransform(false);
  const uint64_t used = Engine.Stream().Position() - start;
  const uint64_t rest = used < BodySize ? BodySize - used : 0;
  Engine.RequireBytes(rest);
  TrailingData.assign(static_cast<size_t>(rest), 0);
  Engine.ReadBuffer(TrailingData.data(), TrailingData.size());
}

void TSWFDefineButtonCxform::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(ButtonId);
  // This tag has no room for alpha terms, whatever the transform holds.
  TSWFColorTransform noAlpha = ButtonColorTransform;
  noAlpha.HasAlpha = false;
  Engine.WriteColorTransform(noAlpha);
  Engine.WriteBuffer(TrailingData.data(), TrailingData.size());
}

}  // namespace orvanta
