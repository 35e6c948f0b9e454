#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "swf/swf_records.h"

namespace orvanta::render {

struct TPoint {
  double X = 0, Y = 0;
  bool operator==(const TPoint&) const = default;
};

// An axis-aligned box; starts empty and grows by the points added to it.
struct TBounds {
  double XMin = std::numeric_limits<double>::infinity();
  double YMin = std::numeric_limits<double>::infinity();
  double XMax = -std::numeric_limits<double>::infinity();
  double YMax = -std::numeric_limits<double>::infinity();

  bool Empty() const { return !(XMin <= XMax && YMin <= YMax); }
  void Add(TPoint p) {
    XMin = std::min(XMin, p.X);
    YMin = std::min(YMin, p.Y);
    XMax = std::max(XMax, p.X);
    YMax = std::max(YMax, p.Y);
  }
  void Add(const TBounds& b) {
    if (b.Empty()) return;
    Add(TPoint{b.XMin, b.YMin});
    Add(TPoint{b.XMax, b.YMax});
  }
  void Inflate(double d) {
    if (Empty()) return;
    XMin -= d;
    YMin -= d;
    XMax += d;
    YMax += d;
  }
  TBounds Intersect(const TBounds& b) const {
    TBounds r;
    r.XMin = std::max(XMin, b.XMin);
    r.YMin = std::max(YMin, b.YMin);
    r.XMax = std::min(XMax, b.XMax);
    r.YMax = std::min(YMax, b.YMax);
    return r;
  }
};

// A 2D affine transformation: x' = A x + C y + TX, y' = B x + D y + TY (Cairo's order).
struct TAffine {
  double A = 1, B = 0, C = 0, D = 1, TX = 0, TY = 0;

  static TAffine Translate(double x, double y) { return {1, 0, 0, 1, x, y}; }
  static TAffine Scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
  // SWF matrix: scale and skew terms are 16.16 fixed point, missing groups are identity.
  static TAffine FromSWF(const TSWFMatrix& m) {
    TAffine r;
    if (m.HasScale) {
      r.A = m.ScaleX / 65536.0;
      r.D = m.ScaleY / 65536.0;
    }
    if (m.HasRotate) {
      r.B = m.RotateSkew0 / 65536.0;
      r.C = m.RotateSkew1 / 65536.0;
    }
    r.TX = m.TranslateX;
    r.TY = m.TranslateY;
    return r;
  }

  // this * other: applies other first.
  TAffine operator*(const TAffine& o) const {
    return {A * o.A + C * o.B, B * o.A + D * o.B,        A * o.C + C * o.D,
            B * o.C + D * o.D, A * o.TX + C * o.TY + TX, B * o.TX + D * o.TY + TY};
  }
  TPoint Apply(TPoint p) const { return {A * p.X + C * p.Y + TX, B * p.X + D * p.Y + TY}; }
  double Determinant() const { return A * D - B * C; }
  bool Finite() const {
    return std::isfinite(A) && std::isfinite(B) && std::isfinite(C) && std::isfinite(D) &&
           std::isfinite(TX) && std::isfinite(TY);
  }
  // Too close to singular to draw through (a zero scale collapses the object to nothing).
  bool Degenerate() const {
    double det = Determinant();
    return !Finite() || !std::isfinite(det) || std::fabs(det) < 1e-12;
  }
  // The inverse; only for matrices that are not Degenerate.
  TAffine Inverse() const {
    double det = Determinant();
    TAffine r{D / det, -B / det, -C / det, A / det, 0, 0};
    r.TX = -(r.A * TX + r.C * TY);
    r.TY = -(r.B * TX + r.D * TY);
    return r;
  }
  // How much the transformation enlarges lengths on average.
  double MeanScale() const { return std::sqrt(std::fabs(Determinant())); }
  // The most the transformation stretches a length, in any direction.
  double MaxScale() const {
    double sum = A * A + B * B + C * C + D * D;
    double det = Determinant();
    double root = std::sqrt(std::max(0.0, sum * sum - 4 * det * det));
    return std::sqrt((sum + root) / 2);
  }
  double ScaleX() const { return std::hypot(A, B); }
  double ScaleY() const { return std::hypot(C, D); }

