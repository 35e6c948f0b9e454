#pragma once

#include <cstdint>
#include <vector>

#include "media/picture_codecs.h"
#include "render/pixmap.h"

namespace orvanta::render {

// Straight RGBA of a drawn frame: what the picture encoders and TFlashImage take.
TPicture PictureFromPixmap(const TPixmap& pixmap);

// A JPEG file of the frame's colours at quality 1..100, for previews and static fallbacks.
std::vector<uint8_t> EncodePixmapJPEG(const TPixmap& pixmap, int quality = 90);

}  // namespace orvanta::render
