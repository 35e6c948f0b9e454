#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "project/banner_document.h"
#include "project/content_builder.h"
#include "project/page_generator.h"

namespace orvanta {

class TDataRoot;

// The fixed names of the preview files in the working folder.
inline constexpr const char* kBackgroundMovieFile = "temp_bg.swf";
inline constexpr const char* kMainMovieFile = "temp.swf";
inline constexpr int kStripCount = 4;
std::string StripFileName(int strip);  // 1-based: "temp_bg1.jpg" ...

// Who asked for the rebuild: the rebuild command (and the loaders) always build; an editor's
// confirmation keeps an undo copy and builds only when the page text changed.
enum class TRebuildOrigin : uint8_t { Command, Editor };

struct TStageTime {
  std::string Stage;
  double Milliseconds = 0;
};

struct TBuildReport {
  bool Built = false;  // false when the change check found nothing to build
  TWarnings Warnings;
  std::vector<std::filesystem::path> Files;  // the preview files written, in writing order
  std::vector<TStageTime> Times;
};

struct TBuildOptions {
  std::filesystem::path WorkFolder;
  std::optional<uint64_t> Seed;  // none: seeded from the clock
  // Only publishing asks for the all-media build; every preview rebuild shows the strips.
  TPublishMode Mode = TPublishMode::CurrentPage;
};

// Turns the current page of a document into the preview files. The driver owns the stage order,
// the depth plan and the frames around the content; content builders only add their objects.
class TBuildDriver {
 public:
  TBuildDriver(const TDataRoot& data, TBuildOptions options);
  ~TBuildDriver();

  // Builders run in stage order, and within a stage in the order they were added.
  void AddBuilder(std::unique_ptr<TContentBuilder> builder);

  // Off: an editor's change is stored in the page but not built until the rebuild command.
  bool AutoRebuild = true;
  bool Busy() const { return busy_; }

  // Rebuilds the preview files. Every file is written under a temporary name first and renamed
  // only when the whole build succeeded, so a failure (an exception) keeps the previous
  // preview; the driver is idle again either way.
  TBuildReport Rebuild(TBannerDocument& doc, TRebuildOrigin origin);

 private:
  void BuildFiles(TBannerDocument& doc, TBuildReport& report);

  const TDataRoot& data_;
  TBuildOptions options_;
  std::vector<std::unique_ptr<TContentBuilder>> builders_;
  bool busy_ = false;
};

}  // namespace orvanta
