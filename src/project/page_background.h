#pragma once

#include "project/content_builder.h"

namespace orvanta {

// The page background inside the background movie: a banner-sized rectangle of the page colour,
// or, with the picture chosen, a rectangle at least the banner's size tiled with the picture.
// A picture that is missing or cannot be decoded is a warning and the colour is used.
void AddPageBackground(TFlashMovie& movie, const TPageState& page, const TDepthPlan& depths,
                       TBuildContext& context);

}  // namespace orvanta
