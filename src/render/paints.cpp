#include "render/paints.h"

#include <algorithm>
#include <cmath>

#include "platform/errors.h"
#include "render/bitmap_decode.h"
#include "render/color_ops.h"
#include "render/display_list.h"
#include "swf/tags_shape.h"

namespace orvanta::render {

namespace {

// Flash's gradient square: gradient space spans -16384..16384 twips on both axes.
constexpr double kGradientHalf = 16384.0;
// Linear gradients at least this long on the output (pixels) are looked up in a ramp of
// kRampTexels.
constexpr double kMinRampAxis = 512;
constexpr int kRampTexels = 1024;
// Colour-transformed copies of bitmaps kept at once.
constexpr size_t kMaxTransformedBitmaps = 64;
// Smoothed-down copies of bitmaps: the largest kept, and all of them together.
constexpr int64_t kMaxScaledBitmapPixels = int64_t{1} << 22;
constexpr int64_t kMaxScaledPixels = int64_t{1} << 24;

double ToLinear(double c) {
  c /= 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
uint8_t FromLinear(double l) {
  double c = l <= 0.0031308 ? l * 12.92 : 1.055 * std::pow(l, 1 / 2.4) - 0.055;
  return static_cast<uint8_t>(std::lround(std::clamp(c, 0.0, 1.0) * 255));
}

void AddStop(cairo_pattern_t* p, double offset, TRGBA c) {
  cairo_pattern_add_color_stop_rgba(p, std::clamp(offset, 0.0, 1.0), c.R / 255.0, c.G / 255.0,
                                    c.B / 255.0, c.A / 255.0);
}

void AddStops(cairo_pattern_t* p, const std::vector<TGradientStop>& stops, bool linearRGB) {
  if (!linearRGB) {
    for (const TGradientStop& s : stops) AddStop(p, s.Offset, s.Color);
    return;
  }
  // Cairo blends in sRGB: blending in linear light is approximated with intermediate stops.
  constexpr int kSteps = 16;
  AddStop(p, stops.front().Offset, stops.front().Color);
  for (size_t i = 1; i < stops.size(); ++i) {
    const TGradientStop& a = stops[i - 1];
    const TGradientStop& b = stops[i];
    for (int k = 1; k <= kSteps; ++k) {
      double t = double(k) / kSteps;
      TRGBA c;
      c.R = FromLinear(ToLinear(a.Color.R) + (ToLinear(b.Color.R) - ToLinear(a.Color.R)) * t);
      c.G = FromLinear(ToLinear(a.Color.G) + (ToLinear(b.Color.G) - ToLinear(a.Color.G)) * t);
      c.B = FromLinear(ToLinear(a.Color.B) + (ToLinear(b.Color.B) - ToLinear(a.Color.B)) * t);
      c.A = static_cast<uint8_t>(std::lround(a.Color.A + (b.Color.A - a.Color.A) * t));
      AddStop(p, a.Offset + (b.Offset - a.Offset) * t, c);
    }
  }
}

void SetPatternMatrix(cairo_pattern_t* p, const TAffine& patternToDevice) {
  TAffine inv = patternToDevice.Inverse();
  cairo_matrix_t m{inv.A, inv.B, inv.C, inv.D, inv.TX, inv.TY};
  cairo_pattern_set_matrix(p, &m);
}

// A linear gradient of half-square units (its stops and spread set) as a ramp of kRampTexels
// looked up without smoothing; texel u holds gradient x = (u + 0.5) * 2 / kRampTexels - 1. Points
// of an output stay within Pixman's fixed point as long as the axis is kMinRampAxis or longer.
TPattern RampPattern(cairo_pattern_t* gradient, const TAffine& halfToDevice) {
  TAffine inv = halfToDevice.Inverse();
  if (!inv.Finite()) return nullptr;
  TSurface ramp(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kRampTexels, 1));
  cairo_t* cr = cairo_create(ramp.get());
  const cairo_matrix_t texelToHalf{2.0 / kRampTexels, 0, 0, 1, -1, 0};
  cairo_pattern_set_matrix(gradient, &texelToHalf);
  cairo_set_source(cr, gradient);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  const bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
  cairo_destroy(cr);
  if (!drawn) return nullptr;
  TPattern pattern(cairo_pattern_create_for_surface(ramp.get()));
  cairo_pattern_set_extend(pattern.get(), cairo_pattern_get_extend(gradient));
  cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_NEAREST);
  // Device to texel: u along the axis; the single row is reached through a small multiple of
  // the distance across it, which keeps the matrix invertible and its values small.
  const double half = kRampTexels / 2.0;
  const double p = inv.A * half, q = inv.C * half;
  const double k = 1e-3 / std::hypot(p, q);
  const cairo_matrix_t m{p, -q * k, q, p * k, inv.TX * half + half, 0};
  cairo_pattern_set_matrix(pattern.get(), &m);
  if (cairo_pattern_status(pattern.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  return pattern;
}

TPattern GradientPattern(const TSWFGradientFill& fill, const TAffine& shapeToDevice,
                         const TColorTransform& cxform) {
  std::vector<TGradientStop> stops = GradientStops(fill, cxform);
  // A gradient without colours paints black.
  if (stops.empty()) return SolidPattern(cxform.Apply(TRGBA{0, 0, 0, 255}));
  const TAffine toDevice = shapeToDevice * TAffine::FromSWF(fill.GradientMatrix);
  if (stops.size() == 1 || toDevice.Degenerate() || toDevice.MeanScale() * kGradientHalf < 1e-6)
    return SolidPattern(stops.back().Color);

  // Pixman computes gradients in 16.16 fixed point: the pattern works in units of the half
  // square, so that points far outside it (reflected and repeated spreads) stay in range.
  cairo_pattern_t* p;
  if (fill.FillStyleType == 0x10) {
    p = cairo_pattern_create_linear(-1, 0, 1, 0);
  } else {
    double focal = 0;
    if (const auto* f = dynamic_cast<const TSWFFocalGradientFill*>(&fill))
      focal = std::clamp(f->FocalPoint / 256.0, -0.98, 0.98);
    p = cairo_pattern_create_radial(focal, 0, 0, 0, 0, 1);
  }
  TPattern pattern(p);
  AddStops(p, stops, fill.InterpolationMode == 1);
  switch (fill.SpreadMode) {
    case 1:
      cairo_pattern_set_extend(p, CAIRO_EXTEND_REFLECT);
      break;
    case 2:
      cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
      break;
    default:
      cairo_pattern_set_extend(p, CAIRO_EXTEND_PAD);
  }
  const TAffine halfToDevice = toDevice * TAffine::Scale(kGradientHalf, kGradientHalf);
  // Pixman works out every pixel of a gradient on its own, which makes a large one the dearest
  // fill of a frame: a long linear gradient is painted once along its axis into a ramp and
  // looked up instead, within half a texel (a fraction of a colour step).
  if (fill.FillStyleType == 0x10 && std::hypot(halfToDevice.A, halfToDevice.B) * 2 >= kMinRampAxis)
    if (TPattern ramp = RampPattern(p, halfToDevice)) return ramp;
  SetPatternMatrix(p, halfToDevice);
  return pattern;
}

TPattern BitmapPattern(const TSWFImageFill& fill, const TAffine& shapeToDevice,
                       const TColorTransform& cxform, TBitmapCache& bitmaps, bool smoothBitmaps) {
  const TAffine toDevice = shapeToDevice * TAffine::FromSWF(fill.BitmapMatrix);
  if (toDevice.Degenerate()) return nullptr;
  const bool repeat = fill.FillStyleType == 0x40 || fill.FillStyleType == 0x42;
  const bool smooth = smoothBitmaps && (fill.FillStyleType == 0x40 || fill.FillStyleType == 0x41);
  // Smoothing a bitmap down is the costliest thing Pixman does for a frame, and photos mostly
  // stand still: an unrotated one is smoothed once per scale and sub-pixel position and then
  // copied at a whole-pixel offset.
  if (smooth && !repeat && toDevice.B == 0 && toDevice.C == 0 && toDevice.A > 0 && toDevice.D > 0 &&
      (toDevice.A < 1 || toDevice.D < 1) && std::abs(toDevice.TX) < 1e9 &&
      std::abs(toDevice.TY) < 1e9) {
    const double x = std::floor(toDevice.TX), y = std::floor(toDevice.TY);
    if (cairo_surface_t* scaled = bitmaps.ScaledSurface(
            fill.BitmapId, cxform, toDevice.A, toDevice.D, toDevice.TX - x, toDevice.TY - y)) {
      TPattern pattern(cairo_pattern_create_for_surface(scaled));
      cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
      cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_NEAREST);
      SetPatternMatrix(pattern.get(), TAffine::Translate(x, y));
      return pattern;
    }
  }
  cairo_surface_t* surface = bitmaps.Surface(fill.BitmapId, cxform);
  if (!surface) return nullptr;
  TPattern pattern(cairo_pattern_create_for_surface(surface));
  cairo_pattern_set_extend(pattern.get(), repeat ? CAIRO_EXTEND_REPEAT : CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(pattern.get(), smooth ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
  SetPatternMatrix(pattern.get(), toDevice);
  return pattern;
}

}  // namespace

TSurface SurfaceFor(TPixmap& pixmap) {
  return TSurface(cairo_image_surface_create_for_data(
      pixmap.Pixels.data(), CAIRO_FORMAT_ARGB32, pixmap.Width, pixmap.Height, pixmap.Width * 4));
}

TPattern SolidPattern(TRGBA c) {
  return TPattern(cairo_pattern_create_rgba(c.R / 255.0, c.G / 255.0, c.B / 255.0, c.A / 255.0));
}

std::vector<TGradientStop> GradientStops(const TSWFBaseGradientFill& fill,
                                         const TColorTransform& cxform) {
  std::vector<TGradientStop> stops;
  const int count = std::min<int>(fill.NumGradients, TSWFBaseGradientFill::kMaxGradients);
  // The accessor creates missing colours; the reader has created every one it read.
  auto& mutableFill = const_cast<TSWFBaseGradientFill&>(fill);
  // The player takes the stops in file order, each at least one step past the one before;
  // stops pushed past the end are not reached.
  int last = -1;
  for (int i = 1; i <= count; ++i) {
    int ratio = std::max<int>(fill.GradientRatio(i), last + 1);
    if (ratio > 255) break;
    last = ratio;
    stops.push_back({ratio / 255.0, cxform.Apply(ToRGBA(mutableFill.GradientColor(i)))});
  }
  return stops;
}

TPattern CreateFillPattern(const TSWFFillStyle& fill, const TAffine& shapeToDevice,
                           const TColorTransform& cxform, TBitmapCache& bitmaps,
                           bool smoothBitmaps) {
  switch (fill.FillStyleType) {
    case 0x00:
      return SolidPattern(cxform.Apply(ToRGBA(static_cast<const TSWFColorFill&>(fill).Color)));
    case 0x10:
    case 0x12:
    case 0x13:
      if (const auto* g = dynamic_cast<const TSWFGradientFill*>(&fill))
        return GradientPattern(*g, shapeToDevice, cxform);
      return nullptr;
    case 0x40:
    case 0x41:
    case 0x42:
    case 0x43:
      if (const auto* b = dynamic_cast<const TSWFImageFill*>(&fill))
        return BitmapPattern(*b, shapeToDevice, cxform, bitmaps, smoothBitmaps);
      return nullptr;
    default:
      return nullptr;
  }
}

// ---------------------------------------------------------------------------------------------

TBitmapCache::~TBitmapCache() = default;

const TPixmap* TBitmapCache::Pixmap(uint16_t id) {
  auto it = bitmaps_.find(id);
  if (it == bitmaps_.end()) {
    TEntry entry;
    if (const TSWFObject* tag = dictionary_.Find(id)) {
      try {
        auto pixels = std::make_unique<TPixmap>(DecodeBitmap(*tag, dictionary_.JPEGTables()));
        if (!pixels->Empty()) {
          entry.Surface = SurfaceFor(*pixels);
          entry.Pixels = std::move(pixels);
        }
      } catch (const Error&) {
        // Drawn as missing, like the player does with a bitmap it cannot decode.
      }
    }
    it = bitmaps_.emplace(id, std::move(entry)).first;
  }
  return it->second.Pixels.get();
}

cairo_surface_t* TBitmapCache::Surface(uint16_t id, const TColorTransform& cxform) {
  const TPixmap* base = Pixmap(id);
  if (!base) return nullptr;
  if (cxform.Identity()) return bitmaps_[id].Surface.get();
  std::vector<double> key(cxform.Mult, cxform.Mult + 4);
  key.insert(key.end(), cxform.Add, cxform.Add + 4);
  auto k = std::make_pair(id, std::move(key));
  auto it = transformed_.find(k);
  if (it == transformed_.end()) {
    if (transformed_.size() >= kMaxTransformedBitmaps) transformed_.clear();
    TEntry entry;
    entry.Pixels = std::make_unique<TPixmap>(*base);
    ApplyColorTransform(*entry.Pixels, cxform.ToSWF());
    entry.Surface = SurfaceFor(*entry.Pixels);
    it = transformed_.emplace(std::move(k), std::move(entry)).first;
  }
  return it->second.Surface.get();
}

cairo_surface_t* TBitmapCache::ScaledSurface(uint16_t id, const TColorTransform& cxform,
                                             double scaleX, double scaleY, double phaseX,
                                             double phaseY) {
  const TPixmap* base = Pixmap(id);
  if (!base) return nullptr;
  const double width = std::ceil(base->Width * scaleX + phaseX);
  const double height = std::ceil(base->Height * scaleY + phaseY);
  if (!(width >= 1 && height >= 1) || width * height > double(kMaxScaledBitmapPixels))
    return nullptr;
  std::vector<double> key(cxform.Mult, cxform.Mult + 4);
  key.insert(key.end(), cxform.Add, cxform.Add + 4);
  key.insert(key.end(), {scaleX, scaleY, phaseX, phaseY});
  auto k = std::make_pair(id, std::move(key));
  auto it = scaled_.find(k);
  if (it == scaled_.end()) {
    cairo_surface_t* source = Surface(id, cxform);
    if (!source) return nullptr;
    const auto w = static_cast<int>(width), h = static_cast<int>(height);
    if (scaledPixels_ + int64_t{w} * h > kMaxScaledPixels) {
      scaled_.clear();
      scaledPixels_ = 0;
    }
    TEntry entry;
    entry.Pixels = std::make_unique<TPixmap>(w, h);
    entry.Surface = SurfaceFor(*entry.Pixels);
    cairo_t* cr = cairo_create(entry.Surface.get());
    TPattern pattern(cairo_pattern_create_for_surface(source));
    cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_GOOD);
    SetPatternMatrix(pattern.get(),
                     TAffine::Translate(phaseX, phaseY) * TAffine::Scale(scaleX, scaleY));
    cairo_set_source(cr, pattern.get());
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    const bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    if (!drawn) return nullptr;
    scaledPixels_ += int64_t{w} * h;
    it = scaled_.emplace(std::move(k), std::move(entry)).first;
  }
  return it->second.Surface.get();
}

}  // namespace orvanta::render
