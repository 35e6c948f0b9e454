#include "project/page_blocks.h"

#include <charconv>

#include "platform/errors.h"
#include "project/page_text.h"

namespace orvanta {

namespace {

std::vector<TBlockSpec> BuildBlocks() {
  std::vector<TBlockSpec> out;
  out.push_back({TEditorId::AnimatedText, "InputText", "wide text", "Input Text", "Input Text",
                 true, std::nullopt});
  out.push_back({TEditorId::AnimatedText, "AnimatedTextFont", "font", "Font", "Input Text", false,
                 TFontSlot::AnimatedText});
  for (int k = 1; k <= kStaticTextCount; ++k) {
    const std::string n = std::to_string(k), tab = "Static Text " + n;
    out.push_back(
        {TEditorId::StaticText, "StaticText" + n, "wide text", "Text", tab, true, std::nullopt});
    out.push_back({TEditorId::StaticText, "StaticText" + n + "Font", "font", "Font", tab, false,
                   StaticTextFont(k)});
  }
  out.push_back({TEditorId::Buttons, "ButtonsFont", "font", "Caption font", "Button Bar", false,
                 TFontSlot::Buttons});
  out.push_back({TEditorId::SlideShow, "Photos", "file list", "Photos", "Add Photo Files", false,
                 std::nullopt});
  out.push_back({TEditorId::SlideShow, "AlbumThumbsFont", "font", "Page-number font",
                 "Small Thumbs", false, TFontSlot::AlbumThumbs});
  for (int k = 1; k <= kHtmlTextCount; ++k) {
    const std::string n = std::to_string(k);
    out.push_back({TEditorId::HtmlText, "HtmlText" + n, "wide text", "HTML", "HTML Text " + n, true,
                   std::nullopt});
  }
  return out;
}

const TBlockSpec* FindBlock(std::string_view name) {
  for (const TBlockSpec& b : PageBlocks())
    if (b.Name == name) return &b;
  return nullptr;
}

}  // namespace

const std::vector<TBlockSpec>& PageBlocks() {
  static const std::vector<TBlockSpec> blocks = BuildBlocks();
  return blocks;
}

std::string FontText(const TFontSetting& font) {
  std::string out = font.Face + "|" + std::to_string(font.Size);
  if (font.Bold) out += "|Bold";
  if (font.Italic) out += "|Italic";
  return out;
}

TFontSetting ParseFontText(std::string_view text) {
  std::vector<std::string_view> parts;
  for (size_t pos = 0;;) {
    const size_t bar = text.find('|', pos);
    parts.push_back(text.substr(pos, bar == std::string_view::npos ? bar : bar - pos));
    if (bar == std::string_view::npos) break;
    pos = bar + 1;
  }
  const auto bad = [&](const std::string& why) {
    return FormatError("\"" + std::string(text) + "\" is not a font: " + why);
  };
  if (parts.size() < 2) throw bad("it needs a face and a size, \"|\" between them");
  TFontSetting font;
  font.Face = std::string(parts[0]);
  if (font.Face.empty() || font.Face.size() > 100 ||
      font.Face.find_first_of("\n<>") != std::string::npos)
    throw bad("the face is empty, too long or holds a line break, \"<\" or \">\"");
  const auto [end, ec] =
      std::from_chars(parts[1].data(), parts[1].data() + parts[1].size(), font.Size);
  if (ec != std::errc() || end != parts[1].data() + parts[1].size() || font.Size < 1 ||
      font.Size > kMaxFontSize)
    throw bad("the size is a whole number of points from 1 to " + std::to_string(kMaxFontSize));
  for (size_t i = 2; i < parts.size(); ++i) {
    if (parts[i] == "Bold")
      font.Bold = true;
    else if (parts[i] == "Italic")
      font.Italic = true;
    else
      throw bad("a style is \"Bold\" or \"Italic\"");
  }
  return font;
}

nlohmann::json FontBlocksJson(const TPageState& page) {
  nlohmann::json out = nlohmann::json::object();
  for (const TBlockSpec& b : PageBlocks())
    if (b.Font) out[b.Name] = FontText(page.Fonts[int(*b.Font)]);
  return out;
}

bool SetFontOrPhotoBlock(TPageState& page, const std::string& name, const std::string& typed) {
  if (name == "Photos") {
    page.Photos.clear();
    for (size_t pos = 0; pos <= typed.size();) {
      size_t bar = typed.find('|', pos);
      if (bar == std::string::npos) bar = typed.size();
      if (bar > pos) page.Photos.push_back(typed.substr(pos, bar - pos));
      pos = bar + 1;
    }
    return true;
  }
  const TBlockSpec* block = FindBlock(name);
  if (!block || !block->Font) return false;
  page.Fonts[int(*block->Font)] = ParseFontText(typed);
  return true;
}

}  // namespace orvanta
