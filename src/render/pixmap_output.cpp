#include "render/pixmap_output.h"

#include "render/color_ops.h"

namespace orvanta::render {

TPicture PictureFromPixmap(const TPixmap& pixmap) {
  TPicture picture(static_cast<uint32_t>(pixmap.Width), static_cast<uint32_t>(pixmap.Height), 0);
  const uint8_t* src = pixmap.Pixels.data();
  uint8_t* dst = picture.Pixels.data();
  const size_t count = size_t(pixmap.Width) * pixmap.Height;
  for (size_t i = 0; i < count; ++i, src += 4, dst += 4) {
    const uint8_t a = src[kAlpha];
    dst[0] = Unpremultiply(src[kRed], a);
    dst[1] = Unpremultiply(src[kGreen], a);
    dst[2] = Unpremultiply(src[kBlue], a);
    dst[3] = a;
  }
  return picture;
}

std::vector<uint8_t> EncodePixmapJPEG(const TPixmap& pixmap, int quality) {
  return EncodeJPEG(PictureFromPixmap(pixmap), quality);
}

}  // namespace orvanta::render
