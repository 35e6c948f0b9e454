#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "render/pixmap.h"

namespace orvanta {

class TSWFStreamReader;
namespace render {
class TFrameRenderer;
}

// The banner as its page shows it: the first frame of the background movie (the picture the
// strips are cut from) with the transparent main movie over it, drawn by the rasteriser from
// the preview files a build left in a working folder. Scripts are not run, so what only a
// script moves (the slideshow's photo changes, button roll-overs, the music control, mouse
// effects) stays as it is at the start.
class TBannerFrames {
 public:
  // Reads temp_bg.swf and temp.swf from the folder; FileError or FormatError when either is
  // missing or not a movie.
  explicit TBannerFrames(const std::filesystem::path& workFolder);
  ~TBannerFrames();
  TBannerFrames(const TBannerFrames&) = delete;
  TBannerFrames& operator=(const TBannerFrames&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  int FrameCount() const;
  double FrameRate() const;
  // The last frame the player shows before the closing jump sends it back: the end of the
  // headline's animation. The two closing frames follow it.
  int HeadlineEndFrame() const;

  // An opaque picture of a main-movie frame (1-based). Frames drawn in ascending order cost
  // only the frames in between.
  render::TPixmap Render(int frame);

 private:
  std::unique_ptr<TSWFStreamReader> mainMovie_;
  std::unique_ptr<render::TFrameRenderer> renderer_;
  render::TPixmap background_;
  int width_ = 0, height_ = 0;
};

// Which frame a single picture shows: a numbered one, the movie's last, or by default the end
// of the headline's animation.
struct TFrameChoice {
  std::optional<int> Frame;
  bool Last = false;
  // Error for a frame number the movie does not have.
  int Resolve(const TBannerFrames& frames) const;
};

}  // namespace orvanta
