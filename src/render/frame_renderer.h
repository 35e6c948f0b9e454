#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "render/display_list.h"
#include "render/pixmap.h"

namespace orvanta {
class TSWFStreamReader;
}

namespace orvanta::render {

struct TRenderOptions {
  // 1-based.
  int Frame = 1;
  // The output size; 0 for both takes the frame rectangle's pixel size times Scale. The frame
  // rectangle is stretched to fill the output.
  int Width = 0, Height = 0;
  double Scale = 1;
  // 0xRRGGBB drawn under the frame instead of the movie's SetBackgroundColor (white when the
  // movie sets none).
  std::optional<uint32_t> Background;
  // Leave the background transparent (the movie's colour is not drawn either).
  bool Transparent = false;
};

// The largest frame drawn, in pixels: 8192 x 4096.
inline constexpr int64_t kMaxFramePixels = int64_t{1} << 25;

// Draws frames of a movie. It keeps the played display list and the decoded bitmaps and shapes,
// so frames drawn in ascending order cost only the frames in between.
class TFrameRenderer {
 public:
  // The reader must outlive the renderer; its tags are parsed into objects here if the reader
  // has none yet. The limits bound the work of playing the display list.
  explicit TFrameRenderer(TSWFStreamReader& reader, const TPlayLimits& limits = {});
  ~TFrameRenderer();
  TFrameRenderer(const TFrameRenderer&) = delete;
  TFrameRenderer& operator=(const TFrameRenderer&) = delete;

  int FrameCount() const;
  // The pixel size a frame gets with these options.
  void OutputSize(const TRenderOptions& options, int& width, int& height) const;
  // Errors (orvanta::FormatError and Error) for a frame that does not exist, an output size
  // that is empty or past kMaxFramePixels, an empty frame rectangle, or a movie past the
  // player's limits.
  TPixmap Render(const TRenderOptions& options);

 private:
  struct TImpl;
  std::unique_ptr<TImpl> impl_;
};

// One frame, once.
TPixmap RenderFrame(TSWFStreamReader& reader, const TRenderOptions& options);

}  // namespace orvanta::render
