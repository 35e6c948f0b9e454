#include <cmath>
#include <functional>
#include <string>

#include "art_motion.h"
#include "art_movie.h"
#include "art_paint.h"
#include "artwork_output.h"
#include "families.h"
#include "movie/flash_movie.h"
#include "movie/flash_shape.h"

namespace orvanta::artwork {

namespace {

// The editors' small previews of the text effects and photo transitions: a row of letter
// tiles, or two pictures, moving the way each effect moves them.
constexpr int32_t kWidth = 200, kHeight = 120;
constexpr int kFrames = 24, kTiles = 5;

TFlashShape* Card(TFlashMovie& movie) {
  TFlashShape* card = movie.AddRectangle(0, 0, kWidth, kHeight);
  card->SetLinearGradient(Rgb(0xEEF3F8), Rgb(0xC8D4E2), -90);
  return card;
}

// Where tile i stands at time t (0 ... 1) under a text effect, and how opaque it is.
using TTileMotion = std::function<TPose(int i, double t, double& alpha)>;

std::vector<uint8_t> TextPreview(const TTileMotion& motion) {
  auto movie = NewArtMovie(kWidth, kHeight);
  movie->PlaceObject(Card(*movie), 1);
  std::vector<TFlashShape*> tiles;
  for (int i = 0; i < kTiles; ++i) {
    TFlashShape* tile = movie->AddRoundRect(-14, -18, 14, 18, 6);
    tile->SetLinearGradient(HueShift(Rgb(0x3A7BD5), 30.0 * i),
                            Darker(HueShift(Rgb(0x3A7BD5), 30.0 * i), 0.4), -90);
    tiles.push_back(tile);
  }
  for (int f = 0; f < kFrames; ++f) {
    const double t = std::min(1.0, f / (kFrames * 0.75));
    for (int i = 0; i < kTiles; ++i) {
      double alpha = 1;
      const TPose pose = motion(i, t, alpha);
      PlacePose(*movie, tiles[static_cast<size_t>(i)], static_cast<uint16_t>(2 + i), f == 0, pose,
                alpha);
    }
    movie->ShowFrame();
  }
  return MovieBytes(*movie);
}

double TileX(int i) {
  return 40 + i * 30.0;
}

// TextEffectID 1 ... 10 in order.
std::vector<TTileMotion> TextMotions() {
  const double y = kHeight / 2.0;
  return {
      [=](int i, double t, double&) {
        return TPose{TileX(i), y, 1, 1, 1080 * t};
      },
      [=](int i, double t, double&) {
        const double s = 0.2 + 0.8 * t;
        return TPose{TileX(i), y, s, s, 1080 * t};
      },
      [=](int i, double t, double&) {
        const double s = 0.2 + 0.8 * t;
        return TPose{TileX(i), y, s, s, 0};
      },
      [=](int i, double t, double&) {
        return TPose{TileX(i) + kWidth * (1 - t), y, std::max(0.05, t), 1, 0};
      },
      [=](int i, double t, double&) {
        return TPose{TileX(i), y + kHeight / 2.0 * (1 - t), 1, std::max(0.05, t), 0};
      },
      [=](int i, double t, double&) {
        return TPose{TileX(i) - kWidth * (1 - t), y, std::max(0.05, t), 1, 0};
      },
      [=](int i, double t, double&) {
        return TPose{TileX(i), y - kHeight * (1 - t), 1, 2 - t, 0};
      },
      [=](int i, double t, double& alpha) {
        alpha = t;
        return TPose{TileX(i), y, 1, 1, 0};
      },
      [=](int i, double t, double& alpha) {
        alpha = i < t * kTiles ? 1 : 0;
        return TPose{TileX(i), y, 1, 1, 0};
      },
      [=](int i, double t, double& alpha) {
        alpha = i < t * kTiles ? 1 : 0;
        return TPose{TileX(i), y, 1, 1, 1080 * t};
      },
  };
}

// Where the incoming picture stands at time t under a transition, and how opaque it is.
using TPictureMotion = std::function<TPose(double t, double& alpha)>;

std::vector<uint8_t> AlbumPreview(const TPictureMotion& motion) {
  auto movie = NewArtMovie(kWidth, kHeight);
  TFlashShape* first = movie->AddRectangle(-kWidth / 2, -kHeight / 2, kWidth / 2, kHeight / 2);
  first->SetLinearGradient(Rgb(0x87B8E8), Rgb(0x3A7A3A), -90);
  TFlashShape* second = movie->AddRectangle(-kWidth / 2, -kHeight / 2, kWidth / 2, kHeight / 2);
  second->SetRadialGradient(Rgb(0xFFE6A0), Rgb(0xD05A2A), 50, 40);
  for (int f = 0; f < kFrames; ++f) {
    const double t = std::min(1.0, f / (kFrames * 0.75));
    PlacePose(*movie, first, 1, f == 0, {kWidth / 2.0, kHeight / 2.0, 1, 1, 0});
    double alpha = 1;
    const TPose pose = motion(t, alpha);
    PlacePose(*movie, second, 2, f == 0, pose, alpha);
    movie->ShowFrame();
  }
  return MovieBytes(*movie);
}

// Transitions 5 ... 11 in order.
std::vector<TPictureMotion> AlbumMotions() {
  const double cx = kWidth / 2.0, cy = kHeight / 2.0;
  auto fade = [=](double t, double& alpha) {
    alpha = t;
    return TPose{cx, cy, 1, 1, 0};
  };
  auto lines = [=](double t, double&) { return TPose{cx, cy, 1, std::max(0.01, t), 0}; };
  auto boxes = [=](double t, double&) {
    const double s = std::max(0.01, t);
    return TPose{cx, cy, s, s, 0};
  };
  auto fly = [=](double t, double&) {
    const double s = 2 - t;
    return TPose{cx + kWidth * (1 - t), cy, s, s, 0};
  };
  auto flyFaded = [=](double t, double& alpha) {
    alpha = 0.5 + 0.5 * t;
    const double s = 2 - t;
    return TPose{cx, cy - kHeight * (1 - t), s, s, 0};
  };
  auto lineFade = [=](double t, double& alpha) {
    alpha = t;
    return TPose{cx, cy, 1, std::max(0.01, t), 0};
  };
  auto lineFadeAcross = [=](double t, double& alpha) {
    alpha = t;
    return TPose{cx, cy, std::max(0.01, t), 1, 0};
  };
  return {fade, lines, boxes, fly, flyFaded, lineFade, lineFadeAcross};
}

}  // namespace

void GeneratePreviews(TArtworkOutput& output) {
  // Effect 0 is "None": the card alone.
  output.AddDataFile("prevswf/text0.swf", TextPreview([](int, double, double& alpha) {
                       alpha = 0;
                       return TPose{};
                     }));
  const auto text = TextMotions();
  for (size_t i = 0; i < text.size(); ++i)
    output.AddDataFile("prevswf/text" + std::to_string(i + 1) + ".swf", TextPreview(text[i]));
  const auto album = AlbumMotions();
  for (size_t i = 0; i < album.size(); ++i)
    output.AddDataFile("prevswf/album" + std::to_string(i + 1) + ".swf", AlbumPreview(album[i]));
}

}  // namespace orvanta::artwork
