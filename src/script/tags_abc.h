#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "swf/swf_object.h"

namespace orvanta {

class TSWFAS3Block;
class TSWFAS3ConstantPool;
class TSWFAS3Methods;
class TSWFAS3Metadata;
class TSWFAS3Instance;
class TSWFAS3Classes;
class TSWFAS3Scripts;
class TSWFAS3MethodBodies;

// DoABC (tag 82): a named block of ActionScript 3 byte code. The block is kept either as the
// bytes it was read from or decoded into its model; whichever form the tag holds is written.
class TSWFDoABC : public TSWFObject {
 public:
  static constexpr uint16_t kTagCode = ToCode(TTagCode::DoABC);
  static constexpr uint32_t kDoAbcLazyInitializeFlag = 0x01;
  // The newest major version the model decodes; blocks of later versions stay bytes.
  static constexpr uint16_t kMaxMajorVersion = 46;

  TSWFDoABC();
  ~TSWFDoABC() override;

  uint32_t Flags = 0;  // only kDoAbcLazyInitializeFlag is kept
  std::string Name;
  uint16_t MinorVersion = 16;
  uint16_t MajorVersion = 46;
  // The block after the two version numbers, while it is not decoded.
  std::vector<uint8_t> Data;
  // Set before reading to decode the block into the model.
  bool ParseActions = false;

  // The model. The first access to a block still held as bytes decodes it (FormatError or
  // StreamError when the bytes are not a well-formed block; the bytes are then kept); from
  // then on the model is what the tag writes. A tag without bytes starts an empty model.
  TSWFAS3Block& Block();
  TSWFAS3ConstantPool& ConstantPool();
  TSWFAS3Methods& Methods();
  TSWFAS3Metadata& Metadata();
  TSWFAS3Instance& Instance();
  TSWFAS3Classes& Classes();
  TSWFAS3Scripts& Scripts();
  TSWFAS3MethodBodies& MethodBodies();
  bool Decoded() const { return block_ != nullptr; }
  void Decode() { Block(); }

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override { return 9; }
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;

 private:
  // Decodes Data, empty or not, into the model; on failure the tag is left as it was.
  void DecodeData();
  std::unique_ptr<TSWFAS3Block> block_;
};

}  // namespace orvanta
