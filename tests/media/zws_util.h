#pragma once

#include <lzma.h>

#include "test_util.h"

namespace orvanta::test {

// The ZWS form of an FWS file: the LZMA data's length (without the properties), the five
// properties bytes, then raw LZMA1 data. dictSize, when given, is what the properties claim
// instead of the encoder's window.
inline Bytes ZwsFromFws(const Bytes& fws, uint32_t dictSize = 0) {
  auto u32 = [](size_t v) {
    return Bytes{static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                 static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
  };
  lzma_options_lzma options;
  EXPECT_FALSE(lzma_lzma_preset(&options, 1));
  lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
  Bytes props(5);
  EXPECT_EQ(lzma_properties_encode(&filters[0], props.data()), LZMA_OK);
  if (dictSize) props = Concat({{props[0]}, u32(dictSize)});
  Bytes packed(fws.size() + fws.size() / 2 + 1024);
  size_t size = 0;
  EXPECT_EQ(lzma_raw_buffer_encode(filters, nullptr, fws.data() + 8, fws.size() - 8, packed.data(),
                                   &size, packed.size()),
            LZMA_OK);
  packed.resize(size);
  return Concat(
      {{'Z', 'W', 'S', fws[3]}, Bytes(fws.begin() + 4, fws.begin() + 8), u32(size), props, packed});
}

}  // namespace orvanta::test