  TBounds Apply(const TBounds& b) const {
    TBounds r;
    if (b.Empty()) return r;
    r.Add(Apply(TPoint{b.XMin, b.YMin}));
    r.Add(Apply(TPoint{b.XMax, b.YMin}));
    r.Add(Apply(TPoint{b.XMin, b.YMax}));
    r.Add(Apply(TPoint{b.XMax, b.YMax}));
    return r;
  }
};

// A straight 8-bit colour.
struct TRGBA {
  uint8_t R = 0, G = 0, B = 0, A = 255;
  bool operator==(const TRGBA&) const = default;
};

// A colour transform with its terms as factors and offsets: c' = c * Mult + Add, per channel
// (red, green, blue, alpha), clamped to 0..255 when applied.
struct TColorTransform {
  double Mult[4] = {1, 1, 1, 1};
  double Add[4] = {0, 0, 0, 0};

  // Groups whose flag is off, and the alpha terms of a transform without alpha, are identity.
  static TColorTransform FromSWF(const TSWFColorTransform& c) {
    TColorTransform r;
    if (c.HasMult) {
      r.Mult[0] = c.RedMult / 256.0;
      r.Mult[1] = c.GreenMult / 256.0;
      r.Mult[2] = c.BlueMult / 256.0;
      if (c.HasAlpha) r.Mult[3] = c.AlphaMult / 256.0;
    }
    if (c.HasAdd) {
      r.Add[0] = c.RedAdd;
      r.Add[1] = c.GreenAdd;
      r.Add[2] = c.BlueAdd;
      if (c.HasAlpha) r.Add[3] = c.AlphaAdd;
    }
    return r;
  }

  // this after inner: the transform of a child (inner) seen through its parent (this).
  TColorTransform operator*(const TColorTransform& inner) const {
    TColorTransform r;
    for (int i = 0; i < 4; ++i) {
      r.Mult[i] = inner.Mult[i] * Mult[i];
      r.Add[i] = inner.Add[i] * Mult[i] + Add[i];
    }
    return r;
  }

  bool Identity() const {
    for (int i = 0; i < 4; ++i)
      if (Mult[i] != 1 || Add[i] != 0) return false;
    return true;
  }

  TRGBA Apply(TRGBA c) const {
    auto one = [&](uint8_t v, int i) {
      double x = v * Mult[i] + Add[i];
      if (!(x > 0)) return uint8_t{0};
      return static_cast<uint8_t>(std::lround(std::min(x, 255.0)));
    };
    return {one(c.R, 0), one(c.G, 1), one(c.B, 2), one(c.A, 3)};
  }

  // The nearest transform in the record's fixed-point form (for the pixel routines).
  TSWFColorTransform ToSWF() const {
    auto fixed = [](double v, double scale) {
      double x = std::clamp(v * scale, -32768.0, 32767.0);
      return static_cast<int32_t>(std::lround(std::isfinite(x) ? x : 0));
    };
    TSWFColorTransform c;
    c.HasMult = c.HasAdd = c.HasAlpha = true;
    c.RedMult = fixed(Mult[0], 256);
    c.GreenMult = fixed(Mult[1], 256);
    c.BlueMult = fixed(Mult[2], 256);
    c.AlphaMult = fixed(Mult[3], 256);
    c.RedAdd = fixed(Add[0], 1);
    c.GreenAdd = fixed(Add[1], 1);
    c.BlueAdd = fixed(Add[2], 1);
    c.AlphaAdd = fixed(Add[3], 1);
    return c;
  }
};

inline TRGBA ToRGBA(const TSWFRGBA& c) {
  return {c.Red, c.Green, c.Blue, c.Alpha()};
}
inline TRGBA ToRGBA(const TSWFRGB& c) {
  return {c.Red, c.Green, c.Blue, 255};
}

}  // namespace orvanta::render
