#include "builders/panels/panel_margins.h"

#include <algorithm>
#include <string>

#include "media/swf_reader.h"
#include "swf/tag_codes.h"
#include "swf/tags_display.h"

namespace orvanta {

namespace {

// Far beyond any real template, small enough that 2L + 10 stays a sane pixel size.
constexpr int kLargestMargin = 4000;

int MarkerPart(std::string_view text) {
  if (text.empty() || text.size() > 9 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return 0;
  return std::min(std::stoi(std::string(text)), kLargestMargin);
}

// The name of a PlaceObject2 (or, where allowed, PlaceObject3) tag that mentions "posi".
const std::string* MarkerName(const TSWFTagInfo& info, bool allowPlace3) {
  const auto code = TTagCode(info.TagID);
  if (code != TTagCode::PlaceObject2 && !(allowPlace3 && code == TTagCode::PlaceObject3))
    return nullptr;
  const auto* place = dynamic_cast<const TSWFPlaceObject2*>(info.TagObject());
  if (!place || !place->HasName || place->Name.find("posi") == std::string::npos) return nullptr;
  return &place->Name;
}

}  // namespace

void ParsePanelMargins(std::string_view instanceName, TPanelMargins& margins) {
  const size_t start = instanceName.find("-posi");
  if (start == std::string_view::npos) return;
  std::string_view rest = instanceName.substr(start + 5);
  const size_t end = rest.find('p');
  if (end == std::string_view::npos) return;
  rest = rest.substr(0, end);
  const size_t x1 = rest.find('x');
  if (x1 == std::string_view::npos) return;
  const size_t x2 = rest.find('x', x1 + 1);
  if (x2 == std::string_view::npos) return;
  margins.Left = MarkerPart(rest.substr(0, x1));
  margins.Top = MarkerPart(rest.substr(x1 + 1, x2 - x1 - 1));
  margins.Bottom = MarkerPart(rest.substr(x2 + 1));
}

TPanelMargins FindPanelMargins(const TSWFStreamReader& reader) {
  TPanelMargins margins;
  // The last tag (the End) is never a marker.
  for (size_t i = 0; i + 1 < reader.TagList.size(); ++i) {
    const TSWFTagInfo& info = *reader.TagList[i];
    if (const std::string* name = MarkerName(info, true)) {
      ParsePanelMargins(*name, margins);
      break;
    }
    if (TTagCode(info.TagID) != TTagCode::DefineSprite) continue;
    for (const auto& inner : info.SubTags)
      if (const std::string* name = MarkerName(*inner, false)) {
        ParsePanelMargins(*name, margins);
        break;
      }
  }
  return margins;
}

}  // namespace orvanta
