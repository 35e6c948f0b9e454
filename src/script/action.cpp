#include "script/action.h"

#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace orvanta {

void TSWFAction::Assign(const TSWFAction& Source) {
  ActionCode = Source.ActionCode;
  Length = Source.Length;
}

void TSWFAction::ReadData(TBitsEngine& Engine) {
  Engine.RequireBytes(Length);
  Engine.Stream().SetPosition(Engine.Stream().Position() + Length);
}

void TSWFAction::WriteData(TBitsEngine&) {}

void TSWFAction::WriteToStream(TBitsEngine& Engine) {
  if (ActionCode == kByteCode || ActionCode == kOffsetMarker) {
    WriteData(Engine);
    return;
  }
  Engine.WriteByte(ActionCode);
  if (ActionCode < 0x80) return;
  TMemoryStream data;
  TBitsEngine dataEngine(data);
  WriteData(dataEngine);
  Length = static_cast<uint16_t>(data.Size());
  Engine.WriteWord(Length);
  Engine.WriteBuffer(data.Bytes().data(), data.Bytes().size());
}

uint32_t TSWFAction::RecordSize() const {
  if (ActionCode == kOffsetMarker) return 0;
  return ActionCode < 0x80 ? 1 : Length + 3u;
}

void TSWFActionByteCode::Assign(const TSWFAction& Source) {
  TSWFAction::Assign(Source);
  Data = dynamic_cast<const TSWFActionByteCode&>(Source).Data;
}

void TSWFActionByteCode::ReadData(TBitsEngine& Engine) {
  Engine.RequireBytes(Length);
  Data.resize(Length);
  Engine.ReadBuffer(Data.data(), Data.size());
}

void TSWFActionByteCode::WriteData(TBitsEngine& Engine) {
  Engine.WriteBuffer(Data.data(), Data.size());
}

void TSWFActionByteCode::WriteToStream(TBitsEngine& Engine) {
  WriteData(Engine);
}

TSWFActionList::TSWFActionList() = default;
TSWFActionList::~TSWFActionList() = default;
TSWFActionList::TSWFActionList(TSWFActionList&&) noexcept = default;
TSWFActionList& TSWFActionList::operator=(TSWFActionList&&) noexcept = default;

void TSWFActionList::Clear() {
  items_.clear();
}

void TSWFActionList::AddRawBytes(std::vector<uint8_t> Bytes) {
  auto raw = std::make_unique<TSWFActionByteCode>(std::move(Bytes));
  raw->Length = static_cast<uint16_t>(std::min<size_t>(raw->Data.size(), 0xFFFF));
  items_.push_back(std::move(raw));
}

bool TSWFActionList::NeedsEndFlag() const {
  const TSWFAction* last = Last();
  if (!last) return true;
  if (last->ActionCode == 0) return false;
  // Markers write nothing, so a list ending with one needs the flag too.
  if (last->ActionCode == TSWFAction::kByteCode) {
    auto* raw = dynamic_cast<const TSWFActionByteCode*>(last);
    return !raw || raw->Data.empty() || raw->Data.back() != 0;
  }
  return true;
}

TSWFAction& TSWFActionList::Add(std::unique_ptr<TSWFAction> Action) {
  items_.push_back(std::move(Action));
  return *items_.back();
}

TSWFAction& TSWFActionList::Insert(size_t Index, std::unique_ptr<TSWFAction> Action) {
  return **items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(Index), std::move(Action));
}

std::unique_ptr<TSWFAction> TSWFActionList::Extract(size_t Index) {
  auto action = std::move(items_[Index]);
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(Index));
  return action;
}

size_t TSWFActionList::IndexOf(const TSWFAction* Action) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == Action) return i;
  return items_.size();
}

void TSWFActionList::WriteToStream(TBitsEngine& Engine) const {
  for (auto& action : items_) action->WriteToStream(Engine);
}

int TSWFActionList::MinVersion() const {
  int version = 1;
  for (auto& action : items_) version = std::max(version, action->MinVersion());
  return version;
}

}  // namespace orvanta
