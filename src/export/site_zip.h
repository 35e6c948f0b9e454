#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace orvanta {

// Writes the files, each named by its path below the folder, into one ZIP archive (deflated).
// The archive is written under a temporary name beside the target and renamed at the end, so a
// failure leaves no half-written archive; FileError says which file could not be stored. A
// file outside the folder is refused.
//
// Entries of a packed archive (an earlier archive of the same files, such as the player every
// site of a batch carries) are copied as they are, without deflating them again, for each file
// whose name and size match.
void ZipSiteFiles(const std::filesystem::path& folder,
                  const std::vector<std::filesystem::path>& files,
                  const std::filesystem::path& archive,
                  const std::optional<std::filesystem::path>& packed = std::nullopt);

}  // namespace orvanta
