#pragma once

#include <filesystem>
#include <optional>

namespace orvanta {

class TTemplatePack;

inline constexpr const char* kShapeDemoFile = "shapedemo.swf";

// The shape gallery's preview: panel style `style` stretched to 580 x 430 in a movie of its
// own, written as "shapedemo.swf" into folder (the working folder; never the data root) and
// returned. Style 0 writes nothing, so the placeholder movie stays on show. Raises Error for a
// style the pack lacks or a file that cannot be written.
std::optional<std::filesystem::path> WriteShapeDemo(const std::filesystem::path& folder,
                                                    const TTemplatePack& templates, int style);

}  // namespace orvanta
