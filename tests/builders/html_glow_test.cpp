#include "builders/banner_probe.h"
#include "media/filters.h"
#include "swf/tags_display.h"
#include "swf/tags_shape.h"

namespace orvanta::test {
namespace {

class HtmlGlow : public BannerProbe {
 protected:
  void SetLayer(int n, bool glow) {
    const std::string i = std::to_string(n);
    doc_.Current.HtmlTexts[n - 1] = "<b>layer " + i + "</b>";
    Set("TextGlow" + i, glow ? "True" : "False");
    Set("staticmemowidth" + i, "200");
    Set("staticmemoheight" + i, "50");
    Set("staticmemoposx" + i, "30");
    Set("staticmemoposy" + i, std::to_string(40 * n));
  }
};

TEST_F(HtmlGlow, GlowingLayersGetABlurredPanelInOneSpriteAt3010) {
  SetLayer(1, true);
  SetLayer(2, true);
  SetLayer(3, false);
  SetLayer(4, true);
  Set("TextGlow5", "True");  // no text: no panel
  Build();
  const auto places = Tags<TSWFPlaceObject2>(TTagCode::PlaceObject2);
  ASSERT_EQ(places.size(), 1u);
  EXPECT_EQ(places[0]->Depth, 3010);

  const TSWFTagInfo* sprite = FirstTag(TTagCode::DefineSprite);
  ASSERT_NE(sprite, nullptr);
  std::vector<std::pair<int, int>> panels;  // depth, top
  for (const auto& inner : sprite->SubTags)
    if (const auto* place = dynamic_cast<const TSWFPlaceObject3*>(inner->TagObject())) {
      panels.emplace_back(place->Depth, place->ExistingMatrix()->TranslateY / 20);
      EXPECT_EQ(place->ExistingMatrix()->TranslateX, 30 * 20);
      ASSERT_NE(place->ExistingFilterList(), nullptr);
      const auto& blur = dynamic_cast<const TSWFBlurFilter&>((*place->ExistingFilterList())[0]);
      EXPECT_EQ(blur.BlurX, 45);
      EXPECT_EQ(blur.BlurY, 45);
    }
  EXPECT_EQ(panels, (std::vector<std::pair<int, int>>{{1000, 40}, {1002, 80}, {1004, 160}}));

  // A 200-pixel layer at x 30 glows from -20 to 280 in banner pixels.
  const auto shapes = Tags<TSWFDefineShape>(TTagCode::DefineShape3);
  EXPECT_EQ(shapes.size(), 3u);
  for (const TSWFDefineShape* shape : shapes) {
    EXPECT_EQ(shape->ShapeBounds.Xmin(), -50 * 20);
    EXPECT_EQ(shape->ShapeBounds.Xmax(), 250 * 20);
    EXPECT_EQ(shape->ShapeBounds.Ymax(), 50 * 20);
  }
}

TEST_F(HtmlGlow, NoGlowingLayerAddsNothing) {
  SetLayer(1, false);
  Build();
  EXPECT_EQ(FirstTag(TTagCode::DefineSprite), nullptr);
}

}  // namespace
}  // namespace orvanta::test
