#include <gtest/gtest.h>

#include <algorithm>

#include "builders/slideshow/slideshow_budget.h"
#include "builders/slideshow/slideshow_settings.h"
#include "slideshow_fixture.h"

namespace orvanta::test {
namespace {

class SlideshowShow : public SlideshowFixture {
 protected:
  void Box() {
    Set("photox", "20");
    Set("photoy", "20");
    Set("photowidth", "150");
    Set("photoheight", "120");
  }
};

// The album fades in from frame 11, so photo frame j shows at main frame 10 + j.
TEST_F(SlideshowShow, NextPhotoAfterItsDelaySkippingWhatCannotBeShown) {
  Box();
  Set("photodelay", "2");  // 24 frames at 12 fps
  page.Photos = {Photo("red.jpg", 0xFF0000),
                 (std::filesystem::temp_directory_path() / "no such photo.jpg").string(),
                 Junk("junk.jpg"), Photo("blue.jpg", 0x0000FF, 60, 40, true)};
  Build(40);
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_NE(warnings[0].Message.find("not found"), std::string::npos);
  EXPECT_NE(warnings[1].Message.find("junk.jpg"), std::string::npos);
  EXPECT_EQ(ColorAt(5, 95, 80), 0xFFFFFFu) << "nothing before the fade-in";
  EXPECT_TRUE(Near(ColorAt(33, 95, 80), 0xFF0000)) << std::hex << ColorAt(33, 95, 80);
  EXPECT_TRUE(Near(ColorAt(36, 95, 80), 0x0000FF)) << std::hex << ColorAt(36, 95, 80);
  EXPECT_EQ(ColorAt(36, 300, 250), 0xFFFFFFu) << "outside the box";
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].Width, 150);
  EXPECT_EQ(items[0].Height, 120);
}

TEST_F(SlideshowShow, ShowSpriteHasTheFramesTheBudgetCounts) {
  page.Photos = {Photo("a.jpg", 0xFF0000), Photo("b.jpg", 0x00FF00), Photo("c.jpg", 0x0000FF)};
  Set("photodelay", "3");
  for (const char* transition : {"-1", "0", "6", "9"}) {
    Set("slideshoweffect", transition);
    Build();
    const int64_t expected = SlideshowBudget(ReadSlideshowSettings(page), 3).Frames;
    const std::vector<int> frames = SpriteFrames();
    EXPECT_NE(std::find(frames.begin(), frames.end(), int(expected)), frames.end())
        << "transition " << transition << ": " << expected << " frames";
  }
}

TEST_F(SlideshowShow, TooLongShowIsRefusedAndTheBannerBuilds) {
  Set("SpeedFPS", "40");
  Set("photodelay", "200");
  for (int i = 0; i < 9; ++i) page.Photos.push_back(Photo("p" + std::to_string(i) + ".jpg", 0));
  Build();
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].Message, "Slideshow too long: 72,001 frames (limit 65,535)");
  EXPECT_TRUE(items.empty());
  EXPECT_TRUE(SpriteFrames().empty());
}

TEST_F(SlideshowShow, StandsAtTheDepthOfItsPosition) {
  page.Photos = {Photo("a.jpg", 0xFF0000)};
  for (const auto& [position, depth] : {std::pair{"0", 2600}, std::pair{"1", 270}}) {
    Set("photoposition", position);
    Build();
    int placed = 0;
    for (const auto& info : reader->TagList)
      if (auto* place = dynamic_cast<TSWFPlaceObject2*>(info->TagObject()))
        if (place->Name == "slideshownow") placed = place->Depth;
    EXPECT_EQ(placed, depth);
  }
}

}  // namespace
}  // namespace orvanta::test
