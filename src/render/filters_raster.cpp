#include "render/filters_raster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "render/color_ops.h"

namespace orvanta::render {

namespace {

// The player accepts blur amounts up to 255 stage pixels and at most 15 passes.
constexpr double kMaxBlurAmount = 255;
constexpr int kMaxPasses = 15;
// Bounds on what a scale or a damaged record can ask for, in output pixels: a box wider than
// this, or a shadow further away, is as good as infinite for any layer we draw.
constexpr double kMaxBoxWidth = 4096;
constexpr double kMaxShift = 16384;
// The most padding FilterMargin asks for; beyond it the faint outer rim of a huge blur or a far
// shadow is cut off rather than growing the layer without limit.
constexpr int kMaxMargin = 1024;
// Multiply-adds a convolution may take (matrix cells times pixels) before it is skipped: a
// 255 x 255 matrix over a large layer would otherwise run for minutes.
constexpr int64_t kMaxConvolutionWork = int64_t{1} << 28;

// The most blur scratch memory a thread keeps between calls.
constexpr size_t kMaxKeptScratch = size_t{32} << 20;

// Box weights are fixed point with this many fraction bits; a window's sum of 255 * width times
// a weight of 2^23 / width stays below 2^31.
constexpr int kWeightBits = 23;

// NaN-safe clamp: NaN becomes `lo`.
double Clamp(double v, double lo, double hi) {
  if (!(v >= lo)) return lo;
  return v > hi ? hi : v;
}

double ScaleFactor(double scale) {
  return Clamp(std::abs(scale), 0, 1e4);
}

// One pass of a running mean over a window `width` pixels wide centred on each pixel: the
// pixels within Radius count fully, the two just beyond count by the fraction of the width left
// over, so fractional amounts blur continuously.
struct TBoxWindow {
  int Radius = 0;
  uint32_t Full = 0;  // weight of a whole pixel, 2^kWeightBits / width
  uint32_t Edge = 0;  // weight of each partly covered pixel

