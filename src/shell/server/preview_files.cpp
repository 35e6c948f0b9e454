#include "shell/server/preview_files.h"

#include <algorithm>
#include <array>

#include <nlohmann/json.hpp>

#include "media/swf_reader.h"
#include "platform/stream.h"
#include "shell/api_errors.h"
#include "shell/file_browser.h"

namespace orvanta {

namespace fs = std::filesystem;

namespace {

// The player's files, served from the data root beside the pages that load them.
constexpr std::string_view kPlayerPrefix = "ruffle/";

constexpr std::array<std::string_view, 3> kGeneratedPages{"flashtemp.htm", "flashtemp_center.htm",
                                                          "flashtemp_flashbg_center.htm"};

// Scripts and style sheets name their code page: without it the browser reads them in the code
// page of the page that loads them, and the generated pages are UTF-16.
std::string ContentTypeOf(const fs::path& file, const std::vector<uint8_t>& bytes) {
  std::string ext = file.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  const bool utf16 = bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
  if (ext == ".htm" || ext == ".html")
    return utf16 ? "text/html; charset=utf-16le" : "text/html; charset=utf-8";
  if (ext == ".swf") return "application/x-shockwave-flash";
  if (ext == ".jpg" || ext == ".jpeg") return "image/jpeg";
  if (ext == ".png") return "image/png";
  if (ext == ".gif") return "image/gif";
  if (ext == ".bmp") return "image/bmp";
  if (ext == ".js") return "text/javascript; charset=utf-8";
  if (ext == ".wasm") return "application/wasm";
  if (ext == ".css") return "text/css; charset=utf-8";
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

// The page the preview shows for a link to a page that is not published: it tells the editor
// around it, which shows the message as its own dialog and returns to the preview.
std::string LinkRefusalPage(const std::string& name) {
  const std::string message = LinkRefusalMessage(name);
  std::string script = nlohmann::json{{"orvantaLinkRefused", message}}.dump();
  // Kept from closing the script element, whatever the link was named.
  for (size_t at = script.find('<'); at != std::string::npos; at = script.find('<', at))
    script.replace(at, 1, "\\u003c");
  return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Orvanta</title></head>"
         "<body><p id=\"link-refused\">" +
         HtmlEscaped(message) + "</p><script>parent.postMessage(" + script +
         ", \"*\");</script></body></html>";
}

bool IsPage(const fs::path& file) {
  const std::string ext = file.extension().string();
  return ext == ".htm" || ext == ".html" || ext == ".HTM" || ext == ".HTML";
}

// Letters, digits and ". _ -" only, not starting with a dot: nothing that names a folder, and
// nothing that needs quoting in the page.
bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name.size() > 100 || name.front() == '.') return false;
  return std::all_of(name.begin(), name.end(), [](unsigned char c) {
    return std::isalnum(c) || c == '.' || c == '_' || c == '-';
  });
}

// Scaled to fit the frame it is shown in, keeping the movie's proportions, and centred.
std::string GalleryPage(std::string_view movie, std::string_view stamp, int width, int height) {
  const std::string size = std::to_string(width) + ", " + std::to_string(height);
  return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Preview</title><style>\n"
         "html, body { margin: 0; height: 100%; background: #fff; overflow: hidden; }\n"
         "body { display: flex; align-items: center; justify-content: center; }\n"
         "#movie, #movie > * { display: block; }\n"
         "</style><script>\n"
         "window.RufflePlayer = window.RufflePlayer || {};\n"
         "window.RufflePlayer.config = { publicPath: \"ruffle/\", autoplay: \"on\",\n"
         "  unmuteOverlay: \"hidden\", splashScreen: false,\n"
         "  contextMenu: \"off\", letterbox: \"off\" };\n"
         "</script><script src=\"ruffle/ruffle.js\"></script></head><body>\n"
         "<div id=\"movie\"><embed src=\"" +
         std::string(movie) + "?t=" + std::string(stamp) +
         "\" type=\"application/x-shockwave-flash\"></div>\n"
         "<script>\n"
         "const [w, h] = [" +
         size +
         "];\n"
         "function fit() {\n"
         "  const s = Math.min(innerWidth / Math.max(w, 1), innerHeight / Math.max(h, 1));\n"
         "  for (const e of document.querySelectorAll(\"#movie, #movie > *\")) {\n"
         "    e.style.width = Math.floor(w * s) + \"px\"; e.style.height = Math.floor(h * s) + "
         "\"px\";\n"
         "  }\n"
         "}\n"
         "fit(); addEventListener(\"resize\", fit);\n"
         "new MutationObserver(fit).observe(document.getElementById(\"movie\"), { childList: true "
         "});\n"
         "</script></body></html>\n";
}

}  // namespace

