#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>
#include <string_view>

#include "art_movie.h"
#include "artwork_output.h"
#include "families.h"
#include "letter_canvas.h"
#include "letter_outline.h"
#include "letter_styles.h"
#include "movie/flash_movie.h"
#include "platform/artwork_names.h"
#include "platform/errors.h"
#include "platform/font_engine.h"
#include "platform/template_pack.h"

namespace orvanta::artwork {

namespace {

// Letters are drawn in frames this high; the banner builder scales them to the line height.
constexpr int kLetterHeight = 120;
// Outlines are taken at a large em, so that rounding to twips loses nothing visible.
constexpr int kEm = 1000;
// Faces lacking a character (some lack the double-acute capitals) borrow it from here.
constexpr const char* kFallbackFace = "DejaVu Sans";

std::unique_ptr<TPlatformFont> OpenFont(const char* face, bool bold, bool italic) {
  // Font look-ups go through fontconfig's shared configuration: one family at a time.
  static std::mutex fontconfig;
  std::lock_guard lock(fontconfig);
  TLogFont log;
  log.Height = -kEm;
  log.Weight = bold ? 700 : 400;
  log.Italic = italic;
  log.FaceName = face;
  auto font = std::make_unique<TPlatformFont>(log);
  // fontconfig answers every name with some face; a substitute would quietly change the look
  // of a whole family, so a face that is not installed stops the build (scripts/setup.sh
  // installs them).
  const std::string want = FoldName(face), got = FoldName(font->FamilyName());
  if (want.find(got) == std::string::npos && got.find(want) == std::string::npos)
    throw Error(std::string("font \"") + face + "\" is not installed (fontconfig offers \"" +
                font->FamilyName() + "\")");
  return font;
}

}  // namespace

void GenerateArtLetters(const std::string& prefix, TArtworkOutput& output) {
  const TLetterStyle& style = LetterStyleOf(prefix);
  auto font = OpenFont(style.Face, style.Bold, style.Italic);
  auto fallback = OpenFont(kFallbackFace, true, false);

  std::vector<TLetterOutline> glyphs;
  TBoxD family;
  for (int code : ArtLetterCodes()) {
    const char32_t ch = static_cast<char32_t>(code);
    const bool borrowed = std::u32string_view(style.Borrowed).find(ch) != std::u32string_view::npos;
    glyphs.push_back(GlyphOutlineOf(font->HasGlyph(ch) && !borrowed ? *font : *fallback, ch));
    TBoxD box = glyphs.back().Bounds();
    family.Add({box.XMin, box.YMin});
    family.Add({box.XMax, box.YMax});
  }
  // One scale and one baseline for the whole family, so that mixed letters line up and the
  // accents of the capitals stay inside the frame.
  const double scale =
      (kLetterHeight - style.PadTop - style.PadBottom) / (family.YMax - family.YMin);
  const double baseline = style.PadTop - family.YMin * scale;

  for (size_t i = 0; i < glyphs.size(); ++i) {
    const int code = ArtLetterCodes()[i];
    TLetterOutline glyph = glyphs[i].Transformed(scale, {0, baseline});
    if (style.Tilt > 0) {
      TLetterCanvas probe(*NewArtMovie(1, 1), glyph, 1, 1, static_cast<uint32_t>(code));
      const double angle = (probe.Vary(99, 201) - 100) / 100.0 * style.Tilt;
      const TBoxD ink = glyph.Bounds();
      glyph = glyph.Rotated(angle, {(ink.XMin + ink.XMax) / 2, (ink.YMin + ink.YMax) / 2});
    }
    const TBoxD ink = glyph.Bounds();
    glyph = glyph.Transformed(1, {style.PadLeft - ink.XMin, 0});
    const int width =
        static_cast<int>(std::ceil(style.PadLeft + (ink.XMax - ink.XMin) + style.PadRight));
    auto movie = NewArtMovie(width, kLetterHeight);
    TLetterCanvas canvas(*movie, std::move(glyph), width, kLetterHeight,
                         static_cast<uint32_t>(code));
    style.Draw(canvas);
    movie->ShowFrame();
    output.AddTemplate(prefix, ArtLetterName(prefix, code), MovieBytes(*movie));
  }
}

}  // namespace orvanta::artwork
