#include "builders/standard_builders.h"

#include <memory>

#include "project/build_driver.h"

namespace orvanta {

void AddStandardBuilders(TBuildDriver& driver) {
  // One line per content kind; the driver orders them by stage.
  (void)driver;
}

}  // namespace orvanta
