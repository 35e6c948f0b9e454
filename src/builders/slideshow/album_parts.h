#pragma once

#include "builders/slideshow/slideshow_settings.h"

namespace orvanta {

class TFlashMovie;
class TFlashPlaceObject;
class TFlashShape;
class TFlashSprite;
class TFlashVisualObject;

// One photo as the show and the album place it.
struct TAlbumPhoto {
  int Index = 0;  // p, 0-based among the photos that were built
  int Width = 0, Height = 0;
  int Cx = 0, Cy = 0;               // its centred place in the photo box
  double Tilt = 0;                  // degrees, of the thumbnail
  TFlashSprite* Picture = nullptr;  // P
  TFlashShape* Mask = nullptr;      // M
  TFlashSprite* Border = nullptr;   // O; none without a border
};

// The album sprite A and what its parts are built from.
struct TAlbumStage {
  TFlashMovie& Movie;
  const TSlideshowSettings& Settings;
  TFlashSprite& Album;
  TFlashSprite* Highlight;  // the "mouseover" artwork; none when it could not be imported
};

// Places object in sprite at depth, translated, scaled and rotated in that order.
TFlashPlaceObject* PlaceAt(TFlashSprite& sprite, TFlashVisualObject* object, int depth, int x,
                           int y, double scale = 1, double rotation = 0);

}  // namespace orvanta
