#include "builders/music/music_builder.h"

#include "builders/common/data_clip.h"
#include "media/flash_sound.h"
#include "media/sound_tags.h"
#include "movie/flash_movie.h"
#include "platform/errors.h"

namespace orvanta {

namespace {

// The name the control clips attach the music by.
constexpr const char* kMusicExport = "bgsound";
constexpr uint16_t kLoopForever = 1000;

}  // namespace

std::vector<TBuiltItem> TMusicBuilder::Build(TFlashMovie& movie, const TPageState& page,
                                             const TDepthPlan& depths, TBuildContext& context) {
  const std::string& name = page.Field("bgsound").Text;
  if (name.empty() || name == "None") return {};
  const auto path = context.Resolve(name, {"sound\\"});
  if (!path) {
    context.Warn("bgsound", name + " file not found !");
    return {};
  }
  TFlashSound* sound = nullptr;
  try {
    sound = movie.AddSound(path->string());
  } catch (const Error& e) {
    context.Warn("bgsound", name + ": " + e.what());
    return {};
  }
  if (sound->SampleCount == 0) context.Warn("bgsound", name + " holds no sound a movie can play");
  movie.ExportAssets(kMusicExport, sound->CharacterId());
  TSWFStartSound* start = movie.StartSound(sound->CharacterId());
  start->SyncNoMultiple = true;
  start->SetLoopCount(IntegerField(page, "bgsoundoption") == 1 ? 1 : kLoopForever);

  if (const int control = IntegerField(page, "bgsoundcontrol"); control >= 1)
    PlaceDataClip(movie, "albumboader\\sound_control" + std::to_string(control) + ".swf",
                  depths.MusicControl, IntegerField(page, "bgsoundcontrolx"),
                  IntegerField(page, "bgsoundcontroly"), context, "bgsoundcontrol");
  return {};
}

}  // namespace orvanta
