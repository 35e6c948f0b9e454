#pragma once

#include <string>
#include <vector>

namespace orvanta {

// The names of the templates and data files the banner builders load, as the builders spell
// them. The artwork generator makes exactly these, and `orvanta data check` proves they are all
// there.

// An art-letter family: the caption the user picks and the template name prefix.
struct TArtLetterFamily {
  const char* Caption;
  const char* Prefix;
};

// The 17 families in the order of their radio buttons.
const std::vector<TArtLetterFamily>& ArtLetterFamilies();
// The 68 character codes every family has a template for, ascending.
const std::vector<int>& ArtLetterCodes();
// Prefix + "_" + decimal code.
std::string ArtLetterName(const std::string& prefix, int code);

// Backgrounds of the animated text: "fire" ... "flashballstar2".
const std::vector<std::string>& TextBackgroundEffects();
// Backgrounds of the static texts, Effect1 ... Effect12 in order.
const std::vector<std::string>& StaticTextEffects();

// The loading screens "albumboader/now_loading1.swf" ... that ship.
inline constexpr int kLoadingScreens = 8;
// The music controls "albumboader/sound_control1.swf" ... that ship.
inline constexpr int kSoundControls = 6;
// The starting pictures "photos/photo01.jpg" ... and music loops "sound/<name>.wav" and ".mp3".
inline constexpr int kSamplePhotos = 28;
const std::vector<std::string>& SampleMusic();
// The slideshow's transition masks in the data root's "albumboader" folder, in choice order.
const std::vector<std::string>& TransitionMasks();

// Every template any builder loads, each once (case-insensitively).
std::vector<std::string> RequiredTemplateNames();
// Every data file any builder loads, relative to the data root, with "/".
std::vector<std::string> RequiredDataFiles();

}  // namespace orvanta
