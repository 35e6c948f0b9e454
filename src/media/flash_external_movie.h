#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "movie/flash_object.h"

namespace orvanta {

class TFlashSprite;
class TRandom;
class TStream;
class TSWFObject;
class TSWFStreamReader;

// Consulted for every tag an import is about to copy; clearing Write drops the tag.
using TWriteTagEvent = std::function<void(TSWFObject& Tag, bool& Write)>;

// A whole SWF movie imported into the movie being built. Its characters take fresh ids that do
// not collide with the movie's own, and when the movie is written its tags are copied into the
// output: as they are, without their frames or display list, or with the timeline wrapped in a
// sprite (the way every template is imported).
class TFlashExternalMovie : public TFlashIDObject {
 public:
  // How the tags reach the output.
  enum : uint8_t {
    // Every tag in order, in the main timeline, frames included.
    kImportWholeMovie = 0,
    // Definitions only: no frames, placements, removals or event sounds.
    kImportDefinitions = 1,
    // Everything but the frames: the source's display list lands in the current frame.
    kImportDefinitionsAndDisplayList = 2,
    // Definitions in the main timeline, the timeline in Sprite.
    kImportAsSprite = 3,
  };

  // Loads the header and body of the source (tags are not parsed yet). An unreadable file, or a
  // compressed stream that ends early, raises the error of the stream.
  TFlashExternalMovie(TFlashMovie* owner, const std::string& fileName);
  TFlashExternalMovie(TFlashMovie* owner, TStream& stream);
  ~TFlashExternalMovie() override;

  uint8_t ImportMode = kImportWholeMovie;
  TWriteTagEvent OnWriteTag;
  // Gives the imported fonts names of their own, so that two imports embedding different
  // subsets of one face do not share glyphs in the player.
  bool RenameFonts = true;

  TSWFStreamReader& Reader() const { return *reader_; }
  // The sprite that receives the source's timeline in mode 3 (none before the first write of an
  // import not made by the movie).
  TFlashSprite* Sprite() const { return sprite_.get(); }
  void SetSprite(std::unique_ptr<TFlashSprite> sprite);

  // The character ids the source defines: the same set that renumbering gives new ids.
  int CharacterCount() const;
  // Gives the source's characters the ids base, base + 1, ... in file order; returns the next
  // free id.
  int Renumber(int base);

  // ShowFrame tags the last write put in the main timeline, and whether it placed anything
  // there: the movie counts its frames from them.
  int WrittenFrames() const { return writtenFrames_; }
  bool WrotePlacements() const { return wrotePlacements_; }

  // The highest version any copied tag needs.
  int MinVersion() const override;
  void WriteToStream(TBitsEngine& Engine) override;

 private:
  TRandom& Random();
  std::string DrawPrefix();
  std::unique_ptr<TSWFStreamReader> reader_;
  std::unique_ptr<TFlashSprite> sprite_;
  // Only for an import without an owner movie, whose random source would otherwise be used.
  std::unique_ptr<TRandom> random_;
  int writtenFrames_ = 0;
  bool wrotePlacements_ = false;
};

// Inserts prefix in front of every font name that a face attribute of the HTML text gives and
// that renamed(name) accepts, keeping everything else byte for byte. Only attributes of markup
// count: a "face" in the visible text or inside another attribute's value is left alone.
std::string PrefixHtmlFontFaces(const std::string& html, const std::string& prefix,
                                const std::function<bool(const std::string&)>& renamed);

}  // namespace orvanta
