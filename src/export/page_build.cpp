#include "export/page_build.h"

#include "builders/standard_builders.h"

namespace orvanta {

TExportWorkFolder::TExportWorkFolder(const std::string& folder)
    : work_(folder.empty() ? TWorkFolder::Fresh() : TWorkFolder(folder)),
      temporary_(folder.empty()) {}

TExportWorkFolder::~TExportWorkFolder() {
  if (!temporary_) return;
  const std::filesystem::path folder = work_->Folder();
  work_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

TBuildReport BuildPageFiles(TBannerDocument& doc, const TDataRoot& data,
                            const TTemplatePack& templates, const std::filesystem::path& work,
                            std::optional<uint64_t> seed) {
  TBuildDriver driver(data, {work, seed});
  AddStandardBuilders(driver, templates);
  return driver.Rebuild(doc, TRebuildOrigin::Command);
}

}  // namespace orvanta
