#include "platform/text_file.h"

#include <gtest/gtest.h>

#include "platform/errors.h"

namespace orvanta {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(TextFile, WritesUtf16WithMarkAndCrLf) {
  // LF, CR and CR LF all become CR LF; a character beyond the BMP becomes a surrogate pair.
  EXPECT_EQ(EncodeTextFile("a\nb\rc\r\n\xF0\x9F\x98\x80"),
            (Bytes{0xFF, 0xFE, 'a', 0, '\r', 0, '\n', 0, 'b',  0,    '\r', 0,
                   '\n', 0,    'c', 0, '\r', 0, '\n', 0, 0x3D, 0xD8, 0x00, 0xDE}));
}

TEST(TextFile, ReadsEachEncoding) {
  EXPECT_EQ(DecodeTextFile(Bytes{0xFF, 0xFE, 0x16, 0x04}), "\xD0\x96");
  EXPECT_EQ(DecodeTextFile(Bytes{0xFE, 0xFF, 0x04, 0x16}), "\xD0\x96");
  EXPECT_EQ(DecodeTextFile(Bytes{0xEF, 0xBB, 0xBF, 0xD0, 0x96}), "\xD0\x96");
  EXPECT_EQ(DecodeTextFile(Bytes{'c', 0xE9}), "c\xC3\xA9");
  EXPECT_EQ(DecodeTextFile(Bytes{}), "");
  // An unpaired surrogate is a replacement character; an odd byte count is refused.
  EXPECT_EQ(DecodeTextFile(Bytes{0xFF, 0xFE, 0x00, 0xD8, 'a', 0}),
            "\xEF\xBF\xBD"
            "a");
  EXPECT_THROW(DecodeTextFile(Bytes{0xFF, 0xFE, 'a'}), FormatError);
}

}  // namespace
}  // namespace orvanta
