#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/random.h"
#include "project/banner_document.h"

namespace orvanta {

class TDataRoot;
class TFlashMovie;

// Where each content kind stands in the main movie. Set by the driver at the start of every
// build; builders read it and never choose a depth of their own.
struct TDepthPlan {
  uint16_t Slideshow = 2600;        // 270 when the slideshow plays after every clip
  uint16_t BackgroundImport = 280;  // also the base depth of panels inside the background movie
  uint16_t PageBackground = 100;    // inside the background movie
  uint16_t StaticTexts = 997;
  uint16_t TextEffectBack = 998, TextEffectFront = 1001;
  uint16_t TextShadow = 999;
  uint16_t AnimatedText = 1000;
  uint16_t ButtonBar = 1300;
  uint16_t MusicControl = 1301;
  uint16_t StaticImageSecond = 1302;  // inside the background movie
  uint16_t MovieClips = 517;          // the own SWF; library clip layer N at MovieClips - 2 N
  uint16_t HtmlGlow = 3010;
  uint16_t LoadingScreen = 3109;
};
TDepthPlan DepthPlanFor(const TPageState& page);

// What every builder shares during one build: one random source for both movies (so that one
// seed makes the whole build reproducible), the read-only data root and the warnings the build
// returns. A builder that cannot use an item adds a warning and leaves the item out.
struct TBuildContext {
  TRandom& Random;
  const TDataRoot& Data;
  TWarnings& Warnings;
  int Page = 1;  // the page being built, for warnings
  void Warn(std::string field, std::string message) {
    Warnings.push_back({Page, std::move(field), std::move(message)});
  }
  // ResolveFieldFile in this build's data root (the caller warns when there is none).
  std::optional<std::filesystem::path> Resolve(const std::string& name,
                                               std::initializer_list<const char*> folders) const;
};

// A picture or file named by a field: the data folders tried in order, then the name as a path.
// None for an empty name, for "None" and when nothing exists.
std::optional<std::filesystem::path> ResolveFieldFile(const TDataRoot& data,
                                                      const std::string& name,
                                                      std::initializer_list<const char*> folders);

// The build stages, in the order the driver runs them. A content builder plugs in by deriving
// from TContentBuilder, saying which stage it belongs to, and adding its objects to the movie
// it is handed (the background movie for Background, the main movie for every other stage) at
// the depths of the plan. It reads its fields from the page and returns the rectangle of its
// item (Width 0 when it built nothing); the driver stores it for the content list.
enum class TBuildStage : uint8_t {
  Background,     // shape panels, static images, back image (the page fill comes last)
  LoadingScreen,  // before anything else in the main movie
  Slideshow,
  Music,
  ButtonBar,
  HtmlGlow,
  TextCompanions,
  StaticTexts,
  MovieClips,
  AnimatedText,  // the letters and their frames
};

struct TBuiltItem {
  int Slot = -1;  // content-list slot (ContentSlots()), -1 when the item is not listed
  int Width = 0, Height = 0;
  // The size before the item's scale, for items that are resized by scaling (clips).
  int NaturalWidth = 0, NaturalHeight = 0;
  // Integer fields the builder measured (a picture's own size), written into the page after
  // the build so that its editor shows them; the stored page text follows.
  std::vector<std::pair<std::string, int>> WriteBack = {};
};

class TContentBuilder {
 public:
  virtual ~TContentBuilder() = default;
  virtual TBuildStage Stage() const = 0;
  // May add warnings; an exception fails the whole build, so only a fault that makes the
  // movie unusable should throw.
  virtual std::vector<TBuiltItem> Build(TFlashMovie& movie, const TPageState& page,
                                        const TDepthPlan& depths, TBuildContext& context) = 0;
};

int IntegerField(const TPageState& page, std::string_view name);
bool OptionField(const TPageState& page, std::string_view name);

}  // namespace orvanta
