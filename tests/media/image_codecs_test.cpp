#include "media/picture_codecs.h"

#include <gtest/gtest.h>

#include "media/image_test_util.h"
#include "platform/errors.h"

namespace orvanta {
namespace {

using test::MeanError;
using test::PictureBytes;
using test::Ramp;

TEST(JPEGCodec, EncodesAndDecodesAtTheGivenQuality) {
  const TPicture source = Ramp(64, 48);
  const PictureBytes best = EncodeJPEG(source, 100);
  const PictureBytes rough = EncodeJPEG(source, 10);
  EXPECT_LT(rough.size(), best.size());

  const TJPEGInfo info = ReadJPEGInfo(best);
  EXPECT_EQ(info.Width, 64u);
  EXPECT_EQ(info.Height, 48u);
  EXPECT_EQ(info.Components, 3);
  EXPECT_FALSE(info.Progressive);

  const TPicture decoded = DecodeJPEG(best);
  ASSERT_EQ(decoded.Width, 64u);
  ASSERT_EQ(decoded.Height, 48u);
  EXPECT_LT(MeanError(source, decoded), 2.0);
  EXPECT_FALSE(decoded.HasAlpha());
  EXPECT_GT(MeanError(source, DecodeJPEG(rough)), MeanError(source, decoded));

  const PictureBytes progressive = EncodeJPEG(source, 90, true);
  EXPECT_TRUE(ReadJPEGInfo(progressive).Progressive);
  EXPECT_LT(MeanError(source, DecodeJPEG(progressive)), 3.0);
}

TEST(JPEGCodec, BrokenDataIsAnErrorOrAPartialPicture) {
  EXPECT_THROW(DecodeJPEG({}), FormatError);
  EXPECT_THROW(ReadJPEGInfo(PictureBytes{0xFF, 0xD8}), FormatError);
  const PictureBytes png = EncodePNG(Ramp(4, 4));
  try {
    DecodeJPEG(png);
    ADD_FAILURE() << "PNG data decoded as JPEG";
  } catch (const FormatError& e) {
    EXPECT_NE(std::string(e.what()).find("JPEG"), std::string::npos);
  }

  // A stream cut inside its image data decodes as far as it goes, like viewers show it.
  const PictureBytes full = EncodeJPEG(Ramp(64, 64), 90);
  const PictureBytes cut(full.begin(), full.begin() + static_cast<long>(full.size() * 2 / 3));
  const TPicture partial = DecodeJPEG(cut);
  EXPECT_EQ(partial.Width, 64u);
  EXPECT_EQ(partial.Height, 64u);
  // Cut inside its headers it is an error.
  EXPECT_THROW(DecodeJPEG(PictureBytes(full.begin(), full.begin() + 100)), FormatError);

  // Every cut and a damaged byte at every place: an error or a picture, never a crash.
  for (size_t n = 0; n < full.size(); n += 37) {
    PictureBytes damaged = full;
    damaged[n] ^= 0x5A;
    try {
      DecodeJPEG(damaged);
    } catch (const FormatError&) {
    }
    try {
      DecodeJPEG(PictureBytes(full.begin(), full.begin() + static_cast<long>(n)));
    } catch (const FormatError&) {
    }
  }
}

TEST(JPEGCodec, HeaderSizeIsCheckedBeforeDecoding) {
  const PictureBytes data = EncodeJPEG(Ramp(300, 200), 50);
  TDecodeLimits limits;
  limits.MaxPixels = 300 * 200 - 1;
  EXPECT_THROW(DecodeJPEG(data, limits), FormatError);
  limits.MaxPixels = 300 * 200;
  EXPECT_EQ(DecodeJPEG(data, limits).Width, 300u);

  // A frame header claiming 65500 x 65500 pixels on a few bytes of data.
  PictureBytes lying = data;
  for (size_t i = 0; i + 9 < lying.size(); ++i)
    if (lying[i] == 0xFF && lying[i + 1] == 0xC0) {
      lying[i + 5] = lying[i + 7] = 0xFF;
      lying[i + 6] = lying[i + 8] = 0xDC;
      break;
    }
  EXPECT_THROW(DecodeJPEG(lying), FormatError);
}

TEST(PNGCodec, KeepsTransparencyExactly) {
  TPicture source = Ramp(7, 5);
  for (uint32_t x = 0; x < 7; ++x) source.Pixel(x, 2)[3] = static_cast<uint8_t>(x * 40);
  const TPicture decoded = DecodePNG(EncodePNG(source));
  EXPECT_EQ(decoded.Width, 7u);
  EXPECT_EQ(decoded.Height, 5u);
  EXPECT_EQ(decoded.Pixels, source.Pixels);
  EXPECT_TRUE(decoded.HasAlpha());
}

TEST(PNGCodec, BrokenFilesAreErrors) {
  const PictureBytes good = EncodePNG(Ramp(16, 16));
  EXPECT_THROW(DecodePNG({}), FormatError);
  EXPECT_THROW(DecodePNG(PictureBytes(good.begin(), good.begin() + 40)), FormatError);
  PictureBytes badCRC = good;
  badCRC[29] ^= 1;  // inside the IHDR chunk, whose CRC no longer matches
  EXPECT_THROW(DecodePNG(badCRC), FormatError);
  TDecodeLimits limits;
  limits.MaxPixels = 255;
  EXPECT_THROW(DecodePNG(good, limits), FormatError);
  for (size_t n = 0; n < good.size(); n += 3) {
    PictureBytes damaged = good;
    damaged[n] ^= 0xA5;
    try {
      DecodePNG(damaged);
    } catch (const FormatError&) {
    }
  }
}

TEST(GIFCodec, PaletteColoursTransparencyAndInterlacing) {
  TPicture source(9, 11, 0xFF0000FFu);
  for (uint32_t y = 0; y < 11; ++y)
    for (uint32_t x = 0; x < 9; ++x) {
      if ((x + y) % 3 == 0) source.SetColor(x, y, 0xFF00FF00u);
      if (y == 4) source.SetColor(x, y, 0xFF000000u | (x * 20));
    }
  source.SetColor(0, 0, 0);  // transparent
  for (bool interlaced : {false, true}) {
    const TPicture decoded = DecodeGIF(EncodeGIF(source, interlaced));
    ASSERT_EQ(decoded.Width, 9u);
    ASSERT_EQ(decoded.Height, 11u);
    EXPECT_EQ(decoded.Pixels, source.Pixels) << "interlaced " << interlaced;
  }

  TPicture tooMany(300, 1);
  for (uint32_t x = 0; x < 300; ++x) tooMany.SetColor(x, 0, 0xFF000000u | x);
  EXPECT_THROW(EncodeGIF(tooMany), FormatError);
}

TEST(GIFCodec, ReadsOnlyTheFirstImage) {
  const TPicture source(4, 3, 0xFF336699u);
  PictureBytes file = EncodeGIF(source);
  ASSERT_EQ(file.back(), 0x3B);
  // Whatever follows the first image is never read: here junk instead of the trailer.
  file.back() = 0x21;
  file.insert(file.end(), {0xF9, 0x99, 0x01});
  EXPECT_EQ(DecodeGIF(file).Pixels, source.Pixels);
}

TEST(GIFCodec, BrokenFilesAreErrorsOrPartialPictures) {
  const TPicture source = [] {
    TPicture p(40, 30, 0xFF000000u);
    for (uint32_t y = 0; y < 30; ++y)
      for (uint32_t x = 0; x < 40; ++x) p.SetColor(x, y, 0xFF000000u | ((x * 7 + y * 3) % 50));
    return p;
  }();
  const PictureBytes good = EncodeGIF(source);
  EXPECT_THROW(DecodeGIF({}), FormatError);
  EXPECT_THROW(DecodeGIF(PictureBytes(good.begin(), good.begin() + 6)), FormatError);
  PictureBytes noImage(good.begin(), good.begin() + 13 + 64 * 3);
  noImage.push_back(0x3B);
  EXPECT_THROW(DecodeGIF(noImage), FormatError);

  // Cut in its pixel data: the rows it has.
  const TPicture partial = DecodeGIF(PictureBytes(good.begin(), good.end() - 60));
  EXPECT_EQ(partial.Width, 40u);
  EXPECT_EQ(partial.Color(0, 0), source.Color(0, 0));

  for (size_t n = 0; n < good.size(); n += 5) {
    PictureBytes damaged = good;
    damaged[n] ^= 0xFF;
    try {
      DecodeGIF(damaged);
    } catch (const FormatError&) {
    }
  }
}

TEST(PictureCodecs, SignatureDecidesTheDecoderAndStripsSplit) {
  const TPicture source = Ramp(30, 10);
  EXPECT_EQ(DecodePicture(EncodePNG(source)).Pixels, source.Pixels);
  EXPECT_EQ(DecodePicture(EncodeJPEG(source)).Width, 30u);
  EXPECT_EQ(DecodePicture(EncodeGIF(TPicture(3, 3, 0xFF112233u))).Color(2, 2), 0xFF112233u);
  const PictureBytes bmp = test::BmpFile(24, 2, 1, {}, {0x102030, 0x405060});
  EXPECT_EQ(DecodePicture(bmp).Color(1, 0), 0xFF605040u);
  EXPECT_THROW(DecodePicture(PictureBytes{'R', 'I', 'F', 'F'}), FormatError);

  const std::vector<TPicture> cells = SplitStrip(source, 7);
  ASSERT_EQ(cells.size(), 4u);  // the last two columns make no whole cell
  EXPECT_EQ(cells[2].Width, 7u);
  EXPECT_EQ(cells[2].Color(3, 5), source.Color(17, 5));
}

TEST(PictureScaling, AveragesWhenShrinkingInterpolatesWhenEnlarging) {
  // 2:1 in both directions: every output pixel is the mean of its 2 x 2 block.
  TPicture source(4, 2);
  const uint8_t values[2][4] = {{0, 100, 200, 40}, {20, 60, 0, 0}};
  for (uint32_t y = 0; y < 2; ++y)
    for (uint32_t x = 0; x < 4; ++x) source.SetColor(x, y, 0xFF000000u | values[y][x]);
  const TPicture half = ScalePicture(source, 2, 1);
  EXPECT_EQ(half.Color(0, 0), 0xFF000000u | 45);
  EXPECT_EQ(half.Color(1, 0), 0xFF000000u | 60);

  // 2 -> 8 pixels: a linear ramp between the two, edges held.
  TPicture two(2, 1);
  two.SetColor(0, 0, 0xFF000000u);
  two.SetColor(1, 0, 0xFF0000FFu);
  const TPicture wide = ScalePicture(two, 8, 1);
  EXPECT_EQ(wide.Color(0, 0) & 0xFF, 0u);
  EXPECT_EQ(wide.Color(7, 0) & 0xFF, 255u);
  for (uint32_t x = 1; x < 8; ++x) EXPECT_GE(wide.Color(x, 0) & 0xFF, wide.Color(x - 1, 0) & 0xFF);
  EXPECT_NEAR(int(wide.Color(3, 0) & 0xFF), 96, 1);

  // A transparent neighbour lends no colour.
  TPicture edge(2, 1);
  edge.SetColor(0, 0, 0xFF0000FFu);
  edge.SetColor(1, 0, 0x0000FF00u);
  const TPicture blended = ScalePicture(edge, 1, 1);
  EXPECT_EQ(blended.Color(0, 0), 0x800000FFu);

  // A part of the picture.
  const TPicture ramp = Ramp(40, 20);
  const TPicture part = ScalePicture(ramp, 10, 5, 20, 10, 20, 10);
  EXPECT_EQ(part.Pixels, ScalePicture(ramp, 10, 5, 20, 10, 20, 10).Pixels);
  EXPECT_EQ(part.Color(0, 0), ramp.Color(10, 5));
  EXPECT_EQ(part.Color(19, 9), ramp.Color(29, 14));

  EXPECT_THROW(ScalePicture(ramp, 0, 5), FormatError);
  EXPECT_THROW(ScalePicture(ramp, 30, 0, 20, 10, 5, 5), FormatError);
}

}  // namespace
}  // namespace orvanta
