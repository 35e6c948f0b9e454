// Movies showing every kind of bitmap the image builder writes, each as the fill of a rectangle
// over a striped backdrop (so that transparency shows): JPEG files (baseline, and progressive
// ones converted to baseline), JPEG with an alpha plane, lossless data from BMP files of every
// depth and layout, and a PNG with alpha handed over as JPEG plus alpha. The pictures are made
// here with the codecs and written to a temporary folder.

#include <cmath>
#include <functional>

#include "../media/image_test_util.h"
#include "conformance_movies.h"
#include "conformance_support.h"
#include "media/flash_image.h"
#include "media/picture_codecs.h"
#include "movie/flash_shape.h"
#include "platform/stream.h"

namespace orvanta::conformance {

namespace {

using nlohmann::json;
using test::BGRA;
using test::BmpFile;
using test::BmpOptions;
using test::Pixels;
using test::WritePictureFile;

// A picture that shows its orientation: a colour ramp, a white bar along the top and a black
// square in the bottom-left corner.
TPicture Marked(uint32_t width, uint32_t height) {
  TPicture p = test::Ramp(width, height);
  for (uint32_t x = 0; x < width; ++x)
    for (uint32_t y = 0; y < height / 8; ++y) p.SetColor(x, y, 0xFFFFFFFFu);
  for (uint32_t y = height * 3 / 4; y < height; ++y)
    for (uint32_t x = 0; x < width / 4; ++x) p.SetColor(x, y, 0xFF000000u);
  return p;
}

// Eight colour bars with a diagonal of index 0: a palette picture that shows rows and columns.
std::vector<uint32_t> Bars(uint32_t width, uint32_t height, uint32_t colors) {
  return Pixels(width, height, [&](uint32_t x, uint32_t y) {
    if (x * height / width == y) return 0u;
    return 1 + (x * 8 / width) % (colors - 1);
  });
}

std::vector<BGRA> BarPalette(int count, uint8_t alpha = 0) {
  static const BGRA kColors[8] = {{0, 0, 0, 0},     {0, 0, 255, 0},    {0, 160, 0, 0},
                                  {255, 0, 0, 0},   {0, 255, 255, 0},  {255, 0, 255, 0},
                                  {255, 255, 0, 0}, {128, 128, 128, 0}};
  std::vector<BGRA> palette;
  for (int i = 0; i < count; ++i) {
    BGRA e = kColors[i % 8];
    if (i >= 8) e = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 3), 0};
    e[3] = alpha;
    palette.push_back(e);
  }
  return palette;
}

// The movie: a striped backdrop, then a rectangle at (20, 20) of the picture's size times
// `scale`, filled with the image fitted to it.
struct Scene {
  Case c;
  TFlashImage* Image = nullptr;
};

Scene Start(const std::string& file, int version) {
  Scene s{{file, NewMovie(version), {}}, nullptr};
  TFlashMovie& m = *s.c.Movie;
  for (int i = 0; i < 4; ++i) {
    TFlashShape* stripe = m.AddRectangle(0, i * 40, 200, i * 40 + 20);
    stripe->SetSolidColor(0xFF0000CCu);
    m.PlaceObject(stripe, static_cast<uint16_t>(1 + i));
  }
  return s;
}

// A rectangle at (20, 20) of the picture's size times `scale`, filled with the image fitted to
// it. The image is made after the shape, so the fill has to move it in front.
void Show(Scene& s, const std::function<TFlashImage*(TFlashMovie&)>& make, uint32_t width,
          uint32_t height, int scale = 2) {
  TFlashMovie& m = *s.c.Movie;
  TFlashShape* shape = m.AddRectangle(20, 20, 20 + int(width) * scale, 20 + int(height) * scale);
  s.Image = make(m);
  shape->SetImageFill(*s.Image, 1);
  m.PlaceObject(shape, 10);
  m.ShowFrame();
}

