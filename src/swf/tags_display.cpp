#include "swf/tags_display.h"

#include <algorithm>

#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"
#include "swf/filter_list.h"
#include "swf/tag_factory.h"
#include "swf/tags_control.h"
#include "swf/tags_data.h"

namespace orvanta {

// ---- RemoveObject / RemoveObject2 ----

void TSWFRemoveObject::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFRemoveObject&>(Source);
  CharacterId = source.CharacterId;
  Depth = source.Depth;
}

void TSWFRemoveObject::ReadFromStream(TBitsEngine& Engine) {
  CharacterId = Engine.ReadWord();
  Depth = Engine.ReadWord();
}

void TSWFRemoveObject::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(CharacterId);
  Engine.WriteWord(Depth);
}

void TSWFRemoveObject2::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  Depth = dynamic_cast<const TSWFRemoveObject2&>(Source).Depth;
}

void TSWFRemoveObject2::ReadFromStream(TBitsEngine& Engine) {
  Depth = Engine.ReadWord();
}

void TSWFRemoveObject2::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(Depth);
}

// ---- PlaceObject ----

void TSWFBasedPlaceObject::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFBasedPlaceObject&>(Source);
  CharacterId = source.CharacterId;
  Depth = source.Depth;
}

void TSWFPlaceObject::Assign(const TBasedSWFObject& Source) {
  TSWFBasedPlaceObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFPlaceObject&>(Source);
  Matrix.Assign(source.Matrix);
  ColorTransform.Assign(source.ColorTransform);
  HasColorTransform = source.HasColorTransform;
}

bool TSWFPlaceObject::WritesColorTransform() const {
  return HasColorTransform || ColorTransform.HasAdd || ColorTransform.HasMult;
}

void TSWFPlaceObject::ReadFromStream(TBitsEngine& Engine) {
  uint64_t start = Engine.Stream().Position();
  CharacterId = Engine.ReadWord();
  Depth = Engine.ReadWord();
  Matrix = Engine.ReadMatrix();
  HasColorTransform = Engine.Stream().Position() - start < BodySize;
  if (HasColorTransform) ColorTransform = Engine.ReadColorTransform(false);
}

void TSWFPlaceObject::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(CharacterId);
  Engine.WriteWord(Depth);
  Engine.WriteMatrix(Matrix);
  if (WritesColorTransform()) {
    // This tag has no room for alpha terms, whatever the transform holds.
    TSWFColorTransform noAlpha = ColorTransform;
    noAlpha.HasAlpha = false;
    Engine.WriteColorTransform(noAlpha);
  }
}

// ---- Clip actions ----

namespace {

// Events 0..15 fill the first two bytes, most significant bit first. From SWF 6 on a third
// byte carries five reserved bits, Construct, KeyPress and DragOut, and a fourth is reserved.
void WriteEventFlags(TBitsEngine& Engine, const TSWFClipEventFlags& flags, bool wide) {
  uint16_t low = 0;
  for (unsigned i = 0; i < 16; ++i)
    if (flags[i]) low |= static_cast<uint16_t>(0x8000u >> i);
  Engine.WriteByte(static_cast<uint8_t>(low >> 8));
  Engine.WriteByte(static_cast<uint8_t>(low));
  if (!wide) return;
  uint8_t high = static_cast<uint8_t>((flags[kClipEventConstruct] ? 4 : 0) |
                                      (flags[kClipEventKeyPress] ? 2 : 0) |
                                      (flags[kClipEventDragOut] ? 1 : 0));
  Engine.WriteByte(high);
  Engine.WriteByte(0);
}

// Reads a flags field; WireNonZero tells whether any bit of it was set, reserved bits included
// (a zero field ends the record list).
TSWFClipEventFlags ReadEventFlags(TBitsEngine& Engine, bool wide, bool& wireNonZero) {
  uint8_t bytes[4] = {0, 0, 0, 0};
  Engine.ReadBuffer(bytes, wide ? 4 : 2);
  wireNonZero = (bytes[0] | bytes[1] | bytes[2] | bytes[3]) != 0;
  TSWFClipEventFlags flags;
  uint16_t low = static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
  for (unsigned i = 0; i < 16; ++i) flags[i] = (low & (0x8000u >> i)) != 0;
  flags[kClipEventConstruct] = (bytes[2] & 4) != 0;
  flags[kClipEventKeyPress] = (bytes[2] & 2) != 0;
  flags[kClipEventDragOut] = (bytes[2] & 1) != 0;
  return flags;
}

const TSWFClipEventFlags kWideOnlyEvents =
    ClipEvents({kClipEventConstruct, kClipEventKeyPress, kClipEventDragOut});

}  // namespace

