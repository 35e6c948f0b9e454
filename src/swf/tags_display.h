#pragma once

#include <bitset>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "swf/action_list.h"
#include "swf/swf_object.h"
#include "swf/swf_records.h"

namespace orvanta {

class TSWFFilterList;

class TSWFRemoveObject : public TSWFObject {
 public:
  TSWFRemoveObject() : TSWFObject(TTagCode::RemoveObject) {}

  uint16_t CharacterId = 0;
  uint16_t Depth = 0;

  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

class TSWFRemoveObject2 : public TSWFObject {
 public:
  TSWFRemoveObject2() : TSWFObject(TTagCode::RemoveObject2) {}

  uint16_t Depth = 0;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override { return 3; }
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

// Common base of the three place tags.
class TSWFBasedPlaceObject : public TSWFObject {
 public:
  uint16_t CharacterId = 0;
  uint16_t Depth = 0;

  void Assign(const TBasedSWFObject& Source) override;
  virtual void SetCharacterId(uint16_t id) { CharacterId = id; }

 protected:
  using TSWFObject::TSWFObject;
};

// PlaceObject: the matrix is always present, the colour transform (without alpha) only when it
// has terms or was found in a file.
class TSWFPlaceObject : public TSWFBasedPlaceObject {
 public:
  TSWFPlaceObject() : TSWFBasedPlaceObject(4) {}

  TSWFMatrix Matrix;
  TSWFColorTransform ColorTransform;
  bool HasColorTransform = false;

  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;

 private:
  bool WritesColorTransform() const;
};

// The clip events, numbered in their SWF order. In memory a set of them is one 19-bit value;
// in a file they take 16 bits before SWF 6 and 32 bits (with reserved gaps) from SWF 6 on.
enum TSWFClipEvent : unsigned {
  kClipEventKeyUp = 0,
  kClipEventKeyDown,
  kClipEventMouseUp,
  kClipEventMouseDown,
  kClipEventMouseMove,
  kClipEventUnload,
  kClipEventEnterFrame,
  kClipEventLoad,
  kClipEventDragOver,
  kClipEventRollOut,
  kClipEventRollOver,
  kClipEventReleaseOutside,
  kClipEventRelease,
  kClipEventPress,
  kClipEventInitialize,
  kClipEventData,
  kClipEventConstruct,
  kClipEventKeyPress,
  kClipEventDragOut,
};

using TSWFClipEventFlags = std::bitset<19>;

inline TSWFClipEventFlags ClipEvents(std::initializer_list<TSWFClipEvent> events) {
  TSWFClipEventFlags flags;
  for (TSWFClipEvent e : events) flags.set(e);
  return flags;
}

// One event handler of a placed clip: the events it answers and its actions.
class TSWFClipActionRecord {
 public:
  TSWFClipEventFlags EventFlags;
  TSWFActionList Actions;

  uint8_t KeyCode() const { return keyCode_; }
  // A key code other than 0 makes the record answer KeyPress; 0 stops it.
  void SetKeyCode(uint8_t code);
  void Assign(const TSWFClipActionRecord& Source);

 private:
  friend class TSWFClipActions;
  uint8_t keyCode_ = 0;
};

class TSWFClipActions {
 public:
  // The union of the records' events (as found in the file when read).
  TSWFClipEventFlags AllEventFlags;
  std::vector<std::unique_ptr<TSWFClipActionRecord>> Records;

  size_t Count() const { return Records.size(); }
  // Appends a record for the events (KeyPress added when keyCode is not 0).
  TSWFClipActionRecord& AddRecord(TSWFClipEventFlags eventFlags, uint8_t keyCode = 0);
  void Assign(const TSWFClipActions& Source);

  // True when at least one record would be written (a record without events cannot be).
  bool HasWritableRecords() const;
  // True when some record answers an event that only exists from SWF 6 on.
  bool NeedsWideEvents() const;

  // From the reserved word to the end marker. The records must lie before End (an absolute
  // position in the engine's stream).
  void ReadFromStream(TBitsEngine& Engine, int eventVersion, bool parseActions, uint64_t end);
  void WriteToStream(TBitsEngine& Engine, int eventVersion) const;
};

// PlaceObject2; also the body layout that PlaceObject3 extends through the *3 hooks.
class TSWFPlaceObject2 : public TSWFBasedPlaceObject {
 public:
  TSWFPlaceObject2();
  ~TSWFPlaceObject2() override;

  uint16_t ClipDepth = 0;
  std::string Name;
  // Reading only: decode clip-action bytes into actions instead of keeping them raw.
  bool ParseActions = false;
  bool PlaceFlagHasCharacter = false;
  bool HasClipActions = false;
  bool HasClipDepth = false;
  bool HasColorTransform = false;
  bool HasMatrix = false;
  bool HasName = false;
  bool HasRatio = false;
  bool PlaceFlagMove = false;
  uint16_t Ratio = 0;
  // The SWF version that decides the width of clip-event flags.
  int EventVersion = 3;

