#include "conformance_support.h"

#include <algorithm>

#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace orvanta::conformance {

using nlohmann::json;

std::unique_ptr<TFlashMovie> NewMovie(int version, bool compressed) {
  auto movie = std::make_unique<TFlashMovie>(0, 0, 200 * 20, 150 * 20, 12);
  movie->SetPixelUnits(true);
  movie->SetVersion(version);
  movie->SetCompressed(compressed);
  movie->Random().Seed(1);
  return movie;
}

json Header(int version, int frameCount, bool compressed) {
  return {{"signature", compressed ? "CWS" : "FWS"},
          {"version", version},
          {"frameSize", {{"xMin", 0}, {"xMax", 4000}, {"yMin", 0}, {"yMax", 3000}}},
          {"frameRate", 12},
          {"frameCount", frameCount}};
}

// A solid rectangle as a DefineShape written field by field: a character to place that does not
// depend on the shape builder.
std::unique_ptr<TSWFByteCodeTag> RectangleShape(uint16_t id, int width, int height, uint32_t rgb) {
  TMemoryStream body;
  TBitsEngine e(body);
  e.WriteWord(id);
  e.WriteRect(TSWFRect(0, 0, width, height));
  e.WriteByte(1);  // one fill style
  e.WriteByte(0x00);
  e.WriteUI24(rgb);
  e.WriteByte(0);  // no line styles
  e.WriteBits(1, 4);
  e.WriteBits(0, 4);
  // Style change: fill style 1, move to (0, 0).
  e.WriteBits(0b000011, 6);
  e.WriteBits(1, 5);
  e.WriteSBits(0, 1);
  e.WriteSBits(0, 1);
  e.WriteBits(1, 1);
  auto edge = [&](bool vertical, int32_t delta) {
    unsigned n = std::max(2u, SignedBitsCount(delta));
    e.WriteBits(0b11, 2);
    e.WriteBits(n - 2, 4);
    e.WriteBit(false);
    e.WriteBit(vertical);
    e.WriteSBits(delta, n);
  };
  edge(false, width);
  edge(true, height);
  edge(false, -width);
  edge(true, -height);
  e.WriteBits(0, 6);
  e.FlushBits();
  auto tag = std::make_unique<TSWFByteCodeTag>(2);
  tag->Data = body.Bytes();
  return tag;
}

}  // namespace orvanta::conformance
