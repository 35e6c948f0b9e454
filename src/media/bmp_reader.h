#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvanta {

class TStream;

// A device-independent bitmap read from a BMP file and kept uncompressed in memory: rows in file
// order (the first stored row is the bottom row of an ordinary bottom-up file), each RowStride
// bytes, pixels as the file stores them (palette indices, 16-, 24- or 32-bit values).
class TBMPReader {
 public:
  // BITMAPINFOHEADER, as read (a core header is widened into it).
  struct TInfoHeader {
    uint32_t biSize = 40;
    int32_t biWidth = 0;
    int32_t biHeight = 0;  // negative for a top-down file
    uint16_t biPlanes = 1;
    uint16_t biBitCount = 0;
    uint32_t biCompression = 0;
    uint32_t biSizeImage = 0;
    int32_t biXPelsPerMeter = 0;
    int32_t biYPelsPerMeter = 0;
    uint32_t biClrUsed = 0;
    uint32_t biClrImportant = 0;
  };
  struct TPaletteEntry {
    uint8_t Blue = 0, Green = 0, Red = 0, Alpha = 0;
  };

  static constexpr uint32_t kCompressionRGB = 0;
  static constexpr uint32_t kCompressionRLE8 = 1;
  static constexpr uint32_t kCompressionRLE4 = 2;
  static constexpr uint32_t kCompressionBitFields = 3;
  static constexpr uint32_t kCompressionAlphaBitFields = 6;

  TInfoHeader Header;
  std::array<TPaletteEntry, 256> Palette{};
  // Channel masks of 16- and 32-bit pictures. AlphaMask is non-zero only when the file declares
  // an alpha channel.
  uint32_t RedMask = 0, GreenMask = 0, BlueMask = 0, AlphaMask = 0;
  // Files with more pixels are refused before anything is allocated.
  uint64_t MaxPixels = uint64_t{64} << 20;

  // FileError when the file cannot be opened; FormatError when it is not a BMP file this reader
  // understands (1, 4, 8, 16, 24 or 32 bits; uncompressed, RLE8, RLE4 or bit fields).
  void LoadFromFile(const std::string& fileName);
  // Reads a BMP file that starts at the stream's position.
  void LoadFromStream(TStream& stream);
  // Sizes the pixel memory from Header (all zero).
  void SetupDIB();
  // The number of colours the picture uses. For 4- and 8-bit pictures the palette is compacted
  // on the way: unused entries go, used ones keep their order, and every pixel (and
  // TransparentIndex) follows its entry. A 1-bit picture counts 1 only when every pixel is 0.
  int CountColors();
  // 32-bit pictures: the alpha bits of every pixel.
  void FillAlpha(uint8_t value);
  void AssignBitmap(const TBMPReader& other);

  int BitsPerPixel() const { return Header.biBitCount; }
  int32_t Width() const { return Header.biWidth; }
  // As stored: negative for a top-down file.
  int32_t Height() const { return Header.biHeight; }
  uint32_t Rows() const { return rows_; }
  bool TopDown() const { return Header.biHeight < 0; }
  uint32_t Compression() const { return Header.biCompression; }
  uint32_t RowStride() const { return rowStride_; }
  size_t ImageSize() const { return pixels_.size(); }
  int TransparentIndex() const { return transparentIndex_; }
  bool Empty() const { return pixels_.empty(); }

  // Row i in file order.
  uint8_t* RowTable(uint32_t i) { return pixels_.data() + size_t{i} * rowStride_; }
  const uint8_t* RowTable(uint32_t i) const { return pixels_.data() + size_t{i} * rowStride_; }
  // Row y counted from the top of the picture.
  uint8_t* PictureRow(uint32_t y) { return RowTable(TopDown() ? y : rows_ - 1 - y); }
  const uint8_t* PictureRow(uint32_t y) const { return RowTable(TopDown() ? y : rows_ - 1 - y); }

  // Palette index of pixel x in a row of a 1-, 4- or 8-bit picture.
  static uint8_t IndexAt(const uint8_t* row, uint32_t x, int bits);
  // The stored value of pixel x in a row of a 16- or 32-bit picture.
  uint32_t ValueAt(const uint8_t* row, uint32_t x) const;
  // Packed colour (red in the low byte, alpha in the top byte) of pixel (x, y), y from the top.
  // Pixels without an alpha channel are opaque; the alpha of a 32-bit pixel comes from its
  // alpha bits (see PixelAlphaMask).
  uint32_t PixelColor(uint32_t x, uint32_t y) const;
  // 32-bit pictures: the bits that hold alpha: the declared mask, else the byte no colour mask
  // uses (the top byte of an ordinary file, which most writers leave 0).
  uint32_t PixelAlphaMask() const;
  // 32-bit pictures: some pixel has non-zero alpha bits.
  bool AlphaChannelUsed() const;
  void SetPixelAlpha(uint32_t x, uint32_t y, uint8_t alpha);

 private:
  void ReadHeaders(const std::vector<uint8_t>& head, uint64_t available, uint32_t& offBits,
                   uint32_t& fileSize);
  void AnalysePaletteAlpha();
  void DecodeRLE(const std::vector<uint8_t>& data);
  // Drops unused palette entries; used marks the indices in use.
  int CompactPalette(const std::array<bool, 256>& used);

  uint32_t rows_ = 0;
  uint32_t rowStride_ = 0;
  // Palette entries the file holds.
  uint32_t paletteCount_ = 0;
  int transparentIndex_ = -1;
  std::vector<uint8_t> pixels_;
};

}  // namespace orvanta
