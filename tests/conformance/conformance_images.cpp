// Movies showing every kind of bitmap the image builder writes, each as the fill of a rectangle
// over a striped backdrop (so that transparency shows): JPEG files (baseline, and progressive
// ones converted to baseline), JPEG with an alpha plane, lossless data from BMP files of every
// depth and layout, and a PNG with alpha handed over as JPEG plus alpha. The pictures are made
// here with the codecs and written to a temporary folder.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>

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

// What the player must show, in screen pixels of the 200x150 movie.

// A source picture's pixel as red, green, blue, alpha; nullopt where the file leaves it unknown
// (pixels an RLE delta skips).
using RGBA = std::array<int, 4>;
using Source = std::function<std::optional<RGBA>(uint32_t x, uint32_t y)>;

// The steepest change per pixel, in any channel, around a point that is sampled: the ramps
// change by up to about 9 per pixel, edges and bars by 30 or more in one step.
constexpr int kSlope = 14;

// Stripes cover rows 0-19, 40-59, 80-99 and 120-139; the movie's white background the rest.
RGBA Backdrop(int y) {
  return y % 40 < 20 && y < 140 ? RGBA{0xCC, 0, 0, 255} : RGBA{255, 255, 255, 255};
}

std::string HexRGB(const RGBA& c) {
  char text[8];
  std::snprintf(text, sizeof text, "%02x%02x%02x", c[0], c[1], c[2]);
  return text;
}

json PixelCheck(int x, int y, const RGBA& rgb, int tol, const std::string& what) {
  return {{"x", x}, {"y", y}, {"rgb", HexRGB(rgb)}, {"tol", tol}, {"what", what}};
}

// Points of the backdrop around the picture's rectangle (20, 20)-(right, bottom): on a stripe
// and between stripes, left of it and right of it or below it.
json BackdropPixels(int right, int bottom) {
  json checks = json::array();
  std::vector<std::array<int, 2>> points = {{10, 10}, {10, 30}, {100, 5}};
  if (right + 4 < 200) points.insert(points.end(), {{right + 4, 50}, {right + 4, 70}});
  if (bottom + 4 < 150) points.push_back({100, bottom + 4});
  for (const auto& [x, y] : points)
    checks.push_back(
        PixelCheck(x, y, Backdrop(y), 4, y % 40 < 20 ? "backdrop stripe" : "backdrop"));
  return checks;
}

// Pixel checks for a picture drawn at (20, 20) with `scale` screen pixels per picture pixel: at
// a grid of picture pixels (and `extra` ones) where the picture changes slowly within `radius`
// pixels, so that resampling (or JPEG's blocks, with a wider radius) cannot move the colour
// much. The expected colour is the picture's blended over the backdrop beneath.
json PicturePixels(const Source& source, uint32_t width, uint32_t height, int scale, int radius,
                   int tol, std::vector<std::array<uint32_t, 2>> extra = {}) {
  constexpr uint32_t kColumns = 7, kRows = 5;
  for (uint32_t i = 0; i < kColumns; ++i)
    for (uint32_t j = 0; j < kRows; ++j)
      extra.push_back({(2 * i + 1) * width / (2 * kColumns), (2 * j + 1) * height / (2 * kRows)});
  std::sort(extra.begin(), extra.end());
  extra.erase(std::unique(extra.begin(), extra.end()), extra.end());
  auto smooth = [&](uint32_t px, uint32_t py) {
    const std::optional<RGBA> centre = source(px, py);
    if (!centre) return false;
    for (int dy = -radius; dy <= radius; ++dy)
      for (int dx = -radius; dx <= radius; ++dx) {
        const int x = int(px) + dx, y = int(py) + dy;
        if (x < 0 || y < 0 || x >= int(width) || y >= int(height)) continue;
        const std::optional<RGBA> near = source(uint32_t(x), uint32_t(y));
        if (!near) return false;
        // Colours weighed by their alpha: under a clear pixel any colour looks the same.
        for (int c = 0; c < 4; ++c) {
          const int a = c < 3 ? (*near)[c] * (*near)[3] / 255 : (*near)[3];
          const int b = c < 3 ? (*centre)[c] * (*centre)[3] / 255 : (*centre)[3];
          if (std::abs(a - b) > kSlope * std::max(std::abs(dx), std::abs(dy))) return false;
        }
      }
    return true;
  };
  json checks = json::array();
  for (const auto& [px, py] : extra) {
    if (!smooth(px, py)) continue;
    const int x = 20 + int(px) * scale + scale / 2, y = 20 + int(py) * scale + scale / 2;
    const RGBA c = *source(px, py), under = Backdrop(y);
    RGBA shown{0, 0, 0, 255};
    for (int k = 0; k < 3; ++k) shown[k] = (c[k] * c[3] + under[k] * (255 - c[3]) + 127) / 255;
    std::string what = "picture (" + std::to_string(px) + "," + std::to_string(py) + ")";
    if (c[3] < 255)
      what +=
          ", alpha " + std::to_string(c[3]) + (under[1] == 0 ? " over a stripe" : " over white");
    checks.push_back(PixelCheck(x, y, shown, tol, what));
  }
  return checks;
}

