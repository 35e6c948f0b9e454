#include "export/site_package.h"

#include "export/backup_image.h"
#include "export/banner_frames.h"
#include "export/site_zip.h"
#include "platform/stream.h"

namespace orvanta {

namespace fs = std::filesystem;

fs::path BackupImagePath(const fs::path& folder, const TPackageOptions& options) {
  if (options.Zip) return fs::path(*options.Zip).replace_extension(".jpg");
  return folder / "backup.jpg";
}

std::vector<fs::path> PackagePublishedPage(const fs::path& folder,
                                           const std::vector<fs::path>& published,
                                           const fs::path& workFolder,
                                           const TPackageOptions& options) {
  std::vector<fs::path> written;
  if (options.Zip) {
    ZipSiteFiles(folder, published, *options.Zip);
    written.push_back(*options.Zip);
  }
  if (options.Backup) {
    TBannerFrames frames(workFolder);
    const TBackupImage image = EncodeBackupImage(frames.Render(frames.HeadlineEndFrame()),
                                                 TPictureFormat::Jpeg, options.BackupMaxKilobytes);
    const fs::path target = BackupImagePath(folder, options);
    TFileStream file(target.string(), TFileStream::Mode::Create);
    file.WriteBuffer(image.Bytes.data(), image.Bytes.size());
    written.push_back(target);
  }
  return written;
}

}  // namespace orvanta
