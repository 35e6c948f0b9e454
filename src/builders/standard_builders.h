#pragma once

namespace orvanta {

class TBuildDriver;

// Adds one builder of every content kind to a driver. Everything that builds a banner the way
// the user sees it (the build command, publishing, the editor) starts from this set.
void AddStandardBuilders(TBuildDriver& driver);

}  // namespace orvanta
