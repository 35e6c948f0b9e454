#include "builders/standard_builders.h"

#include <memory>

#include "builders/slideshow/slideshow_builder.h"
#include "project/build_driver.h"

namespace orvanta {

void AddStandardBuilders(TBuildDriver& driver, const TTemplatePack& templates) {
  // One line per content kind; the driver orders them by stage.
  driver.AddBuilder(std::make_unique<TSlideshowBuilder>(&templates));
}

}  // namespace orvanta
