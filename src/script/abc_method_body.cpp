#include "script/abc_method_body.h"

#include "swf/bits_engine.h"

namespace orvanta {

void TSWFAS3Exception::ReadFromStream(TBitsEngine& Engine) {
  From = Engine.ReadEncodedU32();
  To = Engine.ReadEncodedU32();
  Target = Engine.ReadEncodedU32();
  ExcType = Engine.ReadEncodedU32();
  VarName = Engine.ReadEncodedU32();
}

void TSWFAS3Exception::WriteToStream(TBitsEngine& Engine) const {
  Engine.WriteEncodedU32(From);
  Engine.WriteEncodedU32(To);
  Engine.WriteEncodedU32(Target);
  Engine.WriteEncodedU32(ExcType);
  Engine.WriteEncodedU32(VarName);
}

void TSWFAS3MethodBodyInfo::ReadFromStream(TBitsEngine& Engine) {
  Method = Engine.ReadEncodedU32();
  MaxStack = Engine.ReadEncodedU32();
  LocalCount = Engine.ReadEncodedU32();
  InitScopeDepth = Engine.ReadEncodedU32();
  MaxScopeDepth = Engine.ReadEncodedU32();
  Code = ReadAbcBytes(Engine);
  Exceptions.ReadFromStream(Engine);
  ReadTraits(Engine);
}

void TSWFAS3MethodBodyInfo::WriteToStream(TBitsEngine& Engine) const {
  Engine.WriteEncodedU32(Method);
  Engine.WriteEncodedU32(MaxStack);
  Engine.WriteEncodedU32(LocalCount);
  Engine.WriteEncodedU32(InitScopeDepth);
  Engine.WriteEncodedU32(MaxScopeDepth);
  WriteAbcBytes(Engine, Code.data(), Code.size());
  Exceptions.WriteToStream(Engine);
  WriteTraits(Engine);
}

}  // namespace orvanta
