#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "project/content_builder.h"

namespace orvanta {

class TFlashExternalMovie;
class TFlashMovie;

// Imports a whole SWF movie as a sprite (fresh ids, renamed fonts) for the caller to place. A
// source the importer refuses (not a SWF, cut short, corrupt, too many ids) is a warning on
// field naming what failed; the movie is left as it was and none is returned.
TFlashExternalMovie* ImportSprite(TFlashMovie& movie, std::span<const uint8_t> swf,
                                  const std::string& what, TBuildContext& context,
                                  const std::string& field);

}  // namespace orvanta
