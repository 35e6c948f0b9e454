#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "builders/common/deferred_placements.h"
#include "project/banner_document.h"

namespace orvanta {

class TFlashMovie;
class TFlashSprite;

// Where one block's objects stand inside the static-text sprite.
struct TStaticTextDepths {
  uint16_t FirstLine, Band, Mask, Effect;
};
// Slot 1 ... 7.
TStaticTextDepths StaticTextDepths(int slot);

// The next block's lines start 100 depths further on, so a block keeps at most this many.
inline constexpr int kMaxStaticTextLines = 100;

// The lines of a block as a memo shows them: a line break at the very end starts no new line.
std::vector<std::u16string> StaticTextLines(const std::string& text);

// One block as it is laid out and placed.
struct TStaticTextBlock {
  int Slot = 1;  // 1 ... 7
  std::vector<std::u16string> Lines;
  TFontSetting Font;
  int32_t Colour = 0;  // settings colour, 0x00BBGGRR
  int X = 0, Y = 0;
  bool DropShadow = false;
  TFlashSprite* Effect = nullptr;  // the background effect seen through the box, if any
  uint32_t BandColours[4] = {};    // the shadow band's gradient, packed RGBA
};

struct TStaticTextSize {
  int Width = 0, Height = 0;  // the widest line, and lines times the line height
};

// Adds the block's font, texts and shapes to the movie and their placements to the list.
TStaticTextSize AddStaticTextBlock(TFlashMovie& movie, const TStaticTextBlock& block,
                                   TDeferredPlacements& placements);

}  // namespace orvanta
