// Feeds arbitrary bytes to the ABC decoder, as a bare block and as a DoABC body read both kept
// as bytes and decoded. Data errors must surface as orvanta::Error. A crash, a sanitizer
// report, another exception type, a kept block that does not write back as read, or a decoded
// block whose writing changes when read and written again is a finding.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/errors.h"
#include "platform/stream.h"
#include "script/abc_block.h"
#include "script/tags_abc.h"
#include "swf/bits_engine.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes BlockBytes(const orvanta::TSWFAS3Block& Block) {
  orvanta::TMemoryStream out;
  orvanta::TBitsEngine engine(out);
  Block.WriteToStream(engine);
  return out.Bytes();
}

Bytes Body(orvanta::TSWFDoABC& Tag) {
  orvanta::TMemoryStream out;
  orvanta::TBitsEngine engine(out);
  Tag.WriteTagBody(engine);
  return out.Bytes();
}

bool ReadTag(orvanta::TSWFDoABC& Tag, const uint8_t* Data, size_t Size, bool Parse) {
  Tag.ParseActions = Parse;
  Tag.BodySize = static_cast<uint32_t>(Size);
  orvanta::TMemoryViewStream stream({Data, Size});
  orvanta::TBitsEngine engine(stream);
  try {
    Tag.ReadFromStream(engine);
  } catch (const orvanta::Error&) {
    return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orvanta;

  // A bare block: what it writes reads back to a block that writes the same.
  {
    TSWFAS3Block block;
    TMemoryViewStream stream({data, size});
    TBitsEngine engine(stream);
    bool read = true;
    try {
      block.ReadFromStream(engine);
    } catch (const Error&) {
      read = false;
    }
    if (read) {
      Bytes once = BlockBytes(block);
      TSWFAS3Block again;
      TMemoryViewStream onceStream(once);
      TBitsEngine onceEngine(onceStream);
      again.ReadFromStream(onceEngine);  // an exception here escapes: a finding
      if (onceStream.Remaining() != 0 || BlockBytes(again) != once) __builtin_trap();
      TSWFAS3Block copy(block);
      if (BlockBytes(copy) != once) __builtin_trap();
    }
  }

  // Kept as bytes: everything but the unkept flag bits comes back.
  TSWFDoABC raw;
  if (ReadTag(raw, data, size, false)) {
    Bytes expected(data, data + size);
    expected[0] &= TSWFDoABC::kDoAbcLazyInitializeFlag;
    expected[1] = expected[2] = expected[3] = 0;
    if (Body(raw) != expected) __builtin_trap();
    // Decoding on first access either succeeds or leaves the bytes in place.
    try {
      raw.Decode();
    } catch (const Error&) {
      if (raw.Decoded() || Body(raw) != expected) __builtin_trap();
    }
  }

  // Decoded: the written body decodes to the same body.
  TSWFDoABC decoded;
  if (ReadTag(decoded, data, size, true)) {
    Bytes once = Body(decoded);
    TSWFDoABC again;
    if (!ReadTag(again, once.data(), once.size(), true)) __builtin_trap();
    if (Body(again) != once) __builtin_trap();
    TSWFDoABC copy;
    copy.Assign(decoded);
    if (Body(copy) != once) __builtin_trap();
  }
  return 0;
}
