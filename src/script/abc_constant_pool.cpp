#include "script/abc_constant_pool.h"

#include "swf/bits_engine.h"

namespace orvanta {

void TSWFDoubleObject::ReadFromStream(TBitsEngine& Engine) {
  Value = Engine.ReadDouble();
}

void TSWFDoubleObject::WriteToStream(TBitsEngine& Engine) const {
  Engine.WriteDouble(Value);
}

void TSWFNameSpaceObject::ReadFromStream(TBitsEngine& Engine) {
  Kind = Engine.ReadByte();
  Name = Engine.ReadEncodedU32();
}

void TSWFNameSpaceObject::WriteToStream(TBitsEngine& Engine) const {
  Engine.WriteByte(Kind);
  Engine.WriteEncodedU32(Name);
}

void TSWFBasedMultiNameObject::ReadFromStream(TBitsEngine&) {}

void TSWFBasedMultiNameObject::WriteToStream(TBitsEngine&) const {}

std::unique_ptr<TSWFBasedMultiNameObject> TSWFBasedMultiNameObject::Clone() const {
  return std::unique_ptr<TSWFBasedMultiNameObject>(new TSWFBasedMultiNameObject(*this));
}

void TSWFmnQName::ReadFromStream(TBitsEngine& Engine) {
  NS = Engine.ReadEncodedU32();
  Name = Engine.ReadEncodedU32();
}

void TSWFmnQName::WriteToStream(TBitsEngine& Engine) const {
  Engine.WriteEncodedU32(NS);
  Engine.WriteEncodedU32(Name);
}

std::unique_ptr<TSWFBasedMultiNameObject> TSWFmnQName::Clone() const {
  return std::make_unique<TSWFmnQName>(*this);
}

void TSWFmnRTQName::ReadFromStream(TBitsEngine& Engine) {
  Name = Engine.ReadEncodedU32();
}

void TSWFmnRTQName::WriteToStream(TBitsEngine& Engine) const {
  Engine.WriteEncodedU32(Name);
}

std::unique_ptr<TSWFBasedMultiNameObject> TSWFmnRTQName::Clone() const {
  return std::make_unique<TSWFmnRTQName>(*this);
}

void TSWFmnMultiname::ReadFromStream(TBitsEngine& Engine) {
  Name = Engine.ReadEncodedU32();
  NSSet = Engine.ReadEncodedU32();
}

void TSWFmnMultiname::WriteToStream(TBitsEngine& Engine) const {
  Engine.WriteEncodedU32(Name);
  Engine.WriteEncodedU32(NSSet);
}

std::unique_ptr<TSWFBasedMultiNameObject> TSWFmnMultiname::Clone() const {
  return std::make_unique<TSWFmnMultiname>(*this);
}

void TSWFmnMultinameL::ReadFromStream(TBitsEngine& Engine) {
  NSSet = Engine.ReadEncodedU32();
}

void TSWFmnMultinameL::WriteToStream(TBitsEngine& Engine) const {
  Engine.WriteEncodedU32(NSSet);
}

std::unique_ptr<TSWFBasedMultiNameObject> TSWFmnMultinameL::Clone() const {
  return std::make_unique<TSWFmnMultinameL>(*this);
}

void TSWFmnTypeName::ReadFromStream(TBitsEngine& Engine) {
  QName = Engine.ReadEncodedU32();
  Params.ReadFromStream(Engine);
}

void TSWFmnTypeName::WriteToStream(TBitsEngine& Engine) const {
  Engine.WriteEncodedU32(QName);
  Params.WriteToStream(Engine);
}

std::unique_ptr<TSWFBasedMultiNameObject> TSWFmnTypeName::Clone() const {
  return std::make_unique<TSWFmnTypeName>(*this);
}

std::unique_ptr<TSWFBasedMultiNameObject> CreateMultiNameByKind(uint8_t Kind) {
  using M = TSWFBasedMultiNameObject;
  switch (Kind) {
    case M::kQName:
    case M::kQNameA:
      return std::make_unique<TSWFmnQName>(Kind);
    case M::kRTQName:
    case M::kRTQNameA:
      return std::make_unique<TSWFmnRTQName>(Kind);
    case M::kRTQNameL:
    case M::kRTQNameLA:
      return std::make_unique<M>(Kind);
    case M::kMultiname:
    case M::kMultinameA:
      return std::make_unique<TSWFmnMultiname>(Kind);
    case M::kTypeName:
      return std::make_unique<TSWFmnTypeName>();
    default:
      return std::make_unique<TSWFmnMultinameL>(Kind);
  }
}

TSWFBasedMultiNameObject& TSWFAS3MultiNames::Add(uint8_t Kind) {
  return Add(CreateMultiNameByKind(Kind));
}

void TSWFAS3MultiNames::ReadItems(TBitsEngine& Engine, uint32_t Count) {
  CheckAbcCount(Engine, Count);
  items_.reserve(items_.size() + Count);
  for (uint32_t i = 0; i < Count; ++i) Add(Engine.ReadByte()).ReadFromStream(Engine);
}

void TSWFAS3MultiNames::WriteItems(TBitsEngine& Engine) const {
  for (const auto& item : items_) {
    Engine.WriteByte(item->Kind);
    item->WriteToStream(Engine);
  }
}

namespace {

// Reads an integer table byte by byte to see the high bits of each fifth byte; returns the
// count as stored.
uint32_t ReadIntegerTable(TBitsEngine& Engine, TSWFIntegerList& Table, bool& SignExtended) {
  Table.Clear();
  uint32_t count = ReadAbcCount(Engine);
  for (uint32_t n = 1; n < count; ++n) {
    uint32_t value = 0;
    for (unsigned i = 0; i < 5; ++i) {
      uint8_t b = Engine.ReadByte();
      value |= static_cast<uint32_t>(b & 0x7F) << (7 * i);
      if (i == 4 && (b & 0x70) != 0) SignExtended = true;
      if ((b & 0x80) == 0) break;
    }
    Table.Add(value);
  }
  return count;
}

void WriteIntegerTable(TBitsEngine& Engine, const TSWFIntegerList& Table, bool EmptyAsOne,
                       bool SignExtended) {
  if (!SignExtended) {
    WriteAbcPoolTable(Engine, Table, EmptyAsOne);
    return;
  }
  uint32_t count = static_cast<uint32_t>(Table.Count());
  Engine.WriteEncodedU32(count != 0 ? count + 1 : (EmptyAsOne ? 1 : 0));
  for (uint32_t value : Table) {
    if ((value & 0x80000000u) == 0) {
      Engine.WriteEncodedU32(value);
      continue;
    }
    for (unsigned i = 0; i < 4; ++i)
      Engine.WriteByte(static_cast<uint8_t>((value >> (7 * i)) | 0x80));
    Engine.WriteByte(static_cast<uint8_t>((value >> 28) | 0x70));
  }
}

}  // namespace

void TSWFAS3ConstantPool::ReadFromStream(TBitsEngine& Engine) {
  uint32_t counts[7];
  SignExtendedIntegers = false;
  counts[0] = ReadIntegerTable(Engine, Integers, SignExtendedIntegers);
  counts[1] = ReadIntegerTable(Engine, UIntegers, SignExtendedIntegers);
  Doubles.Clear();
  counts[2] = ReadAbcCount(Engine);
  if (counts[2] > 1) {
    CheckAbcCount(Engine, counts[2] - 1, 8);
    Doubles.ReadItems(Engine, counts[2] - 1);
  }
  counts[3] = ReadAbcPoolTable(Engine, Strings);
  counts[4] = ReadAbcPoolTable(Engine, NameSpaces);
  counts[5] = ReadAbcPoolTable(Engine, NameSpaceSets);
  counts[6] = ReadAbcPoolTable(Engine, MultiNames);
  EmptyCountOne = 0;
  for (unsigned i = 0; i < 7; ++i)
    if (counts[i] == 1) EmptyCountOne |= static_cast<uint8_t>(1u << i);
}

void TSWFAS3ConstantPool::WriteToStream(TBitsEngine& Engine) const {
  auto one = [this](unsigned table) { return ((EmptyCountOne >> table) & 1) != 0; };
  WriteIntegerTable(Engine, Integers, one(0), SignExtendedIntegers);
  WriteIntegerTable(Engine, UIntegers, one(1), SignExtendedIntegers);
  WriteAbcPoolTable(Engine, Doubles, one(2));
  WriteAbcPoolTable(Engine, Strings, one(3));
  WriteAbcPoolTable(Engine, NameSpaces, one(4));
  WriteAbcPoolTable(Engine, NameSpaceSets, one(5));
  WriteAbcPoolTable(Engine, MultiNames, one(6));
}

}  // namespace orvanta
