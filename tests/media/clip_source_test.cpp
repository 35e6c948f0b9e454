#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "media/clip_source.h"
#include "platform/data_root.h"
#include "platform/errors.h"
#include "platform/template_pack.h"

namespace orvanta {
namespace {

namespace fs = std::filesystem;

void WriteBytes(const fs::path& file, const std::vector<uint8_t>& bytes) {
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Tells the sources apart by their bytes.
std::vector<uint8_t> Swf(char tag) {
  return {'F', 'W', 'S', 8, uint8_t(tag), 0, 0, 0};
}

TEST(ClipSourceTest, FilesComeBeforeCompressedFilesBeforeTemplates) {
  const fs::path folder = fs::temp_directory_path() / "orvanta_clip_source_test";
  fs::remove_all(folder);
  fs::create_directories(folder / "mc_thumb");
  WriteBytes(folder / "mc_thumb" / "Snow.swf", Swf('a'));
  WriteBytes(folder / "mc_thumb" / "snow.ddt", CompressClipFile(Swf('b')));
  WriteBytes(folder / "mc_thumb" / "cloud.ddt", CompressClipFile(Swf('c')));
  TTemplatePackWriter writer;
  for (const char* name : {"snow", "cloud", "rainbow"}) writer.Add(name, "clips", Swf('d'));
  const std::vector<uint8_t> packBytes = writer.Bytes();
  const TTemplatePack pack(packBytes);
  const TDataRoot root(folder);

  const struct {
    const char* Name;
    TClipSource Source;
    char Tag;
  } cases[] = {{"snow", TClipSource::File, 'a'},
               {"CLOUD", TClipSource::CompressedFile, 'c'},
               {"rainbow", TClipSource::Template, 'd'}};
  for (const auto& c : cases) {
    std::optional<TClipBytes> clip = LoadClipStream(c.Name, root, pack);
    ASSERT_TRUE(clip) << c.Name;
    EXPECT_EQ(clip->Source, c.Source) << c.Name;
    EXPECT_EQ(clip->Bytes, Swf(c.Tag)) << c.Name;
  }
  EXPECT_FALSE(LoadClipStream("sun", root, pack));

  // A cut, padded or foreign compressed file is refused, never half read.
  std::vector<uint8_t> ddt = CompressClipFile(Swf('e'));
  std::vector<uint8_t> cut(ddt.begin(), ddt.end() - 3), padded = ddt;
  padded.push_back(0);
  for (const std::vector<uint8_t>& bad : {cut, padded, Swf('f'), std::vector<uint8_t>{}})
    EXPECT_THROW(InflateClipFile(bad), FormatError);
  WriteBytes(folder / "mc_thumb" / "rainbow.ddt", cut);
  EXPECT_THROW(LoadClipStream("rainbow", root, pack), FormatError);
  fs::remove_all(folder);
}

TEST(ClipSourceTest, InflationStopsAtTheLimit) {
  const std::vector<uint8_t> swf(10000, 0);
  EXPECT_THROW(InflateClipFile(CompressClipFile(swf), swf.size() - 1), FormatError);
  EXPECT_EQ(InflateClipFile(CompressClipFile(swf), swf.size()), swf);
}

}  // namespace
}  // namespace orvanta
