#include "project/content_builder.h"

#include "platform/data_root.h"
#include "platform/errors.h"

namespace orvanta {

TDepthPlan DepthPlanFor(const TPageState& page) {
  TDepthPlan plan;
  if (IntegerField(page, "photoposition") == 1) plan.Slideshow = 270;
  return plan;
}

std::optional<std::filesystem::path> TBuildContext::Resolve(
    const std::string& name, std::initializer_list<const char*> folders) const {
  return ResolveFieldFile(Data, name, folders);
}

std::optional<std::filesystem::path> ResolveFieldFile(const TDataRoot& data,
                                                      const std::string& name,
                                                      std::initializer_list<const char*> folders) {
  if (name.empty() || name == "None") return std::nullopt;
  for (const char* folder : folders) {
    try {
      if (auto found = data.Find(std::string(folder) + name)) return found;
    } catch (const Error&) {
      // A name that climbs out of the data root is not a data file; it may still be a path.
    }
  }
  std::error_code ec;
  if (std::filesystem::is_regular_file(name, ec)) return std::filesystem::path(name);
  return std::nullopt;
}

int IntegerField(const TPageState& page, std::string_view name) {
  const std::string& text = page.Field(name).Text;
  try {
    return std::stoi(text);
  } catch (const std::exception&) {
    throw Error("field " + std::string(name) + " holds " + text + ", not a number");
  }
}

bool OptionField(const TPageState& page, std::string_view name) {
  return page.Field(name).Text == "True";
}

}  // namespace orvanta
