#include "export/page_build.h"

#include "builders/standard_builders.h"

namespace orvanta {

TBuildReport BuildPageFiles(TBannerDocument& doc, const TDataRoot& data,
                            const TTemplatePack& templates, const std::filesystem::path& work,
                            std::optional<uint64_t> seed) {
  TBuildDriver driver(data, {work, seed});
  AddStandardBuilders(driver, templates);
  return driver.Rebuild(doc, TRebuildOrigin::Command);
}

}  // namespace orvanta
