#include "project/catalogue.h"

#include <algorithm>
#include <optional>
#include <set>
#include <utility>

#include "platform/artwork_names.h"
#include "platform/button_styles.h"
#include "platform/clip_table.h"
#include "platform/data_root.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "project/field_registry.h"

namespace orvanta {

namespace {

constexpr const char* kMissingClipThumbnail = "mc_thumb/delete2.bmp";
constexpr const char* kSampleThumbnails = "mc_thumb/templatescreenshot/";
constexpr const char* kSampleProjects = "default_template/";
constexpr uint32_t kStripCellWidth = 100;
constexpr int kShapeStyles = 106;

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return out;
}

bool Contains(std::string_view caption, std::string_view category) {
  return Upper(caption).find(Upper(category)) != std::string::npos;
}

TCatalogueEntry Entry(int index, std::string caption, TCatalogueThumbnail thumbnail = {}) {
  TCatalogueEntry entry;
  entry.Index = index;
  entry.Caption = std::move(caption);
  entry.Thumbnail = std::move(thumbnail);
  return entry;
}

class TCatalogueReader {
 public:
  TCatalogueReader(const TDataRoot& data, TCatalogue& catalogue, const TCatalogueProgress& progress)
      : data_(data), catalogue_(catalogue), progress_(progress) {}

  // The editor shows each text once, however often the reading passes it.
  void Say(const std::string& text) {
    if (text == said_) return;
    said_ = text;
    if (progress_) progress_(text);
  }
  void Percent(int percent) { Say("Reading Templates " + std::to_string(percent) + "%"); }

  // A whole picture; none when the file is missing (a problem when it should be there) or
  // cannot be decoded.
  std::optional<TPicture> Picture(const std::string& name, bool required) {
    try {
      std::optional<std::filesystem::path> file = data_.Find(name);
      if (!file) {
        if (required) Missing(name);
        return std::nullopt;
      }
      return DecodePicture(ReadWholeFile(file->string()));
    } catch (const Error& e) {
      Problem(name + " cannot be read: " + e.what());
      return std::nullopt;
    }
  }

  TCatalogueThumbnail Thumbnail(const std::string& name, bool required) {
    std::optional<TPicture> picture = Picture(name, required);
    if (!picture) return {};
    return {name, -1, std::move(*picture)};
  }

  // A strip of choice thumbnails: entry 0 "None", then one per further cell. A missing strip
  // gives the choices the program knows of, without pictures.
  TCatalogueList StripList(std::string listName, const std::string& file, const std::string& stem,
                           int knownChoices) {
    std::vector<TPicture> cells;
    if (std::optional<TPicture> strip = Picture(file, true))
      cells = SplitStrip(*strip, kStripCellWidth);
    TCatalogueList list{std::move(listName), {}};
    const int count = cells.empty() ? knownChoices + 1 : int(cells.size());
    for (int n = 0; n < count; ++n) {
      TCatalogueEntry entry = Entry(n, n == 0 ? "None" : stem + " " + std::to_string(n));
      if (!cells.empty()) entry.Thumbnail = {file, n, std::move(cells[size_t(n)])};
      list.Entries.push_back(std::move(entry));
    }
    return list;
  }

  TCatalogueList SampleList(std::string listName, const std::vector<std::string>& names) {
    TCatalogueList list{std::move(listName), {}};
    // A missing folder is looked for once: each look-up in it would scan its parent folder for
    // a spelling that differs in case.
    const bool thumbnails = data_.Find(kSampleThumbnails).has_value();
    const bool projects = data_.Find(kSampleProjects).has_value();
    for (const std::string& name : names) {
      TCatalogueEntry entry = Entry(int(list.Entries.size()), name);
      if (thumbnails)
        entry.Thumbnail = Thumbnail(std::string(kSampleThumbnails) + name + ".bmp", false);
      entry.Project = kSampleProjects + name + ".fls";
      entry.Available = projects && data_.Find(entry.Project).has_value();
      list.Entries.push_back(std::move(entry));
    }
    return list;
  }

