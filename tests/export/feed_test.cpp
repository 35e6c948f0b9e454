#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch/feed_csv.h"
#include "batch/feed_variants.h"
#include "platform/errors.h"

namespace orvanta {
namespace {

using TRows = std::vector<std::vector<std::string>>;

TRows CellsOf(const TFeedTable& table) {
  TRows rows{table.Header};
  for (const TFeedRecord& r : table.Records) rows.push_back(r.Cells);
  return rows;
}

TEST(Feed, CellsAreReadTheWaySpreadsheetsWriteThem) {
  const struct {
    const char* what;
    std::string text;
    TRows rows;
  } cases[] = {
      {"CR LF lines", "output,SWFWidth\r\na,300\r\nb,250\r\n",
       {{"output", "SWFWidth"}, {"a", "300"}, {"b", "250"}}},
      {"byte-order mark, quotes, a doubled quote, a comma and a line break inside a cell",
       "\xEF\xBB\xBFoutput,InputText\nx,\"Big \"\"Sale\"\"\nnow, today\"\n",
       {{"output", "InputText"}, {"x", "Big \"Sale\"\nnow, today"}}},
      {"semicolons where the header has no comma", "output;SWFWidth\nc;250",
       {{"output", "SWFWidth"}, {"c", "250"}}},
      {"tabs, blank lines and empty cells", "\noutput\tSWFWidth\tSWFHeight\n\nd\t\t90\n\n",
       {{"output", "SWFWidth", "SWFHeight"}, {"d", "", "90"}}},
  };
  for (const auto& c : cases) EXPECT_EQ(CellsOf(ReadFeed(c.text)), c.rows) << c.what;
}

TEST(Feed, RecordsKnowTheLineTheyStartOn) {
  const TFeedTable table = ReadFeed("output,InputText\na,\"two\nlines\"\n\nb,x\n");
  ASSERT_EQ(table.Records.size(), 2u);
  EXPECT_EQ(table.Records[0].Line, 2);
  EXPECT_EQ(table.Records[1].Line, 5);
}

TEST(Feed, BrokenFilesAreRefusedNamingTheFault) {
  const struct {
    std::string text, message;
  } cases[] = {
      {"output,InputText\na,\"never closed\nb,c\n", "line 2 opens a quoted cell"},
      {"\n\n", "the feed is empty"},
      {"", "the feed is empty"},
  };
  for (const auto& c : cases) {
    try {
      ReadFeed(c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const FormatError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
}

TEST(FeedVariants, ABadRowFailsAloneAndSaysWhy) {
  const TFeedTable feed = ReadFeed(
      "Output,SWFWidth,ClickTagEnabled,InputText\n"
      "good,300,True,Hello\n"
      "wide,99999,,\n"
      "flag,300,maybe,\n"
      "short,300\n"
      "../up,300,,\n"
      ",300,,\n"
      "good,250,,\n"
      "empty cells keep the design,,,\n");
  const std::vector<TVariant> variants = CheckVariants(feed);
  const struct {
    int line;
    std::string problem;  // empty: valid
  } expected[] = {
      {2, ""},
      {3, "line 3: SWFWidth:"},
      {4, "line 4: ClickTagEnabled:"},
      {5, "line 5: 2 cells where the header names 4 columns"},
      {6, "line 6: the output name \"../up\" is not a plain name"},
      {7, "line 7: the output name is empty"},
      {8, "line 8: the output name \"good\" is already used on line 2"},
      {9, ""},
  };
  ASSERT_EQ(variants.size(), std::size(expected));
  for (size_t i = 0; i < variants.size(); ++i) {
    EXPECT_EQ(variants[i].Line, expected[i].line);
    if (expected[i].problem.empty()) {
      EXPECT_TRUE(variants[i].Valid()) << variants[i].Problem;
    } else {
      EXPECT_TRUE(variants[i].Problem.starts_with(expected[i].problem)) << variants[i].Problem;
    }
  }
  EXPECT_EQ(variants[0].Settings,
            (std::vector<std::string>{"SWFWidth=300", "ClickTagEnabled=True", "InputText=Hello"}));
  EXPECT_TRUE(variants[7].Settings.empty());
}

TEST(FeedVariants, AColumnThatNamesNoFieldStopsTheWholeFeed) {
  for (const char* text : {"output,SWFWidht\na,300\n", "name,SWFWidth\na,300\n"})
    EXPECT_THROW(CheckVariants(ReadFeed(text)), Error) << text;
}

TEST(FeedVariants, ShardsShareTheRowsWithoutOverlap) {
  std::string text = "output\n";
  for (int i = 0; i < 10; ++i) text += "v" + std::to_string(i) + "\n";
  const std::vector<TVariant> all = CheckVariants(ReadFeed(text));
  std::vector<std::string> seen;
  for (int shard = 1; shard <= 3; ++shard)
    for (const TVariant& v : ShardOf(all, shard, 3)) seen.push_back(v.Output);
  std::sort(seen.begin(), seen.end());
  std::vector<std::string> names;
  for (const TVariant& v : all) names.push_back(v.Output);
  EXPECT_EQ(seen, names);
  EXPECT_THROW(ShardOf(all, 4, 3), Error);
  EXPECT_THROW(ShardOf(all, 0, 3), Error);
}

}  // namespace
}  // namespace orvanta
