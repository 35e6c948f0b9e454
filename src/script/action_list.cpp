#include <algorithm>
#include <span>
#include <string>
#include <unordered_map>

#include "platform/errors.h"
#include "platform/stream.h"
#include "script/action.h"
#include "script/action_branch.h"
#include "script/action_push.h"
#include "script/actions_data.h"
#include "swf/bits_engine.h"

namespace orvanta {

std::unique_ptr<TSWFAction> CreateActionByCode(uint8_t Code) {
  // clang-format off
  switch (Code) {
    case 0x81: return std::make_unique<TSWFActionGotoFrame>();
    case 0x83: return std::make_unique<TSWFActionGetUrl>();
    case 0x87: return std::make_unique<TSWFActionStoreRegister>();
    case 0x88: return std::make_unique<TSWFActionConstantPool>();
    case 0x8A: return std::make_unique<TSWFActionWaitForFrame>();
    case 0x8B: return std::make_unique<TSWFActionSetTarget>();
    case 0x8C: return std::make_unique<TSWFActionGoToLabel>();
    case 0x8D: return std::make_unique<TSWFActionWaitForFrame2>();
    case 0x8E: return std::make_unique<TSWFActionDefineFunction2>();
    case 0x8F: return std::make_unique<TSWFActionTry>();
    case 0x94: return std::make_unique<TSWFActionWith>();
    case 0x96: return std::make_unique<TSWFActionPush>();
    case 0x99: return std::make_unique<TSWFActionJump>();
    case 0x9A: return std::make_unique<TSWFActionGetURL2>();
    case 0x9B: return std::make_unique<TSWFActionDefineFunction>();
    case 0x9D: return std::make_unique<TSWFActionIf>();
    case 0x9F: return std::make_unique<TSWFActionGotoFrame2>();
    case TSWFAction::kByteCode: return std::make_unique<TSWFActionByteCode>();
    case TSWFAction::kOffsetMarker: return std::make_unique<TSWFOffsetMarker>();
    default: return CreateCodeAction(Code);
  }
  // clang-format on
}

namespace {

// A record kept byte for byte: code, and from 0x80 up the length and the data.
std::unique_ptr<TSWFAction> RawRecord(std::span<const uint8_t> Record) {
  auto raw =
      std::make_unique<TSWFActionByteCode>(std::vector<uint8_t>(Record.begin(), Record.end()));
  raw->Length = static_cast<uint16_t>(std::min<size_t>(raw->Data.size(), 0xFFFF));
  return raw;
}

// Decodes the record at Start of Block, whose header has been read. Returns the action and the
// bytes it took. A known action whose data does not parse, or does not fill its declared length
// exactly, is kept raw so that it is written back as it was.
std::pair<std::unique_ptr<TSWFAction>, size_t> DecodeRecord(std::span<const uint8_t> Block,
                                                            size_t Start, uint8_t Code,
                                                            uint16_t DeclaredLength) {
  const size_t headerSize = Code >= 0x80 ? 3 : 1;
  const size_t recordSize = headerSize + DeclaredLength;
  auto raw = [&] { return std::pair(RawRecord(Block.subspan(Start, recordSize)), recordSize); };

  if (Code == TSWFAction::kByteCode || Code == TSWFAction::kOffsetMarker) return raw();
  auto action = CreateActionByCode(Code);
  if (!action) return raw();
  if (Code < 0x80) return std::pair(std::move(action), size_t{1});

  action->Length = DeclaredLength;
  TMemoryViewStream data(Block.subspan(Start + headerSize, DeclaredLength));
  TBitsEngine engine(data);
  try {
    action->ReadData(engine);
  } catch (const StreamError&) {
    return raw();
  } catch (const FormatError&) {
    return raw();
  }
  // Data left over would be lost on writing (or, for a ConstantPool that counts what it took,
  // be run as actions by the next reader): such a record stays as it was.
  if (data.Position() != DeclaredLength) return raw();
  return std::pair(std::move(action), recordSize);
}

// A marker waiting to be put in front of the action at index Before of the newly read actions
// (Before = the count for the end of the block).
struct TPendingMarker {
  size_t Before;
  std::unique_ptr<TSWFOffsetMarker> Marker;
  TSWFBranchAction* Branch;
  size_t Slot;
};

// Turns the stored offsets of the branch actions among Actions into markers. Starts[i] is the
// byte position of Actions[i] in the block, Starts.back() the end of the block.
std::vector<TPendingMarker> ResolveBranches(const std::vector<std::unique_ptr<TSWFAction>>& Actions,
                                            const std::vector<uint64_t>& Starts) {
  std::vector<TPendingMarker> pending;
  int counter = 1;
  for (size_t i = 0; i < Actions.size(); ++i) {
    auto* branch = dynamic_cast<TSWFBranchAction*>(Actions[i].get());
    if (!branch) continue;
    const int64_t recordEnd = static_cast<int64_t>(Starts[i + 1]);
    for (const TSWFBranchAction::TTarget& target : branch->StoredTargets()) {
      if (target.Offset == 0) continue;
      auto marker = branch->NewMarker();
      marker->Enabled = false;
      marker->Backward = target.Offset < 0;
      if (target.Label) marker->Label = target.Label + (" " + std::to_string(counter++));

      const int64_t goal = recordEnd + target.Offset;
      // A backward target may be any boundary up to this record's start; a forward one any
      // boundary after this record, the end of the block included.
      auto first =
          target.Offset < 0 ? Starts.begin() : Starts.begin() + static_cast<std::ptrdiff_t>(i + 1);
      auto last =
          target.Offset < 0 ? Starts.begin() + static_cast<std::ptrdiff_t>(i + 1) : Starts.end();
      auto at = goal < 0 ? last : std::lower_bound(first, last, static_cast<uint64_t>(goal));
      if (at == last || static_cast<int64_t>(*at) != goal) {
        marker->Label = "Error Size offset: " + std::to_string(target.Offset);
        branch->OwnMarker(target.Slot, std::move(marker));
        continue;
      }
      marker->Placed = true;
      if (marker->Label.empty()) marker->Label = "label " + std::to_string(counter++);
      size_t before = static_cast<size_t>(at - Starts.begin());
      pending.push_back({before, std::move(marker), branch, target.Slot});
    }
  }
  return pending;
}

}  // namespace

bool ReadActionList(TBitsEngine& Engine, TSWFActionList& List, uint32_t Budget) {
  TStream& stream = Engine.Stream();
  const uint64_t start = stream.Position();
  std::vector<uint8_t> block(static_cast<size_t>(std::min<uint64_t>(Budget, stream.Remaining())));
  stream.ReadBuffer(block.data(), block.size());

  std::vector<std::unique_ptr<TSWFAction>> actions;
  std::vector<uint64_t> starts;
  TMemoryViewStream reader(block);
  TBitsEngine engine(reader);
  size_t pos = 0;
  bool ended = false;
  while (pos < block.size()) {
    reader.SetPosition(pos);
    uint8_t code = engine.ReadByte();
    if (code == 0) {
      ended = true;
      break;
    }
    uint16_t length = 0;
    if (code >= 0x80) {
      length = engine.ReadWord();
      engine.RequireBytes(length);
    }
    auto [action, taken] = DecodeRecord(block, pos, code, length);
    starts.push_back(pos);
    actions.push_back(std::move(action));
    pos += taken;
  }
  // The end of the actions, where the end flag stands, is a target like any other boundary.
  starts.push_back(pos);
  stream.SetPosition(start + pos + (ended ? 1 : 0));

  std::vector<TPendingMarker> pending = ResolveBranches(actions, starts);
  // Markers in front of the same action keep the order they were made in.
  std::stable_sort(
      pending.begin(), pending.end(),
      [](const TPendingMarker& a, const TPendingMarker& b) { return a.Before < b.Before; });
  auto next = pending.begin();
  for (size_t i = 0; i <= actions.size(); ++i) {
    for (; next != pending.end() && next->Before == i; ++next) {
      TSWFOffsetMarker* marker = next->Marker.get();
      List.Add(std::move(next->Marker));
      next->Branch->LinkMarker(next->Slot, marker);
    }
    if (i < actions.size()) List.Add(std::move(actions[i]));
  }
  return ended;
}

void CopyActionList(const TSWFActionList& Source, TSWFActionList& Destination) {
  if (&Source == &Destination) {
    TSWFActionList copies;
    CopyActionList(Source, copies);
    while (!copies.Empty()) Destination.Add(copies.Extract(0));
    return;
  }
  const size_t base = Destination.Count();
  std::unordered_map<const TSWFAction*, size_t> sourceIndex;
  size_t index = 0;
  for (const auto& action : Source) {
    sourceIndex[action.get()] = index++;
    std::unique_ptr<TSWFAction> copy;
    if (dynamic_cast<const TSWFTryOffsetMarker*>(action.get()))
      copy = std::make_unique<TSWFTryOffsetMarker>();
    else
      copy = CreateActionByCode(action->ActionCode);
    if (!copy) copy = std::make_unique<TSWFActionByteCode>();
    copy->Assign(*action);
    Destination.Add(std::move(copy));
  }

  for (size_t i = 0; i < Source.Count(); ++i) {
    auto* branch = dynamic_cast<const TSWFBranchAction*>(&Source[i]);
    if (!branch || branch->StaticOffset) continue;
    auto& copy = dynamic_cast<TSWFBranchAction&>(Destination[base + i]);
    for (size_t slot = 0; slot < branch->MarkerCount(); ++slot) {
      auto found = sourceIndex.find(branch->MarkerAt(slot));
      if (found == sourceIndex.end()) continue;
      auto* marker = dynamic_cast<TSWFOffsetMarker*>(&Destination[base + found->second]);
      if (marker) copy.LinkMarker(slot, marker);
    }
  }
}

}  // namespace orvanta
