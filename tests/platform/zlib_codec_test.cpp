#include "platform/zlib_codec.h"

#include <gtest/gtest.h>

#include "platform/errors.h"

namespace orvanta {
namespace {

// The bound is what protects a reader from a lying size: output stops there, a short stream
// gives what it has, and bytes that are not zlib raise.
TEST(ZlibCodec, RoundTripBoundedAndRefused) {
  std::vector<uint8_t> data(100000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7 % 251);
  const std::vector<uint8_t> packed = Deflate(data);
  EXPECT_LT(packed.size(), data.size());
  EXPECT_EQ(InflateBounded(packed, data.size()), data);
  EXPECT_EQ(InflateBounded(packed, size_t{1} << 30), data);
  const std::vector<uint8_t> head = InflateBounded(packed, 1000);
  EXPECT_EQ(head, std::vector<uint8_t>(data.begin(), data.begin() + 1000));
  const std::vector<uint8_t> cut(packed.begin(), packed.begin() + packed.size() / 2);
  const std::vector<uint8_t> partial = InflateBounded(cut, data.size());
  EXPECT_LT(partial.size(), data.size());
  EXPECT_TRUE(std::equal(partial.begin(), partial.end(), data.begin()));
  EXPECT_TRUE(InflateBounded(packed, 0).empty());
  EXPECT_THROW(InflateBounded(std::vector<uint8_t>{'n', 'o', 't', ' ', 'z'}, 10), FormatError);
}

}  // namespace
}  // namespace orvanta
