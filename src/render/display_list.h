#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "swf/swf_records.h"

namespace orvanta {
class TSWFObject;
class TSWFStreamReader;
class TSWFFilterList;
class TSWFJPEGTables;
class TSWFDefineFontInfo;
class TSWFDefineButtonCxform;
class TSWFDefineSprite;
}  // namespace orvanta

namespace orvanta::render {

// The definitions a movie has made so far, by character id. The first definition of an id wins,
// as in the player.
class TCharacterDictionary {
 public:
  // Records the tag when it defines something; other tags are ignored.
  void Define(const TSWFObject& tag);

  const TSWFObject* Find(uint16_t id) const;
  const TSWFJPEGTables* JPEGTables() const { return jpegTables_; }
  // The DefineFontInfo naming the glyphs of a DefineFont, if any.
  const TSWFDefineFontInfo* FontInfo(uint16_t fontId) const;
  const TSWFDefineButtonCxform* ButtonCxform(uint16_t buttonId) const;

  // The id a definition tag defines; none for other tags.
  static std::optional<uint16_t> DefinedId(const TSWFObject& tag);

 private:
  std::unordered_map<uint16_t, const TSWFObject*> characters_;
  std::unordered_map<uint16_t, const TSWFDefineFontInfo*> fontInfos_;
  std::unordered_map<uint16_t, const TSWFDefineButtonCxform*> buttonCxforms_;
  const TSWFJPEGTables* jpegTables_ = nullptr;
};

// The control tags of a timeline, one list per frame.
struct TTimeline {
  std::vector<std::vector<const TSWFObject*>> Frames;
  int FrameCount() const { return static_cast<int>(Frames.size()); }
};

// Splits a tag sequence at its ShowFrame tags. Tags after the last ShowFrame still run, as a
// frame of their own (the player runs them too); a declared frame count beyond the frames
// found adds empty frames. A timeline has at least one frame.
TTimeline SplitFrames(const std::vector<const TSWFObject*>& tags, int declaredFrames = 0);

struct TDisplayObject;
using TDisplayList = std::map<uint16_t, std::unique_ptr<TDisplayObject>>;

// One instance on a display list.
struct TDisplayObject {
  uint16_t Depth = 0;
  uint16_t CharacterId = 0;
  const TSWFObject* Character = nullptr;
  TSWFMatrix Matrix;
  TSWFColorTransform ColorTransform;
  uint16_t Ratio = 0;
  // Masks the objects above it up to this depth; 0 for none.
  uint16_t ClipDepth = 0;
  uint8_t BlendMode = 0;
  const TSWFFilterList* Filters = nullptr;
  bool Visible = true;
  // A colour filling the object's bounds behind it.
  std::optional<TSWFRGBA> OpaqueBackground;
  // The frame of the parent's timeline whose tags created this instance.
  int CreatedFrame = 0;

  // Sprites: their own timeline and position in it; buttons: the characters of their up state.
  const TTimeline* Timeline = nullptr;
  int CurrentFrame = 0;
  TDisplayList Children;
};

// Bounds that keep a hostile file from making the player work or allocate without end.
struct TPlayLimits {
  int MaxNesting = 64;
  size_t MaxObjects = 100000;
  uint64_t MaxWork = 50'000'000;
};

// Plays a movie's display list the way the player does, without running scripts: each frame
// runs its place and remove tags; sprites start at their first frame when placed and advance
// one frame per frame of their parent, looping at their end; a loop removes what later frames
// placed and runs the first frame again. Buttons show their up state.
class TMoviePlayer {
 public:
  // The reader's tags must have been parsed into objects; the reader must outlive the player.
  explicit TMoviePlayer(const TSWFStreamReader& reader, const TPlayLimits& limits = {});
  ~TMoviePlayer();
  TMoviePlayer(const TMoviePlayer&) = delete;
  TMoviePlayer& operator=(const TMoviePlayer&) = delete;

  int FrameCount() const { return main_.FrameCount(); }
  int CurrentFrame() const { return root_.CurrentFrame; }
  // Plays on to frame n (1-based); an earlier frame starts again from the first. FormatError
  // past the last frame, or when the movie breaks the limits.
  void GotoFrame(int n);

  const TDisplayList& DisplayList() const { return root_.Children; }
  const TCharacterDictionary& Dictionary() const { return dictionary_; }
  // The colour of the first SetBackgroundColor run so far.
  const std::optional<TSWFRGB>& BackgroundColor() const { return background_; }

 private:
  void Reset();
  void RunFrame(TDisplayObject& owner, int frame, bool rewinding, int nesting);
  void Advance(TDisplayObject& object, int nesting);
  void RunTag(TDisplayObject& owner, const TSWFObject& tag, int frame, bool rewinding, int nesting);
  std::unique_ptr<TDisplayObject> Instantiate(uint16_t id, int nesting);
  void StartInstance(TDisplayObject& object, int nesting);
  const TTimeline* SpriteTimeline(const TSWFDefineSprite& sprite);
  void Work(uint64_t units);
  void Erase(TDisplayList& list, TDisplayList::iterator it);

  const TSWFStreamReader& reader_;
  TPlayLimits limits_;
  TTimeline main_;
  TDisplayObject root_;
  TCharacterDictionary dictionary_;
  std::optional<TSWFRGB> background_;
  std::unordered_map<const TSWFObject*, std::unique_ptr<TTimeline>> timelines_;
  uint64_t work_ = 0;
  size_t objects_ = 0;
};

}  // namespace orvanta::render
