#pragma once

#include <cstdint>

#include "script/abc_list.h"

namespace orvanta {

class TBitsEngine;

// One optional parameter's default value: a constant-pool index and the kind of that pool.
class TSWFAS3MethodOptions {
 public:
  uint32_t Value = 0;
  uint8_t Kind = 0;

  void ReadFromStream(TBitsEngine& Engine);
  void WriteToStream(TBitsEngine& Engine) const;
};

// A method signature (method_info).
class TSWFAS3Method {
 public:
  static constexpr uint8_t kNeedArguments = 0x01;
  static constexpr uint8_t kNeedActivation = 0x02;
  static constexpr uint8_t kNeedRest = 0x04;
  static constexpr uint8_t kHasOptional = 0x08;
  static constexpr uint8_t kSetDxns = 0x40;
  static constexpr uint8_t kHasParamNames = 0x80;

  TSWFIntegerList ParamTypes;  // multiname indexes; their number is the parameter count
  uint32_t ReturnType = 0;
  uint32_t Name = 0;
  uint8_t Flags = 0;
  TSWFAS3List<TSWFAS3MethodOptions> Options;  // written only with kHasOptional
  TSWFIntegerList ParamNames;                 // written only with kHasParamNames

  void ReadFromStream(TBitsEngine& Engine);
  // With kHasParamNames there must be one name per parameter (FormatError otherwise): the
  // block stores no count of its own for them.
  void WriteToStream(TBitsEngine& Engine) const;
};

class TSWFAS3Methods : public TSWFAS3List<TSWFAS3Method> {};

class TSWFAS3MetadataItem {
 public:
  uint32_t Key = 0;  // string index, 0 for a keyless value
  uint32_t Value = 0;
};

// One metadata entry such as [Event(name="change")]. The block stores all keys and then all
// values, which is what compilers write and players expect.
class TSWFAS3MetadataInfo {
 public:
  uint32_t Name = 0;
  TSWFAS3List<TSWFAS3MetadataItem> Items;

  void ReadFromStream(TBitsEngine& Engine);
  void WriteToStream(TBitsEngine& Engine) const;
};

class TSWFAS3Metadata : public TSWFAS3List<TSWFAS3MetadataInfo> {};

}  // namespace orvanta
