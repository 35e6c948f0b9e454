#include "project/page_text.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace orvanta {

namespace {

constexpr std::string_view kCrLf = "\r\n";

// The tag suffix of each font, as the page text names it: "" animated text, "2" static text 1,
// "2-2" … "2-7" static texts 2 to 7, "3" buttons, "4" album thumbs.
std::string FontSuffix(int font) {
  if (font == int(TFontSlot::AnimatedText)) return "";
  if (font == int(TFontSlot::Buttons)) return "3";
  if (font == int(TFontSlot::AlbumThumbs)) return "4";
  const int slot = font - int(TFontSlot::StaticText1) + 1;
  return slot == 1 ? "2" : "2-" + std::to_string(slot);
}

std::string Block(std::string_view name, std::string_view value) {
  std::string out = "<" + std::string(name) + ">";
  for (char c : value) {
    if (c == '\n')
      out += kCrLf;
    else
      out += c;
  }
  return out + "</" + std::string(name) + ">" + std::string(kCrLf);
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) out += (i ? "\n" : "") + lines[i];
  return out;
}

// The font sizes in the order the older readers expect; the sizes of static texts 6 and 7 and
// of the album thumbs, which those readers never stored, come after the text blocks.
constexpr TFontSlot kLeadingSizes[] = {TFontSlot::AnimatedText,
                                       TFontSlot::StaticText1,
                                       TFontSlot(int(TFontSlot::StaticText1) + 1),
                                       TFontSlot(int(TFontSlot::StaticText1) + 2),
                                       TFontSlot(int(TFontSlot::StaticText1) + 3),
                                       TFontSlot(int(TFontSlot::StaticText1) + 4),
                                       TFontSlot::Buttons};
constexpr TFontSlot kTrailingSizes[] = {TFontSlot(int(TFontSlot::StaticText1) + 5),
                                        TFontSlot(int(TFontSlot::StaticText1) + 6),
                                        TFontSlot::AlbumThumbs};
// Style and name tags: animated text, buttons, then the static texts, then the thumbs.
std::vector<int> StyleOrder() {
  std::vector<int> order{int(TFontSlot::AnimatedText), int(TFontSlot::Buttons)};
  for (int slot = 1; slot <= kStaticTextCount; ++slot) order.push_back(int(StaticTextFont(slot)));
  order.push_back(int(TFontSlot::AlbumThumbs));
  return order;
}

// Finds the blocks of a page. Text blocks are taken first, each searched from the end of the
// one before; the other tags are then searched outside the text blocks, so that a text holding
// a tag can never stand in for it.
class TBlockReader {
 public:
  explicit TBlockReader(std::string_view text) : text_(text) {}

  std::optional<std::string> FindText(std::string_view name) {
    TTagValue tag = Search(name, cursor_);
    if (!tag.Found) tag = Search(name, 0);
    if (!tag.Found) return std::nullopt;
    cursor_ = tag.End;
    texts_.push_back({size_t(tag.Value.data() - text_.data()), tag.End});
    return LineEnds(tag.Value);
  }

  std::optional<std::string> Find(std::string_view name) {
    const TTagValue tag = Search(name, 0);
    if (!tag.Found) return std::nullopt;
    return LineEnds(tag.Value);
  }

 private:
  // The first tag at or after from whose start lies outside every text block found so far.
  TTagValue Search(std::string_view name, size_t from) const {
    const std::string start = "<" + std::string(name) + ">";
    const std::string end = "</" + std::string(name) + ">";
    while (true) {
      const size_t at = text_.find(start, from);
      if (at == std::string_view::npos) return {};
      auto inside = [at](const std::pair<size_t, size_t>& span) {
        return at >= span.first && at < span.second;
      };
      const auto span = std::find_if(texts_.begin(), texts_.end(), inside);
      if (span == texts_.end()) return ExtractTag(text_, start, end, at);
      from = span->second;
    }
  }

  static std::string LineEnds(std::string_view text) {
    std::string value;
    value.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
      if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
        value += text[i] == '\r' ? '\n' : text[i];
    return value;
  }

  std::string_view text_;
  size_t cursor_ = 0;
  std::vector<std::pair<size_t, size_t>> texts_;
};

class TPageReader {
 public:
  TPageReader(std::string_view text, int page, TWarnings& warnings)
      : text_(text), page_(page), warnings_(warnings) {}

  TPageState Read() {
    state_ = TPageState::LoadStart();
    const size_t blocksAt = ReadFieldSection();
    TBlockReader blocks(text_.substr(blocksAt));
    ReadBlocks(blocks);
    MigrateOldValues();
    return std::move(state_);
  }

