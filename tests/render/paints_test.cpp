#include "render/paints.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

#include "render/display_list.h"
#include "render_test_util.h"
#include "swf/tags_bitmap.h"
#include "swf/tags_shape.h"
#include "test_util.h"

namespace orvanta::render {
namespace {

using orvanta::test::Bytes;
using orvanta::test::ReadTag;

constexpr int kWidth = 40, kHeight = 30;

// An opaque DefineBitsLossless2 of sharp stripes over smooth ramps: any error in where or how
// it is resampled shows in the colours.
std::unique_ptr<TSWFObject> StripedBitmap(uint16_t id) {
  Bytes pixels;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      pixels.insert(pixels.end(), {255, uint8_t(x % 3 == 0 ? 255 : 20), uint8_t(y * 8),
                                   uint8_t((x * 7 + y * 5) % 256)});
  uLongf size = compressBound(pixels.size());
  Bytes packed(size);
  compress2(packed.data(), &size, pixels.data(), pixels.size(), 9);
  packed.resize(size);
  Bytes body = {uint8_t(id), uint8_t(id >> 8), 5, kWidth, 0, kHeight, 0};
  body.insert(body.end(), packed.begin(), packed.begin() + std::ptrdiff_t(size));
  return ReadTag(TTagCode::DefineBitsLossless2, body);
}

// The bitmap's rectangle under m filled into a fresh 64 x 64 pixmap with the source.
TPixmap Fill(cairo_pattern_t* source, const TAffine& m) {
  TPixmap out(64, 64);
  TSurface surface = SurfaceFor(out);
  cairo_t* cr = cairo_create(surface.get());
  TPoint corners[] = {{0, 0}, {kWidth, 0}, {kWidth, kHeight}, {0, kHeight}};
  for (const TPoint& c : corners) {
    TPoint p = m.Apply(c);
    cairo_line_to(cr, p.X, p.Y);
  }
  cairo_close_path(cr);
  cairo_set_source(cr, source);
  cairo_fill(cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface.get());
  return out;
}

// What smoothing the whole bitmap at m every time gives.
TPixmap Reference(TBitmapCache& cache, const TColorTransform& cx, const TAffine& m) {
  TPattern p(cairo_pattern_create_for_surface(cache.Surface(1, cx)));
  cairo_pattern_set_extend(p.get(), CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(p.get(), CAIRO_FILTER_GOOD);
  TAffine inv = m.Inverse();
  cairo_matrix_t cm{inv.A, inv.B, inv.C, inv.D, inv.TX, inv.TY};
  cairo_pattern_set_matrix(p.get(), &cm);
  return Fill(p.get(), m);
}

int MaxDifference(const TPixmap& a, const TPixmap& b) {
  int worst = 0;
  for (size_t i = 0; i < a.Pixels.size(); ++i)
    worst = std::max(worst, std::abs(int(a.Pixels[i]) - int(b.Pixels[i])));
  return worst;
}

// Smoothed-down bitmaps are resampled once and reused; what they draw must not differ from
// smoothing at the full transformation, at any sub-pixel position, from the cache or not, and
// positions or scales that differ must not share a copy.
TEST(BitmapFill, SmoothedDownDrawsAsResampledEachTime) {
  auto tag = StripedBitmap(1);
  TCharacterDictionary dictionary;
  dictionary.Define(*tag);
  TBitmapCache cache(dictionary);
  TSWFImageFill fill;  // clipped and smoothed
  fill.BitmapId = 1;
  TColorTransform faded;
  faded.Mult[0] = 0.5;
  faded.Add[2] = 40;
  const struct {
    double Sx, Sy, X, Y;
    const TColorTransform* Cx;
  } cases[] = {
      {0.65, 0.65, 3, 4, nullptr},    {0.65, 0.65, 3.5, 4.25, nullptr},
      {0.5, 0.8, 2.3, 5.75, nullptr}, {1.0, 0.4, 7, 1, nullptr},
      {0.65, 0.65, 3, 4, &faded},     {0.65, 0.65, -10.6, -3.2, nullptr},
  };
  const TColorTransform identity;
  for (int pass = 0; pass < 2; ++pass) {
    for (const auto& c : cases) {
      const TColorTransform& cx = c.Cx ? *c.Cx : identity;
      const TAffine m = TAffine::Translate(c.X, c.Y) * TAffine::Scale(c.Sx, c.Sy);
      // Bitmap fills map bitmap pixels to twips; the shape's units here are bitmap pixels.
      TAffine shapeToDevice = m * TAffine::Scale(1.0 / 20, 1.0 / 20);
      fill.BitmapMatrix.SetScale(20, 20);
      TPattern pattern = CreateFillPattern(fill, shapeToDevice, cx, cache, true);
      ASSERT_TRUE(pattern);
      TPixmap drawn = Fill(pattern.get(), m);
      TPixmap expected = Reference(cache, cx, m);
      EXPECT_LE(MaxDifference(drawn, expected), 1)
          << "scale " << c.Sx << " x " << c.Sy << " at " << c.X << ", " << c.Y << " pass " << pass;
      EXPECT_GT(test::At(drawn, int(std::max(c.X, 0.0) + 2), int(std::max(c.Y, 0.0) + 2)).A, 0);
    }
  }
}

// The colour a linear gradient of these stops has at gradient x in -1..1, by its spread.
TRGBA GradientAt(const std::vector<std::pair<double, TRGBA>>& stops, double x, uint8_t spread) {
  double t = (x + 1) / 2;
  if (spread == 1) {
    t = std::fmod(std::fabs(t), 2);
    if (t > 1) t = 2 - t;
  } else if (spread == 2) {
    t -= std::floor(t);
  }
  t = std::clamp(t, 0.0, 1.0);
  size_t i = 1;
  while (i + 1 < stops.size() && stops[i].first < t) ++i;
  const auto& [t0, a] = stops[i - 1];
  const auto& [t1, b] = stops[i];
  const double f = t1 > t0 ? std::clamp((t - t0) / (t1 - t0), 0.0, 1.0) : 1;
  auto mix = [f](uint8_t u, uint8_t v) { return uint8_t(std::lround(u + (v - u) * f)); };
  return {mix(a.R, b.R), mix(a.G, b.G), mix(a.B, b.B), 255};
}

// Long linear gradients are looked up in a ramp and short ones drawn by Pixman: both must give
// the colour of every pixel centre, along any direction and with every spread.
TEST(GradientFill, LinearColoursAtEveryPixelShortAndLong) {
  const std::vector<std::pair<double, TRGBA>> stops = {
      {0, {255, 0, 0, 255}}, {100 / 255.0, {20, 200, 40, 255}}, {1, {0, 0, 255, 255}}};
  TSWFGradientFill fill;
  fill.FillStyleType = 0x10;
  fill.NumGradients = 3;
  const uint8_t ratios[] = {0, 100, 255};
  for (int i = 0; i < 3; ++i) {
    fill.SetGradientRatio(i + 1, ratios[i]);
    const TRGBA& c = stops[size_t(i)].second;
    fill.GradientColor(i + 1).SetRGBA(PackRGBA(c.R, c.G, c.B, 255));
  }
  TCharacterDictionary dictionary;
  TBitmapCache bitmaps(dictionary);
  const double kHalf = 16384;
  for (double axis : {120.0, 700.0, 3000.0}) {
    for (double degrees : {0.0, 33.0, 90.0, 200.0}) {
      for (uint8_t spread : {0, 1, 2}) {
        fill.SpreadMode = spread;
        const double a = degrees * 3.14159265358979 / 180, s = axis / 2 / kHalf;
        // The gradient square (twips) centred at (300, 40), the shape drawn at one twip a pixel.
        const TAffine halfToDevice{std::cos(a) * s * kHalf,
                                   std::sin(a) * s * kHalf,
                                   -std::sin(a) * s * kHalf,
                                   std::cos(a) * s * kHalf,
                                   300,
                                   40};
        TPattern pattern = CreateFillPattern(
            fill, halfToDevice * TAffine::Scale(1 / kHalf, 1 / kHalf), TColorTransform(), bitmaps);
        ASSERT_TRUE(pattern);
        TPixmap out(900, 80);
        TSurface surface = SurfaceFor(out);
        cairo_t* cr = cairo_create(surface.get());
        cairo_set_source(cr, pattern.get());
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_flush(surface.get());
        const TAffine toHalf = halfToDevice.Inverse();
        int worst = 0;
        for (int y = 0; y < out.Height; y += 3) {
          for (int x = 0; x < out.Width; ++x) {
            const double gx = toHalf.Apply(TPoint{x + 0.5, y + 0.5}).X;
            // A repeated gradient jumps from its last colour to its first: a pixel centre a
            // rounding error away from the seam may take either.
            const double t = (gx + 1) / 2;
            if (spread == 2 && std::fabs(t - std::round(t)) * axis < 1) continue;
            TRGBA want = GradientAt(stops, gx, spread);
            test::TPixel got = test::At(out, x, y);
            worst = std::max({worst, std::abs(got.R - want.R), std::abs(got.G - want.G),
                              std::abs(got.B - want.B)});
          }
        }
        EXPECT_LE(worst, 2) << "axis " << axis << " at " << degrees << " degrees, spread "
                            << int(spread);
      }
    }
  }
}

}  // namespace
}  // namespace orvanta::render
