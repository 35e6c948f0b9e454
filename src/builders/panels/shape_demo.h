#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace orvanta {

class TTemplatePack;

inline constexpr const char* kShapeDemoFile = "shapedemo.swf";
inline constexpr int kShapeDemoWidth = 580, kShapeDemoHeight = 430;

// The bytes of the shape gallery's preview movie for style 1 ... 106. Raises Error for a style
// the pack lacks.
std::vector<uint8_t> BuildShapeDemo(const TTemplatePack& templates, int style);

// The shape gallery's preview: panel style `style` stretched to 580 x 430 in a movie of its
// own, written as "shapedemo.swf" into folder (the working folder; never the data root) and
// returned. Style 0 writes nothing, so the placeholder movie stays on show. Raises Error for a
// style the pack lacks or a file that cannot be written.
std::optional<std::filesystem::path> WriteShapeDemo(const std::filesystem::path& folder,
                                                    const TTemplatePack& templates, int style);

}  // namespace orvanta
