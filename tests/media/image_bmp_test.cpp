#include "media/bmp_reader.h"

#include <gtest/gtest.h>

#include "media/image_test_util.h"
#include "platform/errors.h"
#include "platform/stream.h"

namespace orvanta {
namespace {

using test::BGRA;
using test::BmpFile;
using test::BmpOptions;
using test::PictureBytes;
using test::Pixels;

TBMPReader Read(const PictureBytes& file) {
  TBMPReader bmp;
  TMemoryStream stream(file);
  bmp.LoadFromStream(stream);
  return bmp;
}

const std::vector<BGRA> kPalette16 = [] {
  std::vector<BGRA> p;
  for (int i = 0; i < 16; ++i)
    p.push_back({uint8_t(i * 16), uint8_t(255 - i * 16), uint8_t(i * 8 + 1), 0});
  return p;
}();

uint32_t Packed(const BGRA& e) {
  return e[2] | e[1] << 8 | e[0] << 16 | 0xFF000000u;
}

TEST(BMPReader, EveryDepthBottomUpAndTopDown) {
  const uint32_t w = 13, h = 5;  // odd sizes: rows need padding at every depth
  auto index = [](uint32_t x, uint32_t y) { return (x * 3 + y * 5) % 16; };
  for (int bits : {1, 4, 8}) {
    const uint32_t mask = bits == 1 ? 1 : 15;
    for (bool topDown : {false, true}) {
      BmpOptions o;
      o.topDown = topDown;
      TBMPReader bmp = Read(
          BmpFile(bits, w, h, kPalette16,
                  Pixels(w, h, [&](uint32_t x, uint32_t y) { return index(x, y) & mask; }), o));
      EXPECT_EQ(bmp.BitsPerPixel(), bits);
      EXPECT_EQ(bmp.Rows(), h);
      EXPECT_EQ(bmp.TopDown(), topDown);
      EXPECT_EQ(bmp.RowStride(), (w * bits + 31) / 32 * 4);
      for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x)
          ASSERT_EQ(bmp.PixelColor(x, y), Packed(kPalette16[index(x, y) & mask]))
              << bits << " bits at " << x << "," << y << (topDown ? " top-down" : "");
    }
  }

