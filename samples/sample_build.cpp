#include "sample_build.h"

#include <algorithm>
#include <cmath>

#include "builders/standard_builders.h"
#include "media/swf_reader.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "project/build_driver.h"
#include "project/field_registry.h"
#include "render/frame_renderer.h"
#include "sample_looks.h"
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

double Luminance(uint32_t rgb) {
  return 0.299 * (rgb >> 16 & 0xFF) + 0.587 * (rgb >> 8 & 0xFF) + 0.114 * (rgb & 0xFF);
}

// The mean luminance of the background movie's first frame inside the rectangle.
double LuminanceUnder(const render::TPixmap& back, const TItemRect& rect) {
  double sum = 0;
  int count = 0;
  for (int y = std::max(0, rect.Top); y < std::min(back.Height, rect.Top + rect.Height); ++y)
    for (int x = std::max(0, rect.Left); x < std::min(back.Width, rect.Left + rect.Width); ++x) {
      const uint8_t* p = back.Row(y) + x * 4;
      sum += 0.299 * p[render::kRed] + 0.587 * p[render::kGreen] + 0.114 * p[render::kBlue];
      ++count;
    }
  return count > 0 ? sum / count : 255;
}

render::TPixmap DrawBackground(const std::filesystem::path& movie, const TBannerSize& size) {
  const std::vector<uint8_t> bytes = ReadWholeFile(movie.string());
  TMemoryViewStream stream(bytes);
  TSWFStreamReader reader(stream);
  render::TRenderOptions options;
  options.Width = size.Width;
  options.Height = size.Height;
  options.Background = 0xFFFFFF;
  return render::RenderFrame(reader, options);
}

// Gives each text the colour of its pair that stands out more from the picture under it: a
// palette is chosen before the panel, and a picture panel has colours of its own.
bool InkTexts(const TSampleRecipe& recipe, TBannerDocument& doc, const render::TPixmap& back,
              TWarnings& warnings) {
  bool changed = false;
  for (const TInk& ink : recipe.Inks) {
    const TItemRect rect = doc.ItemRect(SlotNamed(ink.Slot));
    if (rect.Width <= 0) continue;
    const double under = LuminanceUnder(back, rect);
    const uint32_t colour = std::abs(Luminance(ink.First) - under) >=
                                    std::abs(Luminance(ink.Second) - under)
                                ? ink.First
                                : ink.Second;
    for (const std::string& field : ink.Fields) {
      const int index = FindSavedField(field);
      const std::string value = std::to_string(StoredColour(colour));
      if (doc.Current.Fields[index].Text == value) continue;
      doc.Current.SetField(index, value, "", 1, warnings);
      changed = true;
    }
  }
  return changed;
}

// The items a recipe lays out must stand inside the banner: a warning for each that does not.
void CheckItemsInside(const TSampleRecipe& recipe, const TBannerDocument& doc,
                      TWarnings& warnings) {
  for (const TCentring& c : recipe.Centre) {
    const TItemRect rect = doc.ItemRect(SlotNamed(c.Slot));
    if (rect.Width > 0 && (rect.Left < 0 || rect.Left + rect.Width > recipe.Size.Width))
      warnings.push_back({1, c.Slot,
                          "reaches outside the banner (" + std::to_string(rect.Left) + " + " +
                              std::to_string(rect.Width) + " wide)"});
  }
}

}  // namespace

TBuiltSample BuildSample(const TSampleRecipe& recipe, const TDataRoot& data,
                         const TTemplatePack& templates, const std::filesystem::path& work) {
  TBuiltSample sample{SampleDocument(recipe), {}, {}};
  TBuildDriver driver(data, {work, 1});
  AddStandardBuilders(driver, templates);
  TBuildReport report = driver.Rebuild(sample.Document, TRebuildOrigin::Command);
  const render::TPixmap back = DrawBackground(work / kBackgroundMovieFile, recipe.Size);
  const bool moved = CentreItems(recipe, sample.Document, report.Warnings);
  if (InkTexts(recipe, sample.Document, back, report.Warnings) || moved)
    report = driver.Rebuild(sample.Document, TRebuildOrigin::Command);
  CheckItemsInside(recipe, sample.Document, report.Warnings);
  sample.Warnings = std::move(report.Warnings);
  sample.Thumbnail =
      DrawSampleThumbnail(ReadWholeFile((work / kBackgroundMovieFile).string()),
                          ReadWholeFile((work / kMainMovieFile).string()));
  return sample;
}

}  // namespace orvanta::samples
