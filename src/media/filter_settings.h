#pragma once

#include <cstdint>

#include "swf/swf_records.h"

namespace orvanta {

// The movie-wide parameters a newly added drop shadow, bevel, glow or blur filter starts from.
// Units are the editor's: degrees, whole pixels, percent.
struct TFlashFilterSettings {
  float Angle = 45;
  int32_t BlurX = 5, BlurY = 5;
  int32_t Distance = 5;
  uint16_t Strength = 100;
  // Passes minus one.
  uint8_t Quality = 0;
  bool Knockout = false, Inner = false, HideObject = false;
  bool OnTop = true;
  TSWFRGBA ShadowColor{PackRGBA(0, 0, 0, 255), true};
  TSWFRGBA HighlightColor{PackRGBA(255, 255, 255, 255), true};
};

}  // namespace orvanta
