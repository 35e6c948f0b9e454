#pragma once

#include <nlohmann/json.hpp>

namespace orvanta {

// The registry as JSON for the editor UI: editors with their captions, and per field the kind,
// range, choices, defaults, option group, caption and tab; and the blocks each edits (texts,
// fonts, the photo list).
nlohmann::json FieldSchema();

}  // namespace orvanta
