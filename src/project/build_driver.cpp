#include "project/build_driver.h"

#include <algorithm>
#include <chrono>
#include <fstream>

#include "media/flash_external_movie.h"
#include "movie/flash_movie.h"
#include "movie/flash_sprite.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "project/background_strips.h"
#include "project/page_background.h"
#include "project/page_text.h"
#include "script/flash_action_script.h"

namespace orvanta {

namespace fs = std::filesystem;

namespace {

// Every stage's time, measured from the previous mark.
class TStageClock {
 public:
  explicit TStageClock(std::vector<TStageTime>& times) : times_(times) {}
  void Mark(std::string stage) {
    const auto now = std::chrono::steady_clock::now();
    times_.push_back(
        {std::move(stage), std::chrono::duration<double, std::milli>(now - last_).count()});
    last_ = now;
  }

 private:
  std::vector<TStageTime>& times_;
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

// Files are written beside their final names and renamed together once everything is written.
class TPendingFiles {
 public:
  explicit TPendingFiles(fs::path folder) : folder_(std::move(folder)) {}
  ~TPendingFiles() {
    std::error_code ec;
    for (const auto& name : names_) fs::remove(Temporary(name), ec);
  }
  void Write(const std::string& name, std::span<const uint8_t> bytes) {
    const fs::path path = Temporary(name);
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) throw FileError("cannot write " + path.string());
    names_.push_back(name);
  }
  // Renames every pending file into place and removes the fixed-name outputs not written now,
  // so that nothing from an earlier build shows in this one.
  std::vector<fs::path> Commit(const std::vector<std::string>& fixedNames) {
    std::vector<fs::path> written;
    for (const auto& name : names_) {
      fs::rename(Temporary(name), folder_ / name);
      written.push_back(folder_ / name);
    }
    std::error_code ec;
    for (const auto& name : fixedNames)
      if (std::find(names_.begin(), names_.end(), name) == names_.end())
        fs::remove(folder_ / name, ec);
    names_.clear();
    return written;
  }

