#pragma once

#include <string>
#include <vector>

namespace orvanta {

// Where a style's caption goes relative to its art.
enum class TCaptionPosition { Center = 0, Right = 1, Bottom = 2, Top = 3 };

// One button style of the catalogue: the template name, the size its art is drawn at, whether
// a template name + "over" exists for the pointer-over state, and where its caption goes.
struct TButtonStyle {
  std::string Name;
  int Width = 0, Height = 0;
  bool HasOver = false;
  TCaptionPosition Caption = TCaptionPosition::Center;

  std::string OverName() const { return Name + "over"; }
};

// The 137 styles, style k at index k - 1. Styles 113 and above are sized by their template's
// frame; the sizes listed for them are the ones their templates are drawn at.
const std::vector<TButtonStyle>& ButtonStyles();

// Style 1 ... 137; anything else raises Error.
const TButtonStyle& ButtonStyleInfo(int style);

}  // namespace orvanta
