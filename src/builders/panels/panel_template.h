#pragma once

#include <cstdint>
#include <span>

namespace orvanta {

class TFlashMovie;
class TFlashSprite;

struct TPanelSize {
  int Width = 0, Height = 0;
};

// Fills sprite with one panel of about width x height pixels made from a template (a whole SWF
// file). Nine-slice templates keep their corners unscaled, stretch their edges one way and
// their centre both ways; the masks reach 15 pixels past the outer edges so that outlines and
// glows survive. Templates marked 1/1/1, and templates too small for their own margins, are
// scaled as a whole to cover the box. Returns the box the panel was laid out in (never smaller
// than its corners plus 10 pixels). Raises Error for a file that is not a usable SWF.
TPanelSize BuildPanelFromTemplate(TFlashMovie& movie, TFlashSprite& sprite,
                                  std::span<const uint8_t> templateFile, int width, int height);

}  // namespace orvanta