std::string LinkRefusalMessage(std::string_view relativeAddress) {
  return "Can not open link \"" + std::string(relativeAddress) +
         "\"\nPlease [Pubilsh Webpage] first !\nAnd then open the output webpage with Internet "
         "Explorer!";
}

TPreviewAnswer FolderFileAnswer(const fs::path& folder, std::string_view relative) {
  fs::path file;
  try {
    file = ResolveInside(folder, relative);
  } catch (const OutsideRootError& e) {
    return {403, "text/plain; charset=utf-8", e.what()};
  }
  std::error_code error;
  if (!fs::is_regular_file(file, error))
    return {404, "text/plain; charset=utf-8", "\"" + std::string(relative) + "\" is not here"};
  const std::vector<uint8_t> bytes = ReadWholeFile(file.string());
  return {200, ContentTypeOf(file, bytes), std::string(bytes.begin(), bytes.end())};
}

TPreviewAnswer PreviewAnswer(const fs::path& workFolder, const fs::path& playerFolder,
                             std::string_view requestPath) {
  while (requestPath.starts_with("/")) requestPath.remove_prefix(1);
  if (requestPath.starts_with(kPlayerPrefix))
    return FolderFileAnswer(playerFolder, requestPath.substr(kPlayerPrefix.size()));
  fs::path file;
  try {
    file = ResolveInside(workFolder, requestPath);
  } catch (const OutsideRootError& e) {
    return {403, "text/plain; charset=utf-8", e.what()};
  }
  const std::string name(requestPath);
  const bool generated =
      std::find(kGeneratedPages.begin(), kGeneratedPages.end(), name) != kGeneratedPages.end();
  if (IsPage(file) && !generated) return {200, "text/html; charset=utf-8", LinkRefusalPage(name)};
  return FolderFileAnswer(workFolder, requestPath);
}

TPreviewAnswer GalleryPreviewPage(const fs::path& workFolder, std::string_view movie,
                                  std::string_view stamp) {
  constexpr const char* kText = "text/plain; charset=utf-8";
  if (!IsPlainFileName(movie))
    return {400, kText, "\"" + std::string(movie) + "\" is not a movie of the working folder"};
  const bool digits =
      std::all_of(stamp.begin(), stamp.end(), [](unsigned char c) { return std::isdigit(c); });
  if (!digits || stamp.size() > 20) return {400, kText, "the stamp is a number"};
  std::error_code error;
  const fs::path file = workFolder / std::string(movie);
  if (!fs::is_regular_file(file, error))
    return {404, kText, "\"" + std::string(movie) + "\" is not here"};
  const std::vector<uint8_t> bytes = ReadWholeFile(file.string());
  TMemoryViewStream stream(bytes);
  TSWFStreamReader reader(stream);
  if (!reader.Valid) return {404, kText, "\"" + std::string(movie) + "\" is not a movie"};
  const TSWFRect& frame = reader.Header().FrameSize;
  return {200, "text/html; charset=utf-8",
          GalleryPage(movie, stamp, (frame.Xmax() - frame.Xmin()) / 20,
                      (frame.Ymax() - frame.Ymin()) / 20)};
}

TPreviewAnswer WebUiAnswer(const fs::path& webRoot, std::string_view requestPath) {
  while (requestPath.starts_with("/")) requestPath.remove_prefix(1);
  return FolderFileAnswer(webRoot, requestPath.empty() ? "index.html" : requestPath);
}

}  // namespace orvanta
