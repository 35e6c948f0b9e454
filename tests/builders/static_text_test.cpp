#include <gtest/gtest.h>

#include "builder_fixture.h"
#include "builders/common/settings_font.h"
#include "builders/static_text/static_text_builder.h"
#include "media/filters.h"
#include "movie/flash_font.h"
#include "movie/flash_shape.h"
#include "movie/flash_text.h"
#include "script/actions_basic.h"
#include "script/flash_action_script.h"
#include "swf/tags_display.h"

namespace orvanta::test {
namespace {

class StaticTextTest : public BuilderTest {
 protected:
  std::vector<TBuiltItem> BuildTexts(const TTemplatePack& pack = Templates()) {
    TStaticTextBuilder builder(pack);
    return Build(builder);
  }
  // The fade wrapper at the static-text depth, and the text sprite it fades.
  TFlashSprite* Fade() const {
    return PlacedObject<TFlashSprite>(PlacedAt(movie->ObjectList(), 997));
  }
  TFlashSprite* Texts() const {
    return PlacedObject<TFlashSprite>(PlacedAt(Fade()->ObjectList(), 1));
  }
  const TFlashPlaceObject* InTexts(uint16_t depth) const {
    return PlacedAt(Texts()->ObjectList(), depth);
  }
  int Width(const std::u16string& text, int points) const {
    TFontSetting font;
    font.Size = points;
    return TTextMeasure(font).Extent(text).Width;
  }
};

TEST_F(StaticTextTest, LinesStackEveryLineHeightAndTheBlockIsAsWideAsItsWidestLine) {
  page.StaticTexts[0] = "A\nBB\n\n";             // the last line break ends an empty third line
  page.Fonts[int(StaticTextFont(1))].Size = 15;  // 20 pixels
  Set("Description1PosX", "30");
  Set("Description1PosY", "40");
  const auto items = BuildTexts();

  TFontSetting font;
  font.Size = 15;
  const int h = TTextMeasure(font).Extent(u"A").Height;
  ASSERT_GE(h, 20);
  for (int i = 0; i < 3; ++i) {
    const TFlashPlaceObject* line = InTexts(uint16_t(1600 + i));
    ASSERT_TRUE(line) << i;
    EXPECT_EQ(line->PlaceObject().Matrix().TranslateX, 30 * 20);
    EXPECT_EQ(line->PlaceObject().Matrix().TranslateY, 40 * 20);
    auto* text = PlacedObject<TFlashText>(line);
    EXPECT_EQ(text->Bounds.Ymin(), i * h * 20);
    EXPECT_EQ(text->Bounds.Ymax(), ((i + 1) * h + 10) * 20);
    const std::u16string lines[] = {u"A", u"BB", u""};
    EXPECT_EQ(text->WideText, lines[i]);
  }
  EXPECT_FALSE(InTexts(1603));
  EXPECT_FALSE(InTexts(1100)) << "no effect without BG Effect";
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].Width, Width(u"BB", 15));
  EXPECT_EQ(items[0].Height, 3 * h);
  EXPECT_TRUE(warnings.empty());
}

TEST_F(StaticTextTest, EveryEmptyStillGivesTheStoppedFadeOfThirtyTwoFrames) {
  EXPECT_TRUE(BuildTexts().empty());
  TFlashSprite* fade = Fade();
  ASSERT_TRUE(fade);
  EXPECT_EQ(fade->FrameCount(), 32);
  EXPECT_TRUE(Texts()->ObjectList().size() <= 1) << "the text sprite holds nothing but its frame";
  // Frame by frame: alpha from 15 up to 255 while the blur falls from 100 to 0, then a stop.
  std::vector<const TFlashPlaceObject*> steps;
  for (const auto& object : fade->ObjectList())
    if (auto* place = dynamic_cast<const TFlashPlaceObject*>(object.get())) steps.push_back(place);
  ASSERT_EQ(steps.size(), 21u);
  for (size_t i = 0; i < steps.size(); ++i) {
    const int n = 20 - int(i);
    EXPECT_EQ(steps[i]->PlaceObject().ColorTransform().AlphaMult, 255 - 12 * n);
    auto* blur = dynamic_cast<TSWFBlurFilter*>(steps[i]->FindFilter(kFilterBlur));
    ASSERT_TRUE(blur);
    EXPECT_EQ(blur->BlurX, 5 * n);
    EXPECT_EQ(steps[i]->Move(), i > 0);
  }
  const auto& last = fade->ObjectList();
  bool stops = false;
  for (const auto& object : last)
    if (auto* script = dynamic_cast<const TFlashActionScript*>(object.get()))
      stops = stops || (script->Actions().Count() == 1 &&
                        script->Actions()[0].ActionCode == TSWFActionStop().ActionCode);
  EXPECT_TRUE(stops);
}

