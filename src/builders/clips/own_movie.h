#pragma once

#include <string>

#include "project/content_builder.h"

namespace orvanta {

class TFlashExternalMovie;
class TFlashMovie;

// The user's own SWF file (FWS, CWS or ZWS) from any path, imported as a sprite. The file is
// untrusted: anything that is not a regular file of a sensible size, or that the importer
// refuses, is a warning and nothing is imported. An ActionScript 3 movie is imported without
// its scripts, which cannot run in an ActionScript 2 banner, and with a warning saying so.
TFlashExternalMovie* ImportOwnMovie(TFlashMovie& movie, const std::string& fileName,
                                    TBuildContext& context);

}  // namespace orvanta
