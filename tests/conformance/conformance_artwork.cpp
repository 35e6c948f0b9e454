// The artwork that acts rather than shows: each music control, placed in a banner that exports
// its music as "bgsound" and starts it, is clicked three times (off, on, off). A probe on the
// banner's timeline traces whenever the control's own Sound object starts or stops advancing,
// so the traces prove that the control starts the exported sound and stops it again; pixels
// prove that the control shows which state it is in.
#include <string>

#include "../media/sound_test_util.h"
#include "artwork_output.h"
#include "conformance_movies.h"
#include "conformance_support.h"
#include "families.h"
#include "media/flash_external_movie.h"
#include "media/flash_sound.h"
#include "media/sound_tags.h"
#include "movie/flash_place_object.h"
#include "movie/flash_sprite.h"
#include "platform/artwork_names.h"
#include "platform/stream.h"
#include "script/action_branch.h"
#include "script/actions_basic.h"
#include "script/actions_data.h"
#include "script/flash_action_script.h"

namespace orvanta::conformance {

namespace {

using nlohmann::json;

constexpr int kControlX = 50, kControlY = 40;

// p = ctl.music.position; state = (p > last) == true;
// if (state != said) { trace(state); said = state; } last = p; and round again.
void Probe(TFlashActionScript& s) {
  s.PushValues({"p", "ctl"});
  s.GetVariable();
  s.Push("music");
  s.GetMember();
  s.Push("position");
  s.GetMember();
  s.SetVariable();
  s.PushValues({"state", "p"});
  s.GetVariable();
  s.Push("last");
  s.GetVariable();
  s.Actions().Add(std::make_unique<TSWFActionGreater>());
  s.Push(true);
  s.Actions().Add(std::make_unique<TSWFActionEquals2>());
  s.SetVariable();
  s.Push("state");
  s.GetVariable();
  s.Push("said");
  s.GetVariable();
  s.Actions().Add(std::make_unique<TSWFActionEquals2>());
  TSWFActionIf& same = s.If();
  s.Push("state");
  s.GetVariable();
  s.Actions().Add(std::make_unique<TSWFActionTrace>());
  s.PushValues({"said", "state"});
  s.GetVariable();
  s.SetVariable();
  s.SetMarker(&same.Marker(), false);
  s.PushValues({"last", "p"});
  s.GetVariable();
  s.SetVariable();
  auto back = std::make_unique<TSWFActionGotoFrame>();
  back->Frame = 1;
  s.Actions().Add(std::move(back));
  s.Actions().Add(std::make_unique<TSWFActionPlay>());
}

Case ControlCase(int n, const std::vector<uint8_t>& control) {
  Case c{"artwork_sound_control" + std::to_string(n) + ".swf", NewMovie(8), {}};
  TFlashMovie& m = *c.Movie;
  const std::string wave =
      test::WriteSoundFile("bgsound" + std::to_string(n) + ".wav",
                           test::PcmWave(test::Music(22050, 1, 11025), 1, 11025, 16));
  TFlashSound* music = m.AddSound(wave);
  m.ExportAssets("bgsound", music->CharacterId());
  TSWFStartSound* start = m.StartSound(music->CharacterId());
  start->SyncNoMultiple = true;
  start->SetLoopCount(1000);
  TMemoryViewStream stream(control);
  TFlashExternalMovie* imported =
      m.AddExternalMovie(stream, TFlashExternalMovie::kImportAsSprite, true);
  TFlashPlaceObject* place = m.PlaceObject(imported->Sprite(), 1301);
  place->SetTranslate(kControlX, kControlY);
  place->SetName("ctl");
  m.ShowFrame();
  Probe(m.FrameActions());
  m.ShowFrame();
  m.ShowFrame();

  auto click = [](int wait) {
    return json{{"mouse", "click"}, {"x", kControlX + 11}, {"y", kControlY + 10}, {"waitMs", wait}};
  };
  // Under the first equaliser bar: a grey stub when the control shows silence.
  const json silent = {{"pixels",
                        {{{"x", kControlX + 30},
                          {"y", kControlY + 16},
                          {"rgb", "9098a4"},
                          {"tol", 24},
                          {"what", "the flat bars of a silent control"}}}}};
  c.Expect = {
      {"traces", {"false", "true", "false"}},
      {"steps",
       {click(500), silent, click(800), {{"traces", {"false", "true"}}}, click(800), silent}}};
  return c;
}

}  // namespace

std::vector<Case> ArtworkCases() {
  artwork::TArtworkOutput output;
  artwork::GenerateSoundControls(output);
  std::vector<Case> cases;
  for (int n = 1; n <= kSoundControls; ++n)
    cases.push_back(
        ControlCase(n, output.DataFile("albumboader/sound_control" + std::to_string(n) + ".swf")));
  return cases;
}

}  // namespace orvanta::conformance
