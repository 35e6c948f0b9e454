#include "media/bmp_reader.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

#include "platform/errors.h"
#include "platform/stream.h"

namespace orvanta {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
// The largest info header (BITMAPV5HEADER), room for four masks after a plain info header, and
// a full palette.
constexpr size_t kHeadBytes = kFileHeaderSize + 124 + 16 + 256 * 4;

uint16_t LE16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

uint32_t LE32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

[[noreturn]] void Fail(const std::string& what) {
  throw FormatError("BMP file: " + what);
}

// A channel of a packed pixel scaled to 8 bits. The channel's width runs from the lowest to the
// highest set bit of its mask.
uint8_t Channel(uint32_t value, uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = 32 - std::countl_zero(mask) - shift;
  const uint32_t v = (value & mask) >> shift;
  if (bits >= 8) return static_cast<uint8_t>(v >> (bits - 8));
  const uint32_t max = (1u << bits) - 1;
  return static_cast<uint8_t>((v * 255 + max / 2) / max);
}

}  // namespace

void TBMPReader::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, TFileStream::Mode::Read);
  LoadFromStream(stream);
}

void TBMPReader::ReadHeaders(const std::vector<uint8_t>& head, uint64_t available,
                             uint32_t& offBits, uint32_t& fileSize) {
  if (available < kFileHeaderSize + 12) Fail("too short");
  if (head[0] != 'B' || head[1] != 'M') Fail("no \"BM\" signature");
  fileSize = LE32(head, 2);
  offBits = LE32(head, 10);
  Header = TInfoHeader();
  Palette.fill({});
  RedMask = GreenMask = BlueMask = AlphaMask = 0;
  transparentIndex_ = -1;
  paletteCount_ = 0;

  const uint32_t size = LE32(head, 14);
  uint32_t paletteAt = kFileHeaderSize + size;
  uint32_t entrySize = 4;
  if (size == 12) {
    // Core header: 16-bit fields and palette triples.
    Header.biWidth = LE16(head, 18);
    Header.biHeight = LE16(head, 20);
    Header.biPlanes = LE16(head, 22);
    Header.biBitCount = LE16(head, 24);
    entrySize = 3;
  } else if (size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124) {
    if (available < kFileHeaderSize + size) Fail("the info header is cut short");
    Header.biWidth = static_cast<int32_t>(LE32(head, 18));
    Header.biHeight = static_cast<int32_t>(LE32(head, 22));
    Header.biPlanes = LE16(head, 26);
    Header.biBitCount = LE16(head, 28);
    Header.biCompression = LE32(head, 30);
    Header.biSizeImage = LE32(head, 34);
    Header.biXPelsPerMeter = static_cast<int32_t>(LE32(head, 38));
    Header.biYPelsPerMeter = static_cast<int32_t>(LE32(head, 42));
    Header.biClrUsed = LE32(head, 46);
    Header.biClrImportant = LE32(head, 50);
    // OS/2 uses these two codes for Huffman and RLE24 coding.
    if (size == 64 && Header.biCompression >= 3) Fail("OS/2 compression is not supported");
  } else {
    Fail("unsupported info header size " + std::to_string(size));
  }
  Header.biSize = size;

  const int bits = Header.biBitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    Fail("unsupported bit depth " + std::to_string(bits));
  const uint32_t compression = Header.biCompression;
  const bool bitFields =
      compression == kCompressionBitFields || compression == kCompressionAlphaBitFields;
  if (!(compression == kCompressionRGB || (compression == kCompressionRLE8 && bits == 8) ||
        (compression == kCompressionRLE4 && bits == 4) ||
        (bitFields && (bits == 16 || bits == 32))))
    Fail("unsupported compression " + std::to_string(compression) + " at " + std::to_string(bits) +
         " bits");
  if (Header.biWidth <= 0 || Header.biHeight == 0) Fail("empty picture");
  const uint64_t rows = static_cast<uint64_t>(std::abs(int64_t{Header.biHeight}));
  if (uint64_t(Header.biWidth) * rows > MaxPixels)
    Fail(std::to_string(Header.biWidth) + " x " + std::to_string(rows) + " pixels is too large");

  if (bits == 16 || bits == 32) {
    if (bitFields) {
      // After a plain info header the masks follow it; larger headers hold them at the same place.
      RedMask = LE32(head, 54);
      GreenMask = LE32(head, 58);
      BlueMask = LE32(head, 62);
      if (compression == kCompressionAlphaBitFields || size >= 56) AlphaMask = LE32(head, 66);
      if (size == 40) paletteAt += compression == kCompressionAlphaBitFields ? 16 : 12;
    } else if (size >= 56) {
      AlphaMask = LE32(head, 66);
    }
    if (!bitFields || (RedMask | GreenMask | BlueMask) == 0) {
      RedMask = bits == 16 ? 0x7C00 : 0xFF0000;
      GreenMask = bits == 16 ? 0x03E0 : 0xFF00;
      BlueMask = bits == 16 ? 0x001F : 0xFF;
    }
    if (bits == 16) AlphaMask &= 0xFFFF;
    AlphaMask &= ~(RedMask | GreenMask | BlueMask);
  }

  if (bits <= 8) {
    uint32_t count = size == 12 || Header.biClrUsed == 0 ? 1u << bits : Header.biClrUsed;
    count = std::min<uint32_t>(count, 256);
    // Entries the pixel data would overlap are not palette entries.
    if (offBits > paletteAt) count = std::min(count, (offBits - paletteAt) / entrySize);
    const uint64_t present = std::min<uint64_t>(available, head.size());
    count = present > paletteAt
                ? std::min(count, static_cast<uint32_t>((present - paletteAt) / entrySize))
                : 0;
    for (uint32_t i = 0; i < count; ++i) {
      const size_t at = paletteAt + size_t{i} * entrySize;
      Palette[i].Blue = head[at];
      Palette[i].Green = head[at + 1];
      Palette[i].Red = head[at + 2];
      Palette[i].Alpha = entrySize == 4 ? head[at + 3] : 0;
    }
    paletteCount_ = count;
    AnalysePaletteAlpha();
  }
  if (offBits == 0) offBits = paletteAt + (bits <= 8 ? paletteCount_ * entrySize : 0);
}

