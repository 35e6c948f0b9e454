// Feeds arbitrary bytes to the BMP reader and to the image builder that turns a bitmap into
// lossless tag data (palette compaction, every pixel layout, alpha). Data errors must surface as
// orvanta::Error; a crash, a sanitizer report, a hang or another exception type is a finding.
#include <cstddef>
#include <cstdint>
#include <span>

#include "media/bmp_reader.h"
#include "media/flash_image.h"
#include "media/picture_codecs.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orvanta;
  if (size < 1) return 0;
  // The first byte chooses the alpha operations applied before writing.
  const uint8_t options = data[0];
  const std::span<const uint8_t> file(data + 1, size - 1);
  constexpr uint64_t kMaxPixels = 1 << 20;

  try {
    TDecodeLimits limits;
    limits.MaxPixels = kMaxPixels;
    DecodeBMP(file, limits);
  } catch (const Error&) {
  }

  try {
    TFlashImage image;
    image.BMP().MaxPixels = kMaxPixels;
    TMemoryViewStream stream(file);
    image.BMP().LoadFromStream(stream);
    image.ApplyBMPFormat();
    if (options & 1) image.FillAlpha(options);
    if (options & 2) image.SetAlphaPixel(options >> 4, options & 15, 0);
    if (options & 4) image.SetPaletteAlpha(options >> 3, 7);
    TMemoryStream out;
    TBitsEngine engine(out);
    image.WriteToStream(engine);

    TFlashImage copy;
    copy.Assign(image);
    copy.WriteToStream(engine);
  } catch (const Error&) {
  }
  return 0;
}
