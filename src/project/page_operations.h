#pragma once

#include <string>

#include "project/build_driver.h"

namespace orvanta {

// The page operations of a document, each ending in a rebuild. A refused operation changes
// nothing and returns the message the user sees; an accepted one returns an empty message.
struct TPageResult {
  std::string Refusal;
  TBuildReport Report;
};

class TPageOperations {
 public:
  TPageOperations(TBannerDocument& doc, TBuildDriver& driver) : doc_(doc), driver_(driver) {}

  // A copy of the current page, named "Copy" + number + "-" + the old file name.
  TPageResult NewPage();
  // Line 1 is the index page and stays; 0 means nothing is selected.
  TPageResult DeletePage(int line);
  // Line 0 (no line) selects page 1, a line past the count the last page.
  TPageResult SelectPage(int line);
  // The page as it was before the last editor's change; one level.
  TPageResult Undo();

 private:
  // Rebuilds the page; the warnings of the operation itself come first.
  TPageResult Rebuilt(const TWarnings& before);
  TBannerDocument& doc_;
  TBuildDriver& driver_;
};

}  // namespace orvanta
