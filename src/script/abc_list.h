#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orvanta {

class TBitsEngine;

// Reads a u30 count of entries that follow in the block. Every entry takes at least
// MinEntryBytes, so a count the remaining bytes cannot hold is refused before anything is
// allocated from it (FormatError).
uint32_t ReadAbcCount(TBitsEngine& Engine, uint64_t MinEntryBytes = 1);
// Checks a count that was read earlier or derived (a constant-pool count minus one).
void CheckAbcCount(TBitsEngine& Engine, uint64_t Count, uint64_t MinEntryBytes = 1);
// ABC strings and code: a u30 byte length and the bytes. Unlike WriteLengthString the length
// is not cut to 16 bits.
void WriteAbcBytes(TBitsEngine& Engine, const void* Data, size_t Length);
std::vector<uint8_t> ReadAbcBytes(TBitsEngine& Engine);

void ReadAbcValue(TBitsEngine& Engine, uint32_t& Value);
void WriteAbcValue(TBitsEngine& Engine, uint32_t Value);
void ReadAbcValue(TBitsEngine& Engine, std::string& Value);
void WriteAbcValue(TBitsEngine& Engine, const std::string& Value);

// An owning list of ABC records. T reads and writes itself with ReadFromStream and
// WriteToStream; copying the list copies the records (through T::Clone when T is polymorphic).
template <class T>
class TSWFAS3List {
 public:
  TSWFAS3List() = default;
  TSWFAS3List(const TSWFAS3List& Other) { CopyFrom(Other); }
  TSWFAS3List& operator=(const TSWFAS3List& Other) {
    if (this != &Other) {
      items_.clear();
      CopyFrom(Other);
    }
    return *this;
  }
  TSWFAS3List(TSWFAS3List&&) noexcept = default;
  TSWFAS3List& operator=(TSWFAS3List&&) noexcept = default;

  // Appends a new, empty record.
  T& Add() { return Add(std::make_unique<T>()); }
  T& Add(std::unique_ptr<T> Item) {
    items_.push_back(std::move(Item));
    return *items_.back();
  }
  T& operator[](size_t I) const { return *items_[I]; }
  size_t Count() const { return items_.size(); }
  void Clear() { items_.clear(); }

  // Count records, no count in front.
  void ReadItems(TBitsEngine& Engine, uint32_t Count) {
    CheckAbcCount(Engine, Count);
    items_.reserve(items_.size() + Count);
    for (uint32_t i = 0; i < Count; ++i) Add().ReadFromStream(Engine);
  }
  void WriteItems(TBitsEngine& Engine) const {
    for (const auto& item : items_) item->WriteToStream(Engine);
  }
  // A u30 count and that many records.
  void ReadFromStream(TBitsEngine& Engine) {
    Clear();
    ReadItems(Engine, ReadAbcCount(Engine));
  }
  void WriteToStream(TBitsEngine& Engine) const {
    WriteAbcValue(Engine, static_cast<uint32_t>(items_.size()));
    WriteItems(Engine);
  }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 protected:
  std::vector<std::unique_ptr<T>> items_;

 private:
  void CopyFrom(const TSWFAS3List& Other) {
    items_.reserve(Other.items_.size());
    for (const auto& item : Other.items_) {
      if constexpr (requires { item->Clone(); })
        items_.push_back(item->Clone());
      else
        items_.push_back(std::make_unique<T>(*item));
    }
  }
};

// A list of plain values: u30 indexes or integers, or strings.
template <class V>
class TSWFAS3ValueList {
 public:
  V& Add(V Value = V()) {
    items_.push_back(std::move(Value));
    return items_.back();
  }
  V& operator[](size_t I) { return items_[I]; }
  const V& operator[](size_t I) const { return items_[I]; }
  size_t Count() const { return items_.size(); }
  void Clear() { items_.clear(); }
  const std::vector<V>& Items() const { return items_; }

  void ReadItems(TBitsEngine& Engine, uint32_t Count) {
    CheckAbcCount(Engine, Count);
    items_.reserve(items_.size() + Count);
    for (uint32_t i = 0; i < Count; ++i) ReadAbcValue(Engine, Add());
  }
  void WriteItems(TBitsEngine& Engine) const {
    for (const V& item : items_) WriteAbcValue(Engine, item);
  }
  void ReadFromStream(TBitsEngine& Engine) {
    Clear();
    ReadItems(Engine, ReadAbcCount(Engine));
  }
  void WriteToStream(TBitsEngine& Engine) const {
    WriteAbcValue(Engine, static_cast<uint32_t>(items_.size()));
    WriteItems(Engine);
  }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<V> items_;
};

// u30 indexes, or the bit patterns of the constant pool's signed and unsigned integers.
class TSWFIntegerList : public TSWFAS3ValueList<uint32_t> {};

// Raw string bytes as stored in the block (UTF-8 by convention, not checked).
class TSWFStringList : public TSWFAS3ValueList<std::string> {};

// Reads a constant-pool table: the count is one more than the entries, with 0 and 1 both
// meaning none. Returns the count as stored.
template <class List>
uint32_t ReadAbcPoolTable(TBitsEngine& Engine, List& Table) {
  Table.Clear();
  uint32_t count = ReadAbcCount(Engine);
  if (count > 1) Table.ReadItems(Engine, count - 1);
  return count;
}

// The count is written as entries + 1, and an empty table as 0, or as 1 when EmptyAsOne.
template <class List>
void WriteAbcPoolTable(TBitsEngine& Engine, const List& Table, bool EmptyAsOne = false) {
  uint32_t count = static_cast<uint32_t>(Table.Count());
  WriteAbcValue(Engine, count != 0 ? count + 1 : (EmptyAsOne ? 1 : 0));
  Table.WriteItems(Engine);
}

}  // namespace orvanta
