#include "media/adpcm.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/errors.h"
#include "swf/bits_engine.h"

namespace orvanta {

const std::array<int32_t, 89> kADPCMStepTable = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,   21,    23,
    25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,   73,    80,
    88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,  253,   279,
    307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,  876,   963,
    1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749, 3024,  3327,
    3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493, 10442, 11487,
    12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

namespace {

constexpr int8_t kIndex2[] = {-1, 2};
constexpr int8_t kIndex3[] = {-1, -1, 2, 4};
constexpr int8_t kIndex4[] = {-1, -1, -1, -1, 2, 4, 6, 8};
constexpr int8_t kIndex5[] = {-1, -1, -1, -1, -1, -1, -1, -1, 1, 2, 4, 6, 8, 10, 13, 16};

constexpr int kAdaptation[16] = {230, 230, 230, 230, 307, 409, 512, 614,
                                 768, 614, 512, 409, 307, 230, 230, 230};

// Hostile blocks can make the MS-ADPCM delta grow without end; real data stays far below.
constexpr int32_t kMaxDelta = 1 << 20;

int16_t Clamp16(int32_t v) {
  return static_cast<int16_t>(std::clamp(v, -32768, 32767));
}

// The smallest index whose step covers the first difference of a packet.
int32_t InitialIndex(int32_t difference) {
  int32_t index = 0;
  while (index < 63 && kADPCMStepTable[index] < difference) ++index;
  return index;
}

}  // namespace

std::span<const int8_t> ADPCMIndexTable(int bits) {
  switch (bits) {
    case 2:
      return kIndex2;
    case 3:
      return kIndex3;
    case 4:
      return kIndex4;
    default:
      return kIndex5;
  }
}

TSWFADPCMEncoder::TSWFADPCMEncoder(TBitsEngine& engine, int bits, int channels)
    : engine_(engine), bits_(std::clamp(bits, 2, 5)), channels_(channels == 2 ? 2 : 1) {}

void TSWFADPCMEncoder::WriteHeaderOnce() {
  if (headerWritten_) return;
  engine_.WriteBits(static_cast<uint32_t>(bits_ - 2), 2);
  headerWritten_ = true;
}

void TSWFADPCMEncoder::StartPacket(const int16_t* samples, size_t frames) {
  for (int c = 0; c < channels_; ++c) {
    int32_t s0 = samples[c];
    // The second sample is only there to pick a step size; at the very end of a sound a
    // packet may hold one sample alone.
    int32_t difference = frames > 1 ? std::abs(samples[channels_ + c] - s0) : 0;
    Channel& channel = state_[c];
    channel.Predictor = s0;
    channel.Index = InitialIndex(difference);
    engine_.WriteSBits(s0, 16);
    engine_.WriteBits(static_cast<uint32_t>(channel.Index), 6);
  }
}

// The predictor follows what a decoder reconstructs, not the input, so errors never add up.
uint32_t TSWFADPCMEncoder::Code(Channel& channel, int32_t sample) {
  int32_t step = kADPCMStepTable[channel.Index];
  int32_t difference = sample - channel.Predictor;
  uint32_t sign = 0;
  if (difference < 0) {
    sign = 1u << (bits_ - 1);
    difference = -difference;
  }
  uint32_t code = 0;
  int32_t reconstruction = step >> (bits_ - 1);
  for (uint32_t bit = 1u << (bits_ - 2); bit != 0; bit >>= 1) {
    if (difference >= step) {
      code |= bit;
      reconstruction += step;
      difference -= step;
    }
    step >>= 1;
  }
  channel.Predictor =
      Clamp16(sign ? channel.Predictor - reconstruction : channel.Predictor + reconstruction);
  channel.Index = std::clamp(channel.Index + ADPCMIndexTable(bits_)[code], 0, 88);
  return code | sign;
}

void TSWFADPCMEncoder::Encode(const int16_t* samples, size_t frames) {
  WriteHeaderOnce();
  const unsigned bits = static_cast<unsigned>(bits_);
  for (size_t i = 0; i < frames; ++i) {
    const int16_t* frame = samples + i * channels_;
    if (inPacket_ == 0) {
      StartPacket(frame, frames - i);
    } else {
      for (int c = 0; c < channels_; ++c) engine_.WriteBits(Code(state_[c], frame[c]), bits);
    }
    if (++inPacket_ == kPacketSamples) inPacket_ = 0;
  }
}

void TSWFADPCMEncoder::Finish() {
  WriteHeaderOnce();
  engine_.FlushBits(true);
}

void EncodeADPCM(TBitsEngine& engine, std::span<const int16_t> samples, int bits, int channels) {
  TSWFADPCMEncoder encoder(engine, bits, channels);
  encoder.Encode(samples.data(), samples.size() / (channels == 2 ? 2 : 1));
  encoder.Finish();
}

// MS-ADPCM.

std::vector<std::array<int16_t, 2>> StandardMSADPCMCoefficients() {
  return {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};
}

size_t TMSADPCMFormat::SamplesInBlock(size_t blockBytes) const {
  size_t channels = Channels == 2 ? 2 : 1;
  size_t header = 7 * channels;
  if (blockBytes < header) return 0;
  return 2 + (blockBytes - header) * 2 / channels;
}

size_t DecodeMSADPCM(const TMSADPCMFormat& format, std::span<const uint8_t> block,
                     std::vector<int16_t>& out) {
  const size_t channels = format.Channels == 2 ? 2 : 1;
  const size_t frames = format.SamplesInBlock(block.size());
  if (frames == 0) return 0;

  struct State {
    int32_t Coef1, Coef2, Delta, Sample1, Sample2;
  } state[2];
  const uint8_t* p = block.data();
  auto word = [&](size_t at) { return static_cast<int16_t>(p[at] | (p[at + 1] << 8)); };
  for (size_t c = 0; c < channels; ++c) {
    uint8_t predictor = p[c];
    if (predictor >= format.Coefficients.size())
      throw FormatError("an MS-ADPCM block selects coefficient pair " + std::to_string(predictor) +
                        " of " + std::to_string(format.Coefficients.size()));
    state[c].Coef1 = format.Coefficients[predictor][0];
    state[c].Coef2 = format.Coefficients[predictor][1];
    state[c].Delta = word(channels + 2 * c);
    state[c].Sample1 = word(3 * channels + 2 * c);
    state[c].Sample2 = word(5 * channels + 2 * c);
  }
  out.reserve(out.size() + frames * channels);
  for (size_t c = 0; c < channels; ++c) out.push_back(static_cast<int16_t>(state[c].Sample2));
  for (size_t c = 0; c < channels; ++c) out.push_back(static_cast<int16_t>(state[c].Sample1));

  // Nibbles alternate between the channels (high nibble first), or follow one another in mono.
  const size_t nibbles = (frames - 2) * channels;
  const uint8_t* codes = p + 7 * channels;
  for (size_t n = 0; n < nibbles; ++n) {
    uint8_t byte = codes[n / 2];
    int32_t nibble = (n % 2 == 0) ? byte >> 4 : byte & 0x0F;
    State& s = state[n % channels];
    int32_t signedCode = nibble >= 8 ? nibble - 16 : nibble;
    // Coefficients come from the file: the sum of two products may not fit 32 bits.
    int64_t predicted = (int64_t{s.Sample1} * s.Coef1 + int64_t{s.Sample2} * s.Coef2) / 256;
    int32_t sample = Clamp16(static_cast<int32_t>(
        std::clamp<int64_t>(predicted + int64_t{signedCode} * s.Delta, -32768, 32767)));
    out.push_back(static_cast<int16_t>(sample));
    s.Sample2 = s.Sample1;
    s.Sample1 = sample;
    s.Delta = std::clamp(kAdaptation[nibble] * s.Delta / 256, 16, kMaxDelta);
  }
  return frames;
}

}  // namespace orvanta
