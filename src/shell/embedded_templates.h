#pragma once

#include <cstdint>
#include <span>

namespace orvanta {

// The template pack the artwork generator made, linked into the executable.
std::span<const uint8_t> EmbeddedTemplatePack();

}  // namespace orvanta
