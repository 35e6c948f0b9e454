#include "builders/images/frame_shapes.h"

#include "movie/flash_movie.h"

namespace orvanta {

TImageFrameShape FrameShapeOf(int listIndex) {
  if (listIndex < 0) return TImageFrameShape::RoundRect;
  if (listIndex > int(TImageFrameShape::Rectangle)) return TImageFrameShape::Rectangle;
  return TImageFrameShape(listIndex);
}

TFlashShape* AddFrameShape(TFlashMovie& movie, TImageFrameShape shape, int32_t w, int32_t h) {
  switch (shape) {
    case TImageFrameShape::RoundRect:
      return movie.AddRoundRect(0, 0, w, h, w / 15);
    case TImageFrameShape::Circle:
      return movie.AddCircle(w / 2, h / 2, w / 2);
    case TImageFrameShape::Ellipse:
      return movie.AddEllipse(0, 0, w, h);
    case TImageFrameShape::Star:
      return movie.AddStar(w / 2, h / 2, w / 2, w * 4 / 10, 13, false);
    case TImageFrameShape::Diamond:
      return movie.AddDiamond(0, 0, w, h);
    case TImageFrameShape::Rectangle:
      break;
  }
  return movie.AddRectangle(0, 0, w, h);
}

}  // namespace orvanta