// The fourth byte of a palette entry is padding in most files. It counts as alpha only when the
// palette mixes fully transparent and fully opaque entries.
void TBMPReader::AnalysePaletteAlpha() {
  if (Header.biBitCount < 8) {
    for (uint32_t i = 0; i < (1u << Header.biBitCount); ++i) Palette[i].Alpha = 255;
    return;
  }
  const uint32_t examined = Header.biClrUsed == 0 ? 256 : std::min<uint32_t>(Header.biClrUsed, 256);
  bool anyZero = false, anyFull = false;
  for (uint32_t i = 0; i < examined; ++i) {
    anyZero |= Palette[i].Alpha == 0;
    anyFull |= Palette[i].Alpha == 255;
  }
  if (anyZero && !anyFull) {
    for (auto& entry : Palette) entry.Alpha = 255;
  } else if (anyZero) {
    for (int i = 0; i < 256; ++i)
      if (Palette[i].Alpha == 0) {
        transparentIndex_ = i;
        break;
      }
  }
}

void TBMPReader::LoadFromStream(TStream& stream) {
  const uint64_t start = stream.Position();
  const uint64_t available = stream.Remaining();
  std::vector<uint8_t> head(kHeadBytes, 0);
  stream.ReadBuffer(head.data(), static_cast<size_t>(std::min<uint64_t>(available, kHeadBytes)));

  uint32_t offBits = 0, fileSize = 0;
  ReadHeaders(head, available, offBits, fileSize);
  SetupDIB();

  if (offBits > available) Fail("the pixel data lies past the end of the file");
  stream.SetPosition(start + offBits);
  const uint64_t rest = available - offBits;
  if (Header.biCompression == kCompressionRLE8 || Header.biCompression == kCompressionRLE4) {
    uint64_t count = fileSize > offBits && fileSize <= available ? fileSize - offBits : rest;
    std::vector<uint8_t> data(static_cast<size_t>(count));
    stream.ReadBuffer(data.data(), data.size());
    DecodeRLE(data);
  } else {
    // A file cut short keeps its missing rows zero.
    stream.ReadBuffer(pixels_.data(),
                      static_cast<size_t>(std::min<uint64_t>(pixels_.size(), rest)));
  }
}

