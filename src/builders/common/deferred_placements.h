#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace orvanta {

class TFlashMovie;
class TFlashPlaceObject;
class TFlashSprite;
class TFlashVisualObject;

// Placements gathered while the content of a sprite is made, applied once the sprite exists.
// Placing into a sprite that already exists moves only the placed object ahead of the sprite,
// leaving the fonts, texts and shapes it shows behind it in the file; a sprite made after all
// its content keeps every definition ahead of its user.
class TDeferredPlacements {
 public:
  using TSetup = std::function<void(TFlashPlaceObject&)>;

  // In units; setup, when given, adds names, filters or clip depths to the placement.
  void Add(TFlashVisualObject* object, uint16_t depth, int32_t x, int32_t y, TSetup setup = {});
  bool Empty() const { return placements_.empty(); }
  // A new sprite of the movie holding every placement, in the order added.
  TFlashSprite* MakeSprite(TFlashMovie& movie) const;

 private:
  struct TPlacement {
    TFlashVisualObject* Object;
    uint16_t Depth;
    int32_t X, Y;
    TSetup Setup;
  };
  std::vector<TPlacement> placements_;
};

}  // namespace orvanta
