#include "builders/standard_builders.h"

#include <memory>

#include "builders/images/static_images_builder.h"
#include "builders/panels/shape_panels_builder.h"
#include "project/build_driver.h"

namespace orvanta {

void AddStandardBuilders(TBuildDriver& driver, const TTemplatePack& templates) {
  // One line per content kind; the driver orders them by stage.
  driver.AddBuilder(std::make_unique<TShapePanelsBuilder>(templates));
  driver.AddBuilder(std::make_unique<TStaticImagesBuilder>());  // after the panels
}

}  // namespace orvanta
