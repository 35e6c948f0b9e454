#include "script/actions_data.h"

#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace orvanta {

// A flag byte whose reserved bits are set is not a record this library can write back; the
// list reader keeps such a record raw.
void CheckReserved(uint8_t Flags, uint8_t Reserved) {
  if (Flags & Reserved) throw FormatError("reserved action flag bits are set");
}

void TSWFActionGotoFrame::Assign(const TSWFAction& Source) {
  TSWFAction::Assign(Source);
  Frame = dynamic_cast<const TSWFActionGotoFrame&>(Source).Frame;
}

void TSWFActionGotoFrame::ReadData(TBitsEngine& Engine) {
  Frame = Engine.ReadWord();
}

void TSWFActionGotoFrame::WriteData(TBitsEngine& Engine) {
  Engine.WriteWord(Frame);
}

void TSWFActionGetUrl::Assign(const TSWFAction& Source) {
  TSWFAction::Assign(Source);
  auto& source = dynamic_cast<const TSWFActionGetUrl&>(Source);
  UrlString = source.UrlString;
  TargetString = source.TargetString;
  readBytes_ = source.readBytes_;
  readText_ = source.readText_;
}

void TSWFActionGetUrl::ReadData(TBitsEngine& Engine) {
  readBytes_ = Engine.ReadString();
  readText_ = Utf8ToCp1252(readBytes_);
  UrlString = readText_;
  TargetString = Engine.ReadString();
}

void TSWFActionGetUrl::WriteData(TBitsEngine& Engine) {
  if (!readBytes_.empty() && UrlString == readText_)
    Engine.WriteString(readBytes_);
  else
    Engine.WriteString(UrlString, true, true);
  Engine.WriteString(TargetString);
}

void TSWFActionWaitForFrame::Assign(const TSWFAction& Source) {
  TSWFAction::Assign(Source);
  auto& source = dynamic_cast<const TSWFActionWaitForFrame&>(Source);
  Frame = source.Frame;
  SkipCount = source.SkipCount;
}

void TSWFActionWaitForFrame::ReadData(TBitsEngine& Engine) {
  Frame = Engine.ReadWord();
  SkipCount = Engine.ReadByte();
}

void TSWFActionWaitForFrame::WriteData(TBitsEngine& Engine) {
  Engine.WriteWord(Frame);
  Engine.WriteByte(SkipCount);
}

void TSWFActionSetTarget::Assign(const TSWFAction& Source) {
  TSWFAction::Assign(Source);
  TargetName = dynamic_cast<const TSWFActionSetTarget&>(Source).TargetName;
}

void TSWFActionSetTarget::ReadData(TBitsEngine& Engine) {
  TargetName = Engine.ReadString();
}

void TSWFActionSetTarget::WriteData(TBitsEngine& Engine) {
  Engine.WriteString(TargetName);
}

void TSWFActionGoToLabel::Assign(const TSWFAction& Source) {
  TSWFAction::Assign(Source);
  Label = dynamic_cast<const TSWFActionGoToLabel&>(Source).Label;
}

void TSWFActionGoToLabel::ReadData(TBitsEngine& Engine) {
  Label = Engine.ReadString();
}

void TSWFActionGoToLabel::WriteData(TBitsEngine& Engine) {
  Engine.WriteString(Label);
}

void TSWFActionWaitForFrame2::Assign(const TSWFAction& Source) {
  TSWFAction4::Assign(Source);
  SkipCount = dynamic_cast<const TSWFActionWaitForFrame2&>(Source).SkipCount;
}

void TSWFActionWaitForFrame2::ReadData(TBitsEngine& Engine) {
  SkipCount = Engine.ReadByte();
}

void TSWFActionWaitForFrame2::WriteData(TBitsEngine& Engine) {
  Engine.WriteByte(SkipCount);
}

void TSWFActionGetURL2::Assign(const TSWFAction& Source) {
  TSWFAction4::Assign(Source);
  auto& source = dynamic_cast<const TSWFActionGetURL2&>(Source);
  LoadVariablesFlag = source.LoadVariablesFlag;
  LoadTargetFlag = source.LoadTargetFlag;
  SendVarsMethod = source.SendVarsMethod;
}

void TSWFActionGetURL2::ReadData(TBitsEngine& Engine) {
  uint8_t flags = Engine.ReadByte();
  CheckReserved(flags, 0x3C);
  LoadVariablesFlag = (flags & 0x80) != 0;
  LoadTargetFlag = (flags & 0x40) != 0;
  SendVarsMethod = flags & 0x03;
}

void TSWFActionGetURL2::WriteData(TBitsEngine& Engine) {
  Engine.WriteByte(static_cast<uint8_t>((LoadVariablesFlag ? 0x80 : 0) |
                                        (LoadTargetFlag ? 0x40 : 0) | (SendVarsMethod & 0x03)));
}

void TSWFActionGotoFrame2::Assign(const TSWFAction& Source) {
  TSWFAction4::Assign(Source);
  auto& source = dynamic_cast<const TSWFActionGotoFrame2&>(Source);
  SceneBiasFlag = source.SceneBiasFlag;
  PlayFlag = source.PlayFlag;
  SceneBias = source.SceneBias;
}

void TSWFActionGotoFrame2::ReadData(TBitsEngine& Engine) {
  uint8_t flags = Engine.ReadByte();
  CheckReserved(flags, 0xFC);
  SceneBiasFlag = (flags & 0x02) != 0;
  PlayFlag = (flags & 0x01) != 0;
  SceneBias = SceneBiasFlag ? Engine.ReadWord() : 0;
}

void TSWFActionGotoFrame2::WriteData(TBitsEngine& Engine) {
  Engine.WriteByte(static_cast<uint8_t>((SceneBiasFlag ? 0x02 : 0) | (PlayFlag ? 0x01 : 0)));
  if (SceneBiasFlag) Engine.WriteWord(SceneBias);
}

void TSWFActionStoreRegister::Assign(const TSWFAction& Source) {
  TSWFAction5::Assign(Source);
  RegisterNumber = dynamic_cast<const TSWFActionStoreRegister&>(Source).RegisterNumber;
}

void TSWFActionStoreRegister::ReadData(TBitsEngine& Engine) {
  RegisterNumber = Engine.ReadByte();
}

void TSWFActionStoreRegister::WriteData(TBitsEngine& Engine) {
  Engine.WriteByte(RegisterNumber);
}

void TSWFActionConstantPool::Assign(const TSWFAction& Source) {
  TSWFAction5::Assign(Source);
  ConstantPool = dynamic_cast<const TSWFActionConstantPool&>(Source).ConstantPool;
}

void TSWFActionConstantPool::ReadData(TBitsEngine& Engine) {
  const uint64_t start = Engine.Stream().Position();
  uint16_t count = Engine.ReadWord();
  ConstantPool.clear();
  // Every string takes at least its terminator: a count the data cannot hold fails here
  // rather than after a reservation sized by it.
  Engine.RequireBytes(count);
  ConstantPool.reserve(count);
  for (uint16_t i = 0; i < count; ++i) ConstantPool.push_back(Engine.ReadString());
  Length = static_cast<uint16_t>(Engine.Stream().Position() - start);
}

void TSWFActionConstantPool::WriteData(TBitsEngine& Engine) {
  Engine.WriteWord(static_cast<uint16_t>(ConstantPool.size()));
  for (const std::string& s : ConstantPool) Engine.WriteString(s);
}

}  // namespace orvanta
