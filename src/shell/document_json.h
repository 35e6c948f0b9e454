#pragma once

#include <nlohmann/json.hpp>

#include "project/banner_document.h"

namespace orvanta {

// The warnings of a load, change or build: page, field and message of each.
nlohmann::json WarningsJson(const TWarnings& warnings);
// The content list of the current page, with the library clips named.
nlohmann::json ContentListJson(const TBannerDocument& doc);

}  // namespace orvanta
