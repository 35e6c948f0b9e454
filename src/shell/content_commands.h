#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "project/banner_document.h"
#include "project/field_registry.h"

namespace orvanta {

// The editor, and the tab it opens on, that edits a content-list item.
struct TEditorTarget {
  TEditorId Editor;
  std::string Tab;  // empty: the first tab
};
// None for a label no editor edits.
std::optional<TEditorTarget> EditorForItem(std::string_view label);

// Clears the settings that make the item present; "[Layout]" and "Back Ground" keep theirs.
void DeleteItem(TPageState& page, std::string_view label);

}  // namespace orvanta
