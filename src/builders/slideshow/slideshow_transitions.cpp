#include "builders/slideshow/slideshow_transitions.h"

#include <algorithm>
#include <array>
#include <vector>

#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "platform/random.h"

namespace orvanta {

namespace {

// The design box the mask movies are drawn for.
constexpr int kMaskMovieWidth = 465, kMaskMovieHeight = 350;

TFlashPlaceObject* Place(TFlashSprite& sprite, TFlashVisualObject* object, int depth, int x,
                         int y) {
  TFlashPlaceObject* place = sprite.PlaceObject(object, uint16_t(depth));
  place->SetTranslate(x, y);
  return place;
}

// The photo placed afresh at a depth: what stood there before goes first.
TFlashPlaceObject* PlaceAnew(TFlashSprite& sprite, TFlashVisualObject* object, int depth, int x,
                             int y, bool first) {
  if (!first) sprite.RemoveObject(uint16_t(depth));
  return Place(sprite, object, depth, x, y);
}

void SetAlpha(TFlashPlaceObject* place, int alpha) {
  place->SetColorTransform(false, 0, 0, 0, 0, true, 256, 256, 256, alpha, true);
}

// The offset n tenths of the box away in direction d: 0 from the left, then clockwise.
void DirectionOffset(const TSlideshowSettings& s, int d, int n, int& x, int& y) {
  static constexpr std::array<int, 8> kX{-1, -1, 0, 1, 1, 1, 0, -1};
  static constexpr std::array<int, 8> kY{0, -1, -1, -1, 0, 1, 1, 1};
  x = kX[size_t(d)] * (n * s.BoxWidth / 10);
  y = kY[size_t(d)] * (n * s.BoxHeight / 10);
}

void MaskMovieReveal(TTransitionStage& t, TFlashSprite& photo, int cx, int cy) {
  const TSlideshowSettings& s = t.Settings;
  t.Show.RemoveObject(5);
  t.Show.RemoveObject(4);
  TFlashPlaceObject* mask = Place(t.Show, t.MaskMovie, 4, cx, cy);
  mask->SetScale(double(s.BoxWidth) / kMaskMovieWidth, double(s.BoxHeight) / kMaskMovieHeight);
  mask->SetClipDepth(5);
  Place(t.Show, &photo, 5, cx, cy);
  t.Show.ShowFrame(30);
  t.Show.RemoveObject(4);
  t.Show.ShowFrame();
}

// Random Line and Random Box: a mask of cells that grows by random picks every frame.
void RandomCells(TTransitionStage& t, TFlashSprite& photo, int cx, int cy, int columns, int rows,
                 int firstPicks) {
  const TSlideshowSettings& s = t.Settings;
  const int cellWidth = std::max(1, s.BoxWidth / columns);
  const int cellHeight = std::max(1, s.BoxHeight / rows);
  TFlashShape* cell = t.Movie.AddRectangle(0, 0, cellWidth, cellHeight);
  cell->SetSolidColor(255, 0, 0, 255);
  const int cells = columns * rows;
  std::vector<bool> shown(size_t(cells), false);
  // Cell number k stands in column k / rows and row k % rows.
  auto placeCell = [&](TFlashSprite& mask, int k, int depth) {
    Place(mask, cell, depth, (k / rows) * cellWidth, (k % rows) * cellHeight);
  };
  for (int j = 0; j < 10; ++j) {
    TFlashSprite* mask = t.Movie.AddSprite();
    for (int k = 0; k < cells; ++k)
      if (shown[size_t(k)]) placeCell(*mask, k, k);
    for (int pick = 0; pick < 2 * j + firstPicks; ++pick) {
      int k = 0;
      if (columns == 1) {
        k = int(t.Random.Next(uint32_t(rows)));
      } else {
        const int a = int(t.Random.Next(uint32_t(columns)));
        k = a * rows + int(t.Random.Next(uint32_t(rows)));
      }
      if (shown[size_t(k)]) continue;
      shown[size_t(k)] = true;
      placeCell(*mask, k, 1000 + k);
    }
    mask->ShowFrame();
    PlaceAnew(t.Show, mask, 4, s.BoxX, s.BoxY, j == 0)->SetClipDepth(5);
    PlaceAnew(t.Show, &photo, 5, cx, cy, j == 0);
    t.Show.ShowFrame();
  }
}

// Transparency Line and Line2: two interleaved sets of 5-pixel strips, one below the other.
void PlaceLineMasks(TTransitionStage& t) {
  const TSlideshowSettings& s = t.Settings;
  TFlashShape* strip = t.Movie.AddRectangle(0, 0, s.BoxWidth, 5);
  strip->SetSolidColor(255, 0, 0, 255);
  TFlashSprite* mask = t.Movie.AddSprite();
  for (int k = 0; k < s.BoxHeight / 5 + 11; ++k) Place(*mask, strip, 1000 + k, 0, 10 * k);
  mask->ShowFrame();
  Place(t.Show, mask, 4, s.BoxX, s.BoxY)->SetClipDepth(5);
  Place(t.Show, mask, 6, s.BoxX, s.BoxY + 5)->SetClipDepth(7);
}

}  // namespace

int TransitionFrames(int transition) {
  if (UsesMaskMovie(transition)) return 31;
  switch (TTransition(transition)) {
    case TTransition::RandomLine:
    case TTransition::RandomBox:
      return 10;
    case TTransition::Transparence:
    case TTransition::MoveFly:
    case TTransition::MoveFly2:
    case TTransition::TransparencyLine:
    case TTransition::TransparencyLine2:
      return 11;
    default:
      return 0;
  }
}

void BuildTransition(TTransitionStage& t, TFlashSprite& photo, int cx, int cy, int p) {
  const TSlideshowSettings& s = t.Settings;
  if (UsesMaskMovie(s.Transition)) {
    if (t.MaskMovie) MaskMovieReveal(t, photo, cx, cy);
    return;
  }
  const int d = p % 8;
  int x = 0, y = 0;
  switch (TTransition(s.Transition)) {
    case TTransition::Transparence:
      for (int j = 0; j <= 10; ++j) {
        SetAlpha(PlaceAnew(t.Show, &photo, 4, cx, cy, j == 0), 14 + 24 * j);
        t.Show.ShowFrame();
      }
      break;
    case TTransition::RandomLine:
      RandomCells(t, photo, cx, cy, 1, 100, 31);
      break;
    case TTransition::RandomBox:
      RandomCells(t, photo, cx, cy, 10, 10, 10);
      break;
    case TTransition::MoveFly:
    case TTransition::MoveFly2:
      for (int n = 10; n >= 0; --n) {
        const double scale = n / 10.0 + 1;
        const bool two = s.Transition == int(TTransition::MoveFly2);
        DirectionOffset(s, d, n, x, y);
        TFlashPlaceObject* place = PlaceAnew(t.Show, &photo, two ? 5 : 4, cx + x, cy + y, n == 10);
        place->SetScale(scale, scale);
        if (!two) {
          t.Show.ShowFrame();
          continue;
        }
        SetAlpha(place, 128);
        DirectionOffset(s, (d + 4) % 8, n, x, y);
        place = PlaceAnew(t.Show, &photo, 4, cx + x, cy + y, n == 10);
        place->SetScale(scale, scale);
        SetAlpha(place, 128);
        t.Show.ShowFrame();
      }
      break;
    case TTransition::TransparencyLine:
    case TTransition::TransparencyLine2:
      PlaceLineMasks(t);
      for (int n = 10; n >= 0; --n) {
        const bool first = n == 10;
        if (s.Transition == int(TTransition::TransparencyLine)) {
          PlaceAnew(t.Show, &photo, 5, cx, cy - n * s.BoxHeight / 10, first);
          PlaceAnew(t.Show, &photo, 7, cx, cy + n * s.BoxHeight / 10, first);
        } else {
          const int upper = cx + int(t.Random.Next(uint32_t(n + 2)));
          SetAlpha(PlaceAnew(t.Show, &photo, 5, upper, cy, first), 14 + 24 * (10 - n));
          const int lower = cx + int(t.Random.Next(uint32_t(n + 2)));
          SetAlpha(PlaceAnew(t.Show, &photo, 7, lower, cy, first), 134 + 12 * (10 - n));
        }
        t.Show.ShowFrame();
      }
      break;
    default:
      break;
  }
}

}  // namespace orvanta
