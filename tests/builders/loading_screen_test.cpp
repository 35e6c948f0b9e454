#include "builders/banner_probe.h"
#include "swf/tags_display.h"

namespace orvanta::test {
namespace {

using LoadingScreen = BannerProbe;

TEST_F(LoadingScreen, PlaysOverTheFirstFiveFramesCentredInTheBanner) {
  struct TCase {
    int Width, Height, X, Y;
  };
  // Centred in the 150 x 60 box; a tall banner keeps it at y 500 rather than below the fold.
  for (const TCase c : {TCase{468, 60, 159, 0}, TCase{300, 250, 75, 95}, TCase{300, 1200, 75, 500},
                        TCase{300, 1158, 75, 549}}) {
    Set("SWFWidth", std::to_string(c.Width));
    Set("SWFHeight", std::to_string(c.Height));
    Set("preloadindex", "1");
    EXPECT_TRUE(Build().Warnings.empty());
    const auto places = Tags<TSWFPlaceObject2>(TTagCode::PlaceObject2);
    ASSERT_FALSE(places.empty());
    EXPECT_EQ(places[0]->Depth, 3109);
    EXPECT_EQ(places[0]->ExistingMatrix()->TranslateX, c.X * 20) << c.Height;
    EXPECT_EQ(places[0]->ExistingMatrix()->TranslateY, c.Y * 20) << c.Height;
    const TSWFTagInfo* removal = FirstTag(TTagCode::RemoveObject2);
    ASSERT_NE(removal, nullptr);
    EXPECT_EQ(dynamic_cast<const TSWFRemoveObject2*>(removal->TagObject())->Depth, 3109);
    EXPECT_EQ(removal->FrameNum, 6);  // the content starts there
  }
}

TEST_F(LoadingScreen, AMissingClipIsAWarningAndTheContentStillStartsInFrame6) {
  Set("preloadindex", "7");
  const TBuildReport report = Build();
  ASSERT_EQ(report.Warnings.size(), 1u);
  EXPECT_EQ(report.Warnings[0].Message, "albumboader\\now_loading7.swf file not found !");
  EXPECT_TRUE(Tags<TSWFPlaceObject2>(TTagCode::PlaceObject2).empty());
  EXPECT_EQ(movie_->FrameCount(), 5 + 5 + 2);  // loading, the empty text's frames, closing
}

}  // namespace
}  // namespace orvanta::test
