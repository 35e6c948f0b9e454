#include "shell/editor_session.h"

#include <algorithm>
#include <chrono>

#include "project/content_builder.h"
#include "project/field_registry.h"
#include "project/page_blocks.h"
#include "project/page_operations.h"
#include "project/page_text.h"
#include "project/project_file.h"
#include "publish/publisher.h"
#include "shell/api_errors.h"
#include "shell/content_commands.h"
#include "shell/design_json.h"
#include "shell/document_json.h"

namespace orvanta {

namespace fs = std::filesystem;
using nlohmann::json;

// Holds the document for one change: refused when another change holds it or when the caller's
// revision is old. A change that touched the document moves the revision on and publishes the
// new state, also when it failed half-way; one refused before touching it leaves both as they
// were.
class TEditorSession::TChange {
 public:
  TChange(TEditorSession& session, uint64_t revision, bool touched = true)
      : session_(session), lock_(session.document_, std::try_to_lock), touched_(touched) {
    if (!lock_.owns_lock()) throw BusyError();
    if (revision != session.revision_)
      throw StaleRevisionError("the document is at revision " + std::to_string(session.revision_) +
                               ", not " + std::to_string(revision) + "; reload it and try again");
    session_.busy_ = true;
  }
  ~TChange() {
    if (touched_ && !finished_) Commit({});
    session_.busy_ = false;
  }
  void Touch() { touched_ = true; }
  json Commit(const TWarnings& warnings) {
    finished_ = true;
    ++session_.revision_;
    json state = session_.Snapshot(warnings);
    std::lock_guard guard(session_.snapshotLock_);
    session_.snapshot_ = state;
    return state;
  }

