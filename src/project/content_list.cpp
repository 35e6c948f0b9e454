#include "project/content_list.h"

#include <array>

#include "project/content_builder.h"

namespace orvanta {

namespace {

constexpr std::array<uint32_t, 10> kPalette = {0xC4FF00, 0xFF00FF, 0x00FFFF, 0xFF0080, 0x00FF80,
                                               0x0080FF, 0x804000, 0x408000, 0x400080, 0x808000};

// The number after a label's prefix ("HTML Text3" -> 3).
int Number(const std::string& label, size_t prefixLength) {
  return std::stoi(label.substr(prefixLength));
}

std::string FileNamePart(const std::string& path) {
  const size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

// Whether a slot is listed, with the label and size it is listed with; the rectangle starts as
// the one the last build stored.
bool Present(const TPageState& page, const TContentSlot& slot, const TClipNamer& clipName,
             std::string& label, TItemRect& rect) {
  const std::string& l = slot.Label;
  auto fieldSize = [&](const std::string& width, const std::string& height) {
    rect.Width = IntegerField(page, width);
    rect.Height = IntegerField(page, height);
  };
  if (l == "Animated Text") return !page.InputText.empty();
  if (l.starts_with("HTML Text")) {
    const std::string n = std::to_string(Number(l, 9));
    fieldSize("staticmemowidth" + n, "staticmemoheight" + n);
    return !page.HtmlTexts[Number(l, 9) - 1].empty();
  }
  if (l.starts_with("Static Text")) return !page.StaticTexts[Number(l, 11) - 1].empty();
  if (l == "Sound") {
    rect.Width = 100;
    rect.Height = 40;
    const std::string& music = page.Field("bgsound").Text;
    return music > " " && music != "None" && IntegerField(page, "bgsoundcontrol") > 0;
  }
  if (l.starts_with("Shape")) {
    const std::string s = "shape" + std::to_string(Number(l, 5));
    fieldSize(s + "width", s + "height");
    return IntegerField(page, s + "listbox") > 0;
  }
  if (l == "[MC0] ")
    label += FileNamePart(page.Field("PageEffect_filename1").Text);
  else if (l.starts_with("[MC") && clipName)
    label += clipName(IntegerField(page, "PageEffectID" + l.substr(3, 1)));
  return rect.Width > 0;
}

// A closing row: a label only.
TContentItem LabelRow(std::string label) {
  TContentItem item;
  item.Label = std::move(label);
  return item;
}

}  // namespace

std::vector<TContentItem> ContentList(const TBannerDocument& doc, const TClipNamer& clipName) {
  const TPageState& page = doc.Current;
  std::vector<TContentItem> items;
  const auto& slots = ContentSlots();
  for (size_t i = 0; i < slots.size(); ++i) {
    TContentItem item{slots[i].Label, true, doc.ItemRect(int(i)), 0, int(i)};
    if (!Present(page, slots[i], clipName, item.Label, item.Rect)) continue;
    item.Colour = kPalette[items.size() % kPalette.size()];
    items.push_back(std::move(item));
  }
  if (IntegerField(page, "preloadindex") > 0) items.push_back(LabelRow("Welcome Loading"));
  items.push_back(
      LabelRow("[Layout] " + page.Field("SWFWidth").Text + "x" + page.Field("SWFHeight").Text));
  items.push_back(LabelRow("Back Ground"));
  return items;
}

}  // namespace orvanta
