#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "render/pixmap.h"

namespace orvanta {

enum class TPictureFormat : uint8_t { Png, Jpeg, Gif };

// The format a file name asks for by its ending (.png, .jpg or .jpeg, .gif), or none.
std::optional<TPictureFormat> PictureFormatOf(const std::string& fileName);

struct TBackupImage {
  std::vector<uint8_t> Bytes;
  int Quality = 0;  // the JPEG quality used; 0 for the other formats
};

// The picture in the format. A JPEG is written at quality 90, or at the highest quality that
// keeps it within maxKilobytes; the lossless formats cannot shrink, so a limit they pass is an
// Error, as is a JPEG that stays too large even at the lowest quality.
TBackupImage EncodeBackupImage(const render::TPixmap& picture, TPictureFormat format,
                               std::optional<int> maxKilobytes = std::nullopt);

}  // namespace orvanta
