#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orvanta {

class TDataRoot;
class TTemplatePack;

// Where a library clip was found.
enum class TClipSource { File, CompressedFile, Template };

struct TClipBytes {
  TClipSource Source;
  std::vector<uint8_t> Bytes;  // the SWF file
};

// The largest SWF a ".ddt" file may inflate to; a larger one is refused as damaged.
inline constexpr size_t kMaxClipFileSize = size_t{64} << 20;

// The first source that holds the clip: "mc_thumb/" + name + ".swf", then "mc_thumb/" + name +
// ".ddt" (the whole SWF file as one zlib stream), then the template of that name. None when no
// source has it; a damaged ".ddt" raises FormatError.
std::optional<TClipBytes> LoadClipStream(const std::string& name, const TDataRoot& root,
                                         const TTemplatePack& pack);

// The ".ddt" form of an SWF file: zlib at the fastest level.
std::vector<uint8_t> CompressClipFile(std::span<const uint8_t> swf);
// Raises FormatError for data that is not one complete zlib stream within maxSize bytes.
std::vector<uint8_t> InflateClipFile(std::span<const uint8_t> ddt,
                                     size_t maxSize = kMaxClipFileSize);

}  // namespace orvanta
