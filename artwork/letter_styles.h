#pragma once

#include <string>

namespace orvanta::artwork {

class TLetterCanvas;

// How one art-letter family looks: its face and the layers drawn on every glyph.
struct TLetterStyle {
  const char* Prefix;
  // Found through fontconfig; glyphs the face lacks come from the fallback face.
  const char* Face;
  bool Bold = false;
  bool Italic = false;
  // Room the layers need beyond the glyph's ink, in frame pixels (outlines, shadows, drops).
  double PadTop = 6, PadBottom = 6, PadLeft = 6, PadRight = 6;
  void (*Draw)(TLetterCanvas& canvas) = nullptr;
  // Letters lean by up to this many degrees either way, each its own amount.
  double Tilt = 0;
  // Characters taken from the fallback face although this face has them (a capitals-only face
  // draws "ß" as "SS", twice as wide as the one letter it stands for).
  const char32_t* Borrowed = U"";
};

// Raises Error for a prefix without a style.
const TLetterStyle& LetterStyleOf(const std::string& prefix);

// The treatments, grouped by kind in the letter_styles_*.cpp units.
void DrawGlass3D(TLetterCanvas& c);
void DrawInverted(TLetterCanvas& c);
void DrawKid(TLetterCanvas& c);
void DrawGold(TLetterCanvas& c);
void DrawFun(TLetterCanvas& c);
void DrawGold2(TLetterCanvas& c);
void DrawDot2(TLetterCanvas& c);
void DrawBubble(TLetterCanvas& c);
void DrawFun2(TLetterCanvas& c);
void DrawGold3(TLetterCanvas& c);
void DrawBreak(TLetterCanvas& c);
void DrawPlastic(TLetterCanvas& c);
void DrawBlackIce(TLetterCanvas& c);
void DrawDot3(TLetterCanvas& c);
void DrawFun3(TLetterCanvas& c);
void DrawExtruded3D(TLetterCanvas& c);
void DrawIce(TLetterCanvas& c);

}  // namespace orvanta::artwork
