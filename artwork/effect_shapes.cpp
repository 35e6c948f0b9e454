#include "effect_shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"

namespace orvanta::artwork {

TFlashShape* AddGlow(TFlashMovie& movie, int32_t r, std::vector<uint32_t> colors) {
  TFlashShape* shape = movie.AddEllipse(-r, -r, r, r);
  shape->SetRadialGradient(colors, 50, 50);
  return shape;
}

TFlashShape* AddFlame(TFlashMovie& movie, int32_t w, int32_t h, std::vector<uint32_t> colors) {
  TFlashShape* shape = movie.AddShape();
  shape->SetBounds(-w / 2, -h, w / 2, 0);
  shape->SetLinearGradient(colors, 90);
  TFlashEdges& pen = shape->Edges;
  pen.MoveTo(0, -h);
  pen.CurveTo(w / 5, -h / 2, w / 2, -h / 5);
  pen.CurveTo(w / 2, 0, 0, 0);
  pen.CurveTo(-w / 2, 0, -w / 2, -h / 5);
  pen.CurveTo(-w / 5, -h / 2, 0, -h);
  pen.EndEdges();
  return shape;
}

TFlashShape* AddSpark(TFlashMovie& movie, int32_t r, int points, uint32_t rgba) {
  TFlashShape* shape = movie.AddStar(0, 0, r, std::max(1, r / 4), points, false);
  shape->SetSolidColor(rgba);
  return shape;
}

TFlashShape* AddRing(TFlashMovie& movie, int32_t r, int32_t width, uint32_t rgba) {
  TFlashShape* shape = movie.AddShape();
  shape->SetBounds(-r - width, -r - width, r + width, r + width);
  shape->SetLineStyle(width, TSWFRGBA(rgba, true));
  shape->Edges.MoveTo(-r, -r);
  shape->Edges.MakeEllipse(2 * r, 2 * r);
  shape->Edges.EndEdges();
  return shape;
}

void Pose(TFlashMovie& movie, TFlashVisualObject* object, uint16_t depth, bool first,
          const TPose& pose) {
  TFlashPlaceObject* place = movie.PlaceObject(first ? object : nullptr, depth);
  if (!first) place->SetMove(true);
  const double sy = pose.ScaleY < 0 ? pose.Scale : pose.ScaleY;
  place->SetScale(std::max(pose.Scale, 0.001), std::max(sy, 0.001));
  if (pose.Rotate != 0) place->SetRotate(pose.Rotate);
  place->SetTranslate(static_cast<int32_t>(std::lround(pose.X)),
                      static_cast<int32_t>(std::lround(pose.Y)));
  const int alpha = static_cast<int>(std::lround(std::clamp(pose.Alpha, 0.0, 1.0) * 256));
  place->SetColorTransform(false, 0, 0, 0, 0, true, 256, 256, 256, alpha, true);
}

void PlayTracks(TFlashMovie& movie, const std::vector<TTrack>& tracks) {
  size_t frames = 0;
  for (const TTrack& track : tracks) frames = std::max(frames, track.Poses.size());
  for (size_t f = 0; f < frames; ++f) {
    for (size_t i = 0; i < tracks.size(); ++i)
      if (f < tracks[i].Poses.size())
        Pose(movie, tracks[i].Object, static_cast<uint16_t>(i + 1), f == 0, tracks[i].Poses[f]);
    movie.ShowFrame();
  }
}

double TParticleRandom::Range(double lo, double hi) {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return lo + (hi - lo) * (state_ / 4294967296.0);
}

}  // namespace orvanta::artwork
