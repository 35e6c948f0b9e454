#include "platform/random.h"

#include <chrono>

namespace orvanta {

TRandom::TRandom()
    : engine_(static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count())) {}

uint32_t TRandom::Next(uint32_t Range) {
  if (Range == 0) return 0;
  return std::uniform_int_distribution<uint32_t>(0, Range - 1)(engine_);
}

}  // namespace orvanta
