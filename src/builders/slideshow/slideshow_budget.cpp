#include "builders/slideshow/slideshow_budget.h"

#include "builders/common/count_text.h"
#include "builders/slideshow/slideshow_transitions.h"
#include "movie/count_limits.h"

namespace orvanta {

namespace {

// Per photo: the image, its rectangle, its sprite, three outlines, the border sprite, up to ten
// transition masks with their cell, and the highlight, picture, fly-in, button and hit area of
// the thumbnail. Per page: two squares, their sprite, the number and the button. Besides: the
// album, the show, the wrapper, the arrows, the window, the font and the imported artwork.
constexpr int64_t kIdsPerPhoto = 24, kIdsPerPage = 6, kFixedIds = 16;

}  // namespace

TSlideshowBudget SlideshowBudget(const TSlideshowSettings& s, int photos) {
  TSlideshowBudget budget;
  const int64_t perPhoto = int64_t{s.FramesPerSecond} * s.Delay;
  // Every photo shows for its time, every pass but the first has a transition, and the last
  // pass (the first photo again) shows for one frame.
  budget.Frames = photos * perPhoto + photos * int64_t{TransitionFrames(s.Transition)} + 1;
  budget.Ids = photos * kIdsPerPhoto + s.Pages(photos) * kIdsPerPage + kFixedIds;
  return budget;
}

std::optional<std::string> BudgetProblem(const TSlideshowBudget& budget, int64_t idsInUse) {
  if (budget.Frames > kMaxCount16)
    return "Slideshow too long: " + CountText(budget.Frames) + " frames (limit " +
           CountText(kMaxCount16) + ")";
  if (idsInUse + budget.Ids > kMaxCount16)
    return "Slideshow needs too many objects: " + CountText(idsInUse + budget.Ids) +
           " ids (limit " + CountText(kMaxCount16) + ")";
  return std::nullopt;
}

}  // namespace orvanta
