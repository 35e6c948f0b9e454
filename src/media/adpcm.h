#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace orvanta {

class TBitsEngine;

// The 89 quantiser steps shared by IMA and SWF ADPCM.
extern const std::array<int32_t, 89> kADPCMStepTable;
// How the step index moves after a code of `bits` bits (2..5), indexed by the code's magnitude
// bits (the sign bit removed).
std::span<const int8_t> ADPCMIndexTable(int bits);

// SWF ADPCM encoder. Samples are 16-bit, interleaved when stereo. A packet holds 4096 samples
// per channel: the first of each channel verbatim with its step index, the rest as codes.
// Packets run on across Encode calls, so a sound may be fed in pieces of any size.
class TSWFADPCMEncoder {
 public:
  static constexpr size_t kPacketSamples = 4096;

  // Bits are clamped to 2..5; channels is 1 or 2.
  TSWFADPCMEncoder(TBitsEngine& engine, int bits, int channels);

  int Bits() const { return bits_; }
  // Codes `frames` sample frames (frames × channels values). The first call writes the code
  // size.
  void Encode(const int16_t* samples, size_t frames);
  // Writes the code size when nothing was encoded yet and pads the last byte with zero bits.
  void Finish();

 private:
  struct Channel {
    int32_t Predictor = 0;
    int32_t Index = 0;
  };
  void WriteHeaderOnce();
  void StartPacket(const int16_t* samples, size_t frames);
  uint32_t Code(Channel& channel, int32_t sample);

  TBitsEngine& engine_;
  int bits_;
  int channels_;
  bool headerWritten_ = false;
  // Samples per channel already in the current packet; 0 starts a new one.
  size_t inPacket_ = 0;
  Channel state_[2];
};

// One-call form: a complete SWF ADPCM stream of the samples, byte-aligned at the end.
void EncodeADPCM(TBitsEngine& engine, std::span<const int16_t> samples, int bits, int channels);

// The WAVE MS-ADPCM format record: the part of "fmt " beyond the PCM fields.
struct TMSADPCMFormat {
  uint16_t Channels = 1;
  uint16_t BlockAlign = 0;
  uint32_t SamplesPerBlock = 0;
  // Coefficient pairs; the seven standard ones when the file names none.
  std::vector<std::array<int16_t, 2>> Coefficients;

  // Samples per channel a full block holds, from the block size.
  size_t SamplesInBlock(size_t blockBytes) const;
};

// The seven coefficient pairs every MS-ADPCM file starts with.
std::vector<std::array<int16_t, 2>> StandardMSADPCMCoefficients();

// Decodes one MS-ADPCM block (or the shorter last block of a file) to interleaved 16-bit
// samples appended to `out`; returns the sample frames decoded. A block too short for its
// header decodes to nothing; a predictor index outside the coefficient table is FormatError.
size_t DecodeMSADPCM(const TMSADPCMFormat& format, std::span<const uint8_t> block,
                     std::vector<int16_t>& out);

}  // namespace orvanta
