#pragma once

#include "render/pixmap.h"
#include "swf/swf_records.h"

namespace orvanta::render {

// Colour transform on premultiplied pixels (multiply and add terms, as the player applies them:
// on the unpremultiplied colour, multiply terms 8.8 fixed point, results clamped to 0..255).
// Terms whose group flag is off count as identity; without HasAlpha the alpha channel is kept.
void ApplyColorTransform(TPixmap& layer, const TSWFColorTransform& cxform);

// Converts between premultiplied and straight colour in place.
void Unpremultiply(TPixmap& layer);
void Premultiply(TPixmap& layer);

}  // namespace orvanta::render