// What swf-parser must find: four stripe shapes and their placements, the bitmap (character 6),
// the filled shape (character 5) and its placement.
json Expect(int version, uint16_t code, const std::string& mediaType, uint32_t width,
            uint32_t height, const std::string& hexPrefix) {
  json codes = json::array();
  for (int i = 0; i < 4; ++i) {
    codes.push_back(22);
    codes.push_back(26);
  }
  for (int c : {int(code), 22, 26, 1, 0}) codes.push_back(c);
  json raw = {{"index", 8}, {"code", code}};
  if (!hexPrefix.empty()) raw["hexPrefix"] = hexPrefix;
  return {{"header", Header(version, 1)},
          {"codes", codes},
          {"fields",
           {{"8", {{"id", 6}, {"width", width}, {"height", height}, {"mediaType", mediaType}}},
            {"9",
             {{"id", 5},
              {"shape",
               {{"initialStyles",
                 {{"fill", json::array({{{"bitmapId", 6}, {"repeating", false}}})}}}}}}}}},
          {"rawTags", {raw}}};
}

std::string Hex16(uint32_t v) {
  static const char* digits = "0123456789abcdef";
  std::string s;
  for (uint32_t b : {v & 0xFF, (v >> 8) & 0xFF}) s += std::string{digits[b >> 4], digits[b & 15]};
  return s;
}

// The fixed fields of a lossless tag for character 6.
std::string LosslessPrefix(int format, uint32_t width, uint32_t height, int tableSize = -1) {
  std::string hex = "0600" +
                    std::string(format == 3   ? "03"
                                : format == 4 ? "04"
                                              : "05") +
                    Hex16(width) + Hex16(height);
  if (tableSize >= 0) hex += Hex16(uint32_t(tableSize)).substr(0, 2);
  return hex;
}

Case Jpeg(bool progressive) {
  const TPicture picture = Marked(80, 60);
  const std::string path = WritePictureFile(progressive ? "progressive.jpg" : "baseline.jpg",
                                            EncodeJPEG(picture, 85, progressive));
  Scene s = Start(progressive ? "image_jpeg_progressive.swf" : "image_jpeg.swf", 8);
  Show(
      s, [&](TFlashMovie& m) { return m.AddImage(path); }, 80, 60);
  s.c.Expect = Expect(8, 21, "image/jpeg", 80, 60, "0600ffd8");
  return std::move(s.c);
}

// A JPEG whose alpha plane fades from opaque on the left to clear on the right, with a clear
// hole in the middle.
Case JpegAlpha() {
  const TPicture picture = Marked(64, 48);
  Scene s = Start("image_jpeg3.swf", 8);
  auto make = [&](TFlashMovie& m) {
    TMemoryStream data(EncodeJPEG(picture, 80));
    TFlashImage* image = m.AddImage();
    image->LoadDataFromStream(data, true, false, 0, 0, 48, 64);
    image->FillAlpha(255);
    for (uint32_t y = 0; y < 48; ++y)
      for (uint32_t x = 0; x < 64; ++x) {
        const bool hole = std::hypot(x - 32.0, y - 24.0) < 8;
        image->SetAlphaPixel(x, y, hole ? 0 : static_cast<uint8_t>(255 - x * 255 / 63));
      }
    return image;
  };
  Show(s, make, 64, 48);
  s.c.Expect = Expect(8, 35, "image/x-swf-jpeg3", 64, 48, "0600");
  return std::move(s.c);
}

// A PNG with alpha, the way the static-image builder takes it: its colours as JPEG at quality
// 75, its alpha copied pixel by pixel.
Case PngAlpha() {
  TPicture source = Marked(50, 40);
  for (uint32_t y = 0; y < 40; ++y)
    for (uint32_t x = 0; x < 50; ++x) {
      const double d = std::hypot(x - 25.0, y - 20.0) / 20;
      source.Pixel(x, y)[3] = d >= 1 ? 0 : static_cast<uint8_t>(255 * (1 - d * d));
    }
  const TPicture png = DecodePNG(EncodePNG(source));
  Scene s = Start("image_png_alpha.swf", 8);
  auto make = [&](TFlashMovie& m) {
    TMemoryStream data(EncodeJPEG(png, 75));
    TFlashImage* image = m.AddImage();
    image->LoadDataFromStream(data, true, false, 0, 0, 40, 50);
    image->FillAlpha(255);
    for (uint32_t y = 0; y < 40; ++y)
      for (uint32_t x = 0; x < 50; ++x) image->SetAlphaPixel(x, y, png.Pixel(x, y)[3]);
    return image;
  };
  Show(s, make, 50, 40);
  s.c.Expect = Expect(8, 35, "image/x-swf-jpeg3", 50, 40, "0600");
  return std::move(s.c);
}

