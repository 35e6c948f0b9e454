#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "script/actions_basic.h"

namespace orvanta {

class TMarkerSlot;

// An entry of an action list that stands for a byte position: the target of a jump or the end
// of a block. Writing the list turns it into the offsets and sizes of the actions that refer
// to it. A placed marker belongs to its list; an unplaced one to the action that refers to it.
class TSWFOffsetMarker : public TSWFAction {
 public:
  TSWFOffsetMarker() : TSWFAction(kOffsetMarker) {}
  ~TSWFOffsetMarker() override;

  bool Placed = false;
  // Written before the action that refers to it, so the offset is known when that action is.
  bool Backward = true;
  // A disabled marker patches nothing; markers made by reading a file are disabled.
  bool Enabled = true;
  std::string Label;
  // Width of the patched field: 2 or 4 bytes.
  uint8_t OffsetSize = 2;
  // Absolute stream position of the referring field, from the last write.
  uint64_t FieldPosition = 0;
  // The marker's own stream position, from the last write.
  uint64_t StartPosition = 0;

  void Assign(const TSWFAction& Source) override;
  void ReadData(TBitsEngine&) override {}
  // Records the position; a forward marker goes back and fills in the field waiting for it.
  void WriteData(TBitsEngine& Engine) override;

  // Writes the field of a referring action into Data, that action's data buffer; FieldPos is the
  // field's absolute position in the final stream. A forward marker leaves a placeholder.
  void WriteReference(TBitsEngine& Data, uint64_t FieldPos);

  // Takes an unplaced marker from the branch action owning it; nullptr when none owns it.
  std::unique_ptr<TSWFOffsetMarker> ReleaseFromOwner();

 protected:
  // Where the distance to the marker counts from: the end of the referring field, which for
  // every branch action but Try is the end of its record.
  virtual uint64_t DistanceBase() const { return FieldPosition + OffsetSize; }

 private:
  friend class TMarkerSlot;
  void WriteDistance(TBitsEngine& Engine, int64_t Distance) const;

  TMarkerSlot* owner_ = nullptr;
  bool patchPending_ = false;
};

// The end of one block of a Try. The try block counts from the end of the Try record, the
// catch and finally blocks from the end of the block before them.
class TSWFTryOffsetMarker : public TSWFOffsetMarker {
 public:
  // A block always ends after its Try.
  TSWFTryOffsetMarker() { Backward = false; }

  // The marker ending the block before this one; none for the try block.
  TSWFTryOffsetMarker* PrevMarker = nullptr;
  // Where the block starts when there is no PrevMarker; the Try sets it while writing.
  uint64_t BlockStart = 0;

 protected:
  uint64_t DistanceBase() const override;
};

// The reference of a branch action to one marker, owning the marker while it is unplaced.
class TMarkerSlot {
 public:
  TMarkerSlot() = default;
  ~TMarkerSlot();
  TMarkerSlot(const TMarkerSlot&) = delete;
  TMarkerSlot& operator=(const TMarkerSlot&) = delete;

  TSWFOffsetMarker* Marker() const { return marker_; }
  void Own(std::unique_ptr<TSWFOffsetMarker> Marker);
  // Refers to a marker owned elsewhere (a list); nullptr clears the reference.
  void Link(TSWFOffsetMarker* Marker);
  std::unique_ptr<TSWFOffsetMarker> Release();

 private:
  TSWFOffsetMarker* marker_ = nullptr;
  std::unique_ptr<TSWFOffsetMarker> owned_;
};

// What Jump, If, With, DefineFunction, DefineFunction2 and Try share: offsets or block sizes
// that are either numbers (StaticOffset) or the distances to markers.
class TSWFBranchAction {
 public:
  virtual ~TSWFBranchAction() = default;
  TSWFBranchAction(const TSWFBranchAction&) = delete;
  TSWFBranchAction& operator=(const TSWFBranchAction&) = delete;

  // The stored numbers are written as they are; set by reading and by the number setters.
  bool StaticOffset = false;

  size_t MarkerCount() const { return markerCount_; }
  TSWFOffsetMarker* MarkerAt(size_t Index) const { return slots_[Index].Marker(); }
  // Refers to a marker placed in a list. False when the marker is of the wrong kind.
  bool LinkMarker(size_t Index, TSWFOffsetMarker* Marker);
  // Hands the action an unplaced marker to own. False when the marker is of the wrong kind.
  bool OwnMarker(size_t Index, std::unique_ptr<TSWFOffsetMarker> Marker);
  // A new marker of the kind the action refers to.
  virtual std::unique_ptr<TSWFOffsetMarker> NewMarker() const;

  // A target as the stored numbers give it: bytes from the end of the record.
  struct TTarget {
    size_t Slot;
    int64_t Offset;
    const char* Label;  // the label word for block ends, nullptr for plain targets
  };
  virtual std::vector<TTarget> StoredTargets() const = 0;

 protected:
  explicit TSWFBranchAction(size_t markerCount) : markerCount_(markerCount) {}
  virtual bool Accepts(const TSWFOffsetMarker&) const { return true; }
  // The marker of a slot, created on first request.
  TSWFOffsetMarker& ObtainMarker(size_t Index);
  // Writes an offset or size field: the stored number when static or when no enabled marker
  // stands for it, else the distance to the marker.
  void WriteTarget(TBitsEngine& Data, size_t Index, int64_t Stored);

