#include <gtest/gtest.h>

#include <cmath>

#include "animated_text_fixture.h"
#include "builders/animated_text/text_budget.h"
#include "builders/animated_text/text_measure.h"
#include "platform/artwork_names.h"
#include "render/frame_renderer.h"
#include "swf/tags_display.h"

namespace orvanta {
namespace {

using test::AnimatedTextPage;

// Tags of the main timeline that failed to read: a valid movie has none.
int FailedTags(const TSWFStreamReader& movie) {
  int failed = 0;
  for (const auto& info : movie.TagList) failed += !info->ReadError.empty();
  return failed;
}

const TSWFPlaceObject2* FirstPlacementAt(const TSWFStreamReader& movie, uint16_t depth) {
  for (const auto& info : movie.TagList)
    if (auto* place = dynamic_cast<const TSWFPlaceObject2*>(info->TagObject()))
      if (place->Depth == depth) return place;
  return nullptr;
}

TEST(AnimatedTextBuild, TwoLinesTurnInOnePassEachThenHoldAndTheItemIsTheWidestLine) {
  AnimatedTextPage page;
  page.Text("AB\nC");
  page.Set("TextEffectID", "1");
  const auto movie = page.Build();
  // n = 30 at 12 fps: 31 turning frames and 30 held ones per line, then the closing two.
  EXPECT_EQ(movie->FrameCount(), 2 * (31 + 30) + 2);
  EXPECT_EQ(FailedTags(*movie), 0);
  EXPECT_TRUE(page.Warnings.empty());
  ASSERT_EQ(page.Items.size(), 1u);
  EXPECT_EQ(page.Items[0].Slot, 0);
  EXPECT_GT(page.Items[0].Width, 40);
  EXPECT_GT(page.Items[0].Height, 20);
}

// Each effect in both passes, with the options that change what a frame holds: the movie reads
// back whole, has the frames the plan counts, and uses no more ids than the budget allowed.
TEST(AnimatedTextBuild, EveryEffectInBothPassesGivesTheCountedFramesWithinItsIdBudget) {
  const std::vector<std::vector<std::pair<const char*, const char*>>> looks = {
      {},
      {{"Letterblur", "True"}, {"LetterDitheringX", "3"}, {"LetterLineWidth", "2"}},
      {{"letterlaser", "True"}, {"letterlinerotation", "True"}, {"TextRotation", "20"}},
      {{"FontFrontGradientColorEnabled", "True"},
       {"FontFrontGradientColorType", "14"},
       {"shadowwidth", "2"},
       {"FontFrontgroundEffect1", "True"}},
      {{"FontFrontArtTextEnabled", "True"},
       {"FontFrontArtColorEnabled", "True"},
       {"FontFrontgroundEffect4", "True"}}};
  for (int effect = 0; effect <= 10; ++effect)
    for (int display = 0; display <= 1; ++display) {
      AnimatedTextPage page;
      page.Text("Hi!\nOK");
      page.Set("TextEffectID", std::to_string(effect));
      page.Set("TextDisplayType", std::to_string(display));
      page.Set("suiSpinEdit9", "1200");
      page.Set("PageDelayTime", "1200");
      for (const auto& [name, value] : looks[size_t(effect + display) % looks.size()])
        page.Set(name, value);
      SCOPED_TRACE("effect " + std::to_string(effect) + " display " + std::to_string(display));
      const TAnimatedTextSettings settings = ReadAnimatedTextSettings(page.Page());
      TTextMeasurer measure(settings, &test::Templates());
      const TTextBudget budget = CountTextBudget(settings, measure, &test::Templates(), 40);
      const auto movie = page.Build();
      EXPECT_EQ(FailedTags(*movie), 0);
      EXPECT_EQ(movie->FrameCount(), budget.Frames + 2);
      EXPECT_LE(page.IdsUsed, budget.Ids + 40);
      EXPECT_TRUE(page.Warnings.empty()) << page.Warnings[0].Text();
    }
}

// Line By Line with 42 lines of 801 turning and 800 held frames passes the frame limit; Show All
// with 90 letters, a wrapper for each in each of 802 pictures, passes the id limit.
TEST(AnimatedTextBuild, TextPastEitherLimitIsLeftOutWithAWarningAndTheMovieStaysValid) {
  std::string lines;
  for (int i = 0; i < 41; ++i) lines += "Line\n";
  const struct {
    std::string Text;
    const char* Display;
    const char* Message;
  } cases[] = {
      {lines + "Last", "0", "Animated text too long: 67,244 frames (limit 65,535)"},
      {std::string(90, 'W'), "1", "Animated text too long: 73,965 character ids (limit 65,535)"}};
  for (const auto& c : cases) {
    AnimatedTextPage page;
    page.Text(c.Text);
    page.Set("TextDisplayType", c.Display);
    page.Set("SpeedFPS", "40");
    page.Set("suiSpinEdit9", "20000");
    page.Set("PageDelayTime", "20000");
    page.Set("TextEffectID", "1");
    page.Set("lettershadowpanel", "True");
    const auto movie = page.Build();
    ASSERT_EQ(page.Warnings.size(), 1u);
    EXPECT_EQ(page.Warnings[0].Message, c.Message);
    EXPECT_EQ(movie->FrameCount(), 2);
    EXPECT_EQ(FailedTags(*movie), 0);
    EXPECT_TRUE(page.Items.empty());
    EXPECT_EQ(FirstPlacementAt(*movie, 999), nullptr);  // no panel for a text that is not there
  }
}

TEST(AnimatedTextBuild, ARotatedBlockTurnsTheOtherWayAboutItsPivot) {
  AnimatedTextPage page;
  page.Text("Turn");
  page.Set("TextRotation", "30");
  const auto movie = page.Build();
  const TSWFPlaceObject2* place = FirstPlacementAt(*movie, 1000);
  ASSERT_NE(place, nullptr);
  ASSERT_NE(place->ExistingMatrix(), nullptr);
  TSWFMatrix expected;
  expected.SetRotate(330);
  EXPECT_EQ(place->ExistingMatrix()->RotateSkew0, expected.RotateSkew0);
  EXPECT_EQ(place->ExistingMatrix()->ScaleX, expected.ScaleX);
}

TEST(AnimatedTextBuild, AMissingTextureIsNamedAndTheLettersStillBuild) {
  AnimatedTextPage page;
  page.Text("Tex");
  page.Set("FontFrontImageEnabled", "True");
  page.Set("FontFrontImageEditBox", "nowhere.jpg");
  const auto movie = page.Build();
  ASSERT_EQ(page.Warnings.size(), 1u);
  EXPECT_EQ(page.Warnings[0].Message, "nowhere.jpg file not found !");
  EXPECT_GT(movie->FrameCount(), 2);
}

TEST(AnimatedTextBuild, ArtLettersLeaveTheUsersFontAlone) {
  AnimatedTextPage page;
  page.Text("Art");
  page.Set("FontFrontArtTextEnabled", "True");
  page.Build();
  EXPECT_EQ(page.Page().Fonts[int(TFontSlot::AnimatedText)].Face, "Arial");
}

// The held frame of "HI" in every family, recoloured pure green: green must show.
TEST(AnimatedTextBuild, EveryArtFamilyDrawsVisibleLettersInTheChosenColour) {
  const auto& families = ArtLetterFamilies();
  for (size_t f = 0; f < families.size(); ++f) {
    AnimatedTextPage page;
    page.Text("HI");
    page.Set("TextPosY", "20");
    page.Set("FontFrontArtTextEnabled", "True");
    page.Set(f == 0                     ? "FontFrontArtTextDot"
             : f + 1 == families.size() ? "FontFrontArtTextIce"
                                        : "FontFrontArtText" + std::to_string(f + 2),
             "True");
    page.Set("FontFrontArtColorEnabled", "True");
    page.Set("FontFrontArtColor", std::to_string(0x00FF00));
    const auto movie = page.Build();
    render::TRenderOptions options;
    options.Frame = 1;
    const render::TPixmap picture = render::RenderFrame(*movie, options);
    int green = 0;
    for (int y = 0; y < picture.Height; ++y)
      for (int x = 0; x < picture.Width; ++x) {
        const uint8_t* p = picture.Row(y) + x * 4;
        green += p[render::kGreen] > 150 && p[render::kRed] < 100 && p[render::kBlue] < 100;
      }
    EXPECT_GT(green, 200) << families[f].Caption;
  }
}

}  // namespace
}  // namespace orvanta
