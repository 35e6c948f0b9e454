#include "builders/common/template_import.h"

#include "media/flash_external_movie.h"
#include "movie/flash_movie.h"
#include "platform/errors.h"
#include "platform/stream.h"
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
  try {
    TMemoryViewStream stream(entry->Data);
    return movie.AddExternalMovie(stream, TFlashExternalMovie::kImportAsSprite)->Sprite();
  } catch (const Error& e) {
    context.Warn(field, e.what());
    return nullptr;
  }
}

}  // namespace orvanta
