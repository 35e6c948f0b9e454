#pragma once

// Decoding and encoding of the picture files the content builders take in (JPEG, PNG, GIF, BMP),
// and the scaling they use to fit photos. Every decoder reports a corrupt or unsupported file
// with FormatError and never reads outside its input.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orvanta {

// A decoded picture: 8-bit RGBA, four bytes per pixel in that order, rows from top to bottom,
// colours not premultiplied by alpha.
struct TPicture {
  uint32_t Width = 0;
  uint32_t Height = 0;
  std::vector<uint8_t> Pixels;

  TPicture() = default;
  // A picture filled with one packed colour (red in the low byte, alpha in the top byte).
  TPicture(uint32_t width, uint32_t height, uint32_t color = 0xFF000000u);

  bool Empty() const { return Width == 0 || Height == 0; }
  uint8_t* Pixel(uint32_t x, uint32_t y) { return Pixels.data() + (size_t{y} * Width + x) * 4; }
  const uint8_t* Pixel(uint32_t x, uint32_t y) const {
    return Pixels.data() + (size_t{y} * Width + x) * 4;
  }
  // Packed colour: red in the low byte, alpha in the top byte.
  uint32_t Color(uint32_t x, uint32_t y) const;
  void SetColor(uint32_t x, uint32_t y, uint32_t color);
  // Some pixel is not fully opaque.
  bool HasAlpha() const;
};

// Bounds a decoder keeps to, so that a header that lies cannot ask for a huge allocation or an
// endless decode.
struct TDecodeLimits {
  uint64_t MaxPixels = uint64_t{64} << 20;
  // Progressive JPEG scans; real files use about ten.
  int MaxJPEGScans = 1000;
};

struct TJPEGInfo {
  uint32_t Width = 0;
  uint32_t Height = 0;
  int Components = 0;
  bool Progressive = false;
};

// The frame header of a JPEG stream, without decoding the image.
TJPEGInfo ReadJPEGInfo(std::span<const uint8_t> data);
// Grey, YCbCr and (Adobe) CMYK streams, baseline or progressive; every pixel comes out opaque.
// A stream cut short decodes as far as it goes, as image viewers show it.
TPicture DecodeJPEG(std::span<const uint8_t> data, const TDecodeLimits& limits = {});
// Baseline (or progressive) JPEG of the colour channels at quality 1..100; alpha is ignored.
std::vector<uint8_t> EncodeJPEG(const TPicture& picture, int quality = 90,
                                bool progressive = false);

// Any PNG colour type and depth, with its transparency.
TPicture DecodePNG(std::span<const uint8_t> data, const TDecodeLimits& limits = {});
std::vector<uint8_t> EncodePNG(const TPicture& picture);

// The first image of a GIF file, drawn on its logical screen (transparent where it leaves the
// screen uncovered); a thumbnail strip is one such picture.
TPicture DecodeGIF(std::span<const uint8_t> data, const TDecodeLimits& limits = {});
// A single-image GIF of a picture with at most 256 distinct colours; pixels with alpha below
// 128 become the transparent colour. FormatError when the picture has more colours.
std::vector<uint8_t> EncodeGIF(const TPicture& picture, bool interlaced = false);

// A BMP file through TBMPReader.
TPicture DecodeBMP(std::span<const uint8_t> data, const TDecodeLimits& limits = {});

// Decodes by the file's signature: JPEG, PNG, GIF or BMP.
TPicture DecodePicture(std::span<const uint8_t> data, const TDecodeLimits& limits = {});
TPicture LoadPictureFile(const std::string& fileName, const TDecodeLimits& limits = {});

// Cuts a strip of thumbnails cellWidth wide into its cells, left to right; a last partial cell
// is dropped.
std::vector<TPicture> SplitStrip(const TPicture& strip, uint32_t cellWidth);

// Stretches the picture to width x height with a filter that averages every source pixel
// covered when shrinking and interpolates linearly when enlarging; colours are weighted by
// alpha, so transparent pixels leave no fringe.
TPicture ScalePicture(const TPicture& source, uint32_t width, uint32_t height);
// The same for the part of the source from (x, y), w x h source pixels in size.
TPicture ScalePicture(const TPicture& source, double x, double y, double w, double h,
                      uint32_t width, uint32_t height);

// Copies the picture's pixels into canvas with its top left at (x, y); what falls outside the
// canvas is left out.
void CopyPicture(TPicture& canvas, const TPicture& picture, uint32_t x, uint32_t y);

}  // namespace orvanta
