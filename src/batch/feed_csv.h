#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

// One record of a feed: its cells and the line of the file it starts on.
struct TFeedRecord {
  int Line = 0;
  std::vector<std::string> Cells;
};

struct TFeedTable {
  std::vector<std::string> Header;
  std::vector<TFeedRecord> Records;
};

// Reads a spreadsheet's CSV export: cells separated by commas (or by semicolons or tabs, when
// the header holds those and no comma, as some spreadsheets write it), quoted cells with ""
// for a quote and line breaks inside, CR LF or LF line ends, a UTF-8 byte-order mark. Blank
// lines are skipped. FormatError, naming the line, for a quote left open or an empty header.
TFeedTable ReadFeed(std::string_view text);

}  // namespace orvanta
