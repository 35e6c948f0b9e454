#pragma once

#include <cstdint>
#include <vector>

#include "script/abc_list.h"
#include "script/abc_traits.h"

namespace orvanta {

class TBitsEngine;

// One exception handler: the code range it guards, where it jumps, what it catches.
class TSWFAS3Exception {
 public:
  uint32_t From = 0;
  uint32_t To = 0;
  uint32_t Target = 0;
  uint32_t ExcType = 0;  // multiname index, 0 for any type
  uint32_t VarName = 0;  // multiname index

  void ReadFromStream(TBitsEngine& Engine);
  void WriteToStream(TBitsEngine& Engine) const;
};

// The code of one method (method_body_info); the traits are those of its activation object.
class TSWFAS3MethodBodyInfo : public TSWFAS3Traits {
 public:
  uint32_t Method = 0;
  uint32_t MaxStack = 0;
  uint32_t LocalCount = 0;
  uint32_t InitScopeDepth = 0;
  uint32_t MaxScopeDepth = 0;
  std::vector<uint8_t> Code;  // AVM2 instructions, kept as bytes
  TSWFAS3List<TSWFAS3Exception> Exceptions;

  void ReadFromStream(TBitsEngine& Engine);
  void WriteToStream(TBitsEngine& Engine) const;
};

class TSWFAS3MethodBodies : public TSWFAS3List<TSWFAS3MethodBodyInfo> {};

}  // namespace orvanta
