#pragma once

// Picture files made by the tests themselves: BMP files written field by field from the format's
// description, JPEG, PNG and GIF files through the codecs; and helpers to look into what the
// bitmap tags carry.

#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "media/picture_codecs.h"

namespace orvanta::test {

using PictureBytes = std::vector<uint8_t>;
// A palette entry as a BMP file stores it: blue, green, red, reserved (alpha).
using BGRA = std::array<uint8_t, 4>;

inline void PutLE32(PictureBytes& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline void PutLE16(PictureBytes& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

struct BmpOptions {
  bool topDown = false;
  // 12 (core header), 40 (info header) or 124 (version 5 header).
  uint32_t headerSize = 40;
  uint32_t compression = 0;
  // Red, green, blue and alpha masks: after a 40-byte header with bit fields, inside a larger one.
  std::array<uint32_t, 4> masks{};
  uint32_t clrUsed = 0;
  // Stored instead of the packed pixel values (RLE data).
  PictureBytes data;
  bool hasData = false;
};

// A BMP file. values holds one entry per pixel, top row first: a palette index for 1, 4 and 8
// bits, the stored 16- or 32-bit value, or 0xRRGGBB for 24 bits.
inline PictureBytes BmpFile(int bits, uint32_t width, uint32_t height,
                            const std::vector<BGRA>& palette, const std::vector<uint32_t>& values,
                            const BmpOptions& o = {}) {
  const uint32_t stride = (width * bits + 31) / 32 * 4;
  PictureBytes pixels;
  if (o.hasData) {
    pixels = o.data;
  } else {
    pixels.assign(size_t{stride} * height, 0);
    for (uint32_t y = 0; y < height; ++y) {
      const uint32_t fileRow = o.topDown ? y : height - 1 - y;
      uint8_t* row = pixels.data() + size_t{fileRow} * stride;
      for (uint32_t x = 0; x < width; ++x) {
        const uint32_t v = values.at(size_t{y} * width + x);
        switch (bits) {
          case 1:
            row[x / 8] |= static_cast<uint8_t>((v & 1) << (7 - x % 8));
            break;
          case 4:
            row[x / 2] |= static_cast<uint8_t>(x % 2 ? v & 15 : (v & 15) << 4);
            break;
          case 8:
            row[x] = static_cast<uint8_t>(v);
            break;
          case 16:
            row[x * 2] = static_cast<uint8_t>(v);
            row[x * 2 + 1] = static_cast<uint8_t>(v >> 8);
            break;
          case 24:
            row[x * 3] = static_cast<uint8_t>(v);
            row[x * 3 + 1] = static_cast<uint8_t>(v >> 8);
            row[x * 3 + 2] = static_cast<uint8_t>(v >> 16);
            break;
          default:
            for (int i = 0; i < 4; ++i) row[x * 4 + i] = static_cast<uint8_t>(v >> (8 * i));
        }
      }
    }
  }
  PictureBytes info;
  if (o.headerSize == 12) {
    PutLE32(info, 12);
    PutLE16(info, width);
    PutLE16(info, height);
    PutLE16(info, 1);
    PutLE16(info, static_cast<uint32_t>(bits));
  } else {
    PutLE32(info, o.headerSize);
    PutLE32(info, width);
    PutLE32(info, o.topDown ? static_cast<uint32_t>(-static_cast<int32_t>(height)) : height);
    PutLE16(info, 1);
    PutLE16(info, static_cast<uint32_t>(bits));
    PutLE32(info, o.compression);
    PutLE32(info, static_cast<uint32_t>(pixels.size()));
    PutLE32(info, 2835);
    PutLE32(info, 2835);
    PutLE32(info, o.clrUsed);
    PutLE32(info, 0);
    if (o.headerSize > 40) {
      for (uint32_t m : o.masks) PutLE32(info, m);
      info.resize(o.headerSize, 0);
    } else if (o.compression == 3 || o.compression == 6) {
      for (int i = 0; i < (o.compression == 6 ? 4 : 3); ++i) PutLE32(info, o.masks[i]);
    }
  }
  for (const BGRA& e : palette) {
    info.insert(info.end(), e.begin(), e.begin() + (o.headerSize == 12 ? 3 : 4));
  }
  PictureBytes file{'B', 'M'};
  const uint32_t offBits = 14 + static_cast<uint32_t>(info.size());
  PutLE32(file, offBits + static_cast<uint32_t>(pixels.size()));
  PutLE32(file, 0);
  PutLE32(file, offBits);
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

inline std::vector<uint32_t> Pixels(uint32_t width, uint32_t height,
                                    const std::function<uint32_t(uint32_t, uint32_t)>& value) {
  std::vector<uint32_t> out;
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x) out.push_back(value(x, y));
  return out;
}

// A picture with a colour ramp across and a second one down, so that a flipped or shifted row
// or column shows.
inline TPicture Ramp(uint32_t width, uint32_t height) {
  TPicture p(width, height);
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x) {
      uint8_t* px = p.Pixel(x, y);
      px[0] = static_cast<uint8_t>(x * 255 / std::max(width - 1, 1u));
      px[1] = static_cast<uint8_t>(y * 255 / std::max(height - 1, 1u));
      px[2] = static_cast<uint8_t>(128 + (x + y) % 32);
    }
  return p;
}

inline PictureBytes Inflate(const PictureBytes& data) {
  PictureBytes out(data.size() * 4 + 1024);
  for (;;) {
    uLongf length = out.size();
    int rc = uncompress(out.data(), &length, data.data(), data.size());
    if (rc == Z_OK) {
      out.resize(length);
      return out;
    }
    if (rc != Z_BUF_ERROR) throw std::runtime_error("not zlib data");
    out.resize(out.size() * 4);
  }
}

inline PictureBytes Deflate(const PictureBytes& data) {
  uLongf length = compressBound(data.size());
  PictureBytes out(length);
  compress(out.data(), &length, data.data(), data.size());
  out.resize(length);
  return out;
}

struct WrittenTag {
  uint16_t code;
  bool longHeader;
  PictureBytes body;
};

// Splits written tags apart by their headers.
inline std::vector<WrittenTag> SplitTags(const PictureBytes& bytes) {
  std::vector<WrittenTag> tags;
  for (size_t at = 0; at + 2 <= bytes.size();) {
    const uint16_t word = static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
    uint32_t length = word & 63;
    at += 2;
    const bool isLong = length == 63;
    if (isLong) {
      length = bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
               static_cast<uint32_t>(bytes[at + 3]) << 24;
      at += 4;
    }
    tags.push_back({static_cast<uint16_t>(word >> 6), isLong,
                    PictureBytes(bytes.begin() + at, bytes.begin() + at + length)});
    at += length;
  }
  return tags;
}

inline std::filesystem::path TempPictureDir() {
  return std::filesystem::temp_directory_path() / ("orvanta_images_" + std::to_string(::getpid()));
}

// The files of one test run go when the run ends.
inline struct TempPictureCleanup {
  ~TempPictureCleanup() {
    std::error_code ignored;
    std::filesystem::remove_all(TempPictureDir(), ignored);
  }
} tempPictureCleanup;

inline std::string WritePictureFile(const std::string& name, const PictureBytes& bytes) {
  std::filesystem::create_directories(TempPictureDir());
  const std::string path = (TempPictureDir() / name).string();
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return path;
}

// Mean absolute difference of the colour channels of two pictures of the same size.
inline double MeanError(const TPicture& a, const TPicture& b) {
  double sum = 0;
  size_t n = 0;
  for (size_t i = 0; i < a.Pixels.size(); i += 4)
    for (int c = 0; c < 3; ++c, ++n) sum += std::abs(int{a.Pixels[i + c]} - int{b.Pixels[i + c]});
  return n ? sum / static_cast<double>(n) : 0;
}

}  // namespace orvanta::test
