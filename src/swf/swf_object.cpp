#include "swf/swf_object.h"

#include <cstring>

#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace orvanta {

void TSWFObject::Assign(const TBasedSWFObject& Source) {
  BodySize = dynamic_cast<const TSWFObject&>(Source).BodySize;
}

void TSWFObject::ReadFromStream(TBitsEngine&) {}

void TSWFObject::WriteTagBody(TBitsEngine&) {}

size_t EncodeTagHeader(uint16_t Code, uint32_t BodySize, uint8_t (&Out)[kMaxTagHeaderSize]) {
  bool alwaysLong =
      Code == ToCode(TTagCode::SoundStreamBlock) || Code == ToCode(TTagCode::DefineBitsLossless) ||
      Code == ToCode(TTagCode::DefineBitsLossless2) || Code == ToCode(TTagCode::DefineVideoStream);
  bool isLong = BodySize >= 63 || alwaysLong;
  uint16_t word = static_cast<uint16_t>((Code << 6) | (isLong ? 63 : BodySize));
  Out[0] = static_cast<uint8_t>(word);
  Out[1] = static_cast<uint8_t>(word >> 8);
  if (!isLong) return 2;
  for (int i = 0; i < 4; ++i) Out[2 + i] = static_cast<uint8_t>(BodySize >> (8 * i));
  return kMaxTagHeaderSize;
}

void WriteTagHeader(TBitsEngine& Engine, uint16_t Code, uint32_t BodySize) {
  uint8_t header[kMaxTagHeaderSize];
  Engine.Stream().WriteBuffer(header, EncodeTagHeader(Code, BodySize, header));
}

namespace {

// Frames the body in place when the output is a memory stream being appended to: the body is
// written after room for a long header and moved back when the short header will do. This saves
// a buffer per tag, which dominates the cost of long display lists.
bool WriteFramedInPlace(TSWFObject& tag, uint16_t code, TBitsEngine& engine) {
  TMemoryStream* memory = engine.Stream().AsMemoryStream();
  if (!memory || memory->Position() != memory->Size()) return false;
  const size_t start = memory->Size();
  uint8_t header[kMaxTagHeaderSize] = {};
  memory->WriteBuffer(header, kMaxTagHeaderSize);
  TBitsEngine bodyEngine(*memory);
  tag.WriteTagBody(bodyEngine);
  const size_t bodySize = memory->Size() - start - kMaxTagHeaderSize;
  tag.BodySize = static_cast<uint32_t>(bodySize);

  const size_t headerSize = EncodeTagHeader(code, tag.BodySize, header);
  uint8_t* data = memory->MutableData();
  if (headerSize < kMaxTagHeaderSize) {
    std::memmove(data + start + headerSize, data + start + kMaxTagHeaderSize, bodySize);
    memory->Truncate(start + headerSize + bodySize);
  }
  std::memcpy(data + start, header, headerSize);
  memory->SetPosition(memory->Size());
  return true;
}

}  // namespace

void TSWFObject::WriteToStream(TBitsEngine& Engine) {
  uint16_t code = HeaderCode();
  if (code <= 1) {
    Engine.WriteWord(static_cast<uint16_t>(code << 6));
    BodySize = 0;
    return;
  }
  if (WriteFramedInPlace(*this, code, Engine)) return;
  TMemoryStream body;
  TBitsEngine bodyEngine(body);
  WriteTagBody(bodyEngine);
  BodySize = static_cast<uint32_t>(body.Size());
  WriteTagHeader(Engine, code, BodySize);
  Engine.Stream().WriteBuffer(body.Bytes().data(), body.Bytes().size());
}

}  // namespace orvanta
