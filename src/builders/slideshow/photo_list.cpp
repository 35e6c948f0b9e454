#include "builders/slideshow/photo_list.h"

#include <algorithm>

namespace orvanta {

std::string PhotoEntry(const std::filesystem::path& file,
                       const std::filesystem::path& photoFolder) {
  const std::filesystem::path absolute = std::filesystem::absolute(file).lexically_normal();
  const std::filesystem::path folder = std::filesystem::absolute(photoFolder).lexically_normal();
  const std::filesystem::path inside = absolute.lexically_relative(folder);
  if (inside.empty() || *inside.begin() == "..") return absolute.string();
  std::string entry;
  for (const auto& part : inside) entry += (entry.empty() ? "" : "\\") + part.string();
  return entry;
}

bool AddPhotoEntry(std::vector<std::string>& list, const std::string& entry) {
  if (std::find(list.begin(), list.end(), entry) != list.end()) return false;
  list.push_back(entry);
  return true;
}

}  // namespace orvanta
