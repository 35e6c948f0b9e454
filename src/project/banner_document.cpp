#include "project/banner_document.h"

#include <charconv>

#include "platform/errors.h"
#include "project/page_text.h"

namespace orvanta {

namespace {

TPageState StateFrom(bool loadStart) {
  TPageState state;
  for (const TFieldSpec& field : FieldRegistry())
    state.Fields.push_back({loadStart ? field.LoadStartValue() : field.Default, ""});
  state.Fonts[int(TFontSlot::AnimatedText)].Size = kDefaultAnimatedFontSize;
  return state;
}

int IntegerOf(const TPageState& page, const std::string& name) {
  const std::string& text = page.Field(name).Text;
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

std::string TWarning::Text() const {
  std::string out;
  if (Page > 0) out += "page " + std::to_string(Page);
  if (!Field.empty()) out += (out.empty() ? "" : ", ") + Field;
  return out.empty() ? Message : out + ": " + Message;
}

TPageState TPageState::Defaults() {
  return StateFrom(false);
}

TPageState TPageState::LoadStart() {
  return StateFrom(true);
}

const TFieldValue& TPageState::Field(std::string_view name) const {
  const int index = FindSavedField(name);
  if (index < 0) throw Error("no field is named \"" + std::string(name) + "\"");
  return Fields[index];
}

void TPageState::SetField(int index, std::string_view text, std::string_view freeText, int page,
                          TWarnings& warnings) {
  const TFieldSpec& field = FieldRegistry()[index];
  std::string problem;
  Fields[index] = NormaliseFieldValue(field, text, freeText, problem);
  if (!problem.empty()) warnings.push_back({page, field.Name, problem});
  if (field.Kind != TFieldKind::Option || Fields[index].Text != "True") return;
  const auto& rows = FieldRegistry();
  for (size_t i = 0; i < rows.size(); ++i)
    if (int(i) != index && rows[i].Editor == field.Editor && rows[i].Kind == TFieldKind::Option &&
        rows[i].OptionGroup == field.OptionGroup)
      Fields[i].Text = "False";
}

const std::vector<TContentSlot>& ContentSlots() {
  static const std::vector<TContentSlot> slots = [] {
    std::vector<TContentSlot> out{{"Animated Text", "TextPosX", "TextPosY"}};
    for (int i = 1; i <= kHtmlTextCount; ++i)
      out.push_back({"HTML Text" + std::to_string(i), "staticmemoposx" + std::to_string(i),
                     "staticmemoposy" + std::to_string(i)});
    out.push_back({"Button", "buttonx1", "buttony1"});
    out.push_back({"Album Thumb", "galleryx", "galleryy"});
    out.push_back({"SlideShow", "photox", "photoy"});
    for (int i = kStaticTextCount; i >= 1; --i)
      out.push_back({"Static Text" + std::to_string(i), "Description" + std::to_string(i) + "PosX",
                     "Description" + std::to_string(i) + "PosY"});
    out.push_back({"Sound", "bgsoundcontrolx", "bgsoundcontroly"});
    for (int i = 0; i <= 5; ++i)
      out.push_back({"[MC" + std::to_string(i) + "] ", "PageBackGroundPosX" + std::to_string(i),
                     "PageBackGroundPosY" + std::to_string(i)});
    for (std::string suffix : {"", "2", "3"})
      out.push_back({"Static Image" + (suffix.empty() ? std::string("1") : suffix),
                     "staticimagex" + suffix, "staticimagey" + suffix});
    for (int i = 1; i <= 5; ++i)
      out.push_back({"Shape" + std::to_string(i), "shape" + std::to_string(i) + "posx",
                     "shape" + std::to_string(i) + "posy"});
    out.push_back({"BG Image3", "BGimagex3", "BGimagey3"});
    return out;
  }();
  return slots;
}

TBannerDocument TBannerDocument::New() {
  return FromPages({TPageState::Defaults()});
}

TBannerDocument TBannerDocument::FromPages(std::vector<TPageState> pages) {
  if (pages.empty() || pages.size() > kMaxPages) throw Error("a project holds 1 to 10 pages");
  TBannerDocument doc;
  for (const TPageState& page : pages) doc.pages_.push_back(SerializePage(page));
  doc.Current = std::move(pages.front());
  doc.itemSizes_.assign(ContentSlots().size(), {0, 0});
  doc.naturalSizes_ = doc.itemSizes_;
  return doc;
}

const std::string& TBannerDocument::PageText(int page) const {
  if (page < 1 || page > PageCount())
    throw Error("page " + std::to_string(page) + " does not exist (the project has " +
                std::to_string(PageCount()) + ")");
  return pages_[page - 1];
}

void TBannerDocument::StorePage(int page) {
  if (page < 1 || page > PageCount()) return;
  pages_[page - 1] = SerializePage(Current);
}

void TBannerDocument::LoadPage(int page, TWarnings& warnings) {
  TPageState state = ReadPageText(PageText(page), page, warnings);
  Current = std::move(state);
  current_ = page;
}

void TBannerDocument::AppendPage() {
  if (PageCount() >= kMaxPages) throw Error("a project holds 1 to 10 pages");
  pages_.push_back(SerializePage(Current));
  current_ = PageCount();
}

void TBannerDocument::RemovePage(int page, TWarnings& warnings) {
  if (page < 2 || page > PageCount())
    throw Error("page " + std::to_string(page) + " cannot be removed");
  pages_.erase(pages_.begin() + (page - 1));
  LoadPage(1, warnings);
}

void TBannerDocument::RememberForUndo() {
  undo_ = SerializePage(Current);
}

void TBannerDocument::Undo(TWarnings& warnings) {
  if (undo_.empty()) return;
  // The marker tells a reader of the text that it came from the undo buffer.
  Current = ReadPageText("<Redo>" + undo_, current_, warnings);
  undo_.clear();
}

TItemRect TBannerDocument::ItemRect(int slot) const {
  const TContentSlot& s = ContentSlots().at(slot);
  return {IntegerOf(Current, s.LeftField), IntegerOf(Current, s.TopField),
          itemSizes_.at(slot).first, itemSizes_.at(slot).second};
}

void TBannerDocument::SetItemSize(int slot, int width, int height) {
  itemSizes_.at(slot) = {width, height};
}

TItemRect TBannerDocument::NaturalSize(int slot) const {
  return {0, 0, naturalSizes_.at(slot).first, naturalSizes_.at(slot).second};
}

void TBannerDocument::SetNaturalSize(int slot, int width, int height) {
  naturalSizes_.at(slot) = {width, height};
}

}  // namespace orvanta
