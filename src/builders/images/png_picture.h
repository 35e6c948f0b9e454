#pragma once

#include <string>

#include "project/content_builder.h"

namespace orvanta {

class TFlashSprite;
struct TPicture;

// Fills sprite with a picture that has an alpha channel: a rectangle of its size filled with
// the picture as JPEG data plus alpha plane. When more than 100 of its pixels are partly
// transparent, 21 sparkles (the data root's star movie) appear one every 5 frames at randomly
// chosen such pixels, so the sprite then runs 105 frames. A missing or unreadable star movie is
// a warning on field and the picture is built without sparkles.
void BuildPngImage(TFlashMovie& movie, TFlashSprite& sprite, const TPicture& picture,
                   TBuildContext& context, const std::string& field);

}  // namespace orvanta
