#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "media/filter_settings.h"
#include "platform/random.h"
#include "swf/swf_stream.h"

namespace orvanta {

class TBasedSWFObject;
class TFlashActionScript;
class TBitsEngine;
class TFlashButton;
class TFlashExternalMovie;
class TFlashFont;
class TFlashText;
struct TFontDescription;
class TFlashIDObject;
class TFlashImage;
struct TFlashPoint;
class TFlashShape;
class TFlashSound;
class TFlashPlaceObject;
class TFlashSprite;
class TFlashVisualObject;
class TSWFFileAttributes;
class TSWFObject;
class TSWFRGB;
class TSWFStartSound;
class TStream;

// The movie document: hands out character ids, keeps the ordered list of everything that goes into
// the file, closes frames, serialises the list (MakeData) and writes the file (SaveToFile).
// Every object added to it belongs to it.
class TFlashMovie : public TBasedSWFStream {
 public:
  using ObjectListType = std::vector<std::unique_ptr<TBasedSWFObject>>;

  // The frame rectangle is given in units: pixels when PixelUnits, else twips.
  TFlashMovie(int32_t XMin, int32_t YMin, int32_t XMax, int32_t YMax, double FPS,
              bool PixelUnits = false);
  ~TFlashMovie() override;

  // Where AddFlashObject inserts: 0 appends, 1 inserts at AddPosition, 2 inserts before the
  // ShowFrame that precedes AddPosition. AddPosition -1 stands for the last index.
  uint8_t AddMode = 0;
  int32_t AddPosition = 0;

  // Cleared by the application when it draws its own background; set by every access to
  // BackgroundColor().
  bool HasBackgroundColor = false;
  TSWFRGB& BackgroundColor();

  // Index of the last closed frame (FrameCount - 1 after each ShowFrame).
  int32_t CurrentFrameNum = -1;
  // Label of the frame being built, emitted by ShowFrame.
  std::string FrameLabel;
  // The highest depth ever placed.
  uint16_t MaxDepth = 0;
  std::string Password;
  bool Protect = false;
  std::string Metadata;
  bool UseFileAttributes = false;
  TSWFFileAttributes& FileAttributes();
  // Bitmap fills compensate for the 20x bitmap scale of players before version 8.
  bool CorrectImageFill = true;

  // 65,536 once every id is taken: adding another character then raises an error.
  int32_t NextCharacterID() const { return nextCharacterID_; }
  // Moves the next id on; ids are never reused.
  void SetNextCharacterID(uint16_t id) { nextCharacterID_ = id; }
  // The build's random source (password salts, import font prefixes, effects): the movie's own,
  // clock-seeded, until UseRandom hands it the caller's; seed it for reproducible output.
  TRandom& Random() { return *random_; }
  // Draws from the caller's generator from now on, so that one seed drives a whole build of
  // several movies. The generator must outlive the movie.
  void UseRandom(TRandom& random) { random_ = &random; }

  const ObjectListType& ObjectList() const { return objects_; }

  // Inserts Obj at the insertion point; returns it.
  TBasedSWFObject* AddFlashObject(std::unique_ptr<TBasedSWFObject> obj);
  template <class T>
  T* Add(std::unique_ptr<T> obj) {
    T* raw = obj.get();
    AddFlashObject(std::move(obj));
    return raw;
  }
  // Adds a builder object, makes the movie its owner and, when setID, gives it the next id.
  // Raises an error, adding nothing, when every id up to 65,535 is taken.
  TFlashIDObject* AddIDObject(std::unique_ptr<TFlashIDObject> obj, bool setID);

