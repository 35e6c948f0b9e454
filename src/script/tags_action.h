#pragma once

#include <cstdint>
#include <memory>

#include "script/action.h"
#include "swf/swf_object.h"

namespace orvanta {

// A frame script (tag 12): the actions, then the end flag.
class TSWFDoAction : public TSWFObject {
 public:
  // An empty list of its own.
  TSWFDoAction() : TSWFDoAction(12) {}
  // Writes a list owned by the caller, which must outlive the tag.
  explicit TSWFDoAction(TSWFActionList& Actions) : TSWFDoAction(12, &Actions) {}

  // Decode the actions when reading; otherwise they stay one raw block.
  bool ParseActions = true;
  // Cleared by reading a body that stops without its ActionEndFlag, so that it is written back
  // as it was; players stop at the end of the tag either way.
  bool WriteEndFlag = true;

  TSWFActionList& Actions() const { return *actions_; }
  bool OwnsActions() const { return owned_ != nullptr; }

  // Replaces the actions with copies of Source's.
  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
  void TakeTimelineContext(const TTimelineContext& Context) override {
    ParseActions = Context.ParseActions;
  }

 protected:
  explicit TSWFDoAction(uint16_t Code, TSWFActionList* Actions = nullptr);
  // Reads the actions (or the raw block) that fill the rest of a body of Budget bytes.
  void ReadActions(TBitsEngine& Engine, uint32_t Budget);

 private:
  std::unique_ptr<TSWFActionList> owned_;
  TSWFActionList* actions_;
};

// The initialisation script of a sprite (tag 59), run once before its first frame.
class TSWFDoInitAction : public TSWFDoAction {
 public:
  TSWFDoInitAction() : TSWFDoAction(59) {}
  explicit TSWFDoInitAction(TSWFActionList& Actions) : TSWFDoAction(59, &Actions) {}

  uint16_t SpriteID = 0;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

}  // namespace orvanta
