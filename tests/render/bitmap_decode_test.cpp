#include "render/bitmap_decode.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "media/picture_codecs.h"
#include "platform/errors.h"
#include "render_test_util.h"
#include "swf/tags_bitmap.h"
#include "test_util.h"

namespace orvanta::render {
namespace {

using orvanta::test::Bytes;
using orvanta::test::Concat;
using orvanta::test::ReadTag;
using test::At;

Bytes Zlib(const Bytes& data) {
  uLongf size = compressBound(data.size());
  Bytes out(size);
  compress2(out.data(), &size, data.data(), data.size(), 9);
  out.resize(size);
  return out;
}

Bytes Word(uint16_t v) {
  return {uint8_t(v), uint8_t(v >> 8)};
}
Bytes DWord(uint32_t v) {
  return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

Bytes LosslessBody(uint16_t id, uint8_t format, uint16_t w, uint16_t h, const Bytes& pixels,
                   int tableSize = -1) {
  Bytes head = Concat({Word(id), {format}, Word(w), Word(h)});
  if (tableSize >= 0) head.push_back(uint8_t(tableSize));
  return Concat({head, Zlib(pixels)});
}

TEST(DecodeBitmap, LosslessFormatsKeepTheirRowPaddingAndAlpha) {
  // 32-bit, with alpha: premultiplied ARGB, taken as it is.
  auto argb = ReadTag(TTagCode::DefineBitsLossless2,
                      LosslessBody(1, 5, 2, 1, {0x80, 0x40, 0x00, 0x20, 0xFF, 0x00, 0xFF, 0x00}));
  TPixmap p = DecodeBitmap(*argb, nullptr);
  ASSERT_EQ(p.Width, 2);
  EXPECT_EQ(At(p, 0, 0).R, 0x40);
  EXPECT_EQ(At(p, 0, 0).B, 0x20);
  EXPECT_EQ(At(p, 0, 0).A, 0x80);
  EXPECT_EQ(At(p, 1, 0).G, 0xFF);
  EXPECT_EQ(At(p, 1, 0).A, 0xFF);

  // 32-bit without alpha: the first byte is padding, every pixel opaque.
  auto xrgb =
      ReadTag(TTagCode::DefineBitsLossless, LosslessBody(1, 5, 1, 1, {0x00, 0x10, 0x20, 0x30}));
  p = DecodeBitmap(*xrgb, nullptr);
  EXPECT_EQ(At(p, 0, 0).A, 255);
  EXPECT_EQ(At(p, 0, 0).B, 0x30);

  // Colour-mapped, 3 wide: rows of 4 bytes; the table has RGBA entries in the second tag.
  Bytes mapped = Concat({{0xFF, 0, 0, 0xFF, 0, 0x80, 0, 0x80},  // red, half green
                         {0, 1, 1, 0xEE, 1, 0, 7, 0xEE}});      // two rows; index 7 is past
  p = DecodeBitmap(*ReadTag(TTagCode::DefineBitsLossless2, LosslessBody(1, 3, 3, 2, mapped, 1)),
                   nullptr);
  EXPECT_EQ(At(p, 0, 0).R, 0xFF);
  EXPECT_EQ(At(p, 1, 0).G, 0x80);
  EXPECT_EQ(At(p, 1, 0).A, 0x80);
  EXPECT_EQ(At(p, 0, 1).G, 0x80);  // the padding byte 0xEE was skipped
  EXPECT_EQ(At(p, 2, 1).A, 0);     // an index past the table is transparent
  // RGB entries in the first tag.
  p = DecodeBitmap(
      *ReadTag(TTagCode::DefineBitsLossless, LosslessBody(1, 3, 1, 1, {1, 2, 3, 0, 0, 0, 0}, 0)),
      nullptr);
  EXPECT_EQ(At(p, 0, 0).R, 1);
  EXPECT_EQ(At(p, 0, 0).B, 3);
  EXPECT_EQ(At(p, 0, 0).A, 255);

  // 15-bit: big-endian 0RRRRRGG GGGBBBBB, rows padded to 4 bytes.
  Bytes rgb15 = {0x7C, 0x00, 0xEE, 0xEE, 0x00, 0x1F, 0xEE, 0xEE};
  p = DecodeBitmap(*ReadTag(TTagCode::DefineBitsLossless, LosslessBody(1, 4, 1, 2, rgb15)),
                   nullptr);
  EXPECT_EQ(At(p, 0, 0).R, 255);
  EXPECT_EQ(At(p, 0, 0).B, 0);
  EXPECT_EQ(At(p, 0, 1).B, 255);
}

TEST(DecodeBitmap, BrokenLosslessData) {
  // Data that ends early leaves the rest transparent.
  Bytes half = Zlib({0xFF, 1, 2, 3});
  auto shortTag =
      ReadTag(TTagCode::DefineBitsLossless2, Concat({Word(1), {5}, Word(2), Word(2), half}));
  TPixmap p = DecodeBitmap(*shortTag, nullptr);
  EXPECT_EQ(At(p, 0, 0).A, 0xFF);
  EXPECT_EQ(At(p, 1, 1).A, 0);
  // Not zlib at all, and an unknown format.
  EXPECT_THROW(DecodeBitmap(*ReadTag(TTagCode::DefineBitsLossless2,
                                     Concat({Word(1), {5}, Word(2), Word(2), {1, 2, 3, 4}})),
                            nullptr),
               FormatError);
  EXPECT_THROW(
      DecodeBitmap(*ReadTag(TTagCode::DefineBitsLossless2, LosslessBody(1, 6, 1, 1, {0, 0, 0, 0})),
                   nullptr),
      FormatError);
  // A size past the pixmap limit is refused before anything is inflated.
  EXPECT_THROW(
      DecodeBitmap(*ReadTag(TTagCode::DefineBitsLossless2, LosslessBody(1, 5, 65535, 65535, {0})),
                   nullptr),
      Error);
}

// An opaque picture of one colour as a JPEG file.
Bytes JpegOf(uint32_t rgba, uint32_t w = 8, uint32_t h = 8) {
  return EncodeJPEG(TPicture(w, h, rgba), 95);
}

TEST(DecodeBitmap, JpegTablesAreJoinedWithTheImage) {
  Bytes jpeg = JpegOf(PackRGBA(0, 0, 255, 255));
  // Split the file the way DefineBits and JPEGTables hold it: the quantisation and Huffman
  // tables in one, the rest of the stream in the other, each with its own start and end.
  Bytes tables = {0xFF, 0xD8}, image = {0xFF, 0xD8};
  size_t i = 2;
  while (i + 4 <= jpeg.size() && jpeg[i] == 0xFF && jpeg[i + 1] != 0xDA) {
    size_t len = (size_t{jpeg[i + 2]} << 8) | jpeg[i + 3];
    Bytes& to = (jpeg[i + 1] == 0xDB || jpeg[i + 1] == 0xC4) ? tables : image;
    to.insert(to.end(), jpeg.begin() + i, jpeg.begin() + i + 2 + len);
    i += 2 + len;
  }
  image.insert(image.end(), jpeg.begin() + i, jpeg.end());
  tables.insert(tables.end(), {0xFF, 0xD9});

  auto tablesTag = ReadTag(TTagCode::JPEGTables, tables);
  auto bits = ReadTag(TTagCode::DefineBits, Concat({Word(3), image}));
  TPixmap p = DecodeBitmap(*bits, static_cast<const TSWFJPEGTables*>(tablesTag.get()));
  ASSERT_EQ(p.Width, 8);
  EXPECT_GT(At(p, 4, 4).B, 240);
  EXPECT_LT(At(p, 4, 4).R, 16);
  // Without the tables the image cannot decode.
  EXPECT_THROW(DecodeBitmap(*bits, nullptr), FormatError);

  // The layout of old encoders: tables, end, start, image in one DefineBitsJPEG2.
  Bytes legacy = Concat({tables, image});
  p = DecodeBitmap(*ReadTag(TTagCode::DefineBitsJPEG2, Concat({Word(3), legacy})), nullptr);
  EXPECT_GT(At(p, 4, 4).B, 240);
}

TEST(JoinJPEGStreams, DropsInnerMarkersAndKeepsEntropyData) {
  Bytes tables = {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x03, 0x07, 0xFF, 0xD9};
  // A scan whose data holds a stuffed 0xFF and a restart marker.
  Bytes image = {0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02, 0x11, 0xFF,
                 0x00, 0x22, 0xFF, 0xD0, 0x33, 0xFF, 0xD9};
  Bytes joined = JoinJPEGStreams(tables, image);
  Bytes expected = {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x03, 0x07, 0xFF, 0xDA, 0x00,
                    0x02, 0x11, 0xFF, 0x00, 0x22, 0xFF, 0xD0, 0x33, 0xFF, 0xD9};
  EXPECT_EQ(joined, expected);
  // A segment length past the end keeps what is there.
  Bytes cut = {0xFF, 0xDB, 0x40, 0x00, 0x01};
  EXPECT_EQ(JoinJPEGStreams({}, cut),
            (Bytes{0xFF, 0xD8, 0xFF, 0xDB, 0x40, 0x00, 0x01, 0xFF, 0xD9}));
}

TEST(DecodeBitmap, Jpeg3AlphaClampsTheColours) {
  Bytes jpeg = JpegOf(PackRGBA(255, 255, 255, 255), 2, 2);
  Bytes alpha = Zlib({0, 128, 255});  // one value short: the last pixel stays opaque
  auto tag = ReadTag(TTagCode::DefineBitsJPEG3,
                     Concat({Word(4), DWord(uint32_t(jpeg.size())), jpeg, alpha}));
  TPixmap p = DecodeBitmap(*tag, nullptr);
  EXPECT_EQ(At(p, 0, 0).A, 0);
  EXPECT_EQ(At(p, 0, 0).R, 0);
  EXPECT_EQ(At(p, 1, 0).A, 128);
  EXPECT_EQ(At(p, 1, 0).R, 128);
  EXPECT_EQ(At(p, 0, 1).A, 255);
  EXPECT_EQ(At(p, 1, 1).A, 255);

  // PNG data in a JPEG tag brings its own alpha; the alpha plane is not used.
  TPicture picture(1, 1, PackRGBA(255, 0, 0, 64));
  Bytes png = EncodePNG(picture);
  auto pngTag = ReadTag(TTagCode::DefineBitsJPEG3,
                        Concat({Word(4), DWord(uint32_t(png.size())), png, Zlib({255})}));
  p = DecodeBitmap(*pngTag, nullptr);
  EXPECT_EQ(At(p, 0, 0).A, 64);
  EXPECT_EQ(At(p, 0, 0).R, 64);  // premultiplied
}

TEST(DecodeBitmap, OtherTagsAreNoBitmaps) {
  auto shape = ReadTag(TTagCode::DefineShape, Concat({Word(1), {0, 0, 0, 0}}));
  EXPECT_THROW(DecodeBitmap(*shape, nullptr), FormatError);
}

}  // namespace
}  // namespace orvanta::render
