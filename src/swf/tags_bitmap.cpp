#include "swf/tags_bitmap.h"

#include <algorithm>
#include <cstring>

#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace orvanta {

namespace {

constexpr uint8_t kStartMarker[2] = {0xFF, 0xD8};
constexpr uint8_t kEndMarker[2] = {0xFF, 0xD9};

bool StartsWith(const std::vector<uint8_t>& data, size_t at, const uint8_t* bytes, size_t n) {
  return data.size() >= at + n && std::memcmp(data.data() + at, bytes, n) == 0;
}

// PNG and GIF data, which players take in the JPEG tags as they are.
bool IsOtherPicture(const std::vector<uint8_t>& data) {
  static constexpr uint8_t kPNG[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  static constexpr uint8_t kGIF[4] = {'G', 'I', 'F', '8'};
  return StartsWith(data, 0, kPNG, sizeof kPNG) || StartsWith(data, 0, kGIF, sizeof kGIF);
}

// The body bytes left after Used bytes of fixed fields, checked against the data.
uint64_t PayloadSize(const TBitsEngine& Engine, uint32_t BodySize, uint32_t Used) {
  uint64_t count = BodySize > Used ? BodySize - Used : 0;
  Engine.RequireBytes(count);
  return count;
}

void ReadBytes(TBitsEngine& Engine, uint64_t Count, std::vector<uint8_t>& Data) {
  Engine.RequireBytes(Count);
  Data.resize(static_cast<size_t>(Count));
  Engine.ReadBuffer(Data.data(), Data.size());
}

}  // namespace

void TSWFImageTag::Assign(const TBasedSWFObject& Source) {
  TSWFDataObject::Assign(Source);
  CharacterId = dynamic_cast<const TSWFImageTag&>(Source).CharacterId;
}

void TJPEGPayload::ReadJPEGPayload(TBitsEngine& Engine, uint64_t Count,
                                   std::vector<uint8_t>& Data) {
  ReadBytes(Engine, Count, Data);
  verbatim_ = false;
  if (StartsWith(Data, 0, kEndMarker, 2) && Data.size() >= 4) {
    // The erroneous header of old encoders: an end marker and a start marker before the stream.
    Data.erase(Data.begin(), Data.begin() + 4);
  } else if (StartsWith(Data, 0, kStartMarker, 2) && Data.size() >= 4 &&
             StartsWith(Data, Data.size() - 2, kEndMarker, 2) &&
             !StartsWith(Data, 2, kStartMarker, 2)) {
    Data.pop_back();
    Data.pop_back();
    Data.erase(Data.begin(), Data.begin() + 2);
  } else {
    verbatim_ = true;
  }
}

void TJPEGPayload::WriteJPEGPayload(TBitsEngine& Engine, const std::vector<uint8_t>& Data) const {
  if (verbatim_ || IsOtherPicture(Data)) {
    Engine.WriteBuffer(Data.data(), Data.size());
  } else if (StartsWith(Data, 0, kStartMarker, 2)) {
    Engine.WriteBuffer(kEndMarker, 2);
    Engine.WriteBuffer(kStartMarker, 2);
    Engine.WriteBuffer(Data.data(), Data.size());
  } else {
    Engine.WriteBuffer(kStartMarker, 2);
    Engine.WriteBuffer(Data.data(), Data.size());
    Engine.WriteBuffer(kEndMarker, 2);
  }
}

void TSWFDefineBits::Assign(const TBasedSWFObject& Source) {
  TSWFImageTag::Assign(Source);
  verbatim_ = dynamic_cast<const TSWFDefineBits&>(Source).verbatim_;
}

void TSWFDefineBits::ReadFromStream(TBitsEngine& Engine) {
  CharacterId = Engine.ReadWord();
  ReadJPEGPayload(Engine, PayloadSize(Engine, BodySize, 2), Data);
}

void TSWFDefineBits::WriteImagePayload(TBitsEngine& Engine) {
  if (OnDataWrite)
    OnDataWrite(*this, Engine);
  else
    WriteJPEGPayload(Engine, Data);
}

void TSWFDefineBits::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(CharacterId);
  WriteImagePayload(Engine);
}

