#include <gtest/gtest.h>

#include "builder_fixture.h"
#include "builders/button_bar/button_bar_builder.h"
#include "builders/button_bar/button_layout.h"
#include "media/filters.h"
#include "movie/flash_button.h"
#include "movie/flash_shape.h"
#include "movie/flash_text.h"
#include "script/actions_data.h"
#include "swf/tags_display.h"

namespace orvanta::test {
namespace {

struct TLayoutCase {
  const char* What;
  int Style;
  TButtonBarSettings Settings;
  TTextSize Caption;
  // Per button of three: art x, y, w, h, hit width, hit height.
  int Expected[3][6];
};

TEST(ButtonBarLayoutTest, ButtonsFollowEachOtherByArtSizeAndGapWhateverTheCaption) {
  const TLayoutCase cases[] = {
      {"three of style 25 in a row",
       25,
       {false, 10, 10, 10, 100},
       {30, 12},
       {{10, 10, 120, 28, 120, 28}, {140, 10, 120, 28, 120, 28}, {270, 10, 120, 28, 120, 28}}},
      {"style 11 at half size",
       11,
       {false, 0, 5, 10, 50},
       {30, 12},
       {{0, 5, 75, 21, 75, 21}, {85, 5, 75, 21, 75, 21}, {170, 5, 75, 21, 75, 21}}},
      {"a caption to the right widens the hit area only",
       40,
       {false, 10, 10, 10, 100},
       {40, 16},
       {{10, 10, 60, 80, 103, 80}, {80, 10, 60, 80, 103, 80}, {150, 10, 60, 80, 103, 80}}},
      {"a caption below, in a column",
       23,
       {true, 5, 20, -6, 100},
       {20, 14},
       {{5, 20, 36, 36, 36, 53}, {5, 50, 36, 36, 36, 53}, {5, 80, 36, 36, 36, 53}}},
  };
  for (const TLayoutCase& c : cases) {
    SCOPED_TRACE(c.What);
    TButtonBarLayout layout(c.Settings);
    for (const auto& e : c.Expected) {
      const TButtonPlace p = layout.Next(ButtonStyleInfo(c.Style), c.Caption);
      EXPECT_EQ((std::vector<int>{p.X, p.Y, p.Width, p.Height, p.HitWidth, p.HitHeight}),
                (std::vector<int>(e, e + 6)));
    }
  }
}

TEST(ButtonBarLayoutTest, CaptionBoxesSitWhereTheirPositionSays) {
  int w = 0, h = 0;
  const TTextSize caption{40, 16};
  const auto box = [&](TCaptionPosition at) {
    const TRect r = CaptionBox(at, 10, 20, 101, 31, caption, w, h);
    return std::vector<int>{r.Left, r.Top, r.Right, r.Bottom, w, h};
  };
  EXPECT_EQ(box(TCaptionPosition::Center), (std::vector<int>{40, 27, 90, 53, 101, 31}));
  EXPECT_EQ(box(TCaptionPosition::Right), (std::vector<int>{113, 27, 163, 53, 144, 31}));
  EXPECT_EQ(box(TCaptionPosition::Bottom), (std::vector<int>{40, 54, 90, 80, 101, 50}));
  EXPECT_EQ(box(TCaptionPosition::Top), (std::vector<int>{40, 22, 90, 48, 101, 31}));
}

class ButtonBarTest : public BuilderTest {
 protected:
  std::vector<TBuiltItem> BuildBar(const TTemplatePack& pack = Templates()) {
    TButtonBarBuilder builder(pack);
    return Build(builder);
  }
  TFlashSprite* Bar() const {
    return PlacedObject<TFlashSprite>(PlacedAt(movie->ObjectList(), 1300));
  }
  const TFlashPlaceObject* InBar(uint16_t depth) const {
    return PlacedAt(Bar()->ObjectList(), depth);
  }
  static const TSWFDefineButton2& Tag(const TFlashButton* button) {
    return dynamic_cast<const TSWFDefineButton2&>(button->ButtonTag());
  }
  static const TSWFActionGetUrl* ReleaseLink(const TFlashButton* button) {
    for (const auto& cond : Tag(button).Actions)
      if (cond->Conditions.test(kCondOverDownToOverUp))
        for (size_t i = 0; i < cond->Count(); ++i)
          if (auto* get = dynamic_cast<const TSWFActionGetUrl*>(&(*cond)[i])) return get;
    return nullptr;
  }
  void UseButtons() { Set("buttonurlenabled0", "False"); }
};

TEST_F(ButtonBarTest, SlotEightIsNumberNineAndBlankBoxHasNeitherShadowNorOverState) {
  UseButtons();
  Set("buttonindex1", "25");
  Set("buttonurl1", "INDEX.HTML");  // the page being built, in capitals
  Set("buttonindex_8", "33");
  Set("buttonurl_8", "https://example.com/eight");
  TWarnings typed;
  page.SetField(FindSavedField("buttontarget_8"), "-1", "frame2", 1, typed);
  const auto items = BuildBar();
  ASSERT_TRUE(warnings.empty()) << warnings.front().Text();

  for (auto [depth, name] : {std::pair{1109, "button9"},
                             {859, "buthittest9"},
                             {899, "butbox9"},
                             {1101, "button1"},
                             {851, "buthittest1"},
                             {891, "butbox1"}}) {
    const TFlashPlaceObject* placed = InBar(uint16_t(depth));
    ASSERT_TRUE(placed) << depth;
    EXPECT_EQ(placed->PlaceObject().Name, name);
  }
  EXPECT_FALSE(InBar(1108));

  // The normal look: the art with a shadow, except for BlankBox, and the hit rectangle.
  auto art = [&](int n) {
    return PlacedAt(PlacedObject<TFlashSprite>(InBar(uint16_t(850 + n)))->ObjectList(), 1);
  };
  EXPECT_TRUE(art(1)->FindFilter(kFilterDropShadow));
  EXPECT_FALSE(art(9)->FindFilter(kFilterDropShadow));
  EXPECT_EQ(art(9)->PlaceObject().Matrix().TranslateX, (10 + 120 + 10) * 20);

  auto* first = PlacedObject<TFlashButton>(InBar(891));
  auto* eighth = PlacedObject<TFlashButton>(InBar(899));
  ASSERT_EQ(Tag(first).Characters.size(), 2u);
  EXPECT_EQ(Tag(first).Characters[1]->States, kButtonStateOver | kButtonStateDown);
  ASSERT_EQ(Tag(eighth).Characters.size(), 1u);
  EXPECT_EQ(Tag(eighth).Characters[0]->States, kButtonStateHitTest);

  ASSERT_TRUE(ReleaseLink(eighth));
  EXPECT_EQ(ReleaseLink(eighth)->UrlString, "https://example.com/eight");
  EXPECT_EQ(ReleaseLink(eighth)->TargetString, "frame2");
  EXPECT_EQ(ReleaseLink(first)->TargetString, "_blank");

  // The link to the page being built dims its caption.
  auto caption = [&](int n) {
    return PlacedObject<TFlashText>(PlacedAt(
        PlacedObject<TFlashSprite>(InBar(uint16_t(1100 + n)))->ObjectList(), uint16_t(1100 + n)));
  };
  EXPECT_EQ(caption(1)->TextColor().RGBA() >> 24, 127u);
  EXPECT_EQ(caption(9)->TextColor().RGBA() >> 24, 255u);
  EXPECT_EQ(caption(9)->WideText, u"Link8");

  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].Width, 120 + 10 + 136);
  EXPECT_EQ(items[0].Height, 41);
}

