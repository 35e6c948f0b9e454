#include "shell/document_json.h"

#include "platform/clip_table.h"

namespace orvanta {

nlohmann::json WarningsJson(const TWarnings& warnings) {
  nlohmann::json out = nlohmann::json::array();
  for (const TWarning& w : warnings)
    out.push_back({{"page", w.Page}, {"field", w.Field}, {"message", w.Message}});
  return out;
}

TClipNamer LibraryClipNamer() {
  return [](int choice) { return choice > 0 ? ClipName(choice) : std::string(); };
}

nlohmann::json ContentListJson(const TBannerDocument& doc) {
  nlohmann::json out = nlohmann::json::array();
  for (const TContentItem& item : ContentList(doc, LibraryClipNamer())) {
    nlohmann::json row{{"label", item.Label}};
    if (item.HasRect)
      row.update({{"left", item.Rect.Left},
                  {"top", item.Rect.Top},
                  {"width", item.Rect.Width},
                  {"height", item.Rect.Height},
                  {"colour", item.Colour}});
    out.push_back(row);
  }
  return out;
}

}  // namespace orvanta
