#include "shell/gallery_preview.h"

#include "builders/clips/clip_frame.h"
#include "media/swf_reader.h"
#include "platform/stream.h"
#include "platform/text_file.h"
#include "project/field_value.h"
#include "shell/api_errors.h"

namespace orvanta {

namespace {

void CheckColours(const std::map<std::string, std::string>& colours) {
  for (const auto& [name, typed] : colours) {
    const int field = FindField(TEditorId::ShapeStyle, name);
    if (field < 0) throw RequestError("\"" + name + "\" is not a colour of the shape gallery");
    std::string problem;
    NormaliseTypedValue(FieldRegistry()[size_t(field)], typed, problem);
    if (!problem.empty()) throw RequestError(name + ": " + problem);
  }
}

TClipFrame FrameOf(const std::vector<uint8_t>& swf) {
  TMemoryViewStream stream(swf);
  TSWFStreamReader reader(stream);
  return reader.Valid ? TClipFrame::Of(reader.Header()) : TClipFrame{};
}

}  // namespace

nlohmann::json WriteGalleryPreview(const TGallerySources& sources,
                                   const std::filesystem::path& workFolder, const std::string& list,
                                   int entry, const std::map<std::string, std::string>& colours) {
  CheckColours(colours);
  std::optional<TGalleryMovie> movie = GalleryMovie(sources, list, entry);
  if (!movie) movie = TGalleryMovie{kPlaceholderMovie, PlaceholderMovie(sources.Data)};
  // The player may still be reading the previous preview: it is replaced in one step.
  WriteFileAtomically(workFolder / movie->File, movie->Bytes);
  const TClipFrame frame = FrameOf(movie->Bytes);
  const bool clip = list == "Library Clips" && movie->File != kPlaceholderMovie;
  return {
      {"movie", movie->File},
      {"width", frame.Width},
      {"height", frame.Height},
      {"caption", clip ? std::to_string(frame.Width) + "x" + std::to_string(frame.Height) : ""}};
}

}  // namespace orvanta
