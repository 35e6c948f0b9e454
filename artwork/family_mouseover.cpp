#include "art_movie.h"
#include "artwork_output.h"
#include "families.h"
#include "movie/flash_movie.h"
#include "movie/flash_shape.h"

namespace orvanta::artwork {

// The album's thumbnail highlight: a glowing frame around a transparent centre, 67 x 69, laid
// over the picture under the pointer.
void GenerateMouseover(TArtworkOutput& output) {
  auto movie = NewArtMovie(67, 69);
  // A wide soft glow under a thin bright rim.
  auto frame = [&](int32_t width, uint32_t rgba, uint16_t depth) {
    TFlashShape* shape = movie->AddShape();
    shape->SetBounds(0, 0, 67, 69);
    shape->SetLineStyle(width, TSWFRGBA(rgba, true));
    shape->Edges.MoveTo(3, 3);
    shape->Edges.MakeRoundRect(61, 63, 6);
    shape->Edges.EndEdges();
    movie->PlaceObject(shape, depth);
  };
  frame(6, PackRGBA(255, 230, 120, 150), 1);
  frame(2, PackRGBA(255, 255, 255, 255), 2);
  movie->ShowFrame();
  output.AddTemplate("mouseover", "mouseover", MovieBytes(*movie));
}

}  // namespace orvanta::artwork
