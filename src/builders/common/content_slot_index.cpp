#include "builders/common/content_slot_index.h"

#include <string>

#include "platform/errors.h"
#include "project/banner_document.h"

namespace orvanta {

int ContentSlotIndex(std::string_view label) {
  const auto& slots = ContentSlots();
  for (size_t i = 0; i < slots.size(); ++i)
    if (slots[i].Label == label) return int(i);
  throw Error("the content list has no slot " + std::string(label));
}

}  // namespace orvanta