  TCatalogueList ButtonList() {
    TCatalogueList list{"Button Styles", {Entry(0, "None")}};
    for (const TButtonStyle& style : ButtonStyles())
      list.Entries.push_back(Entry(int(list.Entries.size()), style.Name,
                                   Thumbnail("gallery/buttons/" + style.Name + ".png", true)));
    return list;
  }

  TCatalogueList ShapeList() {
    TCatalogueList list{"Shape Styles", {Entry(0, "None")}};
    for (int k = 1; k <= kShapeStyles; ++k)
      list.Entries.push_back(
          Entry(k, (k == 45 ? "panel" : "Panel") + std::to_string(k),
                Thumbnail("gallery/panels/SHAPETEMPLATE" + std::to_string(k) + ".png", true)));
    return list;
  }

  // A choice field's entries with the registry's captions; thumbnailOf names each entry's
  // picture file, or nothing.
  TCatalogueList ChoiceList(std::string listName, TEditorId editor, std::string_view field,
                            const std::function<std::string(int)>& thumbnailOf = {}) {
    TCatalogueList list{std::move(listName), {}};
    for (std::string_view caption : FieldRegistry()[size_t(FindField(editor, field))].Choices) {
      const int index = int(list.Entries.size());
      const std::string file = thumbnailOf ? thumbnailOf(index) : "";
      list.Entries.push_back(Entry(index, std::string(caption),
                                   file.empty() ? TCatalogueThumbnail{} : Thumbnail(file, true)));
    }
    return list;
  }

  // The radio buttons of an option group, each entry naming its field.
  TCatalogueList OptionList(std::string listName, std::string_view group) {
    TCatalogueList list{std::move(listName), {}};
    for (const TFieldSpec* field : OptionGroupFields(TEditorId::AnimatedText, group)) {
      list.Entries.push_back(Entry(int(list.Entries.size()), field->Caption));
      list.Entries.back().Field = field->Name;
    }
    return list;
  }

  // The captions first; their thumbnails come later, with a progress step for each.
  TCatalogueList ClipList() {
    TCatalogueList list{"Library Clips", {Entry(0, " None")}};
    for (const TClipEntry& clip : ClipTable())
      list.Entries.push_back(Entry(clip.Index, clip.Caption));
    return list;
  }

  void ReadClipThumbnails(TCatalogueList& clips) {
    const TCatalogueThumbnail missing = Thumbnail(kMissingClipThumbnail, true);
    const int count = int(clips.Entries.size());
    for (int entry = 0; entry < count; ++entry) {
      Percent(ClipThumbnailPercent(entry, count));
      TCatalogueEntry& clip = clips.Entries[size_t(entry)];
      if (entry > 0) {
        const std::string name =
            std::string("mc_thumb/mc") + ClipTable()[size_t(entry) - 1].Name + ".bmp";
        clip.Thumbnail = Thumbnail(name, true);
      }
      if (clip.Thumbnail.Picture.Empty()) clip.Thumbnail = missing;
    }
  }

 private:
  void Problem(std::string text) { catalogue_.Problems.push_back(std::move(text)); }
  // A whole missing folder is one problem, not one for each file it should hold.
  void Missing(const std::string& name) {
    const std::string folder = name.substr(0, name.rfind('/') + 1);
    if (folder.empty() || data_.Find(folder))
      Problem(name + " is missing");
    else if (missingFolders_.insert(folder).second)
      Problem(folder + " is missing");
  }

  const TDataRoot& data_;
  TCatalogue& catalogue_;
  const TCatalogueProgress& progress_;
  std::string said_;
  std::set<std::string> missingFolders_;
};

}  // namespace

