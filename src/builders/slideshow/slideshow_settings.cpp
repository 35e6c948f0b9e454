#include "builders/slideshow/slideshow_settings.h"

#include <algorithm>

#include "project/content_builder.h"

namespace orvanta {

TSlideshowSettings ReadSlideshowSettings(const TPageState& page) {
  TSlideshowSettings s;
  s.Photos = page.Photos;
  s.BoxX = IntegerField(page, "photox");
  s.BoxY = IntegerField(page, "photoy");
  s.BoxWidth = IntegerField(page, "photowidth");
  s.BoxHeight = IntegerField(page, "photoheight");
  s.Crop = OptionField(page, "thumbcorp");
  s.Delay = IntegerField(page, "photodelay");
  s.AutoPlay = OptionField(page, "photoautoplay");
  s.Transition = IntegerField(page, "slideshoweffect");
  s.Border = IntegerField(page, "photoborderindex");
  s.BorderColor = uint32_t(IntegerField(page, "photobordercolor")) & 0xFFFFFF;
  s.InnerShadow = OptionField(page, "Bordershadow");
  // A picture border stands in for the shape: the editor switches the shape off with it.
  s.Shaped = OptionField(page, "thumbroundrect") && !s.FrameBorder();
  s.Shape = TPhotoShape(std::clamp(IntegerField(page, "thumbshape"), -1, 4));
  s.Thumbnails = OptionField(page, "thumbenabled");
  s.GalleryX = IntegerField(page, "galleryx");
  s.GalleryY = IntegerField(page, "galleryy");
  s.Rows = std::max(1, IntegerField(page, "galleryrow"));
  s.Columns = std::max(1, IntegerField(page, "gallerycol"));
  s.Spacing = IntegerField(page, "galleryspace");
  // The thumbnail width wins over the stored scale; a scale past 100 % would make thumbnails
  // larger than the photos they stand for.
  s.ThumbScale =
      std::clamp(s.BoxWidth > 0 ? IntegerField(page, "gallerythumbwidth") * 100 / s.BoxWidth
                                : IntegerField(page, "gallerythumbscale"),
                 1, 100);
  s.RandomTilt = OptionField(page, "thumbrandomr");
  s.PageFont = page.Fonts[size_t(TFontSlot::AlbumThumbs)];
  s.FramesPerSecond = std::max(1, IntegerField(page, "SpeedFPS"));
  return s;
}

}  // namespace orvanta
