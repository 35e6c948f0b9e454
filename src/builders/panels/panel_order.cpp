#include "builders/panels/panel_order.h"

#include <algorithm>
#include <array>
#include <string>

#include "builders/panels/shape_panels_builder.h"
#include "project/banner_document.h"

namespace orvanta {

namespace {

constexpr std::array<const char*, 11> kSlotFields = {
    "listbox", "posx",   "posy",          "alpha",  "width",        "height",
    "shadow",  "color1", "color1Replace", "color2", "color2Replace"};

// The values of slots first ... last, rotated so that the first moves to the end (left) or
// the last to the front (right).
void RotateSlots(TPageState& page, int first, int last, bool left) {
  for (const char* field : kSlotFields) {
    std::vector<TFieldValue*> values;
    for (int slot = first; slot <= last; ++slot)
      values.push_back(
          &page.Fields[size_t(FindSavedField("shape" + std::to_string(slot) + field))]);
    std::vector<TFieldValue> copies;
    for (TFieldValue* value : values) copies.push_back(*value);
    if (left)
      std::rotate(copies.begin(), copies.begin() + 1, copies.end());
    else
      std::rotate(copies.rbegin(), copies.rbegin() + 1, copies.rend());
    for (size_t i = 0; i < values.size(); ++i) *values[i] = copies[i];
  }
}

}  // namespace

void SendPanelToBack(TPageState& page, int slot) {
  if (slot >= 1 && slot < kPanelSlots) RotateSlots(page, slot, kPanelSlots, true);
}

void BringPanelToFront(TPageState& page, int slot) {
  if (slot > 1 && slot <= kPanelSlots) RotateSlots(page, 1, slot, false);
}

}  // namespace orvanta
