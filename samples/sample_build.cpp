#include "sample_build.h"

#include <algorithm>

#include "builders/standard_builders.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "project/build_driver.h"
#include "project/field_registry.h"
#include "sample_thumbnail.h"

namespace orvanta::samples {

namespace {

int SlotNamed(const std::string& label) {
  const auto& slots = ContentSlots();
  for (size_t i = 0; i < slots.size(); ++i)
    if (slots[i].Label == label) return int(i);
  throw Error("no content slot is labelled \"" + label + "\"");
}

// Moves every measured item to the middle of its span; false when nothing moved.
bool CentreItems(const TSampleRecipe& recipe, TBannerDocument& doc, TWarnings& warnings) {
  bool moved = false;
  for (const TCentring& c : recipe.Centre) {
    const int slot = SlotNamed(c.Slot);
    const TItemRect rect = doc.ItemRect(slot);
    if (rect.Width <= 0) continue;
    const int left = std::max(0, c.Left + (c.Right - c.Left - rect.Width) / 2);
    doc.Current.SetField(FindSavedField(ContentSlots()[slot].LeftField), std::to_string(left), "",
                         1, warnings);
    moved = true;
  }
  return moved;
}

}  // namespace

TBuiltSample BuildSample(const TSampleRecipe& recipe, const TDataRoot& data,
                         const TTemplatePack& templates, const std::filesystem::path& work) {
  TBuiltSample sample{SampleDocument(recipe), {}, {}};
  TBuildDriver driver(data, {work, 1});
  AddStandardBuilders(driver, templates);
  TBuildReport report = driver.Rebuild(sample.Document, TRebuildOrigin::Command);
  if (CentreItems(recipe, sample.Document, report.Warnings))
    report = driver.Rebuild(sample.Document, TRebuildOrigin::Command);
  sample.Warnings = std::move(report.Warnings);
  sample.Thumbnail =
      DrawSampleThumbnail(ReadWholeFile((work / kBackgroundMovieFile).string()),
                          ReadWholeFile((work / kMainMovieFile).string()));
  return sample;
}

}  // namespace orvanta::samples
