#include "swf/swf_object.h"

#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace orvanta {

void TSWFObject::Assign(const TBasedSWFObject& Source) {
  BodySize = dynamic_cast<const TSWFObject&>(Source).BodySize;
}

void TSWFObject::ReadFromStream(TBitsEngine&) {}

void TSWFObject::WriteTagBody(TBitsEngine&) {}

void WriteTagHeader(TBitsEngine& Engine, uint16_t Code, uint32_t BodySize) {
  bool alwaysLong = Code == 19 || Code == 20 || Code == 36 || Code == 60;
  bool isLong = BodySize >= 63 || alwaysLong;
  uint16_t word = static_cast<uint16_t>((Code << 6) | (isLong ? 63 : BodySize));
  uint8_t header[2] = {static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8)};
  Engine.Stream().WriteBuffer(header, 2);
  if (isLong) Engine.WriteRawDWord(BodySize);
}

void TSWFObject::WriteToStream(TBitsEngine& Engine) {
  uint16_t code = HeaderCode();
  if (code <= 1) {
    Engine.WriteWord(static_cast<uint16_t>(code << 6));
    BodySize = 0;
    return;
  }
  TMemoryStream body;
  TBitsEngine bodyEngine(body);
  WriteTagBody(bodyEngine);
  BodySize = static_cast<uint32_t>(body.Size());
  WriteTagHeader(Engine, code, BodySize);
  Engine.Stream().WriteBuffer(body.Bytes().data(), body.Bytes().size());
}

}  // namespace orvanta
