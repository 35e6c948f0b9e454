#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "shell/server/preview_files.h"

namespace orvanta {

class TDataRoot;

// The document the visual HTML editor edits, in the working folder.
inline constexpr const char* kHtmlEditFile = "htmledit.html";

// Writes the HTML to be edited as the editor's document (UTF-16 LE with a mark).
void WriteHtmlEditDocument(const std::filesystem::path& workFolder, const std::string& html);

// The text names its local pictures by their paths, which the preview origin does not serve;
// so the pictures that the sources name are copied beside the editor's document, and the
// editor shows each copy in place of its source. Answers an object of src → address of the copy
// (relative to the document); a source that names no picture on this machine is left out.
nlohmann::json ShowEditorPictures(const std::filesystem::path& workFolder, const TDataRoot& data,
                                  const std::vector<std::string>& sources);

// The editor's document as the preview origin serves it: the user's HTML as the body, and in
// the head the agent script that carries out the editing commands of the editor page, which
// lives on another origin. Only messages from the editor's own origin are obeyed. Without an
// agent script the document is served bare (it then cannot be edited).
TPreviewAnswer HtmlEditorAnswer(const std::filesystem::path& workFolder,
                                const std::filesystem::path& agentScript, int editorPort);

}  // namespace orvanta
