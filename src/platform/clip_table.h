#pragma once

#include <string>
#include <vector>

namespace orvanta {

// One entry of the library-clip catalogue: the index the projects store, the clip's name and
// the caption the picker shows, with its category in square brackets.
struct TClipEntry {
  int Index;
  const char* Name;
  const char* Caption;
};

inline constexpr int kClipCount = 798;
// What every withdrawn entry loads, so that old projects using one still build.
inline constexpr const char* kWithdrawnClipStandIn = "icon1";

// Entries 1 ... kClipCount in index order.
const std::vector<TClipEntry>& ClipTable();
// The picker's category filter after " All" and " Others (None)", matched as case-insensitive
// substrings of the captions.
const std::vector<std::string>& ClipCategories();
// A caption containing "DELETED" marks a withdrawn clip.
bool IsWithdrawnClip(const TClipEntry& entry);
// The clip an index loads: the stand-in for withdrawn entries; raises Error outside 1 ... 798.
std::string ClipName(int index);
// Every name of the table once (compared without case), in index order, withdrawn ones too:
// each must exist as a library file or a template.
std::vector<std::string> DistinctClipNames();

}  // namespace orvanta