 private:
  TEditorSession& session_;
  std::unique_lock<std::mutex> lock_;
  bool touched_;
  bool finished_ = false;
};

namespace {

json FieldsJson(const TPageState& page) {
  json out = json::object();
  const auto& registry = FieldRegistry();
  for (size_t i = 0; i < registry.size(); ++i) {
    json& editor = out[std::string(EditorClassName(registry[i].Editor))];
    const TFieldValue& value = page.Fields[i];
    editor[registry[i].Name] = value.FreeText.empty()
                                   ? json(value.Text)
                                   : json{{"text", value.Text}, {"freeText", value.FreeText}};
  }
  return out;
}

json BlocksJson(const TPageState& page) {
  json out{{"InputText", page.InputText}, {"Photos", page.Photos}};
  for (int i = 0; i < kStaticTextCount; ++i)
    out["StaticText" + std::to_string(i + 1)] = page.StaticTexts[i];
  for (int i = 0; i < kHtmlTextCount; ++i)
    out["HtmlText" + std::to_string(i + 1)] = page.HtmlTexts[i];
  out.update(FontBlocksJson(page));
  return out;
}

// A text block named like "StaticText3", or null.
std::string* Block(TPageState& page, const std::string& name) {
  if (name == "InputText") return &page.InputText;
  auto numbered = [&](std::string_view stem, auto& texts) -> std::string* {
    if (!name.starts_with(stem) || name.size() != stem.size() + 1) return nullptr;
    const int n = name.back() - '1';
    return n >= 0 && n < int(texts.size()) ? &texts[n] : nullptr;
  };
  if (std::string* text = numbered("StaticText", page.StaticTexts)) return text;
  return numbered("HtmlText", page.HtmlTexts);
}

json PagesJson(const TBannerDocument& doc) {
  json out = json::array();
  for (int n = 1; n <= doc.PageCount(); ++n) {
    TWarnings ignored;
    const TPageState page =
        n == doc.CurrentPage() ? doc.Current : ReadPageText(doc.PageText(n), n, ignored);
    out.push_back(page.Field("webpage_filename").Text + " [" + page.Field("htmltitleedit").Text +
                  "]");
  }
  return out;
}

}  // namespace

TEditorSession::TEditorSession(TSessionConfig config)
    : config_(std::move(config)),
      data_(config_.DataRoot),
      files_(config_.BrowseRoots),
      driver_(
          std::make_unique<TBuildDriver>(data_, TBuildOptions{config_.WorkFolder, config_.Seed})),
      doc_(TBannerDocument::New()) {
  if (config_.AddBuilders) config_.AddBuilders(*driver_);
  snapshot_ = Snapshot({});
}

TEditorSession::~TEditorSession() = default;

json TEditorSession::State() const {
  std::lock_guard guard(snapshotLock_);
  json state = snapshot_;
  state["busy"] = busy_.load();
  return state;
}

json TEditorSession::Snapshot(const TWarnings& warnings) {
  return {{"revision", revision_},
          {"busy", false},
          {"built", built_},
          // The status line shows the page's title once a page has been shown.
          // The window's caption names the project file last opened or saved.
          {"caption", projectFile_.empty() ? "Orvanta v6.08" : "Orvanta [" + projectFile_ + "]"},
          {"status", built_ ? doc_.Current.Field("htmltitleedit").Text : "Status Bar"},
          {"canUndo", doc_.CanUndo()},
          {"autoRebuild", driver_->AutoRebuild},
          {"previewMode", mode_ == TPreviewMode::Design ? "design" : "preview"},
          {"previewPage", mode_ == TPreviewMode::Design ? "flashtemp.htm" : "flashtemp_center.htm"},
          {"currentPage", doc_.CurrentPage()},
          {"pages", PagesJson(doc_)},
          {"content", ContentListJson(doc_)},
          {"selection", selection_},
          {"design", DesignJson(doc_, selection_)},
          {"fields", FieldsJson(doc_.Current)},
          {"blocks", BlocksJson(doc_.Current)},
          {"warnings", WarningsJson(warnings)},
          {"buildMs", lastBuildMs_},
          // Moves on with every finished build, so that the UI reloads the preview only then.
          {"builds", builds_}};
}

namespace {

// Runs a build and notes how long it took and that it finished; the warnings of the build follow
// the given ones.
template <typename Build>
TWarnings Timed(double& ms, uint64_t& builds, TWarnings warnings, Build build) {
  const auto start = std::chrono::steady_clock::now();
  TBuildReport report = build();
  if (report.Built) {
    ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    ++builds;
  }
  warnings.insert(warnings.end(), report.Warnings.begin(), report.Warnings.end());
  return warnings;
}

}  // namespace

json TEditorSession::SetFields(uint64_t revision,
                               const std::map<std::string, std::string>& values) {
  TChange change(*this, revision, false);
  // Checked on a copy, so that a bad name leaves the document as it was.
  TPageState edited = doc_.Current;
  TWarnings warnings;
  for (const auto& [name, typed] : values) {
    if (std::string* block = Block(edited, name)) {
      *block = typed;
      continue;
    }
    if (SetFontOrPhotoBlock(edited, name, typed)) continue;
    const int index = FindSavedField(name);
    if (index < 0) throw RequestError("no field is named \"" + name + "\"; nothing was changed");
    std::string problem;
    const TFieldValue value = NormaliseTypedValue(FieldRegistry()[index], typed, problem);
    if (!problem.empty()) warnings.push_back({doc_.CurrentPage(), name, problem});
    edited.SetField(index, value.Text, value.FreeText, doc_.CurrentPage(), warnings);
  }
  change.Touch();
  doc_.Current = std::move(edited);
  warnings = Timed(lastBuildMs_, builds_, warnings,
                   [&] { return driver_->Rebuild(doc_, TRebuildOrigin::Editor); });
  built_ = built_ || driver_->AutoRebuild;
  return change.Commit(warnings);
}

json TEditorSession::Rebuild(uint64_t revision) {
  TChange change(*this, revision);
  const TWarnings warnings = Timed(lastBuildMs_, builds_, {},
                                   [&] { return driver_->Rebuild(doc_, TRebuildOrigin::Command); });
  built_ = true;
  return change.Commit(warnings);
}

json TEditorSession::SetAutoRebuild(uint64_t revision, bool on) {
  TChange change(*this, revision);
  driver_->AutoRebuild = on;
  return change.Commit({});
}

json TEditorSession::ApplyPageResult(TChange& change, const TPageResult& result) {
  if (!result.Refusal.empty()) throw RefusedError(result.Refusal);
  change.Touch();
  if (result.Report.Built) {
    built_ = true;
    ++builds_;
    lastBuildMs_ = 0;
    for (const TStageTime& t : result.Report.Times) lastBuildMs_ += t.Milliseconds;
  }
  selection_.clear();
  return change.Commit(result.Report.Warnings);
}

json TEditorSession::Undo(uint64_t revision) {
  TChange change(*this, revision, false);
  return ApplyPageResult(change, TPageOperations(doc_, *driver_).Undo());
}

json TEditorSession::NewPage(uint64_t revision) {
  TChange change(*this, revision, false);
  return ApplyPageResult(change, TPageOperations(doc_, *driver_).NewPage());
}

json TEditorSession::DeletePage(uint64_t revision, int line) {
  TChange change(*this, revision, false);
  return ApplyPageResult(change, TPageOperations(doc_, *driver_).DeletePage(line));
}

json TEditorSession::SelectPage(uint64_t revision, int line) {
  TChange change(*this, revision, false);
  return ApplyPageResult(change, TPageOperations(doc_, *driver_).SelectPage(line));
}

json TEditorSession::LoadDocument(TBannerDocument doc, const fs::path& file, TWarnings warnings,
                                  TChange& change) {
  doc_ = std::move(doc);
  projectFile_ = file.string();
  selection_.clear();
  mode_ = TPreviewMode::Design;
  warnings = Timed(lastBuildMs_, builds_, warnings,
                   [&] { return driver_->Rebuild(doc_, TRebuildOrigin::Command); });
  built_ = true;
  return change.Commit(warnings);
}

json TEditorSession::Load(uint64_t revision, const TFileRef& file) {
  const fs::path path = files_.Resolve(file.Root, file.Path);
  TChange change(*this, revision, false);
  TLoadedProject project = LoadProject(path);  // the open document stays when this fails
  change.Touch();
  return LoadDocument(std::move(project.Document), path, std::move(project.Warnings), change);
}

json TEditorSession::OpenSample(uint64_t revision, const std::string& list, int entry) {
  const fs::path path = data_.Require(catalogue_.SampleProject(list, entry));
  TChange change(*this, revision, false);
  TLoadedProject project = LoadProject(path);
  change.Touch();
  return LoadDocument(std::move(project.Document), path, std::move(project.Warnings), change);
}

json TEditorSession::Publish(uint64_t revision, const TFileRef& folder,
                             const TPublishChoice& choice) {
  if (!config_.Templates) throw Error("this editor was started without its template pack");
  const fs::path target = files_.Resolve(folder.Root, folder.Path);
  if (PathIsInside(data_.Folder(), target) || PathIsInside(config_.WorkFolder, target))
    throw RefusedError("a site is not published into the program's data or working folder");
  TChange change(*this, revision);
  const TPublishOptions options{
      target, config_.WorkFolder,
      choice.AllMedia ? TPublishMode::AllMedia : TPublishMode::CurrentPage, config_.Seed, true};
  const TPublishResult result =
      choice.AllPages ? PublishAllPages(doc_, data_, *config_.Templates, options)
                      : PublishPage(doc_, doc_.CurrentPage(), data_, *config_.Templates, options);
  json out = change.Commit(result.Warnings);
  json files = json::array();
  for (const fs::path& file : result.Files)
    files.push_back(file.lexically_relative(target).generic_string());
  out["published"] = {{"files", files}, {"missing", result.Missing}, {"summary", result.Summary()}};
  return out;
}

json TEditorSession::NewEmpty(uint64_t revision) {
  TChange change(*this, revision);
  const std::optional<fs::path> blank = data_.Find("default_template\\blank.fls");
  TLoadedProject project = blank ? LoadProject(*blank) : TLoadedProject{TBannerDocument::New(), {}};
  json out = LoadDocument(std::move(project.Document), blank.value_or(fs::path()),
                          std::move(project.Warnings), change);
  out["openEditor"] = {{"editor", EditorClassName(TEditorId::Options)}, {"tab", ""}};
  return out;
}

json TEditorSession::Save(uint64_t revision, const TFileRef& file) {
  const fs::path path = files_.Resolve(file.Root, file.Path);
  // The program's own files (the blank template among them) are never overwritten.
  if (PathIsInside(data_.Folder(), path)) throw RefusedError("Can not save to default project!");
  TChange change(*this, revision);
  TWarnings warnings;
  SaveProject(doc_, path, warnings);
  projectFile_ = path.string();
  return change.Commit(warnings);
}

json TEditorSession::SelectContent(uint64_t revision, const std::string& label) {
  TChange change(*this, revision);
  selection_ = label;
  mode_ = TPreviewMode::Design;
  return change.Commit({});
}

json TEditorSession::EditContent(const std::string& label) const {
  const std::optional<TEditorTarget> target = EditorForItem(label);
  if (!target) return {{"editor", nullptr}};
  return {{"editor", EditorClassName(target->Editor)}, {"tab", target->Tab}};
}

json TEditorSession::DeleteContent(uint64_t revision, const std::string& label) {
  TChange change(*this, revision, false);
  const json items = ContentListJson(doc_);
  if (std::none_of(items.begin(), items.end(),
                   [&](const json& item) { return item["label"] == label; }))
    throw RequestError("the content list has no item \"" + label + "\"");
  change.Touch();
  DeleteItem(doc_.Current, label);
  driver_->AutoRebuild = true;
  const TWarnings warnings = Timed(lastBuildMs_, builds_, {},
                                   [&] { return driver_->Rebuild(doc_, TRebuildOrigin::Editor); });
  selection_.clear();
  return change.Commit(warnings);
}

json TEditorSession::SetPreviewMode(uint64_t revision, TPreviewMode mode) {
  TChange change(*this, revision);
  mode_ = mode;
  return change.Commit({});
}

json TEditorSession::DesignHit(uint64_t revision, int x, int y) {
  TChange change(*this, revision);
  const std::optional<TDesignSelection> hit = HitTest(doc_, x, y, LibraryClipNamer());
  selection_ = hit ? hit->Label : "";
  mode_ = TPreviewMode::Design;
  return change.Commit({});
}

namespace {

// The item a drop acts on; a name the page does not show is the caller's mistake.
TDesignSelection DropTarget(const TBannerDocument& doc, const std::string& name) {
  std::optional<TDesignSelection> item = FindSelection(doc, name, LibraryClipNamer());
  if (!item) throw RequestError("the page shows no item \"" + name + "\" to drop");
  return *item;
}

}  // namespace

json TEditorSession::FinishDrop(TChange& change, bool changed, TWarnings warnings,
                                const std::string& selection) {
  if (changed)
    warnings = Timed(lastBuildMs_, builds_, std::move(warnings),
                     [&] { return driver_->Rebuild(doc_, TRebuildOrigin::Editor); });
  selection_ = selection;
  mode_ = TPreviewMode::Design;
  return change.Commit(warnings);
}

json TEditorSession::DesignMove(uint64_t revision, const std::string& name, int dx, int dy) {
  TChange change(*this, revision, false);
  const TDesignSelection item = DropTarget(doc_, name);
  change.Touch();
  TWarnings warnings;
  const bool moved = MoveItem(doc_.Current, item, dx, dy, doc_.CurrentPage(), warnings);
  return FinishDrop(change, moved, std::move(warnings), item.Label);
}

json TEditorSession::DesignResize(uint64_t revision, const std::string& name, TResizeEdge edge,
                                  int dx, int dy) {
  TChange change(*this, revision, false);
  const TDesignSelection item = DropTarget(doc_, name);
  change.Touch();
  const TItemRect frame = ResizedFrame(item.Rect, dx, dy, edge);
  TWarnings warnings;
  const bool resized = ResizeItem(doc_, item, frame.Width, frame.Height, warnings);
  return FinishDrop(change, resized, std::move(warnings), item.Label);
}

json TEditorSession::DesignPageSize(uint64_t revision, TResizeEdge edge, int dx, int dy) {
  TChange change(*this, revision);
  const TPageState& page = doc_.Current;
  // The registry holds the banner to its own minimum size.
  const TItemRect size = ResizedFrame(
      {0, 0, IntegerField(page, "SWFWidth"), IntegerField(page, "SWFHeight")}, dx, dy, edge, 0);
  TWarnings warnings;
  const bool resized =
      ResizePage(doc_.Current, size.Width, size.Height, doc_.CurrentPage(), warnings);
  return FinishDrop(change, resized, std::move(warnings), selection_);
}

}  // namespace orvanta
