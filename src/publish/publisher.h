#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "project/banner_document.h"
#include "project/page_generator.h"

namespace orvanta {

class TDataRoot;
class TTemplatePack;

struct TPublishOptions {
  std::filesystem::path Folder;      // where the site goes; created when missing
  std::filesystem::path WorkFolder;  // where the pages are rebuilt first
  TPublishMode Mode = TPublishMode::CurrentPage;
  std::optional<uint64_t> Seed;
  // Rebuild the page that was current in the normal mode afterwards, so that the preview shows
  // what it showed before; a caller without a preview saves that build.
  bool RestorePreview = true;
};

struct TPublishResult {
  std::vector<std::filesystem::path> Files;  // every file written, in writing order
  TWarnings Warnings;                        // of the builds and of the names
  std::vector<std::string> Missing;          // files that could not be written, with the reason
  bool Complete() const { return Missing.empty(); }
  // "Published with 2 files missing: ..." or "Published N files".
  std::string Summary() const;
};

// Rebuilds a page in the chosen mode and writes it into the folder as a site that plays in a
// browser: the page under its own file name, its movie and pictures (under "images/" in the
// current-page mode), and the Ruffle player in "ruffle/". The page is generated with its final
// file names. Nothing is written outside the folder; a file that cannot be written is listed in
// Missing and the rest is written all the same.
TPublishResult PublishPage(TBannerDocument& doc, int page, const TDataRoot& data,
                           const TTemplatePack& templates, const TPublishOptions& options);

// What the publish dialog lists for a mode: the page line (file name and title, as in the page
// list) and the files of its layout, relative to the folder.
std::vector<std::string> PublishFileList(const TPageState& page, TPublishMode mode);

// Every page of the project into one folder. Pages whose names would share files get a suffix
// (a warning says so).
TPublishResult PublishAllPages(TBannerDocument& doc, const TDataRoot& data,
                               const TTemplatePack& templates, const TPublishOptions& options);

}  // namespace orvanta
