#pragma once

#include "script/abc_classes.h"
#include "script/abc_constant_pool.h"
#include "script/abc_method.h"
#include "script/abc_method_body.h"

namespace orvanta {

class TBitsEngine;

// A decoded ABC block after its version numbers: everything from the constant pool on.
class TSWFAS3Block {
 public:
  TSWFAS3ConstantPool ConstantPool;
  TSWFAS3Methods Methods;
  TSWFAS3Metadata Metadata;
  TSWFAS3Instance Instance;  // one per class, in the order of Classes
  TSWFAS3Classes Classes;
  TSWFAS3Scripts Scripts;
  TSWFAS3MethodBodies MethodBodies;

  void ReadFromStream(TBitsEngine& Engine);
  // Instances and classes share one count in the block, so their numbers must agree
  // (FormatError otherwise).
  void WriteToStream(TBitsEngine& Engine) const;
};

}  // namespace orvanta
