#include "script/actions_basic.h"

namespace orvanta {

namespace {

template <class T>
std::unique_ptr<TSWFAction> Make() {
  return std::make_unique<T>();
}

}  // namespace

std::unique_ptr<TSWFAction> CreateCodeAction(uint8_t Code) {
  // clang-format off
  switch (Code) {
    case 0x04: return Make<TSWFActionNextFrame>();
    case 0x05: return Make<TSWFActionPreviousFrame>();
    case 0x06: return Make<TSWFActionPlay>();
    case 0x07: return Make<TSWFActionStop>();
    case 0x08: return Make<TSWFActionToggleQuality>();
    case 0x09: return Make<TSWFActionStopSounds>();
    case 0x0A: return Make<TSWFActionAdd>();
    case 0x0B: return Make<TSWFActionSubtract>();
    case 0x0C: return Make<TSWFActionMultiply>();
    case 0x0D: return Make<TSWFActionDivide>();
    case 0x0E: return Make<TSWFActionEquals>();
    case 0x0F: return Make<TSWFActionLess>();
    case 0x10: return Make<TSWFActionAnd>();
    case 0x11: return Make<TSWFActionOr>();
    case 0x12: return Make<TSWFActionNot>();
    case 0x13: return Make<TSWFActionStringEquals>();
    case 0x14: return Make<TSWFActionStringLength>();
    case 0x15: return Make<TSWFActionStringExtract>();
    case 0x17: return Make<TSWFActionPop>();
    case 0x18: return Make<TSWFActionToInteger>();
    case 0x1C: return Make<TSWFActionGetVariable>();
    case 0x1D: return Make<TSWFActionSetVariable>();
    case 0x20: return Make<TSWFActionSetTarget2>();
    case 0x21: return Make<TSWFActionStringAdd>();
    case 0x22: return Make<TSWFActionGetProperty>();
    case 0x23: return Make<TSWFActionSetProperty>();
    case 0x24: return Make<TSWFActionCloneSprite>();
    case 0x25: return Make<TSWFActionRemoveSprite>();
    case 0x26: return Make<TSWFActionTrace>();
    case 0x27: return Make<TSWFActionStartDrag>();
    case 0x28: return Make<TSWFActionEndDrag>();
    case 0x29: return Make<TSWFActionStringLess>();
    case 0x2A: return Make<TSWFActionThrow>();
    case 0x2B: return Make<TSWFActionCastOp>();
    case 0x2C: return Make<TSWFActionImplementsOp>();
    case 0x2D: return Make<TSWFActionFSCommand2>();
    case 0x30: return Make<TSWFActionRandomNumber>();
    case 0x31: return Make<TSWFActionMBStringLength>();
    case 0x32: return Make<TSWFActionCharToAscii>();
    case 0x33: return Make<TSWFActionAsciiToChar>();
    case 0x34: return Make<TSWFActionGetTime>();
    case 0x35: return Make<TSWFActionMBStringExtract>();
    case 0x36: return Make<TSWFActionMBCharToAscii>();
    case 0x37: return Make<TSWFActionMBAsciiToChar>();
    case 0x3A: return Make<TSWFActionDelete>();
    case 0x3B: return Make<TSWFActionDelete2>();
    case 0x3C: return Make<TSWFActionDefineLocal>();
    case 0x3D: return Make<TSWFActionCallFunction>();
    case 0x3E: return Make<TSWFActionReturn>();
    case 0x3F: return Make<TSWFActionModulo>();
    case 0x40: return Make<TSWFActionNewObject>();
    case 0x41: return Make<TSWFActionDefineLocal2>();
    case 0x42: return Make<TSWFActionInitArray>();
    case 0x43: return Make<TSWFActionInitObject>();
    case 0x44: return Make<TSWFActionTypeOf>();
    case 0x45: return Make<TSWFActionTargetPath>();
    case 0x46: return Make<TSWFActionEnumerate>();
    case 0x47: return Make<TSWFActionAdd2>();
    case 0x48: return Make<TSWFActionLess2>();
    case 0x49: return Make<TSWFActionEquals2>();
    case 0x4A: return Make<TSWFActionToNumber>();
    case 0x4B: return Make<TSWFActionToString>();
    case 0x4C: return Make<TSWFActionPushDuplicate>();
    case 0x4D: return Make<TSWFActionStackSwap>();
    case 0x4E: return Make<TSWFActionGetMember>();
    case 0x4F: return Make<TSWFActionSetMember>();
    case 0x50: return Make<TSWFActionIncrement>();
    case 0x51: return Make<TSWFActionDecrement>();
    case 0x52: return Make<TSWFActionCallMethod>();
    case 0x53: return Make<TSWFActionNewMethod>();
    case 0x54: return Make<TSWFActionInstanceOf>();
    case 0x55: return Make<TSWFActionEnumerate2>();
    case 0x60: return Make<TSWFActionBitAnd>();
    case 0x61: return Make<TSWFActionBitOr>();
    case 0x62: return Make<TSWFActionBitXor>();
    case 0x63: return Make<TSWFActionBitLShift>();
    case 0x64: return Make<TSWFActionBitRShift>();
    case 0x65: return Make<TSWFActionBitURShift>();
    case 0x66: return Make<TSWFActionStrictEquals>();
    case 0x67: return Make<TSWFActionGreater>();
    case 0x68: return Make<TSWFActionStringGreater>();
    case 0x69: return Make<TSWFActionExtends>();
    case 0x9E: return Make<TSWFActionCall>();
    default: return nullptr;
  }
  // clang-format on
}

}  // namespace orvanta
