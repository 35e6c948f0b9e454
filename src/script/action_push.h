#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "script/actions_basic.h"

namespace orvanta {

// A value handed to a Push. Every integer width arrives as int64_t; nullptr stands for null and
// the empty state for undefined.
using TPushValue =
    std::variant<std::monostate, std::nullptr_t, bool, int64_t, float, double, std::string>;

// SWF push value types.
enum TPushType : uint8_t {
  kPushString = 0,
  kPushFloat = 1,
  kPushNull = 2,
  kPushUndefined = 3,
  kPushRegister = 4,
  kPushBoolean = 5,
  kPushDouble = 6,
  kPushInteger = 7,
  kPushConstant8 = 8,
  kPushConstant16 = 9,
};

struct TPushValueInfo {
  TPushValue Value;
  uint8_t ValueType = kPushUndefined;
  bool IsValid = true;

  // Sets Value and derives ValueType from its kind. The texts "FlashVar_null" and
  // "FlashVar_undefined" stand for null and undefined (kept as the texts "null", "undefined").
  void SetValue(const TPushValue& NewValue);
};

class TSWFActionPush : public TSWFAction4 {
 public:
  TSWFActionPush() : TSWFAction4(0x96) {}

  std::vector<TPushValueInfo> Values;

  TPushValueInfo& AddValue(const TPushValue& Value);
  TPushValueInfo& ValueInfo(size_t Index) { return Values.at(Index); }
  size_t Count() const { return Values.size(); }

  void Assign(const TSWFAction& Source) override;
  // 5 once a value needs a type beyond string and float.
  int MinVersion() const override;
  // Reads values until Length bytes are consumed.
  void ReadData(TBitsEngine& Engine) override;
  // Values that are not valid are left out.
  void WriteData(TBitsEngine& Engine) override;
};

}  // namespace orvanta
