#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "media/picture_codecs.h"
#include "platform/data_root.h"
#include "platform/errors.h"
#include "project/build_driver.h"
#include "project/page_file_name.h"

namespace orvanta {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class BuildDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("orvanta_build_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "data");
    fs::create_directories(root_ / "work");
    data_ = std::make_unique<TDataRoot>(root_ / "data");
    driver_ = std::make_unique<TBuildDriver>(*data_, TBuildOptions{root_ / "work", 7});
  }
  void TearDown() override { fs::remove_all(root_); }
  void Set(std::string_view name, std::string_view value) {
    TWarnings ignored;
    doc_.Current.SetField(FindSavedField(name), value, "", 1, ignored);
  }
  fs::path Work(const std::string& name) const { return root_ / "work" / name; }

  fs::path root_;
  std::unique_ptr<TDataRoot> data_;
  std::unique_ptr<TBuildDriver> driver_;
  TBannerDocument doc_ = TBannerDocument::New();
};

TEST_F(BuildDriverTest, EmptyPageGivesBothMoviesAndStripsCoveringTheWidth) {
  Set("SWFWidth", "301");
  Set("SWFHeight", "50");
  Set("PageBackGroundSolidColor", std::to_string(0x0000FF));  // red, stored as BGR
  const TBuildReport report = driver_->Rebuild(doc_, TRebuildOrigin::Command);
  EXPECT_TRUE(report.Built);
  EXPECT_TRUE(report.Warnings.empty());
  EXPECT_EQ(report.Files.size(), 8u);  // both movies, four strips, two pages

  const auto main = ReadAll(Work("temp.swf")), background = ReadAll(Work("temp_bg.swf"));
  ASSERT_GE(main.size(), 8u);
  EXPECT_EQ(std::string(main.begin(), main.begin() + 3), "CWS");
  EXPECT_EQ(main[3], 8);
  EXPECT_EQ(std::string(background.begin(), background.begin() + 3), "FWS");

  uint32_t covered = 0;
  for (int i = 1; i <= kStripCount; ++i) {
    const TPicture strip = DecodeJPEG(ReadAll(Work(StripFileName(i))));
    EXPECT_EQ(strip.Height, 50u);
    EXPECT_EQ(strip.Width, i < 4 ? 75u : 76u);
    covered += strip.Width;
    // The page colour shows in every strip.
    EXPECT_GT(strip.Pixels[0], 200);
    EXPECT_LT(strip.Pixels[2], 60);
  }
  EXPECT_EQ(covered, 301u);
}

TEST_F(BuildDriverTest, SameSeedGivesIdenticalFiles) {
  driver_->Rebuild(doc_, TRebuildOrigin::Command);
  const auto first = ReadAll(Work("temp.swf")), firstBg = ReadAll(Work("temp_bg.swf"));
  driver_->Rebuild(doc_, TRebuildOrigin::Command);
  EXPECT_EQ(ReadAll(Work("temp.swf")), first);
  EXPECT_EQ(ReadAll(Work("temp_bg.swf")), firstBg);
}

TEST_F(BuildDriverTest, MissingPictureIsAWarningAndTheColourIsUsed) {
  Set("PageBackGroundImageEnabled", "True");
  Set("PageBackGroundImageEdit", "nowhere.jpg");
  const TBuildReport report = driver_->Rebuild(doc_, TRebuildOrigin::Command);
  ASSERT_EQ(report.Warnings.size(), 1u);
  EXPECT_EQ(report.Warnings[0].Message, "nowhere.jpg file not found !");
  EXPECT_TRUE(fs::exists(Work("temp_bg1.jpg")));
}

TEST_F(BuildDriverTest, UnchangedEditorConfirmationDoesNotBuild) {
  driver_->Rebuild(doc_, TRebuildOrigin::Command);
  fs::remove(Work("temp.swf"));
  EXPECT_FALSE(driver_->Rebuild(doc_, TRebuildOrigin::Editor).Built);
  EXPECT_FALSE(fs::exists(Work("temp.swf")));
  EXPECT_TRUE(doc_.CanUndo());

  driver_->AutoRebuild = false;
  Set("SWFWidth", "120");
  EXPECT_FALSE(driver_->Rebuild(doc_, TRebuildOrigin::Editor).Built);
  EXPECT_TRUE(driver_->Rebuild(doc_, TRebuildOrigin::Command).Built);
  EXPECT_TRUE(driver_->AutoRebuild);
}

TEST_F(BuildDriverTest, FailedBuildKeepsThePreviousPreviewAndEndsIdle) {
  driver_->Rebuild(doc_, TRebuildOrigin::Command);
  const auto before = ReadAll(Work("temp.swf"));
  std::ofstream(Work("fsbackground.jpg")) << "stale";

  struct TFailing : TContentBuilder {
    TBuildStage Stage() const override { return TBuildStage::StaticTexts; }
    std::vector<TBuiltItem> Build(TFlashMovie&, const TPageState&, const TDepthPlan&,
                                  TBuildContext&) override {
      throw Error("broken builder");
    }
  };
  driver_->AddBuilder(std::make_unique<TFailing>());
  Set("SWFWidth", "120");
  EXPECT_THROW(driver_->Rebuild(doc_, TRebuildOrigin::Command), Error);
  EXPECT_FALSE(driver_->Busy());
  EXPECT_EQ(ReadAll(Work("temp.swf")), before);
  for (const auto& entry : fs::directory_iterator(root_ / "work"))
    EXPECT_NE(entry.path().extension(), ".part") << entry.path();
  EXPECT_TRUE(fs::exists(Work("fsbackground.jpg")));
}

TEST_F(BuildDriverTest, StaleOutputsAreRemovedAndUnsafeNamesCleaned) {
  std::ofstream(Work("fsbackground.jpg")) << "from another project";
  Set("webpage_filename", "../../x.html");
  driver_->Rebuild(doc_, TRebuildOrigin::Command);
  EXPECT_FALSE(fs::exists(Work("fsbackground.jpg")));
  EXPECT_EQ(doc_.Current.Field("webpage_filename").Text, "x.html");
}

TEST(SafePageFileName, CleansEveryWayOut) {
  const std::pair<const char*, const char*> cases[] = {
      {"a:b*c?.html", "abc.html"},   {"../../x.html", "x.html"},
      {"..\\..\\y.htm", "y.htm"},    {"", "index.html"},
      {"page", "page.html"},         {"images.html", "images_page.html"},
      {"a\x01<b>|.HTML", "ab.HTML"}, {"....html", "html.html"},
      {"page.", "page.html"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(SafePageFileName(in), out) << in;
  bool changed = true;
  SafePageFileName("index.html", &changed);
  EXPECT_FALSE(changed);
}

}  // namespace
}  // namespace orvanta
