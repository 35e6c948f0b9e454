#include <cmath>

#include "clip_fixture.h"
#include "media/filters.h"
#include "platform/clip_table.h"

namespace orvanta::test {
namespace {

using ClipLayersTest = ClipFixture;

uint16_t LayerDepth(int layer) {
  return uint16_t(517 - 2 * layer);
}

// The layer sprite placed in the main movie for a layer.
std::vector<TTimelineTag> LayerTimeline(const TSWFStreamReader& reader, int layer) {
  const auto placed = PlacementsAt(Timeline(MainTags(reader)), LayerDepth(layer));
  EXPECT_EQ(placed.size(), 1u) << "layer " << layer;
  if (placed.empty()) return {};
  return Timeline(SpriteTags(reader, placed[0].second->CharacterId));
}

int FirstFrameOf(const std::vector<TTimelineTag>& timeline, uint16_t code) {
  for (const auto& [frame, tag] : timeline)
    if (tag->TagID == code) return frame;
  return 0;
}

TEST_F(ClipLayersTest, LayersWaitForTheUsedLayersAboveAndAreRevealedByTheMask) {
  Set("PageEffectID1", kSnow);
  Set("PageEffectID2", kBubbles);
  Set("PageEffectID5", kRadial);
  for (const bool atOnce : {false, true}) {
    Set("movieclipshowonetime", atOnce ? "True" : "False");
    const auto reader = Build();
    EXPECT_TRUE(warnings_.empty());
    const struct { int Layer, Wait; } layers[] = {{1, 40}, {2, 20}, {5, 0}};
    for (const auto& l : layers) {
      SCOPED_TRACE("layer " + std::to_string(l.Layer) + (atOnce ? ", all at once" : ""));
      const auto timeline = LayerTimeline(*reader, l.Layer);
      const int wait = atOnce ? 0 : l.Wait;
      const uint16_t clipDepth = wait ? 2 : 1;
      const auto clip = PlacementsAt(timeline, clipDepth);
      ASSERT_EQ(clip.size(), 1u);
      EXPECT_EQ(clip[0].first, wait + 1);
      if (!wait) {
        EXPECT_EQ(timeline.size(), 1u) << "shown at once: no mask, no stop";
        continue;
      }
      // The brush stroke masks the clip for 30 frames, then the layer stops.
      const auto mask = PlacementsAt(timeline, 1);
      ASSERT_EQ(mask.size(), 1u);
      EXPECT_EQ(mask[0].first, wait + 1);
      EXPECT_EQ(mask[0].second->ClipDepth, 2);
      EXPECT_EQ(FirstFrameOf(timeline, ToCode(TTagCode::RemoveObject2)), wait + 31);
      EXPECT_EQ(FirstFrameOf(timeline, ToCode(TTagCode::DoAction)), wait + 32);
    }
  }
  // The mask is drawn for 465 x 350 and covers the 200 x 100 snow clip; one import of it
  // serves both waiting layers.
  Set("movieclipshowonetime", "False");
  const auto reader = Build();
  const auto mask = PlacementsAt(LayerTimeline(*reader, 1), 1);
  ASSERT_EQ(mask.size(), 1u);
  EXPECT_EQ(PlacementsAt(LayerTimeline(*reader, 2), 1).at(0).second->CharacterId,
            mask[0].second->CharacterId);
  EXPECT_NEAR(mask[0].second->ExistingMatrix()->GetScaleX(), 200.0 / 465, 1e-3);
  EXPECT_NEAR(mask[0].second->ExistingMatrix()->GetScaleY(), 100.0 / 350, 1e-3);
}

TEST_F(ClipLayersTest, TurnedWaitingClipFadesInTurnedAboutItsCentreThenStops) {
  Set("PageEffectID3", kSnow);  // 200 x 100
  Set("PageEffectID4", kRadial);
  Set("PageBackGroundRotation3", 90);
  const auto reader = Build();
  const auto layer = LayerTimeline(*reader, 3);
  const auto turned = PlacementsAt(layer, 1);
  ASSERT_EQ(turned.size(), 1u);
  EXPECT_EQ(turned[0].first, 21);
  EXPECT_EQ(FirstFrameOf(layer, ToCode(TTagCode::DoAction)), 21);

  const auto fade = Timeline(SpriteTags(*reader, turned[0].second->CharacterId));
  const auto steps = PlacementsAt(fade, 1);
  ASSERT_EQ(steps.size(), 52u);
  for (size_t i = 0; i < steps.size(); ++i) {
    const TSWFPlaceObject2& step = *steps[i].second;
    EXPECT_EQ(step.PlaceFlagMove, i > 0) << i;
    EXPECT_EQ(step.ExistingColorTransform()->AlphaMult, i < 50 ? 5 * int(i) + 5 : 255) << i;
  }
  EXPECT_EQ(FirstFrameOf(fade, ToCode(TTagCode::DoAction)), 53);

  // The clip's top-left corner, through both placements. The matrix turns by 360 - 90 = 270
  // degrees counter-clockwise, which on the screen is the quarter turn clockwise that a user's
  // 90 degrees means: about the centre (100, 50) the corner lands at (150, -50).
  const TSWFMatrix& inner = *steps[0].second->ExistingMatrix();
  const TSWFMatrix& outer = *turned[0].second->ExistingMatrix();
  const double x = inner.TranslateX, y = inner.TranslateY;
  const double a = outer.GetScaleX(), d = outer.GetScaleY();
  const double b = outer.RotateSkew0 / 65536.0, c = outer.RotateSkew1 / 65536.0;
  EXPECT_NEAR((a * x + c * y + outer.TranslateX) / 20, 150, 0.5);
  EXPECT_NEAR((b * x + d * y + outer.TranslateY) / 20, -50, 0.5);
}

TEST_F(ClipLayersTest, ScaledShadowedClipRecordsBothSizesAndLiesBelowTheOwnMovie) {
  Set("PageEffectID1", kSnow);
  Set("PageBackGroundScalewidth1", 50);
  Set("PageBackGroundPosX1", 30);
  Set("PageBackGroundPosY1", -40);
  Set("PageBackgroundShadow1", "True");
  WriteFile(root_ / "own.swf", BoxMovie(300, 200));
  Set("PageEffect_filename1", (root_ / "own.swf").string());
  const auto reader = Build();
  EXPECT_TRUE(warnings_.empty());

  EXPECT_EQ(builder_->Sizes()[1].Frame.Width, 200);
  EXPECT_EQ(builder_->Sizes()[1].Frame.Height, 100);
  EXPECT_EQ(builder_->Sizes()[1].Shown.Width, 100);
  EXPECT_EQ(builder_->Sizes()[1].Shown.Height, 50);
  EXPECT_EQ(builder_->Sizes()[0].Shown.Width, 300);
  for (const TBuiltItem& item : items_) {
    const std::string& label = ContentSlots()[item.Slot].Label;
    EXPECT_EQ(item.Width, label == "[MC1] " ? 100 : label == "[MC0] " ? 300 : 0) << label;
  }

  const auto main = Timeline(MainTags(*reader));
  const auto layer = PlacementsAt(main, 515), own = PlacementsAt(main, 517);
  ASSERT_EQ(layer.size(), 1u);
  ASSERT_EQ(own.size(), 1u);
  const TSWFMatrix& m = *layer[0].second->ExistingMatrix();
  EXPECT_NEAR(m.GetScaleX(), 0.5, 1e-4);
  EXPECT_EQ(m.TranslateX, 30 * 20);
  EXPECT_EQ(m.TranslateY, -40 * 20);
  // The shadow's angle is stored in radians: 45 degrees.
  auto* placed = dynamic_cast<const TSWFPlaceObject3*>(layer[0].second);
  ASSERT_TRUE(placed && placed->ExistingFilterList());
  EXPECT_NEAR(dynamic_cast<const TSWFDropShadowFilter&>((*placed->ExistingFilterList())[0]).Angle,
              0.7854, 1e-3);
}

TEST_F(ClipLayersTest, WithdrawnClipsStandInAndMissingOrDamagedOnesOnlyLeaveTheirLayerOut) {
  int withdrawn = 0;
  for (const TClipEntry& entry : ClipTable())
    if (IsWithdrawnClip(entry) && !withdrawn) withdrawn = entry.Index;
  Set("PageEffectID1", withdrawn);  // icon1, 40 x 40
  Set("PageEffectID2", 10);         // firefly: in no source
  Set("PageEffectID3", kSnow);      // its damaged ".ddt" comes before its template
  Set("PageEffectID4", kCloud);
  WriteFile(root_ / "data/mc_thumb/snow.ddt", {0x78, 0x01, 0xFF, 0x00});
  const auto reader = Build();
  ASSERT_EQ(warnings_.size(), 2u);
  EXPECT_EQ(warnings_[0].Field, "PageEffectID2");
  EXPECT_NE(warnings_[0].Message.find("firefly"), std::string::npos);
  EXPECT_EQ(warnings_[1].Field, "PageEffectID3");
  const auto main = Timeline(MainTags(*reader));
  const int widths[] = {40, 0, 0, 90};
  for (int layer = 1; layer <= 4; ++layer) {
    EXPECT_EQ(builder_->Sizes()[layer].Frame.Width, widths[layer - 1]) << layer;
    EXPECT_EQ(PlacementsAt(main, LayerDepth(layer)).size(), widths[layer - 1] ? 1u : 0u) << layer;
  }
}

}  // namespace
}  // namespace orvanta::test