void TSWFClipActionRecord::SetKeyCode(uint8_t code) {
  keyCode_ = code;
  EventFlags[kClipEventKeyPress] = code != 0;
}

void TSWFClipActionRecord::Assign(const TSWFClipActionRecord& Source) {
  EventFlags = Source.EventFlags;
  keyCode_ = Source.keyCode_;
  Actions.Clear();
  CopyActionList(Source.Actions, Actions);
}

TSWFClipActionRecord& TSWFClipActions::AddRecord(TSWFClipEventFlags eventFlags, uint8_t keyCode) {
  auto record = std::make_unique<TSWFClipActionRecord>();
  record->EventFlags = eventFlags;
  if (keyCode != 0) record->SetKeyCode(keyCode);
  AllEventFlags |= record->EventFlags;
  Records.push_back(std::move(record));
  return *Records.back();
}

void TSWFClipActions::Assign(const TSWFClipActions& Source) {
  AllEventFlags = Source.AllEventFlags;
  Records.clear();
  for (const auto& record : Source.Records) {
    auto copy = std::make_unique<TSWFClipActionRecord>();
    copy->Assign(*record);
    Records.push_back(std::move(copy));
  }
}

bool TSWFClipActions::HasWritableRecords() const {
  return std::any_of(Records.begin(), Records.end(),
                     [](const auto& record) { return record->EventFlags.any(); });
}

bool TSWFClipActions::NeedsWideEvents() const {
  if ((AllEventFlags & kWideOnlyEvents).any()) return true;
  return std::any_of(Records.begin(), Records.end(), [](const auto& record) {
    return (record->EventFlags & kWideOnlyEvents).any();
  });
}

void TSWFClipActions::ReadFromStream(TBitsEngine& Engine, int eventVersion, bool parseActions,
                                     uint64_t end) {
  TStream& stream = Engine.Stream();
  const bool wide = eventVersion >= 6;
  Records.clear();
  Engine.ReadWord();  // reserved
  bool nonZero = false;
  AllEventFlags = ReadEventFlags(Engine, wide, nonZero);
  const uint64_t flagsSize = wide ? 4 : 2;
  for (;;) {
    // Some files end the tag where the end marker should be; the list ends there too.
    if (stream.Position() > end || end - stream.Position() < flagsSize) break;
    TSWFClipEventFlags flags = ReadEventFlags(Engine, wide, nonZero);
    if (!nonZero) break;
    uint32_t size = Engine.ReadDWord();
    uint64_t at = stream.Position();
    if (at > end || size > end - at)
      throw StreamError("a clip action record declares " + std::to_string(size) +
                        " bytes, more than its tag holds");
    Engine.RequireBytes(size);

    auto record = std::make_unique<TSWFClipActionRecord>();
    record->EventFlags = flags;
    uint32_t actionBytes = size;
    if (flags[kClipEventKeyPress]) {
      if (size == 0) throw FormatError("a KeyPress clip action record has no room for its key");
      record->keyCode_ = Engine.ReadByte();
      --actionBytes;
    }
    std::vector<uint8_t> bytes(actionBytes);
    Engine.ReadBuffer(bytes.data(), bytes.size());
    if (parseActions) {
      // Decoded from a copy, so that no action can read beyond its own record.
      TMemoryStream actionStream(std::move(bytes));
      TBitsEngine actionEngine(actionStream);
      ReadActionList(actionEngine, record->Actions, actionBytes);
    } else {
      record->Actions.AddRawBytes(std::move(bytes));
    }
    Records.push_back(std::move(record));
  }
}