TEST_F(ButtonBarTest, TheWholeBannerLinkReplacesEveryButton) {
  Set("SWFWidth", "300");
  Set("SWFHeight", "100");
  Set("buttonindex1", "25");  // ignored while the whole banner is the link
  Set("buttonurl0", "https://example.com/whole");
  Set("buttontarget0", "1");
  const auto items = BuildBar();
  EXPECT_FALSE(InBar(851));
  auto* area = PlacedObject<TFlashShape>(InBar(3003));
  auto* button = PlacedObject<TFlashButton>(InBar(3004));
  ASSERT_TRUE(area && button);
  EXPECT_EQ(area->Bounds.Xmax(), 300 * 20);
  EXPECT_EQ(area->Bounds.Ymax(), 100 * 20);
  ASSERT_TRUE(ReleaseLink(button));
  EXPECT_EQ(ReleaseLink(button)->UrlString, "https://example.com/whole");
  EXPECT_EQ(ReleaseLink(button)->TargetString, "_self");
  EXPECT_EQ(items[0].Width, 0) << "the link is no item of the content list";
}

TEST_F(ButtonBarTest, MissingStyleTemplatesAreWarningsAndLeaveNoBar) {
  UseButtons();
  Set("buttonindex2", "1");
  Set("buttonindex_20", "137");
  const auto items = BuildBar(EmptyPack());
  EXPECT_FALSE(PlacedAt(movie->ObjectList(), 1300));
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_EQ(warnings[0].Field, "buttonindex2");
  EXPECT_EQ(warnings[1].Field, "buttonindex_20");
  EXPECT_EQ(items[0].Width, 0);
}

// As a person sees it: the art of both buttons in their boxes with the captions on them, and
// nothing past the bar.
TEST_F(ButtonBarTest, ButtonsDrawInTheirBoxesAndNothingBeyond) {
  UseButtons();
  Set("SWFWidth", "400");
  Set("SWFHeight", "100");
  Set("buttonindex1", "11");
  Set("buttonindex2", "25");
  Set("buttonfontcolor", std::to_string(0x00FFFF));  // yellow
  const auto items = BuildBar();
  const render::TPixmap frame = Draw(1);
  EXPECT_GT(Ink(frame, 10, 10, 160, 52), 0.5);
  EXPECT_GT(Ink(frame, 170, 10, 290, 38), 0.5);
  EXPECT_GT(Share(frame, 60, 20, 110, 42, 255, 255, 0), 0.02) << "the yellow caption";
  EXPECT_EQ(Ink(frame, 300, 0, 400, 100), 0);
  EXPECT_EQ(Ink(frame, 0, 60, 400, 100), 0);
  EXPECT_EQ(items[0].Width, 280);
}

}  // namespace
}  // namespace orvanta::test
