#include "project/banner_options.h"

#include "project/content_builder.h"

namespace orvanta {

namespace fs = std::filesystem;

namespace {

void Set(TPageState& page, std::string_view name, const std::string& value, int pageNumber,
         TWarnings& warnings) {
  page.SetField(FindSavedField(name), value, "", pageNumber, warnings);
}

// The part of path below folder with "\" between its parts, as projects store names; none when
// the path is not inside it.
std::optional<std::string> Below(const fs::path& folder, const fs::path& path) {
  const fs::path base = folder.lexically_normal(), full = path.lexically_normal();
  auto b = base.begin(), f = full.begin();
  for (; b != base.end() && !b->empty(); ++b, ++f)
    if (f == full.end() || *b != *f) return std::nullopt;
  std::string stored;
  for (; f != full.end(); ++f) {
    if (f->empty()) continue;
    if (!stored.empty()) stored += '\\';
    stored += f->string();
  }
  if (stored.empty()) return std::nullopt;
  return stored;
}

bool HasMusic(const TPageState& page) {
  const std::string& music = page.Field("bgsound").Text;
  return music > " " && music != "None";
}

}  // namespace

void ApplySizePreset(TPageState& page, const TSizePreset& preset, int pageNumber,
                     TWarnings& warnings) {
  Set(page, "SWFWidth", std::to_string(preset.Width), pageNumber, warnings);
  Set(page, "SWFHeight", std::to_string(preset.Height), pageNumber, warnings);
}

std::string StoredPictureName(const fs::path& dataRoot, const fs::path& chosen) {
  if (auto photo = Below(dataRoot / "photos", chosen)) return *photo;
  if (Below(dataRoot / "mc_thumb" / "html" / "_default" / "images", chosen))
    return *Below(dataRoot / "mc_thumb" / "html" / "_default", chosen);
  return chosen.string();
}

std::string StoredMusicName(const fs::path& dataRoot, const fs::path& chosen) {
  return Below(dataRoot / "sound", chosen).value_or(chosen.string());
}

void OpenOptions(TPageState& page, int pageNumber, TWarnings& warnings) {
  if (page.Field("bgsound").Text != "None" && !page.Field("bgsound").Text.empty()) return;
  Set(page, "bgsoundcontrolx", "0", pageNumber, warnings);
  Set(page, "bgsoundcontroly", "0", pageNumber, warnings);
  Set(page, "bgsoundcontrol", "0", pageNumber, warnings);
}

TOptionsDisplay OptionsDisplay(const TPageState& page) {
  TOptionsDisplay display;
  display.ColourGroup = !OptionField(page, "PageBackGroundImageEnabled");
  display.MusicGroup = HasMusic(page);
  display.ControlPosition = display.MusicGroup && IntegerField(page, "bgsoundcontrol") != 0;
  return display;
}

}  // namespace orvanta
