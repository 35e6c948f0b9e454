#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "swf/action_list.h"

namespace orvanta {

class TBitsEngine;

// One ActionScript 1/2 action record. Codes 254 (raw bytes) and 255 (offset marker) belong to
// this library and never appear in a file as such.
class TSWFAction {
 public:
  static constexpr uint8_t kByteCode = 0xFE;
  static constexpr uint8_t kOffsetMarker = 0xFF;

  explicit TSWFAction(uint8_t Code) : ActionCode(Code) {}
  virtual ~TSWFAction() = default;
  TSWFAction(const TSWFAction&) = delete;
  TSWFAction& operator=(const TSWFAction&) = delete;

  uint8_t ActionCode;
  // Length of the action's data: as read from the file, recomputed on every write.
  uint16_t Length = 0;

  // Copies the fields of Source, an action of the same class.
  virtual void Assign(const TSWFAction& Source);
  virtual int MinVersion() const { return 3; }
  // Reads the data that follows the record header; the base skips Length bytes.
  virtual void ReadData(TBitsEngine& Engine);
  virtual void WriteData(TBitsEngine& Engine);
  // Writes the whole record: code, and for codes 0x80 and above the length and the data.
  virtual void WriteToStream(TBitsEngine& Engine);

  // Bytes the record takes in a file: 1 below 0x80, else Length + 3; library codes count 0
  // except raw bytes, which count their size.
  virtual uint32_t RecordSize() const;
};

// A block of raw action bytes, written unchanged with no record header. Unknown actions and
// unparsed action blocks are kept this way.
class TSWFActionByteCode : public TSWFAction {
 public:
  TSWFActionByteCode() : TSWFAction(kByteCode) {}
  explicit TSWFActionByteCode(std::vector<uint8_t> Bytes)
      : TSWFAction(kByteCode), Data(std::move(Bytes)) {}

  std::vector<uint8_t> Data;

  void Assign(const TSWFAction& Source) override;
  int MinVersion() const override { return 4; }
  void ReadData(TBitsEngine& Engine) override;
  void WriteData(TBitsEngine& Engine) override;
  void WriteToStream(TBitsEngine& Engine) override;
  uint32_t RecordSize() const override { return static_cast<uint32_t>(Data.size()); }
};

// A new action of the class registered for Code, or nullptr for a code this library does not
// know (254 gives a raw block, 255 an offset marker).
std::unique_ptr<TSWFAction> CreateActionByCode(uint8_t Code);

}  // namespace orvanta
