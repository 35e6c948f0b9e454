#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "media/image_test_util.h"
#include "media/picture_codecs.h"
#include "platform/data_root.h"
#include "platform/stream.h"
#include "platform/text_file.h"
#include "project/build_driver.h"
#include "project/page_generator.h"

namespace orvanta {
namespace {

namespace fs = std::filesystem;

// Every placeholder once, in a page shaped like the shipped template.
constexpr const char* kTemplate =
    "<title>[Title]</title>|[Width]x[Height]|\"[FlashFileName].swf\"|body{color:[#FFFF]; "
    "background-image: url(None.jpg); [CenterBody]}|[CenterDIV][BGCode]|[Code][CenterDIVend]";

void Set(TPageState& page, std::string_view name, std::string_view value) {
  TWarnings ignored;
  page.SetField(FindSavedField(name), value, "", 1, ignored);
}

void SetLayer(TPageState& page, int n, const std::string& text, int w, int h, int x, int y) {
  const std::string i = std::to_string(n);
  page.HtmlTexts[n - 1] = text;
  Set(page, "staticmemowidth" + i, std::to_string(w));
  Set(page, "staticmemoheight" + i, std::to_string(h));
  Set(page, "staticmemoposx" + i, std::to_string(x));
  Set(page, "staticmemoposy" + i, std::to_string(y));
}

TEST(PageGenerator, DivLayersAreWrittenExactlyAsOlderPagesHaveThem) {
  TPageState page = TPageState::Defaults();
  for (int n = 1; n <= kHtmlTextCount; ++n)
    SetLayer(page, n, "T" + std::to_string(n), 100 + n, 80, 3, 4);
  const std::string head =
      "\" style=\"TEXT-ALIGN: left; MARGIN-RIGHT: 0;MARGIN-LEFT: 0;"
      "position:absolute; width:";
  auto layer = [&](int n, const char* closing, const char* end) {
    const std::string i = std::to_string(n);
    return "<div id=\"Layer10" + i + head + "10" + i + "px; height:80px; z-index:10" + i +
           "; left: 3px; top: 4" + closing + "T" + i + end;
  };
  const std::string expected = layer(1, "px;overflow: hidden; } \">\r\n", "\r\n</div>") +
                               layer(2, "px;overflow: hidden; \">\r\n", "\r\n\r\n</div>") +
                               layer(3, "px ;overflow: hidden;\">\r\n", "\r\n\r\n</div>") +
                               layer(4, "px;overflow: hidden; \">\r\n", "\r\n\r\n</div>") +
                               layer(5, "px;overflow: hidden; \">\r\n", "\r\n\r\n</div>") +
                               layer(6, "px;overflow: hidden; \">\r\n", "\r\n\r\n</div>") +
                               layer(7, "px;overflow: hidden; \">\r\n", "\r\n\r\n</div>");
  EXPECT_EQ(HtmlTextLayers(page), expected);

  TPageState two = TPageState::Defaults();
  SetLayer(two, 5, "<b>five</b>", 200, 50, 30, 40);
  SetLayer(two, 2, "two", 100, 80, 0, 0);
  EXPECT_EQ(HtmlTextLayers(two),
            "<div id=\"Layer102" + head +
                "100px; height:80px; z-index:102; left: 0px; top: 0px;overflow: hidden; \">\r\n"
                "two\r\n\r\n</div><div id=\"Layer105" +
                head +
                "200px; height:50px; z-index:105; left: 30px; top: 40px;overflow: hidden; "
                "\">\r\n<b>five</b>\r\n\r\n</div>");
}

TEST(PageGenerator, FillsEveryPlaceholderOnceAndTheVariantsDifferOnlyByCentring) {
  TPageState page = TPageState::Defaults();
  Set(page, "SWFWidth", "468");
  Set(page, "SWFHeight", "60");
  Set(page, "PageBackGroundSolidColor", std::to_string((255 << 16) | (200 << 8) | 10));
  // Markup in the title shows as text, and a placeholder in it or in a layer stays as typed.
  Set(page, "htmltitleedit", "a < b [Code] [Title]");
  SetLayer(page, 1, "[Width] <i>x</i>", 10, 20, 1, 2);
  const TGeneratedPages pages =
      GeneratePages(kTemplate, page, {}, TPublishMode::CurrentPage, false);
  const std::string strips =
      "<img src=\"temp_bg1.jpg\" border=\"0\"><img src=\"temp_bg2.jpg\" border=\"0\">"
      "<img src=\"temp_bg3.jpg\" border=\"0\"><img src=\"temp_bg4.jpg\" border=\"0\">";
  const std::string left =
      "<title>a &lt; b [Code] [Title]</title>|468x60|\"temp.swf\"|body{"
      "color:#0AC8FF;  }|" +
      strips + "|" + HtmlTextLayers(page);
  EXPECT_EQ(pages.Left, left);
  EXPECT_NE(pages.Left.find("[Width] <i>x</i>"), std::string::npos);
  EXPECT_EQ(pages.Centred,
            "<title>a &lt; b [Code] [Title]</title>|468x60|\"temp.swf\"|body{color:#0AC8FF;  "
            "TEXT-ALIGN: center; MARGIN-RIGHT: 0;MARGIN-LEFT: 0;MARGIN-TOP: 0;}|<div "
            "style=\"position:relative;width:468px; height:60px; MARGIN-RIGHT: 0;MARGIN-LEFT: 0; "
            "MARGIN-TOP: 0;\">" +
                strips + "|" + HtmlTextLayers(page) + "</div>");
  EXPECT_FALSE(pages.ShowsPagePicture);
}

TEST(PageGenerator, PagePictureRuleAndStripsFollowTheModeAndTheFinalNames) {
  TPageState page = TPageState::Defaults();
  Set(page, "PageBackGroundImageEnabled", "True");
  Set(page, "PageBackGroundImageEdit", "sky.jpg");
  TPageNames names{"images/b",
                   {"images/b1.jpg", "images/b2.jpg", "images/b3.jpg", "images/b4.jpg"},
                   "\"images/b_fsbg.jpg\""};
  const TGeneratedPages published =
      GeneratePages(kTemplate, page, names, TPublishMode::CurrentPage, true);
  EXPECT_TRUE(published.ShowsPagePicture);
  EXPECT_NE(published.Left.find("\"images/b.swf\""), std::string::npos);
  EXPECT_NE(published.Left.find("background-image: url(\"images/b_fsbg.jpg\");"),
            std::string::npos);
  EXPECT_NE(published.Left.find("<img src=\"images/b4.jpg\" border=\"0\">|"), std::string::npos);

  // Without a picture to show the rule goes, so no stale picture can appear.
  EXPECT_EQ(GeneratePages(kTemplate, page, {}, TPublishMode::CurrentPage, false)
                .Left.find("background-image"),
            std::string::npos);
  const TGeneratedPages allMedia = GeneratePages(kTemplate, page, {}, TPublishMode::AllMedia, true);
  EXPECT_FALSE(allMedia.ShowsPagePicture);
  EXPECT_EQ(allMedia.Left.find("background-image"), std::string::npos);
  EXPECT_EQ(allMedia.Left.find("<img"), std::string::npos);
}

TEST(PageGenerator, EveryRebuildWritesBothPagesAndTheReencodedPagePicture) {
  const fs::path root = fs::temp_directory_path() / "orvanta_page_generator";
  fs::remove_all(root);
  fs::create_directories(root / "data" / "albumboader");
  fs::create_directories(root / "data" / "photos");
  fs::create_directories(root / "work");
  WriteWholeFile(
      (root / "data" / "albumboader" / "temp.htm").string(),
      std::vector<uint8_t>(kTemplate, kTemplate + std::char_traits<char>::length(kTemplate)));
  WriteWholeFile((root / "data" / "photos" / "tile.bmp").string(),
                 test::BmpFile(24, 8, 8, {}, std::vector<uint32_t>(64, 0x00FF00)));
  const TDataRoot data(root / "data");
  TBuildDriver driver(data, {root / "work", 3});
  TBannerDocument doc = TBannerDocument::New();
  Set(doc.Current, "PageBackGroundImageEnabled", "True");
  Set(doc.Current, "PageBackGroundImageEdit", "tile.bmp");
  Set(doc.Current, "htmltitleedit", "Caf\xC3\xA9");
  const TBuildReport report = driver.Rebuild(doc, TRebuildOrigin::Command);
  EXPECT_TRUE(report.Warnings.empty()) << report.Warnings[0].Text();

  const std::string left = DecodeTextFile(ReadWholeFile((root / "work" / kLeftPageFile).string()));
  EXPECT_NE(left.find("<title>Caf\xC3\xA9</title>"), std::string::npos);
  EXPECT_NE(left.find("url(fsbackground.jpg)"), std::string::npos);
  EXPECT_TRUE(fs::exists(root / "work" / kCentredPageFile));
  const TPicture picture = DecodeJPEG(ReadWholeFile((root / "work" / kPagePictureFile).string()));
  EXPECT_EQ(picture.Width, 8u);
  EXPECT_GT(picture.Pixels[1], 200);  // green survives the re-encoding

  // A page that no longer shows the picture loses the copy with the rule.
  Set(doc.Current, "PageBackGroundSolidEnabled", "True");
  driver.Rebuild(doc, TRebuildOrigin::Command);
  EXPECT_FALSE(fs::exists(root / "work" / kPagePictureFile));
  fs::remove_all(root);
}

}  // namespace
}  // namespace orvanta
