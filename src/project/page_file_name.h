#pragma once

#include <string>
#include <string_view>

namespace orvanta {

// The page file name a build and a publish may write: no folder parts, no "..", no characters
// a file name cannot hold, never empty, always ending in ".html" or ".htm", never the name of
// the published "images" folder. Changed reports whether the name had to change.
std::string SafePageFileName(std::string_view name, bool* changed = nullptr);

}  // namespace orvanta
