#include "project/design_geometry.h"

#include <gtest/gtest.h>

#include <map>

#include "project/field_registry.h"

namespace orvanta {
namespace {

int SlotNamed(std::string_view label) {
  const auto& slots = ContentSlots();
  for (size_t i = 0; i < slots.size(); ++i)
    if (slots[i].Label == label) return int(i);
  ADD_FAILURE() << "no slot " << label;
  return 0;
}

// A page whose items stand where a test wants them, as if a build had measured them.
class DesignPage {
 public:
  DesignPage& Set(const std::string& name, const std::string& value) {
    doc.Current.SetField(FindSavedField(name), value, "", 1, warnings);
    return *this;
  }
  // Places a slot: its position fields, and the size the build would have stored.
  DesignPage& Place(const std::string& label, TItemRect r) {
    const int slot = SlotNamed(label);
    Set(ContentSlots()[slot].LeftField, std::to_string(r.Left));
    Set(ContentSlots()[slot].TopField, std::to_string(r.Top));
    doc.SetItemSize(slot, r.Width, r.Height);
    return *this;
  }
  std::string Field(const std::string& name) const { return doc.Current.Field(name).Text; }

  TBannerDocument doc = TBannerDocument::New();
  TWarnings warnings;
};

// HTML texts and shapes take their size from their fields, everything else from the build.
DesignPage CrowdedPage() {
  DesignPage p;
  p.doc.Current.HtmlTexts[0] = "<b>Sale</b>";
  p.Set("staticmemowidth1", "100").Set("staticmemoheight1", "40").Place("HTML Text1", {50, 50});
  p.doc.Current.Photos = {"a.jpg"};
  p.Place("SlideShow", {0, 0, 300, 200});
  p.doc.Current.StaticTexts[0] = "first";
  p.doc.Current.StaticTexts[4] = "fifth";
  p.Place("Static Text1", {400, 10, 100, 30}).Place("Static Text5", {420, 20, 100, 30});
  p.Set("PageEffectID1", "3").Place("[MC1] ", {600, 300, 200, 100});
  p.Set("shape2listbox", "1").Set("shape2width", "700").Set("shape2height", "500");
  p.Place("Shape2", {0, 0});
  return p;
}

TEST(DesignGeometry, HitTestPrefersTheItemsOnTop) {
  const DesignPage page = CrowdedPage();
  const std::map<std::pair<int, int>, std::string> expected{
      {{150, 90}, "HTML Text1"},    // the corner x + w, y + h is still inside
      {{60, 60}, "HTML Text1"},     // over the slideshow as well
      {{151, 60}, "SlideShow"},     // just right of the layer
      {{450, 25}, "Static Text5"},  // text 5 is tried before text 1
      {{405, 15}, "Static Text1"},  //
      {{650, 350}, "MovieClip1"},   // the clip lies over the shape
      {{650, 450}, "Shape2"},       //
      {{700, 500}, "Shape2"},       //
      {{701, 500}, ""},             // nothing there
      {{-1, 0}, ""},
  };
  for (const auto& [point, name] : expected) {
    const auto hit = HitTest(page.doc, point.first, point.second);
    EXPECT_EQ(hit ? hit->Name : "", name) << point.first << "," << point.second;
  }
}

TEST(DesignGeometry, SelectionsByNameAndByLine) {
  DesignPage page = CrowdedPage();
  page.Set("bgsound", "music1.mp3").Set("bgsoundcontrol", "2").Place("Sound", {30, 70});
  page.Set("preloadindex", "1");
  struct TCase {
    std::string Asked, Name;
    TItemRect Rect;
    bool Resizable;
  };
  const TCase cases[] = {
      {"MovieClip1", "MovieClip1", {600, 300, 200, 100}, true},
      {"[MC1] ", "MovieClip1", {600, 300, 200, 100}, true},
      {"Sound", "Sound", {30, 60, 100, 40}, false},  // the control clip stands 10 higher
      {"Static Text5", "Static Text5", {420, 20, 100, 30}, false},
      {"HTML Text1", "HTML Text1", {50, 50, 100, 40}, true},
  };
  for (const TCase& c : cases) {
    const auto found = FindSelection(page.doc, c.Asked);
    ASSERT_TRUE(found) << c.Asked;
    EXPECT_EQ(found->Name, c.Name);
    EXPECT_EQ(
        (std::array{found->Rect.Left, found->Rect.Top, found->Rect.Width, found->Rect.Height}),
        (std::array{c.Rect.Left, c.Rect.Top, c.Rect.Width, c.Rect.Height}))
        << c.Asked;
    EXPECT_EQ(found->Resizable, c.Resizable) << c.Asked;
  }
  // Lines without a rectangle, and items the page does not hold, only clear the selection.
  for (const char* none :
       {"Welcome Loading", "Back Ground", "[Layout] 800x800", "Static Text2", "MovieClip2", ""})
    EXPECT_FALSE(FindSelection(page.doc, none)) << none;
}

TEST(DesignGeometry, HandlesKeepToTheBanner) {
  struct TCase {
    TItemRect Item;
    int Left, Top;
  };
  const TCase cases[] = {
      {{-40, 100, 10, 10}, -40, 87},  // half of a 100-pixel handle still shows
      {{-50, 100, 10, 10}, 0, 87},   {{-60, 100, 10, 10}, 0, 87},
      {{10, 20, 10, 10}, 10, 7},     {{10, 8, 10, 10}, 10, 0},  // no room above the item
  };
  for (const TCase& c : cases) {
    const TItemRect handle = MoveHandleBox(c.Item);
    EXPECT_EQ(handle.Left, c.Left) << c.Item.Left;
    EXPECT_EQ(handle.Top, c.Top) << c.Item.Top;
  }
  const TPageHandles page = PageHandles(468, 60);
  EXPECT_EQ((std::array{page.Right.Left, page.Right.Top, page.Bottom.Left, page.Bottom.Top}),
            (std::array{468, -40, 368, 60}));
  EXPECT_EQ(page.Caption, "Resize Webpage\n468x60");
}

TEST(DesignGeometry, ResizeDragsStopAtTheMinimumSide) {
  struct TCase {
    TResizeEdge Edge;
    int Dx, Dy, Width, Height;
  };
  const TCase cases[] = {
      {TResizeEdge::Corner, 30, -10, 130, 40},
      {TResizeEdge::Corner, -500, -500, 20, 20},
      {TResizeEdge::Right, 30, 70, 130, 50},
      {TResizeEdge::Bottom, 30, -45, 100, 20},
      {TResizeEdge::Corner, INT32_MAX, 0, INT32_MAX, 50},
  };
  for (const TCase& c : cases) {
    const TItemRect r = ResizedFrame({5, 5, 100, 50}, c.Dx, c.Dy, c.Edge);
    EXPECT_EQ((std::array{r.Left, r.Top, r.Width, r.Height}), (std::array{5, 5, c.Width, c.Height}))
        << c.Dx << "," << c.Dy;
  }
}

TEST(DesignGeometry, ResizeDropsWriteTheFieldsOfTheKind) {
  struct TCase {
    std::string Name;
    int Width, Height;
    std::map<std::string, std::string> Fields;
    bool Changed = true;
  };
  const TCase cases[] = {
      // A library clip keeps inside the frame, the own clip covers it.
      {"MovieClip1", 300, 300, {{"PageBackGroundScalewidth1", "150"}}},
      {"MovieClip0", 300, 300, {{"PageBackGroundScalewidth0", "300"}}},
      // A clip without a size of its own keeps its scale.
      {"MovieClip2", 300, 300, {{"PageBackGroundScalewidth2", "100"}}, false},
      {"Shape2", 120, 90, {{"shape2width", "120"}, {"shape2height", "90"}}},
      // The registry's minimum of an image side is 50.
      {"Static Image3",
       20,
       400,
       {{"staticimagewidth3", "50"}, {"staticimageheight3", "400"}, {"staticimagewh3", "False"}}},
      {"Static Image1", 80, 60, {{"staticimagewidth", "80"}, {"staticimagewh", "False"}}},
      {"BG Image3", 90, 70, {{"BGimagewidth3", "90"}, {"bgimagewh3", "False"}}},
      {"SlideShow", 320, 240, {{"photowidth", "320"}, {"photoheight", "240"}}},
      {"HTML Text1", 5, 5, {{"staticmemowidth1", "30"}, {"staticmemoheight1", "30"}}},
      {"Static Text5", 300, 300, {}, false},
  };
  for (const TCase& c : cases) {
    DesignPage page = CrowdedPage();
    page.Set("PageEffectID2", "4").Place("[MC2] ", {0, 0, 50, 50});
    page.Set("PageEffect_filename1", "own.swf").Place("[MC0] ", {0, 0, 200, 100});
    page.doc.SetNaturalSize(SlotNamed("[MC1] "), 200, 100);
    page.doc.SetNaturalSize(SlotNamed("[MC0] "), 200, 100);
    for (const char* suffix : {"", "2", "3"})
      page.Set(std::string("StaticImageText") + suffix, "pic.jpg")
          .Place(std::string("Static Image") + (*suffix ? suffix : "1"), {0, 0, 60, 60});
    page.Set("BGImageText3", "pic.jpg").Place("BG Image3", {0, 0, 60, 60});

    const auto item = FindSelection(page.doc, c.Name);
    ASSERT_TRUE(item) << c.Name;
    TWarnings warnings;
    EXPECT_EQ(ResizeItem(page.doc, *item, c.Width, c.Height, warnings), c.Changed) << c.Name;
    for (const auto& [field, value] : c.Fields) EXPECT_EQ(page.Field(field), value) << c.Name;
  }
}

TEST(DesignGeometry, MovesAndPageSizesAreClampedByTheRegistry) {
  DesignPage page = CrowdedPage();
  page.Set("bgsound", "music1.mp3").Set("bgsoundcontrol", "2").Place("Sound", {30, 70});
  struct TCase {
    std::string Name;
    int Dx, Dy;
    std::string LeftField, Left, TopField, Top;
    size_t Warnings;
  };
  const TCase cases[] = {
      {"HTML Text1", 40, -5, "staticmemoposx1", "90", "staticmemoposy1", "45", 0},
      {"Sound", 10, 10, "bgsoundcontrolx", "40", "bgsoundcontroly", "80", 0},
      {"MovieClip1", INT32_MAX, 0, "PageBackGroundPosX1", "2000", "PageBackGroundPosY1", "300", 1},
  };
  for (const TCase& c : cases) {
    TWarnings warnings;
    ASSERT_TRUE(
        MoveItem(page.doc.Current, *FindSelection(page.doc, c.Name), c.Dx, c.Dy, 1, warnings));
    EXPECT_EQ(page.Field(c.LeftField), c.Left) << c.Name;
    EXPECT_EQ(page.Field(c.TopField), c.Top) << c.Name;
    EXPECT_EQ(warnings.size(), c.Warnings) << c.Name;
  }
  TWarnings warnings;
  EXPECT_FALSE(MoveItem(page.doc.Current, *FindSelection(page.doc, "Shape2"), 0, 0, 1, warnings));

  // The corner dropped at (468, 60) sets the banner's size; a size of 0 is held at the minimum.
  EXPECT_TRUE(ResizePage(page.doc.Current, 468, 60, 1, warnings));
  EXPECT_EQ(page.Field("SWFWidth") + "x" + page.Field("SWFHeight"), "468x60");
  EXPECT_FALSE(ResizePage(page.doc.Current, 468, 60, 1, warnings));
  EXPECT_TRUE(warnings.empty());
  EXPECT_TRUE(ResizePage(page.doc.Current, 0, -3, 1, warnings));
  EXPECT_EQ(page.Field("SWFWidth") + "x" + page.Field("SWFHeight"), "10x10");
  EXPECT_EQ(warnings.size(), 2u);
}

}  // namespace
}  // namespace orvanta
