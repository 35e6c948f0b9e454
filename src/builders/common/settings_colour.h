#pragma once

#include <cstdint>

namespace orvanta {

// Settings store colours as 0x00BBGGRR with an alpha byte of 0, while the library reads alpha
// from the top byte: every settings colour enters the library through this.
inline uint32_t SettingsColour(int32_t bgr, uint8_t alpha = 255) {
  return (uint32_t(bgr) & 0xFFFFFFu) | (uint32_t(alpha) << 24);
}

}  // namespace orvanta