void TSWFClipActions::WriteToStream(TBitsEngine& Engine, int eventVersion) const {
  const bool wide = eventVersion >= 6;
  TSWFClipEventFlags all = AllEventFlags;
  for (const auto& record : Records) all |= record->EventFlags;
  Engine.WriteWord(0);  // reserved
  WriteEventFlags(Engine, all, wide);
  for (const auto& record : Records) {
    // A record without events would read as the end of the list.
    if (record->EventFlags.none()) continue;
    WriteEventFlags(Engine, record->EventFlags, wide);
    TMemoryStream tail;
    TBitsEngine tailEngine(tail);
    if (record->EventFlags[kClipEventKeyPress]) tailEngine.WriteByte(record->keyCode_);
    record->Actions.WriteToStream(tailEngine);
    if (record->Actions.NeedsEndFlag()) tailEngine.WriteByte(0);
    Engine.WriteDWord(static_cast<uint32_t>(tail.Size()));
    Engine.WriteBuffer(tail.Bytes().data(), tail.Bytes().size());
  }
  if (wide)
    Engine.WriteDWord(0);
  else
    Engine.WriteWord(0);
}

// ---- PlaceObject2 ----

TSWFPlaceObject2::TSWFPlaceObject2() : TSWFBasedPlaceObject(26) {}

TSWFPlaceObject2::TSWFPlaceObject2(uint16_t code) : TSWFBasedPlaceObject(code) {}

TSWFPlaceObject2::~TSWFPlaceObject2() = default;

TSWFClipActions& TSWFPlaceObject2::ClipActions() {
  if (!clipActions_) clipActions_ = std::make_unique<TSWFClipActions>();
  HasClipActions = true;
  return *clipActions_;
}

TSWFColorTransform& TSWFPlaceObject2::ColorTransform() {
  if (!colorTransform_) {
    colorTransform_ = std::make_unique<TSWFColorTransform>();
    colorTransform_->HasAlpha = true;
  }
  HasColorTransform = true;
  return *colorTransform_;
}

TSWFMatrix& TSWFPlaceObject2::Matrix() {
  if (!matrix_) matrix_ = std::make_unique<TSWFMatrix>();
  HasMatrix = true;
  return *matrix_;
}

void TSWFPlaceObject2::SetCharacterId(uint16_t id) {
  CharacterId = id;
  PlaceFlagHasCharacter = true;
}

void TSWFPlaceObject2::SetClipDepth(uint16_t depth) {
  ClipDepth = depth;
  HasClipDepth = true;
}

void TSWFPlaceObject2::SetName(const std::string& name) {
  Name = name;
  HasName = !name.empty();
}

void TSWFPlaceObject2::SetRatio(uint16_t ratio) {
  Ratio = ratio;
  HasRatio = true;
}

bool TSWFPlaceObject2::WritesClipActions() const {
  return HasClipActions && clipActions_ && clipActions_->HasWritableRecords();
}

int TSWFPlaceObject2::ClipEventVersion() const {
  if (EventVersion >= 6) return EventVersion;
  // KeyPress, Construct and DragOut have no bit in the 16-bit form: writing them narrow would
  // lose them (and leave a key code byte the reader does not expect).
  return clipActions_ && clipActions_->NeedsWideEvents() ? 6 : 5;
}

void TSWFPlaceObject2::Assign(const TBasedSWFObject& Source) {
  TSWFBasedPlaceObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFPlaceObject2&>(Source);
  ClipDepth = source.ClipDepth;
  Name = source.Name;
  ParseActions = source.ParseActions;
  PlaceFlagHasCharacter = source.PlaceFlagHasCharacter;
  HasClipActions = source.HasClipActions;
  HasClipDepth = source.HasClipDepth;
  HasColorTransform = source.HasColorTransform;
  HasMatrix = source.HasMatrix;
  HasName = source.HasName;
  HasRatio = source.HasRatio;
  PlaceFlagMove = source.PlaceFlagMove;
  Ratio = source.Ratio;
  EventVersion = source.EventVersion;
  clipActions_.reset();
  if (source.clipActions_) {
    clipActions_ = std::make_unique<TSWFClipActions>();
    clipActions_->Assign(*source.clipActions_);
  }
  colorTransform_.reset();
  if (source.colorTransform_)
    colorTransform_ = std::make_unique<TSWFColorTransform>(*source.colorTransform_);
  matrix_.reset();
  if (source.matrix_) matrix_ = std::make_unique<TSWFMatrix>(*source.matrix_);
}

int TSWFPlaceObject2::MinVersion() const {
  return WritesClipActions() ? std::max(3, ClipEventVersion()) : 3;
}

void TSWFPlaceObject2::ReadTail3(TBitsEngine&) {}
void TSWFPlaceObject2::ReadFlags3(TBitsEngine&) {}
void TSWFPlaceObject2::WriteFlags3(TBitsEngine&) {}
void TSWFPlaceObject2::WriteTail3(TBitsEngine&) {}
void TSWFPlaceObject2::ReadClassName3(TBitsEngine&) {}
void TSWFPlaceObject2::WriteClassName3(TBitsEngine&) {}

