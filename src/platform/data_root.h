#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orvanta {

// The folder of generated data files the program reads beside itself (clips, thumbnails,
// sample projects, pictures, music). The program only ever reads from it.
class TDataRoot {
 public:
  // Raises FileError when Folder is not a directory.
  explicit TDataRoot(std::filesystem::path folder);

  // The folder "data" beside the running executable.
  static std::filesystem::path BesideExecutable();

  const std::filesystem::path& Folder() const { return folder_; }

  // A name as projects store it ("mc_thumb\McHeart.bmp"): "\" separates folders and case does
  // not matter, as on the system the projects were made on. None when no such file or folder
  // exists. Names that would leave the data root raise Error.
  std::optional<std::filesystem::path> Find(std::string_view storedName) const;
  // As Find; raises FileError naming the file when it is missing.
  std::filesystem::path Require(std::string_view storedName) const;

 private:
  std::filesystem::path folder_;
};

// The stored name with "/" between its parts. Raises Error for a name that is empty, absolute
// or climbs out with "..", so that a project cannot reach files outside the data root.
std::string NormaliseStoredName(std::string_view storedName);

}  // namespace orvanta
