#include "batch/feed_csv.h"

#include <algorithm>

#include "platform/errors.h"

namespace orvanta {

namespace {

// Judged on the header, the first line that is not blank.
char SeparatorOf(std::string_view text) {
  const size_t start = std::min(text.find_first_not_of("\r\n"), text.size());
  const std::string_view header = text.substr(start, text.find('\n', start) - start);
  if (header.find(',') != std::string_view::npos) return ',';
  if (header.find(';') != std::string_view::npos) return ';';
  if (header.find('\t') != std::string_view::npos) return '\t';
  return ',';
}

// Walks the text one record at a time.
class TFeedScanner {
 public:
  TFeedScanner(std::string_view text, char separator) : text_(text), separator_(separator) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  int Line() const { return line_; }

  std::vector<std::string> NextRecord() {
    std::vector<std::string> cells(1);
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == '"' && cells.back().empty() && !quotedCell_) {
        ReadQuoted(cells.back());
      } else if (c == separator_) {
        cells.emplace_back();
        quotedCell_ = false;
      } else if (c == '\n' || c == '\r') {
        if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        ++line_;
        break;
      } else {
        cells.back() += c;
      }
    }
    quotedCell_ = false;
    return cells;
  }

 private:
  void ReadQuoted(std::string& cell) {
    const int opened = line_;
    quotedCell_ = true;
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == '"') {
        if (pos_ < text_.size() && text_[pos_] == '"') {
          cell += '"';
          ++pos_;
          continue;
        }
        return;
      }
      if (c == '\n') ++line_;
      cell += c;
    }
    throw FormatError("the feed's line " + std::to_string(opened) +
                      " opens a quoted cell that is never closed");
  }

  std::string_view text_;
  char separator_;
  size_t pos_ = 0;
  int line_ = 1;
  bool quotedCell_ = false;
};

bool Blank(const std::vector<std::string>& cells) {
  return cells.size() == 1 && cells[0].empty();
}

}  // namespace

TFeedTable ReadFeed(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  TFeedScanner scanner(text, SeparatorOf(text));
  TFeedTable table;
  while (!scanner.AtEnd() && table.Header.empty()) {
    std::vector<std::string> cells = scanner.NextRecord();
    if (!Blank(cells)) table.Header = std::move(cells);
  }
  if (table.Header.empty()) throw FormatError("the feed is empty: its first line names the columns");
  while (!scanner.AtEnd()) {
    const int line = scanner.Line();
    std::vector<std::string> cells = scanner.NextRecord();
    if (!Blank(cells)) table.Records.push_back({line, std::move(cells)});
  }
  return table;
}

}  // namespace orvanta
