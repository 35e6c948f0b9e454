#include "builders/common/content_slot.h"

#include "project/banner_document.h"

namespace orvanta {

int ContentSlotIndex(std::string_view label) {
  const auto& slots = ContentSlots();
  for (size_t i = 0; i < slots.size(); ++i)
    if (slots[i].Label == label) return int(i);
  return -1;
}

}  // namespace orvanta
