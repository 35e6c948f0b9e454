#pragma once

#include "platform/button_styles.h"
#include "platform/font_engine.h"
#include "swf/swf_records.h"

namespace orvanta {

struct TButtonBarSettings {
  bool Vertical = false;
  int Left = 10, Top = 10;  // where the first button goes
  int Gap = 10;             // between one button's art and the next
  int Zoom = 100;           // percent
};

// Where one button goes, in bar pixels.
struct TButtonPlace {
  int X = 0, Y = 0;
  int Width = 0, Height = 0;        // the style's art at the zoom
  TRect Caption;                    // the caption's text box
  int HitWidth = 0, HitHeight = 0;  // the art grown by a caption beside or below it
};

// The caption box of a caption of size tw x th for art at (x, y) of size w x h. A caption
// beside or below the art widens the hit area, returned in hitWidth, hitHeight.
TRect CaptionBox(TCaptionPosition position, int x, int y, int w, int h, TTextSize caption,
                 int& hitWidth, int& hitHeight);

// Lays the buttons out one after another in a row or a column. Each button moves the next one on
// by its art size and the gap; a caption beside or below it does not.
class TButtonBarLayout {
 public:
  explicit TButtonBarLayout(const TButtonBarSettings& settings) : settings_(settings) {}

  TButtonPlace Next(const TButtonStyle& style, TTextSize caption);
  // The box from the start to the furthest hit area reached; 0 x 0 before the first button.
  int Width() const { return right_ - settings_.Left; }
  int Height() const { return bottom_ - settings_.Top; }

 private:
  TButtonBarSettings settings_;
  int offset_ = 0;
  int right_ = settings_.Left, bottom_ = settings_.Top;
};

}  // namespace orvanta
