#include "clip_thumbnail.h"

#include <algorithm>

#include "media/swf_reader.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "render/frame_renderer.h"
#include "render/pixmap.h"

namespace orvanta::artwork {

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

size_t InkedPixels(const render::TPixmap& pixmap) {
  size_t inked = 0;
  for (size_t i = 0; i < pixmap.Pixels.size(); i += 4)
    if (pixmap.Pixels[i + render::kRed] < 245 || pixmap.Pixels[i + render::kGreen] < 245 ||
        pixmap.Pixels[i + render::kBlue] < 245)
      ++inked;
  return inked;
}

void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> ClipThumbnailBmp(std::span<const uint8_t> swf) {
  TMemoryViewStream stream(swf);
  TSWFStreamReader reader(stream);
  if (!reader.Valid) throw FormatError("a clip is not a SWF file");
  reader.ParseTags(true, false);
  const double w = (reader.FrameSize().Xmax() - reader.FrameSize().Xmin()) / 20.0;
  const double h = (reader.FrameSize().Ymax() - reader.FrameSize().Ymin()) / 20.0;
  const double scale =
      std::min(kClipThumbWidth / std::max(w, 1.0), kClipThumbHeight / std::max(h, 1.0));
  const int frames = std::max<int>(1, reader.Header().FrameCount);
  render::TRenderOptions options;
  options.Scale = scale;
  options.Background = kWhite;
  // Clips that draw themselves start almost empty: the picture is the first of eight sampled
  // frames that shows at least half as much as the fullest of them.
  std::vector<render::TPixmap> moments;
  size_t most = 0;
  for (int i = 0; i < 8; ++i) {
    options.Frame = 1 + (frames - 1) * i / 7;
    if (i > 0 && options.Frame == 1) break;
    moments.push_back(render::RenderFrame(reader, options));
    most = std::max(most, InkedPixels(moments.back()));
  }
  if (most < 12) throw Error("a clip shows nothing in any frame");
  const render::TPixmap& pixmap = *std::find_if(
      moments.begin(), moments.end(), [&](const auto& p) { return InkedPixels(p) * 2 >= most; });
  const int x0 = (kClipThumbWidth - pixmap.Width) / 2, y0 = (kClipThumbHeight - pixmap.Height) / 2;
  const uint32_t rowBytes = kClipThumbWidth * 3;
  std::vector<uint8_t> bmp = {'B', 'M'};
  PutLE(bmp, 54 + rowBytes * kClipThumbHeight, 4);
  PutLE(bmp, 0, 4);
  PutLE(bmp, 54, 4);
  PutLE(bmp, 40, 4);
  PutLE(bmp, kClipThumbWidth, 4);
  PutLE(bmp, kClipThumbHeight, 4);
  PutLE(bmp, 1, 2);
  PutLE(bmp, 24, 2);
  for (int i = 0; i < 6; ++i) PutLE(bmp, i == 1 ? rowBytes * kClipThumbHeight : 0, 4);
  for (int y = kClipThumbHeight - 1; y >= 0; --y)
    for (int x = 0; x < kClipThumbWidth; ++x) {
      const int px = x - x0, py = y - y0;
      if (px < 0 || py < 0 || px >= pixmap.Width || py >= pixmap.Height) {
        bmp.insert(bmp.end(), {255, 255, 255});
        continue;
      }
      const uint8_t* p = pixmap.Pixels.data() + (size_t(py) * pixmap.Width + px) * 4;
      bmp.insert(bmp.end(), {p[render::kBlue], p[render::kGreen], p[render::kRed]});
    }
  return bmp;
}

}  // namespace orvanta::artwork
