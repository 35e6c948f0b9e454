#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "movie/flash_movie.h"

namespace orvanta::artwork {

class TArtworkOutput;

// Clip names pick their look by prefix ("background", "navigation", ...).
inline bool StartsWith(const std::string& name, const char* prefix) {
  return name.rfind(prefix, 0) == 0;
}

// The three groups of library clips, each made by its own family.
enum class TClipGroup { Scenes, Motion, Pictures };
TClipGroup ClipGroupOf(const std::string& name);

// A clip's look varies with its name: a hash seeds its colours and layout, so that numbered
// siblings (background5, background6, ...) differ while the output stays deterministic.
uint64_t NameHash(const std::string& name);
// A bright colour of the hue (0 ... 360), packed RGBA.
uint32_t HueColor(double hue, double saturation, double value, uint8_t alpha = 255);

// An object moved frame by frame: Pose sets the transformation of frame f (0-based).
struct TMover {
  TFlashVisualObject* Object;
  std::function<void(TFlashPlaceObject& place, int frame)> Pose;
};
// Places the movers at depths from firstDepth and closes the frames, running eachFrame before
// each is closed.
void PlayFrames(TFlashMovie& movie, int frames, const std::vector<TMover>& movers,
                uint16_t firstDepth = 1, const std::function<void()>& eachFrame = {});

// A glyph of the picture font as a filled shape centred on the origin, about size pixels high.
TFlashShape* AddGlyphShape(TFlashMovie& movie, char32_t code, double size, uint32_t rgba);
// The first of the codes the picture font draws.
char32_t FirstDrawnGlyph(const std::vector<char32_t>& codes);

// Each frame, the clip's own timeline follows the pointer over its parent, centred on it.
void FollowPointer(TFlashMovie& movie, int32_t width, int32_t height);

// Makes the file of a finished clip, puts it in one of the library's sources and writes its
// gallery thumbnail.
void AddClip(TArtworkOutput& output, const std::string& family, const std::string& name,
             TFlashMovie& movie);

}  // namespace orvanta::artwork
