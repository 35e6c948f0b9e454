#pragma once

#include "media/filters.h"
#include "render/pixmap.h"

namespace orvanta::render {

// Extra pixels each side a filter list needs around the layer's content, at the given scale
// (output pixels per stage pixel), so the caller can pad the layer before drawing into it.
int FilterMargin(const TSWFFilterList& filters, double scaleX, double scaleY);

// Applies the filters in order to the layer in place (padding already included).
void ApplyFilters(TPixmap& layer, const TSWFFilterList& filters, double scaleX, double scaleY);

// One filter on its own; the list form calls this for each entry.
void ApplyFilter(TPixmap& layer, const TSWFFilter& filter, double scaleX, double scaleY);

// The box blur the player runs `passes` times over the pixels, each pass a running mean over a
// window of the given width in pixels (horizontal and vertical handled separately). Widths below
// 2 leave that direction untouched.
void BoxBlur(TPixmap& layer, double widthX, double widthY, int passes);

}  // namespace orvanta::render
