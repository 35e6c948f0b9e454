#include "shell/design_json.h"

#include <optional>

#include "project/content_builder.h"
#include "project/content_list.h"
#include "project/design_geometry.h"
#include "shell/document_json.h"

namespace orvanta {

using nlohmann::json;

namespace {

constexpr int kTitleTabHeight = 14;

json Box(const TItemRect& r) {
  return {{"left", r.Left}, {"top", r.Top}, {"width", r.Width}, {"height", r.Height}};
}

// Clip tabs are wider: their labels carry the clip's name.
int TitleTabWidth(const std::string& label) {
  return label.starts_with("[MC") ? 120 : 60;
}

json SlotsJson(const TBannerDocument& doc, const std::optional<TDesignSelection>& selected) {
  json slots = json::array();
  for (const TContentItem& item : ContentList(doc, LibraryClipNamer())) {
    if (!item.HasRect) continue;
    json slot = Box(item.Rect);
    slot.update({{"slot", slots.size() + 1},
                 {"label", item.Label},
                 {"colour", item.Colour},
                 {"tab", {{"width", TitleTabWidth(item.Label)}, {"height", kTitleTabHeight}}},
                 // The selection frame stands in for the slot of the selected item.
                 {"hidden", selected && selected->Label == item.Label}});
    slots.push_back(std::move(slot));
  }
  return slots;
}

json SelectionJson(const std::optional<TDesignSelection>& selected) {
  if (!selected) return nullptr;
  const TItemRect handle = MoveHandleBox(selected->Rect);
  auto button = [&](int column) {
    return Box({handle.Left + column * kFrameButtonWidth, handle.Top + handle.Height,
                kFrameButtonWidth, kFrameButtonHeight});
  };
  json out = Box(selected->Rect);
  out.update({{"name", selected->Name},
              {"label", selected->Label},
              {"resizable", selected->Resizable},
              {"moveHandle", Box(handle)},
              {"move", button(0)},
              {"edit", button(1)},
              {"del", button(2)}});
  return out;
}

json PageJson(const TPageState& page) {
  const int width = IntegerField(page, "SWFWidth"), height = IntegerField(page, "SWFHeight");
  const TPageHandles handles = PageHandles(width, height);
  return {{"width", width},
          {"height", height},
          {"right", Box(handles.Right)},
          {"bottom", Box(handles.Bottom)},
          {"corner", Box(handles.Corner)},
          {"caption", handles.Caption}};
}

}  // namespace

json DesignJson(const TBannerDocument& doc, const std::string& selection) {
  const std::optional<TDesignSelection> selected =
      selection.empty() ? std::nullopt : FindSelection(doc, selection, LibraryClipNamer());
  return {{"slots", SlotsJson(doc, selected)},
          {"selection", SelectionJson(selected)},
          {"page", PageJson(doc.Current)},
          {"minimumSide", kMinimumFrameSide}};
}

}  // namespace orvanta
