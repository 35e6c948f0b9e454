#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "builders/slideshow/slideshow_settings.h"

namespace orvanta {

// What a slideshow of a number of photos will need, known before anything is built: the frames
// of the show sprite and an upper bound of the character ids.
struct TSlideshowBudget {
  int64_t Frames = 0;
  int64_t Ids = 0;
};
TSlideshowBudget SlideshowBudget(const TSlideshowSettings& settings, int photos);

// The warning that refuses a slideshow past the 16-bit limits of the file, given the ids the
// movie has handed out already; none when it fits.
std::optional<std::string> BudgetProblem(const TSlideshowBudget& budget, int64_t idsInUse);

}  // namespace orvanta
