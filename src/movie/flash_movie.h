#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/random.h"
#include "swf/swf_stream.h"

namespace orvanta {

class TBasedSWFObject;
class TFlashIDObject;
class TSWFFileAttributes;
class TSWFObject;
class TSWFRGB;

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

  uint16_t NextCharacterID() const { return nextCharacterID_; }
  // Moves the next id on; ids are never reused.
  void SetNextCharacterID(uint16_t id) { nextCharacterID_ = id; }
  // The build's random source (password salts, effects); seed it for reproducible output.
  TRandom& Random() { return random_; }

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
  TFlashIDObject* AddIDObject(std::unique_ptr<TFlashIDObject> obj, bool setID);

  // Removes the object placed at Depth: a RemoveObject for Obj's id when given, else a
  // RemoveObject2.
  TSWFObject* RemoveObject(uint16_t depth, const TFlashIDObject* obj = nullptr);
  TSWFObject* ExportAssets(const std::string& name, uint16_t id);
  // Closes the frame being built: label, frame actions, then Count ShowFrame tags (0 means 1).
  void ShowFrame(int count = 1);

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
  uint16_t nextCharacterID_ = 1;
  TRandom random_;
};

}  // namespace orvanta
