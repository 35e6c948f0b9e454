#include "shell/document_json.h"

#include "platform/clip_table.h"
#include "project/content_list.h"

namespace orvanta {

nlohmann::json WarningsJson(const TWarnings& warnings) {
  nlohmann::json out = nlohmann::json::array();
  for (const TWarning& w : warnings)
    out.push_back({{"page", w.Page}, {"field", w.Field}, {"message", w.Message}});
  return out;
}

nlohmann::json ContentListJson(const TBannerDocument& doc) {
  const auto clipName = [](int choice) { return choice > 0 ? ClipName(choice) : std::string(); };
  nlohmann::json out = nlohmann::json::array();
  for (const TContentItem& item : ContentList(doc, clipName)) {
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
