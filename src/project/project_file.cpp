#include "project/project_file.h"

#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/text_file.h"
#include "project/page_text.h"

namespace orvanta {

namespace {

std::string StartTag(int page) {
  return "<TemplateFile" + std::to_string(page) + ">";
}
std::string EndTag(int page) {
  return "</TemplateFile" + std::to_string(page) + ">";
}

// A page ends where the next one begins, or at the last end tag of its number: the page text
// is not escaped, and a text block may hold the wrapping tags of the file.
TTagValue PageBody(std::string_view text, int page, size_t from) {
  const std::string start = StartTag(page), end = EndTag(page);
  const size_t at = text.find(start, from);
  if (at == std::string_view::npos) return {};
  const size_t body = at + start.size();
  size_t close = text.find(end + "\r\n" + StartTag(page + 1), body);
  if (close == std::string_view::npos) close = text.rfind(end);
  if (close == std::string_view::npos || close < body)
    throw FormatError("page " + std::to_string(page) + " has no " + end +
                      ": the file is cut short or damaged");
  return {text.substr(body, close - body), true, close + end.size()};
}

std::vector<TPageState> ReadPages(std::string_view text, TWarnings& warnings) {
  std::vector<TPageState> pages;
  size_t from = 0;
  int page = 1;
  for (; page <= kMaxPages; ++page) {
    const TTagValue body = PageBody(text, page, from);
    if (!body.Found) break;
    pages.push_back(ReadPageText(body.Value, page, warnings));
    from = body.End;
  }
  // Pages after a gap, or past the tenth, are not part of the project.
  for (int later = page; later <= kMaxPages + 1; ++later)
    if (text.find(StartTag(later), from) != std::string_view::npos) {
      warnings.push_back({0, "",
                          later > kMaxPages ? "the file holds more than 10 pages; the pages "
                                              "after the tenth are ignored"
                                            : StartTag(page) + " is missing; the pages after " +
                                                  std::to_string(page - 1) + " are ignored"});
      break;
    }
  return pages;
}

}  // namespace

TLoadedProject ReadProject(std::span<const uint8_t> bytes) {
  const std::string text = DecodeTextFile(bytes);
  TWarnings warnings;
  std::vector<TPageState> pages;
  if (text.find(StartTag(1)) != std::string::npos) {
    pages = ReadPages(text, warnings);
  } else {
    if (text.find("<Name>") == std::string::npos)
      throw FormatError("not a project file: it has neither pages nor field lines");
    pages.push_back(ReadPageText(text, 1, warnings));
  }
  return {TBannerDocument::FromPages(std::move(pages)), std::move(warnings)};
}

TLoadedProject LoadProject(const std::filesystem::path& path) {
  try {
    return ReadProject(ReadWholeFile(path.string()));
  } catch (const FormatError& e) {
    throw FormatError(path.string() + ": " + e.what());
  }
}

std::string ProjectText(const TBannerDocument& doc) {
  std::string out;
  for (int page = 1; page <= doc.PageCount(); ++page)
    out += StartTag(page) + doc.PageText(page) + EndTag(page) + "\r\n";
  return out;
}

bool ProjectTextReadsBack(const TBannerDocument& doc) {
  const std::string text = ProjectText(doc);
  size_t from = 0;
  for (int page = 1; page <= doc.PageCount(); ++page) {
    const TTagValue body = PageBody(text, page, from);
    if (!body.Found || body.Value != doc.PageText(page)) return false;
    from = body.End;
  }
  return true;
}

void SaveProject(TBannerDocument& doc, const std::filesystem::path& path, TWarnings& warnings) {
  // Only the editors can tell what a stored text lost; the other pages were stored from them.
  CheckRoundTrip(doc.Current, doc.CurrentPage(), warnings);
  doc.StorePage(doc.CurrentPage());
  if (!ProjectTextReadsBack(doc))
    warnings.push_back({0, "",
                        "a text holds the tags that separate the pages in the file; "
                        "the pages will not read back as saved"});
  WriteFileAtomically(path, EncodeTextFile(ProjectText(doc)));
}

}  // namespace orvanta
