#include "project/catalogue.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "platform/artwork_names.h"
#include "platform/clip_table.h"
#include "platform/data_root.h"
#include "platform/stream.h"

namespace orvanta {
namespace {

namespace fs = std::filesystem;

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("orvanta_catalogue_" + std::to_string(::getpid()));
    fs::remove_all(root_);
  }
  void TearDown() override { fs::remove_all(root_); }
  void Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    fs::create_directories((root_ / name).parent_path());
    WriteWholeFile((root_ / name).string(), bytes);
  }
  // A thumbnail of the shipped data, under another name.
  void Copy(const std::string& shipped, const std::string& name) {
    Write(name, ReadWholeFile((fs::path(ORVANTA_DATA_ROOT) / shipped).string()));
  }
  fs::path root_;
};

const TCatalogueEntry& EntryOf(const TCatalogueList& list, const std::string& caption) {
  for (const TCatalogueEntry& entry : list.Entries)
    if (entry.Caption == caption) return entry;
  throw std::runtime_error("no entry " + caption);
}

TEST_F(CatalogueTest, ListsEveryEntryAndStandsInForMissingOrDamagedPictures) {
  Copy("mc_thumb/delete2.bmp", "mc_thumb/delete2.bmp");
  Copy("mc_thumb/mcsnow.bmp", "mc_thumb/mcsnow.bmp");
  Write("mc_thumb/mcbubbles.bmp", {'B', 'M', 1, 2, 3});  // damaged
  Write("mc_thumb/Percentloaderimage.gif", EncodeGIF(TPicture(300, 55, 0xFF0000FFu)));
  Copy("mc_thumb/mcsnow.bmp", "mc_thumb/templatescreenshot/banner16.bmp");
  Write("default_template/banner16.fls", {0xFF, 0xFE});
  Write("gallery/buttons/Button1_1.png", EncodePNG(TPicture(100, 60)));
  std::vector<std::string> progress;
  const TCatalogue catalogue =
      ReadCatalogue(TDataRoot(root_), [&](const std::string& text) { progress.push_back(text); });

  const struct {
    const TCatalogueList& List;
    size_t Count;
  } counts[] = {{catalogue.FlashBanners, 84},
                {catalogue.FlashSlideshows, 17},
                {catalogue.ButtonStyles, 138},
                {catalogue.ShapeStyles, 107},
                {catalogue.Clips, 799},
                {catalogue.LoadingScreens, 3},
                {catalogue.MusicControls, size_t(kSoundControls) + 1}};
  for (const auto& c : counts) EXPECT_EQ(c.List.Entries.size(), c.Count) << c.List.Name;

  // Clips: their own thumbnail, else the stand-in, for every entry, " None" included.
  for (const TCatalogueEntry& clip : catalogue.Clips.Entries) {
    EXPECT_EQ(clip.Thumbnail.Picture.Width, 100u) << clip.Caption;
    EXPECT_EQ(clip.Thumbnail.File, clip.Index == 1 ? "mc_thumb/mcsnow.bmp" : "mc_thumb/delete2.bmp")
        << clip.Caption;
  }
  EXPECT_EQ(catalogue.Clips.Entries[0].Caption, " None");

  // Samples: a missing project or thumbnail leaves the entry listed, marked, without picture.
  const TCatalogueEntry& present = EntryOf(catalogue.FlashBanners, "banner16");
  EXPECT_TRUE(present.Available);
  EXPECT_FALSE(present.Thumbnail.Picture.Empty());
  const TCatalogueEntry& absent = EntryOf(catalogue.FlashBanners, "banner17");
  EXPECT_FALSE(absent.Available);
  EXPECT_EQ(absent.Project, "default_template/banner17.fls");
  EXPECT_TRUE(absent.Thumbnail.Picture.Empty());

  // Strips are cut into cells; a missing strip keeps the known choices without pictures.
  EXPECT_EQ(catalogue.LoadingScreens.Entries[2].Thumbnail.Cell, 2);
  EXPECT_EQ(catalogue.LoadingScreens.Entries[2].Thumbnail.Picture.Width, 100u);
  EXPECT_TRUE(catalogue.MusicControls.Entries[1].Thumbnail.Picture.Empty());
  EXPECT_EQ(EntryOf(catalogue.ShapeStyles, "panel45").Index, 45);
  EXPECT_FALSE(EntryOf(catalogue.ButtonStyles, "Button1_1").Thumbnail.Picture.Empty());

  auto problem = [&](const std::string& file) {
    return std::any_of(catalogue.Problems.begin(), catalogue.Problems.end(),
                       [&](const std::string& p) { return p.starts_with(file); });
  };
  EXPECT_TRUE(problem("mc_thumb/mcbubbles.bmp cannot be read"));
  EXPECT_TRUE(problem("mc_thumb/bssoundimage.gif is missing"));
  EXPECT_FALSE(problem("mc_thumb/templatescreenshot/")) << "sample thumbnails are optional";
  EXPECT_EQ(std::count_if(catalogue.Problems.begin(), catalogue.Problems.end(),
                          [](const std::string& p) { return p.starts_with("gallery/panels/"); }),
            1)
      << "a missing folder is one problem";

  // Progress: from 0% to "Building SWF", never backwards, the clips between 50% and 79%.
  ASSERT_GE(progress.size(), 3u);
  EXPECT_EQ(progress.front(), "Reading Templates 0%");
  EXPECT_EQ(progress.back(), "Building SWF");
  int last = -1;
  std::set<int> seen;
  for (size_t i = 0; i + 1 < progress.size(); ++i) {
    const int percent = std::stoi(progress[i].substr(std::string("Reading Templates ").size()));
    EXPECT_GT(percent, last) << progress[i];
    last = percent;
    seen.insert(percent);
  }
  for (int percent : {20, 23, 25, 50, 79, 80, 94}) EXPECT_TRUE(seen.count(percent)) << percent;
}

