#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <optional>

#include "art_movie.h"
#include "art_paint.h"
#include "artwork_output.h"
#include "families.h"
#include "movie/flash_movie.h"
#include "platform/button_styles.h"

namespace orvanta::artwork {

namespace {

// What one drawing of a style needs: its box, its colour and whether the pointer is over it.
// The over state is drawn whole (the normal one is hidden under the pointer), lit up.
struct TButtonLook {
  int32_t W, H;
  uint32_t Color;
  bool Over;

  int32_t Side() const { return std::min(W, H); }
  uint32_t Face() const { return Over ? Lighter(Color, 0.3) : Color; }
};

using TButtonDrawer = void (*)(TArtCanvas&, const TButtonLook&);

const uint32_t kWhite = Rgb(0xFFFFFF);

int32_t Scaled(int32_t side, double k) {
  return std::max<int32_t>(1, static_cast<int32_t>(std::lround(side * k)));
}

// The box of the largest circle centred in the button, inset by `inset` pixels.
std::array<int32_t, 4> CenteredSquare(const TButtonLook& b, int32_t inset) {
  const int32_t s = b.Side() - 2 * inset, x = (b.W - s) / 2, y = (b.H - s) / 2;
  return {x, y, x + s, y + s};
}

// A white sheen fading downwards, the reflection of a light above the button.
TPaint Sheen(uint8_t alpha) {
  return TPaint::Vertical(WithAlpha(kWhite, alpha), WithAlpha(kWhite, 0));
}

void DrawOrb(TArtCanvas& canvas, const TButtonLook& b) {
  const uint32_t c = b.Face();
  if (b.Over) {
    const auto [gx0, gy0, gx1, gy1] = CenteredSquare(b, 0);
    canvas.Ellipse(gx0, gy0, gx1, gy1,
                   TPaint::Radial(50, 50,
                                  {{0, WithAlpha(Lighter(c, 0.5), 220)},
                                   {200, WithAlpha(Lighter(c, 0.3), 150)},
                                   {255, WithAlpha(c, 0)}}));
  }
  const auto [x0, y0, x1, y1] = CenteredSquare(b, Scaled(b.Side(), 0.07));
  TFlashShape* body = canvas.Ellipse(
      x0, y0, x1, y1,
      TPaint::Radial(38, 30, {{0, Lighter(c, 0.6)}, {120, c}, {255, Darker(c, 0.5)}}));
  canvas.Stroke(body, std::max(1, b.Side() / 60), Darker(c, 0.6));
  const int32_t r = (x1 - x0) / 2, cx = x0 + r;
  canvas.Ellipse(cx - r * 62 / 100, y0 + r * 8 / 100, cx + r * 62 / 100, y0 + r * 90 / 100,
                 Sheen(b.Over ? 230 : 190));
}

void DrawPlate(TArtCanvas& canvas, const TButtonLook& b) {
  const uint32_t c = b.Face();
  const int32_t r = Scaled(b.Side(), 0.12), bevel = std::max(3, Scaled(b.Side(), 0.09));
  canvas.RoundRect(0, 0, b.W, b.H, r, TPaint::Solid(Darker(c, 0.55)));
  canvas.RoundRect(1, 1, b.W - 1, b.H - 1, r,
                   TPaint::Linear(45, {{0, Lighter(c, 0.65)}, {255, Darker(c, 0.4)}}));
  TFlashShape* face =
      canvas.RoundRect(bevel, bevel, b.W - bevel, b.H - bevel, std::max(1, r - bevel / 2),
                       TPaint::Vertical(Lighter(c, 0.18), Darker(c, 0.08)));
  if (b.Over) canvas.Stroke(face, 1, WithAlpha(kWhite, 200));
}

void DrawPill(TArtCanvas& canvas, const TButtonLook& b) {
  const uint32_t c = b.Face();
  const int32_t r = b.H / 2;
  TFlashShape* body = canvas.RoundRect(
      1, 1, b.W - 1, b.H - 1, r,
      TPaint::Linear(
          90, {{0, Lighter(c, 0.5)}, {118, Lighter(c, 0.12)}, {134, c}, {255, Darker(c, 0.3)}}));
  canvas.Stroke(body, 1, Darker(c, 0.55));
  canvas.RoundRect(r / 2, 3, b.W - r / 2, b.H * 48 / 100, r / 2, Sheen(b.Over ? 200 : 150));
  if (b.Over)
    canvas.Stroke(canvas.RoundRect(2, 2, b.W - 2, b.H - 2, r, TPaint::Solid(0)), 2,
                  WithAlpha(Lighter(c, 0.7), 220));
}

void DrawRing(TArtCanvas& canvas, const TButtonLook& b) {
  const uint32_t c = b.Face();
  const auto [x0, y0, x1, y1] = CenteredSquare(b, 2);
  const int32_t width = std::max(2, Scaled(b.Side(), 0.11));
  canvas.Ellipse(x0 + width, y0 + width, x1 - width, y1 - width,
                 b.Over ? TPaint::Radial(50, 40, {{0, Lighter(c, 0.8)}, {255, Lighter(c, 0.45)}})
                        : TPaint::Solid(WithAlpha(Lighter(c, 0.9), 150)));
  TFlashShape* ring = canvas.EllipseFrame(
      x0, y0, x1, y1, width, TPaint::Linear(60, {{0, Lighter(c, 0.4)}, {255, Darker(c, 0.35)}}));
  canvas.Stroke(ring, 1, Darker(c, 0.5));
}

void DrawStar(TArtCanvas& canvas, const TButtonLook& b) {
  const uint32_t c = b.Face();
  const double cx = b.W / 2.0, cy = b.H / 2.0, r1 = b.Side() / 2.0 - 2, r2 = r1 * 0.84;
  constexpr int kPoints = 18;
  // The over state turns the burst half a point, so the edge seems to flash.
  const double turn = b.Over ? std::numbers::pi / kPoints : 0;
  const std::vector<TFlashPoint> points = StarPoints(cx, cy, r1, r2, kPoints, turn);
  canvas.Polygon(points, TPaint::Radial(50, 50, {{0, Lighter(c, 0.45)}, {255, Darker(c, 0.3)}}));
  const int32_t inner = static_cast<int32_t>(r1 * 0.7);
  const int32_t ix = static_cast<int32_t>(cx), iy = static_cast<int32_t>(cy);
  canvas.Ellipse(ix - inner, iy - inner, ix + inner, iy + inner,
                 TPaint::Vertical(Lighter(c, 0.25), Darker(c, 0.2)));
  canvas.EllipseFrame(ix - inner, iy - inner, ix + inner, iy + inner, std::max(1, inner / 14),
                      TPaint::Solid(WithAlpha(kWhite, b.Over ? 240 : 170)));
}

std::vector<TFlashPoint> Octagon(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  const int32_t cut = std::min(x1 - x0, y1 - y0) * 29 / 100;
  return {{x0 + cut, y0}, {x1 - cut, y0}, {x1, y0 + cut}, {x1, y1 - cut},
          {x1 - cut, y1}, {x0 + cut, y1}, {x0, y1 - cut}, {x0, y0 + cut}};
}

void DrawOctagon(TArtCanvas& canvas, const TButtonLook& b) {
  const uint32_t c = b.Face();
  const int32_t in = std::max(3, Scaled(b.Side(), 0.06));
  canvas.Polygon(Octagon(0, 0, b.W, b.H), TPaint::Solid(Darker(c, 0.5)));
  TFlashShape* face = canvas.Polygon(Octagon(in, in, b.W - in, b.H - in),
                                     TPaint::Vertical(Lighter(c, 0.4), Darker(c, 0.12)));
  if (b.Over) canvas.Stroke(face, 2, WithAlpha(kWhite, 210));
  canvas.Polygon(Octagon(in * 2, in * 2, b.W - in * 2, b.H / 2), Sheen(b.Over ? 110 : 70));
}

void DrawTab(TArtCanvas& canvas, const TButtonLook& b) {
  const uint32_t c = b.Face();
  const int32_t r = std::min(b.H / 2, 14), bar = std::max(2, b.H / 10);
  TFlashShape* tab = canvas.Path(
      0, 0, b.W, b.H,
      [&](TFlashEdges& e) {
        e.MoveTo(0, b.H);
        e.LineTo(0, r);
        e.CurveTo(0, 0, r, 0);
        e.LineTo(b.W - r, 0);
        e.CurveTo(b.W, 0, b.W, r);
        e.LineTo(b.W, b.H);
        e.LineTo(0, b.H);
      },
      TPaint::Linear(90, {{0, Lighter(c, 0.45)}, {150, c}, {255, Darker(c, 0.2)}}));
  canvas.Stroke(tab, 1, Darker(c, 0.45));
  canvas.RoundRect(0, b.H - bar, b.W, b.H, 0,
                   TPaint::Solid(b.Over ? Lighter(HueShift(c, 180), 0.2) : Darker(c, 0.45)));
}

void DrawDiamond(TArtCanvas& canvas, const TButtonLook& b) {
  const uint32_t c = b.Face();
  auto diamond = [&](int32_t in) {
    return std::vector<TFlashPoint>{
        {b.W / 2, in}, {b.W - in, b.H / 2}, {b.W / 2, b.H - in}, {in, b.H / 2}};
  };
  canvas.Polygon(diamond(1), TPaint::Linear(45, {{0, Lighter(c, 0.5)}, {255, Darker(c, 0.45)}}));
  TFlashShape* face = canvas.Polygon(diamond(Scaled(b.Side(), 0.12)),
                                     TPaint::Linear(45, {{0, Lighter(c, 0.2)}, {255, c}}));
  if (b.Over) canvas.Stroke(face, 2, WithAlpha(kWhite, 220));
}

void DrawAppIcon(TArtCanvas& canvas, const TButtonLook& b) {
  const uint32_t c = b.Face();
  const int32_t r = Scaled(b.Side(), 0.22);
  TFlashShape* body = canvas.RoundRect(
      1, 1, b.W - 1, b.H - 1, r,
      TPaint::Linear(60, {{0, Lighter(c, 0.35)}, {140, c}, {255, Darker(c, 0.4)}}));
  canvas.Stroke(body, b.Over ? 3 : 1, b.Over ? WithAlpha(kWhite, 230) : Darker(c, 0.5));
  canvas.RoundRect(b.W * 8 / 100, b.H * 5 / 100, b.W * 92 / 100, b.H * 50 / 100, r * 3 / 4,
                   Sheen(b.Over ? 170 : 120));
}

void DrawPicture(TArtCanvas& canvas, const TButtonLook& b) {
  const uint32_t c = b.Color;
  const int32_t rim = std::max(3, Scaled(b.Side(), 0.07));
  canvas.RoundRect(0, 0, b.W, b.H, rim, TPaint::Solid(b.Over ? Lighter(c, 0.2) : Rgb(0xF4F1EA)));
  const int32_t x0 = rim, y0 = rim, x1 = b.W - rim, y1 = b.H - rim, w = x1 - x0, h = y1 - y0;
  canvas.RoundRect(x0, y0, x1, y1, 0,
                   TPaint::Vertical(Lighter(HueShift(c, 20), 0.35), Lighter(c, 0.85)));
  const int32_t sun = std::max(2, std::min(w, h) / 7);
  canvas.Ellipse(x0 + w * 72 / 100 - sun, y0 + h * 28 / 100 - sun, x0 + w * 72 / 100 + sun,
                 y0 + h * 28 / 100 + sun,
                 TPaint::Radial(50, 50, {{0, Rgb(0xFFF8D0)}, {255, Rgb(0xFFC83C)}}));
  const uint32_t hill = Mix(Rgb(0x4E9A3A), c, 0.25);
  const std::vector<TFlashPoint> far = {{x0, y0 + h * 70 / 100},
                                        {x0 + w * 35 / 100, y0 + h * 45 / 100},
                                        {x0 + w * 70 / 100, y0 + h * 68 / 100},
                                        {x1, y0 + h * 55 / 100},
                                        {x1, y1},
                                        {x0, y1}};
  canvas.Polygon(far, TPaint::Vertical(Lighter(hill, 0.3), hill));
  const std::vector<TFlashPoint> near = {{x0, y0 + h * 85 / 100},
                                         {x0 + w * 55 / 100, y0 + h * 66 / 100},
                                         {x1, y0 + h * 82 / 100},
                                         {x1, y1},
                                         {x0, y1}};
  canvas.Polygon(near, TPaint::Vertical(hill, Darker(hill, 0.35)));
  if (b.Over) canvas.RoundRect(x0, y0, x1, y1, 0, TPaint::Solid(WithAlpha(kWhite, 60)));
}

void DrawBar(TArtCanvas& canvas, const TButtonLook& b) {
  const uint32_t c = b.Face();
  canvas.RoundRect(0, 0, b.W, b.H, 2,
                   TPaint::Linear(90, {{0, Lighter(c, 0.4)}, {128, c}, {255, Darker(c, 0.35)}}));
  canvas.RoundRect(2, 1, b.W - 2, 2, 0, TPaint::Solid(WithAlpha(kWhite, b.Over ? 230 : 140)));
  canvas.RoundRect(0, b.H - 1, b.W, b.H, 0, TPaint::Solid(Darker(c, 0.6)));
}

void DrawOutlined(TArtCanvas& canvas, const TButtonLook& b) {
  const uint32_t c = b.Color;
  const int32_t r = std::min(b.H / 3, 12), width = std::max(2, b.H / 14);
  canvas.RoundRect(width, width, b.W - width, b.H - width, std::max(0, r - width),
                   b.Over ? TPaint::Vertical(Lighter(c, 0.15), Darker(c, 0.1))
                          : TPaint::Solid(WithAlpha(Lighter(c, 0.9), 90)));
  canvas.RoundFrame(0, 0, b.W, b.H, r, width, TPaint::Solid(Darker(c, 0.1)));
}

void DrawRibbon(TArtCanvas& canvas, const TButtonLook& b) {
  const uint32_t c = b.Face();
  const int32_t notch = std::max(3, b.H * 35 / 100);
  const std::vector<TFlashPoint> band = {{0, 0},     {b.W, 0}, {b.W - notch, b.H / 2},
                                         {b.W, b.H}, {0, b.H}, {notch, b.H / 2}};
  TFlashShape* shape =
      canvas.Polygon(band, TPaint::Linear(90, {{0, Lighter(c, 0.35)}, {255, Darker(c, 0.3)}}));
  canvas.Stroke(shape, 1, b.Over ? WithAlpha(kWhite, 230) : Darker(c, 0.5));
  const std::vector<TFlashPoint> shine = {
      {notch / 2, 2}, {b.W - notch / 2, 2}, {b.W - notch, b.H / 2}, {notch, b.H / 2}};
  canvas.Polygon(shine, Sheen(b.Over ? 150 : 90));
}

// A round bullet with an arrow, for styles whose caption stands beside them.
void DrawArrowBullet(TArtCanvas& canvas, const TButtonLook& b) {
  const uint32_t c = b.Face();
  const auto [x0, y0, x1, y1] = CenteredSquare(b, 0);
  TFlashShape* dot = canvas.Ellipse(
      x0, y0, x1, y1, TPaint::Radial(40, 35, {{0, Lighter(c, 0.5)}, {255, Darker(c, 0.3)}}));
  if (b.Side() >= 16) canvas.Stroke(dot, 1, Darker(c, 0.5));
  const int32_t s = x1 - x0;
  const std::vector<TFlashPoint> arrow = {{x0 + s * 38 / 100, y0 + s * 26 / 100},
                                          {x0 + s * 74 / 100, y0 + s / 2},
                                          {x0 + s * 38 / 100, y0 + s * 74 / 100}};
  canvas.Polygon(arrow, TPaint::Solid(b.Over ? Rgb(0xFFF2A0) : kWhite));
}

// The look of each numbered group (Button1_1 ... Button10_5): one shape and material per group.
constexpr std::array<TButtonDrawer, 10> kGroupLooks = {
    DrawOrb,     DrawPlate, DrawPill,    DrawRing,    DrawStar,
    DrawOctagon, DrawTab,   DrawDiamond, DrawAppIcon, DrawPicture};
constexpr std::array<TButtonDrawer, 6> kWideLooks = {DrawBar,  DrawOutlined, DrawRibbon,
                                                     DrawPill, DrawPlate,    DrawTab};
constexpr std::array<TButtonDrawer, 8> kSquareLooks = {
    DrawOrb, DrawAppIcon, DrawPlate, DrawRing, DrawStar, DrawOctagon, DrawDiamond, DrawPicture};

const std::array<uint32_t, 5> kGroupColors = {Rgb(0x2F7FD8), Rgb(0x3AA64A), Rgb(0xD63C3C),
                                              Rgb(0xF0961E), Rgb(0x8C4FD2)};

// The group and member of "Button<g>_<m>", or nothing for a single style.
std::optional<std::pair<int, int>> GroupOf(const std::string& name) {
  int group = 0, member = 0;
  if (std::sscanf(name.c_str(), "Button%d_%d", &group, &member) != 2) return std::nullopt;
  return std::pair{group, member};
}

struct TStyleLook {
  TButtonDrawer Draw;
  uint32_t Color;
};

TStyleLook LookOf(const TButtonStyle& style, size_t index) {
  if (auto group = GroupOf(style.Name))
    return {kGroupLooks[static_cast<size_t>(group->first - 1)],
            kGroupColors[static_cast<size_t>(group->first + group->second - 2) % 5]};
  // Single styles walk round the colour wheel by the golden angle, so neighbours differ.
  const uint32_t color = HueShift(kGroupColors[0], 137.5 * static_cast<double>(index));
  switch (style.Caption) {
    case TCaptionPosition::Right:
      return {DrawArrowBullet, color};
    case TCaptionPosition::Top:
      return {DrawTab, color};
    default:
      break;
  }
  if (style.Width >= 2 * style.Height) return {kWideLooks[index % kWideLooks.size()], color};
  return {kSquareLooks[index % kSquareLooks.size()], color};
}

std::vector<uint8_t> DrawStyle(const TButtonStyle& style, const TStyleLook& look, bool over) {
  auto movie = NewArtMovie(style.Width, style.Height);
  // "BlankBox" is an empty frame: the caption alone on the page.
  if (style.Name != "BlankBox") {
    TArtCanvas canvas(*movie);
    look.Draw(canvas, {style.Width, style.Height, look.Color, over});
  }
  movie->ShowFrame();
  return MovieBytes(*movie);
}

}  // namespace

void GenerateButtonStyles(TArtworkOutput& output) {
  const auto& styles = ButtonStyles();
  for (size_t i = 0; i < styles.size(); ++i) {
    const TButtonStyle& style = styles[i];
    const TStyleLook look = LookOf(style, i);
    output.AddTemplate("buttons", style.Name, DrawStyle(style, look, false));
    if (style.HasOver)
      output.AddTemplate("buttons", style.OverName(), DrawStyle(style, look, true));
  }
}

}  // namespace orvanta::artwork
