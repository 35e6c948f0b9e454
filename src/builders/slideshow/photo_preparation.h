#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "media/picture_codecs.h"

namespace orvanta {

// The size a picture takes inside a box keeping its proportions: the box width when the picture
// is relatively wider than the box, else the box height.
void FitSize(uint32_t pictureWidth, uint32_t pictureHeight, uint32_t boxWidth, uint32_t boxHeight,
             uint32_t& width, uint32_t& height);

// Scaled to fit inside the box, keeping its proportions.
TPicture FitPhoto(const TPicture& picture, uint32_t boxWidth, uint32_t boxHeight);
// The largest centred part with the box's proportions, stretched to exactly the box.
TPicture CropPhoto(const TPicture& picture, uint32_t boxWidth, uint32_t boxHeight);

// A photo ready for the movie: its size and its JPEG data at the slideshow's quality.
struct TPreparedPhoto {
  uint32_t Width = 0, Height = 0;
  std::vector<uint8_t> JPEG;
};
inline constexpr int kPhotoQuality = 80;

// Reads the file by its content (JPEG, PNG, BMP or GIF, whatever the extension says), fits or
// crops it into the box and compresses it. FormatError or FileError when it cannot be read.
TPreparedPhoto PreparePhoto(const std::filesystem::path& file, uint32_t boxWidth,
                            uint32_t boxHeight, bool crop);

}  // namespace orvanta
