#include "letter_styles.h"

#include <vector>

#include "platform/errors.h"

namespace orvanta::artwork {

const TLetterStyle& LetterStyleOf(const std::string& prefix) {
  //  prefix, face, bold, italic, pad top, bottom, left, right, treatment
  static const std::vector<TLetterStyle> styles = {
      {"dottext", "Play", true, false, 6, 12, 6, 12, DrawGlass3D},
      {"invertedtext", "DejaVu Sans Condensed", true, false, 8, 8, 8, 8, DrawInverted},
      {"kidtext", "Comic Neue", true, false, 10, 12, 10, 12, DrawKid, 6},
      {"goldtext", "Linux Libertine O", true, false, 6, 8, 6, 8, DrawGold},
      {"funtext", "Cherry Bomb", false, false, 7, 11, 7, 11, DrawFun, 4},
      {"gold2text", "Old Standard TT", true, false, 6, 8, 6, 8, DrawGold2},
      {"dot2text", "Liberation Sans", true, false, 5, 5, 5, 5, DrawDot2},
      {"bubbletext", "Comfortaa", true, false, 9, 11, 9, 11, DrawBubble},
      {"fun2text", "Lobster Two", true, true, 7, 10, 7, 10, DrawFun2},
      {"gold3text", "Linux Biolinum O", true, false, 8, 8, 8, 8, DrawGold3},
      {"breaktext", "Bebas Neue", true, false, 5, 5, 5, 7, DrawBreak, 0, U"\u00DF"},
      {"plastictext", "Quicksand", true, false, 6, 9, 6, 9, DrawPlastic},
      {"blackicetext", "Liberation Sans Narrow", true, false, 6, 16, 6, 9, DrawBlackIce},
      {"dot3text", "Dosis", true, false, 4, 4, 4, 4, DrawDot3},
      {"fun3text", "Kaushan Script", false, false, 6, 9, 6, 9, DrawFun3},
      {"d3text", "League Spartan Black", false, false, 4, 14, 4, 14, DrawExtruded3D},
      {"icetext", "DejaVu Sans", true, false, 5, 20, 5, 5, DrawIce},
  };
  for (const TLetterStyle& style : styles)
    if (prefix == style.Prefix) return style;
  throw Error("no art-letter style for \"" + prefix + "\"");
}

}  // namespace orvanta::artwork
