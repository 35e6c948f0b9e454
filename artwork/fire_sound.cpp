#include "fire_sound.h"

#include <algorithm>
#include <cmath>

#include "effect_shapes.h"

namespace orvanta::artwork {

namespace {

void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, static_cast<uint16_t>(v));
  Put16(out, static_cast<uint16_t>(v >> 16));
}

}  // namespace

std::vector<uint8_t> FireCrackleWave() {
  constexpr uint32_t kRate = 11025;
  constexpr uint32_t kSamples = kRate * 3 / 2;
  TParticleRandom random(7);
  std::vector<int16_t> samples(kSamples);
  double low = 0, pop = 0;
  for (uint32_t i = 0; i < kSamples; ++i) {
    // Low-passed noise is the roar; a pop is a short burst that dies away fast.
    low += (random.Range(-1, 1) - low) * 0.08;
    if (random.Range(0, 1) < 0.0025) pop = random.Range(0.4, 0.9);
    pop *= 0.93;
    const double edge = std::min(1.0, std::min(i, kSamples - i) / 600.0);
    const double v = (low * 0.5 + pop * random.Range(-1, 1)) * edge;
    samples[i] = static_cast<int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 20000));
  }
  std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
  Put32(out, 36 + kSamples * 2);
  for (char c : {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}) out.push_back(static_cast<uint8_t>(c));
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, kRate);
  Put32(out, kRate * 2);
  Put16(out, 2);
  Put16(out, 16);
  for (char c : {'d', 'a', 't', 'a'}) out.push_back(static_cast<uint8_t>(c));
  Put32(out, kSamples * 2);
  for (int16_t s : samples) Put16(out, static_cast<uint16_t>(s));
  return out;
}

}  // namespace orvanta::artwork
