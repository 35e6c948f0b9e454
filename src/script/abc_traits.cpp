#include "script/abc_traits.h"

#include "swf/bits_engine.h"

namespace orvanta {

void TSWFAS3Trait::ReadFromStream(TBitsEngine& Engine) {
  Name = Engine.ReadEncodedU32();
  uint8_t kindByte = Engine.ReadByte();
  Kind = kindByte & 0x0F;
  Attributes = kindByte & 0xF0;
  ID = Engine.ReadEncodedU32();
  Index = Engine.ReadEncodedU32();
  VIndex = 0;
  VKind = 0;
  if (HasValue()) {
    VIndex = Engine.ReadEncodedU32();
    if (VIndex > 0) VKind = Engine.ReadByte();
  }
  Metadata.Clear();
  if (Attributes & kMetadata) Metadata.ReadFromStream(Engine);
}

void TSWFAS3Trait::WriteToStream(TBitsEngine& Engine) const {
  Engine.WriteEncodedU32(Name);
  Engine.WriteByte(static_cast<uint8_t>((Attributes & 0xF0) | (Kind & 0x0F)));
  Engine.WriteEncodedU32(ID);
  Engine.WriteEncodedU32(Index);
  if (HasValue()) {
    Engine.WriteEncodedU32(VIndex);
    if (VIndex > 0) Engine.WriteByte(VKind);
  }
  if (Attributes & kMetadata) Metadata.WriteToStream(Engine);
}

}  // namespace orvanta
