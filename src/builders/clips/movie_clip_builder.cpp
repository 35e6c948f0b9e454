#include "builders/clips/movie_clip_builder.h"

#include "builders/clips/clip_layer.h"
#include "builders/clips/own_movie.h"
#include "builders/common/sprite_import.h"
#include "media/clip_source.h"
#include "media/filters.h"
#include "media/flash_external_movie.h"
#include "media/swf_reader.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_sprite.h"
#include "platform/clip_table.h"
#include "platform/data_root.h"
#include "platform/errors.h"
#include "platform/stream.h"

namespace orvanta {

namespace {

std::string N(int layer) {
  return std::to_string(layer);
}

int ContentSlotOf(int layer) {
  const auto& slots = ContentSlots();
  for (size_t slot = 0; slot < slots.size(); ++slot)
    if (slots[slot].LeftField == "PageBackGroundPosX" + N(layer)) return int(slot);
  throw Error("no content slot for clip layer " + N(layer));
}

bool HoldsClip(const TPageState& page, int layer) {
  return IntegerField(page, "PageEffectID" + N(layer)) > 0;
}

// Scale, position and shadow are the same for a library layer and the own SWF.
void PlaceClip(TFlashMovie& movie, TFlashVisualObject* clip, uint16_t depth, const TPageState& page,
               int layer) {
  TFlashPlaceObject* place = movie.PlaceObject(clip, depth);
  const double scale = IntegerField(page, "PageBackGroundScalewidth" + N(layer)) / 100.0;
  place->SetScale(scale, scale);
  place->SetTranslate(IntegerField(page, "PageBackGroundPosX" + N(layer)),
                      IntegerField(page, "PageBackGroundPosY" + N(layer)));
  if (OptionField(page, "PageBackgroundShadow" + N(layer))) {
    TSWFDropShadowFilter& shadow = place->DropShadowFilter();
    shadow.BlurX = shadow.BlurY = 5;
    shadow.Distance = 5;
    shadow.Angle = 0.7854;  // 45 degrees
  }
}

TFlashSprite* ImportRevealMask(TFlashMovie& movie, TBuildContext& context,
                               const std::string& field) {
  try {
    const std::vector<uint8_t> bytes =
        ReadWholeFile(context.Data.Require(kRevealMaskFile).string());
    TFlashExternalMovie* mask = ImportSprite(movie, bytes, kRevealMaskFile, context, field);
    return mask ? mask->Sprite() : nullptr;
  } catch (const Error& e) {
    context.Warn(field, std::string("the clip shows without its reveal: ") + e.what());
    return nullptr;
  }
}

// The clip of one layer, or none with a warning.
TFlashExternalMovie* ImportLibraryClip(TFlashMovie& movie, const TTemplatePack& templates,
                                       int index, TBuildContext& context,
                                       const std::string& field) {
  try {
    const std::string name = ClipName(index);
    std::optional<TClipBytes> clip = LoadClipStream(name, context.Data, templates);
    if (!clip) {
      context.Warn(field, "the clip " + name + " is neither in the library nor a template");
      return nullptr;
    }
    return ImportSprite(movie, clip->Bytes, "the clip " + name, context, field);
  } catch (const Error& e) {
    context.Warn(field, e.what());
    return nullptr;
  }
}

}  // namespace

int ClipDelaySteps(const TPageState& page, int layer) {
  if (OptionField(page, "movieclipshowonetime")) return 0;
  int steps = 0;
  for (int above = layer + 1; above <= kClipLayers; ++above) steps += HoldsClip(page, above);
  return steps;
}

std::vector<TBuiltItem> TMovieClipBuilder::Build(TFlashMovie& movie, const TPageState& page,
                                                 const TDepthPlan& depths, TBuildContext& context) {
  sizes_.assign(kClipLayers + 1, {});
  auto record = [&](int layer, const TSWFStreamReader& reader) {
    const TClipFrame frame = TClipFrame::Of(reader.Header());
    sizes_[layer] = {frame,
                     frame.Scaled(IntegerField(page, "PageBackGroundScalewidth" + N(layer)))};
  };

  // One import of the mask serves every layer it reveals.
  std::optional<TFlashSprite*> mask;
  for (int layer = 1; layer <= kClipLayers; ++layer) {
    if (!HoldsClip(page, layer)) continue;
    const std::string field = "PageEffectID" + N(layer);
    TFlashExternalMovie* clip =
        ImportLibraryClip(movie, templates_, IntegerField(page, field), context, field);
    if (!clip) continue;
    TClipLayerPlan plan{TClipFrame::Of(clip->Reader().Header()), ClipDelaySteps(page, layer),
                        IntegerField(page, "PageBackGroundRotation" + N(layer))};
    const bool revealed = plan.DelaySteps > 0 && plan.Rotation == 0;
    if (revealed && !mask) mask = ImportRevealMask(movie, context, field);
    TFlashSprite* sprite = BuildClipLayer(movie, *clip->Sprite(), plan, revealed ? *mask : nullptr);
    PlaceClip(movie, sprite, uint16_t(depths.MovieClips - 2 * layer), page, layer);
    record(layer, clip->Reader());
  }

  if (TFlashExternalMovie* own =
          ImportOwnMovie(movie, page.Field("PageEffect_filename1").Text, context)) {
    PlaceClip(movie, own->Sprite(), depths.MovieClips, page, 0);
    record(0, own->Reader());
  }

  std::vector<TBuiltItem> items;
  for (int layer = 0; layer <= kClipLayers; ++layer) {
    const TClipSizes& size = sizes_[layer];
    items.push_back({ContentSlotOf(layer), size.Shown.Width, size.Shown.Height, size.Frame.Width,
                     size.Frame.Height});
  }
  return items;
}

}  // namespace orvanta
