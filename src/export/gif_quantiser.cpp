#include "export/gif_quantiser.h"

#include <libimagequant.h>

#include <memory>

#include "platform/errors.h"

namespace orvanta {

namespace {

struct TAttrFree {
  void operator()(liq_attr* attr) const { liq_attr_destroy(attr); }
};
struct TImageFree {
  void operator()(liq_image* image) const { liq_image_destroy(image); }
};
struct TResultFree {
  void operator()(liq_result* result) const { liq_result_destroy(result); }
};

// Speed 1 is the slowest and best; banners are many similar frames, where 6 loses nothing
// visible and is several times faster.
constexpr int kSpeed = 6;

void Check(liq_error status, const char* what) {
  if (status != LIQ_OK)
    throw Error(std::string("cannot reduce the picture to 256 colours: ") + what + " failed (" +
                std::to_string(int(status)) + ")");
}

}  // namespace

TIndexedPicture QuantisePicture(const TPicture& picture) {
  if (picture.Empty()) throw Error("cannot reduce an empty picture to 256 colours");
  // Everything not transparent counts as opaque: the frames are drawn on the opaque background.
  TPicture source = picture;
  for (size_t i = 3; i < source.Pixels.size(); i += 4)
    source.Pixels[i] = source.Pixels[i] == 0 ? 0 : 255;

  std::unique_ptr<liq_attr, TAttrFree> attr(liq_attr_create());
  if (!attr) throw Error("cannot reduce the picture to 256 colours: out of memory");
  Check(liq_set_speed(attr.get(), kSpeed), "setting the speed");
  const int width = int(picture.Width), height = int(picture.Height);
  std::unique_ptr<liq_image, TImageFree> image(
      liq_image_create_rgba(attr.get(), source.Pixels.data(), width, height, 0));
  if (!image) throw Error("cannot reduce the picture to 256 colours: it is too large");
  liq_result* raw = nullptr;
  Check(liq_image_quantize(image.get(), attr.get(), &raw), "choosing the palette");
  std::unique_ptr<liq_result, TResultFree> result(raw);
  Check(liq_set_dithering_level(result.get(), 1.0f), "setting the dithering");

  TIndexedPicture indexed;
  indexed.Width = width;
  indexed.Height = height;
  indexed.Indices.resize(size_t(width) * size_t(height));
  Check(liq_write_remapped_image(result.get(), image.get(), indexed.Indices.data(),
                                 indexed.Indices.size()),
        "mapping the pixels");
  // Remapping refines the palette, so it is read afterwards.
  const liq_palette* palette = liq_get_palette(result.get());
  for (unsigned i = 0; i < palette->count; ++i) {
    const liq_color& c = palette->entries[i];
    indexed.Palette.push_back({c.r, c.g, c.b});
    if (c.a == 0 && indexed.Transparent < 0) indexed.Transparent = int(i);
  }
  return indexed;
}

}  // namespace orvanta
