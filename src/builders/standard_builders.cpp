#include "builders/standard_builders.h"

#include <memory>

#include "builders/button_bar/button_bar_builder.h"
#include "builders/clips/movie_clip_builder.h"
#include "builders/static_text/static_text_builder.h"
#include "project/build_driver.h"

namespace orvanta {

void AddStandardBuilders(TBuildDriver& driver, const TTemplatePack& templates) {
  // One line per content kind; the driver orders them by stage.
  driver.AddBuilder(std::make_unique<TButtonBarBuilder>(templates));
  driver.AddBuilder(std::make_unique<TStaticTextBuilder>(templates));
  driver.AddBuilder(std::make_unique<TMovieClipBuilder>(templates));
}

}  // namespace orvanta
