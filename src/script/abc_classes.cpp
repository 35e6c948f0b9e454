#include "script/abc_classes.h"

#include "swf/bits_engine.h"

namespace orvanta {

void TSWFAS3InstanceItem::ReadFromStream(TBitsEngine& Engine) {
  Name = Engine.ReadEncodedU32();
  SuperName = Engine.ReadEncodedU32();
  Flags = Engine.ReadByte();
  ProtectedNs = (Flags & kClassProtectedNs) ? Engine.ReadEncodedU32() : 0;
  Interfaces.ReadFromStream(Engine);
  IInit = Engine.ReadEncodedU32();
  ReadTraits(Engine);
}

void TSWFAS3InstanceItem::WriteToStream(TBitsEngine& Engine) const {
  Engine.WriteEncodedU32(Name);
  Engine.WriteEncodedU32(SuperName);
  Engine.WriteByte(Flags);
  if (Flags & kClassProtectedNs) Engine.WriteEncodedU32(ProtectedNs);
  Interfaces.WriteToStream(Engine);
  Engine.WriteEncodedU32(IInit);
  WriteTraits(Engine);
}

void TSWFAS3ClassInfo::ReadFromStream(TBitsEngine& Engine) {
  CInit = Engine.ReadEncodedU32();
  ReadTraits(Engine);
}

void TSWFAS3ClassInfo::WriteToStream(TBitsEngine& Engine) const {
  Engine.WriteEncodedU32(CInit);
  WriteTraits(Engine);
}

}  // namespace orvanta
