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

// Builds the current page of the document with every content builder into the working folder
// (the preview files the pictures are drawn from).
TBuildReport BuildPageFiles(TBannerDocument& doc, const TDataRoot& data,
                            const TTemplatePack& templates, const std::filesystem::path& work,
                            std::optional<uint64_t> seed);

}  // namespace orvanta
