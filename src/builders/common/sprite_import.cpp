#include "builders/common/sprite_import.h"

#include "media/flash_external_movie.h"
#include "movie/flash_movie.h"
#include "platform/errors.h"
#include "platform/stream.h"

namespace orvanta {

TFlashExternalMovie* ImportSprite(TFlashMovie& movie, std::span<const uint8_t> swf,
                                  const std::string& what, TBuildContext& context,
                                  const std::string& field) {
  TMemoryViewStream stream(swf);
  try {
    return movie.AddExternalMovie(stream, TFlashExternalMovie::kImportAsSprite);
  } catch (const Error& e) {
    context.Warn(field, what + " cannot be used: " + e.what());
    return nullptr;
  }
}

}  // namespace orvanta
