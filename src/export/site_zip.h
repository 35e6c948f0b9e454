#pragma once

#include <filesystem>
#include <vector>

namespace orvanta {

// Writes the files, each named by its path below the folder, into one ZIP archive (deflated).
// The archive is written under a temporary name beside the target and renamed at the end, so a
// failure leaves no half-written archive; FileError says which file could not be stored. A
// file outside the folder is refused.
void ZipSiteFiles(const std::filesystem::path& folder,
                  const std::vector<std::filesystem::path>& files,
                  const std::filesystem::path& archive);

}  // namespace orvanta
