#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace orvanta {

class TBitsEngine;
// The filter records belong to the media layer above; the display and button records of this
// layer only hold, read, write and copy lists of them. The functions declared here are
// therefore defined with the filters (media/filters.cpp).
class TSWFFilter;

// The owning filter list of a PlaceObject3 tag or a button record.
class TSWFFilterList {
 public:
  TSWFFilterList();
  ~TSWFFilterList();
  TSWFFilterList(const TSWFFilterList&) = delete;
  TSWFFilterList& operator=(const TSWFFilterList&) = delete;

  size_t Count() const { return items_.size(); }
  TSWFFilter& operator[](size_t Index) const { return *items_.at(Index); }
  // Creates the filter of FilterID with its defaults and appends it; nullptr for an unknown id.
  TSWFFilter* AddFilter(uint8_t FilterID);
  void Clear();

  // Count UI8, then per filter its id and its record. Replaces the current contents. An unknown
  // id raises FormatError: its record has no known length, so nothing after it can be read.
  void ReadFromStream(TBitsEngine& Engine);
  // Count UI8, then each filter's id and record. A list is at most 255 filters long.
  void WriteToStream(TBitsEngine& Engine);
  void Assign(const TSWFFilterList& Source);

 private:
  std::vector<std::unique_ptr<TSWFFilter>> items_;
};

}  // namespace orvanta
