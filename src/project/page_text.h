#pragma once

#include <string>
#include <string_view>

#include "project/banner_document.h"

namespace orvanta {

inline constexpr int kDefaultAnimatedFontSize = 36;
inline constexpr int kDefaultFontSize = 10;
inline constexpr int kMaxFontSize = 500;

// The page text of one page: the header line, one line per saved field, the blocks and the
// font tags, with CR LF line ends.
std::string SerializePage(const TPageState& page);

// Reads a page text into a fresh state that starts from the load starting values. Every value
// is validated; problems become warnings naming the page. Field lines are taken only from the
// field section, so that a text block cannot set a field.
TPageState ReadPageText(std::string_view text, int page, TWarnings& warnings);

// Serialises the page, reads it back and warns, naming each field or block, about values that
// would not come back as they are (a value holding its own closing tag).
void CheckRoundTrip(const TPageState& page, int pageNumber, TWarnings& warnings);

// The text between the first start tag at or after from and the first end tag after it; found
// is false when either is missing.
struct TTagValue {
  std::string_view Value;
  bool Found = false;
  size_t End = 0;  // just past the end tag
};
TTagValue ExtractTag(std::string_view text, std::string_view startTag, std::string_view endTag,
                     size_t from = 0);

}  // namespace orvanta
