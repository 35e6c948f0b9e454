#include "export/banner_frames.h"

#include <algorithm>

#include "media/swf_reader.h"
#include "platform/errors.h"
#include "project/build_driver.h"
#include "render/frame_renderer.h"

namespace orvanta {

namespace {

// The closing frames the build driver appends after the content: the first holds the jump back.
constexpr int kClosingFrames = 2;

std::unique_ptr<TSWFStreamReader> ReadMovie(const std::filesystem::path& file) {
  if (!std::filesystem::exists(file)) throw FileError(file.string() + " was not built");
  auto reader = std::make_unique<TSWFStreamReader>(file.string());
  if (!reader->Valid) throw FormatError(file.string() + " is not a SWF file");
  reader->ParseTags(true, false);
  return reader;
}

// Source over an opaque destination, both premultiplied.
void DrawOver(render::TPixmap& below, const render::TPixmap& above) {
  uint8_t* d = below.Pixels.data();
  const uint8_t* s = above.Pixels.data();
  for (size_t i = 0, n = below.Pixels.size(); i < n; i += 4) {
    const unsigned keep = 255u - s[i + render::kAlpha];
    for (int c = 0; c < 3; ++c) d[i + c] = uint8_t(s[i + c] + (d[i + c] * keep + 127) / 255);
    d[i + render::kAlpha] = 255;
  }
}

}  // namespace

TBannerFrames::TBannerFrames(const std::filesystem::path& workFolder) {
  mainMovie_ = ReadMovie(workFolder / kMainMovieFile);
  renderer_ = std::make_unique<render::TFrameRenderer>(*mainMovie_);
  renderer_->OutputSize({}, width_, height_);
  const auto backgroundMovie = ReadMovie(workFolder / kBackgroundMovieFile);
  render::TRenderOptions options;
  options.Width = width_;
  options.Height = height_;
  options.Background = 0xFFFFFF;  // as the strips are drawn
  background_ = render::RenderFrame(*backgroundMovie, options);
}

TBannerFrames::~TBannerFrames() = default;

int TBannerFrames::FrameCount() const { return renderer_->FrameCount(); }

double TBannerFrames::FrameRate() const {
  const double fps = mainMovie_->FPS();
  return fps > 0 ? fps : 12;
}

int TBannerFrames::HeadlineEndFrame() const {
  return std::max(1, FrameCount() - kClosingFrames);
}

render::TPixmap TBannerFrames::Render(int frame) {
  render::TRenderOptions options;
  options.Frame = frame;
  options.Width = width_;
  options.Height = height_;
  options.Transparent = true;
  render::TPixmap picture = background_;
  DrawOver(picture, renderer_->Render(options));
  return picture;
}

int TFrameChoice::Resolve(const TBannerFrames& frames) const {
  if (Last) return frames.FrameCount();
  if (!Frame) return frames.HeadlineEndFrame();
  if (*Frame < 1 || *Frame > frames.FrameCount())
    throw Error("the banner has no frame " + std::to_string(*Frame) + " (it has " +
                std::to_string(frames.FrameCount()) + ")");
  return *Frame;
}

}  // namespace orvanta
