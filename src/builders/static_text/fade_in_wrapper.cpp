#include "builders/static_text/fade_in_wrapper.h"

#include "media/filters.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_sprite.h"
#include "script/flash_action_script.h"

namespace orvanta {

namespace {

constexpr int kWaitFrames = 10;
constexpr int kFadeSteps = 20;
constexpr int kAlphaStep = 12;
constexpr int kBlurStep = 5;
constexpr int kUnchanged = 256;  // a colour multiplier of 1.0 in 8.8

}  // namespace

TFlashSprite* AddFadeInFromBlur(TFlashMovie& movie, TFlashSprite& content) {
  TFlashSprite* fade = movie.AddSprite();
  fade->ShowFrame(kWaitFrames);
  for (int n = kFadeSteps; n >= 0; --n) {
    TFlashPlaceObject* place = fade->PlaceObject(&content, 1);
    if (n < kFadeSteps) place->SetMove(true);
    place->SetColorTransform(false, 0, 0, 0, 0, true, kUnchanged, kUnchanged, kUnchanged,
                             255 - kAlphaStep * n, true);
    TSWFBlurFilter& blur = place->BlurFilter();
    blur.BlurX = blur.BlurY = kBlurStep * n;
    fade->ShowFrame();
  }
  fade->FrameActions().Stop();
  fade->ShowFrame();
  return fade;
}

}  // namespace orvanta
