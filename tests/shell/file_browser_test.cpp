#include "shell/file_browser.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>

#include "shell/api_errors.h"

namespace orvanta {
namespace {

namespace fs = std::filesystem;

TEST(FileBrowserTest, ListsWithFiltersAndNeverLeavesItsRoots) {
  const fs::path dir = fs::temp_directory_path() / ("orvanta_browse_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "home" / "pics");
  fs::create_directories(dir / "outside");
  for (const char* name : {"a.fls", "b.JPG", "c.png", "d.mp3", "e.swf", "f.txt", ".hidden.fls"})
    std::ofstream(dir / "home" / name) << "x";
  fs::create_directory_symlink(dir / "outside", dir / "home" / "escape");
  const TFileBrowser files({{"home", dir / "home"}});

  struct TCase {
    const char* filter;
    std::vector<std::string> files;
  };
  for (const TCase& c :
       std::vector<TCase>{{"project", {"a.fls"}},
                          {"picture", {"b.JPG", "c.png"}},
                          {"jpg", {"b.JPG"}},
                          {"sound", {"d.mp3"}},
                          {"swf", {"e.swf"}},
                          {"all", {"a.fls", "b.JPG", "c.png", "d.mp3", "e.swf", "f.txt"}}}) {
    const TFolderListing listing = files.List("home", "", FileFilterNamed(c.filter));
    EXPECT_EQ(listing.Files, c.files) << c.filter;
    EXPECT_EQ(listing.Folders, (std::vector<std::string>{"escape", "pics"}));
  }
  EXPECT_TRUE(files.List("home", "pics", TFileFilter::All).Files.empty());

  for (const char* escape : {"..", "../outside", "pics/../..", "/etc", "escape", "escape/x.fls"})
    EXPECT_THROW(files.Resolve("home", escape), OutsideRootError) << escape;
  EXPECT_THROW(files.List("elsewhere", "", TFileFilter::All), RequestError);
  EXPECT_THROW(FileFilterNamed("exe"), RequestError);
  EXPECT_THROW(files.List("home", "a.fls", TFileFilter::All), FileError);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace orvanta
