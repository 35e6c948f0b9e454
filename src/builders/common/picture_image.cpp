#include "builders/common/picture_image.h"

#include <algorithm>

#include "media/bmp_reader.h"
#include "media/flash_image.h"
#include "media/picture_codecs.h"
#include "movie/flash_movie.h"
#include "platform/errors.h"
#include "platform/stream.h"

namespace orvanta {

namespace {

bool StartsWith(std::span<const uint8_t> file, std::initializer_list<uint8_t> signature) {
  return file.size() >= signature.size() &&
         std::equal(signature.begin(), signature.end(), file.begin());
}

// A bitmap character holds at most 65535 pixels a side.
void CheckBitmapSize(const TPicture& picture) {
  if (picture.Width > 65535 || picture.Height > 65535)
    throw FormatError("the picture is too large for a movie (" + std::to_string(picture.Width) +
                      " x " + std::to_string(picture.Height) + ")");
}

TFlashImage* AddJPEGData(TFlashMovie& movie, std::span<const uint8_t> jpeg, const TPicture& size) {
  TFlashImage* image = movie.AddImage();
  TMemoryViewStream stream(jpeg);
  image->LoadDataFromStream(stream, true, false, 0, 0, uint16_t(size.Height), uint16_t(size.Width));
  return image;
}

}  // namespace

TPictureKind PictureKindOf(std::span<const uint8_t> file) {
  if (StartsWith(file, {0xFF, 0xD8, 0xFF})) return TPictureKind::JPEG;
  if (StartsWith(file, {0x89, 'P', 'N', 'G'})) return TPictureKind::PNG;
  if (StartsWith(file, {'B', 'M'})) return TPictureKind::BMP;
  if (StartsWith(file, {'G', 'I', 'F', '8'})) return TPictureKind::GIF;
  return TPictureKind::Unknown;
}

TFlashImage* AddPictureImage(TFlashMovie& movie, std::span<const uint8_t> file) {
  switch (PictureKindOf(file)) {
    case TPictureKind::JPEG: {
      const TPicture picture = DecodeJPEG(file);
      CheckBitmapSize(picture);
      const TJPEGInfo info = ReadJPEGInfo(file);
      // A progressive stream, or one whose size the tag reader cannot find, is made baseline.
      if (info.Progressive || info.Width != picture.Width || info.Height != picture.Height)
        return AddJPEGData(movie, EncodeJPEG(picture, 90), picture);
      return AddJPEGData(movie, file, picture);
    }
    case TPictureKind::BMP: {
      CheckBitmapSize(DecodeBMP(file));
      TFlashImage* image = movie.AddImage();
      TMemoryViewStream stream(file);
      image->BMP().LoadFromStream(stream);
      image->ApplyBMPFormat();
      return image;
    }
    default:
      throw FormatError("not a JPEG or BMP picture");
  }
}

TFlashImage* AddTransparentImage(TFlashMovie& movie, const TPicture& picture) {
  CheckBitmapSize(picture);
  TPicture colours = picture;
  for (size_t i = 0; i < colours.Pixels.size(); i += 4) {
    const unsigned alpha = colours.Pixels[i + 3];
    for (size_t c = 0; c < 3; ++c)
      colours.Pixels[i + c] = uint8_t((colours.Pixels[i + c] * alpha + 127) / 255);
  }
  TFlashImage* image = AddJPEGData(movie, EncodeJPEG(colours, 75), picture);
  image->FillAlpha(255);
  for (uint32_t y = 0; y < picture.Height; ++y)
    for (uint32_t x = 0; x < picture.Width; ++x) image->SetAlphaPixel(x, y, picture.Pixel(x, y)[3]);
  return image;
}

}  // namespace orvanta