struct BmpKind {
  std::string name;
  int bits;
  uint32_t width, height;
  std::vector<BGRA> palette;
  std::vector<uint32_t> values;
  BmpOptions options;
  uint16_t code;
  int format;
  int tableSize;
};

Case Bmp(const BmpKind& k) {
  const std::string path = WritePictureFile(
      k.name + ".bmp", BmpFile(k.bits, k.width, k.height, k.palette, k.values, k.options));
  Scene s = Start("image_" + k.name + ".swf", 8);
  Show(
      s, [&](TFlashMovie& m) { return m.AddImage(path); }, k.width, k.height);
  s.c.Expect = Expect(8, k.code, k.code == 20 ? "image/x-swf-lossless1" : "image/x-swf-lossless2",
                      k.width, k.height, LosslessPrefix(k.format, k.width, k.height, k.tableSize));
  return std::move(s.c);
}

std::vector<BmpKind> BmpKinds() {
  std::vector<BmpKind> kinds;
  auto rgb = [](const TPicture& p) {
    return Pixels(p.Width, p.Height, [&](uint32_t x, uint32_t y) {
      const uint32_t c = p.Color(x, y);
      return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
    });
  };
  const TPicture marked = Marked(45, 30);

  kinds.push_back(
      {"bmp1", 1, 33, 20, {{0, 0, 0, 0}, {0, 200, 255, 0}}, Bars(33, 20, 2), {}, 20, 3, 1});
  kinds.push_back({"bmp4", 4, 21, 15, BarPalette(16), Bars(21, 15, 8), {}, 20, 3, 7});
  kinds.push_back({"bmp8", 8, 45, 30, BarPalette(256), Bars(45, 30, 8), {}, 20, 3, 7});

  // A palette that mixes clear and opaque entries: entry 0 (the diagonal) is transparent.
  BmpKind alpha{"bmp8_alpha", 8, 45, 30, BarPalette(8, 255), Bars(45, 30, 8), {}, 36, 3, 7};
  alpha.palette[0][3] = 0;
  alpha.options.clrUsed = 8;
  kinds.push_back(alpha);

  // 16 bits: 5-5-5 and 5-6-5 bit fields.
  auto to555 = [&](uint32_t x, uint32_t y) {
    const uint32_t c = marked.Color(x, y);
    return ((c & 0xFF) >> 3) << 10 | ((c >> 8 & 0xFF) >> 3) << 5 | (c >> 16 & 0xFF) >> 3;
  };
  auto to565 = [&](uint32_t x, uint32_t y) {
    const uint32_t c = marked.Color(x, y);
    return ((c & 0xFF) >> 3) << 11 | ((c >> 8 & 0xFF) >> 2) << 5 | (c >> 16 & 0xFF) >> 3;
  };
  kinds.push_back({"bmp16", 16, 45, 30, {}, Pixels(45, 30, to555), {}, 20, 4, -1});
  BmpKind wide{"bmp16_565", 16, 45, 30, {}, Pixels(45, 30, to565), {}, 20, 4, -1};
  wide.options.compression = 3;
  wide.options.masks = {0xF800, 0x07E0, 0x001F, 0};
  kinds.push_back(wide);

  kinds.push_back({"bmp24", 24, 45, 30, {}, rgb(marked), {}, 20, 5, -1});
  BmpKind topDown{"bmp24_topdown", 24, 45, 30, {}, rgb(marked), {}, 20, 5, -1};
  topDown.options.topDown = true;
  kinds.push_back(topDown);

  // 32 bits in a movie: the fourth byte is padding, every pixel opaque.
  kinds.push_back({"bmp32", 32, 45, 30, {}, rgb(marked), {}, 36, 5, -1});
  // A version 5 header with an alpha mask: the alpha counts (a clear left half).
  BmpKind argb{"bmp32_alpha",
               32,
               45,
               30,
               {},
               Pixels(45, 30,
                      [&](uint32_t x, uint32_t y) {
                        const uint32_t c = marked.Color(x, y);
                        const uint32_t a = x < 22 ? 0x40u : 0xFFu;
                        return a << 24 | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
                      }),
               {},
               36,
               5,
               -1};
  argb.options.headerSize = 124;
  argb.options.compression = 3;
  argb.options.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  kinds.push_back(argb);

  // Run-length coded: RLE8 and RLE4, bottom row first, with runs, absolute runs and deltas.
  BmpKind rle8{"bmp8_rle", 8, 40, 8, BarPalette(8), {}, {}, 20, 3, 4};
  rle8.options.compression = 1;
  rle8.options.hasData = true;
  for (int row = 0; row < 8; ++row) {
    rle8.options.data.insert(rle8.options.data.end(), {10, 1, 10, 2});            // runs
    rle8.options.data.insert(rle8.options.data.end(), {0, 5, 3, 4, 3, 4, 3, 0});  // absolute
    rle8.options.data.insert(rle8.options.data.end(), {0, 2, 5, 0});   // delta: skip 5 pixels
    rle8.options.data.insert(rle8.options.data.end(), {10, 2, 0, 0});  // run, end of line
  }
  rle8.options.data.insert(rle8.options.data.end(), {0, 1});
  kinds.push_back(rle8);

  BmpKind rle4{"bmp4_rle", 4, 40, 8, BarPalette(16), {}, {}, 20, 3, 4};
  rle4.options.compression = 2;
  rle4.options.hasData = true;
  for (int row = 0; row < 8; ++row) {
    rle4.options.data.insert(rle4.options.data.end(), {20, 0x12, 10, 0x33});         // runs
    rle4.options.data.insert(rle4.options.data.end(), {0, 5, 0x45, 0x45, 0x40, 0});  // absolute
    rle4.options.data.insert(rle4.options.data.end(), {5, 0x55, 0, 0});
  }
  rle4.options.data.insert(rle4.options.data.end(), {0, 1});
  kinds.push_back(rle4);
  return kinds;
}

