#pragma once

#include <string_view>

namespace orvanta {

// The index in ContentSlots() of the slot with this label ("Shape2", "BG Image3"); Error for a
// label the content list does not have.
int ContentSlotIndex(std::string_view label);

}  // namespace orvanta
