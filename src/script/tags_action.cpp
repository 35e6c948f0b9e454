#include "script/tags_action.h"

#include <algorithm>

#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace orvanta {

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
  if (&source.Actions() == actions_) return;
  actions_->Clear();
  CopyActionList(source.Actions(), *actions_);
}

int TSWFDoAction::MinVersion() const {
  return std::max(3, actions_->MinVersion());
}

void TSWFDoAction::ReadActions(TBitsEngine& Engine, uint32_t Budget) {
  if (ParseActions) {
    ReadActionList(Engine, *actions_, Budget);
    return;
  }
  // Everything but the end flag is kept as it is.
  if (Budget == 0) return;
  Engine.RequireBytes(Budget);
  std::vector<uint8_t> bytes(Budget - 1);
  Engine.ReadBuffer(bytes.data(), bytes.size());
  Engine.ReadByte();
  auto raw = std::make_unique<TSWFActionByteCode>(std::move(bytes));
  raw->Length = static_cast<uint16_t>(std::min<size_t>(raw->Data.size(), 0xFFFF));
  actions_->Add(std::move(raw));
}

void TSWFDoAction::ReadFromStream(TBitsEngine& Engine) {
  ReadActions(Engine, BodySize);
}

void TSWFDoAction::WriteTagBody(TBitsEngine& Engine) {
  actions_->WriteToStream(Engine);
  Engine.WriteByte(0);
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
