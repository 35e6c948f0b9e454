#include "shell/server/preview_files.h"

#include <algorithm>
#include <array>

#include "platform/stream.h"
#include "shell/api_errors.h"
#include "shell/file_browser.h"

namespace orvanta {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, 3> kGeneratedPages{"flashtemp.htm", "flashtemp_center.htm",
                                                          "flashtemp_flashbg_center.htm"};

std::string ContentTypeOf(const fs::path& file) {
  std::string ext = file.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  if (ext == ".htm" || ext == ".html") return "text/html; charset=utf-8";
  if (ext == ".swf") return "application/x-shockwave-flash";
  if (ext == ".jpg" || ext == ".jpeg") return "image/jpeg";
  if (ext == ".png") return "image/png";
  if (ext == ".js") return "text/javascript";
  if (ext == ".wasm") return "application/wasm";
  if (ext == ".css") return "text/css";
  return "application/octet-stream";
}

std::string HtmlEscaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\n':
        out += "<br>";
        break;
      default:
        out += c;
    }
  }
  return out;
}

bool IsPage(const fs::path& file) {
  const std::string ext = file.extension().string();
  return ext == ".htm" || ext == ".html" || ext == ".HTM" || ext == ".HTML";
}

}  // namespace

std::string LinkRefusalMessage(std::string_view relativeAddress) {
  return "Can not open link \"" + std::string(relativeAddress) +
         "\"\nPlease [Pubilsh Webpage] first !\nAnd then open the output webpage with Internet "
         "Explorer!";
}

TPreviewAnswer PreviewAnswer(const fs::path& workFolder, std::string_view requestPath) {
  while (requestPath.starts_with("/")) requestPath.remove_prefix(1);
  fs::path file;
  try {
    file = ResolveInside(workFolder, requestPath);
  } catch (const OutsideRootError& e) {
    return {403, "text/plain; charset=utf-8", e.what()};
  }
  const std::string name(requestPath);
  const bool generated =
      std::find(kGeneratedPages.begin(), kGeneratedPages.end(), name) != kGeneratedPages.end();
  if (IsPage(file) && !generated)
    return {200, "text/html; charset=utf-8",
            "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Orvanta</title></head>"
            "<body><p id=\"link-refused\">" +
                HtmlEscaped(LinkRefusalMessage(name)) + "</p></body></html>"};
  std::error_code error;
  if (!fs::is_regular_file(file, error))
    return {404, "text/plain; charset=utf-8", "\"" + name + "\" is not in the working folder"};
  const std::vector<uint8_t> bytes = ReadWholeFile(file.string());
  return {200, ContentTypeOf(file), std::string(bytes.begin(), bytes.end())};
}

}  // namespace orvanta
