#pragma once

#include <string>
#include <string_view>

#include "project/banner_document.h"

namespace orvanta {

// The field name of a button slot: slots 1 to 7 are suffixed plainly, 8 to 20 with "_".
std::string ButtonSlotField(std::string_view stem, int slot);

// The window a link opens in: the chosen one of "_blank", "_self", "_parent", "_top", or the
// target typed instead.
std::string LinkTarget(const TPageState& page, std::string_view field);

}  // namespace orvanta
