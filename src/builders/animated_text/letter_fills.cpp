#include "builders/animated_text/letter_fills.h"

#include <array>
#include <vector>

#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "platform/random.h"

namespace orvanta {

namespace {

bool SpansText(int type) {
  return type >= 6 && type <= 11;
}

TFlashShape* GradientBox(TTextKit& kit, int width, int height, const TPercentPoint* radial,
                         int angle) {
  TFlashShape* box = kit.Movie.AddRectangle(0, 0, width, height);
  const TAnimatedTextSettings& s = kit.Settings;
  if (radial)
    box->SetRadialGradient(s.GradientStart, s.GradientEnd, radial->X, radial->Y);
  else
    box->SetLinearGradient(s.GradientStart, s.GradientEnd, angle);
  return box;
}

// One picture of an animated gradient: its centre (radial) or its angle (linear).
struct TGradientPose {
  bool Radial = false;
  TPercentPoint Centre;
  int Angle = 0;
  int Frames = 1;
  static TGradientPose Linear(int angle) { return {false, {}, angle, 1}; }
  static TGradientPose Round(TPercentPoint centre, int frames) { return {true, centre, 0, frames}; }
};

std::vector<TGradientPose> AnimatedPoses(int type, TRandom& random) {
  std::vector<TGradientPose> poses;
  switch (TGradientType(type)) {
    case TGradientType::RandomLinear:
      for (int i = 0; i < 4; ++i) poses.push_back(TGradientPose::Linear(int(random.Next(360))));
      break;
    case TGradientType::RandomRadial:
      for (int i = 0; i < 4; ++i) {
        const int x = int(random.Next(100));
        poses.push_back(TGradientPose::Round({x, int(random.Next(100))}, 1));
      }
      break;
    case TGradientType::RoundLinear:
      for (int i = 0; i < 9; ++i) poses.push_back(TGradientPose::Linear(40 * i));
      break;
    default:
      for (TPercentPoint c : std::array<TPercentPoint, 4>{{{25, 25}, {75, 25}, {75, 75}, {25, 75}}})
        poses.push_back(TGradientPose::Round(c, 2));
      break;
  }
  return poses;
}

TFlashSprite* AnimatedGradient(TTextKit& kit, int type, int X, int V) {
  TFlashSprite* sprite = kit.Movie.AddSprite();
  bool first = true;
  for (const TGradientPose& pose : AnimatedPoses(type, kit.Random)) {
    if (!first) sprite->RemoveObject(1);
    first = false;
    sprite->PlaceObject(GradientBox(kit, X, V, pose.Radial ? &pose.Centre : nullptr, pose.Angle),
                        1);
    sprite->ShowFrame(pose.Frames);
  }
  return sprite;
}

}  // namespace

TPercentPoint RadialCentre(int gradientType) {
  switch (gradientType % 6) {
    case 1:
      return {25, 25};  // top left
    case 2:
      return {75, 25};  // top right
    case 3:
      return {25, 75};  // bottom left
    case 4:
      return {75, 75};  // bottom right
    default:
      return {50, 50};
  }
}

TFillSource GradientSource(TTextKit& kit, int X, int V, int x, int y) {
  const int type = kit.Settings.GradientType;
  if (type >= int(TGradientType::RandomLinear))
    return {AnimatedGradient(kit, type, X, V), -X / 2, -V / 2};
  const TPercentPoint centre = RadialCentre(type);
  const bool radial = type % 6 != 0;
  if (SpansText(type)) {
    TFlashShape* box = GradientBox(kit, kit.Block.Width + X / 2, kit.Block.LineHeight,
                                   radial ? &centre : nullptr, kit.Settings.GradientAngle);
    return {box, -X / 2 - x, -V / 2 - y};
  }
  return {GradientBox(kit, X, V, radial ? &centre : nullptr, kit.Settings.GradientAngle), -X / 2,
          -V / 2};
}

TFillSource TextureSource(const TTextKit& kit, int X, int V, int x, int y) {
  if (!kit.Texture) return {};
  const TAnimatedTextSettings& s = kit.Settings;
  if (s.TextureAnchor == TTextureAnchor::Text)
    return {kit.Texture, -X / 2 - x - s.TextureX, -V / 2 - y - s.TextureY};
  return {kit.Texture, -X / 2 - s.TextureX, -V / 2 - s.TextureY};
}

}  // namespace orvanta
