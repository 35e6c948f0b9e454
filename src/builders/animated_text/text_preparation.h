#pragma once

#include <string>

#include "builders/animated_text/text_kit.h"
#include "project/content_builder.h"

namespace orvanta {

// Why the text cannot be built into the movie as it stands (too many frames or ids), or empty.
std::string TextBudgetProblem(TFlashMovie& movie, const TAnimatedTextSettings& settings,
                              TTextMeasurer& measure, const TTemplatePack& templates,
                              TBuildContext& context);
inline bool TextFits(TFlashMovie& movie, const TAnimatedTextSettings& settings,
                     TTextMeasurer& measure, const TTemplatePack& templates,
                     TBuildContext& context) {
  return TextBudgetProblem(movie, settings, measure, templates, context).empty();
}

// Adds what every letter shares: the font, the texture and the foreground effect's import.
// A texture or effect file that cannot be used is a warning; the letters go without it.
void PrepareTextKit(TTextKit& kit, TBuildContext& context);

}  // namespace orvanta
