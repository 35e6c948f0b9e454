#include "art_movie.h"

#include "platform/stream.h"

namespace orvanta::artwork {

std::unique_ptr<TFlashMovie> NewArtMovie(int32_t width, int32_t height, double fps) {
  return NewArtMovie(0, 0, width, height, fps);
}

std::unique_ptr<TFlashMovie> NewArtMovie(int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax,
                                         double fps) {
  auto movie = std::make_unique<TFlashMovie>(xMin, yMin, xMax, yMax, fps, true);
  movie->SetVersion(8);
  movie->SetCompressed(true);
  movie->Random().Seed(kArtworkSeed);
  return movie;
}

std::vector<uint8_t> MovieBytes(TFlashMovie& movie) {
  movie.MakeData();
  TMemoryStream stream;
  movie.SaveToStream(stream);
  return stream.TakeBytes();
}

}  // namespace orvanta::artwork
