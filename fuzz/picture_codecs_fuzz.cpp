// Feeds arbitrary bytes to the picture decoders (JPEG through libjpeg, PNG through libpng, GIF
// through giflib, and detection by signature), to the JPEG marker walk of the image builder, and
// sends what decodes through scaling and the encoders. Data errors must surface as
// orvanta::Error; a crash, a leak, a sanitizer report, a hang or another exception type is a
// finding.
#include <cstddef>
#include <cstdint>
#include <span>

#include "media/flash_image.h"
#include "media/picture_codecs.h"
#include "platform/errors.h"
#include "platform/stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orvanta;
  if (size < 1) return 0;
  const uint8_t options = data[0];
  const std::span<const uint8_t> file(data + 1, size - 1);
  TDecodeLimits limits;
  limits.MaxPixels = 1 << 20;
  limits.MaxJPEGScans = 100;

  {
    TMemoryViewStream stream(file);
    uint16_t width = 0, height = 0;
    TFlashImage::ReadJPEGSize(stream, width, height);
  }

  TPicture picture;
  try {
    switch (options & 3) {
      case 0:
        ReadJPEGInfo(file);
        picture = DecodeJPEG(file, limits);
        break;
      case 1:
        picture = DecodePNG(file, limits);
        break;
      case 2:
        picture = DecodeGIF(file, limits);
        break;
      default:
        picture = DecodePicture(file, limits);
        break;
    }
  } catch (const Error&) {
    return 0;
  }

  try {
    SplitStrip(picture, 1 + (options >> 4));
    const TPicture small = ScalePicture(picture, 1 + (options >> 2 & 15), 1 + (options >> 5));
    EncodeJPEG(small, 1 + options % 100, options & 4);
    EncodePNG(small);
  } catch (const Error&) {
  }
  return 0;
}