  // Stream position of the record during the last write.
  uint64_t recordStart_ = 0;

 private:
  TMarkerSlot slots_[3];
  size_t markerCount_;
};

class TSWFActionJump : public TSWFAction4, public TSWFBranchAction {
 public:
  TSWFActionJump() : TSWFActionJump(0x99) {}

  int16_t BranchOffset = 0;
  void SetBranchOffset(int16_t Offset) {
    BranchOffset = Offset;
    StaticOffset = true;
  }
  TSWFOffsetMarker& Marker() { return ObtainMarker(0); }

  void Assign(const TSWFAction& Source) override;
  void ReadData(TBitsEngine& Engine) override;
  void WriteData(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) override;
  std::vector<TTarget> StoredTargets() const override;

 protected:
  explicit TSWFActionJump(uint8_t Code) : TSWFAction4(Code), TSWFBranchAction(1) {}
};

// Jumps when the value on the stack is true.
class TSWFActionIf : public TSWFActionJump {
 public:
  TSWFActionIf() : TSWFActionJump(0x9D) {}
};

class TSWFActionWith : public TSWFAction5, public TSWFBranchAction {
 public:
  TSWFActionWith() : TSWFAction5(0x94), TSWFBranchAction(1) {}

  uint16_t Size = 0;
  void SetSize(uint16_t Value) {
    Size = Value;
    StaticOffset = true;
  }
  TSWFOffsetMarker& Marker() { return ObtainMarker(0); }

  void Assign(const TSWFAction& Source) override;
  void ReadData(TBitsEngine& Engine) override;
  void WriteData(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) override;
  std::vector<TTarget> StoredTargets() const override;
};

class TSWFActionDefineFunction : public TSWFAction5, public TSWFBranchAction {
 public:
  TSWFActionDefineFunction() : TSWFAction5(0x9B), TSWFBranchAction(1) {}

  std::string FunctionName;
  std::vector<std::string> Params;
  uint16_t CodeSize = 0;
  void SetCodeSize(uint16_t Value) {
    CodeSize = Value;
    StaticOffset = true;
  }
  TSWFOffsetMarker& Marker() { return ObtainMarker(0); }

  void Assign(const TSWFAction& Source) override;
  void ReadData(TBitsEngine& Engine) override;
  void WriteData(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) override;
  std::vector<TTarget> StoredTargets() const override;
};

// A parameter of DefineFunction2: the register it is stored in (0 for none) and its name.
struct TSWFFunctionParam {
  uint8_t Register = 0;
  std::string ParamName;
  bool operator==(const TSWFFunctionParam&) const = default;
};

class TSWFActionDefineFunction2 : public TSWFAction7, public TSWFBranchAction {
 public:
  TSWFActionDefineFunction2() : TSWFAction7(0x8E), TSWFBranchAction(1) {}

  std::string FunctionName;
  uint8_t RegisterCount = 0;
  bool PreloadParentFlag = false;
  bool PreloadRootFlag = false;
  bool SuppressSuperFlag = false;
  bool PreloadSuperFlag = false;
  bool SuppressArgumentsFlag = false;
  bool PreloadArgumentsFlag = false;
  bool SuppressThisFlag = false;
  bool PreloadThisFlag = false;
  bool PreloadGlobalFlag = false;
  std::vector<TSWFFunctionParam> Parameters;
  uint16_t CodeSize = 0;
  void SetCodeSize(uint16_t Value) {
    CodeSize = Value;
    StaticOffset = true;
  }
  TSWFOffsetMarker& Marker() { return ObtainMarker(0); }

  void Assign(const TSWFAction& Source) override;
  void ReadData(TBitsEngine& Engine) override;
  void WriteData(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) override;
  std::vector<TTarget> StoredTargets() const override;
};

class TSWFActionTry : public TSWFAction7, public TSWFBranchAction {
 public:
  TSWFActionTry() : TSWFAction7(0x8F), TSWFBranchAction(3) {}

  bool CatchInRegisterFlag = false;
  bool FinallyBlockFlag = false;
  bool CatchBlockFlag = false;
  uint16_t TrySize = 0;
  uint16_t CatchSize = 0;
  uint16_t FinallySize = 0;
  uint8_t CatchRegister = 0;
  std::string CatchName;
  void SetSizes(uint16_t TryBytes, uint16_t CatchBytes, uint16_t FinallyBytes);

  // The ends of the try, catch and finally blocks.
  TSWFTryOffsetMarker& TryMarker() { return TryMarkerAt(0); }
  TSWFTryOffsetMarker& CatchMarker() { return TryMarkerAt(1); }
  TSWFTryOffsetMarker& FinallyMarker() { return TryMarkerAt(2); }

  void Assign(const TSWFAction& Source) override;
  void ReadData(TBitsEngine& Engine) override;
  void WriteData(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFOffsetMarker> NewMarker() const override;
  std::vector<TTarget> StoredTargets() const override;

 protected:
  bool Accepts(const TSWFOffsetMarker& Marker) const override;

 private:
  TSWFTryOffsetMarker& TryMarkerAt(size_t Index) {
    return static_cast<TSWFTryOffsetMarker&>(ObtainMarker(Index));
  }
  TSWFTryOffsetMarker* LinkedAt(size_t Index) const {
    return static_cast<TSWFTryOffsetMarker*>(MarkerAt(Index));
  }
};

}  // namespace orvanta