void TSWFJPEGTables::Assign(const TBasedSWFObject& Source) {
  TSWFDataObject::Assign(Source);
  verbatim_ = dynamic_cast<const TSWFJPEGTables&>(Source).verbatim_;
}

void TSWFJPEGTables::ReadFromStream(TBitsEngine& Engine) {
  ReadJPEGPayload(Engine, PayloadSize(Engine, BodySize, 0), Data);
}

void TSWFJPEGTables::WriteTagBody(TBitsEngine& Engine) {
  if (OnDataWrite)
    OnDataWrite(*this, Engine);
  else if (!Data.empty() || verbatim_)
    WriteJPEGPayload(Engine, Data);
}

void TSWFDefineBitsJPEG3::Assign(const TBasedSWFObject& Source) {
  TSWFDefineBitsJPEG2::Assign(Source);
  auto& source = dynamic_cast<const TSWFDefineBitsJPEG3&>(Source);
  AlphaDataOffset = source.AlphaDataOffset;
  OnAlphaDataWrite = source.OnAlphaDataWrite;
  AlphaData = source.OnAlphaDataWrite ? std::vector<uint8_t>() : source.AlphaData;
}

void TSWFDefineBitsJPEG3::ReadFromStream(TBitsEngine& Engine) {
  CharacterId = Engine.ReadWord();
  AlphaDataOffset = Engine.ReadDWord();
  uint64_t rest = PayloadSize(Engine, BodySize, 6);
  if (AlphaDataOffset > rest)
    throw StreamError("the JPEG data of DefineBitsJPEG3 runs past the end of the tag");
  ReadJPEGPayload(Engine, AlphaDataOffset, Data);
  ReadBytes(Engine, rest - AlphaDataOffset, AlphaData);
}

void TSWFDefineBitsJPEG3::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(CharacterId);
  TStream& stream = Engine.Stream();
  const uint64_t offsetAt = stream.Position();
  Engine.WriteDWord(0);
  WriteImagePayload(Engine);
  const uint64_t end = stream.Position();
  AlphaDataOffset = static_cast<uint32_t>(end - offsetAt - 4);
  stream.SetPosition(offsetAt);
  Engine.WriteDWord(AlphaDataOffset);
  stream.SetPosition(end);
  if (OnAlphaDataWrite)
    OnAlphaDataWrite(*this, Engine);
  else
    Engine.WriteBuffer(AlphaData.data(), AlphaData.size());
}

void TSWFDefineBitsLossless::Assign(const TBasedSWFObject& Source) {
  TSWFImageTag::Assign(Source);
  auto& source = dynamic_cast<const TSWFDefineBitsLossless&>(Source);
  BitmapFormat = source.BitmapFormat;
  BitmapWidth = source.BitmapWidth;
  BitmapHeight = source.BitmapHeight;
  BitmapColorTableSize = source.BitmapColorTableSize;
}

void TSWFDefineBitsLossless::ReadFromStream(TBitsEngine& Engine) {
  CharacterId = Engine.ReadWord();
  BitmapFormat = Engine.ReadByte();
  BitmapWidth = Engine.ReadWord();
  BitmapHeight = Engine.ReadWord();
  uint32_t used = 7;
  if (BitmapFormat == 3) {
    BitmapColorTableSize = Engine.ReadByte();
    ++used;
  }
  ReadBytes(Engine, PayloadSize(Engine, BodySize, used), Data);
}

void TSWFDefineBitsLossless::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(CharacterId);
  Engine.WriteByte(BitmapFormat);
  Engine.WriteWord(BitmapWidth);
  Engine.WriteWord(BitmapHeight);
  if (BitmapFormat == 3) Engine.WriteByte(BitmapColorTableSize);
  WritePayload(Engine);
}

}  // namespace orvanta
