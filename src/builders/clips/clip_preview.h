#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "builders/clips/clip_frame.h"

namespace orvanta {

class TDataRoot;
class TTemplatePack;

// The picker's preview file, written into the working folder, never beside the program.
inline constexpr const char* kClipPreviewFile = "temp2.swf";

struct TClipPreview {
  std::filesystem::path File;
  TClipFrame Frame;
  std::string Caption;  // width + "x" + height, the preview panel's caption
};

// Writes library clip index (1 ... 798) as a plain SWF file for the picker's player, from
// whichever source holds it. None when no source has the clip; a damaged clip raises Error.
std::optional<TClipPreview> PreviewClip(int index, const TDataRoot& data,
                                        const TTemplatePack& templates,
                                        const std::filesystem::path& workFolder);

}  // namespace orvanta