void TSWFPlaceObject2::TakeTimelineContext(const TTimelineContext& Context) {
  EventVersion = Context.EventVersion;
  ParseActions = Context.ParseActions;
}

void TSWFPlaceObject2::ReadFromStream(TBitsEngine& Engine) {
  TStream& stream = Engine.Stream();
  const uint64_t end = stream.Position() + std::min<uint64_t>(BodySize, stream.Remaining());
  uint8_t flags = Engine.ReadByte();
  HasClipActions = (flags & 0x80) != 0;
  HasClipDepth = (flags & 0x40) != 0;
  HasName = (flags & 0x20) != 0;
  HasRatio = (flags & 0x10) != 0;
  HasColorTransform = (flags & 0x08) != 0;
  HasMatrix = (flags & 0x04) != 0;
  PlaceFlagHasCharacter = (flags & 0x02) != 0;
  PlaceFlagMove = (flags & 0x01) != 0;
  ReadFlags3(Engine);
  Depth = Engine.ReadWord();
  ReadClassName3(Engine);
  if (PlaceFlagHasCharacter) CharacterId = Engine.ReadWord();
  if (HasMatrix) Matrix() = Engine.ReadMatrix();
  if (HasColorTransform) ColorTransform() = Engine.ReadColorTransform(true);
  if (HasRatio) Ratio = Engine.ReadWord();
  if (HasName) Name = Engine.ReadString();
  if (HasClipDepth) ClipDepth = Engine.ReadWord();
  ReadTail3(Engine);
  if (HasClipActions) {
    ClipActions().ReadFromStream(Engine, EventVersion, ParseActions, end);
    if (clipActions_->Count() == 0) HasClipActions = false;
  }
  if (stream.Position() < end) stream.SetPosition(end);
}

void TSWFPlaceObject2::WriteTagBody(TBitsEngine& Engine) {
  const bool clipActions = WritesClipActions();
  if (clipActions) EventVersion = ClipEventVersion();
  Engine.WriteBit(clipActions);
  Engine.WriteBit(HasClipDepth);
  Engine.WriteBit(HasName);
  Engine.WriteBit(HasRatio);
  Engine.WriteBit(HasColorTransform);
  Engine.WriteBit(HasMatrix);
  Engine.WriteBit(PlaceFlagHasCharacter);
  Engine.WriteBit(PlaceFlagMove);
  WriteFlags3(Engine);
  Engine.WriteWord(Depth);
  WriteClassName3(Engine);
  if (PlaceFlagHasCharacter) Engine.WriteWord(CharacterId);
  if (HasMatrix) Engine.WriteMatrix(matrix_ ? *matrix_ : TSWFMatrix());
  if (HasColorTransform) {
    // The record here always has alpha terms: a transform set up without them leaves alpha
    // alone, rather than shifting every following field for the player.
    TSWFColorTransform transform = colorTransform_ ? *colorTransform_ : TSWFColorTransform();
    if (!transform.HasAlpha) {
      transform.HasAlpha = true;
      transform.AlphaMult = 256;
      transform.AlphaAdd = 0;
    }
    Engine.WriteColorTransform(transform);
  }
  if (HasRatio) Engine.WriteWord(Ratio);
  if (HasName) Engine.WriteString(Name);
  if (HasClipDepth) Engine.WriteWord(ClipDepth);
  WriteTail3(Engine);
  if (clipActions) clipActions_->WriteToStream(Engine, EventVersion);
}

// ---- PlaceObject3 ----

namespace {
constexpr uint8_t kHasOpaqueBackgroundFlag = 0x40;
constexpr uint8_t kHasVisibleFlag = 0x20;
constexpr uint8_t kHasImageFlag = 0x10;
constexpr uint8_t kHasClassNameFlag = 0x08;
constexpr uint8_t kHasCacheAsBitmapFlag = 0x04;
constexpr uint8_t kHasBlendModeFlag = 0x02;
constexpr uint8_t kHasFilterListFlag = 0x01;
}  // namespace

TSWFPlaceObject3::TSWFPlaceObject3() : TSWFPlaceObject2(70) {
  EventVersion = 8;
}

TSWFPlaceObject3::~TSWFPlaceObject3() = default;

