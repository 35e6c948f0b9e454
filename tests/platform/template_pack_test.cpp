#include <gtest/gtest.h>

#include "platform/errors.h"
#include "platform/template_pack.h"

namespace orvanta {
namespace {

std::vector<uint8_t> PackOf(const std::vector<std::string>& names) {
  TTemplatePackWriter writer;
  for (const std::string& name : names)
    writer.Add(name, "family of " + name, std::vector<uint8_t>(name.begin(), name.end()));
  return writer.Bytes();
}

TEST(TemplatePack, FindsEveryNameWithoutRegardToCaseAndNamesWhatIsMissing) {
  const std::vector<uint8_t> bytes = PackOf({"fire", "BOOMFIRE2", "Line_097", "dottext_65"});
  TTemplatePack pack(bytes);
  ASSERT_EQ(pack.Entries().size(), 4u);
  for (const char* asked : {"FIRE", "boomfire2", "LINE_097", "DotText_65"}) {
    const TTemplateEntry* e = pack.Find(asked);
    ASSERT_NE(e, nullptr) << asked;
    EXPECT_EQ(FoldName(std::string(e->Data.begin(), e->Data.end())), FoldName(asked));
    EXPECT_EQ(e->Family, "family of " + e->Name);
  }
  EXPECT_EQ(pack.Find("fire2"), nullptr);
  try {
    pack.Get("comet");
    FAIL() << "a missing template must raise";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("\"comet\""), std::string::npos) << e.what();
  }
}

TEST(TemplatePack, BytesDoNotDependOnTheOrderOfAddingAndNamesAreUnique) {
  EXPECT_EQ(PackOf({"b", "a", "C"}), PackOf({"C", "b", "a"}));
  TTemplatePackWriter writer;
  writer.Add("fire", "x", {});
  EXPECT_THROW(writer.Add("FIRE", "x", {}), Error);
}

TEST(TemplatePack, EveryCutOrDamagedPackIsRefusedNotRead) {
  const std::vector<uint8_t> bytes = PackOf({"fire", "comet"});
  // The files are the last bytes, so any cut loses a file's bytes or part of the index.
  for (size_t size = 0; size < bytes.size(); ++size) {
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(size));
    EXPECT_THROW(TTemplatePack{cut}, FormatError) << size;
  }
  std::vector<uint8_t> huge = bytes;
  huge[8] = huge[9] = huge[10] = huge[11] = 0xFF;  // the entry count
  EXPECT_THROW(TTemplatePack{huge}, FormatError);
  std::vector<uint8_t> wrong = bytes;
  wrong[0] = 'X';
  EXPECT_THROW(TTemplatePack{wrong}, FormatError);
}

}  // namespace
}  // namespace orvanta
