#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace orvanta {

struct TPreviewAnswer {
  int Status = 200;
  std::string ContentType;
  std::string Body;
};

// The message shown for a link of the preview page to a page that is not published yet.
std::string LinkRefusalMessage(std::string_view relativeAddress);

// A file of a folder as it is; 403 for a path that climbs out of the folder (by "..", or by a
// symlink), 404 for one that is not there.
TPreviewAnswer FolderFileAnswer(const std::filesystem::path& folder, std::string_view relative);

// Answers a request of the preview port: "ruffle/..." from the player's folder, the generated
// pages and the files they use from the working folder, any other page inside the working folder
// with the link message.
TPreviewAnswer PreviewAnswer(const std::filesystem::path& workFolder,
                             const std::filesystem::path& playerFolder,
                             std::string_view requestPath);

// The page that plays a gallery's preview movie, a plain file name of the working folder, fitted
// into the frame that shows it. 400 for a name that is not a plain file name, 404 for a movie
// that is not there. The stamp only makes each address new to the browser.
TPreviewAnswer GalleryPreviewPage(const std::filesystem::path& workFolder, std::string_view movie,
                                  std::string_view stamp);

// The editor's own page and modules; "/" is its index page.
TPreviewAnswer WebUiAnswer(const std::filesystem::path& webRoot, std::string_view requestPath);

}  // namespace orvanta