// The three fill modes at version 6, where fills get the correction for older players.
Case FillModes() {
  const std::string path = WritePictureFile(
      "modes.bmp", BmpFile(24, 20, 10, {}, Pixels(20, 10, [](uint32_t x, uint32_t y) {
                             return x < 10 ? (y < 5 ? 0xFF0000u : 0x00FF00u)
                                           : (y < 5 ? 0x0000FFu : 0xFFFF00u);
                           })));
  Case c{"image_fill_modes.swf", NewMovie(6), {}};
  TFlashMovie& m = *c.Movie;
  TFlashImage* image = m.AddImage(path);
  TFlashShape* clipped = m.AddRectangle(10, 10, 60, 40);
  clipped->SetImageFill(*image, 0, 1, 1);
  TFlashShape* fitted = m.AddRectangle(70, 10, 190, 70);
  fitted->SetImageFill(*image, 1);
  TFlashShape* tiled = m.AddRectangle(10, 80, 190, 140);
  tiled->SetImageFill(*image, 2, 0.5, 0.5);
  m.PlaceObject(clipped, 1);
  m.PlaceObject(fitted, 2);
  m.PlaceObject(tiled, 3);
  m.ShowFrame();
  auto fill = [](bool repeating, double sx, double sy, int tx, int ty) {
    json style = {{"bitmapId", 1},
                  {"repeating", repeating},
                  {"matrix",
                   {{"scaleX", {{"$approx", sx}, {"$tol", 1e-4}}},
                    {"scaleY", {{"$approx", sy}, {"$tol", 1e-4}}},
                    {"translateX", tx},
                    {"translateY", ty}}}};
    return json{{"shape", {{"initialStyles", {{"fill", json::array({style})}}}}}};
  };
  c.Expect = {{"header", Header(6, 1)},
              {"codes", {20, 22, 22, 22, 26, 26, 26, 1, 0}},
              {"fields",
               {{"0", {{"id", 1}, {"width", 20}, {"height", 10}}},
                {"1", fill(false, 20, 20, 195, 195)},
                {"2", fill(false, 2400.0 / 20 + 15.0 / 4096, 1200.0 / 10 + 15.0 / 4096, 1395, 195)},
                {"3", fill(true, 10, 10, 195, 1595)}}},
              {"rawTags",
               {{{"index", 0},
                 {"code", 20},
                 {"hexPrefix",
                  "0100051400"
                  "0a00"}}}}};
  return c;
}

}  // namespace

std::vector<Case> ImageCases() {
  std::vector<Case> cases;
  cases.push_back(Jpeg(false));
  cases.push_back(Jpeg(true));
  cases.push_back(JpegAlpha());
  cases.push_back(PngAlpha());
  for (const BmpKind& kind : BmpKinds()) cases.push_back(Bmp(kind));
  cases.push_back(FillModes());
  return cases;
}

}  // namespace orvanta::conformance
