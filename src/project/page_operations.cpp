#include "project/page_operations.h"

#include <algorithm>

namespace orvanta {

namespace {
constexpr const char* kBusy = "Please waiting ...";
}

TPageResult TPageOperations::Rebuilt(const TWarnings& before) {
  TPageResult result{"", driver_.Rebuild(doc_, TRebuildOrigin::Command)};
  result.Report.Warnings.insert(result.Report.Warnings.begin(), before.begin(), before.end());
  return result;
}

TPageResult TPageOperations::NewPage() {
  if (driver_.Busy()) return {kBusy, {}};
  if (doc_.PageCount() >= kMaxPages) return {"Max 10 webpages!", {}};
  doc_.StorePage(doc_.CurrentPage());
  TWarnings warnings;
  const std::string name = "Copy" + std::to_string(doc_.PageCount() + 1) + "-" +
                           doc_.Current.Field("webpage_filename").Text;
  doc_.Current.SetField(FindSavedField("webpage_filename"), name, "", doc_.PageCount() + 1,
                        warnings);
  doc_.AppendPage();
  return Rebuilt(warnings);
}

TPageResult TPageOperations::DeletePage(int line) {
  if (driver_.Busy()) return {kBusy, {}};
  if (line <= 1) return {"Can not remove index.html webpage file!", {}};
  TWarnings warnings;
  doc_.RemovePage(std::min(line, doc_.PageCount()), warnings);
  return Rebuilt(warnings);
}

TPageResult TPageOperations::SelectPage(int line) {
  if (driver_.Busy()) return {kBusy, {}};
  const int page = std::clamp(line, 1, doc_.PageCount());
  if (page == doc_.CurrentPage()) return {};
  doc_.StorePage(doc_.CurrentPage());
  TWarnings warnings;
  doc_.LoadPage(page, warnings);
  return Rebuilt(warnings);
}

TPageResult TPageOperations::Undo() {
  if (driver_.Busy()) return {kBusy, {}};
  if (!doc_.CanUndo()) return {};
  TWarnings warnings;
  doc_.Undo(warnings);
  return Rebuilt(warnings);
}

}  // namespace orvanta
