#include "script/action_branch.h"

#include "platform/stream.h"
#include "script/actions_data.h"
#include "swf/bits_engine.h"

namespace orvanta {

// ---- markers ----

TSWFOffsetMarker::~TSWFOffsetMarker() = default;

void TSWFOffsetMarker::Assign(const TSWFAction& Source) {
  TSWFAction::Assign(Source);
  auto& source = dynamic_cast<const TSWFOffsetMarker&>(Source);
  Placed = source.Placed;
  Backward = source.Backward;
  Enabled = source.Enabled;
  Label = source.Label;
  OffsetSize = source.OffsetSize;
}

void TSWFOffsetMarker::WriteDistance(TBitsEngine& Engine, int64_t Distance) const {
  if (OffsetSize == 4)
    Engine.WriteDWord(static_cast<uint32_t>(Distance));
  else
    Engine.WriteWord(static_cast<uint16_t>(Distance));
}

void TSWFOffsetMarker::WriteReference(TBitsEngine& Data, uint64_t FieldPos) {
  FieldPosition = FieldPos;
  if (Backward) {
    WriteDistance(Data, static_cast<int64_t>(StartPosition) - static_cast<int64_t>(DistanceBase()));
    patchPending_ = false;
  } else {
    WriteDistance(Data, 0);
    patchPending_ = true;
  }
}

void TSWFOffsetMarker::WriteData(TBitsEngine& Engine) {
  TStream& stream = Engine.Stream();
  StartPosition = stream.Position();
  if (!Enabled || Backward || !patchPending_) return;
  patchPending_ = false;
  stream.SetPosition(FieldPosition);
  WriteDistance(Engine, static_cast<int64_t>(StartPosition) - static_cast<int64_t>(DistanceBase()));
  stream.SetPosition(StartPosition);
}

std::unique_ptr<TSWFOffsetMarker> TSWFOffsetMarker::ReleaseFromOwner() {
  return owner_ ? owner_->Release() : nullptr;
}

uint64_t TSWFTryOffsetMarker::DistanceBase() const {
  return PrevMarker ? PrevMarker->StartPosition : BlockStart;
}

TMarkerSlot::~TMarkerSlot() {
  if (owned_) owned_->owner_ = nullptr;
}

void TMarkerSlot::Own(std::unique_ptr<TSWFOffsetMarker> Marker) {
  owned_ = std::move(Marker);
  marker_ = owned_.get();
  if (owned_) owned_->owner_ = this;
}

void TMarkerSlot::Link(TSWFOffsetMarker* Marker) {
  if (owned_ && owned_.get() != Marker) owned_.reset();
  marker_ = Marker;
}

std::unique_ptr<TSWFOffsetMarker> TMarkerSlot::Release() {
  if (owned_) owned_->owner_ = nullptr;
  return std::move(owned_);
}

// ---- branch actions ----

bool TSWFBranchAction::LinkMarker(size_t Index, TSWFOffsetMarker* Marker) {
  if (Marker && !Accepts(*Marker)) return false;
  slots_[Index].Link(Marker);
  return true;
}

bool TSWFBranchAction::OwnMarker(size_t Index, std::unique_ptr<TSWFOffsetMarker> Marker) {
  if (Marker && !Accepts(*Marker)) return false;
  slots_[Index].Own(std::move(Marker));
  return true;
}

std::unique_ptr<TSWFOffsetMarker> TSWFBranchAction::NewMarker() const {
  return std::make_unique<TSWFOffsetMarker>();
}

TSWFOffsetMarker& TSWFBranchAction::ObtainMarker(size_t Index) {
  if (!slots_[Index].Marker()) slots_[Index].Own(NewMarker());
  return *slots_[Index].Marker();
}

void TSWFBranchAction::WriteTarget(TBitsEngine& Data, size_t Index, int64_t Stored) {
  TSWFOffsetMarker* marker = slots_[Index].Marker();
  if (StaticOffset || !marker || !marker->Enabled) {
    Data.WriteWord(static_cast<uint16_t>(Stored));
    return;
  }
  // The data buffer starts after the code byte and the length word of the record.
  marker->WriteReference(Data, recordStart_ + 3 + Data.Stream().Position());
}

// ---- Jump and If ----

void TSWFActionJump::Assign(const TSWFAction& Source) {
  TSWFAction4::Assign(Source);
  auto& source = dynamic_cast<const TSWFActionJump&>(Source);
  BranchOffset = source.BranchOffset;
  StaticOffset = source.StaticOffset;
}

void TSWFActionJump::ReadData(TBitsEngine& Engine) {
  BranchOffset = static_cast<int16_t>(Engine.ReadWord());
  StaticOffset = true;
}

void TSWFActionJump::WriteData(TBitsEngine& Engine) {
  WriteTarget(Engine, 0, BranchOffset);
}

void TSWFActionJump::WriteToStream(TBitsEngine& Engine) {
  recordStart_ = Engine.Stream().Position();
  TSWFAction4::WriteToStream(Engine);
}

std::vector<TSWFBranchAction::TTarget> TSWFActionJump::StoredTargets() const {
  return {{0, BranchOffset, nullptr}};
}

// ---- With ----

void TSWFActionWith::Assign(const TSWFAction& Source) {
  TSWFAction5::Assign(Source);
  auto& source = dynamic_cast<const TSWFActionWith&>(Source);
  Size = source.Size;
  StaticOffset = source.StaticOffset;
}

void TSWFActionWith::ReadData(TBitsEngine& Engine) {
  Size = Engine.ReadWord();
  StaticOffset = true;
}

void TSWFActionWith::WriteData(TBitsEngine& Engine) {
  WriteTarget(Engine, 0, Size);
}

void TSWFActionWith::WriteToStream(TBitsEngine& Engine) {
  recordStart_ = Engine.Stream().Position();
  TSWFAction5::WriteToStream(Engine);
}

std::vector<TSWFBranchAction::TTarget> TSWFActionWith::StoredTargets() const {
  return {{0, Size, nullptr}};
}

// ---- DefineFunction ----

void TSWFActionDefineFunction::Assign(const TSWFAction& Source) {
  TSWFAction5::Assign(Source);
  auto& source = dynamic_cast<const TSWFActionDefineFunction&>(Source);
  FunctionName = source.FunctionName;
  Params = source.Params;
  CodeSize = source.CodeSize;
  StaticOffset = source.StaticOffset;
}

void TSWFActionDefineFunction::ReadData(TBitsEngine& Engine) {
  FunctionName = Engine.ReadString();
  uint16_t count = Engine.ReadWord();
  Params.clear();
  for (uint16_t i = 0; i < count; ++i) Params.push_back(Engine.ReadString());
  CodeSize = Engine.ReadWord();
  StaticOffset = true;
}

void TSWFActionDefineFunction::WriteData(TBitsEngine& Engine) {
  Engine.WriteString(FunctionName);
  Engine.WriteWord(static_cast<uint16_t>(Params.size()));
  for (const std::string& param : Params) Engine.WriteString(param);
  WriteTarget(Engine, 0, CodeSize);
}

void TSWFActionDefineFunction::WriteToStream(TBitsEngine& Engine) {
  recordStart_ = Engine.Stream().Position();
  TSWFAction5::WriteToStream(Engine);
}

std::vector<TSWFBranchAction::TTarget> TSWFActionDefineFunction::StoredTargets() const {
  return {{0, CodeSize, nullptr}};
}

// ---- DefineFunction2 ----

void TSWFActionDefineFunction2::Assign(const TSWFAction& Source) {
  TSWFAction7::Assign(Source);
  auto& source = dynamic_cast<const TSWFActionDefineFunction2&>(Source);
  FunctionName = source.FunctionName;
  RegisterCount = source.RegisterCount;
  PreloadParentFlag = source.PreloadParentFlag;
  PreloadRootFlag = source.PreloadRootFlag;
  SuppressSuperFlag = source.SuppressSuperFlag;
  PreloadSuperFlag = source.PreloadSuperFlag;
  SuppressArgumentsFlag = source.SuppressArgumentsFlag;
  PreloadArgumentsFlag = source.PreloadArgumentsFlag;
  SuppressThisFlag = source.SuppressThisFlag;
  PreloadThisFlag = source.PreloadThisFlag;
  PreloadGlobalFlag = source.PreloadGlobalFlag;
  Parameters = source.Parameters;
  CodeSize = source.CodeSize;
  StaticOffset = source.StaticOffset;
}

void TSWFActionDefineFunction2::ReadData(TBitsEngine& Engine) {
  FunctionName = Engine.ReadString();
  uint16_t count = Engine.ReadWord();
  RegisterCount = Engine.ReadByte();
  uint8_t flags = Engine.ReadByte();
  PreloadParentFlag = (flags & 0x80) != 0;
  PreloadRootFlag = (flags & 0x40) != 0;
  SuppressSuperFlag = (flags & 0x20) != 0;
  PreloadSuperFlag = (flags & 0x10) != 0;
  SuppressArgumentsFlag = (flags & 0x08) != 0;
  PreloadArgumentsFlag = (flags & 0x04) != 0;
  SuppressThisFlag = (flags & 0x02) != 0;
  PreloadThisFlag = (flags & 0x01) != 0;
  uint8_t flags2 = Engine.ReadByte();
  CheckReserved(flags2, 0xFE);
  PreloadGlobalFlag = (flags2 & 0x01) != 0;
  Parameters.clear();
  for (uint16_t i = 0; i < count; ++i) {
    TSWFFunctionParam& param = Parameters.emplace_back();
    param.Register = Engine.ReadByte();
    param.ParamName = Engine.ReadString();
  }
  CodeSize = Engine.ReadWord();
  StaticOffset = true;
}

void TSWFActionDefineFunction2::WriteData(TBitsEngine& Engine) {
  Engine.WriteString(FunctionName);
  Engine.WriteWord(static_cast<uint16_t>(Parameters.size()));
  Engine.WriteByte(RegisterCount);
  Engine.WriteByte(
      static_cast<uint8_t>((PreloadParentFlag ? 0x80 : 0) | (PreloadRootFlag ? 0x40 : 0) |
                           (SuppressSuperFlag ? 0x20 : 0) | (PreloadSuperFlag ? 0x10 : 0) |
                           (SuppressArgumentsFlag ? 0x08 : 0) | (PreloadArgumentsFlag ? 0x04 : 0) |
                           (SuppressThisFlag ? 0x02 : 0) | (PreloadThisFlag ? 0x01 : 0)));
  Engine.WriteByte(PreloadGlobalFlag ? 0x01 : 0);
  for (const TSWFFunctionParam& param : Parameters) {
    Engine.WriteByte(param.Register);
    Engine.WriteString(param.ParamName);
  }
  WriteTarget(Engine, 0, CodeSize);
}

void TSWFActionDefineFunction2::WriteToStream(TBitsEngine& Engine) {
  recordStart_ = Engine.Stream().Position();
  TSWFAction7::WriteToStream(Engine);
}

std::vector<TSWFBranchAction::TTarget> TSWFActionDefineFunction2::StoredTargets() const {
  return {{0, CodeSize, nullptr}};
}

// ---- Try ----

void TSWFActionTry::SetSizes(uint16_t TryBytes, uint16_t CatchBytes, uint16_t FinallyBytes) {
  TrySize = TryBytes;
  CatchSize = CatchBytes;
  FinallySize = FinallyBytes;
  StaticOffset = true;
}

void TSWFActionTry::Assign(const TSWFAction& Source) {
  TSWFAction7::Assign(Source);
  auto& source = dynamic_cast<const TSWFActionTry&>(Source);
  CatchInRegisterFlag = source.CatchInRegisterFlag;
  FinallyBlockFlag = source.FinallyBlockFlag;
  CatchBlockFlag = source.CatchBlockFlag;
  TrySize = source.TrySize;
  CatchSize = source.CatchSize;
  FinallySize = source.FinallySize;
  CatchRegister = source.CatchRegister;
  CatchName = source.CatchName;
  StaticOffset = source.StaticOffset;
}

void TSWFActionTry::ReadData(TBitsEngine& Engine) {
  uint8_t flags = Engine.ReadByte();
  CheckReserved(flags, 0xF8);
  CatchInRegisterFlag = (flags & 0x04) != 0;
  FinallyBlockFlag = (flags & 0x02) != 0;
  CatchBlockFlag = (flags & 0x01) != 0;
  TrySize = Engine.ReadWord();
  CatchSize = Engine.ReadWord();
  FinallySize = Engine.ReadWord();
  CatchName.clear();
  CatchRegister = 0;
  if (CatchInRegisterFlag)
    CatchRegister = Engine.ReadByte();
  else
    CatchName = Engine.ReadString();
  StaticOffset = true;
}

void TSWFActionTry::WriteData(TBitsEngine& Engine) {
  // The try block starts where the record ends; the record's size is known up front.
  const uint64_t dataSize = 7 + (CatchInRegisterFlag ? 1 : CatchName.size() + 1);
  const uint64_t recordEnd = recordStart_ + 3 + dataSize;
  TSWFTryOffsetMarker* tryEnd = LinkedAt(0);
  TSWFTryOffsetMarker* catchEnd = CatchBlockFlag ? LinkedAt(1) : nullptr;
  TSWFTryOffsetMarker* finallyEnd = FinallyBlockFlag ? LinkedAt(2) : nullptr;
  if (tryEnd) {
    tryEnd->PrevMarker = nullptr;
    tryEnd->BlockStart = recordEnd;
  }
  if (catchEnd) {
    catchEnd->PrevMarker = tryEnd;
    catchEnd->BlockStart = recordEnd + TrySize;
  }
  if (finallyEnd) {
    finallyEnd->PrevMarker = CatchBlockFlag ? catchEnd : tryEnd;
    finallyEnd->BlockStart = recordEnd + TrySize + (CatchBlockFlag ? CatchSize : 0);
  }

  Engine.WriteByte(static_cast<uint8_t>((CatchInRegisterFlag ? 0x04 : 0) |
                                        (FinallyBlockFlag ? 0x02 : 0) |
                                        (CatchBlockFlag ? 0x01 : 0)));
  WriteTarget(Engine, 0, TrySize);
  if (CatchBlockFlag || StaticOffset)
    WriteTarget(Engine, 1, CatchSize);
  else
    Engine.WriteWord(0);
  if (FinallyBlockFlag || StaticOffset)
    WriteTarget(Engine, 2, FinallySize);
  else
    Engine.WriteWord(0);
  if (CatchInRegisterFlag)
    Engine.WriteByte(CatchRegister);
  else
    Engine.WriteString(CatchName);
}

void TSWFActionTry::WriteToStream(TBitsEngine& Engine) {
  recordStart_ = Engine.Stream().Position();
  TSWFAction7::WriteToStream(Engine);
}

std::unique_ptr<TSWFOffsetMarker> TSWFActionTry::NewMarker() const {
  return std::make_unique<TSWFTryOffsetMarker>();
}

bool TSWFActionTry::Accepts(const TSWFOffsetMarker& Marker) const {
  return dynamic_cast<const TSWFTryOffsetMarker*>(&Marker) != nullptr;
}

std::vector<TSWFBranchAction::TTarget> TSWFActionTry::StoredTargets() const {
  std::vector<TTarget> targets{{0, TrySize, "Try"}};
  int64_t end = TrySize;
  if (CatchBlockFlag) {
    end += CatchSize;
    targets.push_back({1, end, "Catch"});
  }
  if (FinallyBlockFlag) targets.push_back({2, end + FinallySize, "Finally"});
  return targets;
}

}  // namespace orvanta