Source FromPicture(const TPicture& picture) {
  return [picture](uint32_t x, uint32_t y) -> std::optional<RGBA> {
    const uint8_t* p = picture.Pixel(x, y);
    return RGBA{p[0], p[1], p[2], p[3]};
  };
}

json Concat(json a, const json& b) {
  for (const json& check : b) a.push_back(check);
  return a;
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
  // Quality 85 moves smooth areas by a few steps; 4:2:0 chroma blurs colour over two pixels.
  s.c.Expect["pixels"] =
      Concat(PicturePixels(FromPicture(picture), 80, 60, 2, 3, 20, {{40, 3}, {10, 52}}),
             BackdropPixels(180, 140));
  return std::move(s.c);
}

// The colours of a picture multiplied by `alpha`: players take the JPEG part of a JPEG with
// alpha as premultiplied (and clamp each channel to the alpha), so unmultiplied colours would
// come out too bright wherever the picture is translucent.
TPicture Premultiplied(TPicture picture, const std::function<int(uint32_t, uint32_t)>& alpha) {
  for (uint32_t y = 0; y < picture.Height; ++y)
    for (uint32_t x = 0; x < picture.Width; ++x) {
      uint8_t* p = picture.Pixel(x, y);
      for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>((p[c] * alpha(x, y) + 127) / 255);
    }
  return picture;
}

// A JPEG whose alpha plane fades from opaque on the left to clear on the right, with a clear
// hole in the middle.
Case JpegAlpha() {
  const TPicture picture = Marked(64, 48);
  auto alpha = [](uint32_t x, uint32_t y) {
    return std::hypot(x - 32.0, y - 24.0) < 8 ? 0 : int(255 - x * 255 / 63);
  };
  Scene s = Start("image_jpeg3.swf", 8);
  auto make = [&](TFlashMovie& m) {
    TMemoryStream data(EncodeJPEG(Premultiplied(picture, alpha), 80));
    TFlashImage* image = m.AddImage();
    image->LoadDataFromStream(data, true, false, 0, 0, 48, 64);
    image->FillAlpha(255);
    for (uint32_t y = 0; y < 48; ++y)
      for (uint32_t x = 0; x < 64; ++x)
        image->SetAlphaPixel(x, y, static_cast<uint8_t>(alpha(x, y)));
    return image;
  };
  Show(s, make, 64, 48);
  s.c.Expect = Expect(8, 35, "image/x-swf-jpeg3", 64, 48, "0600");
  // The hole's centre, and a point of it over a stripe.
  const Source source = [&](uint32_t x, uint32_t y) -> std::optional<RGBA> {
    const uint8_t* p = picture.Pixel(x, y);
    return RGBA{p[0], p[1], p[2], alpha(x, y)};
  };
  s.c.Expect["pixels"] = Concat(PicturePixels(source, 64, 48, 2, 2, 20, {{32, 24}, {32, 19}}),
                                BackdropPixels(148, 116));
  return std::move(s.c);
}

// A PNG with alpha, the way the static-image builder takes it: its colours (premultiplied) as
// JPEG at quality 75, its alpha copied pixel by pixel.
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
    TMemoryStream data(EncodeJPEG(
        Premultiplied(png, [&](uint32_t x, uint32_t y) { return png.Pixel(x, y)[3]; }), 75));
    TFlashImage* image = m.AddImage();
    image->LoadDataFromStream(data, true, false, 0, 0, 40, 50);
    image->FillAlpha(255);
    for (uint32_t y = 0; y < 40; ++y)
      for (uint32_t x = 0; x < 50; ++x) image->SetAlphaPixel(x, y, png.Pixel(x, y)[3]);
    return image;
  };
  Show(s, make, 50, 40);
  s.c.Expect = Expect(8, 35, "image/x-swf-jpeg3", 50, 40, "0600");
  // Quality 75 moves the ramp by up to 7 here, like quality 85; the corners are clear.
  s.c.Expect["pixels"] =
      Concat(PicturePixels(FromPicture(png), 50, 40, 2, 2, 20, {{1, 1}, {48, 38}}),
             BackdropPixels(120, 100));
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
  // RLE files: the palette index of each pixel of every row (all rows alike), -1 where a delta
  // skips the pixel.
  std::vector<int> rleRow = {};
};

