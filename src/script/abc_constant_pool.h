#pragma once

#include <cstdint>
#include <memory>

#include "script/abc_list.h"

namespace orvanta {

class TBitsEngine;

class TSWFDoubleObject {
 public:
  TSWFDoubleObject() = default;
  explicit TSWFDoubleObject(double V) : Value(V) {}

  // Written from its bit pattern, so NaN payloads survive.
  double Value = 0;

  void ReadFromStream(TBitsEngine& Engine);
  void WriteToStream(TBitsEngine& Engine) const;
};

class TSWFNameSpaceObject {
 public:
  static constexpr uint8_t kNamespace = 0x08;
  static constexpr uint8_t kPackageNamespace = 0x16;
  static constexpr uint8_t kPackageInternalNs = 0x17;
  static constexpr uint8_t kProtectedNamespace = 0x18;
  static constexpr uint8_t kExplicitNamespace = 0x19;
  static constexpr uint8_t kStaticProtectedNs = 0x1A;
  static constexpr uint8_t kPrivateNs = 0x05;

  uint8_t Kind = kPackageNamespace;
  uint32_t Name = 0;  // string index

  void ReadFromStream(TBitsEngine& Engine);
  void WriteToStream(TBitsEngine& Engine) const;
};

// A multiname: the kind byte selects the class. This base carries no data and stands for the
// runtime-qualified-late kinds (RTQNameL, RTQNameLA). Read and write handle the data that
// follows the kind byte; the kind byte itself belongs to the list.
class TSWFBasedMultiNameObject {
 public:
  static constexpr uint8_t kQName = 0x07;
  static constexpr uint8_t kQNameA = 0x0D;
  static constexpr uint8_t kRTQName = 0x0F;
  static constexpr uint8_t kRTQNameA = 0x10;
  static constexpr uint8_t kRTQNameL = 0x11;
  static constexpr uint8_t kRTQNameLA = 0x12;
  static constexpr uint8_t kMultiname = 0x09;
  static constexpr uint8_t kMultinameA = 0x0E;
  static constexpr uint8_t kMultinameL = 0x1B;
  static constexpr uint8_t kMultinameLA = 0x1C;
  static constexpr uint8_t kTypeName = 0x1D;

  explicit TSWFBasedMultiNameObject(uint8_t K = kRTQNameL) : Kind(K) {}
  virtual ~TSWFBasedMultiNameObject() = default;

  uint8_t Kind;

  virtual void ReadFromStream(TBitsEngine& Engine);
  virtual void WriteToStream(TBitsEngine& Engine) const;
  virtual std::unique_ptr<TSWFBasedMultiNameObject> Clone() const;

 protected:
  TSWFBasedMultiNameObject(const TSWFBasedMultiNameObject&) = default;
  TSWFBasedMultiNameObject& operator=(const TSWFBasedMultiNameObject&) = default;
};

// QName and QNameA.
class TSWFmnQName : public TSWFBasedMultiNameObject {
 public:
  explicit TSWFmnQName(uint8_t K = kQName) : TSWFBasedMultiNameObject(K) {}

  uint32_t NS = 0;    // namespace index
  uint32_t Name = 0;  // string index

  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) const override;
  std::unique_ptr<TSWFBasedMultiNameObject> Clone() const override;
};

// RTQName and RTQNameA.
class TSWFmnRTQName : public TSWFBasedMultiNameObject {
 public:
  explicit TSWFmnRTQName(uint8_t K = kRTQName) : TSWFBasedMultiNameObject(K) {}

  uint32_t Name = 0;

  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) const override;
  std::unique_ptr<TSWFBasedMultiNameObject> Clone() const override;
};

// Multiname and MultinameA.
class TSWFmnMultiname : public TSWFBasedMultiNameObject {
 public:
  explicit TSWFmnMultiname(uint8_t K = kMultiname) : TSWFBasedMultiNameObject(K) {}

  uint32_t Name = 0;
  uint32_t NSSet = 0;  // namespace-set index

  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) const override;
  std::unique_ptr<TSWFBasedMultiNameObject> Clone() const override;
};

// MultinameL and MultinameLA, and every kind this library does not know: one u30.
class TSWFmnMultinameL : public TSWFBasedMultiNameObject {
 public:
  explicit TSWFmnMultinameL(uint8_t K = kMultinameL) : TSWFBasedMultiNameObject(K) {}

  uint32_t NSSet = 0;

  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) const override;
  std::unique_ptr<TSWFBasedMultiNameObject> Clone() const override;
};

// A parameterised type such as Vector.<int>: the generic type's multiname and the parameter
// multinames. Compilers emit it for every Vector type, so reading it as one u30 would throw
// the rest of the pool out of step.
class TSWFmnTypeName : public TSWFBasedMultiNameObject {
 public:
  TSWFmnTypeName() : TSWFBasedMultiNameObject(kTypeName) {}

  uint32_t QName = 0;  // multiname index
  TSWFIntegerList Params;

  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) const override;
  std::unique_ptr<TSWFBasedMultiNameObject> Clone() const override;
};

// The empty object of the class that reads Kind.
std::unique_ptr<TSWFBasedMultiNameObject> CreateMultiNameByKind(uint8_t Kind);

class TSWFAS3MultiNames : public TSWFAS3List<TSWFBasedMultiNameObject> {
 public:
  // Appends a new multiname of the class for Kind.
  TSWFBasedMultiNameObject& Add(uint8_t Kind);
  using TSWFAS3List::Add;

  // Records as kind byte and data; no count.
  void ReadItems(TBitsEngine& Engine, uint32_t Count);
  void WriteItems(TBitsEngine& Engine) const;
};

class TSWFAS3ConstantPool {
 public:
  TSWFIntegerList Integers;  // signed 32-bit values, kept as their bit patterns
  TSWFIntegerList UIntegers;
  TSWFAS3List<TSWFDoubleObject> Doubles;
  TSWFStringList Strings;
  TSWFAS3List<TSWFNameSpaceObject> NameSpaces;
  TSWFAS3List<TSWFIntegerList> NameSpaceSets;  // each a list of namespace indexes
  TSWFAS3MultiNames MultiNames;
  // Some compilers store an empty table with the count 1 instead of 0. Bit i (0 = integers,
  // 1 = unsigned integers ... 6 = multinames) remembers that for reading, so the block writes
  // back unchanged; a bit only matters while its table is empty.
  uint8_t EmptyCountOne = 0;
  // A value with the top bit set takes five bytes, and compilers differ in the unused high
  // bits of the last one: most leave them clear, some extend the sign into them (in both
  // integer tables). Set when the block read did the latter; such values are then written
  // that way.
  bool SignExtendedIntegers = false;

  // Entry 0 of every table is implicit: index i of the block is item i - 1 here.
  void ReadFromStream(TBitsEngine& Engine);
  void WriteToStream(TBitsEngine& Engine) const;
};

}  // namespace orvanta
