#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "builders/animated_text/text_measure.h"

namespace orvanta {

class TTemplatePack;

// The texts the passes show: each line on its own ("Line By Line") or all lines at once.
std::vector<std::u16string> PassTexts(const TAnimatedTextSettings& settings);

// What the text will add to the main movie, counted before anything is built: frames exactly,
// character ids as an upper bound. Both fields are 16-bit in the file.
struct TTextBudget {
  int64_t Frames = 0;
  int64_t Ids = 0;
};
// foregroundIds: what importing the foreground effect's file costs (0 without one).
TTextBudget CountTextBudget(const TAnimatedTextSettings& settings, TTextMeasurer& measure,
                            const TTemplatePack* templates, int foregroundIds);

// The ids importing one SWF file as a sprite takes; 0 when it does not read.
int ImportIdCost(std::span<const uint8_t> swf);

// "Animated text too long: N frames (limit 65,535)" (or "character ids") when the movie, already
// holding framesBefore frames and idsBefore ids and closed by two more frames, would pass the
// limit; empty when it fits.
std::string BudgetProblem(const TTextBudget& budget, int64_t framesBefore, int64_t idsBefore);

}  // namespace orvanta
