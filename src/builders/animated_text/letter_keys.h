#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orvanta {

// The code part of an art letter's template name ("65" for "a", "201" for "é"), or a name that
// no template carries ("dot_4" for "?") for characters the families do not draw.
std::string LetterResourceKey(char16_t ch);
// The character code of the template that draws ch; none when no family has one.
std::optional<int> ArtLetterCode(char16_t ch);

// The colour a letter takes from the random-colour table, by its depth index (packed RGBA).
uint32_t LetterTableColor(int depthIndex, bool artLetters);

}  // namespace orvanta