  bool Active() const { return Full != 0; }
  // How far one pass spreads a pixel.
  int Reach() const { return Active() ? Radius + (Edge ? 1 : 0) : 0; }
};

TBoxWindow MakeWindow(double width) {
  TBoxWindow window;
  // A window one pixel wide (or less) leaves the pixels as they are.
  if (!(width > 1)) return window;
  width = std::min(width, kMaxBoxWidth);
  double half = (width - 1) / 2;
  window.Radius = static_cast<int>(half);
  double one = static_cast<double>(1u << kWeightBits) / width;
  window.Full = static_cast<uint32_t>(std::lround(one));
  window.Edge = static_cast<uint32_t>(std::lround((half - window.Radius) * one));
  return window;
}

// The hot loop of every blur: one output row of a vertical pass. `sum` holds, per byte column,
// the sum of the rows fully inside the window; it moves on by one row. On x86-64 a second copy
// built for AVX2 is picked at load time where the processor has it (eight 32-bit lanes with a
// native multiply instead of four emulated ones).
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__SANITIZE_ADDRESS__)
__attribute__((target_clones("avx2", "default")))
#endif
void BlurColumnRow(const uint8_t* __restrict before, const uint8_t* __restrict trail,
                   const uint8_t* __restrict lead, uint8_t* __restrict out,
                   uint32_t* __restrict sum, size_t n, uint32_t full, uint32_t edge) {
  const uint32_t round = 1u << (kWeightBits - 1);
  for (size_t i = 0; i < n; ++i) {
    uint32_t s = sum[i];
    uint32_t v = s * full + (uint32_t{before[i]} + lead[i]) * edge + round;
    out[i] = static_cast<uint8_t>(v >> kWeightBits);
    sum[i] = s + lead[i] - trail[i];
  }
}

// A vertical pass over `rows` rows of `rowBytes` bytes from `src` into `dst`. Each output row
// costs the same whatever the radius.
void BlurColumns(const uint8_t* src, uint8_t* dst, size_t rowBytes, int rows,
                 const TBoxWindow& window) {
  const int r = window.Radius;
  std::vector<uint32_t> sum(rowBytes, 0);
  std::vector<uint8_t> zero(rowBytes, 0);
  auto row = [&](int64_t y) {
    return y < 0 || y >= rows ? zero.data() : src + static_cast<size_t>(y) * rowBytes;
  };
  for (int y = 0; y <= std::min(r, rows - 1); ++y) {
    const uint8_t* p = row(y);
    for (size_t i = 0; i < rowBytes; ++i) sum[i] += p[i];
  }
  for (int y = 0; y < rows; ++y)
    BlurColumnRow(row(int64_t{y} - r - 1), row(int64_t{y} - r), row(int64_t{y} + r + 1),
                  dst + static_cast<size_t>(y) * rowBytes, sum.data(), rowBytes, window.Full,
                  window.Edge);
}

// Swaps rows and columns of a `width` x `height` image of C-byte pixels, in tiles that stay in
// the cache.
template <int C>
void Transpose(const uint8_t* src, uint8_t* dst, int width, int height) {
  constexpr int kTile = 32;
  for (int y0 = 0; y0 < height; y0 += kTile) {
    const int y1 = std::min(y0 + kTile, height);
    for (int x0 = 0; x0 < width; x0 += kTile) {
      const int x1 = std::min(x0 + kTile, width);
      for (int x = x0; x < x1; ++x) {
        uint8_t* d = dst + (static_cast<size_t>(x) * height + y0) * C;
        const uint8_t* s = src + (static_cast<size_t>(y0) * width + x) * C;
        for (int y = y0; y < y1; ++y, d += C, s += static_cast<size_t>(width) * C)
          std::memcpy(d, s, C);
      }
    }
  }
}

// `passes` box passes each way over an image of C interleaved channels. The horizontal passes
// run as vertical ones on the transposed image, where the loop over a row's bytes vectorises;
// all horizontal passes come first, which differs from alternating them only in rounding.
template <int C>
void BlurBuffer(std::vector<uint8_t>& data, int width, int height, const TBoxWindow& wx,
                const TBoxWindow& wy, int passes) {
  if (width <= 0 || height <= 0 || passes <= 0 || !(wx.Active() || wy.Active())) return;
  // The second buffer is kept per thread between calls: a frame filters many layers of
  // similar sizes, and a fresh buffer of megabytes costs more in page faults than a pass.
  thread_local std::vector<uint8_t> scratch;
  std::vector<uint8_t>& other = scratch;
  other.resize(data.size());
  auto run = [&](const TBoxWindow& window, int rows, size_t rowBytes) {
    for (int pass = 0; pass < passes; ++pass) {
      BlurColumns(data.data(), other.data(), rowBytes, rows, window);
      data.swap(other);
    }
  };
  if (wx.Active()) {
    Transpose<C>(data.data(), other.data(), width, height);
    data.swap(other);
    run(wx, width, static_cast<size_t>(height) * C);
    Transpose<C>(data.data(), other.data(), height, width);
    data.swap(other);
  }
  if (wy.Active()) run(wy, height, static_cast<size_t>(width) * C);
  if (other.capacity() > kMaxKeptScratch) std::vector<uint8_t>().swap(other);
}

// ---- Parameters shared by the shadow, glow and bevel families, in output pixels.

struct TBlurSize {
  TBoxWindow X, Y;
  int Passes = 0;
  double WidthX = 0, WidthY = 0;
};

TBlurSize BlurSize(const TSWFBlurFilter& filter, double scaleX, double scaleY) {
  TBlurSize size;
  size.Passes = std::clamp<int>(filter.Passes, 0, kMaxPasses);
  size.WidthX = Clamp(filter.BlurX, 0, kMaxBlurAmount) * ScaleFactor(scaleX);
  size.WidthY = Clamp(filter.BlurY, 0, kMaxBlurAmount) * ScaleFactor(scaleY);
  size.X = MakeWindow(size.WidthX);
  size.Y = MakeWindow(size.WidthY);
  return size;
}

// How far the blur spreads content: every pass widens it by the window's reach, but past three
// standard deviations of the summed boxes (a box of width w has variance w^2 / 12) the rounded
// values are zero, which matters for many passes of a wide box. A strength above 1 lifts those
// faint values into sight again, so then the full reach counts.
int BlurMargin(const TBoxWindow& window, double width, int passes, double strength = 1) {
  if (!window.Active() || passes == 0) return 0;
  int64_t exact = int64_t{passes} * window.Reach();
  int64_t bound = static_cast<int64_t>(std::ceil(3 * width * std::sqrt(passes / 12.0))) + 1;
  if (strength > 1) bound = exact;
  return static_cast<int>(std::min<int64_t>({exact, bound, kMaxMargin}));
}

struct TShift {
  int X = 0, Y = 0;
};

// The offset of a shadow: `distance` stage pixels in the direction of `angle` (radians, y down).
TShift ShiftOf(double angle, double distance, double scaleX, double scaleY) {
  if (!std::isfinite(angle)) angle = 0;
  double d = Clamp(distance, -kMaxShift, kMaxShift);
  double dx = Clamp(std::cos(angle) * d * ScaleFactor(scaleX), -kMaxShift, kMaxShift);
  double dy = Clamp(std::sin(angle) * d * ScaleFactor(scaleY), -kMaxShift, kMaxShift);
  return {static_cast<int>(std::lround(dx)), static_cast<int>(std::lround(dy))};
}

// Strength as 8.8 fixed point, as the record holds it.
uint32_t Strength256(double strength) {
  return static_cast<uint32_t>(std::lround(Clamp(strength, 0, 255) * 256));
}

// ---- Effect colours

using TColor = uint32_t;  // premultiplied, packed as LoadPixel reads a pixel

TColor Premultiplied(uint8_t red, uint8_t green, uint8_t blue, uint32_t alpha) {
  return Div255(blue * alpha) | Div255(green * alpha) << 8 | Div255(red * alpha) << 16 |
         alpha << 24;
}

// A filter colour at `coverage` (0..255) of its own alpha.
TColor CoveredColor(const TSWFRGBA& color, uint32_t coverage) {
  return Premultiplied(color.Red, color.Green, color.Blue, Div255(color.Alpha() * coverage));
}

using TRamp = std::array<TColor, 256>;

TRamp SolidRamp(const TSWFRGBA& color) {
  TRamp ramp;
  for (uint32_t i = 0; i < 256; ++i) ramp[i] = CoveredColor(color, i);
  return ramp;
}

// The gradient of a gradient glow or bevel, interpolated on straight colour between the stops.
// Before the first stop and after the last the end colours hold; no stops draw nothing.
TRamp GradientRamp(const std::vector<TSWFFilterGradientEntry>& gradient) {
  TRamp ramp{};
  if (gradient.empty()) return ramp;
  std::vector<TSWFFilterGradientEntry> stops(gradient.begin(), gradient.end());
  std::stable_sort(stops.begin(), stops.end(),
                   [](const auto& a, const auto& b) { return a.Ratio < b.Ratio; });
  size_t next = 0;
  for (int i = 0; i < 256; ++i) {
    while (next < stops.size() && stops[next].Ratio < i) ++next;
    const TSWFRGBA* a;
    const TSWFRGBA* b;
    double t = 0;
    if (next == 0) {
      a = b = &stops.front().Color;
    } else if (next == stops.size()) {
      a = b = &stops.back().Color;
    } else {
      const auto& lo = stops[next - 1];
      const auto& hi = stops[next];
      a = &lo.Color, b = &hi.Color;
      t = static_cast<double>(i - lo.Ratio) / (hi.Ratio - lo.Ratio);
    }
    auto mix = [t](uint8_t x, uint8_t y) {
      return static_cast<uint8_t>(std::lround(x + (y - x) * t));
    };
    ramp[i] = Premultiplied(mix(a->Red, b->Red), mix(a->Green, b->Green), mix(a->Blue, b->Blue),
                            mix(a->Alpha(), b->Alpha()));
  }
  return ramp;
}

// ---- Compositing an effect with the source

// Where an effect goes relative to the object, as the type and knockout flags choose.
enum class TMix {
  SourceOverEffect,  // outer: the object in front of its shadow or glow
  EffectOutSource,   // outer knockout: only the part outside the object
  Effect,            // hidden object: the effect alone
  EffectAtopSource,  // inner: the effect painted on the object, clipped to it
  EffectInSource,    // inner knockout: the effect clipped to the object, the object removed
  EffectOverSource,  // full (on top): the effect over the object, unclipped
};

enum class TPlacement { Outer, Inner, Full };

TMix MixOf(TPlacement placement, bool knockout, bool compositeSource) {
  bool hide = knockout || !compositeSource;
  switch (placement) {
    case TPlacement::Inner:
      return hide ? TMix::EffectInSource : TMix::EffectAtopSource;
    case TPlacement::Full:
      return hide ? TMix::Effect : TMix::EffectOverSource;
    case TPlacement::Outer:
      break;
  }
  if (knockout) return TMix::EffectOutSource;
  return compositeSource ? TMix::SourceOverEffect : TMix::Effect;
}

// The sums below stay within each channel for valid premultiplied input: a term scaled by
// (255 - alpha) of the other never pushes a channel past 255.
template <TMix M>
void ComposeRow(uint8_t* p, const uint16_t* index, const uint32_t* colors, int width) {
  for (int x = 0; x < width; ++x, p += 4) {
    const uint32_t e = colors[index[x]];
    const uint32_t s = LoadPixel(p);
    const uint32_t sa = s >> 24, ea = e >> 24;
    uint32_t v;
    if constexpr (M == TMix::SourceOverEffect) {
      if (sa == 255) continue;
      v = s + ScalePixel(e, 255 - sa);
    } else if constexpr (M == TMix::EffectOutSource) {
      v = ScalePixel(e, 255 - sa);
    } else if constexpr (M == TMix::Effect) {
      v = e;
    } else if constexpr (M == TMix::EffectAtopSource) {
      if (ea == 0) continue;
      v = ScalePixel(e, sa) + ScalePixel(s, 255 - ea);
    } else if constexpr (M == TMix::EffectInSource) {
      v = ScalePixel(e, sa);
    } else {
      v = e + ScalePixel(s, 255 - ea);
    }
    StorePixel(p, v);
  }
}

void ComposeRow(TMix mix, uint8_t* p, const uint16_t* index, const uint32_t* colors, int width) {
  switch (mix) {
    case TMix::SourceOverEffect:
      return ComposeRow<TMix::SourceOverEffect>(p, index, colors, width);
    case TMix::EffectOutSource:
      return ComposeRow<TMix::EffectOutSource>(p, index, colors, width);
    case TMix::Effect:
      return ComposeRow<TMix::Effect>(p, index, colors, width);
    case TMix::EffectAtopSource:
      return ComposeRow<TMix::EffectAtopSource>(p, index, colors, width);
    case TMix::EffectInSource:
      return ComposeRow<TMix::EffectInSource>(p, index, colors, width);
    case TMix::EffectOverSource:
      return ComposeRow<TMix::EffectOverSource>(p, index, colors, width);
  }
}

// The layer's alpha, blurred, inside a transparent border of (padX, padY) so that shifted reads
// need no bounds tests.
struct TAlphaPlane {
  std::vector<uint8_t> Values;
  int PadX = 0, PadY = 0, Stride = 0;

