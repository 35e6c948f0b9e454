#include <cmath>
#include <numbers>
#include <string>

#include "art_motion.h"
#include "art_movie.h"
#include "art_paint.h"
#include "artwork_output.h"
#include "families.h"
#include "movie/flash_movie.h"
#include "movie/flash_shape.h"
#include "platform/artwork_names.h"

namespace orvanta::artwork {

namespace {

// Shown for the first five frames of a banner at the top left of a 150 x 60 box, so the
// motion must read at once: every screen is a card with one moving part.
constexpr int32_t kWidth = 150, kHeight = 60;
constexpr int kFrames = 12;

enum class TMotion { Fill, Spin, Bounce, Pulse };

std::vector<uint8_t> DrawLoadingScreen(int n) {
  auto movie = NewArtMovie(kWidth, kHeight);
  TArtCanvas canvas(*movie);
  const uint32_t color = HueShift(Rgb(0x2F7FD8), 45.0 * n);
  const bool dark = n % 2 == 0;
  canvas.RoundRect(1, 1, kWidth - 1, kHeight - 1, 10,
                   dark ? TPaint::Vertical(Rgb(0x2A2E38), Rgb(0x14161C))
                        : TPaint::Vertical(Rgb(0xFFFFFF), Rgb(0xE4E8EE)));
  const auto motion = static_cast<TMotion>((n - 1) % 4);
  TFlashShape* mover = nullptr;
  switch (motion) {
    case TMotion::Fill:
      canvas.RoundRect(15, 26, 135, 36, 5, TPaint::Solid(Darker(color, 0.6)));
      mover = movie->AddRoundRect(0, 0, 120, 10, 5);
      break;
    case TMotion::Spin: {
      mover = movie->AddShape();
      mover->SetBounds(-20, -20, 20, 20);
      mover->Edges.MoveTo(0, 0);
      for (int i = 0; i < 8; ++i) {
        const double a = i * std::numbers::pi / 4;
        const auto x = static_cast<int32_t>(std::lround(14 * std::cos(a))),
                   y = static_cast<int32_t>(std::lround(14 * std::sin(a)));
        const int32_t r = 1 + i / 2;
        EllipseOutline(mover->Edges, x - r, y - r, x + r, y + r);
      }
      mover->Edges.EndEdges();
      break;
    }
    case TMotion::Bounce:
      canvas.RoundRect(15, 44, 135, 46, 1, TPaint::Solid(Darker(color, 0.4)));
      mover = movie->AddCircle(0, 0, 8);
      break;
    case TMotion::Pulse:
      mover = movie->AddCircle(0, 0, 20);
      break;
  }
  if (motion == TMotion::Fill || motion == TMotion::Spin)
    mover->SetSolidColor(color);
  else
    mover->SetRadialGradient(Lighter(color, 0.6), color, 35, 35);
  const uint16_t depth = canvas.NextDepth();
  for (int f = 0; f < kFrames; ++f) {
    const double t = static_cast<double>(f) / kFrames;
    TPose pose;
    switch (motion) {
      case TMotion::Fill:
        pose = {15, 26, std::max(0.05, (f + 1.0) / kFrames), 1, 0};
        break;
      case TMotion::Spin:
        pose = {75, 30, 1, 1, 360 * t};
        break;
      case TMotion::Bounce:
        pose = {25 + 100 * t, 36 - 22 * std::abs(std::sin(3 * std::numbers::pi * t)), 1, 1, 0};
        break;
      case TMotion::Pulse: {
        const double s = 0.5 + 0.4 * std::sin(2 * std::numbers::pi * t);
        pose = {75, 30, s, s, 0};
        break;
      }
    }
    PlacePose(*movie, mover, depth, f == 0, pose);
    movie->ShowFrame();
  }
  return MovieBytes(*movie);
}

}  // namespace

void GenerateLoadingScreens(TArtworkOutput& output) {
  for (int n = 1; n <= kLoadingScreens; ++n)
    output.AddDataFile("albumboader/now_loading" + std::to_string(n) + ".swf",
                       DrawLoadingScreen(n));
}

}  // namespace orvanta::artwork
