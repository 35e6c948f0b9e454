#include "render/pixmap.h"

#include <string>

#include "platform/errors.h"

namespace orvanta::render {

TPixmap::TPixmap(int width, int height) {
  if (width < 0 || height < 0 || int64_t{width} * height > kMaxPixels)
    throw Error("a bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                " pixels is negative or too large to draw");
  Width = width;
  Height = height;
  Pixels.assign(static_cast<size_t>(width) * height * 4, 0);
}

}  // namespace orvanta::render
