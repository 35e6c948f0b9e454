#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "export/gif_quantiser.h"

namespace orvanta {

// Writes a GIF animation one frame at a time with giflib. Every frame carries its own palette
// and covers a rectangle of the screen; a frame is drawn over the ones before it (nothing is
// disposed), so its transparent pixels show what was there.
class TGifWriter {
 public:
  // Plays forever for loops 0, else that many times.
  TGifWriter(int width, int height, int loops);
  ~TGifWriter();
  TGifWriter(const TGifWriter&) = delete;
  TGifWriter& operator=(const TGifWriter&) = delete;

  // A frame at (left, top), shown for delay hundredths of a second. Error when it does not
  // lie inside the screen.
  void AddFrame(const TIndexedPicture& frame, int left, int top, int delayCentiseconds);
  // The finished file; the writer takes no more frames.
  std::vector<uint8_t> Finish();

 private:
  struct TImpl;
  std::unique_ptr<TImpl> impl_;
};

}  // namespace orvanta
