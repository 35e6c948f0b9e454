#pragma once

#include <cstdint>

namespace orvanta {

class TFlashMovie;
class TFlashShape;

// The frame shapes a picture is cut to, in the order of the shape list. No selection (-1)
// counts as a rounded rectangle, and any index past the list as a rectangle.
enum class TImageFrameShape : int8_t { RoundRect, Circle, Ellipse, Star, Diamond, Rectangle };
TImageFrameShape FrameShapeOf(int listIndex);

// The outline of a picture box w x h (pixels, origin at its top-left corner) cut to the shape.
// Circle and star are as wide as the box and centred in it, so they may reach above and below
// a box wider than it is high.
TFlashShape* AddFrameShape(TFlashMovie& movie, TImageFrameShape shape, int32_t w, int32_t h);

}  // namespace orvanta