  uint8_t At(int x, int y) const {
    return Values[static_cast<size_t>(y + PadY) * Stride + (x + PadX)];
  }
  const uint8_t* Row(int y, int x) const {
    return Values.data() + static_cast<size_t>(y + PadY) * Stride + (x + PadX);
  }
};

TAlphaPlane BlurredAlpha(const TPixmap& layer, const TBlurSize& size, int padX, int padY) {
  const int w = layer.Width, h = layer.Height;
  std::vector<uint8_t> alpha(static_cast<size_t>(w) * h);
  const uint8_t* src = layer.Pixels.data();
  for (size_t i = 0; i < alpha.size(); ++i) alpha[i] = src[i * 4 + kAlpha];
  BlurBuffer<1>(alpha, w, h, size.X, size.Y, size.Passes);

  TAlphaPlane plane;
  plane.PadX = padX, plane.PadY = padY, plane.Stride = w + 2 * padX;
  plane.Values.assign(static_cast<size_t>(plane.Stride) * (h + 2 * padY), 0);
  for (int y = 0; y < h; ++y)
    std::memcpy(plane.Values.data() + static_cast<size_t>(y + padY) * plane.Stride + padX,
                alpha.data() + static_cast<size_t>(y) * w, w);
  return plane;
}

// A shift further than the layer reads only the border; clamping it keeps the border small.
TShift ClampShift(TShift shift, const TPixmap& layer) {
  return {std::clamp(shift.X, -(layer.Width + 1), layer.Width + 1),
          std::clamp(shift.Y, -(layer.Height + 1), layer.Height + 1)};
}

// Drop shadow, glow and gradient glow: the blurred alpha, moved by `shift`, turned up by the
// strength (inverted first for an inner effect), picks a colour from the ramp.
void ApplyGlowEffect(TPixmap& layer, const TBlurSize& size, TShift shift, double strength,
                     const TRamp& ramp, TPlacement placement, bool knockout, bool compositeSource) {
  if (layer.Empty()) return;
  shift = ClampShift(shift, layer);
  const int padX = std::abs(shift.X), padY = std::abs(shift.Y);
  TAlphaPlane plane = BlurredAlpha(layer, size, padX, padY);

  bool inner = placement == TPlacement::Inner;
  uint32_t s256 = Strength256(strength);
  std::array<uint16_t, 256> level;
  for (uint32_t v = 0; v < 256; ++v) {
    uint32_t u = inner ? 255 - v : v;
    level[v] = static_cast<uint16_t>(std::min<uint32_t>(255, (u * s256 + 128) >> 8));
  }

  const TMix mix = MixOf(placement, knockout, compositeSource);
  std::vector<uint16_t> index(layer.Width);
  for (int y = 0; y < layer.Height; ++y) {
    const uint8_t* a = plane.Row(y - shift.Y, -shift.X);
    for (int x = 0; x < layer.Width; ++x) index[x] = level[a[x]];
    ComposeRow(mix, layer.Row(y), index.data(), ramp.data(), layer.Width);
  }
}

// Bevel and gradient bevel: the blurred alpha moved along the angle (shadow side) against the
// same moved the other way (highlight side). Their difference, times the strength, indexes a
// table of 511 colours: 0 full highlight, 255 neither, 510 full shadow.
void ApplyBevelEffect(TPixmap& layer, const TBlurSize& size, TShift shift, double strength,
                      const std::array<TColor, 511>& colors, TPlacement placement, bool knockout,
                      bool compositeSource) {
  if (layer.Empty()) return;
  shift = ClampShift(shift, layer);
  const int padX = std::abs(shift.X), padY = std::abs(shift.Y);
  TAlphaPlane plane = BlurredAlpha(layer, size, padX, padY);
  const int32_t s256 = static_cast<int32_t>(Strength256(strength));

  const TMix mix = MixOf(placement, knockout, compositeSource);
  std::vector<uint16_t> index(layer.Width);
  for (int y = 0; y < layer.Height; ++y) {
    const uint8_t* shadow = plane.Row(y - shift.Y, -shift.X);
    const uint8_t* light = plane.Row(y + shift.Y, shift.X);
    for (int x = 0; x < layer.Width; ++x) {
      int32_t d = (int32_t{shadow[x]} - light[x]) * s256 / 256;
      index[x] = static_cast<uint16_t>(std::clamp(255 + d, 0, 510));
    }
    ComposeRow(mix, layer.Row(y), index.data(), colors.data(), layer.Width);
  }
}

TPlacement BevelPlacement(bool inner, bool onTop) {
  if (inner) return TPlacement::Inner;
  return onTop ? TPlacement::Full : TPlacement::Outer;
}

// ---- The filters

void ApplyBlur(TPixmap& layer, const TSWFBlurFilter& filter, double scaleX, double scaleY) {
  TBlurSize size = BlurSize(filter, scaleX, scaleY);
  BlurBuffer<4>(layer.Pixels, layer.Width, layer.Height, size.X, size.Y, size.Passes);
}

void ApplyDropShadow(TPixmap& layer, const TSWFDropShadowFilter& filter, double scaleX,
                     double scaleY) {
  ApplyGlowEffect(layer, BlurSize(filter, scaleX, scaleY),
                  ShiftOf(filter.Angle, filter.Distance, scaleX, scaleY), filter.Strength,
                  SolidRamp(filter.DropShadowColor),
                  filter.InnerShadow ? TPlacement::Inner : TPlacement::Outer, filter.Knockout,
                  filter.CompositeSource);
}

void ApplyGlow(TPixmap& layer, const TSWFGlowFilter& filter, double scaleX, double scaleY) {
  ApplyGlowEffect(layer, BlurSize(filter, scaleX, scaleY), TShift{}, filter.Strength,
                  SolidRamp(filter.GlowColor),
                  filter.InnerGlow ? TPlacement::Inner : TPlacement::Outer, filter.Knockout,
                  filter.CompositeSource);
}

void ApplyGradientGlow(TPixmap& layer, const TSWFGradientGlowFilter& filter, double scaleX,
                       double scaleY) {
  ApplyGlowEffect(layer, BlurSize(filter, scaleX, scaleY),
                  ShiftOf(filter.Angle, filter.Distance, scaleX, scaleY), filter.Strength,
                  GradientRamp(filter.Gradient), BevelPlacement(filter.InnerShadow, filter.OnTop),
                  filter.Knockout, filter.CompositeSource);
}

void ApplyBevel(TPixmap& layer, const TSWFBevelFilter& filter, double scaleX, double scaleY) {
  std::array<TColor, 511> colors{};
  for (uint32_t i = 0; i < 255; ++i) {
    colors[i] = CoveredColor(filter.HighlightColor, 255 - i);
    colors[510 - i] = CoveredColor(filter.ShadowColor, 255 - i);
  }
  ApplyBevelEffect(layer, BlurSize(filter, scaleX, scaleY),
                   ShiftOf(filter.Angle, filter.Distance, scaleX, scaleY), filter.Strength, colors,
                   BevelPlacement(filter.InnerShadow, filter.OnTop), filter.Knockout,
                   filter.CompositeSource);
}

// The gradient runs from the highlight (ratio 0) through the base (128) to the shadow (255).
void ApplyGradientBevel(TPixmap& layer, const TSWFGradientBevelFilter& filter, double scaleX,
                        double scaleY) {
  TRamp ramp = GradientRamp(filter.Gradient);
  std::array<TColor, 511> colors;
  for (uint32_t i = 0; i < 511; ++i) colors[i] = ramp[(i * 255 + 255) / 510];
  ApplyBevelEffect(layer, BlurSize(filter, scaleX, scaleY),
                   ShiftOf(filter.Angle, filter.Distance, scaleX, scaleY), filter.Strength, colors,
                   BevelPlacement(filter.InnerShadow, filter.OnTop), filter.Knockout,
                   filter.CompositeSource);
}

// Colour matrix on straight colour with offsets in 0..255 units. Each output channel is a sum
// of four per-input tables in 24.8 fixed point, which keeps the pixel loop to lookups and adds.
void ApplyColorMatrix(TPixmap& layer, const std::array<float, 20>& matrix) {
  static constexpr std::array<float, 20> kIdentity = {1, 0, 0, 0, 0, 0, 1, 0, 0, 0,
                                                      0, 0, 1, 0, 0, 0, 0, 0, 1, 0};
  if (matrix == kIdentity || layer.Empty()) return;
  // Coefficients and offsets are bounded so that the sums cannot overflow; any value near the
  // bounds saturates the channel anyway.
  std::vector<int32_t> tables(4 * 4 * 256);
  std::array<int32_t, 4> offset{};
  for (int out = 0; out < 4; ++out) {
    for (int in = 0; in < 4; ++in) {
      double k = Clamp(matrix[out * 5 + in], -1000, 1000);
      if (std::isnan(matrix[out * 5 + in])) k = 0;
      for (int v = 0; v < 256; ++v)
        tables[(out * 4 + in) * 256 + v] = static_cast<int32_t>(std::lround(k * v * 256));
    }
    double add = matrix[out * 5 + 4];
    add = std::isnan(add) ? 0 : Clamp(add, -100000, 100000);
    offset[out] = static_cast<int32_t>(std::lround(add * 256)) + 128;
  }
  const auto& unpremultiplier = Unpremultiplier();
  uint8_t* p = layer.Pixels.data();
  uint8_t* end = p + layer.Pixels.size();
  for (; p != end; p += 4) {
    uint32_t a = p[kAlpha];
    uint32_t in[4];  // the order of a matrix row: red, green, blue, alpha
    if (a == 255) {
      in[0] = p[kRed], in[1] = p[kGreen], in[2] = p[kBlue], in[3] = 255;
    } else {
      uint32_t scale = unpremultiplier[a];
      auto straight = [scale](uint32_t c) { return std::min((c * scale + 32768) >> 16, 255u); };
      in[0] = straight(p[kRed]), in[1] = straight(p[kGreen]), in[2] = straight(p[kBlue]);
      in[3] = a;
    }
    uint32_t out[4];
    for (int o = 0; o < 4; ++o) {
      const int32_t* t = tables.data() + o * 4 * 256;
      int32_t v = t[in[0]] + t[256 + in[1]] + t[512 + in[2]] + t[768 + in[3]] + offset[o];
      out[o] = static_cast<uint32_t>(std::clamp(v >> 8, 0, 255));
    }
    uint32_t na = out[3];
    if (na == 255) {
      p[kRed] = static_cast<uint8_t>(out[0]);
      p[kGreen] = static_cast<uint8_t>(out[1]);
      p[kBlue] = static_cast<uint8_t>(out[2]);
    } else {
      p[kRed] = static_cast<uint8_t>(Div255(out[0] * na));
      p[kGreen] = static_cast<uint8_t>(Div255(out[1] * na));
      p[kBlue] = static_cast<uint8_t>(Div255(out[2] * na));
    }
    p[kAlpha] = static_cast<uint8_t>(na);
  }
}

// Convolution on straight colour: each output is the matrix-weighted sum of the neighbourhood
// (centre cell at MatrixX / 2, MatrixY / 2), divided by the divisor, plus the bias. Off the
// layer the edge pixels repeat (Clamp) or the default colour stands in.
void ApplyConvolution(TPixmap& layer, const TSWFConvolutionFilter& filter) {
  const int mx = filter.MatrixX, my = filter.MatrixY;
  const int w = layer.Width, h = layer.Height;
  if (mx == 0 || my == 0 || layer.Empty()) return;
  struct TTap {
    int X, Y;
    float Weight;
  };
  std::vector<TTap> taps;
  for (int j = 0; j < my; ++j)
    for (int i = 0; i < mx; ++i) {
      size_t cell = static_cast<size_t>(j) * mx + i;
      float k = cell < filter.Matrix.size() ? filter.Matrix[cell] : 0.0f;
      if (k != 0 && std::isfinite(k)) taps.push_back({i, j, k});
    }
  if (int64_t{w} * h * static_cast<int64_t>(std::max<size_t>(taps.size(), 1)) > kMaxConvolutionWork)
    return;

  double divisor = filter.Divisor;
  if (!std::isfinite(divisor) || divisor == 0) divisor = 1;
  float inverse = static_cast<float>(1 / divisor);
  float bias = std::isfinite(filter.Bias) ? filter.Bias : 0.0f;

  // The straight-colour source with the border the matrix reaches into.
  const int left = mx / 2, top = my / 2;
  const int pw = w + mx - 1, ph = h + my - 1;
  const uint8_t fill[4] = {filter.DefaultColor.Blue, filter.DefaultColor.Green,
                           filter.DefaultColor.Red, filter.DefaultColor.Alpha()};
  std::vector<uint8_t> padded(static_cast<size_t>(pw) * ph * 4);
  for (int y = 0; y < ph; ++y) {
    int sy = y - top;
    bool outsideY = sy < 0 || sy >= h;
    for (int x = 0; x < pw; ++x) {
      int sx = x - left;
      uint8_t* d = padded.data() + (static_cast<size_t>(y) * pw + x) * 4;
      if ((outsideY || sx < 0 || sx >= w) && !filter.Clamp) {
        std::memcpy(d, fill, 4);
        continue;
      }
      const uint8_t* s = layer.Row(std::clamp(sy, 0, h - 1)) + std::clamp(sx, 0, w - 1) * 4;
      uint32_t a = s[kAlpha];
      for (int c = 0; c < 3; ++c) d[c] = Unpremultiply(s[c], a);
      d[kAlpha] = static_cast<uint8_t>(a);
    }
  }

  std::vector<float> sum(static_cast<size_t>(w) * 4);
  for (int y = 0; y < h; ++y) {
    std::fill(sum.begin(), sum.end(), 0.0f);
    for (const TTap& tap : taps) {
      const uint8_t* s = padded.data() + (static_cast<size_t>(y + tap.Y) * pw + tap.X) * 4;
      for (size_t i = 0; i < sum.size(); ++i) sum[i] += tap.Weight * s[i];
    }
    uint8_t* p = layer.Row(y);
    for (int x = 0; x < w; ++x, p += 4) {
      uint32_t v[4];
      for (int c = 0; c < 4; ++c) {
        float f = sum[x * 4 + c] * inverse + bias;
        v[c] = static_cast<uint32_t>(std::lround(Clamp(f, 0, 255)));
      }
      uint32_t a = filter.PreserveAlpha ? p[kAlpha] : v[kAlpha];
      for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(Div255(v[c] * a));
      p[kAlpha] = static_cast<uint8_t>(a);
    }
  }
}

// The padding one filter needs each side, in output pixels.
struct TMargin {
  int X = 0, Y = 0;
};

TMargin MarginOf(const TSWFFilter& filter, double scaleX, double scaleY) {
  auto blurred = dynamic_cast<const TSWFBlurFilter*>(&filter);
  if (!blurred) return {};  // colour matrix and convolution stay within the layer
  bool inner = false;
  double strength = 1;
  TShift shift;
  if (auto* shadow = dynamic_cast<const TSWFDropShadowFilter*>(&filter)) {
    inner = shadow->InnerShadow;
    strength = shadow->Strength;
    shift = ShiftOf(shadow->Angle, shadow->Distance, scaleX, scaleY);
  } else if (auto* glow = dynamic_cast<const TSWFGlowFilter*>(&filter)) {
    inner = glow->InnerGlow;
    strength = glow->Strength;
  } else if (auto* bevel = dynamic_cast<const TSWFBevelFilter*>(&filter)) {
    inner = bevel->InnerShadow;
    strength = bevel->Strength;
    shift = ShiftOf(bevel->Angle, bevel->Distance, scaleX, scaleY);
  } else if (auto* gradient = dynamic_cast<const TSWFGradientGlowFilter*>(&filter)) {
    inner = gradient->InnerShadow;
    strength = gradient->Strength;
    shift = ShiftOf(gradient->Angle, gradient->Distance, scaleX, scaleY);
  }
  // An inner effect is clipped to the object, so it draws nothing outside it.
  if (inner) return {};
  TBlurSize size = BlurSize(*blurred, scaleX, scaleY);
  int x = BlurMargin(size.X, size.WidthX, size.Passes, strength);
  int y = BlurMargin(size.Y, size.WidthY, size.Passes, strength);
  return {std::min(x + std::abs(shift.X), kMaxMargin), std::min(y + std::abs(shift.Y), kMaxMargin)};
}

}  // namespace

