#pragma once

#include <string>

#include "project/banner_document.h"

namespace orvanta {

// Ad networks count clicks by passing their own click-through address to the movie in the
// clickTAG variable; with this flag on the banner's links go there.
inline constexpr const char* kClickTagField = "ClickTagEnabled";
inline constexpr const char* kClickTagVariable = "clickTAG";

bool UsesClickTag(const TPageState& page);

// The address the page passes in: the whole-banner link's, else the first button's.
std::string ClickTagUrl(const TPageState& page);

// The page with clickTAG handed to the movie's <embed> as flashvars (which the player reads
// as variables of the root timeline). A page without an embed is returned unchanged.
std::string WithClickTagFlashVars(std::string html, const std::string& url);

}  // namespace orvanta
