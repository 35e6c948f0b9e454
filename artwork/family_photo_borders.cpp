#include <string>

#include "art_movie.h"
#include "art_paint.h"
#include "artwork_output.h"
#include "families.h"
#include "movie/flash_movie.h"
#include "movie/flash_shape.h"

namespace orvanta::artwork {

namespace {

// Borders lie over the photo, stretched to its size, so they stay thin and leave the centre
// clear.
constexpr int32_t kWidth = 200, kHeight = 150;

std::vector<uint8_t> DrawBorder(int k) {
  auto movie = NewArtMovie(kWidth, kHeight);
  TArtCanvas canvas(*movie);
  const uint32_t color = HueShift(Rgb(0x2F7FD8), 47.0 * k);
  const int32_t width = 5 + k % 4 * 2;
  switch (k % 4) {
    case 0:  // plain
      canvas.RoundFrame(0, 0, kWidth, kHeight, 0, width, TPaint::Solid(color));
      break;
    case 1:  // bevelled
      canvas.RoundFrame(0, 0, kWidth, kHeight, 0, width,
                        TPaint::Linear(45, {{0, Lighter(color, 0.6)}, {255, Darker(color, 0.45)}}));
      break;
    case 2:  // two lines
      canvas.RoundFrame(0, 0, kWidth, kHeight, 6, width / 2 + 1, TPaint::Solid(color));
      canvas.RoundFrame(width, width, kWidth - width, kHeight - width, 3, 2,
                        TPaint::Solid(Lighter(color, 0.5)));
      break;
    default:  // rounded with a white keyline
      canvas.RoundFrame(0, 0, kWidth, kHeight, 14, width,
                        TPaint::Vertical(Lighter(color, 0.2), Darker(color, 0.3)));
      canvas.RoundFrame(width - 1, width - 1, kWidth - width + 1, kHeight - width + 1, 10, 2,
                        TPaint::Solid(Rgb(0xFFFFFF, 220)));
      break;
  }
  movie->ShowFrame();
  return MovieBytes(*movie);
}

}  // namespace

void GeneratePhotoBorders(TArtworkOutput& output) {
  for (int k = 1; k <= 23; ++k)
    output.AddDataFile("albumboader/" + std::to_string(k) + ".swf", DrawBorder(k));
}

}  // namespace orvanta::artwork