void BoxBlur(TPixmap& layer, double widthX, double widthY, int passes) {
  passes = std::clamp(passes, 0, kMaxPasses);
  BlurBuffer<4>(layer.Pixels, layer.Width, layer.Height, MakeWindow(widthX), MakeWindow(widthY),
                passes);
}

int FilterMargin(const TSWFFilterList& filters, double scaleX, double scaleY) {
  int x = 0, y = 0;
  for (size_t i = 0; i < filters.Count(); ++i) {
    TMargin m = MarginOf(filters[i], scaleX, scaleY);
    x = std::min(x + m.X, kMaxMargin);
    y = std::min(y + m.Y, kMaxMargin);
  }
  return std::max(x, y);
}

void ApplyFilter(TPixmap& layer, const TSWFFilter& filter, double scaleX, double scaleY) {
  if (layer.Empty()) return;
  // The id names the record class; the casts only guard against a mismatched object.
  auto as = [&filter](auto* type) { return dynamic_cast<decltype(type)>(&filter); };
  switch (filter.FilterID) {
    case kFilterDropShadow:
      if (auto* f = as(static_cast<const TSWFDropShadowFilter*>(nullptr)))
        ApplyDropShadow(layer, *f, scaleX, scaleY);
      break;
    case kFilterBlur:
      if (auto* f = as(static_cast<const TSWFBlurFilter*>(nullptr)))
        ApplyBlur(layer, *f, scaleX, scaleY);
      break;
    case kFilterGlow:
      if (auto* f = as(static_cast<const TSWFGlowFilter*>(nullptr)))
        ApplyGlow(layer, *f, scaleX, scaleY);
      break;
    case kFilterBevel:
      if (auto* f = as(static_cast<const TSWFBevelFilter*>(nullptr)))
        ApplyBevel(layer, *f, scaleX, scaleY);
      break;
    case kFilterGradientGlow:
      if (auto* f = as(static_cast<const TSWFGradientGlowFilter*>(nullptr)))
        ApplyGradientGlow(layer, *f, scaleX, scaleY);
      break;
    case kFilterGradientBevel:
      if (auto* f = as(static_cast<const TSWFGradientBevelFilter*>(nullptr)))
        ApplyGradientBevel(layer, *f, scaleX, scaleY);
      break;
    case kFilterColorMatrix:
      if (auto* f = as(static_cast<const TSWFColorMatrixFilter*>(nullptr)))
        ApplyColorMatrix(layer, f->Matrix);
      break;
    case kFilterConvolution:
      if (auto* f = as(static_cast<const TSWFConvolutionFilter*>(nullptr)))
        ApplyConvolution(layer, *f);
      break;
    default:
      break;
  }
}

void ApplyFilters(TPixmap& layer, const TSWFFilterList& filters, double scaleX, double scaleY) {
  for (size_t i = 0; i < filters.Count(); ++i) ApplyFilter(layer, filters[i], scaleX, scaleY);
}

}  // namespace orvanta::render
