#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

// A path inside a folder, as a request names it: relative, "/" between parts, no "..". The
// result is the real path, symlinks followed; OutsideRootError when it is not inside the folder.
std::filesystem::path ResolveInside(const std::filesystem::path& root, std::string_view relative);

// Whether the path, symlinks followed, lies in the folder.
bool PathIsInside(const std::filesystem::path& folder, const std::filesystem::path& path);

// What a dialog lists besides folders.
enum class TFileFilter : uint8_t { All, Project, Picture, Jpeg, Sound, Movie };
// "project", "picture", "jpg", "sound", "swf" or "all"; RequestError for anything else.
TFileFilter FileFilterNamed(std::string_view name);

struct TFolderListing {
  std::vector<std::string> Folders;  // sorted, hidden ones left out
  std::vector<std::string> Files;    // those the filter admits, sorted
};

// The named folders a dialog may browse ("home", "data"). It only lists: it never opens a file.
class TFileBrowser {
 public:
  explicit TFileBrowser(std::map<std::string, std::filesystem::path> roots)
      : roots_(std::move(roots)) {}

  std::vector<std::string> RootNames() const;
  // A path inside a root; RequestError for an unknown root, OutsideRootError for an escape.
  std::filesystem::path Resolve(std::string_view root, std::string_view relative) const;
  TFolderListing List(std::string_view root, std::string_view relative, TFileFilter filter) const;
  // Whether the file, symlinks followed, lies inside one of the roots.
  bool Holds(const std::filesystem::path& file) const;

 private:
  const std::filesystem::path& Root(std::string_view name) const;
  std::map<std::string, std::filesystem::path> roots_;
};

}  // namespace orvanta
