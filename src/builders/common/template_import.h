#pragma once

#include <string>
#include <string_view>

#include "project/content_builder.h"

namespace orvanta {

class TFlashMovie;
class TFlashSprite;
class TTemplatePack;

// Imports a template of the pack whole, its timeline as a sprite of the movie. None, with a
// warning on the field, when the pack lacks the template or it does not import; the caller then
// goes on without the item. Nothing may be added to the returned sprite's timeline: the import
// refills it when the movie is written.
TFlashSprite* ImportTemplateSprite(TFlashMovie& movie, const TTemplatePack& pack,
                                   std::string_view name, TBuildContext& context,
                                   const std::string& field);

}  // namespace orvanta
