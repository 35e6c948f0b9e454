#pragma once

#include <cstdint>

#include "script/abc_list.h"

namespace orvanta {

class TBitsEngine;

// One trait (traits_info): a slot, constant, method, accessor, class or function binding.
class TSWFAS3Trait {
 public:
  // Kind: the low four bits of the kind byte.
  static constexpr uint8_t kSlot = 0;
  static constexpr uint8_t kMethod = 1;
  static constexpr uint8_t kGetter = 2;
  static constexpr uint8_t kSetter = 3;
  static constexpr uint8_t kClass = 4;
  static constexpr uint8_t kFunction = 5;
  static constexpr uint8_t kConst = 6;
  // Attributes: the high four bits of the kind byte, kept in place.
  static constexpr uint8_t kFinal = 0x10;
  static constexpr uint8_t kOverride = 0x20;
  static constexpr uint8_t kMetadata = 0x40;

  uint32_t Name = 0;  // multiname index
  uint8_t Kind = kSlot;
  uint8_t Attributes = 0;
  // Slot id (slots, constants, classes, functions) or disp id (methods and accessors).
  uint32_t ID = 0;
  // Type name (slots, constants), method, class or function index.
  uint32_t Index = 0;
  // Default value of a slot or constant: pool index, and the pool's kind when VIndex > 0.
  uint32_t VIndex = 0;
  uint8_t VKind = 0;
  TSWFIntegerList Metadata;  // written only with kMetadata

  bool HasValue() const { return Kind == kSlot || Kind == kConst; }

  void ReadFromStream(TBitsEngine& Engine);
  void WriteToStream(TBitsEngine& Engine) const;
};

// Base of the records that end in a trait list: instances, classes, scripts and method bodies.
class TSWFAS3Traits {
 public:
  TSWFAS3List<TSWFAS3Trait> Traits;

  void ReadTraits(TBitsEngine& Engine) { Traits.ReadFromStream(Engine); }
  void WriteTraits(TBitsEngine& Engine) const { Traits.WriteToStream(Engine); }
};

}  // namespace orvanta