 private:
  // Field lines run from the top of the page to the first line that is not one; returns where
  // the blocks begin.
  size_t ReadFieldSection() {
    size_t pos = 0;
    bool header = true;
    while (pos < text_.size()) {
      size_t end = text_.find('\n', pos);
      const size_t next = end == std::string_view::npos ? text_.size() : end + 1;
      std::string_view line = text_.substr(pos, next - pos);
      while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
      const TTagValue name = ExtractTag(line, "<Name>", "</Name>");
      if (header) {
        ReadHeader(line);
        header = false;
        if (!name.Found) {
          pos = next;
          continue;
        }
      }
      if (!name.Found && !line.empty()) return pos;
      if (name.Found && !name.Value.empty()) ReadFieldLine(name.Value, line);
      pos = next;
    }
    return pos;
  }

  void ReadHeader(std::string_view line) {
    const TTagValue title = ExtractTag(line, "<WebpageTitle>", "</WebpageTitle>");
    if (title.Found) Set("htmltitleedit", title.Value);
    const TTagValue file = ExtractTag(line, "<WebpageFilename>", "</WebpageFilename>");
    if (file.Found) Set("webpage_filename", file.Value);
  }

  void ReadFieldLine(std::string_view name, std::string_view line) {
    const int index = FindSavedField(name);
    if (index < 0) {
      std::string shown(name.substr(0, 60));
      for (char& c : shown)
        if ((unsigned char)c < 0x20) c = '?';
      warnings_.push_back({page_, "", "unknown field \"" + shown + "\" ignored"});
      return;
    }
    const TTagValue value = ExtractTag(line, "<Value>", "</Value>");
    if (FieldRegistry()[index].Name == "bgsoundcontrol") hasMusicControl_ = true;
    // Older files store 1 for a thumb width still to be derived.
    if (FieldRegistry()[index].Name == "gallerythumbwidth") hasThumbWidth_ = value.Value != "1";
    const TTagValue freeText = ExtractTag(line, "<Value2>", "</Value2>");
    state_.SetField(index, value.Value, freeText.Value, page_, warnings_);
  }

  void Set(std::string_view name, std::string_view value) {
    state_.SetField(FindSavedField(name), value, "", page_, warnings_);
  }

  int FontSize(TBlockReader& blocks, std::string_view tag, int fallback, bool required) {
    const std::optional<std::string> text = blocks.Find(tag);
    const std::string field = "<" + std::string(tag) + ">";
    if (!text) {
      if (required)
        warnings_.push_back({page_, field, "missing; " + std::to_string(fallback) + " is used"});
      return fallback;
    }
    int size = 0;
    auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), size);
    if (error != std::errc() || end != text->data() + text->size() || size < 1 ||
        size > kMaxFontSize) {
      warnings_.push_back({page_, field,
                           "\"" + text->substr(0, 40) + "\" is not a font size (1.." +
                               std::to_string(kMaxFontSize) + "); " + std::to_string(fallback) +
                               " is used"});
      return fallback;
    }
    return size;
  }

  void ReadBlocks(TBlockReader& blocks) {
    if (auto photos = blocks.FindText("Photos")) state_.Photos = SplitLines(*photos);
    if (auto memo = blocks.FindText("Memo")) state_.InputText = *memo;
    for (int i = 0; i < kStaticTextCount; ++i)
      if (auto text = blocks.FindText("TextMemo" + std::to_string(i + 1)))
        state_.StaticTexts[i] = *text;
    for (int i = 0; i < kHtmlTextCount; ++i)
      if (auto text = blocks.FindText("StaticMemo" + std::to_string(i + 1)))
        state_.HtmlTexts[i] = *text;

    std::array<int, kFontCount> sizes{};
    for (int font = 0; font < kFontCount; ++font)
      sizes[font] = FontSize(
          blocks, "FontSize" + FontSuffix(font),
          font == int(TFontSlot::AnimatedText) ? kDefaultAnimatedFontSize : kDefaultFontSize,
          font == int(TFontSlot::AnimatedText));
    // Every font is Arial and plain until its own tags say otherwise; static texts 2 to 7 start
    // from static text 1's face and styles.
    for (int font : StyleOrder()) {
      TFontSetting& setting = state_.Fonts[font];
      if (font > int(TFontSlot::StaticText1) && font < int(TFontSlot::Buttons))
        setting = state_.Fonts[int(TFontSlot::StaticText1)];
      else
        setting = TFontSetting();
      setting.Size = sizes[font];
      const std::string suffix = FontSuffix(font);
      if (blocks.Find("FontBold" + suffix) == "True") setting.Bold = true;
      if (blocks.Find("FontItalic" + suffix) == "True") setting.Italic = true;
      if (auto face = blocks.Find("FontName" + suffix)) SetFace(setting, *face, suffix);
    }
  }

  void SetFace(TFontSetting& setting, const std::string& face, const std::string& suffix) {
    if (face.empty() || face.size() > 100 || face.find_first_of("\n<>") != std::string::npos) {
      warnings_.push_back({page_, "<FontName" + suffix + ">", "not a font name; Arial is used"});
      return;
    }
    setting.Face = face;
  }

  static std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos <= text.size()) {
      size_t end = text.find('\n', pos);
      if (end == std::string::npos) end = text.size();
      if (end > pos) lines.push_back(text.substr(pos, end - pos));
      pos = end + 1;
    }
    return lines;
  }

  int Integer(std::string_view name) const {
    const std::string& text = state_.Field(name).Text;
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
  }

  // Older files have no thumbnail width and no music control; both are derived here.
  void MigrateOldValues() {
    if (!hasThumbWidth_)
      Set("gallerythumbwidth",
          std::to_string(Integer("photowidth") * Integer("gallerythumbscale") / 100));
    if (!hasMusicControl_ && state_.Field("bgsound").Text.size() > 4 &&
        Integer("bgsoundcontrolx") == 10 && Integer("bgsoundcontroly") == 10) {
      Set("bgsoundcontrol", "4");
      Set("bgsoundcontrolx", std::to_string(std::max(0, Integer("SWFWidth") - 100)));
      Set("bgsoundcontroly", std::to_string(std::max(0, Integer("SWFHeight") - 20)));
    }
  }

  std::string_view text_;
  int page_;
  TWarnings& warnings_;
  TPageState state_;
  bool hasMusicControl_ = false;
  bool hasThumbWidth_ = false;
};

}  // namespace

