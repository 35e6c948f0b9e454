#pragma once

#include <cstdint>
#include <string>

#include "platform/errors.h"

namespace orvanta {

// Frame counts and character ids are 16-bit fields in the file. Past 65,535 they would wrap
// into a movie that plays something else, so building stops there with an error instead.
constexpr int64_t kMaxCount16 = 65535;

// The count as its 16-bit field; raises "<owner> has more than 65,535 <what>" past the limit.
inline uint16_t CheckedCount16(int64_t count, const std::string& owner, const std::string& what) {
  if (count > kMaxCount16) throw Error(owner + " has more than 65,535 " + what);
  return static_cast<uint16_t>(count);
}

}  // namespace orvanta
