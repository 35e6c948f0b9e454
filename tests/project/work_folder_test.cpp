#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/errors.h"
#include "project/work_folder.h"

namespace orvanta {
namespace {

namespace fs = std::filesystem;

// Instances running side by side each get a folder of their own; a folder comes free when its
// instance ends, and a named folder another instance holds is refused.
TEST(WorkFolderTest, OneFolderPerRunningInstance) {
  const fs::path home = fs::temp_directory_path() / "orvanta_work_folder_test";
  fs::remove_all(home);
  ::setenv("XDG_DATA_HOME", home.c_str(), 1);
  const fs::path instances = home / "orvanta" / "work";
  EXPECT_EQ(TWorkFolder::InstancesFolder(), instances);
  {
    std::optional<TWorkFolder> first = TWorkFolder::ForInstance();
    const TWorkFolder second = TWorkFolder::ForInstance();
    EXPECT_EQ(first->Folder(), instances / "1");
    EXPECT_EQ(second.Folder(), instances / "2");
    EXPECT_THROW(TWorkFolder{instances / "2"}, FileError);
    first.reset();
    EXPECT_EQ(TWorkFolder::ForInstance().Folder(), instances / "1");
  }
  EXPECT_NO_THROW(TWorkFolder{instances / "2"});
  ::unsetenv("XDG_DATA_HOME");
  fs::remove_all(home);
}

// A scratch folder goes with everything in it, even after a move; a given folder stays.
TEST(WorkFolderTest, ScratchFolderIsRemovedGivenFolderKept) {
  fs::path scratch;
  {
    TWorkFolder first = TWorkFolder::GivenOrScratch({});
    scratch = first.Folder();
    const TWorkFolder moved = std::move(first);
    fs::create_directories(scratch / "images");
    EXPECT_TRUE(fs::exists(scratch / "images"));
  }
  EXPECT_FALSE(fs::exists(scratch));

  const fs::path given = fs::temp_directory_path() / "orvanta_given_work_folder_test";
  fs::remove_all(given);
  { const TWorkFolder work = TWorkFolder::GivenOrScratch(given); }
  EXPECT_TRUE(fs::exists(given));
  fs::remove_all(given);
}

}  // namespace
}  // namespace orvanta
