#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

TEST(TextEncoding, Utf16AndUtf8) {
  EXPECT_EQ(Utf16ToUtf8(u"a\u00e9\u20ac\U0001F600"), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf8ToUtf16("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), u"a\u00e9\u20ac\U0001F600");
  // Bytes that are not UTF-8 are taken as cp1252: a lone é, an overlong NUL, a cut sequence.
  EXPECT_EQ(Utf8ToUtf16("\xE9"), u"\u00e9");
  EXPECT_EQ(Utf8ToUtf16("\xC0\x80"), u"\u00c0\u20ac");
  EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), u"\u00e2\u201a");
}

TEST(TextEncoding, Cp1252RoundTrip) {
  EXPECT_EQ(Cp1252ToUtf8("caf\xE9 \x80"), "caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(Utf8ToCp1252("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xE9 \x80");
  // Outside the code page: a Cyrillic letter has no byte.
  EXPECT_EQ(Utf8ToCp1252("\xD0\x96"), "?");
}

}  // namespace
}  // namespace orvanta
