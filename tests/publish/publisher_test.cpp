#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/data_root.h"
#include "platform/stream.h"
#include "platform/text_file.h"
#include "project/build_driver.h"
#include "project/html_images.h"
#include "publish/publisher.h"
#include "publish/site_folder.h"
#include "test_util.h"

namespace orvanta {
namespace {

namespace fs = std::filesystem;

// Shaped like the shipped template: the page picture rule, the movie, the strips, the layers.
constexpr std::string_view kTemplate =
    "<style>body { background-image: url(None.jpg); }</style>"
    "<embed src=\"[FlashFileName].swf\">[BGCode][Code]";

class Publisher : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("orvanta_publish_" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "data" / "albumboader");
    fs::create_directories(root_ / "data" / "ruffle");
    fs::create_directories(root_ / "work");
    WriteWholeFile((root_ / "data" / "albumboader" / "temp.htm").string(),
                   std::vector<uint8_t>(kTemplate.begin(), kTemplate.end()));
    WriteWholeFile((root_ / "data" / "ruffle" / "ruffle.js").string(),
                   std::vector<uint8_t>(4, 'j'));
    data_ = std::make_unique<TDataRoot>(root_ / "data");
    options_ = {root_ / "site", root_ / "work", TPublishMode::CurrentPage, 1};
  }
  void TearDown() override { fs::remove_all(root_); }
  void Set(std::string_view name, std::string_view value) {
    TWarnings ignored;
    doc_.Current.SetField(FindSavedField(name), value, "", doc_.CurrentPage(), ignored);
  }
  // The files written, relative to the site, sorted.
  std::vector<std::string> Written(const TPublishResult& result) const {
    std::vector<std::string> names;
    for (const auto& file : result.Files)
      names.push_back(file.lexically_relative(fs::weakly_canonical(root_ / "site")).string());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string Page(const std::string& name) const {
    return DecodeTextFile(ReadWholeFile((root_ / "site" / name).string()));
  }

  fs::path root_;
  std::unique_ptr<TDataRoot> data_;
  TPublishOptions options_;
  TBannerDocument doc_ = TBannerDocument::New();
};

TEST_F(Publisher, CurrentPageModeWritesThePageWithImagesAndRuffle) {
  const TPublishResult result = PublishPage(doc_, 1, *data_, test::EmptyTemplatePack(), options_);
  EXPECT_TRUE(result.Complete()) << result.Summary();
  EXPECT_EQ(Written(result),
            (std::vector<std::string>{"images/index.swf", "images/index1.jpg", "images/index2.jpg",
                                      "images/index3.jpg", "images/index4.jpg", "index.html",
                                      "ruffle/ruffle.js"}));
  EXPECT_EQ(Page("index.html"),
            "<style>body {  }</style><embed src=\"images/index.swf\">"
            "<img src=\"images/index1.jpg\" border=\"0\"><img src=\"images/index2.jpg\" "
            "border=\"0\"><img src=\"images/index3.jpg\" border=\"0\"><img "
            "src=\"images/index4.jpg\" border=\"0\">");
  EXPECT_EQ(PublishFileList(doc_.Current, TPublishMode::CurrentPage),
            (std::vector<std::string>{
                "index.html [" + doc_.Current.Field("htmltitleedit").Text + "]", "images/index.swf",
                "images/index1.jpg", "images/index2.jpg", "images/index3.jpg", "images/index4.jpg",
                "images/index_fsbg.jpg"}));
  EXPECT_EQ(ReadWholeFile((root_ / "site" / "images" / "index.swf").string()),
            ReadWholeFile((root_ / "work" / kMainMovieFile).string()));
}

TEST_F(Publisher, AllMediaModeWritesOneMovieAndLeavesThePreviewNormal) {
  options_.Mode = TPublishMode::AllMedia;
  Set("webpage_filename", "My Page #1.htm");
  doc_.Current.HtmlTexts[0] = "<a href=\"temp.swf\">fsbackground.jpg</a>";
  const TPublishResult result = PublishPage(doc_, 1, *data_, test::EmptyTemplatePack(), options_);
  EXPECT_TRUE(result.Complete()) << result.Summary();
  EXPECT_EQ(Written(result),
            (std::vector<std::string>{"My Page #1.htm", "My Page #1.swf", "ruffle/ruffle.js"}));
  EXPECT_EQ(PublishFileList(doc_.Current, options_.Mode)[0], "My Page #1.swf");
  const std::string page = Page("My Page #1.htm");
  EXPECT_NE(page.find("<embed src=\"My%20Page%20%231.swf\">"), std::string::npos);
  EXPECT_EQ(page.find("<img"), std::string::npos);
  // The user's own text is never rewritten.
  EXPECT_NE(page.find("<a href=\"temp.swf\">fsbackground.jpg</a>"), std::string::npos);
  // The preview was built again with its strips, the background outside the movie.
  EXPECT_TRUE(fs::exists(root_ / "work" / StripFileName(1)));
  EXPECT_LT(fs::file_size(root_ / "work" / kMainMovieFile),
            fs::file_size(root_ / "site" / "My Page #1.swf"));
}

TEST_F(Publisher, PagePictureIsPublishedOnlyWhenThePageShowsIt) {
  fs::create_directories(root_ / "work");
  WriteWholeFile((root_ / "work" / kPagePictureFile).string(), std::vector<uint8_t>(3, 0));
  // A picture left by an earlier build does not reach the site.
  PublishPage(doc_, 1, *data_, test::EmptyTemplatePack(), options_);
  EXPECT_FALSE(fs::exists(root_ / "site" / "images" / "index_fsbg.jpg"));
}

TEST_F(Publisher, EveryPageGetsFilesOfItsOwn) {
  Set("webpage_filename", "a.html");
  doc_.StorePage(1);
  doc_.AppendPage();
  Set("webpage_filename", "a.htm");
  doc_.StorePage(2);
  const TPublishResult result = PublishAllPages(doc_, *data_, test::EmptyTemplatePack(), options_);
  EXPECT_TRUE(result.Complete()) << result.Summary();
  EXPECT_TRUE(fs::exists(root_ / "site" / "a.html"));
  EXPECT_TRUE(fs::exists(root_ / "site" / "a_2.htm"));
  EXPECT_TRUE(fs::exists(root_ / "site" / "images" / "a_24.jpg"));
  EXPECT_NE(Page("a_2.htm").find("images/a_2.swf"), std::string::npos);
  ASSERT_EQ(result.Warnings.size(), 1u);
  EXPECT_EQ(result.Warnings[0].Page, 2);
  EXPECT_EQ(doc_.CurrentPage(), 2);  // the page that was current stays current
}

TEST_F(Publisher, PicturesOnThisMachineShownByTheLayersAreCopiedIntoTheSite) {
  fs::create_directories(root_ / "data" / "photos");
  fs::create_directories(root_ / "disk");
  const std::vector<uint8_t> png{0x89, 'P', 'N', 'G', 1, 2};
  WriteWholeFile((root_ / "disk" / "my pic.png").string(), png);
  WriteWholeFile((root_ / "data" / "photos" / "sun.png").string(), png);
  WriteWholeFile((root_ / "disk" / "secret.png").string(), std::vector<uint8_t>{'k', 'e', 'y'});
  fs::create_directories(root_ / "disk2");
  const std::vector<uint8_t> other{'G', 'I', 'F', '8', '9', 'a'};
  WriteWholeFile((root_ / "disk2" / "My Pic.png").string(), other);
  doc_.Current.HtmlTexts[4] = "<img src=\"" + (root_ / "disk2" / "My Pic.png").string() + "\">";
  const std::string mine = (root_ / "disk" / "my pic.png").string();
  doc_.Current.HtmlTexts[0] = "<img src=\"" + mine + "\"><IMG alt=x SRC='file://" + mine + "'>";
  doc_.Current.HtmlTexts[2] = "<img data-src=\"sun.png\" src=sun.png><img src=\"" +
                              (root_ / "disk" / "secret.png").string() +
                              "\"><img src=\"http://example.org/a.png\"><img src=\"file://" +
                              (root_ / "disk" / "gone.png").string() + "\">";
  const TPublishResult result = PublishPage(doc_, 1, *data_, test::EmptyTemplatePack(), options_);
  EXPECT_TRUE(result.Complete()) << result.Summary();
  EXPECT_EQ(ReadWholeFile((root_ / "site" / "images" / "html" / "my pic.png").string()), png);
  EXPECT_TRUE(fs::exists(root_ / "site" / "images" / "html" / "sun.png"));
  // Another picture of the same name, letter case aside, gets a name of its own.
  EXPECT_EQ(ReadWholeFile((root_ / "site" / "images" / "html" / "My Pic_2.png").string()), other);
  const std::string page = Page("index.html");
  EXPECT_NE(page.find("<img src=\"images/html/my%20pic.png\"><IMG alt=x "
                      "SRC='images/html/my%20pic.png'>"),
            std::string::npos);
  EXPECT_NE(page.find("<img data-src=\"sun.png\" src=images/html/sun.png>"), std::string::npos);
  // A file that is no picture, and a web address, stay as the user wrote them.
  EXPECT_NE(page.find("secret.png\"><img src=\"http://example.org/a.png\">"), std::string::npos);
  EXPECT_FALSE(fs::exists(root_ / "site" / "images" / "html" / "secret.png"));
  // The rebuild said so, and the preview shows the pictures from copies beside its pages.
  ASSERT_EQ(result.Warnings.size(), 2u);
  EXPECT_EQ(result.Warnings[0].Field, "HtmlText3");
  EXPECT_NE(result.Warnings[0].Message.find("secret.png"), std::string::npos);
  EXPECT_NE(result.Warnings[1].Message.find("gone.png"), std::string::npos);
  EXPECT_EQ(ReadWholeFile((options_.WorkFolder / "images" / "html" / "my pic.png").string()), png);
  const std::string preview =
      DecodeTextFile(ReadWholeFile((options_.WorkFolder / kLeftPageFile).string()));
  EXPECT_NE(preview.find("<img src=\"images/html/my%20pic.png\">"), std::string::npos);
}

TEST(LayerPictures, MarkupThatNeverClosesIsLeftAsItIs) {
  const TDataRoot data(fs::temp_directory_path());
  std::vector<TLayerPicture> pictures;
  std::set<std::string> names;
  std::string html;
  for (int i = 0; i < 200000; ++i) html += "<img src=\"/x";
  html += "<IMG SRC = '/etc/passwd' >" + std::string(100000, '<');
  for (int i = 0; i < 200000; ++i) html += "<img alt='x'>";
  html += "<img src";
  std::vector<std::string> unusable;
  EXPECT_EQ(PublishLayerPictures(html, data, pictures, names, unusable), html);
  EXPECT_TRUE(pictures.empty());
}

TEST(SiteFolder, NothingIsWrittenOutsideTheFolder) {
  const fs::path root = fs::temp_directory_path() / "orvanta_site_folder";
  fs::remove_all(root);
  fs::create_directories(root / "elsewhere");
  fs::create_directories(root / "site");
  fs::create_directory_symlink(root / "elsewhere", root / "site" / "images");
  std::vector<fs::path> written;
  std::vector<std::string> missing;
  TSiteFolder site(root / "site", written, missing);
  const std::vector<uint8_t> bytes{1, 2, 3};
  for (const char* name : {"../x.html", "../../y.html", "images/z.swf", "a/../../w.html", ""})
    site.Write(name, bytes);
  site.Write("a/ok.html", bytes);
  EXPECT_EQ(missing.size(), 5u);
  ASSERT_EQ(written.size(), 1u);
  EXPECT_TRUE(fs::is_empty(root / "elsewhere"));
  EXPECT_FALSE(fs::exists(root / "x.html"));
  EXPECT_FALSE(fs::exists(root / "w.html"));
  fs::remove_all(root);
}

}  // namespace
}  // namespace orvanta
