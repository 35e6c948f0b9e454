#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

// One named SWF file of the template pack. Data points into the pack's bytes.
struct TTemplateEntry {
  std::string Name;
  std::string Family;
  std::span<const uint8_t> Data;
};

// Collects templates and lays them out as one indexed pack: a header, an index sorted by the
// case-folded name, then the files one after another. The layout depends only on what was
// added, never on the order, so the same templates always give the same bytes.
class TTemplatePackWriter {
 public:
  // Names must differ without regard to case; a second "Fire" after "fire" raises Error.
  void Add(std::string name, std::string family, std::vector<uint8_t> data);
  size_t Count() const { return entries_.size(); }
  std::vector<uint8_t> Bytes() const;

 private:
  struct TPending {
    std::string Folded, Name, Family;
    std::vector<uint8_t> Data;
  };
  std::vector<TPending> entries_;
};

// Read-only view of a pack made by TTemplatePackWriter. The bytes must outlive the view. Every
// length and offset is checked against the bytes when the view is made, so a damaged pack is
// refused there and never read out of bounds later.
class TTemplatePack {
 public:
  explicit TTemplatePack(std::span<const uint8_t> bytes);

  // Case-insensitive; none when the pack lacks the name.
  const TTemplateEntry* Find(std::string_view name) const;
  // Raises Error naming the template when the pack lacks it.
  const TTemplateEntry& Get(std::string_view name) const;
  // In index order (case-folded name).
  const std::vector<TTemplateEntry>& Entries() const { return entries_; }

 private:
  std::vector<std::string> folded_;
  std::vector<TTemplateEntry> entries_;
};

// ASCII lower case: template and data names are ASCII, and Windows compared them without case.
std::string FoldName(std::string_view name);

}  // namespace orvanta
