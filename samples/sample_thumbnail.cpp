#include "sample_thumbnail.h"

#include <algorithm>
#include <cmath>

#include "media/swf_reader.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "render/frame_renderer.h"

namespace orvanta::samples {

namespace {

constexpr uint32_t kGrey = 0xFF808080u;

// The first frames are enough: every builder has faded its content in by then.
constexpr int kFramesLooked = 120;

struct TFitted {
  int Width = 1, Height = 1;
};

TFitted Fit(const TSWFStreamReader& reader) {
  const double w = (reader.FrameSize().Xmax() - reader.FrameSize().Xmin()) / 20.0;
  const double h = (reader.FrameSize().Ymax() - reader.FrameSize().Ymin()) / 20.0;
  const double scale =
      std::min(kThumbnailWidth / std::max(w, 1.0), kThumbnailHeight / std::max(h, 1.0));
  return {std::max(1, int(std::lround(w * scale))), std::max(1, int(std::lround(h * scale)))};
}

// How much of the frame is covered, summing alpha.
uint64_t Ink(const render::TPixmap& frame) {
  uint64_t sum = 0;
  for (size_t i = render::kAlpha; i < frame.Pixels.size(); i += 4) sum += frame.Pixels[i];
  return sum;
}

render::TPixmap FullestFrame(std::span<const uint8_t> movie, TFitted size) {
  TMemoryViewStream stream(movie);
  TSWFStreamReader reader(stream);
  if (!reader.Valid) throw FormatError("the banner's main movie is not a SWF file");
  render::TFrameRenderer renderer(reader);
  render::TRenderOptions options;
  options.Width = size.Width;
  options.Height = size.Height;
  options.Transparent = true;
  render::TPixmap best;
  uint64_t bestInk = 0;
  const int last = std::min(renderer.FrameCount(), kFramesLooked);
  for (int frame = 1; frame <= last; ++frame) {
    options.Frame = frame;
    render::TPixmap drawn = renderer.Render(options);
    const uint64_t ink = Ink(drawn);
    if (best.Empty() || ink > bestInk) {
      best = std::move(drawn);
      bestInk = ink;
    }
  }
  return best;
}

}  // namespace

TPicture DrawSampleThumbnail(std::span<const uint8_t> backgroundMovie,
                             std::span<const uint8_t> mainMovie) {
  TMemoryViewStream stream(backgroundMovie);
  TSWFStreamReader reader(stream);
  if (!reader.Valid) throw FormatError("the banner's background movie is not a SWF file");
  const TFitted size = Fit(reader);
  render::TRenderOptions options;
  options.Width = size.Width;
  options.Height = size.Height;
  options.Background = 0xFFFFFF;
  const render::TPixmap back = render::RenderFrame(reader, options);
  const render::TPixmap front = FullestFrame(mainMovie, size);

  TPicture cell(kThumbnailWidth, kThumbnailHeight, kGrey);
  const uint32_t x0 = (kThumbnailWidth - uint32_t(size.Width)) / 2,
                 y0 = (kThumbnailHeight - uint32_t(size.Height)) / 2;
  for (int y = 0; y < size.Height; ++y)
    for (int x = 0; x < size.Width; ++x) {
      // Premultiplied BGRA: the main movie over the opaque background.
      const uint8_t* b = back.Row(y) + x * 4;
      const uint8_t* f = front.Row(y) + x * 4;
      const int keep = 255 - f[render::kAlpha];
      uint8_t* to = cell.Pixel(x0 + uint32_t(x), y0 + uint32_t(y));
      to[0] = uint8_t(f[render::kRed] + b[render::kRed] * keep / 255);
      to[1] = uint8_t(f[render::kGreen] + b[render::kGreen] * keep / 255);
      to[2] = uint8_t(f[render::kBlue] + b[render::kBlue] * keep / 255);
      to[3] = 255;
    }
  return cell;
}

}  // namespace orvanta::samples