  // Removes the object placed at Depth: a RemoveObject for Obj's id when given, else a
  // RemoveObject2.
  TSWFObject* RemoveObject(uint16_t depth, const TFlashIDObject* obj = nullptr);
  TSWFObject* ExportAssets(const std::string& name, uint16_t id);
  // Closes the frame being built: label, frame actions, then Count ShowFrame tags (0 means 1).
  // Raises an error, adding nothing, when the movie would pass 65,535 frames.
  void ShowFrame(int count = 1);
  // The script of the frame being built, created on first access; ShowFrame moves it into the
  // object list, where it is written as a DoAction tag.
  TFlashActionScript& FrameActions();

  int FramePosition(int n) override;
  int MakeData() override;
  void MoveResource(int destFrame, int fromFrame, int toFrame) override;

 protected:
  void VersionChanged() override;

 private:
  bool IsShowFrame(size_t index) const;
  bool IsResource(const TBasedSWFObject& obj) const;
  void Append(std::unique_ptr<TBasedSWFObject> obj);

  ObjectListType objects_;
  std::unique_ptr<TSWFRGB> backgroundColor_;
  std::unique_ptr<TSWFFileAttributes> fileAttributes_;
  std::unique_ptr<TFlashActionScript> frameActions_;
  int32_t nextCharacterID_ = 1;
  TRandom ownRandom_;
  TRandom* random_ = &ownRandom_;

  // Display list: sprites, placements and buttons
 public:
  // Places Obj (none for a placement without a character) at Depth; raises MaxDepth.
  TFlashPlaceObject* PlaceObject(TFlashVisualObject* obj, uint16_t depth);
  // A new sprite with the next id; Content, when given, is placed in it at depth 1.
  TFlashSprite* AddSprite(TFlashVisualObject* content = nullptr);
  // A new button with the next id: a DefineButton2 when useButton2, else a DefineButton.
  TFlashButton* AddButton(bool trackAsMenu = false, bool useButton2 = true);
  // Moves Obj to the place of Anchor when it stands after it in the object list, so that a
  // definition precedes what uses it. False when nothing moved.
  bool MoveObjectBefore(const TBasedSWFObject& obj, const TBasedSWFObject& anchor);
  // Non-owning views of the object list, in creation order.
  std::vector<TFlashSprite*> Sprites;
  std::vector<TFlashButton*> Buttons;
  // The parameters new filters start from; created on first use.
  TFlashFilterSettings& FilterSettings();

 private:
  std::unique_ptr<TFlashFilterSettings> filterSettings_;
  // End of the display-list block

  // Shapes
 public:
  // Each adds a new shape with the next character id, in units; the shape belongs to the movie.
  TFlashShape* AddShape();
  // Adds a shape made outside; it takes the next id and belongs to the movie from now on.
  TFlashShape* AddShape(std::unique_ptr<TFlashShape> shape);
  TFlashShape* AddRectangle(int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax);
  TFlashShape* AddRoundRect(int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax, int32_t radius);
  TFlashShape* AddEllipse(int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax);
  TFlashShape* AddCircle(int32_t x, int32_t y, int32_t r);
  // Starts at the middle of the top edge.
  TFlashShape* AddDiamond(int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax);
  // One open edge; the bounds are the two points.
  TFlashShape* AddLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  // A closed outline through the points; the bounds are their box.
  TFlashShape* AddPolygon(std::span<const TFlashPoint> points);
  // Centred at (x, y); the bounds are the square of half-side max(r1, r2).
  TFlashShape* AddStar(int32_t x, int32_t y, int32_t r1, int32_t r2, int numPoints, bool curved);
  // Non-owning view of the object list, in creation order.
  std::vector<TFlashShape*> Shapes;
  // End of the shapes block

