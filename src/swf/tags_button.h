#pragma once

#include <bitset>
#include <cstdint>
#include <memory>
#include <vector>

#include "swf/action_list.h"
#include "swf/swf_object.h"
#include "swf/swf_records.h"

namespace orvanta {

class TSWFFilterList;

// The states a button record shows its character in. The in-memory values are not the SWF bit
// positions: the file has HitTest, Down, Over, Up from the high bit of the nibble.
enum : uint8_t {
  kButtonStateUp = 1,
  kButtonStateDown = 2,
  kButtonStateOver = 4,
  kButtonStateHitTest = 8,
};

// One character of a button and the states it is shown in.
class TSWFButtonRecord {
 public:
  TSWFButtonRecord();
  ~TSWFButtonRecord();
  TSWFButtonRecord(const TSWFButtonRecord&) = delete;
  TSWFButtonRecord& operator=(const TSWFButtonRecord&) = delete;

  uint8_t BlendMode = 0;
  bool ButtonHasBlendMode = false;
  bool ButtonHasFilterList = false;
  // A set of kButtonState* values.
  uint8_t States = 0;
  uint16_t CharacterID = 0;
  uint16_t PlaceDepth = 0;
  bool HasColorTransform = false;

  // Created on first use with HasAlpha; sets HasColorTransform.
  TSWFColorTransform& ColorTransform();
  TSWFMatrix& PlaceMatrix();
  // Created on first use; sets ButtonHasFilterList.
  TSWFFilterList& FilterList();
  const TSWFColorTransform* ExistingColorTransform() const { return colorTransform_.get(); }
  const TSWFMatrix* ExistingPlaceMatrix() const { return placeMatrix_.get(); }
  const TSWFFilterList* ExistingFilterList() const { return filterList_.get(); }

  void Assign(const TSWFButtonRecord& Source);

  // The first byte of the record: the blend-mode and filter flags (button 2 only) and the state
  // nibble in file order. A record whose first byte is 0 would read as the end of the list.
  uint8_t FlagsByte(bool button2) const;
  // DefineButton records have only the character, depth and matrix; DefineButton2 records
  // always carry a colour transform and, when flagged, filters and a blend mode.
  void WriteToStream(TBitsEngine& Engine, bool button2) const;
  // Reads the rest of a record whose first byte was Flags.
  void ReadFromStream(TBitsEngine& Engine, uint8_t flags, bool button2);

 private:
  std::unique_ptr<TSWFColorTransform> colorTransform_;
  std::unique_ptr<TSWFMatrix> placeMatrix_;
  std::unique_ptr<TSWFFilterList> filterList_;
};

// Base of DefineButton and DefineButton2: the id and the character records.
class TSWFBasedButton : public TSWFObject {
 public:
  ~TSWFBasedButton() override;

  uint16_t ButtonId = 0;
  std::vector<std::unique_ptr<TSWFButtonRecord>> Characters;
  // Reading only: decode the actions instead of keeping them as raw bytes.
  bool ParseActions = false;

  // Appends an empty record.
  TSWFButtonRecord& AddRecord();

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override { return 3; }

 protected:
  using TSWFObject::TSWFObject;
  // Reads records up to the end flag, or to the end of the body when the flag is missing.
  void ReadRecords(TBitsEngine& Engine, bool button2);
  // Writes the records and the end flag; records that would read as the end flag are left out.
  void WriteRecords(TBitsEngine& Engine, bool button2) const;
  // Reads an action block (decoded or raw) from the engine's position, taking at most Budget
  // bytes, and consumes its end flag when one is there.
  void ReadActionBlock(TBitsEngine& Engine, TSWFActionList& List, uint64_t budget) const;
};

// DefineButton (7): one action list, run when the button is released.
class TSWFDefineButton : public TSWFBasedButton {
 public:
  TSWFDefineButton() : TSWFBasedButton(7) {}

  TSWFActionList Actions;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

// The button transitions a condition action answers, as bit numbers of its Conditions.
enum TSWFButtonCondition : unsigned {
  kCondIdleToOverUp = 0,
  kCondOverUpToIdle,
  kCondOverUpToOverDown,
  kCondOverDownToOverUp,
  kCondOutDownToOverDown,
  kCondOverDownToOutDown,
  kCondOutDownToIdle,
  kCondIdleToOverDown,
  kCondOverDownToIdle,
};

using TSWFButtonConditions = std::bitset<9>;

// The actions a DefineButton2 runs on some transitions (or on a key press).
class TSWFButtonCondAction : public TSWFActionList {
 public:
  TSWFButtonConditions Conditions;
  // Only the low 7 bits are written.
  uint8_t KeyCode = 0;

  void Assign(const TSWFButtonCondAction& Source);
  // The two condition bytes in file order.
  uint16_t ConditionWord() const;
  void SetConditionWord(uint16_t word);
};

// DefineButton2 (34): records with colour transforms and condition-triggered action lists.
class TSWFDefineButton2 : public TSWFBasedButton {
 public:
  TSWFDefineButton2() : TSWFBasedButton(34) {}

  bool TrackAsMenu = false;
  std::vector<std::unique_ptr<TSWFButtonCondAction>> Actions;

  TSWFButtonCondAction& AddCondAction(TSWFButtonConditions conditions);

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

// DefineButtonCxform (23): a colour transform (without alpha) for a DefineButton.
class TSWFDefineButtonCxform : public TSWFObject {
 public:
  TSWFDefineButtonCxform() : TSWFObject(TTagCode::DefineButtonCxform) {}

  uint16_t ButtonId = 0;
  TSWFColorTransform ButtonColorTransform;
  // What follows the transform in a file, kept as read: Flash MX writes further transforms
  // there, which players ignore.
  std::vector<uint8_t> TrailingData;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override { return 2; }
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

}  // namespace orvanta