TEST(CatalogueProgressTest, ClipThumbnailsRunFrom50To79Percent) {
  const struct {
    int Entry, Count, Percent;
  } cases[] = {{0, 120, 50}, {4, 120, 51}, {119, 120, 79}, {798, 799, 79}, {0, 0, 50}};
  for (const auto& c : cases)
    EXPECT_EQ(ClipThumbnailPercent(c.Entry, c.Count), c.Percent) << c.Entry << "/" << c.Count;
}

TEST(ClipCategoryTest, CategoriesAndOthersPartitionTheLiveClips) {
  const std::vector<int> all = ClipsInCategory(" All");
  EXPECT_EQ(all.size(), size_t(kClipCount - 213));
  std::set<int> covered;
  for (const std::string& category : ClipCategories())
    for (int index : ClipsInCategory(category)) {
      EXPECT_FALSE(IsWithdrawnClip(ClipTable()[size_t(index) - 1])) << category;
      covered.insert(index);
    }
  for (int index : ClipsInCategory(" Others (None)"))
    EXPECT_TRUE(covered.insert(index).second) << "an other clip is in a category: " << index;
  EXPECT_EQ(covered, std::set<int>(all.begin(), all.end()));
  EXPECT_TRUE(ClipsInCategory("Spaceships").empty());
}

TEST(CatalogueArtworkTest, TheShippedDataGivesEveryEntryItsPicture) {
  const TCatalogue catalogue = ReadCatalogue(TDataRoot(ORVANTA_DATA_ROOT));
  for (const TCatalogueList* list :
       {&catalogue.Clips, &catalogue.ButtonStyles, &catalogue.ShapeStyles,
        &catalogue.LoadingScreens, &catalogue.MusicControls})
    for (const TCatalogueEntry& entry : list->Entries) {
      // The style lists have no picture for "None"; the clips show the stand-in.
      if (entry.Index > 0 || list == &catalogue.Clips) {
        EXPECT_FALSE(entry.Thumbnail.Picture.Empty()) << list->Name << " " << entry.Caption;
      }
    }
  for (const TCatalogueEntry& clip : catalogue.Clips.Entries)
    EXPECT_EQ(clip.Thumbnail.File == "mc_thumb/delete2.bmp", clip.Index == 0) << clip.Caption;
  EXPECT_EQ(catalogue.LoadingScreens.Entries.size(), size_t(kLoadingScreens) + 1);
  EXPECT_TRUE(catalogue.Problems.empty()) << catalogue.Problems.front();
}

}  // namespace
}  // namespace orvanta
