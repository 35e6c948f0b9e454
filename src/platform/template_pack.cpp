#include "platform/template_pack.h"

#include <algorithm>
#include <cstring>

#include "platform/errors.h"

namespace orvanta {

namespace {

constexpr char kMagic[8] = {'O', 'R', 'V', 'P', 'A', 'C', 'K', '1'};

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutString(std::vector<uint8_t>& out, const std::string& s) {
  PutU32(out, static_cast<uint32_t>(s.size()));
  out.insert(out.end(), s.begin(), s.end());
}

// Reads the index; every read is checked against the end of the bytes.
class TIndexReader {
 public:
  explicit TIndexReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  void Expect(size_t count) const {
    if (count > bytes_.size() - pos_) throw FormatError("template pack is cut short");
  }
  uint32_t U32() {
    Expect(4);
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t{bytes_[pos_ + i]} << (8 * i);
    pos_ += 4;
    return v;
  }
  std::string String() {
    const uint32_t size = U32();
    Expect(size);
    std::string s(reinterpret_cast<const char*>(bytes_.data() + pos_), size);
    pos_ += size;
    return s;
  }
  void Skip(size_t count) {
    Expect(count);
    pos_ += count;
  }
  size_t Position() const { return pos_; }

 private:
  std::span<const uint8_t> bytes_;
  size_t pos_ = 0;
};

}  // namespace

std::string FoldName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return folded;
}

void TTemplatePackWriter::Add(std::string name, std::string family, std::vector<uint8_t> data) {
  std::string folded = FoldName(name);
  for (const TPending& e : entries_)
    if (e.Folded == folded)
      throw Error("template \"" + name + "\" is added twice (also as \"" + e.Name + "\")");
  entries_.push_back({std::move(folded), std::move(name), std::move(family), std::move(data)});
}

std::vector<uint8_t> TTemplatePackWriter::Bytes() const {
  std::vector<const TPending*> order;
  for (const TPending& e : entries_) order.push_back(&e);
  std::sort(order.begin(), order.end(),
            [](const TPending* a, const TPending* b) { return a->Folded < b->Folded; });

  std::vector<uint8_t> out(kMagic, kMagic + sizeof kMagic);
  PutU32(out, static_cast<uint32_t>(order.size()));
  uint64_t offset = 0;
  for (const TPending* e : order) {
    PutString(out, e->Name);
    PutString(out, e->Family);
    PutU32(out, static_cast<uint32_t>(offset));
    PutU32(out, static_cast<uint32_t>(e->Data.size()));
    offset += e->Data.size();
    if (offset > UINT32_MAX) throw Error("template pack would exceed 4 GB");
  }
  for (const TPending* e : order) out.insert(out.end(), e->Data.begin(), e->Data.end());
  return out;
}

TTemplatePack::TTemplatePack(std::span<const uint8_t> bytes) {
  TIndexReader index(bytes);
  index.Expect(sizeof kMagic);
  if (std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
    throw FormatError("not a template pack (bad signature)");
  index.Skip(sizeof kMagic);
  const uint32_t count = index.U32();
  // Each index entry takes at least 16 bytes, so a huge count is refused before reserving.
  index.Expect(size_t{count} * 16);
  struct TRaw {
    std::string Name, Family;
    uint32_t Offset, Size;
  };
  std::vector<TRaw> raw;
  raw.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    TRaw r;
    r.Name = index.String();
    r.Family = index.String();
    r.Offset = index.U32();
    r.Size = index.U32();
    raw.push_back(std::move(r));
  }
  const std::span<const uint8_t> blob = bytes.subspan(index.Position());
  for (TRaw& r : raw) {
    if (r.Offset > blob.size() || r.Size > blob.size() - r.Offset)
      throw FormatError("template pack entry \"" + r.Name + "\" lies outside the pack");
    std::string folded = FoldName(r.Name);
    if (!folded_.empty() && folded <= folded_.back())
      throw FormatError("template pack index is not in order at \"" + r.Name + "\"");
    folded_.push_back(std::move(folded));
    entries_.push_back({std::move(r.Name), std::move(r.Family), blob.subspan(r.Offset, r.Size)});
  }
}

const TTemplateEntry* TTemplatePack::Find(std::string_view name) const {
  const std::string folded = FoldName(name);
  auto it = std::lower_bound(folded_.begin(), folded_.end(), folded);
  if (it == folded_.end() || *it != folded) return nullptr;
  return &entries_[static_cast<size_t>(it - folded_.begin())];
}

const TTemplateEntry& TTemplatePack::Get(std::string_view name) const {
  const TTemplateEntry* entry = Find(name);
  if (!entry) throw Error("template \"" + std::string(name) + "\" is not in the template pack");
  return *entry;
}

}  // namespace orvanta
