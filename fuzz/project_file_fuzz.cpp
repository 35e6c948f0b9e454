// Feeds arbitrary bytes to the project reader, then writes the loaded document back and reads
// it again: the second load must succeed and give the same pages, unless a save would warn
// that they cannot. Data errors must surface as
// orvanta::Error; a crash, a sanitizer report, a hang or another exception type is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/errors.h"
#include "platform/text_file.h"
#include "project/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orvanta;
  TLoadedProject loaded = [&]() -> TLoadedProject {
    try {
      return ReadProject(std::span(data, size));
    } catch (const Error&) {
      return {TBannerDocument::New(), {}};
    }
  }();
  TBannerDocument& doc = loaded.Document;
  for (int page = 1; page <= doc.PageCount(); ++page) doc.LoadPage(page, loaded.Warnings);

  // A text holding the page separators cannot come back; a save warns about it.
  if (!ProjectTextReadsBack(doc)) return 0;
  const std::vector<uint8_t> bytes = EncodeTextFile(ProjectText(doc));
  TLoadedProject again = ReadProject(bytes);
  if (again.Document.PageCount() != doc.PageCount()) std::abort();
  for (int page = 1; page <= doc.PageCount(); ++page)
    if (again.Document.PageText(page) != doc.PageText(page)) std::abort();
  return 0;
}
