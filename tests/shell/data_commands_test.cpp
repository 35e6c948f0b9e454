#include "shell/data_commands.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "media/picture_codecs.h"
#include "platform/artwork_names.h"
#include "platform/clip_table.h"
#include "platform/data_root.h"
#include "platform/errors.h"
#include "platform/template_pack.h"
#include "shell/contact_sheet.h"
#include "shell/embedded_templates.h"

namespace orvanta {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class DataCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // One folder per test: CTest runs the tests of this program side by side.
    dir_ =
        fs::temp_directory_path() /
        (std::string("orvanta_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
         "_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "root");
  }
  void TearDown() override { fs::remove_all(dir_); }
  const TTemplatePack pack_{EmbeddedTemplatePack()};
  fs::path dir_;
};

TEST_F(DataCommandsTest, CheckPassesOnWhatTheBuildMadeAndNamesEveryGap) {
  std::ostringstream out, err;
  EXPECT_EQ(CheckData(pack_, TDataRoot(ORVANTA_DATA_ROOT), out, err), 0) << err.str();

  // A pack without "fire" and with one template that is not a SWF; a root without demo.swf.
  TTemplatePackWriter writer;
  for (const TTemplateEntry& e : pack_.Entries())
    if (e.Name != "fire")
      writer.Add(e.Name, e.Family,
                 e.Name == "comet" ? std::vector<uint8_t>{'n', 'o', 'p', 'e'}
                                   : std::vector<uint8_t>(e.Data.begin(), e.Data.end()));
  const std::vector<uint8_t> bytes = writer.Bytes();
  std::ostringstream out2, err2;
  EXPECT_EQ(CheckData(TTemplatePack(bytes), TDataRoot(dir_ / "root"), out2, err2), 1);
  // The empty root lacks every data file, every clip thumbnail and every clip the pack does not
  // carry.
  size_t clipGaps = 0;
  for (const std::string& name : DistinctClipNames())
    clipGaps += TTemplatePack(bytes).Find(name) ? 1 : 2;
  const std::string count = std::to_string(2 + RequiredDataFiles().size() + clipGaps) + " problems";
  for (const std::string& named :
       {std::string("missing template: fire\n"), std::string("template comet does not read"),
        std::string("missing data file: demo.swf\n"), std::string("missing clip thumbnail: snow\n"),
        count})
    EXPECT_NE(err2.str().find(named), std::string::npos) << named << " in\n" << err2.str();
}

TEST_F(DataCommandsTest, ListAndExtractGiveEveryTemplateAsItIs) {
  std::ostringstream json;
  ListTemplates(pack_, true, json);
  const nlohmann::json list = nlohmann::json::parse(json.str());
  ASSERT_EQ(list.size(), pack_.Entries().size());
  for (const nlohmann::json& e : list)
    EXPECT_EQ(e["size"].get<size_t>(), pack_.Get(e["name"].get<std::string>()).Data.size());

  std::ostringstream out;
  ExtractAllTemplates(pack_, (dir_ / "all").string(), out);
  ExtractTemplate(pack_, "BoomFire2", (dir_ / "one.swf").string(), out);
  const TTemplateEntry& boom = pack_.Get("BOOMFIRE2");
  EXPECT_EQ(ReadFile(dir_ / "one.swf"), std::vector<uint8_t>(boom.Data.begin(), boom.Data.end()));
  EXPECT_EQ(ReadFile(dir_ / "all" / "BOOMFIRE2.swf"), ReadFile(dir_ / "one.swf"));
  EXPECT_EQ(static_cast<size_t>(std::distance(fs::directory_iterator(dir_ / "all"), {})),
            pack_.Entries().size());
  EXPECT_THROW(ExtractTemplate(pack_, "no such", (dir_ / "x.swf").string(), out), Error);
}

TEST_F(DataCommandsTest, ContactSheetShowsEveryMomentOfAFamily) {
  std::ostringstream out;
  WriteContactSheet(pack_, "TEXT-BACKGROUND", (dir_ / "sheet.png").string(), 64, out);
  const std::vector<uint8_t> png = ReadFile(dir_ / "sheet.png");
  const TPicture sheet = DecodePNG(png);
  EXPECT_EQ(sheet.Width, 1400u);
  // Ten effects at three moments each, at most 64 high: at least one row, and not an empty one.
  EXPECT_GE(sheet.Height, 64u);
  EXPECT_NE(out.str().find("10 templates"), std::string::npos) << out.str();
  try {
    WriteContactSheet(pack_, "no-such-family", (dir_ / "none.png").string(), 64, out);
    FAIL() << "an unknown family must raise";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("\"no-such-family\""), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace orvanta
