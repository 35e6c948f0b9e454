#include "shell/server/html_editor_page.h"

#include <cstdio>
#include <functional>

#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/text_file.h"
#include "project/html_images.h"

namespace orvanta {

namespace fs = std::filesystem;

namespace {

constexpr const char* kEditorPictureFolder = "htmledit_files";

}  // namespace

void WriteHtmlEditDocument(const fs::path& workFolder, const std::string& html) {
  WriteFileAtomically(workFolder / kHtmlEditFile, EncodeTextFile(html));
}

nlohmann::json ShowEditorPictures(const fs::path& workFolder, const TDataRoot& data,
                                  const std::vector<std::string>& sources) {
  nlohmann::json shown = nlohmann::json::object();
  for (const std::string& src : sources) {
    const fs::path picture = LocalLayerPicture(src, data);
    if (picture.empty()) continue;
    // A folder per source file, so that two pictures of one name never meet.
    char folder[17];
    std::snprintf(folder, sizeof folder, "%016zx", std::hash<std::string>{}(picture.string()));
    const std::string name = picture.filename().string();
    fs::create_directories(workFolder / kEditorPictureFolder / folder);
    fs::copy_file(picture, workFolder / kEditorPictureFolder / folder / name,
                  fs::copy_options::overwrite_existing);
    shown[src] = std::string(kEditorPictureFolder) + "/" + folder + "/" + UrlName(name);
  }
  return shown;
}

TPreviewAnswer HtmlEditorAnswer(const fs::path& workFolder, const fs::path& agentScript,
                                int editorPort) {
  const fs::path document = workFolder / kHtmlEditFile;
  std::error_code error;
  if (!fs::is_regular_file(document, error))
    return {404, "text/plain; charset=utf-8", "no HTML is being edited"};
  std::string head = "<meta charset=\"utf-8\">";
  if (fs::is_regular_file(agentScript, error)) {
    const std::vector<uint8_t> script = ReadWholeFile(agentScript.string());
    const std::string port = std::to_string(editorPort);
    const nlohmann::json origins{"http://127.0.0.1:" + port, "http://localhost:" + port};
    head += "<script>const orvantaEditorOrigins = " + origins.dump() + ";\n" +
            std::string(script.begin(), script.end()) + "</script>";
  }
  try {
    const std::string body = DecodeTextFile(ReadWholeFile(document.string()));
    return {200, "text/html; charset=utf-8",
            "<!DOCTYPE html><html><head>" + head + "</head><body>" + body + "</body></html>"};
  } catch (const Error& e) {
    return {500, "text/plain; charset=utf-8", e.what()};
  }
}

}  // namespace orvanta
