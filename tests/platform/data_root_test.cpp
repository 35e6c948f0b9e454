#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/data_root.h"
#include "platform/errors.h"

namespace orvanta {
namespace {

namespace fs = std::filesystem;

class DataRootTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // One folder per test: CTest runs the tests of this program side by side.
    folder_ =
        fs::temp_directory_path() /
        (std::string("orvanta_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
         "_" + std::to_string(::getpid()));
    fs::create_directories(folder_ / "mc_thumb" / "templatescreenshot");
    std::ofstream(folder_ / "mc_thumb" / "McHeart.bmp") << "bmp";
    std::ofstream(folder_ / "demo.swf") << "swf";
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
};

TEST_F(DataRootTest, StoredNamesResolveWithBackslashesAndAnyCase) {
  TDataRoot root(folder_);
  const fs::path heart = folder_ / "mc_thumb" / "McHeart.bmp";
  for (const char* stored : {"mc_thumb\\McHeart.bmp", "MC_THUMB\\mcheart.BMP",
                             "mc_thumb/mcHEART.bmp", ".\\mc_thumb\\MCHEART.bmp"})
    EXPECT_EQ(root.Find(stored), heart) << stored;
  EXPECT_EQ(root.Require("Demo.SWF"), folder_ / "demo.swf");
  EXPECT_EQ(root.Require("mc_thumb\\TemplateScreenshot"),
            folder_ / "mc_thumb" / "templatescreenshot");
  EXPECT_EQ(root.Find("mc_thumb\\missing.bmp"), std::nullopt);
  try {
    root.Require("sound\\song.mp3");
    FAIL() << "a missing file must raise";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("sound\\song.mp3"), std::string::npos) << e.what();
  }
}

TEST_F(DataRootTest, NamesThatLeaveTheDataRootAreRefused) {
  TDataRoot root(folder_);
  for (const char* stored :
       {"..\\secret.txt", "mc_thumb\\..\\..\\x", "/etc/passwd", "C:\\x.swf", ""})
    EXPECT_THROW(root.Find(stored), Error) << stored;
  EXPECT_THROW(TDataRoot(folder_ / "demo.swf"), FileError);
}

}  // namespace
}  // namespace orvanta
