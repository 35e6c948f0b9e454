#pragma once

#include <cstdint>
#include <string>

#include "project/banner_document.h"
#include "swf/swf_records.h"

namespace orvanta {

class TFlashFont;
class TFlashMovie;
class TFlashText;

// The movie's embedded font for a setting: one per face and style, shared by every text of the
// movie whatever its size. Players find an embedded font of a text field by its name, so a second
// font of the same name would show the first one's glyphs, and the characters it lacks not at all.
TFlashFont* MovieFont(TFlashMovie& movie, const TFontSetting& setting);

// A text field in the setting's font at the setting's size, read-only and not selectable: a
// label must not take the pointer from what lies under it. Rectangle in units.
TFlashText* AddLabel(TFlashMovie& movie, const std::u16string& text, uint32_t rgba,
                     const TFontSetting& setting, const TRect& rect);

}  // namespace orvanta
