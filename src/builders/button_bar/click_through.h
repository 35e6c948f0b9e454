#pragma once

#include <string>

namespace orvanta {

class TFlashActionScript;

// The script that opens a link. With clickTag it opens the clickTAG variable of the root
// timeline (what the page passes in as flashvars) and the link only when the page passes
// none or an empty one.
void AddClickThrough(TFlashActionScript& script, const std::string& link,
                     const std::string& target, bool clickTag);

}  // namespace orvanta
