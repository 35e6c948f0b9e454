#pragma once

#include <string_view>

namespace orvanta {

// The content-list slot with that label ("Button", "Static Text3"); -1 when there is none.
int ContentSlotIndex(std::string_view label);

}  // namespace orvanta