void TBMPReader::SetupDIB() {
  const uint64_t width = static_cast<uint64_t>(std::max(Header.biWidth, 0));
  const uint64_t rows = static_cast<uint64_t>(std::abs(int64_t{Header.biHeight}));
  const uint64_t stride = (width * Header.biBitCount + 31) / 32 * 4;
  if (stride * rows > (uint64_t{1} << 32)) Fail("picture too large");
  rows_ = static_cast<uint32_t>(rows);
  rowStride_ = static_cast<uint32_t>(stride);
  pixels_.assign(size_t{rowStride_} * rows_, 0);
}

void TBMPReader::DecodeRLE(const std::vector<uint8_t>& data) {
  const bool four = Header.biCompression == kCompressionRLE4;
  const uint64_t width = static_cast<uint64_t>(Header.biWidth);
  uint64_t x = 0, y = 0;
  auto put = [&](uint8_t index) {
    if (x < width && y < rows_) {
      uint8_t* row = RowTable(static_cast<uint32_t>(y));
      if (four) {
        uint8_t& b = row[x / 2];
        b = x % 2 == 0 ? static_cast<uint8_t>((b & 0x0F) | index << 4)
                       : static_cast<uint8_t>((b & 0xF0) | (index & 0x0F));
      } else {
        row[x] = index;
      }
    }
    ++x;
  };
  const size_t n = data.size();
  size_t i = 0;
  while (i + 1 < n && y < rows_) {
    const uint8_t count = data[i++];
    const uint8_t value = data[i++];
    if (count > 0) {
      // A run: one index, or two alternating nibbles.
      for (int k = 0; k < count && x < width; ++k)
        put(four ? (k % 2 == 0 ? value >> 4 : value & 0x0F) : value);
    } else if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (i + 1 >= n) break;
      x += data[i++];
      y += data[i++];
    } else {
      // An absolute run, padded to a 16-bit boundary.
      const size_t bytes = four ? (value + 1u) / 2 : value;
      for (int k = 0; k < value; ++k) {
        const size_t at = i + (four ? k / 2 : k);
        if (at >= n) break;
        put(four ? (k % 2 == 0 ? data[at] >> 4 : data[at] & 0x0F) : data[at]);
      }
      i += bytes + (bytes & 1);
    }
  }
}

uint8_t TBMPReader::IndexAt(const uint8_t* row, uint32_t x, int bits) {
  switch (bits) {
    case 1:
      return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4:
      return x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
    default:
      return row[x];
  }
}

