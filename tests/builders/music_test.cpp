#include "builders/banner_probe.h"
#include "media/sound_tags.h"
#include "swf/tags_control.h"
#include "swf/tags_display.h"

namespace orvanta::test {
namespace {

using Music = BannerProbe;

TEST_F(Music, ExportsTheSoundForTheControlAndStartsItLoopingOrOnce) {
  Set("bgsound", "tone.wav");
  Set("bgsoundcontrol", "1");
  Set("bgsoundcontrolx", "12");
  Set("bgsoundcontroly", "34");
  for (const auto& [option, loops] : {std::pair{"0", 1000}, std::pair{"1", 1}}) {
    Set("bgsoundoption", option);
    EXPECT_TRUE(Build().Warnings.empty());
    const auto sounds = Tags<TSWFObject>(TTagCode::DefineSound);
    ASSERT_EQ(sounds.size(), 1u);
    const auto exports = Tags<TSWFExportAssets>(TTagCode::ExportAssets);
    ASSERT_EQ(exports.size(), 1u);
    EXPECT_EQ(exports[0]->Assets, (std::vector<TSWFAsset>{{"bgsound", 1}}));
    const auto starts = Tags<TSWFStartSound>(TTagCode::StartSound);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0]->SoundId, 1);
    EXPECT_TRUE(starts[0]->SyncNoMultiple);
    EXPECT_TRUE(starts[0]->HasLoops);
    EXPECT_EQ(starts[0]->LoopCount, loops);
    EXPECT_FALSE(starts[0]->HasEnvelope() || starts[0]->HasInPoint || starts[0]->HasOutPoint);
    const auto places = Tags<TSWFPlaceObject2>(TTagCode::PlaceObject2);
    ASSERT_EQ(places.size(), 1u);
    EXPECT_EQ(places[0]->Depth, 1301);
    EXPECT_EQ(places[0]->ExistingMatrix()->TranslateX, 12 * 20);
    EXPECT_EQ(places[0]->ExistingMatrix()->TranslateY, 34 * 20);
  }
}

TEST_F(Music, WithoutAMusicFileThereIsNeitherSoundNorControl) {
  Set("bgsoundcontrol", "1");
  for (const char* music : {"None", "gone.mp3"}) {
    Set("bgsound", music);
    const TBuildReport report = Build();
    EXPECT_EQ(report.Warnings.size(), music == std::string("None") ? 0u : 1u) << music;
    EXPECT_TRUE(Tags<TSWFObject>(TTagCode::DefineSound).empty());
    EXPECT_TRUE(Tags<TSWFObject>(TTagCode::ExportAssets).empty());
    EXPECT_TRUE(Tags<TSWFObject>(TTagCode::PlaceObject2).empty());
  }
}

}  // namespace
}  // namespace orvanta::test
