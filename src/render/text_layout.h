#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "render/geometry.h"
#include "render/shape_paths.h"

namespace orvanta {
class TSWFDefineText;
class TSWFDefineEditText;
class TSWFObject;
class TPlatformFont;
}  // namespace orvanta

namespace orvanta::render {

class TCharacterDictionary;

// One glyph to fill: its outline (in glyph units), where it goes in the text's coordinates
// (twips), and its colour.
struct TGlyphDraw {
  const TShapeGeometry* Outline = nullptr;
  TAffine Transform;
  TRGBA Color;
};

// What a text character draws, in its own coordinates.
struct TTextDrawing {
  std::vector<TGlyphDraw> Glyphs;
  // Edit text with a border: the box filled with Background and outlined with BorderColor.
  bool HasBorder = false;
  TBounds Box;
  TRGBA Background{255, 255, 255, 255};
  TRGBA BorderColor{0, 0, 0, 255};
  // Edit text draws nothing outside its bounds.
  bool Clip = false;
  TBounds ClipBox;
};

// Lays out static text from its glyph records and text fields from their text: embedded fonts
// give glyph outlines and advances; fields without embedded outlines use the system font of the
// same name through the font engine. Glyph outlines are converted once and kept.
class TTextLayout {
 public:
  explicit TTextLayout(const TCharacterDictionary& dictionary);
  ~TTextLayout();
  TTextLayout(const TTextLayout&) = delete;
  TTextLayout& operator=(const TTextLayout&) = delete;

  TTextDrawing StaticText(const TSWFDefineText& text);
  TTextDrawing EditText(const TSWFDefineEditText& text);

 private:
  struct TFontFace;
  const TShapeGeometry* EmbeddedGlyph(const TSWFObject& font, size_t index);
  TFontFace& DeviceFace(const std::string& name, bool bold, bool italic);

  const TCharacterDictionary& dictionary_;
  std::map<std::pair<const TSWFObject*, size_t>, std::unique_ptr<TShapeGeometry>> glyphs_;
  std::map<std::tuple<std::string, bool, bool>, std::unique_ptr<TFontFace>> faces_;
};

}  // namespace orvanta::render
