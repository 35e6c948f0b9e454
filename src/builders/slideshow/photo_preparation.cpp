#include "builders/slideshow/photo_preparation.h"

#include <cairo.h>

#include <cmath>
#include <memory>

#include "platform/errors.h"

namespace orvanta {

namespace {

using TSurface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

// Cairo keeps premultiplied native-endian ARGB; pictures are straight RGBA bytes.
TSurface SurfaceOf(const TPicture& picture) {
  TSurface surface(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(picture.Width), int(picture.Height)),
      cairo_surface_destroy);
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
    throw Error("photo of " + std::to_string(picture.Width) + " x " +
                std::to_string(picture.Height) + " pixels is too large to prepare");
  cairo_surface_flush(surface.get());
  uint8_t* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  for (uint32_t y = 0; y < picture.Height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
    for (uint32_t x = 0; x < picture.Width; ++x) {
      const uint8_t* p = picture.Pixel(x, y);
      const uint32_t a = p[3];
      // Photos are nearly always opaque; only the others pay for the multiplication.
      if (a == 255) {
        row[x] = 0xFF000000u | uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
        continue;
      }
      auto pre = [a](uint32_t c) { return (c * a + 127) / 255; };
      row[x] = a << 24 | pre(p[0]) << 16 | pre(p[1]) << 8 | pre(p[2]);
    }
  }
  cairo_surface_mark_dirty(surface.get());
  return surface;
}

TPicture PictureOf(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  const auto width = uint32_t(cairo_image_surface_get_width(surface));
  const auto height = uint32_t(cairo_image_surface_get_height(surface));
  const uint8_t* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  TPicture picture(width, height);
  for (uint32_t y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
    for (uint32_t x = 0; x < width; ++x) {
      const uint32_t v = row[x], a = v >> 24;
      auto straight = [a](uint32_t c) { return a ? std::min(255u, (c * 255 + a / 2) / a) : 0; };
      uint8_t* p = picture.Pixel(x, y);
      p[0] = uint8_t(straight(v >> 16 & 0xFF));
      p[1] = uint8_t(straight(v >> 8 & 0xFF));
      p[2] = uint8_t(straight(v & 0xFF));
      p[3] = uint8_t(a);
    }
  }
  return picture;
}

// Draws the source region (x, y, w, h) stretched over a width x height picture.
TPicture Stretch(const TPicture& picture, double x, double y, double w, double h, uint32_t width,
                 uint32_t height) {
  TSurface source = SurfaceOf(picture);
  TSurface target(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(width), int(height)),
                  cairo_surface_destroy);
  cairo_t* cr = cairo_create(target.get());
  cairo_scale(cr, width / w, height / h);
  cairo_translate(cr, -x, -y);
  cairo_set_source_surface(cr, source.get(), 0, 0);
  // The edge pixels repeat outward, so the border of the photo does not fade to transparent.
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_destroy(cr);
  return PictureOf(target.get());
}

}  // namespace

void FitSize(uint32_t pictureWidth, uint32_t pictureHeight, uint32_t boxWidth, uint32_t boxHeight,
             uint32_t& width, uint32_t& height) {
  if (uint64_t{pictureWidth} * boxHeight > uint64_t{pictureHeight} * boxWidth) {
    width = boxWidth;
    height = uint32_t(std::lround(double(pictureHeight) * boxWidth / pictureWidth));
  } else {
    height = boxHeight;
    width = uint32_t(std::lround(double(boxHeight) * pictureWidth / pictureHeight));
  }
  width = std::max(width, 1u);
  height = std::max(height, 1u);
}

TPicture FitPhoto(const TPicture& picture, uint32_t boxWidth, uint32_t boxHeight) {
  uint32_t width = 0, height = 0;
  FitSize(picture.Width, picture.Height, boxWidth, boxHeight, width, height);
  return Stretch(picture, 0, 0, picture.Width, picture.Height, width, height);
}

TPicture CropPhoto(const TPicture& picture, uint32_t boxWidth, uint32_t boxHeight) {
  double w = picture.Width, h = picture.Height;
  if (w * boxHeight > h * boxWidth)
    w = h * boxWidth / boxHeight;
  else
    h = w * boxHeight / boxWidth;
  return Stretch(picture, (picture.Width - w) / 2, (picture.Height - h) / 2, w, h, boxWidth,
                 boxHeight);
}

TPreparedPhoto PreparePhoto(const std::filesystem::path& file, uint32_t boxWidth,
                            uint32_t boxHeight, bool crop) {
  const TPicture picture = LoadPictureFile(file.string());
  if (picture.Empty()) throw FormatError("the picture is empty");
  const TPicture prepared =
      crop ? CropPhoto(picture, boxWidth, boxHeight) : FitPhoto(picture, boxWidth, boxHeight);
  return {prepared.Width, prepared.Height, EncodeJPEG(prepared, kPhotoQuality)};
}

}  // namespace orvanta
