// Movies of embedded fonts and text: static text in every alignment, several sizes, bold and
// italic faces, cp1252 characters above 127 and wide (Cyrillic and Greek) text, and text fields
// (plain, HTML, password, multiline with word wrap and border, embedded outlines and device
// fonts). Each text sits on a pale backdrop so that it can be seen in a screenshot.

#include <array>
#include <optional>

#include "conformance_movies.h"
#include "conformance_support.h"
#include "movie/flash_edges.h"
#include "movie/flash_font.h"
#include "movie/flash_text.h"
#include "platform/font_engine.h"
#include "swf/tags_display.h"

namespace orvanta::conformance {

namespace {

using nlohmann::json;

TFontDescription Font(const std::string& name, int32_t pixels, bool bold = false,
                      bool italic = false, uint8_t charset = kAnsiCharset) {
  TFontDescription font;
  font.Name = name;
  font.Height = -pixels;
  font.Bold = bold;
  font.Italic = italic;
  font.Charset = charset;
  return font;
}

TSWFRGBA Color(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
  return TSWFRGBA(PackRGBA(r, g, b, a), a != 255);
}

// A movie with a pale backdrop (character 1) at depth 1; texts go above it.
std::unique_ptr<TFlashMovie> TextMovie(int version = 8) {
  auto movie = NewMovie(version);
  movie->Add(RectangleShape(1, 4000, 3000, PackRGB(0xF4, 0xF0, 0xE0)));
  movie->SetNextCharacterID(2);
  auto place = std::make_unique<TSWFPlaceObject2>();
  place->Depth = 1;
  place->SetCharacterId(1);
  movie->Add(std::move(place));
  return movie;
}

// Places each object one depth above the last, from depth 2, and closes the frame.
void PlaceAll(TFlashMovie& movie, const std::vector<TFlashVisualObject*>& objects) {
  uint16_t depth = 2;
  for (TFlashVisualObject* obj : objects) movie.PlaceObject(obj, depth++);
  movie.ShowFrame();
}

// The first text record of a DefineText: position, size and glyph indices.
json Record(int offsetX, int offsetY, int fontSize, std::vector<int> indices) {
  json entries = json::array();
  for (int index : indices) entries.push_back({{"index", index}});
  return {{"records",
           {{{"offsetX", offsetX},
             {"offsetY", offsetY},
             {"fontSize", fontSize},
             {"entries", entries}}}}};
}

json Bounds(int xMin, int xMax, int yMin, int yMax) {
  return {{"xMin", xMin}, {"xMax", xMax}, {"yMin", yMin}, {"yMax", yMax}};
}

// What the player must draw, in screen pixels of the 200x150 movie. Ink is any pixel more than
// 40 off the background in a channel: glyph edges count, the white inside a bordered field
// does not (it is within 31 of the backdrop).
using Box = std::array<int, 4>;
constexpr const char* kBackdrop = "f4f0e0";

json Ink(const Box& box, const std::string& what, std::optional<double> min,
         std::optional<double> max, const std::string& background = kBackdrop) {
  json check = {{"box", box}, {"background", background}, {"tol", 40}, {"what", what}};
  if (min) check["min"] = *min;
  if (max) check["max"] = *max;
  return check;
}

json Shows(const Box& box, const std::string& what, double min = 0.1,
           const std::string& background = kBackdrop) {
  return Ink(box, what, min, std::nullopt, background);
}

json Blank(const Box& box, const std::string& what, const std::string& background = kBackdrop) {
  return Ink(box, what, std::nullopt, 0.0, background);
}

// One line of text and the box that must hold it, with its colour as drawn (empty: not checked,
// for text too small to have solid strokes).
struct Line {
  Box Where;
  std::string Rgb;
  std::string What;
};

// Checks for lines of text, top to bottom, whose boxes share no rows, inside `area`: each box
// holds ink, part of it in the line's colour (a wrong colour or channel order fails), and the
// strips beside and between the boxes, kept `gap` pixels clear of them, hold none.
json LinesInk(const std::vector<Line>& lines, const Box& area = {0, 0, 200, 150},
              const std::string& background = kBackdrop, int gap = 2) {
  json checks = json::array();
  int top = area[1];
  auto blank = [&](const Box& b, const std::string& what) {
    if (b[0] < b[2] && b[1] < b[3]) checks.push_back(Blank(b, what, background));
  };
  for (const Line& line : lines) {
    const auto [x0, y0, x1, y1] = line.Where;
    checks.push_back(Shows(line.Where, line.What, 0.1, background));
    // At least 3% of the box within 40 of the colour: the solid middle of the strokes.
    if (!line.Rgb.empty())
      checks.push_back(
          Ink(line.Where, line.What + " in #" + line.Rgb, std::nullopt, 0.97, line.Rgb));
    blank({area[0], top, area[2], y0 - gap}, "above " + line.What);
    blank({area[0], y0, x0 - gap, y1}, "left of " + line.What);
    blank({x1 + gap, y0, area[2], y1}, "right of " + line.What);
    top = y1 + gap;
  }
  blank({area[0], top, area[2], area[3]}, "below the text");
  return checks;
}

json Concat(json a, const json& b) {
  for (const json& check : b) a.push_back(check);
  return a;
}

json Tags(size_t fonts, size_t texts, const char* textTag) {
  json tags = json::array({"DefineShape", "PlaceObject"});
  for (size_t i = 0; i < fonts; ++i) tags.push_back("DefineFont");
  for (size_t i = 0; i < texts; ++i) tags.push_back(textTag);
  for (size_t i = 0; i < texts; ++i) tags.push_back("PlaceObject");
  tags.push_back("ShowFrame");
  return tags;
}

// Four lines, left, right, centre and justified, each against a marker at its origin x.
Case StaticAlignment() {
  Case c{"text_static_align.swf", TextMovie(), {}};
  TFlashMovie& m = *c.Movie;
  TFlashFont* font = m.AddFont(Font("Arial", 18));
  std::vector<TFlashVisualObject*> texts;
  texts.push_back(m.AddText("Left aligned", Color(0, 0, 0), font, {10, 10}, 0));
  texts.push_back(m.AddText("Right aligned", Color(160, 0, 0), font, {190, 40}, 1));
  texts.push_back(m.AddText("Centred", Color(0, 120, 0), font, {100, 70}, 2));
  texts.push_back(m.AddText("Justified", Color(0, 0, 160), font, {100, 100}, 3));
  PlaceAll(m, texts);
  // Arial at 18 pixels: the baseline an ascent (927 of 1024) below each origin; right and centre
  // lines end at and straddle their origins.
  json fields;
  fields["2"] = {
      {"fontName", "Arial"},
      {"isAnsi", true},
      {"emSquareSize", 1024},
      {"codeUnits",
       {32, 67, 74, 76, 82, 97, 100, 101, 102, 103, 104, 105, 108, 110, 114, 115, 116, 117}},
      {"layout", {{"ascent", 927}, {"descent", 217}, {"leading", 120}}}};
  fields["3"] = Record(200, 526, 360, {3, 7, 8, 16, 0, 5, 12, 11, 9, 13, 7, 6});
  fields["3"]["bounds"] = Bounds(200, 2064, 200, 602);
  fields["4"] = {{"bounds", Bounds(1696, 3800, 800, 1202)}};
  fields["5"] = {{"bounds", Bounds(1359, 2641, 1400, 1802)}};
  fields["6"] = {{"bounds", Bounds(1339, 2661, 2000, 2402)}};
  c.Expect = {{"header", Header(8, 1)}, {"tags", Tags(1, 4, "DefineText")}, {"fields", fields}};
  // Each line against its origin: from x 10, ending at x 190, centred and justified on x 100.
  c.Expect["ink"] = LinesInk({{{9, 10, 104, 32}, "000000", "Left aligned"},
                              {{84, 40, 190, 62}, "a00000", "Right aligned"},
                              {{66, 70, 134, 90}, "007800", "Centred"},
                              {{64, 100, 136, 120}, "0000a0", "Justified"}});
  return c;
}

// One font at three sizes, one translucent (DefineText2).
Case StaticSizes() {
  Case c{"text_static_sizes.swf", TextMovie(), {}};
  TFlashMovie& m = *c.Movie;
  TFlashFont* font = m.AddFont(Font("Times New Roman", 12));
  std::vector<TFlashVisualObject*> texts;
  TFlashText* small = m.AddText("Small 12", Color(0, 0, 0), font, {5, 5});
  TFlashText* middle = m.AddText("Middle 24", Color(0, 0, 0), font, {5, 25});
  middle->SetFontHeight(24);
  TFlashText* large = m.AddText("Large 48", Color(40, 40, 200, 160), font, {5, 60});
  large->SetFontHeight(48);
  texts = {small, middle, large};
  PlaceAll(m, texts);
  json tags = Tags(1, 3, "DefineText");
  json fields;
  fields["2"] = {{"fontName", "Times New Roman"}, {"layout", {{"ascent", 913}}}};
  fields["3"] = Record(100, 314, 240, {7, 14, 8, 13, 13, 0, 1, 2});
  fields["4"] = Record(100, 928, 480, {6, 12, 9, 9, 13, 10, 0, 2, 3});
  fields["5"] = Record(100, 2056, 960, {5, 8, 15, 11, 10, 0, 3, 4});
  fields["5"]["records"][0]["color"] = {{"r", 40}, {"g", 40}, {"b", 200}, {"a", 160}};
  c.Expect = {{"header", Header(8, 1)},
              {"tags", tags},
              {"codes", {2, 26, 48, 11, 11, 33, 26, 26, 26, 1, 0}},
              {"fields", fields}};
  // The large line is 40, 40, 200 at alpha 160 over the backdrop.
  c.Expect["ink"] = LinesInk({{{3, 5, 51, 18}, "", "Small 12"},
                              {{4, 27, 107, 49}, "000000", "Middle 24"},
                              {{4, 68, 178, 116}, "7472d1", "Large 48"}});
  return c;
}

Case BoldItalic() {
  Case c{"text_bold_italic.swf", TextMovie(), {}};
  TFlashMovie& m = *c.Movie;
  std::vector<TFlashVisualObject*> texts;
  const char* lines[] = {"Regular", "Bold", "Italic", "Bold italic"};
  for (int i = 0; i < 4; ++i) {
    TFlashFont* font = m.AddFont(Font("Arial", 22, i & 1, i & 2));
    texts.push_back(m.AddText(lines[i], Color(0, 0, 0), font, {10, int32_t(8 + 34 * i)}));
  }
  PlaceAll(m, texts);
  json tags = json::array({"DefineShape", "PlaceObject"});
  for (int i = 0; i < 4; ++i) tags.push_back("DefineFont"), tags.push_back("DefineText");
  for (int i = 0; i < 4; ++i) tags.push_back("PlaceObject");
  tags.push_back("ShowFrame");
  json fields;
  for (int i = 0; i < 4; ++i)
    fields[std::to_string(2 + 2 * i)] = {{"isBold", bool(i & 1)}, {"isItalic", bool(i & 2)}};
  c.Expect = {{"header", Header(8, 1)}, {"tags", tags}, {"fields", fields}};
  c.Expect["ink"] = LinesInk({{{9, 10, 90, 36}, "000000", "Regular"},
                              {{9, 44, 61, 65}, "000000", "Bold"},
                              {{9, 78, 58, 99}, "000000", "Italic"},
                              {{8, 112, 118, 133}, "000000", "Bold italic"}});
  return c;
}

// cp1252 characters above 127: the font keeps 8-bit codes in code order.
Case Cp1252() {
  Case c{"text_cp1252.swf", TextMovie(), {}};
  TFlashMovie& m = *c.Movie;
  TFlashFont* font = m.AddFont(Font("Arial", 20));
  TFlashText* text = m.AddText("Caf\xe9 \x80 5 \x96 na\xefve \x9a", Color(0, 0, 0), font, {8, 60});
  PlaceAll(m, {text});
  json fields;
  fields["2"] = {
      {"isAnsi", true},
      {"codeUnits", {32, 53, 67, 97, 101, 102, 110, 118, 0x80, 0x96, 0x9A, 0xE9, 0xEF}},
      {"layout",
       {{"advances", {285, 570, 740, 570, 570, 285, 570, 512, 570, 570, 512, 570, 285}}}}};
  fields["3"] = Record(160, 1562, 400, {2, 3, 5, 11, 0, 8, 0, 1, 0, 9, 0, 6, 3, 12, 7, 4, 0, 10});
  c.Expect = {{"header", Header(8, 1)}, {"tags", Tags(1, 1, "DefineText")}, {"fields", fields}};
  // Each glyph's cell follows from the advances above (20 / 1024 pixels per unit from x 8). The
  // characters above 127 must each show; the accents sit above the x-height (row 67), where a
  // plain "a" has none.
  c.Expect["ink"] = Concat(LinesInk({{{7, 60, 173, 82}, "000000", "the cp1252 line"}}),
                           json::array({Shows({56, 60, 68, 82}, "the euro sign", 0.2),
                                        Shows({89, 70, 101, 77}, "the en dash", 0.2),
                                        Blank({89, 60, 101, 70}, "above the en dash"),
                                        Shows({40, 61, 51, 66}, "the accent of e acute"),
                                        Shows({128, 61, 134, 66}, "the diaeresis of i"),
                                        Shows({161, 61, 171, 66}, "the caron of s"),
                                        Blank({118, 61, 128, 66}, "above the a of naive"),
                                        Blank({51, 60, 55, 82}, "the space after Cafe")}));
  return c;
}

// Static text in Cyrillic and Greek: a wide font with 16-bit codes.
Case Wide() {
  Case c{"text_wide.swf", TextMovie(), {}};
  TFlashMovie& m = *c.Movie;
  TFlashFont* font = m.AddFont(Font("Arial", 20, false, false, kRussianCharset));
  TFlashText* cyrillic = m.AddDynamicText(u"\u041f\u0440\u0438\u0432\u0435\u0442", Color(0, 0, 0),
                                          font, {10, 20, 190, 50});
  cyrillic->SetDynamic(false);
  TFlashText* greek = m.AddDynamicText(u"\u0393\u03b5\u03b9\u03ac \u03c3\u03bf\u03c5",
                                       Color(0, 0, 120), font, {10, 70, 190, 100});
  greek->SetDynamic(false);
  PlaceAll(m, {cyrillic, greek});
  json fields;
  fields["2"] = {
      {"isAnsi", false},
      {"codeUnits", {32, 915, 940, 949, 953, 959, 963, 965, 1055, 1074, 1077, 1080, 1088, 1090}}};
  fields["3"] = Record(200, 762, 400, {8, 12, 11, 9, 10, 13});
  fields["4"] = Record(200, 1762, 400, {1, 3, 4, 2, 0, 6, 5, 7});
  c.Expect = {{"header", Header(8, 1)}, {"tags", Tags(1, 2, "DefineText")}, {"fields", fields}};
  c.Expect["ink"] = LinesInk({{{9, 21, 81, 46}, "000000", "the Cyrillic line"},
                              {{9, 70, 88, 92}, "000078", "the Greek line"}});
  return c;
}

// Text fields: plain, HTML in a bold font, password, multiline with word wrap and a border.
Case Fields() {
  Case c{"text_fields.swf", TextMovie(), {}};
  TFlashMovie& m = *c.Movie;
  TFlashFont* plainFont = m.AddFont(Font("Arial", 14));
  TFlashFont* boldFont = m.AddFont(Font("Arial", 14, true));
  TFlashText* plain = m.AddDynamicText(u"Plain field", Color(0, 0, 0), plainFont, {5, 5, 195, 25});
  TFlashText* html =
      m.AddDynamicText(u"HTML <u>field</u>", Color(0, 0, 160), boldFont, {5, 30, 195, 50});
  html->SetHTML(true);
  TFlashText* password = m.AddDynamicText(u"secret", Color(0, 0, 0), plainFont, {5, 55, 195, 75});
  password->Password = true;
  password->Border = true;
  TFlashText* multi =
      m.AddDynamicText(u"A longer text that wraps over several lines inside its box.",
                       Color(80, 0, 0), plainFont, {5, 80, 150, 145});
  multi->Multiline = true;
  multi->WordWrap = true;
  multi->Border = true;
  multi->SetAlign(2);
  multi->SetLeftMargin(2);
  multi->SetLeading(1);
  multi->SetMaxLength(200);
  PlaceAll(m, {plain, html, password, multi});
  json fields;
  fields["2"] = {{"isBold", false}, {"codeUnits", {{"1", 42}, {"length", 24}}}};  // the asterisk
  fields["3"] = {{"isBold", true}};
  fields["4"] = {{"bounds", Bounds(100, 3900, 100, 500)},
                 {"fontId", 2},
                 {"fontSize", 280},
                 {"useGlyphFont", true},
                 {"html", false},
                 {"text", "Plain field"}};
  fields["5"] = {{"fontId", 3},
                 {"html", true},
                 {"color", {{"r", 0}, {"g", 0}, {"b", 160}, {"a", 255}}},
                 {"text", "<font face=\"Arial\"><b>HTML <u>field</u></b></font>"}};
  fields["6"] = {{"password", true}, {"border", true}, {"multiline", false}, {"text", "secret"}};
  fields["7"] = {{"multiline", true}, {"wordWrap", true}, {"border", true}, {"maxLength", 200},
                 {"align", "Center"}, {"marginLeft", 40}, {"leading", 20}};
  c.Expect = {
      {"header", Header(8, 1)}, {"tags", Tags(2, 4, "DefineDynamicText")}, {"fields", fields}};
  // Bordered fields are white inside a black one-pixel frame on their bounds.
  json pixels = json::array();
  auto frame = [&](const Box& b, const std::string& what) {
    const int midX = (b[0] + b[2]) / 2, midY = (b[1] + b[3]) / 2;
    for (const auto& [x, y] :
         std::vector<std::array<int, 2>>{{midX, b[1]}, {midX, b[3]}, {b[0], midY}, {b[2], midY}})
      pixels.push_back(
          {{"x", x}, {"y", y}, {"rgb", "000000"}, {"tol", 40}, {"what", what + " border"}});
  };
  frame({5, 55, 195, 75}, "password field");
  frame({5, 80, 150, 145}, "multiline field");
  c.Expect["pixels"] = pixels;
  // The password shows six asterisks, which sit high: letters would reach below row 67.
  // The long text wraps into three centred lines inside its box.
  c.Expect["ink"] =
      Concat(Concat(LinesInk({{{6, 7, 70, 23}, "000000", "Plain field"},
                              {{6, 32, 81, 49}, "0000a0", "HTML field"}},
                             {0, 0, 200, 53}),
                    LinesInk({{{24, 83, 134, 99}, "500000", "the first wrapped line"},
                              {{18, 100, 138, 116}, "500000", "the second wrapped line"},
                              {{19, 116, 138, 130}, "500000", "the third wrapped line"}},
                             {6, 81, 150, 145}, "ffffff")),
             json::array({Shows({50, 46, 78, 47}, "the underline of field", 0.9),
                          Blank({6, 46, 45, 49}, "under HTML, which is not underlined"),
                          Shows({7, 58, 43, 68}, "the asterisks", 0.2, "ffffff"),
                          Blank({7, 67, 194, 75}, "below the asterisks", "ffffff"),
                          Blank({45, 56, 194, 67}, "past the sixth asterisk", "ffffff"),
                          Blank({153, 78, 200, 150}, "right of the wrapped field")}));
  return c;
}

// A device font needs no outlines: the DefineFont2 has no glyphs and ends with the code table
// offset alone, which swf-parser does not read (it stops after the glyph count of such fonts).
// Beside it, wide text with embedded outlines.
Case DeviceAndEmbedded() {
  Case c{"text_device_embedded.swf", TextMovie(), {}};
  TFlashMovie& m = *c.Movie;
  TFlashFont* device = m.AddFont(Font("Arial", 16), true);
  TFlashFont* embedded = m.AddFont(Font("Arial", 16, false, false, kDefaultCharset));
  TFlashText* deviceText =
      m.AddDynamicText(u"Device text", Color(0, 0, 0), device, {5, 10, 195, 35});
  TFlashText* embeddedText = m.AddDynamicText(u"\u0395\u03bc\u03b2\u03b5\u03b4 \u0416",
                                              Color(0, 90, 0), embedded, {5, 50, 195, 75});
  PlaceAll(m, {deviceText, embeddedText});
  c.Expect = {{"header", Header(8, 1)},
              {"tags", Tags(2, 2, "DefineDynamicText")},
              {"rawTags", {{{"index", 2}, {"code", 48}, {"parserUnread", 2}}}},
              {"fields",
               {{"2", {{"fontName", "Arial"}}},
                {"3", {{"isAnsi", false}, {"codeUnits", {32, 917, 946, 948, 949, 956, 1046}}}},
                {"4", {{"useGlyphFont", false}, {"fontId", 2}, {"text", "Device text"}}},
                {"5", {{"useGlyphFont", true}, {"fontId", 3}}}}}};
  // The device font is the player's own: its box leaves room for a wider face.
  c.Expect["ink"] = LinesInk({{{6, 13, 110, 33}, "000000", "Device text"},
                              {{6, 54, 74, 76}, "005a00", "the embedded Greek and Cyrillic line"}});
  return c;
}

}  // namespace

std::vector<Case> TextCases() {
  std::vector<Case> cases;
  cases.push_back(StaticAlignment());
  cases.push_back(StaticSizes());
  cases.push_back(BoldItalic());
  cases.push_back(Cp1252());
  cases.push_back(Wide());
  cases.push_back(Fields());
  cases.push_back(DeviceAndEmbedded());
  return cases;
}

}  // namespace orvanta::conformance
