#pragma once

#include <nlohmann/json.hpp>

#include "project/banner_document.h"
#include "project/content_list.h"

namespace orvanta {

// The warnings of a load, change or build: page, field and message of each.
nlohmann::json WarningsJson(const TWarnings& warnings);
// Names the library clip of a choice for the content list ("" for no clip).
TClipNamer LibraryClipNamer();
// The content list of the current page, with the library clips named.
nlohmann::json ContentListJson(const TBannerDocument& doc);

}  // namespace orvanta
