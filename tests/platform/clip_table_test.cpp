#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "platform/clip_table.h"
#include "platform/errors.h"
#include "platform/template_pack.h"

namespace orvanta {
namespace {

// The picker filters by case-insensitive substring, so a caption that says "Card" would also be
// listed under "Car": every live caption may match only the category it names in brackets.
TEST(ClipTableTest, EveryEntryHasAUniqueCaptionListedUnderItsOwnCategoryOnly) {
  const std::vector<TClipEntry>& table = ClipTable();
  ASSERT_EQ(table.size(), size_t(kClipCount));
  std::set<std::string> captions;
  std::map<std::string, int> liveByCategory;
  int withdrawn = 0, mouseFollowers = 0;
  for (size_t i = 0; i < table.size(); ++i) {
    const TClipEntry& entry = table[i];
    SCOPED_TRACE(entry.Caption);
    EXPECT_EQ(entry.Index, int(i) + 1);
    EXPECT_TRUE(captions.insert(FoldName(entry.Caption)).second) << "caption twice";
    const std::string upper = [&] {
      std::string s = entry.Caption;
      std::transform(s.begin(), s.end(), s.begin(), ::toupper);
      return s;
    }();
    const size_t open = upper.find('[');
    const std::string bracket =
        open == std::string::npos ? "" : upper.substr(open + 1, upper.find(']') - open - 1);
    for (const std::string& category : ClipCategories()) {
      std::string c = category;
      std::transform(c.begin(), c.end(), c.begin(), ::toupper);
      if (upper.find(c) == std::string::npos) continue;
      EXPECT_FALSE(IsWithdrawnClip(entry)) << "a withdrawn entry is listed under " << category;
      EXPECT_EQ(c, bracket) << "also listed under " << category;
      if (!IsWithdrawnClip(entry)) ++liveByCategory[category];
    }
    if (IsWithdrawnClip(entry)) {
      ++withdrawn;
      EXPECT_EQ(ClipName(entry.Index), kWithdrawnClipStandIn);
    } else {
      EXPECT_EQ(ClipName(entry.Index), entry.Name);
    }
    if (upper.find("(MOUSE AS)") != std::string::npos) ++mouseFollowers;
  }
  EXPECT_EQ(withdrawn, 213);
  EXPECT_EQ(mouseFollowers, 4);
  for (const std::string& category : ClipCategories())
    EXPECT_GE(liveByCategory[category], 3) << category;
  EXPECT_EQ(DistinctClipNames().size(), 796u);
  // The stand-in itself must be a live clip, and the duplicated names are offered once.
  EXPECT_EQ(ClipName(582), "icon1");
  EXPECT_TRUE(IsWithdrawnClip(table[334]) && IsWithdrawnClip(table[438]));
  EXPECT_THROW(ClipName(0), Error);
  EXPECT_THROW(ClipName(kClipCount + 1), Error);
}

}  // namespace
}  // namespace orvanta
