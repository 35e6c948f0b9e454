#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "project/banner_document.h"

namespace orvanta {

// One row of the content list. Items with a rectangle come first and carry the palette colour
// of their position; the closing rows (loading screen, layout, background) have neither.
struct TContentItem {
  std::string Label;
  bool HasRect = false;
  TItemRect Rect;
  uint32_t Colour = 0;  // 0xRRGGBB
  int Slot = -1;        // index into ContentSlots()
};

// The name shown after "[MC1] " ... "[MC5] ": the library clip a choice index stands for.
using TClipNamer = std::function<std::string(int choice)>;

// The content list of the current page after a build, in list order.
std::vector<TContentItem> ContentList(const TBannerDocument& doc, const TClipNamer& clipName = {});

}  // namespace orvanta
