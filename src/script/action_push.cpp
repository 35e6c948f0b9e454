#include "script/action_push.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace orvanta {

namespace {

const std::string kFlashVarNull = "FlashVar_null";
const std::string kFlashVarUndefined = "FlashVar_undefined";

// Numbers for the typed fields; a value whose kind does not match the type is converted the
// way a script would see it.
int64_t IntegerOf(const TPushValue& V) {
  if (auto* i = std::get_if<int64_t>(&V)) return *i;
  if (auto* b = std::get_if<bool>(&V)) return *b ? 1 : 0;
  double d = 0;
  if (auto* f = std::get_if<float>(&V)) d = *f;
  if (auto* g = std::get_if<double>(&V)) d = *g;
  if (auto* s = std::get_if<std::string>(&V)) d = std::strtod(s->c_str(), nullptr);
  if (!std::isfinite(d)) return 0;
  d = std::trunc(d);
  if (d <= static_cast<double>(std::numeric_limits<int64_t>::min()) ||
      d >= static_cast<double>(std::numeric_limits<int64_t>::max()))
    return 0;
  return static_cast<int64_t>(d);
}

double NumberOf(const TPushValue& V) {
  if (auto* f = std::get_if<float>(&V)) return *f;
  if (auto* d = std::get_if<double>(&V)) return *d;
  if (auto* s = std::get_if<std::string>(&V)) return std::strtod(s->c_str(), nullptr);
  return static_cast<double>(IntegerOf(V));
}

std::string TextOf(const TPushValue& V) {
  if (auto* s = std::get_if<std::string>(&V)) return *s;
  if (auto* b = std::get_if<bool>(&V)) return *b ? "true" : "false";
  if (auto* i = std::get_if<int64_t>(&V)) return std::to_string(*i);
  if (std::holds_alternative<float>(V) || std::holds_alternative<double>(V)) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", NumberOf(V));
    return text;
  }
  return std::string();
}

}  // namespace

void TPushValueInfo::SetValue(const TPushValue& NewValue) {
  IsValid = true;
  Value = NewValue;
  struct Kind {
    uint8_t operator()(std::monostate) const { return kPushUndefined; }
    uint8_t operator()(std::nullptr_t) const { return kPushNull; }
    uint8_t operator()(bool) const { return kPushBoolean; }
    uint8_t operator()(int64_t) const { return kPushInteger; }
    uint8_t operator()(float) const { return kPushFloat; }
    uint8_t operator()(double) const { return kPushDouble; }
    uint8_t operator()(const std::string& s) const {
      if (s == kFlashVarUndefined) return kPushUndefined;
      if (s == kFlashVarNull) return kPushNull;
      return kPushString;
    }
  };
  ValueType = std::visit(Kind{}, NewValue);
  if (ValueType == kPushUndefined) Value = std::string("undefined");
  if (ValueType == kPushNull) Value = std::string("null");
}

TPushValueInfo& TSWFActionPush::AddValue(const TPushValue& Value) {
  TPushValueInfo& info = Values.emplace_back();
  info.SetValue(Value);
  return info;
}

void TSWFActionPush::Assign(const TSWFAction& Source) {
  TSWFAction4::Assign(Source);
  Values = dynamic_cast<const TSWFActionPush&>(Source).Values;
}

int TSWFActionPush::MinVersion() const {
  for (const TPushValueInfo& v : Values)
    if (v.IsValid && v.ValueType > kPushFloat) return 5;
  return 4;
}

void TSWFActionPush::ReadData(TBitsEngine& Engine) {
  TStream& stream = Engine.Stream();
  const uint64_t end = stream.Position() + Length;
  Values.clear();
  while (stream.Position() < end) {
    uint8_t type = Engine.ReadByte();
    TPushValueInfo& info = Values.emplace_back();
    switch (type) {
      case kPushString:
        // Stored as read: through SetValue, a file's string "FlashVar_null" would turn into the
        // text "null".
        info.Value = Engine.ReadString();
        break;
      case kPushFloat:
        info.SetValue(Engine.ReadSingle());
        break;
      case kPushNull:
        info.SetValue(kFlashVarNull);
        break;
      case kPushUndefined:
        info.SetValue(kFlashVarUndefined);
        break;
      case kPushDouble: {
        uint64_t high = Engine.ReadDWord();
        uint64_t low = Engine.ReadDWord();
        info.SetValue(std::bit_cast<double>((high << 32) | low));
        break;
      }
      case kPushInteger:
        info.SetValue(int64_t{static_cast<int32_t>(Engine.ReadDWord())});
        break;
      case kPushConstant16:
        info.SetValue(int64_t{Engine.ReadWord()});
        break;
      default:  // register, boolean, constant8 and types unknown to the format
        info.SetValue(int64_t{Engine.ReadByte()});
        break;
    }
    info.ValueType = type;
  }
}

void TSWFActionPush::WriteData(TBitsEngine& Engine) {
  for (const TPushValueInfo& v : Values) {
    if (!v.IsValid) continue;
    Engine.WriteByte(v.ValueType);
    switch (v.ValueType) {
      case kPushString:
        Engine.WriteString(TextOf(v.Value));
        break;
      case kPushFloat: {
        // A float goes out untouched: a round trip through double would quiet a signalling NaN.
        auto* f = std::get_if<float>(&v.Value);
        Engine.WriteSingle(f ? *f : static_cast<float>(NumberOf(v.Value)));
        break;
      }
      case kPushNull:
      case kPushUndefined:
        break;
      case kPushDouble: {
        uint64_t bits = std::bit_cast<uint64_t>(NumberOf(v.Value));
        Engine.WriteDWord(static_cast<uint32_t>(bits >> 32));
        Engine.WriteDWord(static_cast<uint32_t>(bits));
        break;
      }
      case kPushInteger:
        Engine.WriteDWord(static_cast<uint32_t>(IntegerOf(v.Value)));
        break;
      case kPushConstant16:
        Engine.WriteWord(static_cast<uint16_t>(IntegerOf(v.Value)));
        break;
      default:
        Engine.WriteByte(static_cast<uint8_t>(IntegerOf(v.Value)));
        break;
    }
  }
}

}  // namespace orvanta
