#include "script/tags_abc.h"

#include "platform/errors.h"
#include "platform/stream.h"
#include "script/abc_block.h"
#include "swf/bits_engine.h"

namespace orvanta {

TSWFDoABC::TSWFDoABC() : TSWFObject(kTagCode) {}

TSWFDoABC::~TSWFDoABC() = default;

TSWFAS3Block& TSWFDoABC::Block() {
  if (block_) return *block_;
  if (Data.empty())
    block_ = std::make_unique<TSWFAS3Block>();
  else
    DecodeData();
  return *block_;
}

void TSWFDoABC::DecodeData() {
  // Later versions add constant-pool tables (floats from 47.16) that the model does not hold;
  // read as a 46 block, such a block would turn into nonsense rather than fail.
  if (MajorVersion > kMaxMajorVersion)
    throw FormatError("ABC version " + std::to_string(MajorVersion) + "." +
                      std::to_string(MinorVersion) + " is newer than the blocks this model holds");
  auto block = std::make_unique<TSWFAS3Block>();
  TMemoryViewStream stream(Data);
  TBitsEngine engine(stream);
  block->ReadFromStream(engine);
  // Bytes after the last method body would be lost on writing.
  if (stream.Remaining() != 0)
    throw FormatError("ABC block is followed by " + std::to_string(stream.Remaining()) +
                      " unexpected bytes");
  block_ = std::move(block);
  Data.clear();
}

TSWFAS3ConstantPool& TSWFDoABC::ConstantPool() {
  return Block().ConstantPool;
}
TSWFAS3Methods& TSWFDoABC::Methods() {
  return Block().Methods;
}
TSWFAS3Metadata& TSWFDoABC::Metadata() {
  return Block().Metadata;
}
TSWFAS3Instance& TSWFDoABC::Instance() {
  return Block().Instance;
}
TSWFAS3Classes& TSWFDoABC::Classes() {
  return Block().Classes;
}
TSWFAS3Scripts& TSWFDoABC::Scripts() {
  return Block().Scripts;
}
TSWFAS3MethodBodies& TSWFDoABC::MethodBodies() {
  return Block().MethodBodies;
}

void TSWFDoABC::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFDoABC&>(Source);
  Flags = source.Flags;
  Name = source.Name;
  MinorVersion = source.MinorVersion;
  MajorVersion = source.MajorVersion;
  Data = source.Data;
  ParseActions = source.ParseActions;
  block_ = source.block_ ? std::make_unique<TSWFAS3Block>(*source.block_) : nullptr;
}

void TSWFDoABC::ReadFromStream(TBitsEngine& Engine) {
  Flags = Engine.ReadDWord() & kDoAbcLazyInitializeFlag;
  Name = Engine.ReadString();
  MinorVersion = Engine.ReadWord();
  MajorVersion = Engine.ReadWord();
  block_.reset();
  Data.resize(Engine.Stream().Remaining());
  Engine.ReadBuffer(Data.data(), Data.size());
  if (ParseActions) DecodeData();
}

void TSWFDoABC::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteDWord(Flags & kDoAbcLazyInitializeFlag);
  Engine.WriteString(Name);
  Engine.WriteWord(MinorVersion);
  Engine.WriteWord(MajorVersion);
  if (block_)
    block_->WriteToStream(Engine);
  else
    Engine.WriteBuffer(Data.data(), Data.size());
}

}  // namespace orvanta
