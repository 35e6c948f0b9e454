#pragma once

#include <cstdint>
#include <vector>

namespace orvanta {
class TFlashMovie;
class TFlashShape;
class TFlashVisualObject;
}  // namespace orvanta

namespace orvanta::artwork {

// Shapes and motion shared by the animated effects. Shapes are centred on their origin unless
// said otherwise; sizes are pixels.

// A disc of radius r with a radial gradient from the centre outwards (packed RGBA colours).
TFlashShape* AddGlow(TFlashMovie& movie, int32_t r, std::vector<uint32_t> colors);
// A flame tongue standing on the origin, w wide and h tall (pointing up), hot at its foot.
TFlashShape* AddFlame(TFlashMovie& movie, int32_t w, int32_t h, std::vector<uint32_t> colors);
// A many-pointed star of outer radius r, in one colour.
TFlashShape* AddSpark(TFlashMovie& movie, int32_t r, int points, uint32_t rgba);
// A ring of radius r and the given line width.
TFlashShape* AddRing(TFlashMovie& movie, int32_t r, int32_t width, uint32_t rgba);

// Where a placed shape is in one frame. Alpha 0 hides it.
struct TPose {
  double X = 0, Y = 0, Scale = 1, ScaleY = -1, Rotate = 0, Alpha = 1;
};

// Puts the object at depth as the pose says: the first frame places it, later frames move it.
void Pose(TFlashMovie& movie, TFlashVisualObject* object, uint16_t depth, bool first,
          const TPose& pose);

// One object's poses, one per frame of the loop.
struct TTrack {
  TFlashVisualObject* Object = nullptr;
  std::vector<TPose> Poses;
};

// Writes the frames: track i at depth i + 1 (later tracks in front), one frame per pose.
void PlayTracks(TFlashMovie& movie, const std::vector<TTrack>& tracks);

// A small repeatable random source for particle motion, independent of the movie's.
class TParticleRandom {
 public:
  explicit TParticleRandom(uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
  // Uniform in [lo, hi).
  double Range(double lo, double hi);

 private:
  uint32_t state_;
};

}  // namespace orvanta::artwork