  // Created on first use; each sets its presence flag.
  TSWFClipActions& ClipActions();
  TSWFColorTransform& ColorTransform();
  TSWFMatrix& Matrix();
  // The sub-records if they exist, without creating them.
  const TSWFClipActions* ExistingClipActions() const { return clipActions_.get(); }
  const TSWFColorTransform* ExistingColorTransform() const { return colorTransform_.get(); }
  const TSWFMatrix* ExistingMatrix() const { return matrix_.get(); }

  void SetCharacterId(uint16_t id) override;
  void SetClipDepth(uint16_t depth);
  void SetName(const std::string& name);
  void SetRatio(uint16_t ratio);

  // True when clip actions go into the body.
  bool WritesClipActions() const;
  // The event version the clip actions are written with: 5 below SWF 6, or at least 6 when a
  // record answers an event of SWF 6.
  int ClipEventVersion() const;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override;
  void TakeTimelineContext(const TTimelineContext& Context) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;

 protected:
  explicit TSWFPlaceObject2(uint16_t code);
  // PlaceObject3 hooks, empty here: the tail after ClipDepth, the flags byte after the first,
  // and the class name after Depth.
  virtual void ReadTail3(TBitsEngine& Engine);
  virtual void ReadFlags3(TBitsEngine& Engine);
  virtual void WriteFlags3(TBitsEngine& Engine);
  virtual void WriteTail3(TBitsEngine& Engine);
  virtual void ReadClassName3(TBitsEngine& Engine);
  virtual void WriteClassName3(TBitsEngine& Engine);

 private:
  std::unique_ptr<TSWFClipActions> clipActions_;
  std::unique_ptr<TSWFColorTransform> colorTransform_;
  std::unique_ptr<TSWFMatrix> matrix_;
};

class TSWFPlaceObject3 : public TSWFPlaceObject2 {
 public:
  TSWFPlaceObject3();
  ~TSWFPlaceObject3() override;

  uint8_t BlendMode = 0;
  bool HasCacheAsBitmap = false;
  // The cache byte that SWF 10 and later place after the blend mode (0 off, else on).
  uint8_t BitmapCache = 1;
  bool HasBlendMode = false;
  bool HasFilterList = false;
  // Written with the PlaceObject2 code and layout (the PlaceObject3 additions left out).
  bool WriteAsPlaceObject2 = false;
  bool HasImage = false;
  bool HasClassName = false;
  std::string ClassName;
  // SWF 11: whether the instance is shown (0 hides it), and the colour it is drawn on.
  bool HasVisible = false;
  uint8_t Visible = 1;
  bool HasOpaqueBackground = false;
  TSWFRGBA BackgroundColor{true};

  // Created on first use; sets HasFilterList.
  TSWFFilterList& FilterList();
  const TSWFFilterList* ExistingFilterList() const { return filterList_.get(); }
  void SetClassName(const std::string& name);

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override;

 protected:
  uint16_t HeaderCode() const override;
  void ReadTail3(TBitsEngine& Engine) override;
  void ReadFlags3(TBitsEngine& Engine) override;
  void WriteFlags3(TBitsEngine& Engine) override;
  void WriteTail3(TBitsEngine& Engine) override;
  void ReadClassName3(TBitsEngine& Engine) override;
  void WriteClassName3(TBitsEngine& Engine) override;

 private:
  bool WritesFilterList() const;
  // Players before SWF 10 know no cache byte: it is written where they cannot misread it, at
  // the end of the tag, or ahead of clip actions only from version 10 on.
  bool HasBitmapCacheByte(bool clipActionsFollow) const;
  bool WritesClassName() const;
  std::unique_ptr<TSWFFilterList> filterList_;
};

// A movie clip definition: its own timeline of control tags.
class TSWFDefineSprite : public TSWFObject {
 public:
  // Sprites nested deeper than this are refused when read.
  static constexpr int kMaxNesting = 64;

  TSWFDefineSprite() : TSWFObject(TTagCode::DefineSprite) {}

  uint16_t SpriteID = 0;
  uint16_t FrameCount = 0;
  std::vector<std::unique_ptr<TSWFObject>> ControlTags;
  // Reading only: handed to the nested tags that hold actions or clip events.
  bool ParseActions = false;
  int EventVersion = 3;
  // Reading only: how many sprites enclose this one.
  int NestingLevel = 0;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
  void TakeTimelineContext(const TTimelineContext& Context) override;
};

}  // namespace orvanta
