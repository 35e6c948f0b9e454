#include "shell/photo_thumbnail.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <optional>

#include "builders/slideshow/photo_preparation.h"
#include "platform/data_root.h"
#include "project/content_builder.h"
#include "shell/api_errors.h"
#include "shell/file_browser.h"

namespace orvanta {

namespace fs = std::filesystem;

namespace {

uint32_t Side(const std::string& text, const char* name) {
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    throw RequestError(std::string("\"") + name + "\" must be a number of pixels");
  return uint32_t(std::clamp<int64_t>(value, 1, kMaxPhotoThumbnailSide));
}

}  // namespace

TPhotoThumbnailRequest PhotoThumbnailRequestOf(const std::string& entry, const std::string& width,
                                               const std::string& height, const std::string& fit) {
  if (entry.empty()) throw RequestError("\"name\" must name a photo of the list");
  if (fit != "crop" && fit != "fit")
    throw RequestError("\"fit\" is \"crop\" or \"fit\", not \"" + fit + "\"");
  return {entry, Side(width, "width"), Side(height, "height"), fit == "crop"};
}

std::vector<uint8_t> PhotoThumbnailPng(const TDataRoot& data, const TFileBrowser& browser,
                                       const TPhotoThumbnailRequest& request) {
  // The data root's photos/ first, then the entry as a path: the slideshow's order.
  const std::optional<fs::path> file = ResolveFieldFile(data, request.Entry, {"photos\\"});
  if (!file) throw FileError(request.Entry + " file not found !");
  if (!browser.Holds(*file))
    throw OutsideRootError("\"" + request.Entry + "\" is outside the folders the editor may read");
  const TPicture picture = LoadPictureFile(file->string());
  if (picture.Empty()) throw FormatError("\"" + request.Entry + "\" is an empty picture");
  return EncodePNG(request.Crop ? CropPhoto(picture, request.Width, request.Height)
                                : FitPhoto(picture, request.Width, request.Height));
}

}  // namespace orvanta
