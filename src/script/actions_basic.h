#pragma once

#include <cstdint>

#include "script/action.h"

namespace orvanta {

// The families fix the lowest SWF version that knows an action; the root TSWFAction stands
// for version 3.
class TSWFAction4 : public TSWFAction {
 public:
  using TSWFAction::TSWFAction;
  int MinVersion() const override { return 4; }
};

class TSWFAction5 : public TSWFAction {
 public:
  using TSWFAction::TSWFAction;
  int MinVersion() const override { return 5; }
};

class TSWFAction6 : public TSWFAction {
 public:
  using TSWFAction::TSWFAction;
  int MinVersion() const override { return 6; }
};

class TSWFAction7 : public TSWFAction {
 public:
  using TSWFAction::TSWFAction;
  int MinVersion() const override { return 7; }
};

// An action that is its code alone. Call (0x9E) is the one such action with a length field; it
// carries no data, so reading takes none (a record that declares data is kept raw instead).
template <class Family, uint8_t Code>
class TSWFCodeAction final : public Family {
 public:
  static constexpr uint8_t kCode = Code;
  TSWFCodeAction() : Family(Code) {}
  void ReadData(TBitsEngine&) override {}
};

using TSWFActionNextFrame = TSWFCodeAction<TSWFAction, 0x04>;
using TSWFActionPreviousFrame = TSWFCodeAction<TSWFAction, 0x05>;
using TSWFActionPlay = TSWFCodeAction<TSWFAction, 0x06>;
using TSWFActionStop = TSWFCodeAction<TSWFAction, 0x07>;
using TSWFActionToggleQuality = TSWFCodeAction<TSWFAction, 0x08>;
using TSWFActionStopSounds = TSWFCodeAction<TSWFAction, 0x09>;

using TSWFActionAdd = TSWFCodeAction<TSWFAction4, 0x0A>;
using TSWFActionSubtract = TSWFCodeAction<TSWFAction4, 0x0B>;
using TSWFActionMultiply = TSWFCodeAction<TSWFAction4, 0x0C>;
using TSWFActionDivide = TSWFCodeAction<TSWFAction4, 0x0D>;
using TSWFActionEquals = TSWFCodeAction<TSWFAction4, 0x0E>;
using TSWFActionLess = TSWFCodeAction<TSWFAction4, 0x0F>;
using TSWFActionAnd = TSWFCodeAction<TSWFAction4, 0x10>;
using TSWFActionOr = TSWFCodeAction<TSWFAction4, 0x11>;
using TSWFActionNot = TSWFCodeAction<TSWFAction4, 0x12>;
using TSWFActionStringEquals = TSWFCodeAction<TSWFAction4, 0x13>;
using TSWFActionStringLength = TSWFCodeAction<TSWFAction4, 0x14>;
using TSWFActionStringExtract = TSWFCodeAction<TSWFAction4, 0x15>;
using TSWFActionPop = TSWFCodeAction<TSWFAction4, 0x17>;
using TSWFActionToInteger = TSWFCodeAction<TSWFAction4, 0x18>;
using TSWFActionGetVariable = TSWFCodeAction<TSWFAction4, 0x1C>;
using TSWFActionSetVariable = TSWFCodeAction<TSWFAction4, 0x1D>;
using TSWFActionSetTarget2 = TSWFCodeAction<TSWFAction4, 0x20>;
using TSWFActionStringAdd = TSWFCodeAction<TSWFAction4, 0x21>;
using TSWFActionGetProperty = TSWFCodeAction<TSWFAction4, 0x22>;
using TSWFActionSetProperty = TSWFCodeAction<TSWFAction4, 0x23>;
using TSWFActionCloneSprite = TSWFCodeAction<TSWFAction4, 0x24>;
using TSWFActionRemoveSprite = TSWFCodeAction<TSWFAction4, 0x25>;
using TSWFActionTrace = TSWFCodeAction<TSWFAction4, 0x26>;
using TSWFActionStartDrag = TSWFCodeAction<TSWFAction4, 0x27>;
using TSWFActionEndDrag = TSWFCodeAction<TSWFAction4, 0x28>;
using TSWFActionStringLess = TSWFCodeAction<TSWFAction4, 0x29>;
using TSWFActionFSCommand2 = TSWFCodeAction<TSWFAction4, 0x2D>;
using TSWFActionRandomNumber = TSWFCodeAction<TSWFAction4, 0x30>;
using TSWFActionMBStringLength = TSWFCodeAction<TSWFAction4, 0x31>;
using TSWFActionCharToAscii = TSWFCodeAction<TSWFAction4, 0x32>;
using TSWFActionAsciiToChar = TSWFCodeAction<TSWFAction4, 0x33>;
using TSWFActionGetTime = TSWFCodeAction<TSWFAction4, 0x34>;
using TSWFActionMBStringExtract = TSWFCodeAction<TSWFAction4, 0x35>;
using TSWFActionMBCharToAscii = TSWFCodeAction<TSWFAction4, 0x36>;
using TSWFActionMBAsciiToChar = TSWFCodeAction<TSWFAction4, 0x37>;
using TSWFActionCall = TSWFCodeAction<TSWFAction4, 0x9E>;

using TSWFActionDelete = TSWFCodeAction<TSWFAction5, 0x3A>;
using TSWFActionDelete2 = TSWFCodeAction<TSWFAction5, 0x3B>;
using TSWFActionDefineLocal = TSWFCodeAction<TSWFAction5, 0x3C>;
using TSWFActionCallFunction = TSWFCodeAction<TSWFAction5, 0x3D>;
using TSWFActionReturn = TSWFCodeAction<TSWFAction5, 0x3E>;
using TSWFActionModulo = TSWFCodeAction<TSWFAction5, 0x3F>;
using TSWFActionNewObject = TSWFCodeAction<TSWFAction5, 0x40>;
using TSWFActionDefineLocal2 = TSWFCodeAction<TSWFAction5, 0x41>;
using TSWFActionInitArray = TSWFCodeAction<TSWFAction5, 0x42>;
using TSWFActionInitObject = TSWFCodeAction<TSWFAction5, 0x43>;
using TSWFActionTypeOf = TSWFCodeAction<TSWFAction5, 0x44>;
using TSWFActionTargetPath = TSWFCodeAction<TSWFAction5, 0x45>;
using TSWFActionEnumerate = TSWFCodeAction<TSWFAction5, 0x46>;
using TSWFActionAdd2 = TSWFCodeAction<TSWFAction5, 0x47>;
using TSWFActionLess2 = TSWFCodeAction<TSWFAction5, 0x48>;
using TSWFActionEquals2 = TSWFCodeAction<TSWFAction5, 0x49>;
using TSWFActionToNumber = TSWFCodeAction<TSWFAction5, 0x4A>;
using TSWFActionToString = TSWFCodeAction<TSWFAction5, 0x4B>;
using TSWFActionPushDuplicate = TSWFCodeAction<TSWFAction5, 0x4C>;
using TSWFActionStackSwap = TSWFCodeAction<TSWFAction5, 0x4D>;
using TSWFActionGetMember = TSWFCodeAction<TSWFAction5, 0x4E>;
using TSWFActionSetMember = TSWFCodeAction<TSWFAction5, 0x4F>;
using TSWFActionIncrement = TSWFCodeAction<TSWFAction5, 0x50>;
using TSWFActionDecrement = TSWFCodeAction<TSWFAction5, 0x51>;
using TSWFActionCallMethod = TSWFCodeAction<TSWFAction5, 0x52>;
using TSWFActionNewMethod = TSWFCodeAction<TSWFAction5, 0x53>;
using TSWFActionBitAnd = TSWFCodeAction<TSWFAction5, 0x60>;
using TSWFActionBitOr = TSWFCodeAction<TSWFAction5, 0x61>;
using TSWFActionBitXor = TSWFCodeAction<TSWFAction5, 0x62>;
using TSWFActionBitLShift = TSWFCodeAction<TSWFAction5, 0x63>;
using TSWFActionBitRShift = TSWFCodeAction<TSWFAction5, 0x64>;
using TSWFActionBitURShift = TSWFCodeAction<TSWFAction5, 0x65>;

using TSWFActionInstanceOf = TSWFCodeAction<TSWFAction6, 0x54>;
using TSWFActionEnumerate2 = TSWFCodeAction<TSWFAction6, 0x55>;
using TSWFActionStrictEquals = TSWFCodeAction<TSWFAction6, 0x66>;
using TSWFActionGreater = TSWFCodeAction<TSWFAction6, 0x67>;
using TSWFActionStringGreater = TSWFCodeAction<TSWFAction6, 0x68>;

using TSWFActionThrow = TSWFCodeAction<TSWFAction7, 0x2A>;
using TSWFActionCastOp = TSWFCodeAction<TSWFAction7, 0x2B>;
using TSWFActionImplementsOp = TSWFCodeAction<TSWFAction7, 0x2C>;
using TSWFActionExtends = TSWFCodeAction<TSWFAction7, 0x69>;

// A new code-only action for Code, or nullptr when Code is not one of the actions above.
std::unique_ptr<TSWFAction> CreateCodeAction(uint8_t Code);

}  // namespace orvanta
