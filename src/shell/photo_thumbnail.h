#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvanta {

class TDataRoot;
class TFileBrowser;

// A photo of the slideshow's list drawn small, prepared as the slideshow prepares it for its box.
struct TPhotoThumbnailRequest {
  std::string Entry;  // as the list stores it: a name inside the data root's photos/, or a path
  uint32_t Width = 64, Height = 48;
  bool Crop = false;  // fill the box exactly, cutting the excess; else fit inside it
};

// The largest box side a thumbnail is drawn at: the photo box's own limit.
inline constexpr uint32_t kMaxPhotoThumbnailSide = 2000;

// The request from a query's texts; sizes are held to 1 … kMaxPhotoThumbnailSide. RequestError
// for an empty entry, a size that is not a number or a fit other than "crop" and "fit".
TPhotoThumbnailRequest PhotoThumbnailRequestOf(const std::string& entry, const std::string& width,
                                               const std::string& height, const std::string& fit);

// The entry resolved as the slideshow resolves it, read only when the file lies inside one of
// the browser's roots, as PNG. OutsideRootError for a file outside them; FileError when the
// entry names no file; FormatError when the file is not a picture that decodes.
std::vector<uint8_t> PhotoThumbnailPng(const TDataRoot& data, const TFileBrowser& browser,
                                       const TPhotoThumbnailRequest& request);

}  // namespace orvanta
