#pragma once

// Sound files made by the tests themselves: WAVE files written here, MP3 files encoded with the
// lame command-line encoder, and an SWF ADPCM decoder written from the format's description.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "media/adpcm.h"

namespace orvanta::test {

using SoundBytes = std::vector<uint8_t>;

inline void PutLE(SoundBytes& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

inline void PutTag(SoundBytes& out, const char* tag) {
  out.insert(out.end(), tag, tag + 4);
}

inline void PutChunk(SoundBytes& out, const char* tag, const SoundBytes& body,
                     int64_t declared = -1) {
  PutTag(out, tag);
  PutLE(out, declared < 0 ? body.size() : static_cast<uint64_t>(declared), 4);
  out.insert(out.end(), body.begin(), body.end());
  if (body.size() % 2) out.push_back(0);
}

// The 16 bytes every "fmt " chunk starts with.
inline SoundBytes FormatBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                             uint16_t blockAlign) {
  SoundBytes body;
  PutLE(body, tag, 2);
  PutLE(body, channels, 2);
  PutLE(body, rate, 4);
  PutLE(body, uint64_t{rate} * blockAlign, 4);
  PutLE(body, blockAlign, 2);
  PutLE(body, bits, 2);
  return body;
}

// A RIFF WAVE file from its chunks (the RIFF size is filled in).
inline SoundBytes RiffWave(const SoundBytes& chunks) {
  SoundBytes out;
  PutTag(out, "RIFF");
  PutLE(out, chunks.size() + 4, 4);
  PutTag(out, "WAVE");
  out.insert(out.end(), chunks.begin(), chunks.end());
  return out;
}

// PCM samples as WAVE data: unsigned bytes for 8 bits, else little-endian of the given width
// (the 16-bit value in the top bytes).
inline SoundBytes PcmData(const std::vector<int16_t>& samples, int bits) {
  SoundBytes data;
  for (int16_t s : samples) {
    if (bits == 8) {
      data.push_back(static_cast<uint8_t>((s >> 8) + 128));
    } else {
      for (int i = 0; i < bits / 8 - 2; ++i) data.push_back(0);
      PutLE(data, static_cast<uint16_t>(s), 2);
    }
  }
  return data;
}

inline SoundBytes PcmWave(const std::vector<int16_t>& samples, int channels, uint32_t rate,
                          int bits) {
  SoundBytes chunks;
  PutChunk(chunks, "fmt ",
           FormatBody(1, static_cast<uint16_t>(channels), rate, static_cast<uint16_t>(bits),
                      static_cast<uint16_t>(channels * bits / 8)));
  PutChunk(chunks, "data", PcmData(samples, bits));
  return RiffWave(chunks);
}

// A mix of two tones and a slow sweep, interleaved when stereo (the right channel differs).
inline std::vector<int16_t> Music(size_t frames, int channels, uint32_t rate,
                                  double amplitude = 9000) {
  std::vector<int16_t> out;
  out.reserve(frames * channels);
  for (size_t i = 0; i < frames; ++i) {
    double t = double(i) / rate;
    double left = amplitude * (0.7 * std::sin(2 * M_PI * 440 * t) +
                               0.3 * std::sin(2 * M_PI * (200 + 300 * t) * t));
    out.push_back(static_cast<int16_t>(std::lround(left)));
    if (channels == 2)
      out.push_back(static_cast<int16_t>(std::lround(amplitude * std::sin(2 * M_PI * 660 * t))));
  }
  return out;
}

inline std::filesystem::path TempSoundDir() {
  return std::filesystem::temp_directory_path() / ("orvanta_sound_" + std::to_string(::getpid()));
}

// The files of one test run go when the run ends.
inline struct TempSoundCleanup {
  ~TempSoundCleanup() {
    std::error_code ignored;
    std::filesystem::remove_all(TempSoundDir(), ignored);
  }
} tempSoundCleanup;

inline std::string TempSoundPath(const std::string& name) {
  auto dir = TempSoundDir();
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

inline std::string WriteSoundFile(const std::string& name, const SoundBytes& bytes) {
  std::string path = TempSoundPath(name);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return path;
}

inline SoundBytes ReadSoundFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return SoundBytes(std::istreambuf_iterator<char>(in), {});
}

inline bool LameAvailable() {
  return std::system("lame --version > /dev/null 2>&1") == 0;
}

#define REQUIRE_LAME()                                                                       \
  if (!::orvanta::test::LameAvailable())                                                     \
  GTEST_SKIP() << "the lame MP3 encoder is not installed (apt-get install lame); MP3 tests " \
                  "need it to make their files"

// Encodes a WAVE file with lame; returns the MP3's path.
inline std::string EncodeMP3(const std::string& wavePath, const std::string& name,
                             const std::string& options) {
  std::string out = TempSoundPath(name);
  std::string command = "lame --quiet " + options + " '" + wavePath + "' '" + out + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return out;
}

// A plain MS-ADPCM encoder (greedy choice of each code) to make test files with.
inline SoundBytes EncodeMSADPCMBlock(const int16_t* s, size_t frames, int channels, uint8_t pair) {
  static const int kAdapt[16] = {230, 230, 230, 230, 307, 409, 512, 614,
                                 768, 614, 512, 409, 307, 230, 230, 230};
  const auto coefficients = orvanta::StandardMSADPCMCoefficients();
  const int c1 = coefficients[pair][0], c2 = coefficients[pair][1];
  SoundBytes block;
  int delta[2], s1[2], s2[2];
  for (int c = 0; c < channels; ++c) block.push_back(pair);
  for (int c = 0; c < channels; ++c) {
    delta[c] = std::max(16, std::abs(s[channels + c] - s[c]) / 2);
    PutLE(block, static_cast<uint16_t>(delta[c]), 2);
  }
  for (int c = 0; c < channels; ++c)
    PutLE(block, static_cast<uint16_t>(s1[c] = s[channels + c]), 2);
  for (int c = 0; c < channels; ++c) PutLE(block, static_cast<uint16_t>(s2[c] = s[c]), 2);
  std::vector<uint8_t> nibbles;
  for (size_t i = 2; i < frames; ++i) {
    for (int c = 0; c < channels; ++c) {
      int predicted = (s1[c] * c1 + s2[c] * c2) / 256;
      int code = static_cast<int>(std::lround(double(s[i * channels + c] - predicted) / delta[c]));
      code = std::clamp(code, -8, 7);
      int value = std::clamp(predicted + code * delta[c], -32768, 32767);
      s2[c] = s1[c];
      s1[c] = value;
      delta[c] = std::max(16, kAdapt[code & 15] * delta[c] / 256);
      nibbles.push_back(static_cast<uint8_t>(code & 15));
    }
  }
  for (size_t i = 0; i < nibbles.size(); i += 2)
    block.push_back(
        static_cast<uint8_t>(nibbles[i] << 4 | (i + 1 < nibbles.size() ? nibbles[i + 1] : 0)));
  return block;
}

inline SoundBytes MSADPCMWave(const std::vector<int16_t>& samples, int channels, uint32_t rate,
                              uint16_t blockAlign, bool listCoefficients) {
  const size_t perBlock = 2 + (blockAlign - 7u * channels) * 2 / channels;
  SoundBytes format = FormatBody(2, static_cast<uint16_t>(channels), rate, 4, blockAlign);
  PutLE(format, listCoefficients ? 32 : 4, 2);
  PutLE(format, perBlock, 2);
  PutLE(format, listCoefficients ? 7 : 0, 2);
  if (listCoefficients)
    for (auto [a, b] : orvanta::StandardMSADPCMCoefficients()) {
      PutLE(format, static_cast<uint16_t>(a), 2);
      PutLE(format, static_cast<uint16_t>(b), 2);
    }
  SoundBytes data;
  const size_t frames = samples.size() / channels;
  for (size_t at = 0, n = 0; at < frames; at += perBlock, ++n) {
    size_t count = std::min(perBlock, frames - at);
    SoundBytes block = EncodeMSADPCMBlock(samples.data() + at * channels, count, channels,
                                          static_cast<uint8_t>(n % 2));
    data.insert(data.end(), block.begin(), block.end());
  }
  SoundBytes chunks;
  PutChunk(chunks, "fmt ", format);
  PutChunk(chunks, "data", data);
  return RiffWave(chunks);
}

// SWF ADPCM decoding, from the format's description: a 2-bit code size, then packets of 4096
// samples per channel, each channel starting with a verbatim 16-bit sample and a 6-bit index.
inline std::vector<int16_t> DecodeSWFADPCM(const SoundBytes& data, int channels, size_t frames) {
  static const int kSteps[89] = {
      7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,   21,    23,
      25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,   73,    80,
      88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,  253,   279,
      307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,  876,   963,
      1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749, 3024,  3327,
      3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493, 10442, 11487,
      12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
  static const std::vector<std::vector<int>> kIndexMoves = {
      {-1, 2},
      {-1, -1, 2, 4},
      {-1, -1, -1, -1, 2, 4, 6, 8},
      {-1, -1, -1, -1, -1, -1, -1, -1, 1, 2, 4, 6, 8, 10, 13, 16}};
  size_t bitPos = 0;
  auto read = [&](int n) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i, ++bitPos) {
      size_t byte = bitPos / 8;
      if (byte >= data.size()) throw std::runtime_error("ADPCM data ends early");
      v = (v << 1) | ((data[byte] >> (7 - bitPos % 8)) & 1);
    }
    return v;
  };
  const int bits = static_cast<int>(read(2)) + 2;
  const auto& moves = kIndexMoves[bits - 2];
  std::vector<int16_t> out;
  int predictor[2] = {0, 0}, index[2] = {0, 0};
  for (size_t frame = 0; frame < frames; ++frame) {
    for (int c = 0; c < channels; ++c) {
      if (frame % 4096 == 0) {
        predictor[c] = static_cast<int16_t>(read(16));
        index[c] = static_cast<int>(read(6));
      } else {
        uint32_t code = read(bits);
        uint32_t sign = 1u << (bits - 1);
        int step = kSteps[index[c]];
        int diff = 0;
        for (uint32_t k = sign >> 1; k; k >>= 1) {
          if (code & k) diff += step;
          step >>= 1;
        }
        diff += step;
        predictor[c] += (code & sign) ? -diff : diff;
        predictor[c] = std::max(-32768, std::min(32767, predictor[c]));
        index[c] = std::max(0, std::min(88, index[c] + moves[code & (sign - 1)]));
      }
      out.push_back(static_cast<int16_t>(predictor[c]));
    }
  }
  return out;
}

// Signal-to-noise ratio in decibels of a decoded signal against its source.
inline double SnrDecibels(const std::vector<int16_t>& source, const std::vector<int16_t>& decoded) {
  double signal = 0, noise = 0;
  for (size_t i = 0; i < source.size() && i < decoded.size(); ++i) {
    signal += double(source[i]) * source[i];
    double e = double(source[i]) - decoded[i];
    noise += e * e;
  }
  return noise == 0 ? 200 : 10 * std::log10(signal / noise);
}

}  // namespace orvanta::test
