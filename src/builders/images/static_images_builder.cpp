#include "builders/images/static_images_builder.h"

#include <algorithm>

#include "builders/common/content_slot_index.h"

#include "builders/common/picture_image.h"
#include "builders/images/frame_shapes.h"
#include "builders/images/picture_filters.h"
#include "builders/images/png_picture.h"
#include "media/flash_image.h"
#include "media/picture_codecs.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "platform/errors.h"
#include "platform/stream.h"

namespace orvanta {

namespace {

// The field names of one picture slot.
struct TImageSlot {
  std::string Label;  // in the content list
  std::string File, X, Y, Width, Height, NaturalSize, Shape, Blur, Bevel, Shadow, Glow, Border,
      BorderColour;
};

TImageSlot StaticImageSlot(int k) {
  const std::string s = k == 1 ? "" : std::to_string(k), p = "staticimage";
  return {"Static Image" + std::to_string(k),
          "StaticImageText" + s,
          p + "x" + s,
          p + "y" + s,
          p + "width" + s,
          p + "height" + s,
          p + "wh" + s,
          p + "shape" + s,
          p + "Blur" + s,
          p + "Bevel" + s,
          p + "shadow" + s,
          p + "Glow" + s,
          p + "border" + s,
          p + "bordercolor" + s};
}

TImageSlot BackImageSlot() {
  return {"BG Image3",      "BGImageText3", "BGimagex3",      "BGimagey3",          "BGimagewidth3",
          "BGimageheight3", "bgimagewh3",   "bgimageshape3",  "bgimageBlur3",       "bgimageBevel3",
          "bgimageshadow3", "bgimageGlow3", "bgimageborder3", "bgimagebordercolor3"};
}

struct TBoxSize {
  int Width = 0, Height = 0;
};

// A JPEG or BMP picture cut to the slot's frame shape, filling the shape's bounds.
TBoxSize BuildFramedPicture(TFlashMovie& movie, const TPageState& page, const TImageSlot& slot,
                            std::span<const uint8_t> file, uint16_t depth) {
  TFlashImage* image = AddPictureImage(movie, file);
  const bool natural = OptionField(page, slot.NaturalSize);
  const int w = natural ? image->Width() : IntegerField(page, slot.Width);
  const int h = natural ? image->Height() : IntegerField(page, slot.Height);
  TFlashShape* shape = AddFrameShape(movie, FrameShapeOf(IntegerField(page, slot.Shape)), w, h);
  if (OptionField(page, slot.Border))
    shape->SetLineStyle(2, uint32_t(IntegerField(page, slot.BorderColour)) & 0xFFFFFF);
  shape->SetImageFill(*image, 1);
  TFlashPlaceObject* place = movie.PlaceObject(shape, depth);
  ApplyPictureFilters(*place, {OptionField(page, slot.Bevel), OptionField(page, slot.Glow),
                               OptionField(page, slot.Shadow), OptionField(page, slot.Blur)});
  place->SetTranslate(IntegerField(page, slot.X), IntegerField(page, slot.Y));
  return {w, h};
}

TBoxSize BuildTransparentPicture(TFlashMovie& movie, const TPageState& page, const TImageSlot& slot,
                                 std::span<const uint8_t> file, uint16_t depth,
                                 TBuildContext& context) {
  const TPicture picture = DecodePicture(file);
  TFlashSprite* sprite = movie.AddSprite();
  BuildPngImage(movie, *sprite, picture, context, slot.File);
  movie.PlaceObject(sprite, depth)
      ->SetTranslate(IntegerField(page, slot.X), IntegerField(page, slot.Y));
  return {int(picture.Width), int(picture.Height)};
}

TBoxSize BuildSlot(TFlashMovie& movie, const TPageState& page, const TImageSlot& slot,
                   uint16_t depth, TBuildContext& context) {
  const std::string& name = page.Field(slot.File).Text;
  if (name.empty() || name == "None") return {};
  const auto path = context.Resolve(name, {"photos\\"});
  if (!path) {
    context.Warn(slot.File, name + " file not found !");
    return {};
  }
  try {
    const std::vector<uint8_t> file = ReadWholeFile(path->string());
    switch (PictureKindOf(file)) {
      case TPictureKind::JPEG:
      case TPictureKind::BMP:
        return BuildFramedPicture(movie, page, slot, file, depth);
      case TPictureKind::PNG:
      case TPictureKind::GIF:
        return BuildTransparentPicture(movie, page, slot, file, depth, context);
      case TPictureKind::Unknown:
        break;
    }
    context.Warn(slot.File, name + " is not a JPEG, BMP or PNG picture");
  } catch (const Error& e) {
    context.Warn(slot.File, name + ": " + e.what());
  }
  return {};
}

}  // namespace

std::vector<TBuiltItem> TStaticImagesBuilder::Build(TFlashMovie& movie, const TPageState& page,
                                                    const TDepthPlan& depths,
                                                    TBuildContext& context) {
  std::vector<TBuiltItem> items;
  auto build = [&](const TImageSlot& slot, int depth) {
    const TBoxSize size = BuildSlot(movie, page, slot, uint16_t(depth), context);
    TBuiltItem item{ContentSlotIndex(slot.Label), size.Width, size.Height};
    // The picture's own size shows in the slot's fields only where it is the size used, and
    // within their range; a typed size is never overwritten, nor an empty slot's.
    if (size.Width > 0 && OptionField(page, slot.NaturalSize))
      item.WriteBack = {{slot.Width, std::clamp(size.Width, 50, 3000)},
                        {slot.Height, std::clamp(size.Height, 50, 3000)}};
    items.push_back(std::move(item));
  };
  for (int k = 1; k <= 3; ++k) build(StaticImageSlot(k), depths.StaticImageSecond + k - 1);
  // Just under the panel container, whatever its position.
  build(BackImageSlot(), depths.BackgroundImport - 10 + 3);
  return items;
}

}  // namespace orvanta
