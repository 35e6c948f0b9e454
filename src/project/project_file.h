#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "project/banner_document.h"

namespace orvanta {

// The project file: each page text wrapped in <TemplateFileN> … </TemplateFileN>, stored as
// UTF-16 LE text. A file without <TemplateFile1> is one page text of an older version.

struct TLoadedProject {
  TBannerDocument Document;
  TWarnings Warnings;
};

// Decodes, reads and validates every page into a new document. A file that cannot be read as
// a project is a FormatError; the caller's open document is never touched.
TLoadedProject ReadProject(std::span<const uint8_t> bytes);
TLoadedProject LoadProject(const std::filesystem::path& path);

// The project text of pages 1 to the page count, as stored.
std::string ProjectText(const TBannerDocument& doc);

// Whether the project text splits into the same pages again.
bool ProjectTextReadsBack(const TBannerDocument& doc);

// Stores the current page, checks that every page reads back as saved (warnings name what will
// not) and replaces the file in one step.
void SaveProject(TBannerDocument& doc, const std::filesystem::path& path, TWarnings& warnings);

}  // namespace orvanta
