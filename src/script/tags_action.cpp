#include "script/tags_action.h"

#include <algorithm>

#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace orvanta {

namespace {

std::unique_ptr<TSWFActionByteCode> RawBlock(std::vector<uint8_t> Bytes) {
  auto raw = std::make_unique<TSWFActionByteCode>(std::move(Bytes));
  raw->Length = static_cast<uint16_t>(std::min<size_t>(raw->Data.size(), 0xFFFF));
  return raw;
}

}  // namespace

TSWFDoAction::TSWFDoAction(uint16_t Code, TSWFActionList* Actions) : TSWFObject(Code) {
  if (!Actions) {
    owned_ = std::make_unique<TSWFActionList>();
    Actions = owned_.get();
  }
  actions_ = Actions;
}

void TSWFDoAction::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFDoAction&>(Source);
  ParseActions = source.ParseActions;
  WriteEndFlag = source.WriteEndFlag;
  if (&source.Actions() == actions_) return;
  actions_->Clear();
  CopyActionList(source.Actions(), *actions_);
}

int TSWFDoAction::MinVersion() const {
  return std::max(3, actions_->MinVersion());
}

void TSWFDoAction::ReadActions(TBitsEngine& Engine, uint32_t Budget) {
  TStream& stream = Engine.Stream();
  Budget = static_cast<uint32_t>(std::min<uint64_t>(Budget, stream.Remaining()));
  WriteEndFlag = true;
  if (!ParseActions) {
    // Everything but the end flag is kept as it is; a body whose last byte is not 0 has none.
    if (Budget == 0) {
      WriteEndFlag = false;
      return;
    }
    std::vector<uint8_t> bytes(Budget);
    Engine.ReadBuffer(bytes.data(), bytes.size());
    if (bytes.back() == 0)
      bytes.pop_back();
    else
      WriteEndFlag = false;
    if (!bytes.empty()) actions_->Add(RawBlock(std::move(bytes)));
    return;
  }
  const uint64_t end = stream.Position() + Budget;
  bool ended = ReadActionList(Engine, *actions_, Budget);
  // Actions after the end flag run when a jump lands there: each stretch is read as a list of
  // its own behind the end flag that precedes it, kept as a one-byte block. Offsets that cross
  // from one stretch to another keep their numbers. A stretch that is not action records is
  // kept as bytes.
  while (ended && stream.Position() < end) {
    actions_->Add(RawBlock({0x00}));
    const uint64_t at = stream.Position();
    const size_t count = actions_->Count();
    try {
      ended = ReadActionList(Engine, *actions_, static_cast<uint32_t>(end - at));
    } catch (const Error&) {
      while (actions_->Count() > count) actions_->Extract(actions_->Count() - 1);
      stream.SetPosition(at);
      std::vector<uint8_t> rest(static_cast<size_t>(end - at));
      Engine.ReadBuffer(rest.data(), rest.size());
      ended = rest.back() == 0;
      if (ended) rest.pop_back();
      if (!rest.empty()) actions_->Add(RawBlock(std::move(rest)));
      break;
    }
  }
  WriteEndFlag = ended;
}

void TSWFDoAction::ReadFromStream(TBitsEngine& Engine) {
  ReadActions(Engine, BodySize);
}

void TSWFDoAction::WriteTagBody(TBitsEngine& Engine) {
  actions_->WriteToStream(Engine);
  if (WriteEndFlag) Engine.WriteByte(0);
}

void TSWFDoInitAction::Assign(const TBasedSWFObject& Source) {
  TSWFDoAction::Assign(Source);
  SpriteID = dynamic_cast<const TSWFDoInitAction&>(Source).SpriteID;
}

// Init actions arrived with version 6; their actions may need more.
int TSWFDoInitAction::MinVersion() const {
  return std::max(6, Actions().MinVersion());
}

void TSWFDoInitAction::ReadFromStream(TBitsEngine& Engine) {
  SpriteID = Engine.ReadWord();
  ReadActions(Engine, BodySize >= 2 ? BodySize - 2 : 0);
}

void TSWFDoInitAction::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(SpriteID);
  TSWFDoAction::WriteTagBody(Engine);
}

}  // namespace orvanta
