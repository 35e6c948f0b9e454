#include "builders/common/template_import.h"

#include "builders/common/sprite_import.h"
#include "media/flash_external_movie.h"
#include "platform/template_pack.h"

namespace orvanta {

TFlashSprite* ImportTemplateSprite(TFlashMovie& movie, const TTemplatePack& pack,
                                   std::string_view name, TBuildContext& context,
                                   const std::string& field) {
  const TTemplateEntry* entry = pack.Find(name);
  if (!entry) {
    context.Warn(field, "the template " + std::string(name) + " is missing");
    return nullptr;
  }
  TFlashExternalMovie* import =
      ImportSprite(movie, entry->Data, "the template " + std::string(name), context, field);
  return import ? import->Sprite() : nullptr;
}

}  // namespace orvanta
