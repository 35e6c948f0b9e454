#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "project/banner_document.h"

namespace orvanta {

// The page-wide settings: banner size and rate, title and file name, page background, loading
// screen and music.
struct TSizePreset {
  int Width, Height;
};
inline constexpr std::array<TSizePreset, 9> kSizePresets{{{468, 60},
                                                          {728, 90},
                                                          {250, 250},
                                                          {300, 250},
                                                          {120, 600},
                                                          {160, 600},
                                                          {760, 800},
                                                          {980, 800},
                                                          {980, 1200}}};
void ApplySizePreset(TPageState& page, const TSizePreset& preset, int pageNumber,
                     TWarnings& warnings);

// The value stored for a chosen page picture: relative to "photos/" or, for the page templates'
// pictures, to "mc_thumb/html/_default/" (so it starts with "images"); otherwise the path.
std::string StoredPictureName(const std::filesystem::path& dataRoot,
                              const std::filesystem::path& chosen);
// The value stored for a chosen music file: relative to "sound/" when inside it.
std::string StoredMusicName(const std::filesystem::path& dataRoot,
                            const std::filesystem::path& chosen);

// Opening the options with no music resets the music control and its position.
void OpenOptions(TPageState& page, int pageNumber, TWarnings& warnings);

// What the options show for the page's current values.
struct TOptionsDisplay {
  bool ColourGroup = true;  // else the picture group
  bool MusicGroup = false;  // with the loop and control choices
  bool ControlPosition = false;
};
TOptionsDisplay OptionsDisplay(const TPageState& page);

}  // namespace orvanta
