// The movie's import of whole external movies.

#include <algorithm>
#include <string>

#include "media/flash_external_movie.h"
#include "media/swf_reader.h"
#include "movie/flash_movie.h"
#include "movie/flash_sprite.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/tag_codes.h"

namespace orvanta {

namespace {

// Why a loaded source cannot be imported, or empty when it can. Bytes after the End tag are
// no part of the movie; without an End, the data must end where its last tag does.
std::string SourceProblem(TSWFStreamReader& reader) {
  if (!reader.Valid)
    return "it is not a SWF movie (it starts with none of FWS, CWS and ZWS)";
  for (const auto& info : reader.TagList)
    if (info->TagID == ToCode(TTagCode::End)) return std::string();
  const uint64_t size = reader.BodyStream().Size();
  uint64_t covered = 0;
  if (!reader.TagList.empty()) {
    const TSWFTagInfo& last = *reader.TagList.back();
    covered = last.Position + last.TotalSize();
    if (covered > size)
      return "it is cut short: its last tag (" + TSWFStreamReader::TagName(last.StoredCode()) +
             ") declares " + std::to_string(last.BodySize) + " bytes, only " +
             std::to_string(size -
                            std::min<uint64_t>(size, last.Position + (last.LongHeader ? 6 : 2))) +
             " remain";
  }
  if (covered < size) return "it is cut short inside a tag header";
  // Without an End tag, only the length in the header tells a movie cut at a tag boundary; a
  // movie that lacks nothing but its End is whole.
  const uint64_t length = reader.HeaderSize() + size;
  if (reader.Header().FileLength > length + 2)
    return "it is cut short: the header declares " + std::to_string(reader.Header().FileLength) +
           " bytes, " + std::to_string(length) + " are there";
  return std::string();
}

// Load failures name the source, whatever stream error raised them.
template <class Load>
std::unique_ptr<TFlashExternalMovie> LoadSource(const std::string& sourceName, Load load) {
  try {
    return load();
  } catch (const FormatError& e) {
    throw FormatError("cannot import " + sourceName + ": " + e.what());
  } catch (const StreamError& e) {
    throw StreamError("cannot import " + sourceName + ": " + e.what());
  }
}

}  // namespace

TFlashExternalMovie* TFlashMovie::AddExternalMovie(const std::string& fileName, uint8_t mode,
                                                   bool renumber) {
  const std::string name = "\"" + fileName + "\"";
  // A file that cannot be opened raises a FileError that names it already.
  auto movie =
      LoadSource(name, [&] { return std::make_unique<TFlashExternalMovie>(this, fileName); });
  return AddExternalMovie(std::move(movie), name, mode, renumber);
}

TFlashExternalMovie* TFlashMovie::AddExternalMovie(TStream& stream, uint8_t mode, bool renumber) {
  auto movie =
      LoadSource("the stream", [&] { return std::make_unique<TFlashExternalMovie>(this, stream); });
  return AddExternalMovie(std::move(movie), "the stream", mode, renumber);
}

TFlashExternalMovie* TFlashMovie::AddExternalMovie(std::unique_ptr<TFlashExternalMovie> movie,
                                                   const std::string& sourceName, uint8_t mode,
                                                   bool renumber) {
  const bool asSprite = mode == TFlashExternalMovie::kImportAsSprite;
  movie->ImportMode = mode;
  TSWFStreamReader& reader = movie->Reader();
  // Objects for every tag; scripts stay bytes, which is all a copy needs.
  reader.ParseTags(true, false);
  if (std::string problem = SourceProblem(reader); !problem.empty())
    throw FormatError("cannot import " + sourceName + ": " + problem);

  // Everything that can fail is checked before the movie changes.
  const int ownId = nextCharacterID_;
  const int count = movie->CharacterCount();
  const int next = ownId + count + (asSprite ? 1 : 0) + 1;
  if (next > UINT16_MAX)
    throw FormatError("cannot import " + sourceName + ": its " + std::to_string(count) +
                      " characters need ids up to " + std::to_string(next - 1) +
                      ", past the last id 65535");

  TFlashExternalMovie* raw = movie.get();
  AddIDObject(std::move(movie), true);
  if (renumber) raw->Renumber(ownId + (asSprite ? 1 : 0));
  // One id after the imported range stays unused.
  nextCharacterID_ = next;

  if (asSprite) {
    auto sprite = std::make_unique<TFlashSprite>(this);
    sprite->SetCharacterId(raw->CharacterId());
    sprite->SetFrameCount(reader.FrameCount());
    Sprites.push_back(sprite.get());
    raw->SetSprite(std::move(sprite));
  }
  return raw;
}

void TFlashMovie::CountExternalFrames(const TBasedSWFObject& obj, int& frames, bool& placed) const {
  auto* external = dynamic_cast<const TFlashExternalMovie*>(&obj);
  if (!external) return;
  frames += external->WrittenFrames();
  if (external->WrotePlacements()) placed = true;
}

}  // namespace orvanta
