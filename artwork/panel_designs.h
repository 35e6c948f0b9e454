#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvanta::artwork {

// How a panel template is cut when it is stretched: nine slices with corner columns Left wide
// and rows Top and Bottom high, the whole template scaled as one (the "1x1x1" marker), or no
// marker at all, which the builder reads as 30 on every side.
struct TPanelMargins {
  enum class TKind { NineSlice, Uniform, Unmarked } Kind = TKind::NineSlice;
  int Left = 30, Top = 30, Bottom = 30;

  // The instance name that carries the margins, or empty for an unmarked panel.
  std::string Marker() const;
};

// The pictures the uniformly scaled panels show, 400 x 300, as SWF files of their own: kind
// 0 ... PanelPictureKinds() - 1, in a colour (packed RGBA), scattered details from the seed.
size_t PanelPictureKinds();
std::vector<uint8_t> PanelPicture(size_t kind, uint32_t color, uint32_t seed);

// The margins of SHAPETEMPLATE1 ... SHAPETEMPLATE106, at index k - 1.
const std::vector<TPanelMargins>& PanelMargins();

}  // namespace orvanta::artwork
