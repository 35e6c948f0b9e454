#include "script/abc_list.h"

#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace orvanta {

void CheckAbcCount(TBitsEngine& Engine, uint64_t Count, uint64_t MinEntryBytes) {
  uint64_t remaining = Engine.Stream().Remaining();
  if (MinEntryBytes != 0 && Count > remaining / MinEntryBytes)
    throw FormatError("ABC block declares " + std::to_string(Count) + " entries where only " +
                      std::to_string(remaining) + " bytes remain");
}

uint32_t ReadAbcCount(TBitsEngine& Engine, uint64_t MinEntryBytes) {
  uint32_t count = Engine.ReadEncodedU32();
  CheckAbcCount(Engine, count, MinEntryBytes);
  return count;
}

void WriteAbcBytes(TBitsEngine& Engine, const void* Data, size_t Length) {
  Engine.WriteEncodedU32(static_cast<uint32_t>(Length));
  Engine.WriteBuffer(Data, Length);
}

std::vector<uint8_t> ReadAbcBytes(TBitsEngine& Engine) {
  uint32_t length = Engine.ReadEncodedU32();
  Engine.RequireBytes(length);
  std::vector<uint8_t> bytes(length);
  Engine.ReadBuffer(bytes.data(), bytes.size());
  return bytes;
}

void ReadAbcValue(TBitsEngine& Engine, uint32_t& Value) {
  Value = Engine.ReadEncodedU32();
}

void WriteAbcValue(TBitsEngine& Engine, uint32_t Value) {
  Engine.WriteEncodedU32(Value);
}

void ReadAbcValue(TBitsEngine& Engine, std::string& Value) {
  Value = Engine.ReadLengthString(true);
}

void WriteAbcValue(TBitsEngine& Engine, const std::string& Value) {
  WriteAbcBytes(Engine, Value.data(), Value.size());
}

}  // namespace orvanta
