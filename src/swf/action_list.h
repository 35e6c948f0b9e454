#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace orvanta {

class TBitsEngine;
// The action records belong to the scripting layer above; the display and button records of
// this layer only hold, read, write and copy lists of them. The functions declared here are
// therefore defined with the action model (script/action.cpp).
class TSWFAction;

// An owning list of actions; frame scripts, button conditions and clip actions each hold one.
class TSWFActionList {
 public:
  TSWFActionList();
  ~TSWFActionList();
  TSWFActionList(TSWFActionList&&) noexcept;
  TSWFActionList& operator=(TSWFActionList&&) noexcept;

  size_t Count() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  TSWFAction& operator[](size_t I) const { return *items_[I]; }
  TSWFAction* Last() const { return items_.empty() ? nullptr : items_.back().get(); }
  TSWFAction& Add(std::unique_ptr<TSWFAction> Action);
  // Keeps bytes that were not decoded as one raw block, written back unchanged.
  void AddRawBytes(std::vector<uint8_t> Bytes);
  TSWFAction& Insert(size_t Index, std::unique_ptr<TSWFAction> Action);
  std::unique_ptr<TSWFAction> Extract(size_t Index);
  size_t IndexOf(const TSWFAction* Action) const;  // Count() when absent
  void Clear();

  // Writes every action in order (no end flag).
  void WriteToStream(TBitsEngine& Engine) const;
  int MinVersion() const;
  // A list needs the end flag written after it unless it already ends with one: an end action,
  // or a raw block whose last byte is 0.
  bool NeedsEndFlag() const;

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<std::unique_ptr<TSWFAction>> items_;
};

// Reads action records into List until the end action (code 0) or until Budget bytes are
// consumed; unknown actions are kept as raw blocks holding their whole record. True when the
// end action was read (it is consumed, not stored).
bool ReadActionList(TBitsEngine& Engine, TSWFActionList& List, uint32_t Budget);

// Appends copies of Source's actions to Destination.
void CopyActionList(const TSWFActionList& Source, TSWFActionList& Destination);

}  // namespace orvanta
