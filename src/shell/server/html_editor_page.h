#pragma once

#include <filesystem>
#include <string>

#include "shell/server/preview_files.h"

namespace orvanta {

// The document the visual HTML editor edits, in the working folder.
inline constexpr const char* kHtmlEditFile = "htmledit.html";

// Writes the HTML to be edited as the editor's document (UTF-16 LE with a mark).
void WriteHtmlEditDocument(const std::filesystem::path& workFolder, const std::string& html);

// The editor's document as the preview origin serves it: the user's HTML as the body, and in
// the head the agent script that carries out the editing commands of the editor page, which
// lives on another origin. Only messages from the editor's own origin are obeyed. Without an
// agent script the document is served bare (it then cannot be edited).
TPreviewAnswer HtmlEditorAnswer(const std::filesystem::path& workFolder,
                                const std::filesystem::path& agentScript, int editorPort);

}  // namespace orvanta
