#include "project/project_file.h"

#include "platform/errors.h"
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

std::vector<TPageState> ReadPages(std::string_view text, TWarnings& warnings) {
  std::vector<TPageState> pages;
  int page = 1;
  for (; page <= kMaxPages; ++page) {
    const std::string start = StartTag(page);
    if (text.find(start) == std::string_view::npos) break;
    const TTagValue body = ExtractTag(text, start, EndTag(page));
    if (!body.Found)
      throw FormatError("page " + std::to_string(page) + " has no " + EndTag(page) +
                        ": the file is cut short or damaged");
    pages.push_back(ReadPageText(body.Value, page, warnings));
  }
  // Pages after a gap, or past the tenth, are not part of the project.
  for (int later = page; later <= kMaxPages + 1; ++later)
    if (text.find(StartTag(later)) != std::string_view::npos) {
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
    return ReadProject(ReadFileBytes(path));
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

void SaveProject(TBannerDocument& doc, const std::filesystem::path& path, TWarnings& warnings) {
  // Only the editors can tell what a stored text lost; the other pages were stored from them.
  CheckRoundTrip(doc.Current, doc.CurrentPage(), warnings);
  doc.StorePage(doc.CurrentPage());
  WriteFileAtomically(path, EncodeTextFile(ProjectText(doc)));
}

}  // namespace orvanta
