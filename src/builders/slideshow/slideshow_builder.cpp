#include "builders/slideshow/slideshow_builder.h"

#include <algorithm>

#include "builders/slideshow/album_builder.h"
#include "builders/slideshow/slideshow_budget.h"
#include "builders/slideshow/slideshow_transitions.h"
#include "media/filters.h"
#include "media/flash_external_movie.h"
#include "media/swf_reader.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_sprite.h"
#include "platform/artwork_names.h"
#include "platform/data_root.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/template_pack.h"

namespace orvanta {

namespace {

constexpr const char* kPhotoField = "Photos";

// Imports artwork as a sprite; a missing or unreadable file is a warning and no sprite.
TFlashSprite* ImportArtwork(TFlashMovie& movie, std::span<const uint8_t> bytes,
                            const std::string& name, const std::string& field,
                            TBuildContext& context, TSWFRect* frame = nullptr) {
  try {
    TMemoryStream stream(bytes.data(), bytes.size());
    TFlashExternalMovie* import = movie.AddExternalMovie(stream);
    if (frame) *frame = import->Reader().FrameSize();
    return import->Sprite();
  } catch (const Error& e) {
    context.Warn(field, name + " can not be imported: " + e.what());
    return nullptr;
  }
}

TFlashSprite* ImportDataFile(TFlashMovie& movie, const std::string& name, const std::string& field,
                             TBuildContext& context, TSWFRect* frame = nullptr) {
  const auto path = context.Data.Find(name);
  if (!path) {
    context.Warn(field, name + " file not found !");
    return nullptr;
  }
  try {
    const std::vector<uint8_t> bytes = ReadWholeFile(path->string());
    return ImportArtwork(movie, bytes, name, field, context, frame);
  } catch (const Error& e) {
    context.Warn(field, name + " can not be read: " + e.what());
    return nullptr;
  }
}

// The photos that can be shown, in list order; the others are warnings.
std::vector<TPreparedPhoto> PreparePhotos(const TSlideshowSettings& s, TBuildContext& context) {
  std::vector<TPreparedPhoto> photos;
  for (const std::string& name : s.Photos) {
    const auto path = context.Resolve(name, {"photos\\"});
    if (!path) {
      context.Warn(kPhotoField, name + " file not found !");
      continue;
    }
    try {
      photos.push_back(PreparePhoto(*path, uint32_t(s.BoxWidth), uint32_t(s.BoxHeight), s.Crop));
    } catch (const Error& e) {
      context.Warn(kPhotoField, name + " is not a picture that can be shown: " + e.what());
    }
  }
  return photos;
}

// An album past its depth scheme loses its last photos rather than mixing up its parts.
void CapPhotos(TSlideshowSettings& s, TBuildContext& context) {
  const int limit = s.Thumbnails ? std::min(kMaxAlbumPhotos, kMaxAlbumPages * s.PhotosPerPage())
                                 : kMaxAlbumPhotos;
  const int count = int(s.Photos.size());
  if (count <= limit) return;
  context.Warn(kPhotoField, "Album holds at most " + std::to_string(kMaxAlbumPhotos) +
                                " photos on " + std::to_string(kMaxAlbumPages) +
                                " pages: " + std::to_string(count - limit) + " photos left out");
  s.Photos.resize(size_t(limit));
}

int SlotOf(const std::string& label) {
  const auto& slots = ContentSlots();
  for (size_t i = 0; i < slots.size(); ++i)
    if (slots[i].Label == label) return int(i);
  return -1;
}

}  // namespace

std::vector<TBuiltItem> TSlideshowBuilder::Build(TFlashMovie& movie, const TPageState& page,
                                                 const TDepthPlan& depths, TBuildContext& context) {
  TSlideshowSettings s = ReadSlideshowSettings(page);
  if (s.Photos.empty()) return {};
  CapPhotos(s, context);
  const TSlideshowBudget budget = SlideshowBudget(s, int(s.Photos.size()));
  if (auto problem = BudgetProblem(budget, movie.NextCharacterID())) {
    context.Warn(kPhotoField, *problem);
    return {};
  }
  const std::vector<TPreparedPhoto> photos = PreparePhotos(s, context);
  if (photos.empty()) return {};

  TAlbumArtwork art;
  if (UsesMaskMovie(s.Transition))
    art.MaskMovie = ImportDataFile(movie, "albumboader\\" + TransitionMasks()[size_t(s.Transition)],
                                   "slideshoweffect", context);
  if (s.Thumbnails) {
    const TTemplateEntry* highlight = templates_ ? templates_->Find("mouseover") : nullptr;
    if (highlight)
      art.Highlight = ImportArtwork(movie, highlight->Data, "mouseover", "thumbenabled", context);
    else
      context.Warn("thumbenabled", "mouseover template not found !");
  }
  if (s.FrameBorder()) {
    TSWFRect frame;
    art.BorderFrame = ImportDataFile(movie, "albumboader\\" + std::to_string(s.Border - 2) + ".swf",
                                     "photoborderindex", context, &frame);
    art.BorderWidth = std::max(1, (frame.Xmax() - frame.Xmin()) / 20);
    art.BorderHeight = std::max(1, (frame.Ymax() - frame.Ymin()) / 20);
  }

  TFlashSprite* wrapper = BuildAlbum(movie, s, photos, art, context.Random);
  TFlashPlaceObject* place = movie.PlaceObject(wrapper, depths.Slideshow);
  place->SetName("slideshownow");
  if (s.InnerShadow) {
    TSWFDropShadowFilter& shadow = place->DropShadowFilter();
    shadow.Distance = 5;
    shadow.Angle = 0.7854;
    shadow.BlurX = shadow.BlurY = 5;
  }

  std::vector<TBuiltItem> items{{SlotOf("SlideShow"), s.BoxWidth, s.BoxHeight}};
  if (s.Thumbnails)
    items.push_back({SlotOf("Album Thumb"),
                     s.Columns * (s.BoxWidth * s.ThumbScale / 100 + s.Spacing),
                     s.Rows * (s.BoxHeight * s.ThumbScale / 100 + s.Spacing)});
  return items;
}

}  // namespace orvanta
