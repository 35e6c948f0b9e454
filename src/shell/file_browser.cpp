#include "shell/file_browser.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "shell/api_errors.h"

namespace orvanta {

namespace fs = std::filesystem;

namespace {

bool Contains(const fs::path& folder, const fs::path& path) {
  auto [end, _] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
  return end == folder.end();
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return text;
}

bool Admits(TFileFilter filter, const fs::path& file) {
  const std::string ext = Lower(file.extension().string());
  auto any = [&](std::initializer_list<std::string_view> endings) {
    return std::find(endings.begin(), endings.end(), ext) != endings.end();
  };
  switch (filter) {
    case TFileFilter::All:
      return true;
    case TFileFilter::Project:
      return any({".fls"});
    case TFileFilter::Picture:
      return any({".jpg", ".jpeg", ".bmp", ".png"});
    case TFileFilter::Jpeg:
      return any({".jpg", ".jpeg"});
    case TFileFilter::Sound:
      return any({".mp3", ".wav"});
    case TFileFilter::Movie:
      return any({".swf"});
  }
  return false;
}

}  // namespace

fs::path ResolveInside(const fs::path& root, std::string_view relative) {
  const fs::path asked(relative);
  if (asked.is_absolute())
    throw OutsideRootError("\"" + std::string(relative) + "\" is not relative");
  for (const fs::path& part : asked)
    if (part == "..")
      throw OutsideRootError("\"" + std::string(relative) + "\" climbs out with \"..\"");
  // Following every symlink that exists shows where the path really lands.
  const fs::path real = fs::weakly_canonical(root / asked);
  if (!PathIsInside(root, real))
    throw OutsideRootError("\"" + std::string(relative) + "\" leads outside its folder");
  return real;
}

bool PathIsInside(const fs::path& folder, const fs::path& path) {
  return Contains(fs::weakly_canonical(folder), fs::weakly_canonical(path));
}

TFileFilter FileFilterNamed(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, TFileFilter>, 6> kNames{{
      {"all", TFileFilter::All},
      {"project", TFileFilter::Project},
      {"picture", TFileFilter::Picture},
      {"jpg", TFileFilter::Jpeg},
      {"sound", TFileFilter::Sound},
      {"swf", TFileFilter::Movie},
  }};
  for (const auto& [text, filter] : kNames)
    if (text == name) return filter;
  throw RequestError("no file filter is named \"" + std::string(name) + "\"");
}

std::vector<std::string> TFileBrowser::RootNames() const {
  std::vector<std::string> names;
  for (const auto& [name, _] : roots_) names.push_back(name);
  return names;
}

const fs::path& TFileBrowser::Root(std::string_view name) const {
  const auto it = roots_.find(std::string(name));
  if (it == roots_.end())
    throw RequestError("no folder root is named \"" + std::string(name) + "\"");
  return it->second;
}

fs::path TFileBrowser::Resolve(std::string_view root, std::string_view relative) const {
  return ResolveInside(Root(root), relative);
}

bool TFileBrowser::Holds(const fs::path& file) const {
  return std::any_of(roots_.begin(), roots_.end(),
                     [&](const auto& root) { return PathIsInside(root.second, file); });
}

TFolderListing TFileBrowser::List(std::string_view root, std::string_view relative,
                                  TFileFilter filter) const {
  const fs::path folder = Resolve(root, relative);
  std::error_code error;
  if (!fs::is_directory(folder, error))
    throw FileError("\"" + std::string(relative) + "\" is not a folder");
  TFolderListing listing;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with(".")) continue;
    if (entry.is_directory(error))
      listing.Folders.push_back(name);
    else if (entry.is_regular_file(error) && Admits(filter, entry.path()))
      listing.Files.push_back(name);
  }
  if (error) throw FileError("cannot list \"" + std::string(relative) + "\": " + error.message());
  std::sort(listing.Folders.begin(), listing.Folders.end());
  std::sort(listing.Files.begin(), listing.Files.end());
  return listing;
}

}  // namespace orvanta
