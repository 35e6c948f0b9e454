#include "builders/clips/clip_frame.h"

#include <algorithm>
#include <cmath>

#include "swf/swf_stream.h"

namespace orvanta {

namespace {

int32_t Side(int64_t minTwips, int64_t maxTwips) {
  return int32_t(std::clamp<int64_t>((maxTwips - minTwips) / 20, 0, TClipFrame::kMaxSide));
}

}  // namespace

TClipFrame TClipFrame::Of(const SWFHeader& header) {
  const TSWFRect& r = header.FrameSize;
  return {Side(r.Xmin(), r.Xmax()), Side(r.Ymin(), r.Ymax())};
}

TClipFrame TClipFrame::Scaled(int percent) const {
  auto scale = [percent](int32_t side) { return int32_t(std::lround(side * percent / 100.0)); };
  return {scale(Width), scale(Height)};
}

}  // namespace orvanta