std::vector<const TCatalogueList*> TCatalogue::Lists() const {
  return {&FlashBanners,     &FlashSlideshows, &LoadingScreens, &MusicControls,
          &MouseEffects,     &ButtonStyles,    &ShapeStyles,    &Clips,
          &PhotoBorders,     &Transitions,     &TextEffects,    &ArtFamilies,
          &BackgroundEffects};
}

std::vector<TCatalogueList*> TCatalogue::Lists() {
  std::vector<TCatalogueList*> lists;
  for (const TCatalogueList* list : std::as_const(*this).Lists())
    lists.push_back(const_cast<TCatalogueList*>(list));
  return lists;
}

int ClipThumbnailPercent(int entry, int count) {
  return count > 0 ? entry * 30 / count + 50 : 50;
}

TCatalogue ReadCatalogue(const TDataRoot& data, const TCatalogueProgress& progress) {
  TCatalogue catalogue;
  TCatalogueReader reader(data, catalogue, progress);
  // The first text comes before any reading, so that the panel shows at once.
  reader.Percent(0);
  catalogue.ShapeStyles = reader.ShapeList();
  for (int percent : {3, 6, 9, 10}) reader.Percent(percent);
  catalogue.FlashBanners = reader.SampleList("Flash Banner", FlashBannerSamples());
  catalogue.FlashSlideshows = reader.SampleList("Flash Slideshow", FlashSlideshowSamples());
  catalogue.Clips = reader.ClipList();
  catalogue.ButtonStyles = reader.ButtonList();
  reader.Percent(20);
  catalogue.MusicControls = reader.StripList("Music Controls", "mc_thumb/bssoundimage.gif",
                                             "Music Control", kSoundControls);
  reader.Percent(23);
  catalogue.LoadingScreens = reader.StripList("Loading Screens", "mc_thumb/Percentloaderimage.gif",
                                              "Loading Screen", kLoadingScreens);
  catalogue.MouseEffects =
      reader.StripList("Mouse Effects", "mc_thumb/Mouseasimages.gif", "Mouse Effect", 0);
  reader.Percent(25);
  reader.ReadClipThumbnails(catalogue.Clips);
  reader.Percent(80);
  catalogue.ClipCategories = {" All", " Others (None)"};
  for (const std::string& category : ClipCategories()) catalogue.ClipCategories.push_back(category);
  for (const std::string& category : catalogue.ClipCategories)
    catalogue.ClipsByCategory[category] = ClipsInCategory(category);
  catalogue.PhotoBorders =
      reader.ChoiceList("Photo Borders", TEditorId::SlideShow, "photoborderindex", [](int entry) {
        // The first three are drawn by the album itself and have no border file.
        return entry < 3 ? "" : "gallery/borders/Border" + std::to_string(entry - 2) + ".png";
      });
  catalogue.Transitions = reader.ChoiceList("Transitions", TEditorId::SlideShow, "slideshoweffect");
  catalogue.TextEffects =
      reader.ChoiceList("Text Effects", TEditorId::AnimatedText, "TextEffectID");
  catalogue.ArtFamilies = reader.OptionList("Art Families", "art style");
  catalogue.BackgroundEffects = reader.OptionList("Background Effects", "background effect");
  reader.Percent(94);
  reader.Say("Building SWF");
  return catalogue;
}

std::vector<int> ClipsInCategory(std::string_view category) {
  std::vector<int> out;
  const auto& categories = ClipCategories();
  const bool known = category == " All" || category == " Others (None)" ||
                     std::find(categories.begin(), categories.end(), category) != categories.end();
  if (!known) return out;
  for (const TClipEntry& clip : ClipTable()) {
    if (IsWithdrawnClip(clip)) continue;
    bool listed = category == " All";
    if (category == " Others (None)")
      listed = std::none_of(categories.begin(), categories.end(),
                            [&](const std::string& c) { return Contains(clip.Caption, c); });
    else if (!listed)
      listed = Contains(clip.Caption, category);
    if (listed) out.push_back(clip.Index);
  }
  return out;
}

}  // namespace orvanta
