#include "shell/gallery_movies.h"

#include <algorithm>
#include <functional>

#include "builders/animated_text/text_settings.h"
#include "builders/panels/shape_demo.h"
#include "media/clip_source.h"
#include "media/flash_external_movie.h"
#include "media/swf_reader.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "platform/artwork_names.h"
#include "platform/button_styles.h"
#include "platform/clip_table.h"
#include "platform/data_root.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "project/field_registry.h"
#include "swf/swf_records.h"

namespace orvanta {

namespace {

constexpr const char* kPreviewFile = "temp2.swf";
constexpr const char* kBorderPreviewFile = "tempd2.swf";
// Entries 0 ... 2 of the borders are drawn by the album itself and have no border file.
constexpr int kFirstFrameBorder = 3;
// The first transition shown by a dialog preview movie instead of its mask movie.
constexpr int kFirstPreviewedTransition = 5;
constexpr int kTransitions = 12, kTextEffects = 11, kBorders = 26, kShapeStyles = 106;
// Letters every art family has a template for.
constexpr int kArtSampleCodes[] = {'A', 'B', 'C'};

using TMovieBytes = std::optional<std::vector<uint8_t>>;

struct TGallery {
  std::string Name;
  std::function<int()> Count;
  std::string File;  // what the entry's movie is written as
  std::function<TMovieBytes(const TGallerySources&, int entry)> Movie;
};

TMovieBytes DataFile(const TDataRoot& data, const std::string& name) {
  const std::optional<std::filesystem::path> file = data.Find(name);
  if (!file) return std::nullopt;
  return ReadWholeFile(file->string());
}

TMovieBytes Template(const TTemplatePack& templates, const std::string& name) {
  const TTemplateEntry* entry = templates.Find(name);
  if (!entry) return std::nullopt;
  return std::vector<uint8_t>(entry->Data.begin(), entry->Data.end());
}

TSWFRect FrameOf(std::span<const uint8_t> swf) {
  TMemoryViewStream stream(swf);
  TSWFStreamReader reader(stream);
  if (!reader.Valid) throw FormatError("not a SWF movie");
  return reader.Header().FrameSize;
}

std::vector<uint8_t> Finish(TFlashMovie& movie) {
  movie.ShowFrame();
  movie.MakeData();
  TMemoryStream bytes;
  movie.SaveToStream(bytes);
  return bytes.TakeBytes();
}

TFlashExternalMovie* Import(TFlashMovie& movie, std::span<const uint8_t> swf) {
  TMemoryViewStream stream(swf);
  return movie.AddExternalMovie(stream, TFlashExternalMovie::kImportAsSprite);
}

// The border frame stretched over a plain stand-in photo, as the album stretches it over each
// photo.
TMovieBytes BorderPreview(const TDataRoot& data, int border) {
  constexpr int kWidth = 300, kHeight = 225;
  const TMovieBytes file = DataFile(data, "albumboader/" + std::to_string(border) + ".swf");
  if (!file) return std::nullopt;
  const TSWFRect frame = FrameOf(*file);
  TFlashMovie movie(0, 0, kWidth, kHeight, 12, true);
  movie.SetVersion(8);
  TFlashShape* photo = movie.AddRectangle(0, 0, kWidth, kHeight);
  photo->SetSolidColor(0xC8, 0xD4, 0xE0);
  movie.PlaceObject(photo, 1);
  TFlashPlaceObject* place = movie.PlaceObject(Import(movie, *file)->Sprite(), 2);
  place->SetScale(kWidth * 20.0 / std::max(20, frame.Xmax() - frame.Xmin()),
                  kHeight * 20.0 / std::max(20, frame.Ymax() - frame.Ymin()));
  return Finish(movie);
}

// A few letters of the family side by side, as the animated text sets them.
TMovieBytes ArtFamilyPreview(const TTemplatePack& templates, const std::string& family) {
  constexpr int kMargin = 10, kLetterHeight = 120;
  std::vector<std::vector<uint8_t>> letters;
  int width = kMargin;
  for (int code : kArtSampleCodes) {
    TMovieBytes letter = Template(templates, ArtLetterName(family, code));
    if (!letter) return std::nullopt;
    const TSWFRect frame = FrameOf(*letter);
    width += (frame.Xmax() - frame.Xmin()) / 20;
    letters.push_back(std::move(*letter));
  }
  TFlashMovie movie(0, 0, width + kMargin, kLetterHeight + 2 * kMargin, 12, true);
  movie.SetVersion(8);
  int x = kMargin;
  for (size_t i = 0; i < letters.size(); ++i) {
    const TSWFRect frame = FrameOf(letters[i]);
    TFlashPlaceObject* place =
        movie.PlaceObject(Import(movie, letters[i])->Sprite(), uint16_t(i + 1));
    place->SetTranslate(x - frame.Xmin() / 20, kMargin - frame.Ymin() / 20);
    x += (frame.Xmax() - frame.Xmin()) / 20;
  }
  return Finish(movie);
}

// The effect centred on a dark ground, where its glow shows as it does behind the text.
TMovieBytes BackgroundEffectPreview(const TTemplatePack& templates, const std::string& name) {
  constexpr int kWidth = 200, kHeight = 150;
  const TMovieBytes effect = Template(templates, name);
  if (!effect) return std::nullopt;
  const TSWFRect frame = FrameOf(*effect);
  TFlashMovie movie(0, 0, kWidth, kHeight, 12, true);
  movie.SetVersion(8);
  movie.BackgroundColor().SetColor(PackRGB(0x1C, 0x22, 0x38));
  TFlashPlaceObject* place = movie.PlaceObject(Import(movie, *effect)->Sprite(), 1);
  place->SetTranslate(kWidth / 2 - (frame.Xmin() + frame.Xmax()) / 40,
                      kHeight / 2 - (frame.Ymin() + frame.Ymax()) / 40);
  return Finish(movie);
}

const std::vector<const TFieldSpec*>& ArtStyleFields() {
  static const auto fields = OptionGroupFields(TEditorId::AnimatedText, "art style");
  return fields;
}
const std::vector<const TFieldSpec*>& BackgroundEffectFields() {
  static const auto fields = OptionGroupFields(TEditorId::AnimatedText, "background effect");
  return fields;
}

std::string FamilyOfCaption(const std::string& caption) {
  for (const TArtLetterFamily& family : ArtLetterFamilies())
    if (caption == family.Caption) return family.Prefix;
  return {};
}

std::string BackgroundEffectOfField(const std::string& field) {
  for (const auto& [name, effect] : BackgroundEffectResources())
    if (name == field) return effect;
  return {};
}

auto Fixed(int count) {
  return [count] { return count; };
}

const std::vector<TGallery>& Galleries() {
  using S = const TGallerySources&;
  static const std::vector<TGallery> galleries{
      {"Button Styles", [] { return int(ButtonStyles().size()) + 1; }, kPreviewFile,
       [](S s, int k) { return Template(s.Templates, ButtonStyles()[size_t(k) - 1].Name); }},
      {"Shape Styles", Fixed(kShapeStyles + 1), kShapeDemoFile,
       [](S s, int k) -> TMovieBytes { return BuildShapeDemo(s.Templates, k); }},
      {"Library Clips", Fixed(kClipCount + 1), kPreviewFile,
       [](S s, int k) -> TMovieBytes {
         std::optional<TClipBytes> clip = LoadClipStream(ClipName(k), s.Data, s.Templates);
         if (!clip) return std::nullopt;
         return std::move(clip->Bytes);
       }},
      {"Loading Screens", Fixed(kLoadingScreens + 1), kPreviewFile,
       [](S s, int k) {
         return DataFile(s.Data, "albumboader/now_loading" + std::to_string(k) + ".swf");
       }},
      {"Music Controls", Fixed(kSoundControls + 1), kPreviewFile,
       [](S s, int k) {
         return DataFile(s.Data, "albumboader/sound_control" + std::to_string(k) + ".swf");
       }},
      {"Transitions", Fixed(kTransitions), kPreviewFile,
       [](S s, int k) {
         if (k < kFirstPreviewedTransition)
           return DataFile(s.Data, "albumboader/" + TransitionMasks()[size_t(k)]);
         return DataFile(s.Data, "prevswf/album" + std::to_string(k - 4) + ".swf");
       }},
      {"Photo Borders", Fixed(kBorders), kBorderPreviewFile,
       [](S s, int k) -> TMovieBytes {
         if (k < kFirstFrameBorder) return std::nullopt;
         return BorderPreview(s.Data, k - kFirstFrameBorder + 1);
       }},
      {"Text Effects", Fixed(kTextEffects), kPreviewFile,
       [](S s, int k) { return DataFile(s.Data, "prevswf/text" + std::to_string(k) + ".swf"); }},
      {"Art Families", [] { return int(ArtStyleFields().size()); }, kPreviewFile,
       [](S s, int k) {
         return ArtFamilyPreview(s.Templates, FamilyOfCaption(ArtStyleFields()[k]->Caption));
       }},
      {"Background Effects", [] { return int(BackgroundEffectFields().size()); }, kPreviewFile,
       [](S s, int k) -> TMovieBytes {
         const std::string effect = BackgroundEffectOfField(BackgroundEffectFields()[k]->Name);
         if (effect.empty()) return std::nullopt;
         return BackgroundEffectPreview(s.Templates, effect);
       }},
  };
  return galleries;
}

const TGallery& GalleryNamed(std::string_view list) {
  for (const TGallery& g : Galleries())
    if (g.Name == list) return g;
  throw FileError("no gallery is named \"" + std::string(list) + "\"");
}

// Lists whose entry 0 is "None" and previews with the placeholder. The text effects' "None" has
// a preview movie, but a blank one, which would look like a thumbnail that failed.
bool StartsWithNone(const TGallery& gallery) {
  return gallery.Name != "Transitions" && gallery.Name != "Art Families";
}

}  // namespace

const std::vector<std::string>& GalleryListNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> out;
    for (const TGallery& g : Galleries()) out.push_back(g.Name);
    return out;
  }();
  return names;
}

int GalleryEntryCount(std::string_view list) {
  return GalleryNamed(list).Count();
}

std::optional<TGalleryMovie> GalleryMovie(const TGallerySources& sources, std::string_view list,
                                          int entry) {
  const TGallery& gallery = GalleryNamed(list);
  if (entry < 0 || entry >= gallery.Count())
    throw FileError("\"" + gallery.Name + "\" has no entry " + std::to_string(entry));
  if (entry == 0 && StartsWithNone(gallery)) return std::nullopt;
  try {
    TMovieBytes bytes = gallery.Movie(sources, entry);
    if (!bytes) return std::nullopt;
    return TGalleryMovie{gallery.File, std::move(*bytes)};
  } catch (const Error&) {
    // A damaged file previews as a missing one does: the placeholder stays on show.
    return std::nullopt;
  }
}

std::vector<uint8_t> PlaceholderMovie(const TDataRoot& data) {
  return ReadWholeFile(data.Require(kPlaceholderMovie).string());
}

}  // namespace orvanta
