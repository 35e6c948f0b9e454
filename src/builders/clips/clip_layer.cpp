#include "builders/clips/clip_layer.h"

#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_sprite.h"
#include "script/flash_action_script.h"

namespace orvanta {

namespace {

// Full strength is reached after 50 of the fade's frames.
int FadeAlpha(int frame) {
  return frame < 50 ? 5 * frame + 5 : 255;
}

TFlashSprite* TurnedClip(TFlashMovie& movie, TFlashSprite& clip, const TClipLayerPlan& plan) {
  TFlashSprite* turned = movie.AddSprite();
  const int hw = plan.Frame.HalfWidth(), hh = plan.Frame.HalfHeight();
  if (plan.DelaySteps == 0) {
    turned->PlaceObject(&clip, 1)->SetTranslate(-hw, -hh);
    return turned;
  }
  for (int frame = 0; frame < kFadeFrames; ++frame) {
    TFlashPlaceObject* place = turned->PlaceObject(frame == 0 ? &clip : nullptr, 1);
    place->SetMove(frame > 0);
    place->SetTranslate(-hw, -hh);
    place->SetColorTransform(false, 0, 0, 0, 0, true, 256, 256, 256, FadeAlpha(frame), true);
    turned->ShowFrame();
  }
  turned->FrameActions().Stop();
  turned->ShowFrame();
  return turned;
}

void RevealedClip(TFlashSprite& layer, TFlashSprite& clip, const TClipLayerPlan& plan,
                  TFlashSprite* mask) {
  if (mask) {
    TFlashPlaceObject* place = layer.PlaceObject(mask, 1);
    place->SetScale(2 * plan.Frame.HalfWidth() / kMaskWidth,
                    2 * plan.Frame.HalfHeight() / kMaskHeight);
    place->SetClipDepth(2);
  }
  layer.PlaceObject(&clip, 2);
  layer.ShowFrame(kRevealFrames);
  if (mask) layer.RemoveObject(1);
  layer.ShowFrame();
}

}  // namespace

TFlashSprite* BuildClipLayer(TFlashMovie& movie, TFlashSprite& clip, const TClipLayerPlan& plan,
                             TFlashSprite* mask) {
  const bool waits = plan.DelaySteps > 0;
  // The turned sprite is made first, so that its definition stands before the layer using it.
  TFlashSprite* turned = plan.Rotation != 0 ? TurnedClip(movie, clip, plan) : nullptr;
  TFlashSprite* layer = movie.AddSprite();
  if (waits) layer->ShowFrame(plan.DelaySteps * TClipLayerPlan::kDelayStep);
  if (turned) {
    TFlashPlaceObject* place = layer->PlaceObject(turned, 1);
    place->SetRotate(360 - plan.Rotation);
    place->SetTranslate(plan.Frame.HalfWidth(), plan.Frame.HalfHeight());
  } else if (waits) {
    RevealedClip(*layer, clip, plan, mask);
  } else {
    layer->PlaceObject(&clip, 1);
  }
  if (waits) {
    layer->FrameActions().Stop();
    layer->ShowFrame();
  }
  return layer;
}

}  // namespace orvanta
