#include <map>
#include <tuple>

#include "builders/clips/clip_preview.h"
#include "clip_fixture.h"
#include "project/build_driver.h"

namespace orvanta::test {
namespace {

using ClipsReadOnlyTest = ClipFixture;

// Every file and folder under a root with its size and time: what a write would change.
std::map<fs::path, std::tuple<uintmax_t, fs::file_time_type>> Snapshot(const fs::path& root) {
  std::map<fs::path, std::tuple<uintmax_t, fs::file_time_type>> out;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    out[entry.path()] = {entry.is_regular_file() ? entry.file_size() : 0, entry.last_write_time()};
  return out;
}

void RemoveWritePermissions(const fs::path& root) {
  const auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    fs::permissions(entry.path(), write, fs::perm_options::remove);
  fs::permissions(root, write, fs::perm_options::remove);
}

TEST_F(ClipsReadOnlyTest, BuildsAndPreviewsFromAReadOnlyDataRootWithoutWritingIntoIt) {
  const fs::path data = root_ / "data";
  RemoveWritePermissions(data);
  const auto before = Snapshot(data);

  TBuildDriver driver(*data_, TBuildOptions{root_ / "work", 1});
  driver.AddBuilder(std::make_unique<TMovieClipBuilder>(*pack_));
  TBannerDocument doc = TBannerDocument::New();
  TWarnings ignored;
  const int layers[] = {kCloud, kBubbles, kSnow};
  for (int layer = 1; layer <= 3; ++layer)
    doc.Current.SetField(FindSavedField("PageEffectID" + std::to_string(layer)),
                         std::to_string(layers[layer - 1]), "", 1, ignored);
  const TBuildReport report = driver.Rebuild(doc, TRebuildOrigin::Command);
  EXPECT_TRUE(report.Warnings.empty());
  EXPECT_TRUE(fs::is_regular_file(root_ / "work" / kMainMovieFile));

  const struct {
    int Index;
    const char* Caption;
  } previews[] = {{kBubbles, "120x80"}, {kCloud, "90x30"}, {kSnow, "200x100"}};
  for (const auto& p : previews) {
    const auto preview = PreviewClip(p.Index, *data_, *pack_, root_ / "work");
    ASSERT_TRUE(preview) << p.Caption;
    EXPECT_EQ(preview->Caption, p.Caption);
    EXPECT_EQ(preview->File, root_ / "work" / kClipPreviewFile);
    const std::vector<uint8_t> file = ReadWholeFile(preview->File.string());
    ASSERT_GE(file.size(), 3u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 3), "FWS") << "playable as it is";
  }
  EXPECT_FALSE(PreviewClip(10, *data_, *pack_, root_ / "work")) << "firefly has no source";

  EXPECT_EQ(Snapshot(data), before);
}

}  // namespace
}  // namespace orvanta::test
