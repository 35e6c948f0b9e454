#pragma once

#include <cstdint>
#include <string>

namespace orvanta {

// A count as the user reads it in a message: "72,000".
std::string CountText(int64_t count);

}  // namespace orvanta
