#include <gtest/gtest.h>

#include "families.h"
#include "generated_family.h"
#include "media/picture_codecs.h"
#include "platform/artwork_names.h"
#include "platform/button_styles.h"

namespace orvanta::artwork {
namespace {

double OpaqueShare(const render::TPixmap& p) {
  size_t opaque = 0;
  for (size_t i = 3; i < p.Pixels.size(); i += 4) opaque += p.Pixels[i] == 255;
  return static_cast<double>(opaque) / (p.Pixels.size() / 4);
}

// A mask starts from almost nothing and covers the whole 465 x 350 box by frame 30, where the
// slideshow takes it away.
TEST(TransitionMasks, GrowFromNothingToFullCoverWithinThirtyFrames) {
  TArtworkOutput family;
  GenerateTransitionMasks(family);
  for (const std::string& name : TransitionMasks()) {
    SCOPED_TRACE(name);
    const std::vector<uint8_t>& bytes = family.DataFile("albumboader/" + name);
    TReadMovie movie(bytes);
    EXPECT_EQ(movie.Width(), 465);
    EXPECT_EQ(movie.Height(), 350);
    EXPECT_LT(OpaqueShare(movie.Render(1)), 0.05);
    EXPECT_EQ(OpaqueShare(movie.Render(30)), 1.0);
  }
}

// Loading screens are 150 x 60 cards whose picture changes from frame to frame.
TEST(LoadingScreens, AnimateInsideTheirBox) {
  TArtworkOutput family;
  GenerateLoadingScreens(family);
  for (int n = 1; n <= kLoadingScreens; ++n) {
    SCOPED_TRACE(n);
    std::vector<uint8_t> bytes =
        family.DataFile("albumboader/now_loading" + std::to_string(n) + ".swf");
    TReadMovie movie(bytes);
    EXPECT_EQ(movie.Width(), 150);
    EXPECT_EQ(movie.Height(), 60);
    EXPECT_NE(movie.Render(1).Pixels, movie.Render(4).Pixels);
  }
}

}  // namespace
}  // namespace orvanta::artwork

namespace orvanta::artwork {
namespace {

// The page generator replaces these strings wherever they occur, and the publisher finds the
// movie by its quoted name; the picture rule must stay out of double-quoted attributes, since
// publishing puts double quotes into it.
TEST(PageTemplate, HoldsEveryPlaceholderAndQuotesTheMovieName) {
  TArtworkOutput family;
  GeneratePageTemplate(family);
  const std::vector<uint8_t>& bytes = family.DataFile("albumboader/temp.htm");
  const std::string page(bytes.begin(), bytes.end());
  for (const char* placeholder :
       {"[Width]", "[Height]", "[FlashFileName]", "[Title]", "[Code]", "[BGCode]", "[#FFFF]",
        "background-image: url(None.jpg);", "[CenterDIV]", "[CenterDIVend]", "[CenterBody]"})
    EXPECT_NE(page.find(placeholder), std::string::npos) << placeholder;
  EXPECT_NE(page.find("\"[FlashFileName].swf\""), std::string::npos);
  const size_t rule = page.find("url(None.jpg)");
  EXPECT_LT(page.find("<style"), rule);
  EXPECT_GT(page.find("</style>"), rule);
  EXPECT_NE(page.find("src=\"ruffle/ruffle.js\""), std::string::npos);
  for (unsigned char ch : page) EXPECT_LT(ch, 0x80) << "the page is read in the system code page";
}

}  // namespace
}  // namespace orvanta::artwork

namespace orvanta::artwork {
namespace {

// Each strip holds a "None" cell and then one 100 x 55 cell per choice; galleries have a
// picture of every style, panel and border.
TEST(Thumbnails, StripsHaveACellPerChoiceAndGalleriesAreComplete) {
  TArtworkOutput family;
  GenerateThumbnails(family);
  for (auto [strip, choices] : {std::pair{"Percentloaderimage.gif", kLoadingScreens},
                                {"bssoundimage.gif", kSoundControls},
                                {"Mouseasimages.gif", 1}}) {
    SCOPED_TRACE(strip);
    const TPicture picture = DecodeGIF(family.DataFile("mc_thumb/" + std::string(strip)));
    EXPECT_EQ(picture.Width, 100u * static_cast<uint32_t>(choices + 1));
    EXPECT_EQ(picture.Height, 55u);
  }
  const TPicture none = DecodeBMP(family.DataFile("mc_thumb/delete2.bmp"));
  EXPECT_EQ(none.Width, 100u);
  EXPECT_EQ(none.Height, 40u);
  for (const TButtonStyle& style : ButtonStyles())
    EXPECT_EQ(DecodePNG(family.DataFile("gallery/buttons/" + style.Name + ".png")).Width, 100u);
  for (int k = 1; k <= 106; ++k)
    EXPECT_EQ(
        DecodePNG(family.DataFile("gallery/panels/SHAPETEMPLATE" + std::to_string(k) + ".png"))
            .Height,
        60u);
  for (int k = 1; k <= 23; ++k)
    EXPECT_NO_THROW(family.DataFile("gallery/borders/Border" + std::to_string(k) + ".png"));
}

}  // namespace
}  // namespace orvanta::artwork

namespace orvanta::artwork {
namespace {

// The starting pictures decode at their size; the loops are 22050 Hz mono WAV beside an MP3.
TEST(SampleMedia, PhotosDecodeAndEveryLoopComesAsWaveAndMp3) {
  TArtworkOutput family;
  GenerateSampleMedia(family);
  for (int n = 1; n <= kSamplePhotos; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "photos/photo%02d.jpg", n);
    const TPicture photo = DecodeJPEG(family.DataFile(name));
    EXPECT_EQ(photo.Width, 640u);
    EXPECT_EQ(photo.Height, 480u);
  }
  for (const std::string& loop : SampleMusic()) {
    const std::vector<uint8_t>& wave = family.DataFile("sound/" + loop + ".wav");
    ASSERT_GT(wave.size(), 44u);
    EXPECT_EQ(std::string(wave.begin(), wave.begin() + 4), "RIFF");
    EXPECT_EQ(wave[24] | wave[25] << 8, 22050);
    const std::vector<uint8_t>& mp3 = family.DataFile("sound/" + loop + ".mp3");
    ASSERT_GT(mp3.size(), 1000u);
    const bool id3 = mp3[0] == 'I' && mp3[1] == 'D' && mp3[2] == '3';
    EXPECT_TRUE(id3 || (mp3[0] == 0xFF && (mp3[1] & 0xE0) == 0xE0)) << loop;
  }
}

}  // namespace
}  // namespace orvanta::artwork
