#include "builders/slideshow/photo_outlines.h"

#include <algorithm>

#include "movie/flash_movie.h"
#include "movie/flash_shape.h"
#include "swf/swf_records.h"

namespace orvanta {

namespace {

// The outline moved by (dx, dy): the shadow copy is drawn 2 pixels lower right.
TFlashShape* AddOutline(TFlashMovie& movie, const TSlideshowSettings& settings, int w, int h,
                        int dx) {
  if (!settings.Shaped) return movie.AddRectangle(dx, dx, w + dx, h + dx);
  const int k = std::min(w, h) / 2;
  switch (settings.Shape) {
    case TPhotoShape::Circle:
      return movie.AddCircle(w / 2 + dx, h / 2 + dx, k);
    case TPhotoShape::Ellipse:
      return movie.AddEllipse(dx, dx, w + dx, h + dx);
    case TPhotoShape::Star:
      return movie.AddStar(w / 2 + dx, h / 2 + dx, k, k * 8 / 10, 13, false);
    case TPhotoShape::Diamond:
      return movie.AddDiamond(dx, dx, w + dx, h + dx);
    case TPhotoShape::RoundRect:
    case TPhotoShape::None:
      break;
  }
  return movie.AddRoundRect(dx, dx, w + dx, h + dx, w / 15);
}

}  // namespace

TPhotoOutlines AddPhotoOutlines(TFlashMovie& movie, const TSlideshowSettings& settings, int width,
                                int height, uint32_t borderColor) {
  TPhotoOutlines outlines;
  outlines.Mask = AddOutline(movie, settings, width, height, 0);
  outlines.Mask->SetSolidColor(255, 0, 0, 255);
  outlines.Border = AddOutline(movie, settings, width, height, 0);
  outlines.Border->SetSolidColor(0, 0, 0, 0);
  outlines.Border->SetLineStyle(2, TSWFRGBA(borderColor | 0xFF000000u, true));
  outlines.Shadow = AddOutline(movie, settings, width, height, 2);
  outlines.Shadow->SetLineStyle(2, TSWFRGBA(0x20000000u, true));
  return outlines;
}

}  // namespace orvanta
