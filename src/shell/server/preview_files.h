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

// Answers a request of the preview port for a path in the working folder: the generated pages
// and the files they use as they are, any other page inside the folder with the link message,
// and paths that climb out of the folder (by "..", or by a symlink) with 403.
TPreviewAnswer PreviewAnswer(const std::filesystem::path& workFolder, std::string_view requestPath);

}  // namespace orvanta
