#include "media/flash_image.h"

#include <gtest/gtest.h>

#include "media/bmp_reader.h"
#include "media/image_test_util.h"
#include "movie/flash_movie.h"
#include "movie/flash_shape.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"
#include "swf/swf_object.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::BGRA;
using test::BmpFile;
using test::BmpOptions;
using test::Inflate;
using test::PictureBytes;
using test::Pixels;
using test::WritePictureFile;
using test::WrittenTag;

// The one tag an image writes.
WrittenTag TagOf(TFlashImage& image) {
  auto tags = test::SplitTags(test::Written([&](TBitsEngine& e) { image.WriteToStream(e); }));
  EXPECT_EQ(tags.size(), 1u);
  return tags.empty() ? WrittenTag{} : tags[0];
}

// The fixed fields of a lossless tag and its inflated pixel data.
struct Lossless {
  uint16_t code, id;
  uint8_t format;
  uint16_t width, height;
  int tableSize;  // -1 when absent
  PictureBytes pixels;
};

Lossless LosslessOf(TFlashImage& image) {
  WrittenTag tag = TagOf(image);
  EXPECT_TRUE(tag.longHeader);
  const PictureBytes& b = tag.body;
  Lossless l{tag.code,
             uint16_t(b[0] | b[1] << 8),
             b[2],
             uint16_t(b[3] | b[4] << 8),
             uint16_t(b[5] | b[6] << 8),
             -1,
             {}};
  size_t at = 7;
  if (l.format == 3) l.tableSize = b[at++];
  l.pixels = Inflate(PictureBytes(b.begin() + static_cast<long>(at), b.end()));
  return l;
}

std::string BmpPath(const std::string& name, int bits, uint32_t w, uint32_t h,
                    const std::vector<BGRA>& palette, const std::vector<uint32_t>& values,
                    const BmpOptions& o = {}) {
  return WritePictureFile(name, BmpFile(bits, w, h, palette, values, o));
}

std::vector<BGRA> GreyPalette(int n, uint8_t alpha = 0) {
  std::vector<BGRA> p;
  for (int i = 0; i < n; ++i) p.push_back({uint8_t(i), uint8_t(i + 1), uint8_t(i + 2), alpha});
  return p;
}

