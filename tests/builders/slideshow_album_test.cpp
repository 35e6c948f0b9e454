#include <gtest/gtest.h>

#include "builders/slideshow/album_paging.h"
#include "builders/slideshow/album_thumbnails.h"
#include "slideshow_fixture.h"

namespace orvanta::test {
namespace {

TEST(SlideshowAlbumLayout, ThumbnailsFollowPageAfterPageWithAnEmptyRow) {
  TSlideshowSettings s;
  s.BoxWidth = 150;
  s.BoxHeight = 120;
  s.ThumbScale = 15;
  s.Spacing = 10;
  s.GalleryX = 5;
  s.GalleryY = 7;
  s.Rows = 2;
  s.Columns = 3;
  // Column c stands at 150 x c x 15 / 100 + 10 x c, row r at 120 x r x 15 / 100 + 10 x r.
  struct Case {
    int p, x, y, y0;
  };
  for (const Case& c :
       {Case{0, 5, 7, 7}, Case{1, 37, 7, 7}, Case{5, 70, 35, 35}, Case{6, 5, 7 + 3 * 28, 7}}) {
    const TThumbPlace at = ThumbnailPlace(s, c.p, 150, 120);
    EXPECT_EQ(at.X, c.x) << c.p;
    EXPECT_EQ(at.Y, c.y) << c.p;
    EXPECT_EQ(at.Y0, c.y0) << c.p;
  }
  // A narrower photo is centred in its cell.
  EXPECT_EQ(ThumbnailPlace(s, 0, 110, 120).X, 5 + 40 * 15 / 200);
  EXPECT_EQ(PageStep(s), -(120 * 15 * 3 / 100) - 10 * 3);
  EXPECT_EQ(s.Pages(7), 2);
}

class SlideshowAlbum : public SlideshowFixture {
 protected:
  void Photos(int count) {
    page.Photos.clear();
    const std::string photo = Photo("thumb.jpg", 0x336699, 30, 20);
    for (int i = 0; i < count; ++i) page.Photos.push_back(photo);
  }
  int Named(const std::string& name) {
    const auto names = InstanceNames();
    const auto it = names.find(name);
    return it == names.end() ? 0 : it->second;
  }
};

TEST_F(SlideshowAlbum, EveryScriptedPartHasItsName) {
  Set("thumbenabled", "True");
  Set("galleryrow", "2");
  Set("gallerycol", "3");
  Photos(7);
  Build();
  EXPECT_TRUE(warnings.empty());
  for (const char* name :
       {"slideshownow", "ownphotos1", "sideshow", "sideshowbut", "thumb7", "mouseoverii7",
        "mouseover7", "mouseover37", "but7", "scrollbutt0", "scrollbutt1"})
    EXPECT_GE(Named(name), 1) << name;
  EXPECT_EQ(Named("thumb8"), 0);
  EXPECT_EQ(Named("scrollbutt2"), 0);
  ASSERT_EQ(items.size(), 2u);
  // The thumbnail grid at scale 50 x 100 / 150 = 33 %: 3 columns by 2 rows of the cell.
  EXPECT_EQ(items[1].Width, 3 * (150 * 33 / 100 + 10));
  EXPECT_EQ(items[1].Height, 2 * (120 * 33 / 100 + 10));
}

TEST_F(SlideshowAlbum, OnePageHasNoPageControlsButTheWayBack) {
  Set("thumbenabled", "True");
  Set("gallerycol", "4");
  Photos(3);
  Build();
  EXPECT_EQ(Named("scrollbutt0"), 0);
  EXPECT_EQ(Named("sideshowbut"), 1);
  EXPECT_EQ(Named("but3"), 1);
}

TEST_F(SlideshowAlbum, PagesPastTheDepthSchemeAreLeftOutWithAWarning) {
  Set("thumbenabled", "True");
  Photos(21);  // 21 pages of one thumbnail
  Build();
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].Message.find("1 photos left out"), std::string::npos);
  EXPECT_EQ(Named("scrollbutt19"), 1);
  EXPECT_EQ(Named("scrollbutt20"), 0);
  EXPECT_EQ(Named("thumb21"), 0);
}

}  // namespace
}  // namespace orvanta::test
