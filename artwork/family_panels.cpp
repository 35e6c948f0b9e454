#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <random>

#include "art_movie.h"
#include "art_paint.h"
#include "artwork_output.h"
#include "families.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_sprite.h"
#include "panel_designs.h"

namespace orvanta::artwork {

namespace {

// Frames and cards are drawn at this size and cut into nine slices; pictures at the larger
// size and scaled as a whole.
constexpr int32_t kFrameWidth = 200, kFrameHeight = 150;
constexpr int32_t kPictureWidth = 400, kPictureHeight = 300;

struct TPanelLook {
  int32_t W, H, L, T, B;
  uint32_t Color;

  // The largest corner radius that keeps every curve inside the unscaled corners.
  int32_t Corner(double share = 0.8) const {
    return static_cast<int32_t>(std::min({L, T, B}) * share);
  }
};

using TPanelDrawer = void (*)(TArtCanvas&, const TPanelLook&);

const uint32_t kWhite = Rgb(0xFFFFFF);

void DrawCard(TArtCanvas& canvas, const TPanelLook& p) {
  const int32_t r = p.Corner();
  canvas.RoundRect(3, 4, p.W + 3, p.H + 4, r, TPaint::Solid(Rgb(0, 60)));
  TFlashShape* body = canvas.RoundRect(
      0, 0, p.W, p.H, r, TPaint::Vertical(Lighter(p.Color, 0.88), Lighter(p.Color, 0.62)));
  canvas.Stroke(body, 2, Darker(p.Color, 0.1));
}

void DrawDoubleFrame(TArtCanvas& canvas, const TPanelLook& p) {
  const int32_t r = p.Corner(0.6);
  canvas.RoundRect(3, 3, p.W - 3, p.H - 3, r, TPaint::Solid(Lighter(p.Color, 0.92)));
  canvas.RoundFrame(0, 0, p.W, p.H, r, 6, TPaint::Vertical(p.Color, Darker(p.Color, 0.35)));
  canvas.RoundFrame(10, 10, p.W - 10, p.H - 10, std::max(0, r - 10), 2,
                    TPaint::Solid(Rgb(0xD4A93A)));
}

void DrawHeaderCard(TArtCanvas& canvas, const TPanelLook& p) {
  const int32_t r = std::min(p.Corner(), 14), band = p.T - 8;
  TFlashShape* body = canvas.RoundRect(0, 0, p.W, p.H, r, TPaint::Solid(Lighter(p.Color, 0.93)));
  canvas.Stroke(body, 2, p.Color);
  canvas.Path(
      0, 0, p.W, band,
      [&](TFlashEdges& e) {
        e.MoveTo(0, band);
        e.LineTo(0, r);
        e.CurveTo(0, 0, r, 0);
        e.LineTo(p.W - r, 0);
        e.CurveTo(p.W, 0, p.W, r);
        e.LineTo(p.W, band);
        e.LineTo(0, band);
      },
      TPaint::Linear(90, {{0, Lighter(p.Color, 0.3)}, {255, Darker(p.Color, 0.2)}}));
  canvas.RoundRect(r, 3, p.W - r, band / 2, 0,
                   TPaint::Vertical(WithAlpha(kWhite, 110), WithAlpha(kWhite, 0)));
}

void DrawGlass(TArtCanvas& canvas, const TPanelLook& p) {
  const int32_t r = p.Corner();
  TFlashShape* body = canvas.RoundRect(
      0, 0, p.W, p.H, r,
      TPaint::Vertical(WithAlpha(Lighter(p.Color, 0.7), 150), WithAlpha(p.Color, 110)));
  canvas.Stroke(body, 2, WithAlpha(kWhite, 220));
  canvas.RoundRect(4, 4, p.W - 4, p.T - 2, std::max(0, r - 4),
                   TPaint::Vertical(WithAlpha(kWhite, 140), WithAlpha(kWhite, 0)));
}

void DrawBubble(TArtCanvas& canvas, const TPanelLook& p) {
  // The bottom corners curve within what is left of the bottom row under the body.
  const int32_t r = std::min({p.L * 7 / 10, p.T * 7 / 10, p.B * 4 / 10}),
                bottom = p.H - p.B * 6 / 10;
  // The tail hangs from the bottom left, inside the corner that is never stretched.
  const int32_t tailLeft = p.L * 3 / 10, tailRight = p.L * 9 / 10;
  auto outline = [&](TFlashEdges& e) {
    e.MoveTo(r, 0);
    e.LineTo(p.W - r, 0);
    e.CurveTo(p.W, 0, p.W, r);
    e.LineTo(p.W, bottom - r);
    e.CurveTo(p.W, bottom, p.W - r, bottom);
    e.LineTo(tailRight, bottom);
    e.LineTo(p.L / 6, p.H - 2);
    e.LineTo(tailLeft, bottom);
    e.LineTo(std::min(r, tailLeft), bottom);
    e.CurveTo(0, bottom, 0, bottom - r);
    e.LineTo(0, r);
    e.CurveTo(0, 0, r, 0);
  };
  canvas.Path(0, 0, p.W, p.H, outline, TPaint::Solid(Rgb(0, 50)));
  TFlashShape* body =
      canvas.Path(0, 0, p.W, p.H, outline, TPaint::Vertical(kWhite, Lighter(p.Color, 0.8)));
  canvas.Stroke(body, 3, p.Color);
}

void DrawOrnateFrame(TArtCanvas& canvas, const TPanelLook& p) {
  const int32_t ring = std::min({p.L, p.T, p.B}) * 4 / 10;
  canvas.RoundRect(ring, ring, p.W - ring, p.H - ring, 0, TPaint::Solid(Lighter(p.Color, 0.88)));
  const TPaint gold = TPaint::Linear(
      90, {{0, Rgb(0xFFF1A8)}, {90, Rgb(0xD9A520)}, {170, Rgb(0x9A6A10)}, {255, Rgb(0xF2D06A)}});
  canvas.RoundFrame(0, 0, p.W, p.H, 4, ring, gold);
  canvas.RoundFrame(ring - 1, ring - 1, p.W - ring + 1, p.H - ring + 1, 0, 2,
                    TPaint::Solid(Rgb(0x6E4A08)));
  // A jewel on every corner.
  const int32_t s = ring * 7 / 10;
  for (auto [x, y] : {std::pair{ring / 2, ring / 2},
                      {p.W - ring / 2, ring / 2},
                      {ring / 2, p.H - ring / 2},
                      {p.W - ring / 2, p.H - ring / 2}}) {
    const std::vector<TFlashPoint> jewel = {{x, y - s}, {x + s, y}, {x, y + s}, {x - s, y}};
    canvas.Polygon(
        jewel, TPaint::Radial(35, 35, {{0, Lighter(p.Color, 0.6)}, {255, Darker(p.Color, 0.3)}}));
  }
}

void DrawNeon(TArtCanvas& canvas, const TPanelLook& p) {
  const int32_t r = p.Corner(0.7);
  canvas.RoundRect(4, 4, p.W - 4, p.H - 4, std::max(0, r - 4),
                   TPaint::Vertical(Rgb(0x10121C, 235), Darker(p.Color, 0.8)));
  canvas.RoundFrame(-6, -6, p.W + 6, p.H + 6, r + 6, 10, TPaint::Solid(WithAlpha(p.Color, 70)));
  canvas.RoundFrame(0, 0, p.W, p.H, r, 5, TPaint::Solid(Lighter(p.Color, 0.2)));
  canvas.RoundFrame(1, 1, p.W - 1, p.H - 1, r - 1, 2, TPaint::Solid(WithAlpha(kWhite, 200)));
}

void DrawMetalPlate(TArtCanvas& canvas, const TPanelLook& p) {
  const uint32_t steel = Mix(Rgb(0xB8BEC6), p.Color, 0.25);
  const int32_t r = p.Corner(0.4);
  canvas.RoundRect(
      0, 0, p.W, p.H, r,
      TPaint::Linear(90, {{0, Lighter(steel, 0.5)}, {128, steel}, {255, Darker(steel, 0.25)}}));
  canvas.RoundFrame(0, 0, p.W, p.H, r, 4,
                    TPaint::Vertical(Lighter(steel, 0.7), Darker(steel, 0.45)));
  const int32_t rivet = std::max(3, std::min({p.L, p.T, p.B}) / 6);
  for (auto [x, y] : {std::pair{p.L / 2, p.T / 2},
                      {p.W - p.L / 2, p.T / 2},
                      {p.L / 2, p.H - p.B / 2},
                      {p.W - p.L / 2, p.H - p.B / 2}})
    canvas.Ellipse(x - rivet, y - rivet, x + rivet, y + rivet,
                   TPaint::Radial(35, 30, {{0, kWhite}, {255, Darker(steel, 0.5)}}));
}

void DrawWoodFrame(TArtCanvas& canvas, const TPanelLook& p) {
  const uint32_t wood = Mix(Rgb(0x8A5A2B), p.Color, 0.18);
  const int32_t ring = std::min({p.L, p.T, p.B}) * 6 / 10;
  canvas.RoundRect(ring, ring, p.W - ring, p.H - ring, 0, TPaint::Solid(Rgb(0xF7EFDC)));
  canvas.RoundFrame(0, 0, p.W, p.H, 3, ring,
                    TPaint::Linear(90, {{0, Lighter(wood, 0.3)},
                                        {60, wood},
                                        {110, Lighter(wood, 0.15)},
                                        {180, Darker(wood, 0.2)},
                                        {255, Darker(wood, 0.4)}}));
  canvas.RoundFrame(ring - 2, ring - 2, p.W - ring + 2, p.H - ring + 2, 0, 3,
                    TPaint::Solid(Darker(wood, 0.5)));
}

void DrawTapedNote(TArtCanvas& canvas, const TPanelLook& p) {
  const int32_t top = p.T / 3;
  canvas.RoundRect(2, top + 3, p.W + 2, p.H + 3, 2, TPaint::Solid(Rgb(0, 50)));
  TFlashShape* note =
      canvas.RoundRect(0, top, p.W, p.H, 2, TPaint::Vertical(kWhite, Lighter(p.Color, 0.85)));
  canvas.Stroke(note, 1, Lighter(p.Color, 0.5));
  // Two strips of tape across the top corners, each inside its corner.
  const int32_t a = p.L * 9 / 10, t = std::min(p.L, p.T) / 3;
  const std::vector<TFlashPoint> leftTape = {{0, a - t}, {a - t, 0}, {a, t}, {t, a}};
  std::vector<TFlashPoint> rightTape;
  for (const TFlashPoint& q : leftTape) rightTape.push_back({p.W - q.X, q.Y});
  for (const auto& tape : {leftTape, rightTape})
    canvas.Polygon(tape, TPaint::Solid(WithAlpha(Lighter(p.Color, 0.3), 170)));
}

struct TFrameRecipe {
  TPanelDrawer Draw;
  int Left, Top, Bottom;
};

const std::array<TFrameRecipe, 10> kFrames = {{
    {DrawCard, 20, 20, 20},
    {DrawDoubleFrame, 24, 24, 24},
    {DrawHeaderCard, 20, 44, 20},
    {DrawGlass, 18, 18, 18},
    {DrawBubble, 40, 20, 44},
    {DrawOrnateFrame, 32, 32, 32},
    {DrawNeon, 24, 24, 24},
    {DrawMetalPlate, 26, 26, 26},
    {DrawWoodFrame, 28, 28, 28},
    {DrawTapedNote, 36, 36, 20},
}};

// Pictures, scaled whole: a landscape, a sun burst, a night sky, the sea, soft lights, a
// meadow and ribbons.
void DrawLandscape(TArtCanvas& canvas, const TPanelLook& p, std::minstd_rand&) {
  canvas.RoundRect(0, 0, p.W, p.H, 0,
                   TPaint::Vertical(Lighter(p.Color, 0.2), Lighter(p.Color, 0.85)));
  canvas.Ellipse(280, 40, 340, 100,
                 TPaint::Radial(50, 50, {{0, Rgb(0xFFFBE0)}, {255, Rgb(0xFFCC40)}}));
  const std::vector<TFlashPoint> mountains = {{0, 200},   {90, 90},   {160, 170}, {250, 70},
                                              {330, 160}, {400, 110}, {400, 300}, {0, 300}};
  canvas.Polygon(mountains, TPaint::Vertical(Rgb(0xE8EEF6), Mix(Rgb(0x5A6B84), p.Color, 0.3)));
  const std::vector<TFlashPoint> hills = {{0, 240},   {120, 200}, {260, 235},
                                          {400, 205}, {400, 300}, {0, 300}};
  canvas.Polygon(hills, TPaint::Vertical(Rgb(0x7CC05A), Rgb(0x2F7A32)));
}

void DrawSunburst(TArtCanvas& canvas, const TPanelLook& p, std::minstd_rand&) {
  canvas.RoundRect(0, 0, p.W, p.H, 0, TPaint::Solid(p.Color));
  constexpr int kRays = 16;
  for (int i = 0; i < kRays; i += 2) {
    const double a0 = 2 * std::numbers::pi * i / kRays, a1 = 2 * std::numbers::pi * (i + 1) / kRays;
    const std::vector<TFlashPoint> ray = {{200, 150},
                                          {200 + static_cast<int32_t>(400 * std::cos(a0)),
                                           150 + static_cast<int32_t>(400 * std::sin(a0))},
                                          {200 + static_cast<int32_t>(400 * std::cos(a1)),
                                           150 + static_cast<int32_t>(400 * std::sin(a1))}};
    canvas.Polygon(ray, TPaint::Solid(Lighter(p.Color, 0.3)));
  }
  canvas.Ellipse(
      0, -50, 400, 350,
      TPaint::Radial(50, 50, {{0, WithAlpha(kWhite, 200)}, {255, WithAlpha(kWhite, 0)}}));
}

void DrawNightSky(TArtCanvas& canvas, const TPanelLook& p, std::minstd_rand& random) {
  canvas.RoundRect(0, 0, p.W, p.H, 0, TPaint::Vertical(Rgb(0x070B22), Darker(p.Color, 0.35)));
  for (int i = 0; i < 40; ++i) {
    const int32_t x = static_cast<int32_t>(random() % 400),
                  y = static_cast<int32_t>(random() % 230);
    const int32_t s = 1 + static_cast<int32_t>(random() % 3);
    canvas.Ellipse(x - s, y - s, x + s, y + s, TPaint::Solid(WithAlpha(kWhite, 220)));
  }
  canvas.Ellipse(290, 30, 350, 90, TPaint::Solid(Rgb(0xFFF6D8)));
  canvas.Ellipse(305, 22, 365, 82, TPaint::Solid(Rgb(0x0C1230)));
  const std::vector<TFlashPoint> town = {{0, 300},   {0, 250},   {40, 250},  {40, 220},  {80, 220},
                                         {80, 260},  {130, 260}, {130, 210}, {170, 210}, {170, 245},
                                         {240, 245}, {240, 225}, {300, 225}, {300, 255}, {350, 255},
                                         {350, 235}, {400, 235}, {400, 300}};
  canvas.Polygon(town, TPaint::Solid(Rgb(0x05060E)));
}

void DrawSea(TArtCanvas& canvas, const TPanelLook& p, std::minstd_rand&) {
  canvas.RoundRect(0, 0, p.W, 180, 0, TPaint::Vertical(Lighter(p.Color, 0.4), Rgb(0xFFD9A0)));
  canvas.Ellipse(160, 120, 240, 200,
                 TPaint::Radial(50, 50, {{0, Rgb(0xFFF4C0)}, {255, Rgb(0xFF9A3C)}}));
  canvas.RoundRect(0, 170, p.W, p.H, 0,
                   TPaint::Vertical(Mix(Rgb(0x2A7BB8), p.Color, 0.3), Rgb(0x0C2E58)));
  for (int i = 0; i < 5; ++i)
    canvas.Ellipse(-40 + i * 60, 185 + i * 22, 440 - i * 50, 195 + i * 22,
                   TPaint::Solid(WithAlpha(kWhite, static_cast<uint8_t>(90 - i * 12))));
}

void DrawSoftLights(TArtCanvas& canvas, const TPanelLook& p, std::minstd_rand& random) {
  canvas.RoundRect(0, 0, p.W, p.H, 0,
                   TPaint::Linear(45, {{0, Darker(p.Color, 0.5)}, {255, HueShift(p.Color, 50)}}));
  for (int i = 0; i < 18; ++i) {
    const int32_t x = static_cast<int32_t>(random() % 400),
                  y = static_cast<int32_t>(random() % 300);
    const int32_t s = 12 + static_cast<int32_t>(random() % 36);
    canvas.Ellipse(x - s, y - s, x + s, y + s,
                   TPaint::Radial(50, 50,
                                  {{0, WithAlpha(Lighter(p.Color, 0.7), 150)},
                                   {200, WithAlpha(Lighter(p.Color, 0.5), 80)},
                                   {255, WithAlpha(kWhite, 0)}}));
  }
}

void DrawMeadow(TArtCanvas& canvas, const TPanelLook& p, std::minstd_rand& random) {
  canvas.RoundRect(0, 0, p.W, p.H, 0, TPaint::Vertical(Rgb(0xBFE6FF), Rgb(0x9CD67A)));
  canvas.RoundRect(0, 170, p.W, p.H, 0, TPaint::Vertical(Rgb(0x6DBE45), Rgb(0x2F7A2A)));
  for (int i = 0; i < 30; ++i) {
    const int32_t x = static_cast<int32_t>(random() % 400),
                  y = 180 + static_cast<int32_t>(random() % 115);
    const int32_t s = 4 + (y - 170) / 20;
    canvas.Polygon(StarPoints(x, y, s, s / 2.0, 5, i),
                   TPaint::Solid(HueShift(p.Color, 40.0 * (i % 5))));
    canvas.Ellipse(x - s / 3, y - s / 3, x + s / 3, y + s / 3, TPaint::Solid(Rgb(0xFFE14A)));
  }
}

void DrawRibbons(TArtCanvas& canvas, const TPanelLook& p, std::minstd_rand&) {
  canvas.RoundRect(0, 0, p.W, p.H, 0, TPaint::Solid(Lighter(p.Color, 0.85)));
  for (int i = -4; i < 10; ++i) {
    const int32_t x = i * 60;
    const std::vector<TFlashPoint> stripe = {{x, 0}, {x + 30, 0}, {x + 330, 300}, {x + 300, 300}};
    canvas.Polygon(stripe, TPaint::Solid(WithAlpha(HueShift(p.Color, i * 25.0), 150)));
  }
  canvas.RoundRect(60, 50, 340, 250, 20,
                   TPaint::Vertical(WithAlpha(kWhite, 230), WithAlpha(kWhite, 190)));
}

using TPictureDrawer = void (*)(TArtCanvas&, const TPanelLook&, std::minstd_rand&);
constexpr std::array<TPictureDrawer, 7> kPictures = {
    DrawLandscape, DrawSunburst, DrawNightSky, DrawSea, DrawSoftLights, DrawMeadow, DrawRibbons};

// Every fifth template is a picture; six frames carry no marker at all.
bool IsPicture(int k) {
  return k % 5 == 0;
}
bool IsUnmarked(int k) {
  return k == 17 || k == 34 || k == 51 || k == 68 || k == 86 || k == 102;
}

const std::array<uint32_t, 8> kPanelColors = {Rgb(0x2F7FD8), Rgb(0xD6455A), Rgb(0x3AA64A),
                                              Rgb(0xF0961E), Rgb(0x8C4FD2), Rgb(0x1FA7A0),
                                              Rgb(0x5B6B80), Rgb(0xC9A227)};

// Which frame recipe and colour the k-th template uses (pictures count separately).
struct TPanelChoice {
  size_t Recipe;
  uint32_t Color;
};

TPanelChoice ChoiceOf(int k) {
  const int picturesBefore = k / 5, ordinal = k - 1 - picturesBefore;
  if (IsPicture(k))
    return {static_cast<size_t>(k / 5 - 1) % kPictures.size(),
            kPanelColors[static_cast<size_t>(k / 5 * 3) % kPanelColors.size()]};
  // Colours change every full round of recipes, so each recipe shows in several colours.
  return {static_cast<size_t>(ordinal) % kFrames.size(),
          kPanelColors[static_cast<size_t>(ordinal / 10 + ordinal) % kPanelColors.size()]};
}

std::vector<uint8_t> DrawPanel(int k, const TPanelMargins& margins) {
  const TPanelChoice choice = ChoiceOf(k);
  const bool picture = margins.Kind == TPanelMargins::TKind::Uniform;
  const int32_t w = picture ? kPictureWidth : kFrameWidth,
                h = picture ? kPictureHeight : kFrameHeight;
  auto movie = NewArtMovie(w, h);
  TArtCanvas canvas(*movie);
  const TPanelLook look = {w, h, margins.Left, margins.Top, margins.Bottom, choice.Color};
  if (picture) {
    std::minstd_rand random(static_cast<uint32_t>(k));
    kPictures[choice.Recipe](canvas, look, random);
  } else {
    kFrames[choice.Recipe].Draw(canvas, look);
  }
  if (!margins.Marker().empty()) {
    // An empty sprite carries the margins by its instance name on the first frame.
    TFlashSprite* marker = movie->AddSprite();
    movie->PlaceObject(marker, canvas.NextDepth())->SetName(margins.Marker());
  }
  movie->ShowFrame();
  return MovieBytes(*movie);
}

}  // namespace

size_t PanelPictureKinds() {
  return kPictures.size();
}

std::vector<uint8_t> PanelPicture(size_t kind, uint32_t color, uint32_t seed) {
  auto movie = NewArtMovie(kPictureWidth, kPictureHeight);
  TArtCanvas canvas(*movie);
  std::minstd_rand random(seed);
  kPictures.at(kind)(canvas, {kPictureWidth, kPictureHeight, 1, 1, 1, color}, random);
  movie->ShowFrame();
  return MovieBytes(*movie);
}

std::string TPanelMargins::Marker() const {
  switch (Kind) {
    case TKind::Unmarked:
      return {};
    case TKind::Uniform:
      return "b-posi1x1x1p";
    case TKind::NineSlice:
      break;
  }
  return "b-posi" + std::to_string(Left) + "x" + std::to_string(Top) + "x" +
         std::to_string(Bottom) + "p";
}

const std::vector<TPanelMargins>& PanelMargins() {
  static const std::vector<TPanelMargins> margins = [] {
    std::vector<TPanelMargins> list;
    for (int k = 1; k <= 106; ++k) {
      if (IsPicture(k))
        list.push_back({TPanelMargins::TKind::Uniform, 1, 1, 1});
      else if (IsUnmarked(k))
        list.push_back({TPanelMargins::TKind::Unmarked, 30, 30, 30});
      else {
        const TFrameRecipe& recipe = kFrames[ChoiceOf(k).Recipe];
        list.push_back({TPanelMargins::TKind::NineSlice, recipe.Left, recipe.Top, recipe.Bottom});
      }
    }
    return list;
  }();
  return margins;
}

void GenerateShapePanels(TArtworkOutput& output) {
  const auto& margins = PanelMargins();
  for (int k = 1; k <= static_cast<int>(margins.size()); ++k)
    output.AddTemplate("panels", "SHAPETEMPLATE" + std::to_string(k),
                       DrawPanel(k, margins[static_cast<size_t>(k - 1)]));
}

}  // namespace orvanta::artwork
