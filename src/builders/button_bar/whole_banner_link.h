#pragma once

#include <string>

#include "builders/common/deferred_placements.h"

namespace orvanta {

class TFlashMovie;

// An invisible button over the whole banner that opens the link on release (or the page's
// clickTAG, see AddClickThrough).
void AddWholeBannerLink(TFlashMovie& movie, int width, int height, const std::string& link,
                        const std::string& target, bool clickTag, TDeferredPlacements& bar);

}  // namespace orvanta
