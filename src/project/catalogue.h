#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "media/picture_codecs.h"

namespace orvanta {

class TDataRoot;

// A picture of a catalogue entry: a whole file of the data root or one cell of a strip.
struct TCatalogueThumbnail {
  std::string File;  // data-root name with "/"; empty when the entry has no picture
  int Cell = -1;     // the strip cell, -1 for a whole file
  TPicture Picture;
};

struct TCatalogueEntry {
  int Index = 0;  // what a field stores when this entry is chosen
  std::string Caption;
  TCatalogueThumbnail Thumbnail;
  // Sample lists only: the project the entry opens, and whether it is there.
  std::string Project;
  bool Available = true;
  // Lists of options only: the option field that choosing the entry sets.
  std::string Field;
};

struct TCatalogueList {
  std::string Name;
  std::vector<TCatalogueEntry> Entries;
};

// Everything the editor offers from the program data, read once at start-up.
struct TCatalogue {
  TCatalogueList FlashBanners, FlashSlideshows;  // sample projects
  TCatalogueList LoadingScreens, MusicControls, MouseEffects;
  TCatalogueList ButtonStyles, ShapeStyles, Clips;
  // The pickers of the slideshow and the animated text.
  TCatalogueList PhotoBorders, Transitions, TextEffects, ArtFamilies, BackgroundEffects;
  // The clip picker's filter: " All", " Others (None)", then the categories.
  std::vector<std::string> ClipCategories;
  // The clip indexes each entry of ClipCategories offers.
  std::map<std::string, std::vector<int>> ClipsByCategory;
  // Data files that should be there and are missing or damaged; the entries they picture have
  // no picture (or the stand-in) instead.
  std::vector<std::string> Problems;

  std::vector<const TCatalogueList*> Lists() const;
  std::vector<TCatalogueList*> Lists();
};

// Called with each progress text in turn: "Reading Templates 0%" ... "Building SWF".
using TCatalogueProgress = std::function<void(const std::string& text)>;

// Reads every list with its thumbnails. Nothing a file holds stops the reading: a missing or
// damaged file is a problem and leaves its entries without a picture (clips show the
// "mc_thumb/delete2.bmp" stand-in). Never writes into the data root.
TCatalogue ReadCatalogue(const TDataRoot& data, const TCatalogueProgress& progress = {});

// The percentage shown while clip thumbnail entry (0-based) of count is read: 50 ... 79.
int ClipThumbnailPercent(int entry, int count);

// The library clips the picker lists under a category of ClipCategories: " All" every clip,
// " Others (None)" those whose caption names no category, any other those whose caption
// contains it (without regard to case). Withdrawn clips are never offered.
std::vector<int> ClipsInCategory(std::string_view category);

// The fixed sample names of the two sample lists.
const std::vector<std::string>& FlashBannerSamples();
const std::vector<std::string>& FlashSlideshowSamples();

}  // namespace orvanta