  // 24 and 32 bits: blue, green, red in the file.
  auto rgb = [](uint32_t x, uint32_t y) { return (x * 19) << 16 | (y * 40) << 8 | (x + y); };
  for (bool topDown : {false, true}) {
    BmpOptions o;
    o.topDown = topDown;
    TBMPReader b24 = Read(BmpFile(24, w, h, {}, Pixels(w, h, rgb), o));
    TBMPReader b32 = Read(BmpFile(32, w, h, {}, Pixels(w, h, rgb), o));
    for (uint32_t y = 0; y < h; ++y)
      for (uint32_t x = 0; x < w; ++x) {
        const uint32_t v = rgb(x, y);
        const uint32_t expected = (v >> 16) | (v & 0xFF00) | (v & 0xFF) << 16;
        ASSERT_EQ(b24.PixelColor(x, y), expected | 0xFF000000u);
        // The fourth byte is the alpha of a 32-bit pixel: 0 here.
        ASSERT_EQ(b32.PixelColor(x, y), expected);
      }
    EXPECT_FALSE(b32.AlphaChannelUsed());
  }
}

TEST(BMPReader, SixteenBitLayoutsFromTheirMasks) {
  // 5-5-5 without masks; 5-6-5 with bit fields after a plain header and inside a V5 header.
  const uint16_t white555 = 0x7FFF, red555 = 0x7C00, green565 = 0x07E0, blue = 0x001F;
  TBMPReader plain = Read(BmpFile(16, 3, 1, {}, {white555, red555, blue}));
  EXPECT_EQ(plain.PixelColor(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(plain.PixelColor(1, 0), 0xFF0000FFu);
  EXPECT_EQ(plain.PixelColor(2, 0), 0xFFFF0000u);

  for (uint32_t header : {40u, 124u}) {
    BmpOptions o;
    o.headerSize = header;
    o.compression = 3;
    o.masks = {0xF800, 0x07E0, 0x001F, 0};
    TBMPReader bmp = Read(BmpFile(16, 3, 1, {}, {0xFFFF, green565, 0x8000 | blue}, o));
    EXPECT_EQ(bmp.RedMask, 0xF800u);
    EXPECT_EQ(bmp.PixelColor(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(bmp.PixelColor(1, 0), 0xFF00FF00u);
    EXPECT_EQ(bmp.PixelColor(2, 0), 0xFFFF0084u);
  }
}

TEST(BMPReader, ThirtyTwoBitMasksAndAlpha) {
  // A V5 header declaring alpha, with the channels in an unusual order.
  BmpOptions o;
  o.headerSize = 124;
  o.compression = 3;
  o.masks = {0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF};
  TBMPReader bmp = Read(BmpFile(32, 2, 1, {}, {0x11223380, 0xAABBCC00}, o));
  EXPECT_EQ(bmp.PixelColor(0, 0), 0x80112233u);
  EXPECT_EQ(bmp.PixelColor(1, 0), 0x00AABBCCu);
  EXPECT_TRUE(bmp.AlphaChannelUsed());
  bmp.SetPixelAlpha(1, 0, 0x40);
  EXPECT_EQ(bmp.PixelColor(1, 0), 0x40AABBCCu);

  TBMPReader plain = Read(BmpFile(32, 2, 2, {}, {1, 2, 3, 4}));
  plain.FillAlpha(200);
  EXPECT_EQ(plain.PixelColor(1, 1) >> 24, 200u);
  EXPECT_EQ(plain.PixelColor(1, 1) & 0xFFFFFF, 0x040000u);
  EXPECT_TRUE(plain.AlphaChannelUsed());
}

TEST(BMPReader, CoreHeaderAndLargerHeadersPlaceThePalette) {
  const std::vector<BGRA> palette = {{10, 20, 30, 0}, {40, 50, 60, 0}};
  BmpOptions core;
  core.headerSize = 12;
  TBMPReader a = Read(
      BmpFile(1, 9, 2, palette, Pixels(9, 2, [](uint32_t x, uint32_t) { return x % 2; }), core));
  EXPECT_EQ(a.Header.biSize, 12u);
  EXPECT_EQ(a.PixelColor(0, 0), 0xFF0A141Eu);
  EXPECT_EQ(a.PixelColor(8, 1), 0xFF0A141Eu);
  EXPECT_EQ(a.PixelColor(7, 1), 0xFF28323Cu);

  BmpOptions v5;
  v5.headerSize = 124;
  v5.clrUsed = 2;
  TBMPReader b = Read(BmpFile(8, 3, 1, palette, {1, 0, 1}, v5));
  EXPECT_EQ(b.PixelColor(0, 0), 0xFF28323Cu);
  EXPECT_EQ(b.PixelColor(1, 0), 0xFF0A141Eu);
}

TEST(BMPReader, PaletteAlphaCountsOnlyWhenItMixesZeroAndFull) {
  std::vector<BGRA> palette(4, BGRA{1, 2, 3, 0});
  BmpOptions o;
  o.clrUsed = 4;
  // All zero: padding, every entry opaque.
  TBMPReader padding = Read(BmpFile(8, 2, 1, palette, {0, 3}, o));
  EXPECT_EQ(padding.TransparentIndex(), -1);
  EXPECT_EQ(padding.PixelColor(1, 0) >> 24, 255u);

  palette[0][3] = 255;
  palette[1][3] = 255;
  palette[3][3] = 255;  // entry 2 is the first with alpha 0
  TBMPReader mixed = Read(BmpFile(8, 2, 1, palette, {0, 2}, o));
  EXPECT_EQ(mixed.TransparentIndex(), 2);
  EXPECT_EQ(mixed.PixelColor(1, 0) >> 24, 0u);

  // Below 8 bits the fourth byte never counts.
  TBMPReader four = Read(BmpFile(4, 2, 1, palette, {2, 1}));
  EXPECT_EQ(four.TransparentIndex(), -1);
  EXPECT_EQ(four.PixelColor(0, 0) >> 24, 255u);
}

TEST(BMPReader, RunLengthEncodedPictures) {
  std::vector<BGRA> palette;
  for (int i = 0; i < 16; ++i) palette.push_back({uint8_t(i), uint8_t(i), uint8_t(i), 0});
  // RLE8, 6 x 3, bottom row first: a run clipped at the row end, an odd absolute run with its pad
  // byte, a delta, end of line and end of bitmap.
  BmpOptions o;
  o.compression = 1;
  o.hasData = true;
  o.data = {9, 5,              // bottom row: six 5s, three more cut off
            0, 0,              // end of line
            0, 3, 1, 2, 3, 0,  // absolute 1 2 3 (+ pad)
            0, 2, 1, 1,        // delta: right 1, up 1
            2, 7,              // two 7s at x 4..5 of the top row
            0, 1};             // end of bitmap
  TBMPReader rle8 = Read(BmpFile(8, 6, 3, palette, {}, o));
  auto index = [&](const TBMPReader& b, uint32_t x, uint32_t y) {
    return TBMPReader::IndexAt(b.PictureRow(y), x, b.BitsPerPixel());
  };
  for (uint32_t x = 0; x < 6; ++x) EXPECT_EQ(index(rle8, x, 2), 5);
  EXPECT_EQ(index(rle8, 0, 1), 1);
  EXPECT_EQ(index(rle8, 2, 1), 3);
  EXPECT_EQ(index(rle8, 3, 1), 0);
  EXPECT_EQ(index(rle8, 3, 0), 0);
  EXPECT_EQ(index(rle8, 4, 0), 7);
  EXPECT_EQ(index(rle8, 5, 0), 7);

  // RLE4: runs alternate the two nibbles; absolute runs pack two per byte.
  o.compression = 2;
  o.data = {5, 0x12, 0, 0, 0, 3, 0xAB, 0xC0, 0, 1};
  TBMPReader rle4 = Read(BmpFile(4, 5, 2, palette, {}, o));
  const uint8_t bottom[5] = {1, 2, 1, 2, 1}, top[3] = {10, 11, 12};
  for (uint32_t x = 0; x < 5; ++x) EXPECT_EQ(index(rle4, x, 1), bottom[x]);
  for (uint32_t x = 0; x < 3; ++x) EXPECT_EQ(index(rle4, x, 0), top[x]);

  // Junk that runs off the picture stops without harm.
  o.compression = 1;
  o.data = {0, 2, 255, 255, 200, 1, 0, 255, 1};
  EXPECT_NO_THROW(Read(BmpFile(8, 4, 2, palette, {}, o)));
}

TEST(BMPReader, CountColorsCompactsThePalette) {
  std::vector<BGRA> palette;
  for (int i = 0; i < 256; ++i) palette.push_back({uint8_t(i), 0, uint8_t(255 - i), 0});
  // Indices 200, 7 and 90 used: they move to 0..2 in palette order.
  TBMPReader bmp = Read(BmpFile(8, 5, 1, palette, {200, 7, 90, 7, 200}));
  EXPECT_EQ(bmp.CountColors(), 3);
  const uint8_t* row = bmp.PictureRow(0);
  EXPECT_EQ((std::vector<uint8_t>(row, row + 5)), (std::vector<uint8_t>{2, 0, 1, 0, 2}));
  EXPECT_EQ(bmp.Palette[0].Blue, 7);
  EXPECT_EQ(bmp.Palette[2].Blue, 200);
  EXPECT_EQ(bmp.PixelColor(0, 0) & 0xFFFFFF, (200u << 16) | 55u);

  // A lone index 1 keeps two entries; the padding of a row is not a colour.
  EXPECT_EQ(Read(BmpFile(8, 3, 2, palette, {1, 1, 1, 1, 1, 1})).CountColors(), 2);
  EXPECT_EQ(Read(BmpFile(8, 3, 1, palette, {9, 9, 9})).CountColors(), 1);

  // 4 bits: nibbles are rewritten too.
  TBMPReader four = Read(BmpFile(4, 3, 1, kPalette16, {15, 3, 15}));
  EXPECT_EQ(four.CountColors(), 2);
  EXPECT_EQ(TBMPReader::IndexAt(four.PictureRow(0), 0, 4), 1);
  EXPECT_EQ(TBMPReader::IndexAt(four.PictureRow(0), 1, 4), 0);
  EXPECT_EQ(four.PixelColor(0, 0), Packed(kPalette16[15]));

  // 1 bit: every pixel counts, also those past the last whole byte and in later rows.
  EXPECT_EQ(Read(BmpFile(1, 12, 2, kPalette16, std::vector<uint32_t>(24, 0))).CountColors(), 1);
  std::vector<uint32_t> lastPixel(24, 0);
  lastPixel[23] = 1;
  EXPECT_EQ(Read(BmpFile(1, 12, 2, kPalette16, lastPixel)).CountColors(), 2);
  EXPECT_EQ(Read(BmpFile(1, 3, 3, kPalette16, std::vector<uint32_t>(9, 1))).CountColors(), 2);

  // Deeper pictures count distinct colours.
  EXPECT_EQ(Read(BmpFile(24, 4, 1, {}, {1, 2, 1, 3})).CountColors(), 3);
  EXPECT_EQ(Read(BmpFile(16, 3, 1, {}, {5, 5, 6})).CountColors(), 2);
}

TEST(BMPReader, CompactionMovesTheTransparentEntry) {
  std::vector<BGRA> palette(8, BGRA{50, 60, 70, 255});
  palette[1][3] = 0;  // unused transparent entry
  palette[5][3] = 0;  // used transparent entry
  BmpOptions o;
  o.clrUsed = 8;
  TBMPReader bmp = Read(BmpFile(8, 3, 1, palette, {3, 5, 6}, o));
  EXPECT_EQ(bmp.TransparentIndex(), 1);
  EXPECT_EQ(bmp.CountColors(), 3);
  EXPECT_EQ(bmp.TransparentIndex(), 1);  // entry 5 moved to 1
  EXPECT_EQ(bmp.Palette[1].Alpha, 0);
  EXPECT_EQ(bmp.Palette[0].Alpha, 255);

  palette[5][3] = 255;
  TBMPReader unused = Read(BmpFile(8, 3, 1, palette, {3, 5, 6}, o));
  unused.CountColors();
  EXPECT_EQ(unused.TransparentIndex(), -1);
}

TEST(BMPReader, BrokenFilesAreFormatErrors) {
  const PictureBytes good = BmpFile(8, 4, 4, kPalette16, std::vector<uint32_t>(16, 3));
  auto fails = [](PictureBytes file) {
    TBMPReader bmp;
    TMemoryStream stream(std::move(file));
    EXPECT_THROW(bmp.LoadFromStream(stream), FormatError);
  };
  fails({});
  fails(PictureBytes(good.begin(), good.begin() + 20));
  PictureBytes bad = good;
  bad[0] = 'X';
  fails(bad);
  bad = good;
  bad[14] = 41;  // header size
  fails(bad);
  bad = good;
  bad[28] = 2;  // 2 bits per pixel
  fails(bad);
  bad = good;
  bad[30] = 4;  // JPEG compression
  fails(bad);
  bad = good;
  bad[30] = 2;  // RLE4 on an 8-bit picture
  fails(bad);
  bad = good;
  bad[18] = bad[19] = bad[20] = bad[21] = 0;  // width 0
  fails(bad);
  bad = good;
  bad[21] = 0x7F;  // a huge width
  fails(bad);
  bad = good;
  bad[10] = 0xF0;  // pixel data past the end
  bad[11] = 0xFF;
  fails(bad);

  // Cut inside the pixels: the missing rows are zero.
  TBMPReader cut = Read(PictureBytes(good.begin(), good.end() - 6));
  EXPECT_EQ(TBMPReader::IndexAt(cut.PictureRow(0), 1, 8), 0);
  EXPECT_EQ(TBMPReader::IndexAt(cut.PictureRow(3), 1, 8), 3);

  // Every other cut and damaged byte: an error or a picture.
  for (size_t n = 0; n < good.size(); ++n) {
    PictureBytes damaged = good;
    damaged[n] ^= 0xFF;
    for (const PictureBytes& file : {damaged, PictureBytes(good.begin(), good.begin() + n)}) {
      TBMPReader bmp;
      bmp.MaxPixels = 1 << 20;  // a damaged size may ask for up to this much
      TMemoryStream stream(file);
      try {
        bmp.LoadFromStream(stream);
        bmp.CountColors();
      } catch (const FormatError&) {
      }
    }
  }
}

}  // namespace
}  // namespace orvanta
