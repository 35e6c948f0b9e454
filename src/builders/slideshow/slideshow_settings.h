#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "project/banner_document.h"

namespace orvanta {

enum class TPhotoShape : int8_t { None = -1, RoundRect, Circle, Ellipse, Star, Diamond };

// The borders of the choice list: 0 none, 1 a line in the chosen colour, 2 a line in a random
// colour per photo, 3 and up the border frames 1 ... 23 of the data root.
inline constexpr int kColorBorder = 1, kRandomColorBorder = 2, kFirstFrameBorder = 3;

// The slideshow editor's fields as one build reads them.
struct TSlideshowSettings {
  std::vector<std::string> Photos;
  int BoxX = 0, BoxY = 0, BoxWidth = 150, BoxHeight = 120;
  bool Crop = true;
  int Delay = 2;  // seconds per photo
  bool AutoPlay = true;
  int Transition = -1;
  int Border = -1;
  uint32_t BorderColor = 0xFF0000;  // 0x00BBGGRR
  bool InnerShadow = true;
  bool Shaped = true;
  TPhotoShape Shape = TPhotoShape::None;
  bool Thumbnails = false;
  int GalleryX = 0, GalleryY = 0, Rows = 1, Columns = 1, Spacing = 10;
  int ThumbScale = 15;  // percent of the prepared photo
  bool RandomTilt = false;
  TFontSetting PageFont;
  int FramesPerSecond = 12;

  bool FrameBorder() const { return Border >= kFirstFrameBorder; }
  bool LineBorder() const { return Border == kColorBorder || Border == kRandomColorBorder; }
  bool AnyBorder() const { return FrameBorder() || LineBorder(); }
  int PhotosPerPage() const { return Rows * Columns; }
  int Pages(int photoCount) const { return (photoCount + PhotosPerPage() - 1) / PhotosPerPage(); }
};

TSlideshowSettings ReadSlideshowSettings(const TPageState& page);

}  // namespace orvanta
