#include <cmath>
#include <numbers>
#include <random>

#include "art_motion.h"
#include "art_movie.h"
#include "art_paint.h"
#include "artwork_output.h"
#include "families.h"
#include "movie/flash_movie.h"
#include "movie/flash_shape.h"

namespace orvanta::artwork {

namespace {

// Textures seen only through a letter's outline: each fills its whole box and loops.
constexpr int kFrames = 12;

// Bright streaks that sweep across a 100 x 100 box.
std::vector<uint8_t> Streaks(uint32_t color, double angle) {
  auto movie = NewArtMovie(100, 100);
  TArtCanvas canvas(*movie);
  canvas.RoundRect(0, 0, 100, 100, 0, TPaint::Solid(WithAlpha(color, 60)));
  TFlashShape* streak = movie->AddRectangle(-20, -160, 20, 160);
  streak->SetLinearGradient(
      std::vector<uint32_t>{Rgb(0xFFFFFF, 0), Rgb(0xFFFFFF, 230), Rgb(0xFFFFFF, 0)}, 0);
  for (int f = 0; f < kFrames; ++f) {
    for (int i = 0; i < 2; ++i)
      PlacePose(*movie, streak, static_cast<uint16_t>(2 + i), f == 0,
                {-30 + 160.0 * std::fmod(f / double(kFrames) + i * 0.5, 1.0), 50, 1, 1, angle});
    movie->ShowFrame();
  }
  return MovieBytes(*movie);
}

// Tongues of flame rising through a 190 x 200 box.
std::vector<uint8_t> Flames() {
  auto movie = NewArtMovie(190, 200);
  TArtCanvas canvas(*movie);
  canvas.RoundRect(0, 0, 190, 200, 0, TPaint::Vertical(Rgb(0xFFD040), Rgb(0xD02000)));
  TFlashShape* tongue = movie->AddEllipse(-22, -45, 22, 45);
  tongue->SetRadialGradient(
      std::vector<uint32_t>{Rgb(0xFFFBD0, 230), Rgb(0xFFA020, 160), Rgb(0xFF4000, 0)}, 50, 60);
  constexpr int kTongues = 7;
  for (int f = 0; f < kFrames; ++f) {
    for (int i = 0; i < kTongues; ++i) {
      const double rise = std::fmod(f / double(kFrames) + i / double(kTongues), 1.0);
      PlacePose(*movie, tongue, static_cast<uint16_t>(2 + i), f == 0,
                {15 + i * 27.0, 230 - 260 * rise, 1, 1, 0});
    }
    movie->ShowFrame();
  }
  return MovieBytes(*movie);
}

// Glittering balls on a deep blue 200 x 200 ground.
std::vector<uint8_t> Balls() {
  auto movie = NewArtMovie(200, 200);
  TArtCanvas canvas(*movie);
  canvas.RoundRect(0, 0, 200, 200, 0, TPaint::Vertical(Rgb(0x2050C0), Rgb(0x102060)));
  std::minstd_rand random(7);
  TFlashShape* ball = movie->AddCircle(0, 0, 16);
  ball->SetRadialGradient(
      std::vector<uint32_t>{Rgb(0xFFFFFF), Rgb(0x80D0FF, 200), Rgb(0x4080FF, 0)}, 40, 40);
  constexpr int kBalls = 14;
  std::vector<std::pair<double, double>> spots;
  for (int i = 0; i < kBalls; ++i) spots.emplace_back(random() % 200, random() % 200);
  for (int f = 0; f < kFrames; ++f) {
    for (int i = 0; i < kBalls; ++i) {
      const double s = 0.6 + 0.5 * std::sin(2 * std::numbers::pi * (f / double(kFrames) + i / 7.0));
      PlacePose(
          *movie, ball, static_cast<uint16_t>(2 + i), f == 0,
          {spots[static_cast<size_t>(i)].first, spots[static_cast<size_t>(i)].second, s, s, 0});
    }
    movie->ShowFrame();
  }
  return MovieBytes(*movie);
}

}  // namespace

void GenerateLetterAnimations(TArtworkOutput& output) {
  output.AddDataFile("albumboader/text_effect1.swf", Streaks(Rgb(0x80C0FF), 20));
  output.AddDataFile("albumboader/text_effect2.swf", Streaks(Rgb(0xFFD060), -35));
  output.AddDataFile("albumboader/text_effect_fire.swf", Flames());
  output.AddDataFile("albumboader/backgroundball2.swf", Balls());
}

}  // namespace orvanta::artwork
