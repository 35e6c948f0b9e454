#include <cmath>
#include <numbers>

#include "art_motion.h"
#include "art_movie.h"
#include "art_paint.h"
#include "artwork_output.h"
#include "families.h"
#include "movie/flash_movie.h"
#include "movie/flash_shape.h"

namespace orvanta::artwork {

// A four-rayed twinkle centred on the origin, already lit on frame 1 (the background strips
// capture that frame).
void GenerateStar(TArtworkOutput& output) {
  auto movie = NewArtMovie(40, 40);
  TFlashShape* glow = movie->AddCircle(0, 0, 12);
  glow->SetRadialGradient(Rgb(0xFFF6C0, 200), Rgb(0xFFD040, 0), 50, 50);
  TFlashShape* rays = movie->AddPolygon(StarPoints(0, 0, 20, 4, 4, -std::numbers::pi / 2));
  rays->SetRadialGradient(Rgb(0xFFFFFF), Rgb(0xFFE070), 50, 50);
  constexpr int kFrames = 10;
  for (int f = 0; f < kFrames; ++f) {
    const double s = 1 - 0.35 * std::sin(std::numbers::pi * f / kFrames);
    PlacePose(*movie, glow, 1, f == 0, {0, 0, s, s, 0});
    PlacePose(*movie, rays, 2, f == 0, {0, 0, s, s, 0});
    movie->ShowFrame();
  }
  output.AddDataFile("albumboader/star.swf", MovieBytes(*movie));
}

}  // namespace orvanta::artwork