TTagValue ExtractTag(std::string_view text, std::string_view startTag, std::string_view endTag,
                     size_t from) {
  const size_t start = text.find(startTag, from);
  if (start == std::string_view::npos) return {};
  const size_t valueAt = start + startTag.size();
  const size_t end = text.find(endTag, valueAt);
  if (end == std::string_view::npos) return {};
  return {text.substr(valueAt, end - valueAt), true, end + endTag.size()};
}

std::string SerializePage(const TPageState& page) {
  std::string out;
  out.reserve(32 * 1024);
  out += "<WebpageTitle>" + page.Field("htmltitleedit").Text + "</WebpageTitle><WebpageFilename>" +
         page.Field("webpage_filename").Text + "</WebpageFilename>" + std::string(kCrLf);
  const auto& rows = FieldRegistry();
  for (size_t i = 0; i < rows.size() && rows[i].Saved; ++i) {
    const TFieldValue& value = page.Fields[i];
    out += "<Name>" + rows[i].Name + "</Name><Value>" + value.Text + "</Value>";
    if (rows[i].Kind == TFieldKind::ChoiceWithText && value.Text == "-1")
      out += "<Value2>" + value.FreeText + "</Value2>";
    out += kCrLf;
  }
  for (TFontSlot font : kLeadingSizes)
    out += Block("FontSize" + FontSuffix(int(font)), std::to_string(page.Fonts[int(font)].Size));
  out += Block("Photos", Lines(page.Photos));
  out += Block("Memo", page.InputText);
  for (int i = 0; i < kStaticTextCount; ++i)
    out += Block("TextMemo" + std::to_string(i + 1), page.StaticTexts[i]);
  for (int i = 0; i < kHtmlTextCount; ++i)
    out += Block("StaticMemo" + std::to_string(i + 1), page.HtmlTexts[i]);
  for (TFontSlot font : kTrailingSizes)
    out += Block("FontSize" + FontSuffix(int(font)), std::to_string(page.Fonts[int(font)].Size));
  for (int font : StyleOrder()) {
    const TFontSetting& setting = page.Fonts[font];
    const std::string suffix = FontSuffix(font);
    if (setting.Bold) out += Block("FontBold" + suffix, "True");
    if (setting.Italic) out += Block("FontItalic" + suffix, "True");
    out += Block("FontName" + suffix, setting.Face);
  }
  return out;
}

TPageState ReadPageText(std::string_view text, int page, TWarnings& warnings) {
  return TPageReader(text, page, warnings).Read();
}

void CheckRoundTrip(const TPageState& page, int pageNumber, TWarnings& warnings) {
  TWarnings ignored;
  const TPageState back = ReadPageText(SerializePage(page), pageNumber, ignored);
  const auto& rows = FieldRegistry();
  const std::string lost = "will not read back as saved (it holds a tag of the page text)";
  for (size_t i = 0; i < rows.size() && rows[i].Saved; ++i)
    if (back.Fields[i] != page.Fields[i]) warnings.push_back({pageNumber, rows[i].Name, lost});
  auto block = [&](bool same, std::string name) {
    if (!same) warnings.push_back({pageNumber, name, lost});
  };
  block(back.Photos == page.Photos, "<Photos>");
  block(back.InputText == page.InputText, "<Memo>");
  for (int i = 0; i < kStaticTextCount; ++i)
    block(back.StaticTexts[i] == page.StaticTexts[i], "<TextMemo" + std::to_string(i + 1) + ">");
  for (int i = 0; i < kHtmlTextCount; ++i)
    block(back.HtmlTexts[i] == page.HtmlTexts[i], "<StaticMemo" + std::to_string(i + 1) + ">");
  for (int font = 0; font < kFontCount; ++font)
    block(back.Fonts[font] == page.Fonts[font], "<FontName" + FontSuffix(font) + ">");
}

}  // namespace orvanta
