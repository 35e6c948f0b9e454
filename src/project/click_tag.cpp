#include "project/click_tag.h"

#include <cctype>
#include <cstdio>

#include "project/content_builder.h"

namespace orvanta {

namespace {

constexpr int kButtonSlots = 20;

// Percent-encodes everything but the unreserved characters, so the value survives both the
// flashvars query syntax and the HTML attribute it stands in.
std::string QueryValue(const std::string& text) {
  std::string encoded;
  for (unsigned char c : text) {
    if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
      encoded += char(c);
    } else {
      char escape[4];
      std::snprintf(escape, sizeof escape, "%%%02X", c);
      encoded += escape;
    }
  }
  return encoded;
}

std::string ButtonField(const std::string& stem, int slot) {
  return stem + (slot <= 7 ? "" : "_") + std::to_string(slot);
}

}  // namespace

bool UsesClickTag(const TPageState& page) { return OptionField(page, kClickTagField); }

std::string ClickTagUrl(const TPageState& page) {
  if (OptionField(page, "buttonurlenabled0")) return page.Field("buttonurl0").Text;
  for (int slot = 1; slot <= kButtonSlots; ++slot)
    if (IntegerField(page, ButtonField("buttonindex", slot)) >= 1)
      return page.Field(ButtonField("buttonurl", slot)).Text;
  return page.Field("buttonurl0").Text;
}

std::string WithClickTagFlashVars(std::string html, const std::string& url) {
  const size_t embed = html.find("<embed ");
  if (embed == std::string::npos) return html;
  html.insert(embed + 7, "flashvars=\"" + std::string(kClickTagVariable) + "=" + QueryValue(url) +
                             "\" ");
  return html;
}

}  // namespace orvanta
