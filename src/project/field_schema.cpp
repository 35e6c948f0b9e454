#include "project/field_schema.h"

#include "project/field_registry.h"
#include "project/page_blocks.h"

namespace orvanta {

nlohmann::json FieldSchema() {
  nlohmann::json editors = nlohmann::json::array();
  for (int e = 0; e < kEditorCount; ++e)
    editors.push_back({{"class", EditorClassName(TEditorId(e))},
                       {"caption", EditorCaption(TEditorId(e))},
                       {"fields", nlohmann::json::array()},
                       {"blocks", nlohmann::json::array()}});
  for (const TFieldSpec& f : FieldRegistry()) {
    nlohmann::json field = {{"name", f.Name},       {"kind", FieldKindName(f.Kind)},
                            {"default", f.Default}, {"loadStart", f.LoadStartValue()},
                            {"saved", f.Saved},     {"caption", f.Caption},
                            {"tab", f.Tab}};
    if (f.Kind == TFieldKind::Integer) field["range"] = {f.Min, f.Max};
    if (f.Source != TChoiceSource::None) {
      field["source"] = ChoiceSourceName(f.Source);
      field["maxIndex"] = f.Max;
    }
    if (!f.Choices.empty())
      field["choices"] = std::vector<std::string>(f.Choices.begin(), f.Choices.end());
    if (!f.OptionGroup.empty()) field["group"] = f.OptionGroup;
    editors[int(f.Editor)]["fields"].push_back(std::move(field));
  }
  for (const TBlockSpec& b : PageBlocks()) {
    nlohmann::json block = {
        {"name", b.Name}, {"kind", b.Kind}, {"caption", b.Caption}, {"tab", b.Tab}};
    if (b.MultiLine) block["multiLine"] = true;
    editors[int(b.Editor)]["blocks"].push_back(std::move(block));
  }
  return {{"editors", std::move(editors)}, {"savedFields", SavedFieldCount()}};
}

}  // namespace orvanta
