#include "movie/flash_object.h"

#include "movie/flash_movie.h"

namespace orvanta {

void TFlashObject::Assign(const TBasedSWFObject&) {}

void TFlashIDObject::Assign(const TBasedSWFObject& Source) {
  TFlashObject::Assign(Source);
  characterId_ = dynamic_cast<const TFlashIDObject&>(Source).characterId_;
}

int TFlashVisualObject::UnitScale() const { return Owner() ? Owner()->UnitScale() : 1; }

}  // namespace orvanta
