#include "builders/standard_builders.h"

#include <memory>

#include "builders/animated_text/animated_text_builder.h"
#include "builders/animated_text/text_companions.h"
#include "project/build_driver.h"

namespace orvanta {

void AddStandardBuilders(TBuildDriver& driver) {
  // One line per content kind; the driver orders them by stage.
  driver.AddBuilder(std::make_unique<TTextCompanionsBuilder>());
  driver.AddBuilder(std::make_unique<TAnimatedTextBuilder>());
}

}  // namespace orvanta
