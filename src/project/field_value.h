#pragma once

#include <string>
#include <string_view>

#include "project/field_registry.h"

namespace orvanta {

// A field's value in its text form. Only a choice with text uses FreeText: the typed link
// target, when the index is -1.
struct TFieldValue {
  std::string Text;
  std::string FreeText;
  bool operator==(const TFieldValue&) const = default;
};

// Checks a value against its field's kind and range and returns the value the document holds.
// When the value had to be changed (not a number, out of range, a line break in a one-line
// text), Problem says what was wrong and what is used instead; otherwise it is left empty.
TFieldValue NormaliseFieldValue(const TFieldSpec& field, std::string_view text,
                                std::string_view freeText, std::string& problem);

// A value typed by a user: for a choice with text, anything that is not an index is the free
// text.
TFieldValue NormaliseTypedValue(const TFieldSpec& field, std::string_view typed,
                                std::string& problem);

// The value as a user reads it back: the free text of a typed target, else the text.
const std::string& DisplayedValue(const TFieldValue& value);

}  // namespace orvanta
