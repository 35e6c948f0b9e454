#include <gtest/gtest.h>

#include "media/filters.h"
#include "media/image_test_util.h"
#include "media/picture_codecs.h"
#include "panels_support.h"

namespace orvanta {
namespace {

using test::Near;
using test::PixelRGB;

constexpr uint32_t kWhite = 0xFFFFFF, kRed = 0xFF0000, kBlue = 0x0000FF;

class StaticImages : public test::TBuildFixture {
 protected:
  void SetUp() override {
    TBuildFixture::SetUp();
    Set("SWFWidth", "300");
    Set("SWFHeight", "150");
    Set("PageBackGroundSolidColor", std::to_string(0xFFFFFF));
  }
  // A solid red JPEG of the size.
  std::string RedJPEG(const std::string& name, uint32_t w, uint32_t h) {
    return WriteFile(name, EncodeJPEG(TPicture(w, h, 0xFF0000FF), 95));
  }
  // Slot 1 shows the file at (10, 10), 200 x 100 unless natural size is kept.
  void ShowInSlotOne(const std::string& path, bool natural = false) {
    Set("StaticImageText", path);
    Set("staticimagex", "10");
    Set("staticimagey", "10");
    Set("staticimagewidth", "200");
    Set("staticimageheight", "100");
    Set("staticimagewh", natural ? "True" : "False");
  }
  TItemRect Item(const char* label) {
    const auto& slots = ContentSlots();
    for (size_t i = 0; i < slots.size(); ++i)
      if (slots[i].Label == label) return doc_.ItemRect(int(i));
    ADD_FAILURE() << label;
    return {};
  }
};

TEST_F(StaticImages, EveryFrameShapeCutsThePictureAsItsNameSays) {
  ShowInSlotOne(RedJPEG("red.jpg", 64, 32));
  // Probes in picture-box pixels (the box is 200 x 100 at (10, 10)): inside or outside the cut.
  struct TProbe {
    int X, Y;
    bool Picture;
  };
  const struct {
    const char* Shape;
    std::vector<TProbe> Probes;
  } cases[] = {
      {"-1", {{100, 50, true}, {1, 1, false}, {16, 1, true}}},  // no choice: round rect, r 13
      {"0", {{100, 50, true}, {1, 1, false}, {16, 1, true}, {1, 98, false}}},
      {"1", {{100, 50, true}, {100, 1, true}, {3, 3, false}, {189, 61, true}}},  // circle r 100
      {"2", {{100, 3, true}, {15, 15, false}, {3, 50, true}, {185, 85, false}}},
      {"3", {{100, 50, true}, {3, 3, false}, {189, 61, false}, {170, 50, true}}},  // 13 points
      {"4", {{100, 50, true}, {100, 5, true}, {20, 20, false}, {180, 80, false}}},
      {"5", {{1, 1, true}, {198, 98, true}, {100, 50, true}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("shape ") + c.Shape);
    Set("staticimageshape", c.Shape);
    ASSERT_TRUE(Build().Warnings.empty());
    const render::TPixmap frame = BackgroundFrame();
    for (const TProbe& p : c.Probes)
      EXPECT_TRUE(Near(PixelRGB(frame, 10 + p.X, 10 + p.Y), p.Picture ? kRed : kWhite))
          << p.X << "," << p.Y << ": " << std::hex << PixelRGB(frame, 10 + p.X, 10 + p.Y);
  }
}

TEST_F(StaticImages, NaturalSizeBorderAndFiltersOnAPicture) {
  ShowInSlotOne(RedJPEG("big.jpg", 640, 480), true);
  Set("staticimageshape", "5");
  Set("staticimageborder", "True");
  Set("staticimagebordercolor", std::to_string(0xFF0000));  // blue, stored as BGR
  for (const char* filter :
       {"staticimageBlur", "staticimageBevel", "staticimageshadow", "staticimageGlow"})
    Set(filter, "True");
  ASSERT_TRUE(Build().Warnings.empty());
  const TItemRect rect = Item("Static Image1");
  EXPECT_EQ(rect.Width, 640);
  EXPECT_EQ(rect.Height, 480);
  EXPECT_EQ(doc_.Current.Field("staticimageheight").Text, "480");
  // The stored page holds what the fields hold: confirming the editor unchanged builds nothing.
  EXPECT_NE(doc_.PageText(1).find("<Name>staticimagewidth</Name><Value>640</Value>"),
            std::string::npos);
  EXPECT_FALSE(driver_->Rebuild(doc_, TRebuildOrigin::Editor).Built);

  const test::TReadBack movie = Background();
  auto* place = dynamic_cast<TSWFPlaceObject3*>(movie.PlacementAt(0, 1302));
  ASSERT_NE(place, nullptr);
  ASSERT_NE(place->ExistingFilterList(), nullptr);
  std::vector<int> ids;
  for (size_t i = 0; i < place->ExistingFilterList()->Count(); ++i)
    ids.push_back((*place->ExistingFilterList())[i].FilterID);
  EXPECT_EQ(ids, std::vector<int>({kFilterBevel, kFilterGlow, kFilterDropShadow, kFilterBlur}));

  // Without filters the outline shows plainly along the box's left edge.
  for (const char* filter :
       {"staticimageBlur", "staticimageBevel", "staticimageshadow", "staticimageGlow"})
    Set(filter, "False");
  Build();
  const render::TPixmap frame = BackgroundFrame();
  EXPECT_TRUE(Near(PixelRGB(frame, 10, 80), kBlue)) << std::hex << PixelRGB(frame, 10, 80);
  EXPECT_TRUE(Near(PixelRGB(frame, 100, 80), kRed));
}

TEST_F(StaticImages, TheKindComesFromTheContentAndOnlyAKeptNaturalSizeIsWrittenBack) {
  // A BMP, a PNG whose folder name says JPEG, and a JPEG named like a PNG at a typed size.
  const std::vector<uint32_t> blue(40 * 20, 0x0000FF);
  Set("StaticImageText", WriteFile("a.bmp", test::BmpFile(24, 40, 20, {}, blue)));
  Set("staticimagewh", "True");
  Set("staticimagewh2", "True");  // and no picture
  Set("staticimagewidth2", "77");
  Set("StaticImageText3", WriteFile("shots.jpg.d/b.png", EncodePNG(TPicture(30, 10, 0xFF00FF00))));
  Set("staticimagewh3", "True");
  Set("BGImageText3", RedJPEG("c.png", 50, 50));
  Set("bgimagewh3", "False");
  Set("BGimagewidth3", "120");
  Set("BGimageheight3", "90");
  ASSERT_TRUE(Build().Warnings.empty());
  const test::TReadBack movie = Background();
  EXPECT_NE(movie.PlacementAt(0, 1302), nullptr);
  EXPECT_EQ(movie.PlacementAt(0, 1303), nullptr);
  EXPECT_NE(movie.PlacementAt(0, 1304), nullptr);
  EXPECT_NE(movie.PlacementAt(0, 273), nullptr);  // under the panels at 280

  auto field = [&](const char* name) { return doc_.Current.Field(name).Text; };
  EXPECT_EQ(Item("Static Image1").Width, 40);
  EXPECT_EQ(field("staticimagewidth"), "50");  // the fields' least
  EXPECT_EQ(Item("Static Image2").Width, 0);
  EXPECT_EQ(field("staticimagewidth2"), "77");
  EXPECT_EQ(Item("Static Image3").Height, 10);
  EXPECT_EQ(Item("BG Image3").Width, 120);
  EXPECT_EQ(field("BGimagewidth3"), "120");
}

TEST_F(StaticImages, MissingOrDamagedPicturesAreWarningsAndTheBannerStillBuilds) {
  Set("StaticImageText", WriteFile("broken.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0, 3, 1}));
  Set("StaticImageText2", "nowhere.jpg");
  Set("StaticImageText3", WriteFile("notes.jpg", {'h', 'e', 'l', 'l', 'o'}));
  Set("BGImageText3", RedJPEG("fine.jpg", 20, 20));
  const TBuildReport report = Build();
  ASSERT_EQ(report.Warnings.size(), 3u);
  EXPECT_EQ(report.Warnings[0].Field, "StaticImageText");
  EXPECT_EQ(report.Warnings[1].Message, "nowhere.jpg file not found !");
  EXPECT_NE(report.Warnings[2].Message.find("not a JPEG, BMP or PNG"), std::string::npos);
  const test::TReadBack movie = Background();
  EXPECT_EQ(movie.PlacementAt(0, 1302), nullptr);
  EXPECT_NE(movie.PlacementAt(0, 273), nullptr);
  EXPECT_TRUE(std::filesystem::exists(work_ / "temp_bg1.jpg"));
}

}  // namespace
}  // namespace orvanta
