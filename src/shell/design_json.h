#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "project/banner_document.h"

namespace orvanta {

// What the design overlay draws over the preview, in banner pixels: a slot with a title tab for
// every item that has a rectangle, the selection with its handles (null when nothing is
// selected) and the page's resize handles.
nlohmann::json DesignJson(const TBannerDocument& doc, const std::string& selection);

}  // namespace orvanta
