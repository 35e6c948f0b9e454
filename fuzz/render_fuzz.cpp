// Feeds arbitrary bytes through the SWF reader to the frame rasteriser: the display list is
// played and the first and last frames are drawn small. Data errors must surface as
// orvanta::Error; anything else (a crash, a sanitizer report, another exception type, a hang)
// is a finding.
#include <cstddef>
#include <cstdint>

#include "media/swf_reader.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "render/frame_renderer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orvanta;
  try {
    TMemoryViewStream stream({data, size});
    TSWFStreamReader reader(stream);
    if (!reader.Valid) return 0;
    reader.ParseTags(true, false);
    // Small limits keep each input quick; the limits themselves are what is being tested.
    render::TPlayLimits limits;
    limits.MaxWork = 200000;
    limits.MaxObjects = 2000;
    render::TFrameRenderer renderer(reader, limits);
    render::TRenderOptions options;
    options.Width = 48;
    options.Height = 48;
    renderer.Render(options);
    if (renderer.FrameCount() > 1) {
      options.Frame = renderer.FrameCount();
      renderer.Render(options);
    }
  } catch (const Error&) {
  }
  return 0;
}
