#pragma once

#include <string>

#include "sample_looks.h"
#include "sample_recipe.h"

namespace orvanta::samples {

// A rectangle in banner pixels.
struct TBox {
  int Left = 0, Top = 0, Width = 0, Height = 0;
};

// The pieces a sample is assembled from, each writing the settings of one content kind.

// The page colour, or a picture from the photos folder when picture > 0.
void AddPageBackground(TSampleRecipe& recipe, const TSampleLook& look, int picture = 0);
// Shape panel slot (1 ... 5) in a shape style, recoloured with the palette.
void AddPanel(TSampleRecipe& recipe, int slot, int style, TBox box, uint32_t colour1,
              uint32_t colour2, int alpha = 255);
// The animated text in the look's effect and fill; lines one after another or all at once. Its
// colours are the palette's headline colour or, on a background too close to it, the page's.
void AddHeadline(TSampleRecipe& recipe, const TSampleLook& look, int left, int top, int points,
                 bool showAll);
// Static text slot (1 ... 7) with the look's background effect when effect is set; in colour
// or, where that would not stand out from what lies under the text, in the contrast colour.
void AddStaticText(TSampleRecipe& recipe, int slot, const std::string& text, int left, int top,
                   int points, uint32_t colour, uint32_t contrast, bool effect);
// `count` buttons of the look's style scaled to `height`, or smaller where a row would be longer
// than `span` (a column wider), in a row or a column; or, for looks that link the whole banner,
// that link alone.
void AddButtons(TSampleRecipe& recipe, const TSampleLook& look, int count, int left, int top,
                int height, int span, bool vertical, int gap);
// Static image slot (1 ... 3), or the back image (slot 4), sized to the box.
void AddPicture(TSampleRecipe& recipe, int slot, int photo, TBox box, int shape = -1);
// Library clip layer (1 ... 5) at a position, scaled in percent.
void AddClip(TSampleRecipe& recipe, int layer, int clip, int left, int top, int scale = 100);
// The slideshow of `photos` photos from `firstPhoto` in the box, with the transition, border
// (0 none, 1 colour, 2 random colour, k + 2 for border k) and, optionally, a thumbnail row.
void AddSlideshow(TSampleRecipe& recipe, int firstPhoto, int photos, TBox box, int transition,
                  int border, bool thumbs);
// An HTML text layer (1 ... 7) over the movie.
void AddHtmlText(TSampleRecipe& recipe, int slot, const std::string& html, TBox box, bool glow);
// The look's loading screen and music, with the music control at a corner.
void AddLoadingAndMusic(TSampleRecipe& recipe, const TSampleLook& look, int controlLeft,
                        int controlTop);
// Horizontal centring, done once the builders measured the item: the slot label of the
// content list and the span to centre it in.
void CentreLater(TSampleRecipe& recipe, const std::string& slot, int left, int right);

}  // namespace orvanta::samples
