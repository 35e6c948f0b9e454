#include <gtest/gtest.h>

#include "project/banner_options.h"

namespace orvanta {
namespace {

TEST(BannerOptions, PresetsAndTypedSizesStayInRange) {
  TPageState page = TPageState::Defaults();
  TWarnings warnings;
  for (const TSizePreset& preset : kSizePresets) {
    ApplySizePreset(page, preset, 1, warnings);
    EXPECT_EQ(page.Field("SWFWidth").Text, std::to_string(preset.Width));
    EXPECT_EQ(page.Field("SWFHeight").Text, std::to_string(preset.Height));
  }
  EXPECT_TRUE(warnings.empty());
  ApplySizePreset(page, {2500, 60}, 1, warnings);
  EXPECT_EQ(page.Field("SWFWidth").Text, "2000");
  EXPECT_EQ(warnings.size(), 1u);
}

TEST(BannerOptions, ChosenFilesAreStoredRelativeToTheirDataFolders) {
  const std::filesystem::path root = "/opt/orvanta/data";
  EXPECT_EQ(StoredPictureName(root, root / "photos" / "sea" / "a.jpg"), "sea\\a.jpg");
  EXPECT_EQ(StoredPictureName(root, root / "mc_thumb/html/_default/images/b.jpg"), "images\\b.jpg");
  EXPECT_EQ(StoredPictureName(root, root / "mc_thumb/html/_default/c.jpg"),
            (root / "mc_thumb/html/_default/c.jpg").string());
  EXPECT_EQ(StoredPictureName(root, "/home/u/photos2/d.jpg"), "/home/u/photos2/d.jpg");
  EXPECT_EQ(StoredMusicName(root, root / "sound" / "tune.mp3"), "tune.mp3");
  EXPECT_EQ(StoredMusicName(root, "/home/u/tune.mp3"), "/home/u/tune.mp3");
}

TEST(BannerOptions, OpeningWithoutMusicResetsTheControl) {
  TPageState page = TPageState::Defaults();
  TWarnings warnings;
  page.SetField(FindSavedField("bgsoundcontrol"), "2", "", 1, warnings);
  page.SetField(FindSavedField("bgsoundcontrolx"), "40", "", 1, warnings);
  EXPECT_FALSE(OptionsDisplay(page).MusicGroup);
  OpenOptions(page, 1, warnings);
  EXPECT_EQ(page.Field("bgsoundcontrol").Text, "0");
  EXPECT_EQ(page.Field("bgsoundcontrolx").Text, "0");

  page.SetField(FindSavedField("bgsound"), "tune.mp3", "", 1, warnings);
  page.SetField(FindSavedField("bgsoundcontrol"), "2", "", 1, warnings);
  OpenOptions(page, 1, warnings);
  EXPECT_EQ(page.Field("bgsoundcontrol").Text, "2");
  EXPECT_TRUE(OptionsDisplay(page).ControlPosition);
  EXPECT_TRUE(warnings.empty());
}

}  // namespace
}  // namespace orvanta
