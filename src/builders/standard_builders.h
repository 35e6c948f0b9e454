#pragma once

namespace orvanta {

class TBuildDriver;
class TTemplatePack;

// Adds one builder of every content kind to a driver. Everything that builds a banner the way
// the user sees it (the build command, publishing, the editor) starts from this set. The
// templates must outlive the driver.
void AddStandardBuilders(TBuildDriver& driver, const TTemplatePack& templates);

}  // namespace orvanta