TSWFFilterList& TSWFPlaceObject3::FilterList() {
  if (!filterList_) filterList_ = std::make_unique<TSWFFilterList>();
  HasFilterList = true;
  return *filterList_;
}

void TSWFPlaceObject3::SetClassName(const std::string& name) {
  ClassName = name;
  HasClassName = !name.empty();
}

bool TSWFPlaceObject3::WritesFilterList() const {
  return HasFilterList && filterList_ && filterList_->Count() > 0;
}

// Only the class-name flag brings a name: files from Flash place images (HasImage with a
// character) without one, and reading a name there would take the character id for it.
bool TSWFPlaceObject3::WritesClassName() const {
  return HasClassName;
}

void TSWFPlaceObject3::Assign(const TBasedSWFObject& Source) {
  TSWFPlaceObject2::Assign(Source);
  auto& source = dynamic_cast<const TSWFPlaceObject3&>(Source);
  BlendMode = source.BlendMode;
  HasCacheAsBitmap = source.HasCacheAsBitmap;
  BitmapCache = source.BitmapCache;
  HasBlendMode = source.HasBlendMode;
  HasFilterList = source.HasFilterList;
  WriteAsPlaceObject2 = source.WriteAsPlaceObject2;
  HasImage = source.HasImage;
  HasClassName = source.HasClassName;
  ClassName = source.ClassName;
  HasVisible = source.HasVisible;
  Visible = source.Visible;
  HasOpaqueBackground = source.HasOpaqueBackground;
  BackgroundColor = source.BackgroundColor;
  filterList_.reset();
  if (source.filterList_) {
    filterList_ = std::make_unique<TSWFFilterList>();
    filterList_->Assign(*source.filterList_);
  }
}

int TSWFPlaceObject3::MinVersion() const {
  int own = WriteAsPlaceObject2                 ? 3
            : HasVisible || HasOpaqueBackground ? 11
            : HasClassName || HasImage          ? 9
                                                : 8;
  return std::max(own, TSWFPlaceObject2::MinVersion());
}

uint16_t TSWFPlaceObject3::HeaderCode() const {
  return WriteAsPlaceObject2 ? 26 : TagID;
}

void TSWFPlaceObject3::ReadFlags3(TBitsEngine& Engine) {
  uint8_t flags = Engine.ReadByte();
  // The image and class-name bits mean something only from SWF 9 on.
  bool classes = EventVersion >= 9;
  HasImage = classes && (flags & kHasImageFlag) != 0;
  HasClassName = classes && (flags & kHasClassNameFlag) != 0;
  HasCacheAsBitmap = (flags & kHasCacheAsBitmapFlag) != 0;
  HasBlendMode = (flags & kHasBlendModeFlag) != 0;
  HasFilterList = (flags & kHasFilterListFlag) != 0;
  HasVisible = (flags & kHasVisibleFlag) != 0;
  HasOpaqueBackground = (flags & kHasOpaqueBackgroundFlag) != 0;
}

void TSWFPlaceObject3::ReadClassName3(TBitsEngine& Engine) {
  if (WritesClassName()) ClassName = Engine.ReadString();
}

bool TSWFPlaceObject3::HasBitmapCacheByte(bool clipActionsFollow) const {
  return HasCacheAsBitmap && (!clipActionsFollow || EventVersion >= 10);
}

void TSWFPlaceObject3::ReadTail3(TBitsEngine& Engine) {
  if (HasFilterList) FilterList().ReadFromStream(Engine);
  if (HasBlendMode) BlendMode = Engine.ReadByte();
  if (HasBitmapCacheByte(HasClipActions) && Engine.Stream().Remaining() > 0)
    BitmapCache = Engine.ReadByte();
  if (HasVisible) Visible = Engine.ReadByte();
  if (HasOpaqueBackground) BackgroundColor.SetRGBA(Engine.ReadRawDWord());
}

void TSWFPlaceObject3::WriteFlags3(TBitsEngine& Engine) {
  if (WriteAsPlaceObject2) return;
  uint8_t flags =
      (HasOpaqueBackground ? kHasOpaqueBackgroundFlag : 0) | (HasVisible ? kHasVisibleFlag : 0) |
      (HasImage ? kHasImageFlag : 0) | (HasClassName ? kHasClassNameFlag : 0) |
      (HasCacheAsBitmap ? kHasCacheAsBitmapFlag : 0) | (HasBlendMode ? kHasBlendModeFlag : 0) |
      (WritesFilterList() ? kHasFilterListFlag : 0);
  Engine.WriteByte(flags);
}