  // Sound
 public:
  // Adds a sound file as an event sound with the next character id and lists it in Sounds. A
  // missing file gives a sound without data.
  TFlashSound* AddSound(const std::string& fileName);
  // Inserts a StartSound tag for the sound id; the caller sets its sound info.
  TSWFStartSound* StartSound(uint16_t soundID);
  // The streaming sound of the main timeline, created on first access; the access also turns
  // background streaming on. Load its file with LoadFromFile.
  TFlashSound& BackgroundSound();
  bool BackgroundStreaming() const { return backgroundStreaming_ && backgroundSound_; }
  void SetBackgroundStreaming(bool on) { backgroundStreaming_ = on; }
  // Serialising: the stream head (raising version to what the sound needs) before the object
  // list, and the stream block due before the ShowFrame that closes frame `frames` (counted
  // from 0). Both do nothing unless background streaming is on.
  void WriteBackgroundSoundHead(TBitsEngine& engine, int& version);
  void WriteBackgroundSoundBlock(TBitsEngine& engine, int frames);
  // Non-owning view of the object list, in creation order.
  std::vector<TFlashSound*> Sounds;

 private:
  // Defined beside the sound operations, so that this header needs no sound class.
  struct TFlashSoundDeleter {
    void operator()(TFlashSound* sound) const;
  };
  std::unique_ptr<TFlashSound, TFlashSoundDeleter> backgroundSound_;
  bool backgroundStreaming_ = false;
  // End of the sound block

  // Fonts and text
 public:
  // A font embedded from a font description: its size is the absolute height, in units.
  TFlashFont* AddFont(const TFontDescription& font, bool asDevice = false);
  // Static cp1252 text at an origin (units); align 0 left, 1 right, 2 centre, 3 justify.
  TFlashText* AddText(const std::string& text, const TSWFRGBA& color, TFlashFont* font,
                      const TFlashPoint& origin, uint8_t align = 0);
  // A text field holding Unicode text in a rectangle (units).
  TFlashText* AddDynamicText(const std::u16string& text, const TSWFRGBA& color, TFlashFont* font,
                             const TRect& rect);
  // Non-owning views of the object list, in creation order.
  std::vector<TFlashFont*> Fonts;
  std::vector<TFlashText*> Texts;
  // End of the fonts and text block

  // Images
 public:
  // Consulted before an image loads a file; clearing continueLoading means the hook supplied
  // the picture itself.
  std::function<void(TFlashImage& image, const std::string& fileName, bool& continueLoading)>
      OnLoadCustomImage;
  // Takes picture files whose extension the image does not know; without it they fail.
  std::function<void(TFlashImage& image, const std::string& fileName)> UnsupportedImageHook;
  // A new image with the next character id, loaded from the file when one is named (JPEG or
  // BMP); without a name the caller hands its data over later.
  TFlashImage* AddImage(const std::string& fileName = std::string());
  // Non-owning view of the object list, in creation order.
  std::vector<TFlashImage*> Images;
  // End of the images block

  // External movies
 public:
  // Imports a whole SWF movie (mode: TFlashExternalMovie::kImport*). It takes the next id, and
  // with renumber its characters take the ids after it (after the sprite's in mode 3, where
  // the source's timeline becomes the import's Sprite, listed in Sprites, for the caller to
  // place). FWS, CWS and ZWS sources are read.
  // Failures add nothing and leave the movie as it was; a caller that goes on without the
  // import catches Error, the base of all of them: FileError when the file cannot be opened,
  // StreamError when reading it fails, FormatError when it is not a SWF, is cut short,
  // corrupt, or needs ids past 65535. Each message names the source.
  TFlashExternalMovie* AddExternalMovie(const std::string& fileName, uint8_t mode = 3,
                                        bool renumber = true);
  TFlashExternalMovie* AddExternalMovie(TStream& stream, uint8_t mode = 3, bool renumber = true);

 private:
  TFlashExternalMovie* AddExternalMovie(std::unique_ptr<TFlashExternalMovie> movie,
                                        const std::string& sourceName, uint8_t mode, bool renumber);
  // Serialising: an import writes its frames and placements inside itself; they count.
  void CountExternalFrames(const TBasedSWFObject& obj, int& frames, bool& placed) const;
  // End of the external movies block
};

}  // namespace orvanta
