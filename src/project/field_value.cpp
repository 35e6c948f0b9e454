#include "project/field_value.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>

#include "project/page_file_name.h"

namespace orvanta {

namespace {

enum class TNumber { Valid, TooLarge, TooSmall, NotANumber };

// Decimal integers with an optional sign; blanks around them are tolerated. Values beyond 64
// bits still count as numbers, only too large or too small.
TNumber ParseDecimal(std::string_view text, int64_t& value) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  if (text.empty()) return TNumber::NotANumber;
  for (char c : text)
    if (c < '0' || c > '9') return TNumber::NotANumber;
  uint64_t magnitude = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  (void)end;
  if (error != std::errc() || magnitude > uint64_t(std::numeric_limits<int64_t>::max()))
    return negative ? TNumber::TooSmall : TNumber::TooLarge;
  value = negative ? -int64_t(magnitude) : int64_t(magnitude);
  return TNumber::Valid;
}

// Keeps a message readable when the value is long or binary.
std::string Shown(std::string_view text) {
  std::string out;
  for (unsigned char c : text.substr(0, 40)) out += (c < 0x20 || c == 0x7F) ? '?' : char(c);
  if (text.size() > 40) out += "...";
  return "\"" + out + "\"";
}

TFieldValue Defaulted(const TFieldSpec& field, std::string_view text, std::string_view why,
                      std::string& problem) {
  problem = Shown(text) + " " + std::string(why) + "; the default " + field.Default + " is used";
  return {field.Default, ""};
}

TFieldValue Integer(const TFieldSpec& field, std::string_view text, std::string& problem) {
  int64_t value = 0;
  const TNumber parsed = ParseDecimal(text, value);
  if (parsed == TNumber::NotANumber) return Defaulted(field, text, "is not a number", problem);
  int64_t clamped = parsed == TNumber::TooLarge ? field.Max
                    : parsed == TNumber::TooSmall
                        ? field.Min
                        : std::clamp<int64_t>(value, field.Min, field.Max);
  if (parsed != TNumber::Valid || clamped != value)
    problem = Shown(text) + " is outside " + std::to_string(field.Min) + ".." +
              std::to_string(field.Max) + "; " + std::to_string(clamped) + " is used";
  return {std::to_string(clamped), ""};
}

TFieldValue Choice(const TFieldSpec& field, std::string_view text, std::string& problem) {
  int64_t value = 0;
  const TNumber parsed = ParseDecimal(text, value);
  if (parsed == TNumber::NotANumber) return Defaulted(field, text, "is not a list index", problem);
  if (parsed != TNumber::Valid || value < field.Min || value > field.Max)
    return Defaulted(field, text,
                     "is not an entry of the list (-1.." + std::to_string(field.Max) + ")",
                     problem);
  return {std::to_string(value), ""};
}

TFieldValue Colour(const TFieldSpec& field, std::string_view text, std::string& problem) {
  int64_t value = 0;
  const TNumber parsed = ParseDecimal(text, value);
  if (parsed == TNumber::NotANumber) return Defaulted(field, text, "is not a colour", problem);
  if (parsed != TNumber::Valid) return Defaulted(field, text, "is not a 24-bit colour", problem);
  // Stored colours are 64-bit decimals of which the low 32 bits count; only 24 bits are colour.
  const uint32_t colour = uint32_t(uint64_t(value)) & 0xFFFFFF;
  if (value < 0 || value > 0xFFFFFF)
    problem = Shown(text) + " is not a 24-bit colour; " + std::to_string(colour) + " is used";
  return {std::to_string(colour), ""};
}

TFieldValue Boolean(std::string_view text, std::string& problem) {
  if (text == "True") return {"True", ""};
  if (text != "False") problem = Shown(text) + " is neither True nor False; False is used";
  return {"False", ""};
}

// One-line texts lose their line breaks: a break would end the field line early.
std::string OneLine(std::string_view text, std::string& problem) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != '\r' && c != '\n') out += c;
  if (out.size() != text.size()) problem = "line breaks removed";
  return out;
}

// A page is published under this name inside the chosen folder.
std::string PageFileName(std::string_view text, std::string& problem) {
  bool changed = false;
  std::string name = SafePageFileName(text, &changed);
  if (changed) problem = Shown(text) + " is not a safe page file name; " + Shown(name) + " is used";
  return name;
}

}  // namespace

TFieldValue NormaliseFieldValue(const TFieldSpec& field, std::string_view text,
                                std::string_view freeText, std::string& problem) {
  problem.clear();
  switch (field.Kind) {
    case TFieldKind::Integer:
      return Integer(field, text, problem);
    case TFieldKind::Flag:
    case TFieldKind::Option:
      return Boolean(text, problem);
    case TFieldKind::Choice:
    case TFieldKind::PictureChoice:
      return Choice(field, text, problem);
    case TFieldKind::Colour:
      return Colour(field, text, problem);
    case TFieldKind::Text:
      if (field.PageFileName) return {PageFileName(text, problem), ""};
      [[fallthrough]];
    case TFieldKind::WideText:
      return {field.MultiLine ? std::string(text) : OneLine(text, problem), ""};
    case TFieldKind::ChoiceWithText: {
      TFieldValue value = Choice(field, text, problem);
      if (value.Text == "-1") value.FreeText = OneLine(freeText, problem);
      return value;
    }
  }
  return {field.Default, ""};
}

TFieldValue NormaliseTypedValue(const TFieldSpec& field, std::string_view typed,
                                std::string& problem) {
  int64_t index = 0;
  if (field.Kind == TFieldKind::ChoiceWithText && ParseDecimal(typed, index) != TNumber::Valid)
    return NormaliseFieldValue(field, "-1", typed, problem);
  return NormaliseFieldValue(field, typed, "", problem);
}

const std::string& DisplayedValue(const TFieldValue& value) {
  return value.Text == "-1" && !value.FreeText.empty() ? value.FreeText : value.Text;
}

}  // namespace orvanta
