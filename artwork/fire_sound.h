#pragma once

#include <cstdint>
#include <vector>

namespace orvanta::artwork {

// A second and a half of crackling fire as a mono 16-bit WAVE file at 11025 Hz: soft rushing
// noise with random pops, the same bytes on every run.
std::vector<uint8_t> FireCrackleWave();

}  // namespace orvanta::artwork
