#pragma once

#include <memory>

#include "media/swf_reader.h"
#include "movie/flash_movie.h"
#include "platform/stream.h"
#include "render/pixmap.h"

namespace orvanta::render::test {

// The movie written and read back, as the rasteriser gets files.
inline std::unique_ptr<TSWFStreamReader> Reread(TFlashMovie& movie) {
  movie.MakeData();
  TMemoryStream stream;
  movie.SaveToStream(stream);
  stream.SetPosition(0);
  auto reader = std::make_unique<TSWFStreamReader>(stream);
  reader->ParseTags(true, false);
  return reader;
}

// A pixel of a pixmap, colours premultiplied as stored.
struct TPixel {
  int R = 0, G = 0, B = 0, A = 0;
};

inline TPixel At(const TPixmap& p, int x, int y) {
  const uint8_t* q = p.Row(y) + x * 4;
  return {q[kRed], q[kGreen], q[kBlue], q[kAlpha]};
}

}  // namespace orvanta::render::test