// The picture a BMP file describes, read from the description that made it.
Source BmpSource(const BmpKind& k) {
  const bool alpha = k.code == 36;
  auto fromPalette = [&k, alpha](int index) -> std::optional<RGBA> {
    if (index < 0) return std::nullopt;
    const BGRA& e = k.palette.at(size_t(index));
    return RGBA{e[2], e[1], e[0], alpha ? e[3] : 255};
  };
  return [k, fromPalette](uint32_t x, uint32_t y) -> std::optional<RGBA> {
    if (!k.rleRow.empty()) return fromPalette(k.rleRow.at(x));
    const uint32_t v = k.values.at(size_t{y} * k.width + x);
    if (k.bits <= 8) return fromPalette(int(v));
    if (k.bits == 16) {
      const bool masked = k.options.compression == 3;
      RGBA c{0, 0, 0, 255};
      const uint32_t masks[3] = {masked ? k.options.masks[0] : 0x7C00u,
                                 masked ? k.options.masks[1] : 0x03E0u,
                                 masked ? k.options.masks[2] : 0x001Fu};
      for (int i = 0; i < 3; ++i) {
        // n bits widened to 8 by repeating the top bits.
        const int shift = __builtin_ctz(masks[i]), n = __builtin_popcount(masks[i]);
        const int field = int((v & masks[i]) >> shift);
        c[i] = field << (8 - n) | field >> (2 * n - 8);
      }
      return c;
    }
    return RGBA{int(v >> 16 & 0xFF), int(v >> 8 & 0xFF), int(v & 0xFF),
                k.options.masks[3] != 0 ? int(v >> 24) : 255};
  };
}

Case Bmp(const BmpKind& k) {
  const std::string path = WritePictureFile(
      k.name + ".bmp", BmpFile(k.bits, k.width, k.height, k.palette, k.values, k.options));
  Scene s = Start("image_" + k.name + ".swf", 8);
  Show(
      s, [&](TFlashMovie& m) { return m.AddImage(path); }, k.width, k.height);
  s.c.Expect = Expect(8, k.code, k.code == 20 ? "image/x-swf-lossless1" : "image/x-swf-lossless2",
                      k.width, k.height, LosslessPrefix(k.format, k.width, k.height, k.tableSize));
  // Lossless: what the file holds is drawn, give or take the rounding of premultiplied alpha;
  // 5-bit channels are widened to 8 bits in more than one way.
  const int right = 20 + 2 * int(k.width), bottom = 20 + 2 * int(k.height);
  s.c.Expect["pixels"] =
      Concat(PicturePixels(BmpSource(k), k.width, k.height, 2, 1, k.bits == 16 ? 8 : 6,
                           {{k.width / 2, 1}, {k.width / 8, k.height * 7 / 8}}),
             BackdropPixels(right, bottom));
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
  for (int x = 0; x < 40; ++x)
    rle8.rleRow.push_back(x < 10 ? 1 : x < 20 ? 2 : x < 25 ? (x % 2 ? 4 : 3) : x < 30 ? -1 : 2);
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
  for (int x = 0; x < 40; ++x)
    rle4.rleRow.push_back(x < 20 ? 1 + x % 2 : x < 30 ? 3 : x < 35 ? (x % 2 ? 5 : 4) : 5);
  kinds.push_back(rle4);
  return kinds;
}

// The quadrants of the fill-mode picture (red, blue over green, yellow) in each rectangle:
// at 1:1 from (10, 10) with its edge pixels stretched over the rest of the rectangle, fitted
// to 120x60 at (70, 10), tiled at half size from (10, 80); white around them.
json FillModePixels() {
  const RGBA red{255, 0, 0, 255}, green{0, 255, 0, 255}, blue{0, 0, 255, 255},
      yellow{255, 255, 0, 255}, white{255, 255, 255, 255};
  json checks = json::array();
  auto add = [&](int x, int y, const RGBA& c, const std::string& what) {
    checks.push_back(PixelCheck(x, y, c, 4, what));
  };
  add(12, 12, red, "clipped, top left");
  add(25, 12, blue, "clipped, top right");
  add(12, 17, green, "clipped, bottom left");
  add(25, 17, yellow, "clipped, bottom right");
  add(45, 12, blue, "clipped, right edge stretched");
  add(15, 35, green, "clipped, bottom edge stretched");
  add(50, 35, yellow, "clipped, corner stretched");
  add(100, 25, red, "fitted, top left");
  add(160, 25, blue, "fitted, top right");
  add(100, 55, green, "fitted, bottom left");
  add(160, 55, yellow, "fitted, bottom right");
  // Tiles are 10x5 pixels, offset by the quarter-pixel correction.
  for (int tx : {0, 8, 17})
    for (int ty : {0, 11}) {
      const std::string tile =
          "tiled, tile (" + std::to_string(tx) + "," + std::to_string(ty) + ") ";
      add(12 + 10 * tx, 81 + 5 * ty, red, tile + "top left");
      add(17 + 10 * tx, 81 + 5 * ty, blue, tile + "top right");
      add(12 + 10 * tx, 83 + 5 * ty, green, tile + "bottom left");
      add(17 + 10 * tx, 83 + 5 * ty, yellow, tile + "bottom right");
    }
  for (const auto& [x, y] : std::vector<std::array<int, 2>>{
           {5, 5}, {64, 25}, {30, 45}, {195, 40}, {100, 75}, {100, 144}})
    add(x, y, white, "background");
  return checks;
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
              {"pixels", FillModePixels()},
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
