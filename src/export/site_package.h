#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace orvanta {

// What goes to an ad network beside a published page.
struct TPackageOptions {
  std::optional<std::filesystem::path> Zip;  // the published files as one archive
  bool Backup = false;                       // a JPEG backup image of the banner
  std::optional<int> BackupMaxKilobytes;
};

// The backup image's place: beside the archive under its name (OUT.zip, OUT.jpg), as networks
// take the two as separate uploads, else beside the page as "backup.jpg".
std::filesystem::path BackupImagePath(const std::filesystem::path& folder,
                                      const TPackageOptions& options);

// Packs a page just published into folder from the build in workFolder: the archive of the
// published files, then the backup image (end of the headline's animation). Returns the files
// written; Error or FileError when one cannot be made.
std::vector<std::filesystem::path> PackagePublishedPage(
    const std::filesystem::path& folder, const std::vector<std::filesystem::path>& published,
    const std::filesystem::path& workFolder, const TPackageOptions& options);

}  // namespace orvanta