TEST(FlashImageBMP, TwentyFourBitsBecomeFormat5TopRowFirst) {
  auto rgb = [](uint32_t x, uint32_t y) { return 0x102030u * (x + 1) + 0x010101u * y; };
  for (bool topDown : {false, true}) {
    BmpOptions o;
    o.topDown = topDown;
    TFlashImage image(nullptr, BmpPath("rgb.bmp", 24, 3, 2, {}, Pixels(3, 2, rgb), o));
    EXPECT_FALSE(image.IsJPEG);
    EXPECT_EQ(image.LosslessFormat, 5);
    EXPECT_EQ(image.DataState(), TFlashImage::kStateLossless);
    EXPECT_EQ(image.MinVersion(), 2);
    image.SetCharacterId(9);
    Lossless l = LosslessOf(image);
    EXPECT_EQ(l.code, 20);
    EXPECT_EQ(l.id, 9);
    EXPECT_EQ(l.format, 5);
    EXPECT_EQ(l.width, 3);
    EXPECT_EQ(l.height, 2);
    PictureBytes expected;
    for (uint32_t y = 0; y < 2; ++y)
      for (uint32_t x = 0; x < 3; ++x) {
        const uint32_t v = rgb(x, y);
        expected.insert(expected.end(), {0xFF, uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
      }
    EXPECT_EQ(l.pixels, expected) << (topDown ? "top-down" : "bottom-up");
  }
}

TEST(FlashImageBMP, ColourMappedPicturesCompactTheirTable) {
  // 7 of 256 entries used, width 5: rows padded to 8.
  const std::vector<uint32_t> indices = {250, 3, 3, 17, 40, 99, 120, 250, 0, 3};
  TFlashImage image(nullptr, BmpPath("mapped.bmp", 8, 5, 2, GreyPalette(256), indices));
  EXPECT_EQ(image.LosslessFormat, 3);
  EXPECT_EQ(image.ColorCount, 7);
  EXPECT_EQ(image.RowWidth, 8u);
  EXPECT_FALSE(image.HasAlpha);
  Lossless l = LosslessOf(image);
  EXPECT_EQ(l.code, 20);
  EXPECT_EQ(l.tableSize, 6);
  const uint8_t used[7] = {0, 3, 17, 40, 99, 120, 250};
  PictureBytes expected;
  for (uint8_t i : used) expected.insert(expected.end(), {uint8_t(i + 2), uint8_t(i + 1), i});
  expected.insert(expected.end(), {6, 1, 1, 2, 3, 0, 0, 0});
  expected.insert(expected.end(), {4, 5, 6, 0, 1, 0, 0, 0});
  EXPECT_EQ(l.pixels, expected);

  // One-bit pictures: one byte per pixel; all index 1 keeps both entries.
  TFlashImage mono(nullptr,
                   BmpPath("mono.bmp", 1, 10, 1, GreyPalette(2), std::vector<uint32_t>(10, 1)));
  Lossless m = LosslessOf(mono);
  EXPECT_EQ(m.tableSize, 1);
  EXPECT_EQ(PictureBytes(m.pixels.begin() + 6, m.pixels.end()),
            (PictureBytes{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0}));

  // Four bits: the nibbles in order.
  TFlashImage four(nullptr, BmpPath("four.bmp", 4, 3, 1, GreyPalette(16), {9, 2, 9}));
  Lossless f = LosslessOf(four);
  EXPECT_EQ(f.tableSize, 1);
  EXPECT_EQ(f.pixels, (PictureBytes{4, 3, 2, 11, 10, 9, 1, 0, 1, 0}));
}

TEST(FlashImageBMP, TransparentPaletteEntryMakesLossless2) {
  std::vector<BGRA> palette = GreyPalette(4, 255);
  palette[2] = {90, 91, 92, 0};
  BmpOptions o;
  o.clrUsed = 4;
  TFlashImage image(nullptr, BmpPath("alpha8.bmp", 8, 2, 1, palette, {2, 3}, o));
  EXPECT_TRUE(image.HasAlpha);
  EXPECT_EQ(image.MinVersion(), 3);
  Lossless l = LosslessOf(image);
  EXPECT_EQ(l.code, 36);
  EXPECT_EQ(l.tableSize, 1);
  EXPECT_EQ(l.pixels, (PictureBytes{0, 0, 0, 0, 5, 4, 3, 255, 0, 1, 0, 0}));
}

TEST(FlashImageBMP, SixteenBitsBecomeFifteenBitPixels) {
  TFlashImage plain(nullptr, BmpPath("555.bmp", 16, 3, 1, {}, {0x7C00, 0x03E0, 0x001F}));
  EXPECT_EQ(plain.RowWidth, 4u);
  Lossless l = LosslessOf(plain);
  EXPECT_EQ(l.format, 4);
  EXPECT_EQ(l.pixels, (PictureBytes{0x7C, 0x00, 0x03, 0xE0, 0x00, 0x1F, 0, 0}));

  BmpOptions o;
  o.compression = 3;
  o.masks = {0xF800, 0x07E0, 0x001F, 0};
  TFlashImage wide(nullptr, BmpPath("565.bmp", 16, 2, 1, {}, {0xF800, 0x07E0}, o));
  EXPECT_EQ(LosslessOf(wide).pixels, (PictureBytes{0x7C, 0x00, 0x03, 0xE0}));
}

TEST(FlashImageBMP, ThirtyTwoBitAlphaIsPaddingUnlessGiven) {
  // Pixel values: 0xAARRGGBB as stored little-endian.
  const std::vector<uint32_t> values = {0x80FF8040, 0x00123456};
  const std::string path = BmpPath("argb.bmp", 32, 2, 1, {}, values);

  TFlashMovie movie(0, 0, 100, 100, 12);
  TFlashImage* owned = movie.AddImage(path);
  EXPECT_TRUE(owned->HasAlpha);
  Lossless l = LosslessOf(*owned);
  EXPECT_EQ(l.code, 36);
  EXPECT_EQ(l.format, 5);
  EXPECT_EQ(l.pixels, (PictureBytes{0xFF, 0xFF, 0x80, 0x40, 0xFF, 0x12, 0x34, 0x56}));

  // Outside a movie non-zero alpha bytes count, premultiplied as the tag wants them.
  TFlashImage loose(nullptr, path);
  EXPECT_EQ(LosslessOf(loose).pixels, (PictureBytes{0x80, 0x80, 0x40, 0x20, 0, 0, 0, 0}));

  // All zero: padding everywhere.
  TFlashImage zero(nullptr, BmpPath("xrgb.bmp", 32, 1, 1, {}, {0x00102030}));
  EXPECT_EQ(LosslessOf(zero).pixels, (PictureBytes{0xFF, 0x10, 0x20, 0x30}));

  // Alpha the caller sets counts in a movie too, y from the top.
  TFlashImage* given = movie.AddImage(BmpPath("two.bmp", 32, 1, 2, {}, {0x00FFFFFF, 0x00FFFFFF}));
  EXPECT_EQ(LosslessOf(*given).pixels,
            (PictureBytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  given->FillAlpha(255);
  given->SetAlphaPixel(0, 1, 0x40);
  EXPECT_EQ(LosslessOf(*given).pixels,
            (PictureBytes{0xFF, 0xFF, 0xFF, 0xFF, 0x40, 0x40, 0x40, 0x40}));
}

TEST(FlashImageJPEG, BaselineFileIsWrittenAsItIs) {
  const PictureBytes file = EncodeJPEG(test::Ramp(40, 30), 80);
  const std::string path = WritePictureFile("photo.JPG", file);
  TFlashImage image(nullptr, path);
  EXPECT_TRUE(image.IsJPEG);
  EXPECT_EQ(image.DataState(), TFlashImage::kStateFile);
  EXPECT_EQ(image.Width(), 40);
  EXPECT_EQ(image.Height(), 30);
  EXPECT_EQ(image.MinVersion(), 2);
  image.SetCharacterId(2);
  WrittenTag tag = TagOf(image);
  EXPECT_EQ(tag.code, 21);
  EXPECT_EQ(tag.body, test::Concat({{2, 0}, file}));
  // Written twice, the file is read twice.
  EXPECT_EQ(TagOf(image).body, tag.body);

  // The stream a caller opens holds the file.
  EXPECT_EQ(image.DataStream().Size(), file.size());
  EXPECT_EQ(image.DataState(), TFlashImage::kStateFileOpen);
  EXPECT_EQ(TagOf(image).body, tag.body);
}

TEST(FlashImageJPEG, ProgressiveFileBecomesBaseline) {
  const TPicture source = test::Ramp(48, 20);
  const std::string path = WritePictureFile("progressive.jpeg", EncodeJPEG(source, 95, true));
  TFlashImage image(nullptr, path);
  EXPECT_EQ(image.DataState(), TFlashImage::kStateConverted);
  EXPECT_EQ(image.Width(), 48);
  EXPECT_EQ(image.Height(), 20);
  WrittenTag tag = TagOf(image);
  ASSERT_GT(tag.body.size(), 2u);
  const PictureBytes jpeg(tag.body.begin() + 2, tag.body.end());
  const TJPEGInfo info = ReadJPEGInfo(jpeg);
  EXPECT_FALSE(info.Progressive);
  EXPECT_EQ(info.Width, 48u);
  EXPECT_LT(test::MeanError(source, DecodeJPEG(jpeg)), 4.0);

  // With the conversion off the file is only referenced; switching it on converts at once and
  // keeps the size found so far.
  TFlashImage later;
  later.SetConvertProgressive(false);
  later.LoadFromFile(path);
  EXPECT_EQ(later.DataState(), TFlashImage::kStateFile);
  EXPECT_EQ(later.Width(), 0);
  later.SetConvertProgressive(true);
  EXPECT_EQ(later.DataState(), TFlashImage::kStateConverted);
  EXPECT_EQ(later.Width(), 0);
  EXPECT_EQ(TagOf(later).body, tag.body);

  // Not a JPEG at all: the decoder says so.
  const std::string fake = WritePictureFile("fake.jpg", EncodePNG(source));
  EXPECT_THROW(TFlashImage(nullptr, fake), FormatError);
}

TEST(FlashImageJPEG, ReadJPEGSizeWalksTheMarkers) {
  auto size = [](const PictureBytes& bytes) {
    TMemoryStream stream(bytes);
    uint16_t w = 1, h = 1;
    TFlashImage::ReadJPEGSize(stream, w, h);
    return std::pair<int, int>(w, h);
  };
  // Fill bytes, a stand-alone marker and an APP0 segment before SOF1.
  EXPECT_EQ(size({0xFF, 0xD8, 0xFF, 0xFF, 0xD0, 0xFF, 0xE0, 0x00, 0x04, 1,
                  2,    0xFF, 0xC1, 0x00, 0x11, 0x08, 0x01, 0x02, 0x03, 0x04}),
            (std::pair<int, int>(0x0304, 0x0102)));
  EXPECT_EQ(size({0xFF, 0xD8, 0xFF, 0xC2, 0x00, 0x11, 0x08, 0x01, 0x02, 0x03, 0x04}),
            (std::pair<int, int>(0, 0)));
  EXPECT_EQ(size({0x89, 'P', 'N', 'G'}), (std::pair<int, int>(0, 0)));
  EXPECT_EQ(size({0xFF, 0xD8, 0xFF, 0xE0, 0x40, 0x00}), (std::pair<int, int>(0, 0)));
  EXPECT_EQ(size({0xFF, 0xD8, 0xFF, 0xC0, 0x00}), (std::pair<int, int>(0, 0)));
  EXPECT_EQ(size({0xFF}), (std::pair<int, int>(0, 0)));
}

TEST(FlashImageJPEG, AlphaPlaneMakesJPEG3) {
  const PictureBytes jpeg = EncodeJPEG(test::Ramp(4, 3), 75);
  TMemoryStream data(jpeg);
  data.SetPosition(jpeg.size());  // the image reads it from its start anyway
  TFlashImage image;
  image.LoadDataFromStream(data, true, true, 5, 3, 3, 4);
  EXPECT_EQ(image.DataState(), TFlashImage::kStateMemory);
  EXPECT_EQ(TagOf(image).code, 21);

  image.FillAlpha(255);
  image.SetAlphaPixel(1, 2, 0x10);
  image.SetAlphaPixel(4, 0, 0x20);  // outside: ignored
  EXPECT_FALSE(image.HasAlpha);
  EXPECT_EQ(image.MinVersion(), 2);
  WrittenTag tag = TagOf(image);
  EXPECT_EQ(tag.code, 35);
  const PictureBytes& b = tag.body;
  const uint32_t offset = b[2] | b[3] << 8 | b[4] << 16 | uint32_t(b[5]) << 24;
  EXPECT_EQ(offset, jpeg.size());
  EXPECT_EQ(PictureBytes(b.begin() + 6, b.begin() + 6 + offset),
            jpeg);
  PictureBytes alpha(12, 255);
  alpha[9] = 0x10;
  EXPECT_EQ(Inflate(PictureBytes(b.begin() + 6 + offset, b.end())), alpha);
}

TEST(FlashImage, LosslessDataHandedOverIsWrittenUnchanged) {
  const PictureBytes packed = test::Deflate(PictureBytes{0xFF, 1, 2, 3, 0x80, 4, 5, 6});
  TMemoryStream data(packed);
  TFlashImage image;
  image.LoadDataFromStream(data, false, true, 0, 1, 1, 2);
  EXPECT_EQ(image.MinVersion(), 3);
  WrittenTag tag = TagOf(image);
  EXPECT_EQ(tag.code, 36);
  EXPECT_EQ(tag.body, test::Concat({{0, 0, 5, 2, 0, 1, 0}, packed}));

  // No data at all: the fixed fields only.
  TFlashImage empty;
  EXPECT_EQ(empty.DataState(), TFlashImage::kStateNone);
  EXPECT_EQ(TagOf(empty).body, (PictureBytes{0, 0, 0, 0, 0, 0, 0}));
}

TEST(FlashImage, UnknownFormatsHooksAndMissingFiles) {
  try {
    TFlashImage image(nullptr, "picture.png");
    ADD_FAILURE();
  } catch (const FormatError& e) {
    EXPECT_STREQ(e.what(), "Image format \"PNG\" not supported!");
  }
  EXPECT_THROW(TFlashImage(nullptr, "/nonexistent/x.bmp"), FileError);

  TFlashMovie movie(0, 0, 100, 100, 12);
  std::string unsupported;
  movie.UnsupportedImageHook = [&](TFlashImage&, const std::string& name) { unsupported = name; };
  TFlashImage* gif = movie.AddImage("thumb.gif");
  EXPECT_EQ(unsupported, "thumb.gif");
  EXPECT_EQ(gif->DataState(), TFlashImage::kStateNone);

  // The custom hook comes first; clearing the flag means it supplied the picture.
  const PictureBytes jpeg = EncodeJPEG(test::Ramp(2, 2));
  movie.OnLoadCustomImage = [&](TFlashImage& image, const std::string& name, bool& go) {
    if (name != "custom") return;
    TMemoryStream data(jpeg);
    image.LoadDataFromStream(data, true, false, 0, 0, 2, 2);
    go = false;
  };
  TFlashImage* custom = movie.AddImage("custom");
  EXPECT_TRUE(custom->IsJPEG);
  EXPECT_EQ(custom->FileName, "custom");
  EXPECT_EQ(custom->DataState(), TFlashImage::kStateMemory);
  EXPECT_EQ(movie.Images, (std::vector<TFlashImage*>{gif, custom}));
  EXPECT_EQ(gif->CharacterId(), 1);
  EXPECT_EQ(custom->CharacterId(), 2);
}

TEST(FlashImage, AssignCopiesDataAndBitmap) {
  const std::string bmp = BmpPath("copy.bmp", 24, 2, 2, {}, {1, 2, 3, 4});
  TFlashImage source(nullptr, bmp);
  const PictureBytes before = TagOf(source).body;
  TFlashImage copy;
  copy.Assign(source);
  source.BMP().PictureRow(0)[0] = 0x99;
  source.ApplyBMPFormat();
  EXPECT_NE(TagOf(source).body, before);
  EXPECT_EQ(TagOf(copy).body, before);

  const std::string jpegPath = WritePictureFile("copy.jpg", EncodeJPEG(test::Ramp(5, 5)));
  TFlashImage file(nullptr, jpegPath);
  file.DataStream();
  TFlashImage fileCopy;
  fileCopy.Assign(file);
  EXPECT_EQ(fileCopy.DataState(), TFlashImage::kStateFile);
  EXPECT_EQ(TagOf(fileCopy).body, TagOf(file).body);

  TFlashImage withAlpha;
  TMemoryStream data(EncodeJPEG(test::Ramp(2, 2)));
  withAlpha.LoadDataFromStream(data, true, false, 0, 0, 2, 2);
  withAlpha.FillAlpha(7);
  TFlashImage alphaCopy;
  alphaCopy.Assign(withAlpha);
  withAlpha.SetAlphaPixel(0, 0, 1);
  ASSERT_NE(alphaCopy.AlphaData(), nullptr);
  EXPECT_EQ(alphaCopy.AlphaData()->Bytes(), PictureBytes(4, 7));
}

TEST(FlashImageMovie, AlphaRaisesTheVersionAndFillsFindTheirBitmap) {
  TFlashMovie movie(0, 0, 200, 150, 12);
  movie.SetPixelUnits(true);
  movie.SetVersion(6);
  TFlashShape* shape = movie.AddRectangle(10, 10, 110, 60);
  TFlashImage* image = movie.AddImage(
      BmpPath("fill.bmp", 32, 50, 25, {}, std::vector<uint32_t>(50 * 25, 0x00FF0000)));
  EXPECT_EQ(movie.ObjectList().back().get(), image);

  TSWFImageFill& fit = shape->SetImageFill(*image, 1);
  // The bitmap moved in front of the shape that uses it.
  EXPECT_EQ(movie.ObjectList()[0].get(), image);
  EXPECT_EQ(movie.ObjectList()[1].get(), shape);
  EXPECT_EQ(fit.BitmapId, image->CharacterId());
  EXPECT_EQ(fit.FillStyleType, 0x41);
  EXPECT_EQ(fit.BitmapMatrix.ScaleX, FloatToFixed(2000.0 / 50 + 15.0 / 4096));
  EXPECT_EQ(fit.BitmapMatrix.ScaleY, FloatToFixed(1000.0 / 25 + 15.0 / 4096));
  EXPECT_EQ(fit.BitmapMatrix.TranslateX, 195);
  EXPECT_EQ(fit.BitmapMatrix.TranslateY, 195);
  EXPECT_EQ(shape->FillStyle1Index, 1);

  TSWFImageFill& tile = shape->SetImageFill(*image, 2, 0.5, 2);
  EXPECT_EQ(tile.FillStyleType, 0x40);
  EXPECT_EQ(tile.BitmapMatrix.ScaleX, 10 << 16);
  EXPECT_EQ(tile.BitmapMatrix.ScaleY, 40 << 16);
  EXPECT_EQ(shape->FillStyle1Index, 2);

  movie.PlaceObject(shape, 1);
  movie.ShowFrame();
  EXPECT_EQ(movie.MakeData(), 6);

  // From version 8 on no correction.
  TFlashMovie v8(0, 0, 200, 150, 12);
  v8.SetPixelUnits(true);
  v8.SetVersion(8);
  TFlashImage* bitmap =
      v8.AddImage(BmpPath("fill8.bmp", 24, 10, 10, {}, std::vector<uint32_t>(100, 0x123456)));
  TFlashShape* square = v8.AddRectangle(0, 0, 20, 40);
  TSWFImageFill& clipped = square->SetImageFill(*bitmap, 0);
  EXPECT_EQ(clipped.BitmapMatrix.ScaleX, 20 << 16);
  EXPECT_EQ(clipped.BitmapMatrix.TranslateX, 0);
  EXPECT_EQ(square->SetImageFill(*bitmap, 1).BitmapMatrix.ScaleY, 80 << 16);
  EXPECT_EQ(v8.ObjectList()[0].get(), bitmap);  // already in front: stays

  // The bitmap's version counts: 2 for lossless data, 3 with alpha.
  for (bool withAlpha : {false, true}) {
    TFlashMovie old(0, 0, 200, 150, 12);
    old.SetVersion(1);
    std::vector<BGRA> palette = GreyPalette(2, 255);
    if (withAlpha) palette[1][3] = 0;
    BmpOptions o;
    o.clrUsed = 2;
    old.AddImage(BmpPath("version.bmp", 8, 2, 1, palette, {0, 1}, o));
    old.ShowFrame();
    EXPECT_EQ(old.MakeData(), withAlpha ? 3 : 2);
  }
}

}  // namespace
}  // namespace orvanta
