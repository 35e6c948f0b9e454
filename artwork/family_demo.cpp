#include "art_movie.h"
#include "artwork_output.h"
#include "families.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"

namespace orvanta::artwork {

// The placeholder the preview players show while nothing else is loaded: a slowly turning
// star on a soft blue card.
void GenerateDemoMovie(TArtworkOutput& output) {
  auto movie = NewArtMovie(200, 150);
  TFlashShape* card = movie->AddRectangle(0, 0, 200, 150);
  card->SetLinearGradient(PackRGBA(210, 232, 250, 255), PackRGBA(120, 170, 220, 255), 90);
  TFlashShape* star = movie->AddStar(0, 0, 40, 18, 5, false);
  star->SetRadialGradient(PackRGBA(255, 250, 200, 255), PackRGBA(250, 180, 40, 255), 50, 50);
  movie->PlaceObject(card, 1);
  constexpr int kFrames = 24;
  for (int i = 0; i < kFrames; ++i) {
    TFlashPlaceObject* place = movie->PlaceObject(i == 0 ? star : nullptr, 2);
    if (i > 0) place->SetMove(true);
    place->SetTranslate(100, 75);
    place->SetRotate(360.0 * i / kFrames);
    movie->ShowFrame();
  }
  output.AddDataFile("demo.swf", MovieBytes(*movie));
}

}  // namespace orvanta::artwork
