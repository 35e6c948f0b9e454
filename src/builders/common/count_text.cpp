#include "builders/common/count_text.h"

namespace orvanta {

std::string CountText(int64_t count) {
  std::string digits = std::to_string(count < 0 ? -count : count);
  for (int at = int(digits.size()) - 3; at > 0; at -= 3) digits.insert(size_t(at), ",");
  return count < 0 ? "-" + digits : digits;
}

}  // namespace orvanta
