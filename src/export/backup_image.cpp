#include "export/backup_image.h"

#include <algorithm>
#include <cctype>

#include "export/gif_quantiser.h"
#include "export/gif_writer.h"
#include "platform/errors.h"
#include "render/pixmap_output.h"

namespace orvanta {

namespace {

constexpr int kBestQuality = 90;
constexpr int kLowestQuality = 10;

std::vector<uint8_t> EncodeGifPicture(const render::TPixmap& picture) {
  TGifWriter writer(picture.Width, picture.Height, 1);
  writer.AddFrame(QuantisePicture(render::PictureFromPixmap(picture)), 0, 0, 0);
  return writer.Finish();
}

std::string Kilobytes(size_t bytes) { return std::to_string((bytes + 1023) / 1024) + " KB"; }

// The highest quality whose file fits; the file size falls with the quality.
TBackupImage JpegWithin(const render::TPixmap& picture, size_t limit) {
  TBackupImage best{render::EncodePixmapJPEG(picture, kBestQuality), kBestQuality};
  if (best.Bytes.size() <= limit) return best;
  int low = kLowestQuality, high = kBestQuality - 1;
  std::optional<TBackupImage> fits;
  while (low <= high) {
    const int quality = (low + high) / 2;
    std::vector<uint8_t> bytes = render::EncodePixmapJPEG(picture, quality);
    if (bytes.size() <= limit) {
      fits = TBackupImage{std::move(bytes), quality};
      low = quality + 1;
    } else {
      high = quality - 1;
    }
  }
  if (!fits)
    throw Error("the backup image does not fit in " + Kilobytes(limit) + ": it takes " +
                Kilobytes(render::EncodePixmapJPEG(picture, kLowestQuality).size()) +
                " even at JPEG quality " + std::to_string(kLowestQuality));
  return *fits;
}

}  // namespace

std::optional<TPictureFormat> PictureFormatOf(const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  if (dot == std::string::npos) return std::nullopt;
  std::string ending = fileName.substr(dot + 1);
  for (char& c : ending) c = char(std::tolower(static_cast<unsigned char>(c)));
  if (ending == "png") return TPictureFormat::Png;
  if (ending == "jpg" || ending == "jpeg") return TPictureFormat::Jpeg;
  if (ending == "gif") return TPictureFormat::Gif;
  return std::nullopt;
}

TBackupImage EncodeBackupImage(const render::TPixmap& picture, TPictureFormat format,
                               std::optional<int> maxKilobytes) {
  const size_t limit = maxKilobytes ? size_t(std::max(*maxKilobytes, 1)) * 1024 : SIZE_MAX;
  if (format == TPictureFormat::Jpeg) return JpegWithin(picture, limit);
  TBackupImage image{format == TPictureFormat::Png
                         ? EncodePNG(render::PictureFromPixmap(picture))
                         : EncodeGifPicture(picture),
                     0};
  if (image.Bytes.size() > limit)
    throw Error("the backup image takes " + Kilobytes(image.Bytes.size()) + ", over the limit of " +
                Kilobytes(limit) + "; a JPEG backup image can be made smaller");
  return image;
}

}  // namespace orvanta
