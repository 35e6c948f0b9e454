#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "project/build_driver.h"
#include "project/work_folder.h"

namespace orvanta {

class TDataRoot;
class TTemplatePack;

// A working folder for one export: the given one, or a fresh temporary one that is removed,
// with everything the build left in it, when the export ends.
class TExportWorkFolder {
 public:
  explicit TExportWorkFolder(const std::string& folder = {});
  ~TExportWorkFolder();
  TExportWorkFolder(const TExportWorkFolder&) = delete;
  TExportWorkFolder& operator=(const TExportWorkFolder&) = delete;
  const std::filesystem::path& Folder() const { return work_->Folder(); }

 private:
  std::optional<TWorkFolder> work_;
  bool temporary_ = false;
};

// Builds the current page of the document with every content builder into the working folder
// (the preview files the pictures are drawn from).
TBuildReport BuildPageFiles(TBannerDocument& doc, const TDataRoot& data,
                            const TTemplatePack& templates, const std::filesystem::path& work,
                            std::optional<uint64_t> seed);

}  // namespace orvanta
