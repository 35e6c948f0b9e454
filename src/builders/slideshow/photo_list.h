#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace orvanta {

// The entry the photo list stores for a chosen file: the part of its path after the data root's
// photo folder when it lies inside it (with "\" between folders, as projects spell names), else
// the full path.
std::string PhotoEntry(const std::filesystem::path& file, const std::filesystem::path& photoFolder);

// Adds the entry unless the list already holds that very entry; a name that merely contains
// another ("11.jpg" and "1.jpg") is a different photo. True when it was added.
bool AddPhotoEntry(std::vector<std::string>& list, const std::string& entry);

}  // namespace orvanta
