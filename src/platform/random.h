#pragma once

#include <cstdint>
#include <random>

namespace orvanta {

// The one pseudo-random source of a build. Seeded from the clock unless a seed is given, so that
// tests and the command line can make builds reproducible.
class TRandom {
 public:
  TRandom();
  explicit TRandom(uint64_t Seed) : engine_(Seed) {}

  void Seed(uint64_t Seed) { engine_.seed(Seed); }
  // A uniform integer in [0, Range); 0 when Range is 0.
  uint32_t Next(uint32_t Range);

 private:
  std::mt19937_64 engine_;
};

}  // namespace orvanta