void TSWFPlaceObject3::WriteClassName3(TBitsEngine& Engine) {
  if (!WriteAsPlaceObject2 && WritesClassName()) Engine.WriteString(ClassName);
}

void TSWFPlaceObject3::WriteTail3(TBitsEngine& Engine) {
  if (WriteAsPlaceObject2) return;
  if (WritesFilterList()) filterList_->WriteToStream(Engine);
  if (HasBlendMode) Engine.WriteByte(BlendMode);
  if (HasBitmapCacheByte(WritesClipActions())) Engine.WriteByte(BitmapCache);
  if (HasVisible) Engine.WriteByte(Visible);
  if (HasOpaqueBackground) Engine.WriteRawDWord(BackgroundColor.RGBA());
}

// ---- DefineSprite ----

namespace {

bool IsEndTag(const TSWFObject& tag) {
  if (tag.TagID == ToCode(TTagCode::End)) return true;
  auto* raw = dynamic_cast<const TSWFByteCodeTag*>(&tag);
  return raw && raw->StoredCode == ToCode(TTagCode::End);
}

}  // namespace

void TSWFDefineSprite::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFDefineSprite&>(Source);
  SpriteID = source.SpriteID;
  FrameCount = source.FrameCount;
  ParseActions = source.ParseActions;
  EventVersion = source.EventVersion;
  NestingLevel = source.NestingLevel;
  ControlTags.clear();
  for (const auto& tag : source.ControlTags) {
    auto copy = CreateTagByCode(tag->TagID);
    copy->Assign(*tag);
    ControlTags.push_back(std::move(copy));
  }
}

int TSWFDefineSprite::MinVersion() const {
  int version = 3;
  for (const auto& tag : ControlTags) version = std::max(version, tag->MinVersion());
  return version;
}

void TSWFDefineSprite::TakeTimelineContext(const TTimelineContext& Context) {
  EventVersion = Context.EventVersion;
  ParseActions = Context.ParseActions;
  NestingLevel = Context.NestingLevel;
}

void TSWFDefineSprite::ReadFromStream(TBitsEngine& Engine) {
  if (NestingLevel >= kMaxNesting)
    throw FormatError("sprites are nested more than " + std::to_string(kMaxNesting) + " deep");
  TStream& stream = Engine.Stream();
  const uint64_t end = stream.Position() + std::min<uint64_t>(BodySize, stream.Remaining());
  ControlTags.clear();
  // Stream blocks are laid out by the format of the last stream head of this timeline.
  TTimelineContext context{ParseActions, EventVersion, NestingLevel + 1, 0};
  SpriteID = Engine.ReadWord();
  FrameCount = Engine.ReadWord();
  while (stream.Position() < end) {
    uint16_t header = Engine.ReadWord();
    if (header == 0) {
      ControlTags.push_back(std::make_unique<TSWFEnd>());
      break;
    }
    uint16_t code = header >> 6;
    uint32_t length = header & 0x3F;
    if (length == 0x3F) length = Engine.ReadDWord();
    uint64_t at = stream.Position();
    if (at > end || length > end - at)
      throw StreamError("a tag inside sprite " + std::to_string(SpriteID) + " declares " +
                        std::to_string(length) + " bytes, more than the sprite holds");
    Engine.RequireBytes(length);

    auto tag = CreateTagByCode(code);
    tag->TakeTimelineContext(context);
    tag->BodySize = length;
    // Each nested tag reads from a copy of exactly its own body.
    std::vector<uint8_t> body(length);
    Engine.ReadBuffer(body.data(), body.size());
    TMemoryStream bodyStream(std::move(body));
    TBitsEngine bodyEngine(bodyStream);
    tag->ReadFromStream(bodyEngine);
    tag->UpdateTimelineContext(context);
    ControlTags.push_back(std::move(tag));
  }
  if (stream.Position() < end) stream.SetPosition(end);
}

void TSWFDefineSprite::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(SpriteID);
  Engine.WriteWord(FrameCount);
  for (const auto& tag : ControlTags) tag->WriteToStream(Engine);
  if (ControlTags.empty() || !IsEndTag(*ControlTags.back())) TSWFEnd().WriteToStream(Engine);
}

}  // namespace orvanta
