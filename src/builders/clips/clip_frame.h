#pragma once

#include <cstdint>

namespace orvanta {

struct SWFHeader;

// The size of a clip's frame in whole pixels, the base of its placement, its rotation centre
// and the size the design view shows. Frames of hostile files are clamped to 0 ... kMaxSide so
// that no later sum or twips conversion can overflow.
struct TClipFrame {
  static constexpr int32_t kMaxSide = 100000;
  int32_t Width = 0, Height = 0;

  static TClipFrame Of(const SWFHeader& header);
  int32_t HalfWidth() const { return Width / 2; }
  int32_t HalfHeight() const { return Height / 2; }
  // The size at a scale percentage, rounded.
  TClipFrame Scaled(int percent) const;
};

}  // namespace orvanta
