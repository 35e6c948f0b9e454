#pragma once

#include <string_view>

namespace orvanta {

// The index in ContentSlots() of the slot with this label ("Button", "Shape2", "Static Text3").
// The labels are the program's own, so one the content list lacks is a fault: Error.
int ContentSlotIndex(std::string_view label);

}  // namespace orvanta
