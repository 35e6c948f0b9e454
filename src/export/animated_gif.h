#pragma once

#include <cstdint>
#include <vector>

namespace orvanta {

class TBannerFrames;

struct TGifOptions {
  double Fps = 0;          // frames per second of the GIF; 0 takes the banner's own rate
  double MaxSeconds = 30;  // the animation is cut after this long
  int Loops = 0;           // 0 plays forever
};

struct TAnimatedGif {
  std::vector<uint8_t> Bytes;
  int DrawnFrames = 0;   // frames the rasteriser drew
  int StoredFrames = 0;  // frames in the file: a frame equal to the one before lengthens it
  double Seconds = 0;    // how long one play lasts
};

// The banner's timeline from its first frame to the end of the headline, drawn at the chosen
// rate and written as a GIF animation. Each stored frame holds only the rectangle that changed,
// with the unchanged pixels inside it transparent, and its own palette.
TAnimatedGif MakeAnimatedGif(TBannerFrames& frames, const TGifOptions& options);

}  // namespace orvanta
