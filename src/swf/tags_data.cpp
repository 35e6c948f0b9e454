#include "swf/tags_data.h"

#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace orvanta {

void TSWFDataObject::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFDataObject&>(Source);
  OnDataWrite = source.OnDataWrite;
  Data = source.OnDataWrite ? std::vector<uint8_t>() : source.Data;
}

void TSWFDataObject::WritePayload(TBitsEngine& Engine) {
  if (OnDataWrite)
    OnDataWrite(*this, Engine);
  else
    Engine.WriteBuffer(Data.data(), Data.size());
}

TSWFByteCodeTag::TSWFByteCodeTag(uint16_t code, std::string description)
    : TSWFDataObject(kRawTagID), StoredCode(code), Description(std::move(description)) {}

void TSWFByteCodeTag::Assign(const TBasedSWFObject& Source) {
  TSWFDataObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFByteCodeTag&>(Source);
  StoredCode = source.StoredCode;
  Description = source.Description;
}

void TSWFByteCodeTag::ReadFromStream(TBitsEngine& Engine) {
  Engine.RequireBytes(BodySize);
  Data.resize(BodySize);
  Engine.ReadBuffer(Data.data(), Data.size());
}

void TSWFByteCodeTag::WriteTagBody(TBitsEngine& Engine) { WritePayload(Engine); }

void TSWFDefineBinaryData::Assign(const TBasedSWFObject& Source) {
  TSWFDataObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFDefineBinaryData&>(Source);
  Tag = source.Tag;
  Reserved = source.Reserved;
}

void TSWFDefineBinaryData::ReadFromStream(TBitsEngine& Engine) {
  Tag = Engine.ReadWord();
  Reserved = Engine.ReadDWord();
  const uint64_t count = BodySize > 6 ? BodySize - 6 : 0;
  Engine.RequireBytes(count);
  Data.resize(count);
  Engine.ReadBuffer(Data.data(), Data.size());
}

void TSWFDefineBinaryData::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(Tag);
  Engine.WriteDWord(Reserved);
  WritePayload(Engine);
}

}  // namespace orvanta
