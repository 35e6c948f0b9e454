#include "builders/standard_builders.h"

#include <memory>

#include "builders/html_glow/html_glow_builder.h"
#include "builders/loading_screen/loading_screen_builder.h"
#include "builders/music/music_builder.h"
#include "project/build_driver.h"

namespace orvanta {

void AddStandardBuilders(TBuildDriver& driver) {
  // One line per content kind; the driver orders them by stage.
  driver.AddBuilder(std::make_unique<TLoadingScreenBuilder>());
  driver.AddBuilder(std::make_unique<TMusicBuilder>());
  driver.AddBuilder(std::make_unique<THtmlGlowBuilder>());
}

}  // namespace orvanta
