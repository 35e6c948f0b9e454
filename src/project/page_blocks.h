#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "project/banner_document.h"

namespace orvanta {

// A value of a page that is not a registry field but is edited beside the fields: a text
// block, a font or the photo list.
struct TBlockSpec {
  TEditorId Editor;
  std::string Name;
  std::string Kind;  // "wide text", "font" or "file list"
  std::string Caption;
  std::string Tab;
  bool MultiLine = false;
  std::optional<TFontSlot> Font;  // fonts only
};
const std::vector<TBlockSpec>& PageBlocks();

// A font as one text: face, size in points and the styles, "|" between them ("Arial|10|Bold").
std::string FontText(const TFontSetting& font);
// FormatError for a text that is no font.
TFontSetting ParseFontText(std::string_view text);

// The fonts of the page, by block name, in their text form.
nlohmann::json FontBlocksJson(const TPageState& page);
// Stores a font block, or the photo list ("|" between the files). False when the name is
// neither; FormatError for a bad font.
bool SetFontOrPhotoBlock(TPageState& page, const std::string& name, const std::string& typed);

}  // namespace orvanta
