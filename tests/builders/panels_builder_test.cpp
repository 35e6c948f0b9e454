#include <gtest/gtest.h>

#include "builders/panels/panel_margins.h"
#include "builders/panels/panel_order.h"
#include "builders/panels/panel_template.h"
#include "builders/panels/shape_panels_builder.h"
#include "media/filters.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "panels_support.h"

namespace orvanta {
namespace {

using test::TReadBack;

// The first shipped style whose margins satisfy the test.
template <class TTest>
int FirstStyle(TTest wanted) {
  for (int style = 1; style <= 106; ++style) {
    const auto& data = test::BuiltTemplates().Get(PanelTemplateName(style)).Data;
    if (wanted(FindPanelMargins(TReadBack({data.begin(), data.end()}).Reader))) return style;
  }
  ADD_FAILURE() << "no such style";
  return 1;
}

class PanelSlots : public test::TBuildFixture {
 protected:
  // The container at the panel depth, and the id of the panel body a slot's depth holds.
  uint16_t Container(const TReadBack& movie) {
    TSWFPlaceObject2* place = movie.PlacementAt(0, 280);
    EXPECT_NE(place, nullptr);
    return place ? place->CharacterId : 0;
  }
  TSWFPlaceObject2* Body(const TReadBack& movie, uint16_t depth) {
    TSWFPlaceObject2* wrapper = movie.PlacementAt(Container(movie), depth);
    if (!wrapper) return nullptr;
    return movie.PlacementAt(wrapper->CharacterId, 1);
  }
};

TEST_F(PanelSlots, WithoutStylesTheContainerStillStandsEmpty) {
  EXPECT_TRUE(Build().Warnings.empty());
  const TReadBack movie = Background();
  EXPECT_TRUE(movie.Placements(Container(movie)).empty());
}

TEST_F(PanelSlots, SlotsStackFromOneOnTopWithTheirPositionAlphaAndShadow) {
  Set("shape1listbox", "3");
  Set("shape1posx", "40");
  Set("shape1posy", "-7");
  Set("shape1alpha", "254");
  Set("shape5listbox", "4");
  Set("shape5shadow", "True");
  EXPECT_TRUE(Build().Warnings.empty());
  const TReadBack movie = Background();
  EXPECT_EQ(movie.Placements(Container(movie)).size(), 2u);

  TSWFPlaceObject2* top = Body(movie, 99);
  ASSERT_NE(top, nullptr);
  ASSERT_NE(top->ExistingMatrix(), nullptr);
  EXPECT_EQ(top->ExistingMatrix()->TranslateX, 40 * 20);
  EXPECT_EQ(top->ExistingMatrix()->TranslateY, -7 * 20);
  ASSERT_NE(top->ExistingColorTransform(), nullptr);
  const TSWFColorTransform& fade = *top->ExistingColorTransform();
  EXPECT_FALSE(fade.HasAdd);
  EXPECT_EQ(std::vector<int>({fade.RedMult, fade.GreenMult, fade.BlueMult, fade.AlphaMult}),
            std::vector<int>({255, 255, 255, 254}));
  EXPECT_EQ(top->TagID, 26);  // no filter, so a PlaceObject2

  TSWFPlaceObject2* bottom = Body(movie, 95);
  ASSERT_NE(bottom, nullptr);
  EXPECT_EQ(bottom->ExistingColorTransform(), nullptr);
  auto* shadowed = dynamic_cast<TSWFPlaceObject3*>(bottom);
  ASSERT_NE(shadowed, nullptr);
  ASSERT_NE(shadowed->ExistingFilterList(), nullptr);
  ASSERT_EQ(shadowed->ExistingFilterList()->Count(), 1u);
  auto& shadow = dynamic_cast<TSWFDropShadowFilter&>((*shadowed->ExistingFilterList())[0]);
  EXPECT_EQ(shadow.BlurX, 5);
  EXPECT_EQ(shadow.BlurY, 5);
  EXPECT_EQ(shadow.DropShadowColor.RGBA(), kOpaqueBlack);
}

TEST_F(PanelSlots, AWholeTemplateIsPlacedOnceAndCoversTheBox) {
  const int style = FirstStyle([](const TPanelMargins& m) { return m.ScalesAsWhole(); });
  Set("shape2listbox", std::to_string(style));
  Set("shape2width", "800");
  Set("shape2height", "150");
  Build();
  const TReadBack movie = Background();
  TSWFPlaceObject2* body = Body(movie, 98);
  ASSERT_NE(body, nullptr);
  const auto places = movie.Placements(body->CharacterId);
  ASSERT_EQ(places.size(), 1u);
  EXPECT_EQ(places[0]->Depth, 120);
  const auto& data = test::BuiltTemplates().Get(PanelTemplateName(style)).Data;
  const double templateWidth =
      TReadBack({data.begin(), data.end()}).Reader.FrameSize().Xmax() / 20.0;
  // 800 wide is the larger ratio for every shipped picture panel (400 x 300).
  EXPECT_NEAR(places[0]->ExistingMatrix()->GetScaleX(), 800 / templateWidth, 1e-3);
  EXPECT_NEAR(places[0]->ExistingMatrix()->GetScaleY(), 800 / templateWidth, 1e-3);
}

TEST_F(PanelSlots, APanelSmallerThanItsCornersGrowsToCornersPlusTen) {
  const int style = FirstStyle([](const TPanelMargins& m) { return m == TPanelMargins{}; });
  TFlashMovie movie(0, 0, 100, 100, 12, true);
  const TPanelSize size = BuildPanelFromTemplate(
      movie, *movie.AddSprite(), test::BuiltTemplates().Get(PanelTemplateName(style)).Data, 50, 50);
  EXPECT_EQ(size.Width, 70);
  EXPECT_EQ(size.Height, 70);
}

TEST_F(PanelSlots, AnUnreadableTemplateIsAWarningAndTheOtherSlotsBuild) {
  // A pack whose first style is damaged and whose second is too small for its own margins.
  TTemplatePackWriter writer;
  writer.Add(PanelTemplateName(1), "panels", {'F', 'W', 'S', 8, 1, 2});
  TFlashMovie tiny(0, 0, 20, 20, 12, true);
  tiny.AddRectangle(0, 0, 20, 20)->SetSolidColor(0, 0, 255);
  tiny.PlaceObject(tiny.Shapes[0], 1)->SetName("b-posi30x30x30p");
  tiny.ShowFrame();
  writer.Add(PanelTemplateName(2), "panels", test::MovieBytes(tiny));
  const std::vector<uint8_t> bytes = writer.Bytes();
  const TTemplatePack pack(bytes);
  TBuildDriver driver(test::BuiltDataRoot(), TBuildOptions{work_, 5});
  driver.AddBuilder(std::make_unique<TShapePanelsBuilder>(pack));
  Set("shape1listbox", "1");
  Set("shape2listbox", "2");
  Set("shape3listbox", "3");
  const TBuildReport report = driver.Rebuild(doc_, TRebuildOrigin::Command);
  ASSERT_EQ(report.Warnings.size(), 2u);
  EXPECT_EQ(report.Warnings[0].Field, "shape1listbox");
  EXPECT_NE(report.Warnings[1].Message.find("SHAPETEMPLATE3 is missing"), std::string::npos);
  const TReadBack movie = Background();
  EXPECT_NE(Body(movie, 98), nullptr);  // the tiny one, scaled as a whole
  EXPECT_EQ(Body(movie, 99), nullptr);
}

TEST(PanelOrder, EveryFieldMovesWithItsPanelTheShadowIncluded) {
  TPageState page = TPageState::Defaults();
  TWarnings ignored;
  auto set = [&](int slot, const char* field, const std::string& value) {
    page.SetField(FindSavedField("shape" + std::to_string(slot) + field), value, "", 1, ignored);
  };
  auto style = [&](int slot) {
    return page.Field("shape" + std::to_string(slot) + "listbox").Text;
  };
  auto shadow = [&](int slot) {
    return page.Field("shape" + std::to_string(slot) + "shadow").Text;
  };
  for (int slot = 1; slot <= 5; ++slot) set(slot, "listbox", std::to_string(10 + slot));
  set(2, "shadow", "True");

  SendPanelToBack(page, 2);
  EXPECT_EQ(style(5), "12");
  EXPECT_EQ(shadow(5), "True");
  EXPECT_EQ(style(2), "13");
  EXPECT_EQ(shadow(2), "False");
  EXPECT_EQ(style(1), "11");

  BringPanelToFront(page, 5);
  EXPECT_EQ(style(1), "12");
  EXPECT_EQ(shadow(1), "True");
  EXPECT_EQ(style(2), "11");
  EXPECT_EQ(style(5), "15");

  const TPageState before = page;
  SendPanelToBack(page, 5);
  BringPanelToFront(page, 1);
  EXPECT_EQ(page, before);
}

}  // namespace
}  // namespace orvanta
