#include "script/abc_method.h"

#include "platform/errors.h"
#include "swf/bits_engine.h"

namespace orvanta {

void TSWFAS3MethodOptions::ReadFromStream(TBitsEngine& Engine) {
  Value = Engine.ReadEncodedU32();
  Kind = Engine.ReadByte();
}

void TSWFAS3MethodOptions::WriteToStream(TBitsEngine& Engine) const {
  Engine.WriteEncodedU32(Value);
  Engine.WriteByte(Kind);
}

void TSWFAS3Method::ReadFromStream(TBitsEngine& Engine) {
  uint32_t paramCount = ReadAbcCount(Engine);
  ReturnType = Engine.ReadEncodedU32();
  ParamTypes.Clear();
  ParamTypes.ReadItems(Engine, paramCount);
  Name = Engine.ReadEncodedU32();
  Flags = Engine.ReadByte();
  Options.Clear();
  if (Flags & kHasOptional) Options.ReadFromStream(Engine);
  ParamNames.Clear();
  if (Flags & kHasParamNames) ParamNames.ReadItems(Engine, paramCount);
}

void TSWFAS3Method::WriteToStream(TBitsEngine& Engine) const {
  if ((Flags & kHasParamNames) && ParamNames.Count() != ParamTypes.Count())
    throw FormatError("ABC method has " + std::to_string(ParamTypes.Count()) + " parameters but " +
                      std::to_string(ParamNames.Count()) + " names");
  Engine.WriteEncodedU32(static_cast<uint32_t>(ParamTypes.Count()));
  Engine.WriteEncodedU32(ReturnType);
  ParamTypes.WriteItems(Engine);
  Engine.WriteEncodedU32(Name);
  Engine.WriteByte(Flags);
  if (Flags & kHasOptional) Options.WriteToStream(Engine);
  if (Flags & kHasParamNames) ParamNames.WriteItems(Engine);
}

void TSWFAS3MetadataInfo::ReadFromStream(TBitsEngine& Engine) {
  Name = Engine.ReadEncodedU32();
  // Key and value take a byte each.
  uint32_t count = ReadAbcCount(Engine, 2);
  Items.Clear();
  for (uint32_t i = 0; i < count; ++i) Items.Add().Key = Engine.ReadEncodedU32();
  for (uint32_t i = 0; i < count; ++i) Items[i].Value = Engine.ReadEncodedU32();
}

void TSWFAS3MetadataInfo::WriteToStream(TBitsEngine& Engine) const {
  Engine.WriteEncodedU32(Name);
  Engine.WriteEncodedU32(static_cast<uint32_t>(Items.Count()));
  for (const auto& item : Items) Engine.WriteEncodedU32(item->Key);
  for (const auto& item : Items) Engine.WriteEncodedU32(item->Value);
}

}  // namespace orvanta
