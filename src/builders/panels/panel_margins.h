#pragma once

#include <string_view>

namespace orvanta {

class TSWFStreamReader;

// How a panel template is cut: corner columns Left wide on both sides, a top row Top high and a
// bottom row Bottom high, in template pixels. 1/1/1 marks a template scaled as a whole.
struct TPanelMargins {
  int Left = 30, Top = 30, Bottom = 30;
  bool operator==(const TPanelMargins&) const = default;
  bool ScalesAsWhole() const { return Left <= 1 && Top <= 1 && Bottom <= 1; }
};

// Reads a marker "...-posi" L "x" T "x" B "p" into margins; an absent or incomplete marker
// leaves them as they are. A part that is not a decimal number counts as 0, and parts are
// capped so that a damaged file cannot ask for a panel of absurd size.
void ParsePanelMargins(std::string_view instanceName, TPanelMargins& margins);

// The margins a template's instance names carry, starting from 30/30/30. The first top-level
// placement named with "posi" decides and ends the walk; inside a sprite definition the first
// such placement applies but later top-level tags are still looked at.
TPanelMargins FindPanelMargins(const TSWFStreamReader& reader);

}  // namespace orvanta
