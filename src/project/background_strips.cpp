#include "project/background_strips.h"

#include <algorithm>
#include <cstring>

#include "media/swf_reader.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "render/frame_renderer.h"
#include "render/pixmap_output.h"

namespace orvanta {

namespace {

render::TPixmap WhitePixmap(int width, int height) {
  render::TPixmap pixmap(width, height);
  std::fill(pixmap.Pixels.begin(), pixmap.Pixels.end(), uint8_t{0xFF});
  return pixmap;
}

render::TPixmap DrawFrame(std::span<const uint8_t> movie, int width, int height,
                          TBuildContext& context) {
  try {
    TMemoryViewStream stream(movie);
    TSWFStreamReader reader(stream);
    render::TRenderOptions options;
    options.Width = width;
    options.Height = height;
    options.Background = 0xFFFFFF;
    return render::RenderFrame(reader, options);
  } catch (const Error& e) {
    context.Warn("", std::string("the background strips are blank: ") + e.what());
    return WhitePixmap(width, height);
  }
}

}  // namespace

std::vector<std::vector<uint8_t>> DrawBackgroundStrips(std::span<const uint8_t> backgroundMovie,
                                                       int width, int height,
                                                       TBuildContext& context) {
  const render::TPixmap frame = DrawFrame(backgroundMovie, width, height, context);
  std::vector<std::vector<uint8_t>> strips;
  const int stripWidth = width / 4;
  for (int i = 0; i < 4; ++i) {
    const int left = i * stripWidth;
    const int w = i == 3 ? width - left : stripWidth;
    // A banner narrower than 4 pixels still gets four pictures; the empty ones are 1 pixel.
    render::TPixmap strip = WhitePixmap(std::max(w, 1), height);
    for (int y = 0; y < height && w > 0; ++y)
      std::memcpy(strip.Row(y), frame.Row(y) + size_t(left) * 4, size_t(w) * 4);
    strips.push_back(render::EncodePixmapJPEG(strip, 100));
  }
  return strips;
}

}  // namespace orvanta
