#pragma once

namespace orvanta {

class TFlashMovie;
class TFlashSprite;

// A sprite that waits 10 frames, then shows the content sharpening from a blur of 100 pixels at
// alpha 15 to full alpha and no blur over 21 frames, and stops: 32 frames in all.
TFlashSprite* AddFadeInFromBlur(TFlashMovie& movie, TFlashSprite& content);

}  // namespace orvanta
