#include <regex>

#include "platform/errors.h"
#include "project/field_registry.h"
#include "project/field_value.h"
#include "sample_recipe.h"

namespace orvanta::samples {

TBannerSize SizeFromName(const std::string& name) {
  static const std::regex size("_([0-9]+)x([0-9]+)$");
  std::smatch match;
  if (!std::regex_search(name, match, size)) return {};
  return {std::stoi(match[1]), std::stoi(match[2])};
}

TBannerDocument SampleDocument(const TSampleRecipe& recipe) {
  TBannerDocument doc = TBannerDocument::New();
  TPageState& page = doc.Current;
  TWarnings warnings;
  auto set = [&](const std::string& name, const std::string& typed) {
    const int index = FindSavedField(name);
    if (index < 0) throw Error(recipe.Name + ": no field is named \"" + name + "\"");
    std::string problem;
    const TFieldValue value = NormaliseTypedValue(FieldRegistry()[index], typed, problem);
    if (problem.empty()) page.SetField(index, value.Text, value.FreeText, 1, warnings);
    if (!problem.empty() || !warnings.empty())
      throw Error(recipe.Name + ": " + name + "=" + typed + " is refused: " +
                  (problem.empty() ? warnings.front().Message : problem));
  };
  set("SWFWidth", std::to_string(recipe.Size.Width));
  set("SWFHeight", std::to_string(recipe.Size.Height));
  for (const auto& [name, value] : recipe.Fields) set(name, value);
  page.InputText = recipe.Headline;
  page.StaticTexts = recipe.StaticTexts;
  page.HtmlTexts = recipe.HtmlTexts;
  page.Photos = recipe.Photos;
  page.Fonts = recipe.Fonts;
  doc.StorePage(1);
  return doc;
}

}  // namespace orvanta::samples