// The band sits a quarter of the last line's width to the left, a seventh for slot 7; it is as
// wide as one and a half widest lines.
TEST_F(StaticTextTest, ShadowBandShiftsByAQuarterOfTheLastLineAndSlotSevenByASeventh) {
  for (int slot : {1, 4, 7}) {
    SCOPED_TRACE(slot);
    page = TPageState::Defaults();
    const std::string k = std::to_string(slot);
    page.StaticTexts[slot - 1] = "A much longer first line\nShort";
    Set("Description" + k + "shadow", "True");
    Set("Description" + k + "PosX", "200");
    BuildTexts();
    const int last = Width(u"Short", 10), widest = Width(u"A much longer first line", 10);
    const uint16_t bandDepth = slot == 1 ? 1000 : uint16_t(1000 + slot);
    const TFlashPlaceObject* band = InTexts(bandDepth);
    ASSERT_TRUE(band);
    EXPECT_EQ(band->PlaceObject().Matrix().TranslateX,
              (200 - (slot == 7 ? last / 7 : last / 4)) * 20);
    EXPECT_EQ(PlacedObject<TFlashShape>(band)->Bounds.Xmax(), (widest + widest / 2) * 20);
  }
}

TEST_F(StaticTextTest, BlocksOfOneFaceShareOneFontHoldingEveryCharacter) {
  page.StaticTexts[0] = "ab";
  page.StaticTexts[5] = "xy";
  page.Fonts[int(StaticTextFont(6))].Size = 30;
  BuildTexts();
  ASSERT_EQ(movie->Fonts.size(), 1u);
  for (char16_t c : std::u16string(u"abxy")) EXPECT_TRUE(movie->Fonts[0]->FindUnicodeChar(c));
  EXPECT_EQ(PlacedObject<TFlashText>(InTexts(2100))->FontHeight, 40 * 20);
}

TEST_F(StaticTextTest, ABlockPastAHundredLinesIsCutWithAWarning) {
  std::string text;
  for (int i = 0; i < 130; ++i) text += "line " + std::to_string(i) + "\n";
  page.StaticTexts[2] = text;
  page.StaticTexts[3] = "the next block";
  BuildTexts();
  EXPECT_TRUE(InTexts(1899));
  EXPECT_FALSE(InTexts(1901)) << "line 101 would stand on the next block's first depth";
  EXPECT_EQ(PlacedObject<TFlashText>(InTexts(1900))->WideText, u"the next block");
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].Field, "TextMemo3");
  EXPECT_NE(warnings[0].Message.find("130 lines"), std::string::npos);
}

TEST_F(StaticTextTest, AMissingEffectTemplateIsAWarningAndTheTextStillShows) {
  page.StaticTexts[0] = "Hello";
  Set("DescriptionBGEffect1", "True");
  BuildTexts(EmptyPack());
  EXPECT_TRUE(InTexts(1600));
  EXPECT_FALSE(InTexts(1100));
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].Field, "HTMLTopicbgeffect3");
}

// As a person sees it once the fade is over: each block in its own colour where it was put, the
// effect behind slot 1 only inside its box, slot 4 masked at its own depths.
TEST_F(StaticTextTest, TextsDrawInTheirColoursAndTheEffectOnlyInsideTheTextBox) {
  Set("SWFWidth", "500");
  Set("SWFHeight", "300");
  page.StaticTexts[0] = "WWWWWW";
  page.Fonts[int(StaticTextFont(1))].Size = 30;
  Set("Description1PosX", "20");
  Set("Description1PosY", "20");
  Set("Description1color", std::to_string(0x0000FF));  // red
  Set("DescriptionBGEffect1", "True");
  page.StaticTexts[3] = "MMMM";
  page.Fonts[int(StaticTextFont(4))].Size = 30;
  Set("Description4PosX", "250");
  Set("Description4PosY", "200");
  Set("Description4color", std::to_string(0xFF0000));  // blue
  Set("DescriptionBGEffect4", "True");
  const auto items = BuildTexts();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(InTexts(1140)->PlaceObject().ClipDepth, 1141);
  EXPECT_TRUE(warnings.empty());

  const render::TPixmap early = Draw(5);
  EXPECT_EQ(Ink(early, 0, 0, 500, 300), 0) << "nothing shows before the fade starts";
  const render::TPixmap frame = Draw(32);  // the rasteriser runs no stop: frame 32 is the last
  const int w1 = items[0].Width, h1 = items[0].Height;
  EXPECT_GT(Share(frame, 20, 20, 20 + w1, 20 + h1, 255, 0, 0), 0.1);
  EXPECT_GT(Share(frame, 250, 200, 250 + items[1].Width, 200 + items[1].Height, 0, 0, 255), 0.1);
  // The effect fills its box (10 pixels round the text, down to 100 pixels below the top) ...
  EXPECT_GT(Ink(frame, 20 + w1 + 2, 20 + 10, 20 + w1 + 9, 20 + 95), 0.05);
  EXPECT_GT(Ink(frame, 20, 20 + h1 + 5, 20 + w1, 20 + 95), 0.05);
  // ... and nothing past it, up to slot 4's box at (240, 190).
  EXPECT_EQ(Ink(frame, 20 + w1 + 12, 0, 238, 188), 0);
  EXPECT_EQ(Ink(frame, 0, 20 + 102, 238, 188), 0);
}

}  // namespace
}  // namespace orvanta::test