 private:
  fs::path Temporary(const std::string& name) const { return folder_ / (name + ".part"); }
  fs::path folder_;
  std::vector<std::string> names_;
};

std::vector<uint8_t> Serialise(TFlashMovie& movie) {
  movie.MakeData();
  TMemoryStream out;
  movie.SaveToStream(out);
  return out.TakeBytes();
}

std::unique_ptr<TFlashMovie> NewMovie(const TPageState& page, double fps, TRandom& random) {
  const int width = IntegerField(page, "SWFWidth"), height = IntegerField(page, "SWFHeight");
  auto movie = std::make_unique<TFlashMovie>(0, 0, width * 20, height * 20, fps);
  movie->SetPixelUnits(true);
  movie->SetVersion(8);
  movie->HasBackgroundColor = false;
  movie->UseRandom(random);
  return movie;
}

// The rebuild's corrections of the page before it is stored. The page file name needs none: every
// write into the document already makes it safe.
void CorrectPage(TPageState& page, int pageNumber, TWarnings& warnings) {
  if (OptionField(page, "PageBackGroundSolidEnabled"))
    page.SetField(FindSavedField("PageBackGroundImageEdit"), "None", "", pageNumber, warnings);
}

}  // namespace

std::string StripFileName(int strip) {
  return "temp_bg" + std::to_string(strip) + ".jpg";
}

TBuildDriver::TBuildDriver(const TDataRoot& data, TBuildOptions options)
    : data_(data), options_(std::move(options)) {}

TBuildDriver::~TBuildDriver() = default;

void TBuildDriver::AddBuilder(std::unique_ptr<TContentBuilder> builder) {
  auto after = std::find_if(builders_.begin(), builders_.end(),
                            [&](const auto& b) { return b->Stage() > builder->Stage(); });
  builders_.insert(after, std::move(builder));
}

TBuildReport TBuildDriver::Rebuild(TBannerDocument& doc, TRebuildOrigin origin) {
  if (busy_) throw Error("Please waiting ...");
  busy_ = true;
  struct TIdle {
    bool& busy;
    ~TIdle() { busy = false; }
  } idle{busy_};

  TBuildReport report;
  const int page = doc.CurrentPage();
  const std::string previous = doc.PageText(page);
  if (origin == TRebuildOrigin::Editor) {
    // The undo copy is the page as stored before the editor changed it.
    TPageState edited = doc.Current;
    TWarnings ignored;
    doc.LoadPage(page, ignored);
    doc.RememberForUndo();
    doc.Current = std::move(edited);
  }
  CorrectPage(doc.Current, page, report.Warnings);
  // Stored after the corrections, so that the stored page equals the fields and the next
  // unchanged confirmation counts as no change.
  doc.StorePage(page);
  if (origin == TRebuildOrigin::Editor &&
      (!AutoRebuild ||
       (doc.PageText(page) == previous && previous.find("<Redo>") == std::string::npos)))
    return report;
  AutoRebuild = true;
  BuildFiles(doc, report);
  report.Built = true;
  return report;
}

void TBuildDriver::BuildFiles(TBannerDocument& doc, TBuildReport& report) {
  const TPageState& page = doc.Current;
  TRandom random = options_.Seed ? TRandom(*options_.Seed) : TRandom();
  TBuildContext context{random, data_, report.Warnings, doc.CurrentPage()};
  const TDepthPlan depths = DepthPlanFor(page);
  TStageClock clock(report.Times);
  TPendingFiles files(options_.WorkFolder);
  auto runStage = [&](TBuildStage stage, TFlashMovie& movie) {
    for (const auto& builder : builders_)
      if (builder->Stage() == stage)
        for (const TBuiltItem& item : builder->Build(movie, page, depths, context)) {
          if (item.Slot >= 0) {
            doc.SetItemSize(item.Slot, item.Width, item.Height);
            doc.SetNaturalSize(item.Slot, item.NaturalWidth, item.NaturalHeight);
          }
          for (const auto& [field, value] : item.WriteBack)
            doc.Current.SetField(FindSavedField(field), std::to_string(value), "",
                                 doc.CurrentPage(), report.Warnings);
          if (!item.WriteBack.empty()) doc.StorePage(doc.CurrentPage());
        }
  };

  // Cleared before the background movie, whose builders measure the images and panels.
  for (size_t slot = 0; slot < ContentSlots().size(); ++slot) {
    doc.SetItemSize(int(slot), 0, 0);
    doc.SetNaturalSize(int(slot), 0, 0);
  }
  auto background = NewMovie(page, 2, random);
  runStage(TBuildStage::Background, *background);
  AddPageBackground(*background, page, depths, context);
  const std::vector<uint8_t> backgroundBytes = Serialise(*background);
  background.reset();
  files.Write(kBackgroundMovieFile, backgroundBytes);
  clock.Mark("background movie");

  auto movie = NewMovie(page, IntegerField(page, "SpeedFPS"), random);
  movie->SetCompressed(true);
  movie->Protect = true;
  movie->Password.clear();
  const bool loadingScreen = IntegerField(page, "preloadindex") >= 1;
  for (TBuildStage stage :
       {TBuildStage::LoadingScreen, TBuildStage::Slideshow, TBuildStage::Music,
        TBuildStage::ButtonBar, TBuildStage::HtmlGlow, TBuildStage::TextCompanions,
        TBuildStage::StaticTexts, TBuildStage::MovieClips}) {
    runStage(stage, *movie);
  }
  if (options_.Mode == TPublishMode::AllMedia) {
    TMemoryStream source(backgroundBytes);
    movie->PlaceObject(movie->AddExternalMovie(source)->Sprite(), depths.BackgroundImport);
  }
  if (page.InputText.empty()) movie->ShowFrame(5);
  runStage(TBuildStage::AnimatedText, *movie);
  movie->FrameActions().GotoAndPlay(loadingScreen ? 6 : 2);
  movie->ShowFrame(2);
  clock.Mark("main movie");
  files.Write(kMainMovieFile, Serialise(*movie));
  movie.reset();
  clock.Mark("main movie file");

  // The all-media page shows no strips: the background is inside the movie.
  if (options_.Mode == TPublishMode::CurrentPage) {
    const auto strips = DrawBackgroundStrips(backgroundBytes, IntegerField(page, "SWFWidth"),
                                             IntegerField(page, "SWFHeight"), context);
    clock.Mark("strip render");
    for (size_t i = 0; i < strips.size(); ++i) files.Write(StripFileName(int(i) + 1), strips[i]);
    clock.Mark("strip files");
  }
  for (auto& [name, bytes] : PreviewPageFiles(page, options_.Mode, context))
    files.Write(name, bytes);
  clock.Mark("pages");

  std::vector<std::string> fixed{kBackgroundMovieFile, kMainMovieFile};
  for (int i = 1; i <= kStripCount; ++i) fixed.push_back(StripFileName(i));
  fixed.insert(fixed.end(), {kLeftPageFile, kCentredPageFile, kPagePictureFile});
  report.Files = files.Commit(fixed);
}

}  // namespace orvanta
