#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "swf/swf_object.h"

namespace orvanta {

// Writes a payload at serialisation time instead of stored bytes.
using TDataWriteEvent = std::function<void(TSWFObject& Sender, TBitsEngine& Engine)>;

// Base of the tags that carry an opaque payload: either stored bytes or a callback.
class TSWFDataObject : public TSWFObject {
 public:
  std::vector<uint8_t> Data;
  TDataWriteEvent OnDataWrite;

  void Assign(const TBasedSWFObject& Source) override;

 protected:
  using TSWFObject::TSWFObject;
  // Writes the payload from the callback, or else the stored bytes.
  void WritePayload(TBitsEngine& Engine);
};

// A tag kept as raw bytes: tags this library does not model, and tags that failed to parse.
// Its own TagID is 240; the real code is kept apart and is the one written.
class TSWFByteCodeTag : public TSWFDataObject {
 public:
  static constexpr uint16_t kRawTagID = ToCode(TTagCode::ErrorTag);
  explicit TSWFByteCodeTag(uint16_t code = kRawTagID, std::string description = "Uniknow tag");

  uint16_t StoredCode;
  std::string Description;

  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;

 protected:
  uint16_t HeaderCode() const override { return StoredCode; }
};

// DefineBinaryData (87): arbitrary bytes bound to a character id.
class TSWFDefineBinaryData : public TSWFDataObject {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineBinaryData);
  TSWFDefineBinaryData() : TSWFDataObject(kTagID) {}

  // The character id.
  uint16_t Tag = 0;
  // 0 when written by us; kept as read, since some tools store a value here.
  uint32_t Reserved = 0;

  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

}  // namespace orvanta
