#include "thumbnail_pictures.h"

#include <algorithm>
#include <cmath>

#include "media/swf_reader.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "render/frame_renderer.h"

namespace orvanta::artwork {

TPicture RenderThumbnail(std::span<const uint8_t> swf, int frame, uint32_t width, uint32_t height,
                         uint32_t background) {
  TMemoryViewStream stream(swf);
  TSWFStreamReader reader(stream);
  if (!reader.Valid) throw FormatError("a thumbnail's movie is not a SWF file");
  reader.ParseTags(true, false);
  const double w = (reader.FrameSize().Xmax() - reader.FrameSize().Xmin()) / 20.0;
  const double h = (reader.FrameSize().Ymax() - reader.FrameSize().Ymin()) / 20.0;
  const double scale = std::min(width / std::max(w, 1.0), height / std::max(h, 1.0));
  render::TRenderOptions options;
  options.Frame = frame;
  options.Width = std::max(1, static_cast<int>(std::lround(w * scale)));
  options.Height = std::max(1, static_cast<int>(std::lround(h * scale)));
  options.Background = background;
  const render::TPixmap drawn = render::RenderFrame(reader, options);
  const uint32_t opaque =
      0xFF000000u | (background >> 16 & 0xFF) | (background & 0xFF00) | (background & 0xFF) << 16;
  TPicture cell(width, height, opaque);
  const uint32_t x0 = (width - static_cast<uint32_t>(drawn.Width)) / 2,
                 y0 = (height - static_cast<uint32_t>(drawn.Height)) / 2;
  for (int y = 0; y < drawn.Height; ++y)
    for (int x = 0; x < drawn.Width; ++x) {
      // Opaque BGRA from the rasteriser to RGBA.
      const uint8_t* from = drawn.Row(y) + x * 4;
      uint8_t* to = cell.Pixel(x0 + static_cast<uint32_t>(x), y0 + static_cast<uint32_t>(y));
      to[0] = from[2], to[1] = from[1], to[2] = from[0], to[3] = 255;
    }
  return cell;
}

TPicture JoinStrip(const std::vector<TPicture>& cells) {
  uint32_t width = 0, height = 0;
  for (const TPicture& cell : cells) width += cell.Width, height = std::max(height, cell.Height);
  TPicture strip(width, height);
  uint32_t x0 = 0;
  for (const TPicture& cell : cells) {
    for (uint32_t y = 0; y < cell.Height; ++y)
      std::copy_n(cell.Pixel(0, y), cell.Width * 4, strip.Pixel(x0, y));
    x0 += cell.Width;
  }
  return strip;
}

std::vector<uint8_t> EncodeGIFQuantised(const TPicture& picture) {
  // 6 x 7 x 6 levels; green gets one more, as the eye tells its shades apart best.
  auto level = [](uint8_t v, int levels) {
    const int step = static_cast<int>(std::lround(v * (levels - 1) / 255.0));
    return static_cast<uint8_t>(std::lround(step * 255.0 / (levels - 1)));
  };
  TPicture reduced = picture;
  for (size_t i = 0; i < reduced.Pixels.size(); i += 4) {
    reduced.Pixels[i] = level(reduced.Pixels[i], 6);
    reduced.Pixels[i + 1] = level(reduced.Pixels[i + 1], 7);
    reduced.Pixels[i + 2] = level(reduced.Pixels[i + 2], 6);
    reduced.Pixels[i + 3] = 255;
  }
  return EncodeGIF(reduced);
}

std::vector<uint8_t> EncodeBMP24(const TPicture& picture) {
  const uint32_t rowBytes = (picture.Width * 3 + 3) & ~3u;
  const uint32_t dataSize = rowBytes * picture.Height, fileSize = 54 + dataSize;
  std::vector<uint8_t> out;
  auto put = [&](uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
  };
  out.push_back('B');
  out.push_back('M');
  put(fileSize, 4);
  put(0, 4);
  put(54, 4);
  put(40, 4);
  put(picture.Width, 4);
  put(picture.Height, 4);
  put(1, 2);
  put(24, 2);
  put(0, 4);
  put(dataSize, 4);
  put(2835, 4);
  put(2835, 4);
  put(0, 4);
  put(0, 4);
  // Rows bottom up, BGR, each padded to four bytes.
  for (uint32_t y = picture.Height; y-- > 0;) {
    for (uint32_t x = 0; x < picture.Width; ++x) {
      const uint8_t* p = picture.Pixel(x, y);
      out.insert(out.end(), {p[2], p[1], p[0]});
    }
    out.resize(out.size() + (rowBytes - picture.Width * 3), 0);
  }
  return out;
}

}  // namespace orvanta::artwork
