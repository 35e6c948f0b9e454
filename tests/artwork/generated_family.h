#pragma once

#include <memory>
#include <vector>

#include "artwork_output.h"
#include "media/swf_reader.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "render/frame_renderer.h"

namespace orvanta::artwork {

// One family generated in memory, with its templates open by name.
class TGeneratedFamily {
 public:
  explicit TGeneratedFamily(void (*generate)(TArtworkOutput&)) {
    generate(output_);
    bytes_ = output_.PackBytes();
    pack_ = std::make_unique<TTemplatePack>(bytes_);
  }
  const TTemplatePack& Pack() const { return *pack_; }
  const TArtworkOutput& Output() const { return output_; }

 private:
  TArtworkOutput output_;
  std::vector<uint8_t> bytes_;
  std::unique_ptr<TTemplatePack> pack_;
};

// A SWF file read whole with our reader.
struct TReadMovie {
  explicit TReadMovie(std::span<const uint8_t> bytes) : Stream(bytes), Reader(Stream) {
    Reader.ParseTags(true, false);
  }
  double Width() const { return (Reader.FrameSize().Xmax() - Reader.FrameSize().Xmin()) / 20.0; }
  double Height() const { return (Reader.FrameSize().Ymax() - Reader.FrameSize().Ymin()) / 20.0; }
  render::TPixmap Render(int frame = 1) {
    render::TRenderOptions options;
    options.Frame = frame;
    options.Transparent = true;
    return render::RenderFrame(Reader, options);
  }

  TMemoryViewStream Stream;
  TSWFStreamReader Reader;
};

}  // namespace orvanta::artwork
