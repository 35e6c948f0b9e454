#pragma once

#include <cstdint>

#include "script/abc_list.h"
#include "script/abc_traits.h"

namespace orvanta {

class TBitsEngine;

// The instance side of a class (instance_info).
class TSWFAS3InstanceItem : public TSWFAS3Traits {
 public:
  static constexpr uint8_t kClassSealed = 0x01;
  static constexpr uint8_t kClassFinal = 0x02;
  static constexpr uint8_t kClassInterface = 0x04;
  static constexpr uint8_t kClassProtectedNs = 0x08;

  uint32_t Name = 0;       // multiname index
  uint32_t SuperName = 0;  // multiname index, 0 for none
  uint8_t Flags = 0;
  uint32_t ProtectedNs = 0;  // written only with kClassProtectedNs
  TSWFIntegerList Interfaces;
  uint32_t IInit = 0;  // method index of the constructor

  void ReadFromStream(TBitsEngine& Engine);
  void WriteToStream(TBitsEngine& Engine) const;
};

class TSWFAS3Instance : public TSWFAS3List<TSWFAS3InstanceItem> {};

// The static side of a class (class_info), and also a script (script_info), whose CInit is
// the script's init method.
class TSWFAS3ClassInfo : public TSWFAS3Traits {
 public:
  uint32_t CInit = 0;

  void ReadFromStream(TBitsEngine& Engine);
  void WriteToStream(TBitsEngine& Engine) const;
};

class TSWFAS3Classes : public TSWFAS3List<TSWFAS3ClassInfo> {};
class TSWFAS3Scripts : public TSWFAS3List<TSWFAS3ClassInfo> {};

}  // namespace orvanta
