#include <algorithm>

#include "platform/stream.h"
#include "script/action.h"
#include "swf/bits_engine.h"

namespace orvanta {

std::unique_ptr<TSWFAction> CreateActionByCode(uint8_t Code) {
  switch (Code) {
    case TSWFAction::kByteCode:
      return std::make_unique<TSWFActionByteCode>();
    default:
      return nullptr;
  }
}

namespace {

// An unknown action kept whole: its code byte and, from 0x80 up, its length and data.
std::unique_ptr<TSWFAction> ReadUnknownAction(TBitsEngine& Engine, uint8_t Code) {
  std::vector<uint8_t> record{Code};
  if (Code >= 0x80) {
    uint16_t length = Engine.ReadWord();
    Engine.RequireBytes(length);
    record.push_back(static_cast<uint8_t>(length));
    record.push_back(static_cast<uint8_t>(length >> 8));
    size_t at = record.size();
    record.resize(at + length);
    Engine.ReadBuffer(record.data() + at, length);
  }
  auto raw = std::make_unique<TSWFActionByteCode>(std::move(record));
  raw->Length = static_cast<uint16_t>(raw->Data.size());
  return raw;
}

}  // namespace

void ReadActionList(TBitsEngine& Engine, TSWFActionList& List, uint32_t Budget) {
  TStream& stream = Engine.Stream();
  const uint64_t start = stream.Position();
  const uint64_t stop = start + std::min<uint64_t>(Budget, stream.Remaining());
  while (stream.Position() < stop) {
    uint8_t code = Engine.ReadByte();
    if (code == 0) break;
    auto action = CreateActionByCode(code);
    if (!action || code == TSWFAction::kByteCode || code == TSWFAction::kOffsetMarker) {
      List.Add(ReadUnknownAction(Engine, code));
      continue;
    }
    if (code >= 0x80) {
      action->Length = Engine.ReadWord();
      Engine.RequireBytes(action->Length);
      uint64_t dataStart = stream.Position();
      action->ReadData(Engine);
      // A reader that stops short of the declared length must not desynchronise the list.
      stream.SetPosition(dataStart + action->Length);
    }
    List.Add(std::move(action));
  }
}

void CopyActionList(const TSWFActionList& Source, TSWFActionList& Destination) {
  for (const auto& action : Source) {
    auto copy = CreateActionByCode(action->ActionCode);
    if (!copy) copy = std::make_unique<TSWFActionByteCode>();
    copy->Assign(*action);
    Destination.Add(std::move(copy));
  }
}

}  // namespace orvanta
