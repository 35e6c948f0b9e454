#include "builders/button_bar/link_fields.h"

#include "platform/errors.h"
#include "project/field_registry.h"

namespace orvanta {

std::string ButtonSlotField(std::string_view stem, int slot) {
  return std::string(stem) + (slot <= 7 ? "" : "_") + std::to_string(slot);
}

std::string LinkTarget(const TPageState& page, std::string_view field) {
  const TFieldValue& value = page.Field(field);
  const auto& choices = FieldRegistry()[FindSavedField(field)].Choices;
  const int index = value.Text.empty() ? -1 : std::stoi(value.Text);
  if (index >= 0 && size_t(index) < choices.size()) return std::string(choices[index]);
  return value.FreeText;
}

}  // namespace orvanta
