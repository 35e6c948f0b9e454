#include "builders/button_bar/button_layout.h"

#include <algorithm>

namespace orvanta {

TRect CaptionBox(TCaptionPosition position, int x, int y, int w, int h, TTextSize caption,
                 int& hitWidth, int& hitHeight) {
  const int tw = caption.Width, th = caption.Height;
  hitWidth = w;
  hitHeight = h;
  switch (position) {
    case TCaptionPosition::Right:
      hitWidth = w + tw + 3;
      return {x + w + 2, y + (h - th) / 2, x + w + tw + 12, y + (h - th) / 2 + th + 10};
    case TCaptionPosition::Bottom:
      hitHeight = h + th + 3;
      return {x + (w - tw) / 2, y + h + 3, x + (w - tw) / 2 + tw + 10, y + h + th + 13};
    case TCaptionPosition::Top:
      return {x + (w - tw) / 2, y + 2, x + (w - tw) / 2 + tw + 10, y + th + 12};
    case TCaptionPosition::Center:
      break;
  }
  const int left = x + (w - tw) / 2, top = y + (h - th) / 2;
  return {left, top, left + tw + 10, top + th + 10};
}

TButtonPlace TButtonBarLayout::Next(const TButtonStyle& style, TTextSize caption) {
  TButtonPlace place;
  place.Width = style.Width * settings_.Zoom / 100;
  place.Height = style.Height * settings_.Zoom / 100;
  if (settings_.Vertical) {
    place.X = settings_.Left;
    place.Y = settings_.Top + offset_;
    offset_ += settings_.Gap + place.Height;
  } else {
    place.X = settings_.Left + offset_;
    place.Y = settings_.Top;
    offset_ += settings_.Gap + place.Width;
  }
  place.Caption = CaptionBox(style.Caption, place.X, place.Y, place.Width, place.Height, caption,
                             place.HitWidth, place.HitHeight);
  right_ = std::max(right_, place.X + place.HitWidth);
  bottom_ = std::max(bottom_, place.Y + place.HitHeight);
  return place;
}

}  // namespace orvanta
