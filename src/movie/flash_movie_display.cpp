// The movie's display-list operations: placements, sprites and buttons.

#include <algorithm>
#include <iterator>

#include "media/flash_external_movie.h"
#include "movie/flash_button.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_sprite.h"

namespace orvanta {

TFlashPlaceObject* TFlashMovie::PlaceObject(TFlashVisualObject* obj, uint16_t depth) {
  auto place = std::make_unique<TFlashPlaceObject>(this, obj, depth);
  MaxDepth = std::max(MaxDepth, depth);
  return Add(std::move(place));
}

TFlashSprite* TFlashMovie::AddSprite(TFlashVisualObject* content) {
  auto* sprite =
      static_cast<TFlashSprite*>(AddIDObject(std::make_unique<TFlashSprite>(this), true));
  Sprites.push_back(sprite);
  if (content) sprite->PlaceObject(content, 1);
  return sprite;
}

TFlashButton* TFlashMovie::AddButton(bool trackAsMenu, bool useButton2) {
  auto* button = static_cast<TFlashButton*>(
      AddIDObject(std::make_unique<TFlashButton>(this, trackAsMenu, useButton2), true));
  Buttons.push_back(button);
  return button;
}

bool TFlashMovie::MoveObjectBefore(const TBasedSWFObject& obj, const TBasedSWFObject& anchor) {
  // Both usually stand among the last objects added, so the search runs from the end and stops
  // at the anchor: an object before it needs no move. Searching the whole list on every
  // placement made building a long timeline quadratic.
  auto standsFor = [&obj](const TBasedSWFObject* item) {
    if (item == &obj) return true;
    // An imported movie's sprite is written by its import, which stands in the list for it.
    auto* external = dynamic_cast<const TFlashExternalMovie*>(item);
    return external && external->Sprite() == &obj;
  };
  auto from = objects_.rbegin();
  while (from != objects_.rend() && from->get() != &anchor && !standsFor(from->get())) ++from;
  if (from == objects_.rend() || from->get() == &anchor) return false;
  auto to = std::find_if(from, objects_.rend(),
                         [&anchor](const auto& item) { return item.get() == &anchor; });
  if (to == objects_.rend()) return false;
  const auto fromIt = std::prev(from.base()), toIt = std::prev(to.base());
  const int32_t fromIndex = static_cast<int32_t>(fromIt - objects_.begin());
  const int32_t toIndex = static_cast<int32_t>(toIt - objects_.begin());
  std::rotate(toIt, fromIt, fromIt + 1);
  // The insertion point keeps standing before the same object.
  if (AddPosition >= toIndex && AddPosition < fromIndex) ++AddPosition;
  return true;
}

TFlashFilterSettings& TFlashMovie::FilterSettings() {
  if (!filterSettings_) filterSettings_ = std::make_unique<TFlashFilterSettings>();
  return *filterSettings_;
}

}  // namespace orvanta
