// The movie's display-list operations: placements, sprites and buttons.

#include <algorithm>

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
  auto find = [this](const TBasedSWFObject& wanted) {
    return std::find_if(objects_.begin(), objects_.end(),
                        [&](const auto& item) { return item.get() == &wanted; });
  };
  auto from = find(obj);
  // An imported movie's sprite is written by its import, which stands in the list for it.
  if (from == objects_.end())
    if (const TBasedSWFObject* external = ImportOfSprite(obj)) from = find(*external);
  auto to = find(anchor);
  if (from == objects_.end() || to == objects_.end() || from <= to) return false;
  const int32_t fromIndex = static_cast<int32_t>(from - objects_.begin());
  const int32_t toIndex = static_cast<int32_t>(to - objects_.begin());
  std::rotate(to, from, from + 1);
  // The insertion point keeps standing before the same object.
  if (AddPosition >= toIndex && AddPosition < fromIndex) ++AddPosition;
  return true;
}

TFlashFilterSettings& TFlashMovie::FilterSettings() {
  if (!filterSettings_) filterSettings_ = std::make_unique<TFlashFilterSettings>();
  return *filterSettings_;
}

}  // namespace orvanta
