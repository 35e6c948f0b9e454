#include "project/design_geometry.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "platform/errors.h"
#include "project/content_builder.h"
#include "project/content_list.h"
#include "project/field_registry.h"

namespace orvanta {

namespace {

constexpr std::string_view kClipPrefix = "[MC";
constexpr std::string_view kClipName = "MovieClip";

// "MovieClip3" for a clip line "[MC3] ...", the label itself otherwise.
std::string SelectionName(std::string_view label) {
  if (label.starts_with(kClipPrefix) && label.size() > kClipPrefix.size())
    return std::string(kClipName) + label[kClipPrefix.size()];
  return std::string(label);
}

// The content-list line a selection name matches: the line itself, or for "MovieClip3" the line
// starting "[MC3]".
bool Matches(std::string_view line, std::string_view name) {
  if (name.starts_with(kClipName) && name.size() == kClipName.size() + 1)
    return line.starts_with(std::string(kClipPrefix) + name.back() + "]");
  return line == name;
}

bool IsResizable(std::string_view name) {
  constexpr std::array<std::string_view, 6> kinds = {"HTML Text", "Static Image", "BG Image3",
                                                     "Shape",     "SlideShow",    kClipName};
  return std::any_of(kinds.begin(), kinds.end(),
                     [&](std::string_view kind) { return name.starts_with(kind); });
}

TDesignSelection SelectionOf(const TContentItem& item) {
  TDesignSelection s{SelectionName(item.Label), item.Label, item.Rect, false};
  s.Resizable = IsResizable(s.Name);
  // The music control clip stands 10 pixels above its position.
  if (s.Name == "Sound") s.Rect.Top -= 10;
  return s;
}

// Names in hit-test order: layers the user types and small controls before the clips, texts,
// images and panels they usually sit on.
const std::vector<std::string>& HitOrder() {
  static const std::vector<std::string> order = [] {
    std::vector<std::string> out;
    for (int i = 1; i <= kHtmlTextCount; ++i) out.push_back("HTML Text" + std::to_string(i));
    for (const char* name : {"SlideShow", "Animated Text", "Album Thumb", "Sound", "Button"})
      out.emplace_back(name);
    for (int i = 0; i <= 5; ++i) out.push_back(std::string(kClipName) + std::to_string(i));
    for (int i : {5, 6, 7, 4, 3, 2, 1}) out.push_back("Static Text" + std::to_string(i));
    for (int i = 1; i <= 3; ++i) out.push_back("Static Image" + std::to_string(i));
    for (int i = 1; i <= 5; ++i) out.push_back("Shape" + std::to_string(i));
    out.emplace_back("BG Image3");
    return out;
  }();
  return order;
}

bool Contains(const TItemRect& r, int x, int y) {
  // Widened so that a rectangle at the edge of the field ranges cannot overflow.
  const int64_t right = int64_t(r.Left) + r.Width, bottom = int64_t(r.Top) + r.Height;
  return r.Left <= x && x <= right && r.Top <= y && y <= bottom;
}

// Stores an integer through the registry, which clamps it to the field's range.
void SetInteger(TPageState& page, const std::string& name, int64_t value, int pageNumber,
                TWarnings& warnings) {
  const int64_t bounded =
      std::clamp<int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  page.SetField(FindSavedField(name), std::to_string(bounded), "", pageNumber, warnings);
}

int SlotOf(const TDesignSelection& item) {
  const auto& slots = ContentSlots();
  for (size_t i = 0; i < slots.size(); ++i)
    if (Matches(slots[i].Label, item.Name)) return int(i);
  throw Error("no content slot is named \"" + item.Name + "\"");
}

// The scale percentage that makes a clip of the natural size fill the frame: the smaller ratio
// keeps a library clip inside it, the larger lets the own clip cover it. None for a clip that
// has no size of its own.
std::optional<int64_t> ClipScale(const TItemRect& natural, int width, int height, bool own) {
  if (natural.Width <= 0 || natural.Height <= 0) return std::nullopt;
  const int64_t byWidth = int64_t(width) * 100 / natural.Width;
  const int64_t byHeight = int64_t(height) * 100 / natural.Height;
  return own ? std::max(byWidth, byHeight) : std::min(byWidth, byHeight);
}

// The width and height fields of a resizable kind; empty for clips, which scale instead.
std::pair<std::string, std::string> SizeFields(std::string_view name) {
  const std::string n(name.substr(name.size() - 1));
  if (name.starts_with("HTML Text")) return {"staticmemowidth" + n, "staticmemoheight" + n};
  if (name.starts_with("Shape")) return {"shape" + n + "width", "shape" + n + "height"};
  if (name == "SlideShow") return {"photowidth", "photoheight"};
  if (name == "BG Image3") return {"BGimagewidth3", "BGimageheight3"};
  if (name.starts_with("Static Image")) {
    const std::string suffix = n == "1" ? "" : n;
    return {"staticimagewidth" + suffix, "staticimageheight" + suffix};
  }
  return {};
}

// An image resized by hand shows at the size given instead of its own.
std::string NoZoomFlag(std::string_view name) {
  if (name == "BG Image3") return "bgimagewh3";
  if (name.starts_with("Static Image")) {
    const char n = name.back();
    return n == '1' ? "staticimagewh" : std::string("staticimagewh") + n;
  }
  return {};
}

}  // namespace

std::optional<TDesignSelection> FindSelection(const TBannerDocument& doc, std::string_view name,
                                              const TClipNamer& clipName) {
  const std::string wanted = SelectionName(name);
  for (const TContentItem& item : ContentList(doc, clipName))
    if (Matches(item.Label, wanted)) {
      if (!item.HasRect) return std::nullopt;
      return SelectionOf(item);
    }
  return std::nullopt;
}

std::optional<TDesignSelection> HitTest(const TBannerDocument& doc, int x, int y,
                                        const TClipNamer& clipName) {
  const std::vector<TContentItem> items = ContentList(doc, clipName);
  for (const std::string& name : HitOrder())
    for (const TContentItem& item : items)
      if (item.HasRect && Matches(item.Label, name) && Contains(item.Rect, x, y))
        return SelectionOf(item);
  return std::nullopt;
}

TItemRect MoveHandleBox(const TItemRect& selection) {
  const int left = selection.Left <= -(kMoveHandleWidth / 2) ? 0 : selection.Left;
  const int top =
      selection.Top <= kMoveHandleHeight / 2 ? 0 : selection.Top - kMoveHandleHeight + 3;
  return {left, top, kMoveHandleWidth, kMoveHandleHeight};
}

TPageHandles PageHandles(int width, int height) {
  return {{width, height - kPageMarkerLength, 3, kPageMarkerLength},
          {width - kPageMarkerLength, height, kPageMarkerLength, 3},
          {width, height, 0, 0},
          "Resize Webpage\n" + std::to_string(width) + "x" + std::to_string(height)};
}

TItemRect ResizedFrame(const TItemRect& start, int dx, int dy, TResizeEdge edge, int minimumSide) {
  auto side = [minimumSide](int from, int by) {
    return int(
        std::clamp<int64_t>(int64_t(from) + by, minimumSide, std::numeric_limits<int>::max()));
  };
  TItemRect out = start;
  if (edge != TResizeEdge::Bottom) out.Width = side(start.Width, dx);
  if (edge != TResizeEdge::Right) out.Height = side(start.Height, dy);
  return out;
}

bool MoveItem(TPageState& page, const TDesignSelection& item, int dx, int dy, int pageNumber,
              TWarnings& warnings) {
  if (dx == 0 && dy == 0) return false;
  const TContentSlot& slot = ContentSlots()[SlotOf(item)];
  SetInteger(page, slot.LeftField, int64_t(IntegerField(page, slot.LeftField)) + dx, pageNumber,
             warnings);
  SetInteger(page, slot.TopField, int64_t(IntegerField(page, slot.TopField)) + dy, pageNumber,
             warnings);
  return true;
}

bool ResizeItem(TBannerDocument& doc, const TDesignSelection& item, int width, int height,
                TWarnings& warnings) {
  if (!item.Resizable) return false;
  width = std::max(width, kMinimumFrameSide);
  height = std::max(height, kMinimumFrameSide);
  TPageState& page = doc.Current;
  const int pageNumber = doc.CurrentPage();
  if (item.Name.starts_with(kClipName)) {
    const bool own = item.Name.back() == '0';
    const int slot = SlotOf(item);
    const std::optional<int64_t> scale = ClipScale(doc.NaturalSize(slot), width, height, own);
    if (!scale) {
      warnings.push_back({pageNumber,
                          "PageBackGroundScalewidth" + item.Name.substr(kClipName.size()),
                          "the clip has no size of its own, so it keeps its scale"});
      return false;
    }
    SetInteger(page, "PageBackGroundScalewidth" + item.Name.substr(kClipName.size()), *scale,
               pageNumber, warnings);
    return true;
  }
  if (const std::string flag = NoZoomFlag(item.Name); !flag.empty())
    page.SetField(FindSavedField(flag), "False", "", pageNumber, warnings);
  const auto [widthField, heightField] = SizeFields(item.Name);
  SetInteger(page, widthField, width, pageNumber, warnings);
  SetInteger(page, heightField, height, pageNumber, warnings);
  return true;
}

bool ResizePage(TPageState& page, int width, int height, int pageNumber, TWarnings& warnings) {
  const TPageState before = page;
  SetInteger(page, "SWFWidth", width, pageNumber, warnings);
  SetInteger(page, "SWFHeight", height, pageNumber, warnings);
  return !(page == before);
}

}  // namespace orvanta
