#include "export/animated_gif.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "export/banner_frames.h"
#include "export/gif_quantiser.h"
#include "export/gif_writer.h"
#include "platform/errors.h"
#include "render/pixmap_output.h"

namespace orvanta {

namespace {

// Browsers show GIF delays under 2/100 s as 1/10 s, so faster rates would play slower.
constexpr double kMaxGifFps = 50;

struct TRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;
};

bool SamePixel(const TPicture& a, const TPicture& b, uint32_t x, uint32_t y) {
  return std::memcmp(a.Pixel(x, y), b.Pixel(x, y), 4) == 0;
}

// The smallest rectangle holding every pixel that differs; none when the pictures are equal.
std::optional<TRect> ChangedRect(const TPicture& before, const TPicture& now) {
  int left = int(now.Width), right = -1, top = int(now.Height), bottom = -1;
  for (uint32_t y = 0; y < now.Height; ++y)
    for (uint32_t x = 0; x < now.Width; ++x)
      if (!SamePixel(before, now, x, y)) {
        left = std::min(left, int(x)), right = std::max(right, int(x));
        top = std::min(top, int(y)), bottom = std::max(bottom, int(y));
      }
  if (right < 0) return std::nullopt;
  return TRect{left, top, right - left + 1, bottom - top + 1};
}

// The rectangle of the frame, with the pixels the frame before already shows made transparent.
TPicture ChangedPart(const TPicture& now, const TPicture* before, const TRect& rect) {
  TPicture part(uint32_t(rect.Width), uint32_t(rect.Height), 0);
  for (int y = 0; y < rect.Height; ++y)
    for (int x = 0; x < rect.Width; ++x) {
      const uint32_t sx = uint32_t(rect.Left + x), sy = uint32_t(rect.Top + y);
      if (!before || !SamePixel(*before, now, sx, sy))
        std::memcpy(part.Pixel(uint32_t(x), uint32_t(y)), now.Pixel(sx, sy), 4);
    }
  return part;
}

struct TPendingFrame {
  TIndexedPicture Picture;
  TRect Rect;
  int StartCentiseconds = 0;
};

}  // namespace

TAnimatedGif MakeAnimatedGif(TBannerFrames& frames, const TGifOptions& options) {
  const double movieFps = frames.FrameRate();
  const double fps = std::min(options.Fps > 0 ? options.Fps : movieFps, kMaxGifFps);
  const int lastFrame = frames.HeadlineEndFrame();
  const double seconds = std::min(lastFrame / movieFps, std::max(options.MaxSeconds, 0.0));
  const int samples = std::max(1, int(std::lround(seconds * fps)));
  const auto centiseconds = [&](int sample) { return int(std::lround(sample * 100.0 / fps)); };

  TGifWriter writer(frames.Width(), frames.Height(), options.Loops);
  TAnimatedGif gif;
  std::optional<TPendingFrame> pending;
  const auto flush = [&](int endCentiseconds) {
    if (!pending) return;
    writer.AddFrame(pending->Picture, pending->Rect.Left, pending->Rect.Top,
                    std::max(endCentiseconds - pending->StartCentiseconds, 2));
    ++gif.StoredFrames;
  };
  std::optional<TPicture> previous;
  for (int sample = 0; sample < samples; ++sample) {
    const int frame = std::min(lastFrame, 1 + int(std::floor(sample * movieFps / fps)));
    TPicture now = render::PictureFromPixmap(frames.Render(frame));
    ++gif.DrawnFrames;
    const std::optional<TRect> rect =
        previous ? ChangedRect(*previous, now)
                 : std::optional<TRect>(TRect{0, 0, int(now.Width), int(now.Height)});
    if (!rect) continue;  // the frame before simply lasts longer
    const int start = centiseconds(sample);
    flush(start);
    pending = TPendingFrame{
        QuantisePicture(ChangedPart(now, previous ? &*previous : nullptr, *rect)), *rect, start};
    previous = std::move(now);
  }
  flush(centiseconds(samples));
  gif.Bytes = writer.Finish();
  gif.Seconds = samples / fps;
  return gif;
}

}  // namespace orvanta