uint32_t TBMPReader::ValueAt(const uint8_t* row, uint32_t x) const {
  if (Header.biBitCount == 16) return row[x * 2] | row[x * 2 + 1] << 8;
  const uint8_t* p = row + size_t{x} * 4;
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint32_t TBMPReader::PixelAlphaMask() const {
  if (Header.biBitCount != 32) return AlphaMask;
  if (AlphaMask) return AlphaMask;
  return ~(RedMask | GreenMask | BlueMask);
}

uint32_t TBMPReader::PixelColor(uint32_t x, uint32_t y) const {
  const uint8_t* row = PictureRow(y);
  const int bits = Header.biBitCount;
  if (bits <= 8) {
    const TPaletteEntry& e = Palette[IndexAt(row, x, bits)];
    return e.Red | e.Green << 8 | e.Blue << 16 | static_cast<uint32_t>(e.Alpha) << 24;
  }
  if (bits == 24) {
    const uint8_t* p = row + size_t{x} * 3;
    return p[2] | p[1] << 8 | p[0] << 16 | 0xFF000000u;
  }
  const uint32_t v = ValueAt(row, x);
  const uint32_t alphaMask = PixelAlphaMask();
  const uint32_t alpha = alphaMask ? Channel(v, alphaMask) : 255;
  return Channel(v, RedMask) | Channel(v, GreenMask) << 8 | Channel(v, BlueMask) << 16 |
         alpha << 24;
}

bool TBMPReader::AlphaChannelUsed() const {
  const uint32_t mask = PixelAlphaMask();
  if (Header.biBitCount != 32 || mask == 0) return false;
  for (uint32_t y = 0; y < rows_; ++y) {
    const uint8_t* row = RowTable(y);
    for (uint32_t x = 0; x < static_cast<uint32_t>(Header.biWidth); ++x)
      if (ValueAt(row, x) & mask) return true;
  }
  return false;
}

void TBMPReader::SetPixelAlpha(uint32_t x, uint32_t y, uint8_t alpha) {
  const uint32_t mask = PixelAlphaMask();
  if (Header.biBitCount != 32 || mask == 0 || x >= uint32_t(Header.biWidth) || y >= rows_) return;
  const int shift = std::countr_zero(mask);
  const int bits = 32 - std::countl_zero(mask) - shift;
  const uint64_t max = (uint64_t{1} << bits) - 1;
  const uint32_t scaled = static_cast<uint32_t>((alpha * max + 127) / 255);
  uint8_t* p = PictureRow(y) + size_t{x} * 4;
  uint32_t v = ValueAt(PictureRow(y), x);
  v = (v & ~mask) | ((scaled << shift) & mask);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

void TBMPReader::FillAlpha(uint8_t value) {
  if (Header.biBitCount != 32) return;
  for (uint32_t y = 0; y < rows_; ++y)
    for (uint32_t x = 0; x < static_cast<uint32_t>(Header.biWidth); ++x) SetPixelAlpha(x, y, value);
}

int TBMPReader::CompactPalette(const std::array<bool, 256>& used) {
  std::array<uint8_t, 256> newIndex{};
  int count = 0;
  for (int i = 0; i < 256; ++i) {
    if (!used[i]) continue;
    newIndex[i] = static_cast<uint8_t>(count);
    Palette[count++] = Palette[i];
  }
  for (int i = count; i < 256; ++i) Palette[i] = {};
  const int bits = Header.biBitCount;
  const uint32_t width = static_cast<uint32_t>(Header.biWidth);
  for (uint32_t y = 0; y < rows_; ++y) {
    uint8_t* row = RowTable(y);
    for (uint32_t x = 0; x < width; ++x) {
      const uint8_t index = newIndex[IndexAt(row, x, bits)];
      if (bits == 8) {
        row[x] = index;
      } else {
        uint8_t& b = row[x / 2];
        b = x % 2 == 0 ? static_cast<uint8_t>((b & 0x0F) | index << 4)
                       : static_cast<uint8_t>((b & 0xF0) | index);
      }
    }
  }
  if (transparentIndex_ >= 0) {
    transparentIndex_ = -1;
    for (int i = 0; i < count; ++i)
      if (Palette[i].Alpha == 0) {
        transparentIndex_ = i;
        break;
      }
  }
  return count;
}

int TBMPReader::CountColors() {
  const int bits = Header.biBitCount;
  const uint32_t width = static_cast<uint32_t>(std::max(Header.biWidth, 0));
  if (bits <= 8) {
    std::array<bool, 256> used{};
    for (uint32_t y = 0; y < rows_; ++y) {
      const uint8_t* row = RowTable(y);
      for (uint32_t x = 0; x < width; ++x) used[IndexAt(row, x, bits)] = true;
    }
    const int distinct = static_cast<int>(std::count(used.begin(), used.end(), true));
    if (bits == 1) return used[1] ? 2 : 1;
    if (distinct == (1 << bits)) return distinct;
    // A lone index 1 keeps its entry where it is, behind entry 0.
    if (bits == 8 && distinct == 1 && used[1]) return 2;
    return CompactPalette(used);
  }
  std::vector<bool> seen(bits == 16 ? 1u << 16 : 1u << 24);
  int distinct = 0;
  for (uint32_t y = 0; y < rows_; ++y) {
    const uint8_t* row = RowTable(y);
    for (uint32_t x = 0; x < width; ++x) {
      uint32_t key;
      if (bits == 16) {
        key = ValueAt(row, x);
      } else if (bits == 24) {
        key = row[x * 3] | row[x * 3 + 1] << 8 | row[x * 3 + 2] << 16;
      } else {
        const uint32_t v = ValueAt(row, x);
        key = Channel(v, RedMask) | Channel(v, GreenMask) << 8 | Channel(v, BlueMask) << 16;
      }
      if (!seen[key]) {
        seen[key] = true;
        ++distinct;
      }
    }
  }
  return distinct;
}

void TBMPReader::AssignBitmap(const TBMPReader& other) {
  Header = other.Header;
  Palette = other.Palette;
  RedMask = other.RedMask;
  GreenMask = other.GreenMask;
  BlueMask = other.BlueMask;
  AlphaMask = other.AlphaMask;
  MaxPixels = other.MaxPixels;
  rows_ = other.rows_;
  rowStride_ = other.rowStride_;
  paletteCount_ = other.paletteCount_;
  transparentIndex_ = other.transparentIndex_;
  pixels_ = other.pixels_;
}

}  // namespace orvanta
