#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/data_root.h"
#include "project/build_driver.h"
#include "project/design_geometry.h"
#include "project/page_operations.h"
#include "shell/catalogue_service.h"
#include "shell/file_browser.h"

namespace orvanta {

class TTemplatePack;

struct TSessionConfig {
  std::filesystem::path DataRoot;
  std::filesystem::path WorkFolder;
  std::map<std::string, std::filesystem::path> BrowseRoots;  // "home", "data", ...
  std::optional<uint64_t> Seed;
  const TTemplatePack* Templates = nullptr;  // what publishing builds the pages with
  // Adds the content builders to the session's driver.
  std::function<void(TBuildDriver&)> AddBuilders;
};

// A file a dialog picked: a root of the file browser and a path inside it.
struct TFileRef {
  std::string Root;
  std::string Path;
};

struct TPublishChoice {
  bool AllMedia = false;  // the background movie inside the main one instead of the strips
  bool AllPages = false;
};

enum class TPreviewMode : uint8_t { Design, Preview };

// The editor's one banner document and every command on it. One operation at a time holds the
// document: a change that arrives while another runs (a rebuild) is refused with BusyError, and
// each change names the revision it was made against, so that a stale one is refused
// (StaleRevisionError). State() never waits: it answers from the state of the last change.
class TEditorSession {
 public:
  explicit TEditorSession(TSessionConfig config);
  ~TEditorSession();

  nlohmann::json State() const;
  const TFileBrowser& Files() const { return files_; }
  // Read at start-up while requests may already ask for its progress.
  void ReadCatalogue() { catalogue_.Read(data_); }
  const TCatalogueService& Catalogue() const { return catalogue_; }
  const std::filesystem::path& WorkFolder() const { return config_.WorkFolder; }
  const std::filesystem::path& DataRoot() const { return config_.DataRoot; }

  // Field values by name (registry fields and the text blocks "InputText", "StaticText1" ...
  // "HtmlText7"); all are checked before any is stored, then the page rebuilds as an editor's
  // confirmation does. Returns the state with the warnings of the change and the build.
  nlohmann::json SetFields(uint64_t revision, const std::map<std::string, std::string>& values);
  nlohmann::json Rebuild(uint64_t revision);
  nlohmann::json SetAutoRebuild(uint64_t revision, bool on);
  nlohmann::json Undo(uint64_t revision);
  nlohmann::json NewPage(uint64_t revision);
  nlohmann::json DeletePage(uint64_t revision, int line);
  nlohmann::json SelectPage(uint64_t revision, int line);
  nlohmann::json Load(uint64_t revision, const TFileRef& file);
  nlohmann::json Save(uint64_t revision, const TFileRef& file);
  // The blank template project, then the banner options to open.
  nlohmann::json NewEmpty(uint64_t revision);
  nlohmann::json SelectContent(uint64_t revision, const std::string& label);
  // The editor (and tab) that edits the item; changes nothing.
  nlohmann::json EditContent(const std::string& label) const;
  nlohmann::json DeleteContent(uint64_t revision, const std::string& label);
  nlohmann::json SetPreviewMode(uint64_t revision, TPreviewMode mode);
  // Publishes the current page, or every page, into a folder of a browse root; the preview is
  // rebuilt afterwards as it was.
  nlohmann::json Publish(uint64_t revision, const TFileRef& folder, const TPublishChoice& choice);
  // Loads the sample project of a catalogue entry.
  nlohmann::json OpenSample(uint64_t revision, const std::string& list, int entry);

  // Design mode, in banner pixels. A hit selects the item under the point (or clears the
  // selection); a drop moves the named item by the drag's offset, resizes it or the banner by
  // dragging the given edge, then rebuilds as an editor's confirmation does and keeps the item
  // selected.
  nlohmann::json DesignHit(uint64_t revision, int x, int y);
  nlohmann::json DesignMove(uint64_t revision, const std::string& name, int dx, int dy);
  nlohmann::json DesignResize(uint64_t revision, const std::string& name, TResizeEdge edge, int dx,
                              int dy);
  nlohmann::json DesignPageSize(uint64_t revision, TResizeEdge edge, int dx, int dy);

 private:
  class TChange;
  // Builds the state answer; called with the document held.
  nlohmann::json Snapshot(const TWarnings& warnings);
  nlohmann::json Finish(TChange& change, const TWarnings& warnings);
  nlohmann::json ApplyPageResult(TChange& change, const TPageResult& result);
  // Shows a loaded document in place of the open one; file is where it came from.
  nlohmann::json LoadDocument(TBannerDocument doc, const std::filesystem::path& file,
                              TWarnings warnings, TChange& change);
  // Rebuilds after a drop that changed the page, keeping the item selected.
  nlohmann::json FinishDrop(TChange& change, bool changed, TWarnings warnings,
                            const std::string& selection);

  TSessionConfig config_;
  TDataRoot data_;
  TFileBrowser files_;
  TCatalogueService catalogue_;
  std::unique_ptr<TBuildDriver> driver_;
  TBannerDocument doc_;

  std::mutex document_;  // held by one change at a time
  std::atomic<bool> busy_{false};
  uint64_t revision_ = 1;
  bool built_ = false;
  std::string projectFile_;  // the project last loaded or saved; empty before either
  TPreviewMode mode_ = TPreviewMode::Design;
  std::string selection_;
  double lastBuildMs_ = 0;
  uint64_t builds_ = 0;

  mutable std::mutex snapshotLock_;
  nlohmann::json snapshot_;
};

}  // namespace orvanta
