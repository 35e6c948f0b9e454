#include "shell/server/html_editor_page.h"

#include <nlohmann/json.hpp>

#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/text_file.h"

namespace orvanta {

namespace fs = std::filesystem;

void WriteHtmlEditDocument(const fs::path& workFolder, const std::string& html) {
  WriteFileAtomically(workFolder / kHtmlEditFile, EncodeTextFile(html));
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
