#include "builders/standard_builders.h"

#include <memory>

#include "builders/animated_text/animated_text_builder.h"
#include "builders/animated_text/text_companions.h"
#include "builders/button_bar/button_bar_builder.h"
#include "builders/clips/movie_clip_builder.h"
#include "builders/html_glow/html_glow_builder.h"
#include "builders/images/static_images_builder.h"
#include "builders/loading_screen/loading_screen_builder.h"
#include "builders/music/music_builder.h"
#include "builders/panels/shape_panels_builder.h"
#include "builders/slideshow/slideshow_builder.h"
#include "builders/static_text/static_text_builder.h"
#include "project/build_driver.h"

namespace orvanta {

void AddStandardBuilders(TBuildDriver& driver, const TTemplatePack& templates) {
  // One line per content kind; the driver orders them by stage.
  driver.AddBuilder(std::make_unique<TButtonBarBuilder>(templates));
  driver.AddBuilder(std::make_unique<TStaticTextBuilder>(templates));
  driver.AddBuilder(std::make_unique<TMovieClipBuilder>(templates));
  driver.AddBuilder(std::make_unique<TLoadingScreenBuilder>());
  driver.AddBuilder(std::make_unique<TMusicBuilder>());
  driver.AddBuilder(std::make_unique<THtmlGlowBuilder>());
  driver.AddBuilder(std::make_unique<TTextCompanionsBuilder>(templates));
  driver.AddBuilder(std::make_unique<TAnimatedTextBuilder>(templates));
  driver.AddBuilder(std::make_unique<TSlideshowBuilder>(&templates));
  driver.AddBuilder(std::make_unique<TShapePanelsBuilder>(templates));
  driver.AddBuilder(std::make_unique<TStaticImagesBuilder>());  // after the panels
}

}  // namespace orvanta
