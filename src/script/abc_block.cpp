#include "script/abc_block.h"

#include "platform/errors.h"
#include "swf/bits_engine.h"

namespace orvanta {

void TSWFAS3Block::ReadFromStream(TBitsEngine& Engine) {
  ConstantPool.ReadFromStream(Engine);
  Methods.ReadFromStream(Engine);
  Metadata.ReadFromStream(Engine);
  // Each class has an instance_info and a class_info: at least two bytes.
  uint32_t classCount = ReadAbcCount(Engine, 2);
  Instance.Clear();
  Instance.ReadItems(Engine, classCount);
  Classes.Clear();
  Classes.ReadItems(Engine, classCount);
  Scripts.ReadFromStream(Engine);
  MethodBodies.ReadFromStream(Engine);
}

void TSWFAS3Block::WriteToStream(TBitsEngine& Engine) const {
  if (Instance.Count() != Classes.Count())
    throw FormatError("ABC block has " + std::to_string(Instance.Count()) + " instances but " +
                      std::to_string(Classes.Count()) + " classes");
  ConstantPool.WriteToStream(Engine);
  Methods.WriteToStream(Engine);
  Metadata.WriteToStream(Engine);
  Engine.WriteEncodedU32(static_cast<uint32_t>(Classes.Count()));
  Instance.WriteItems(Engine);
  Classes.WriteItems(Engine);
  Scripts.WriteToStream(Engine);
  MethodBodies.WriteToStream(Engine);
}

}  // namespace orvanta
