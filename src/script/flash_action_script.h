#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "movie/flash_object.h"
#include "script/action.h"
#include "script/action_push.h"

namespace orvanta {

class TSWFActionIf;
class TSWFOffsetMarker;

// Writes ActionScript one stack-machine step at a time into an action list: a frame script of
// the movie or a sprite, or the script of a button event or clip event.
class TFlashActionScript : public TFlashObject {
 public:
  // With Actions the script writes into that list, which stays its caller's; without, the
  // script makes and owns its own list.
  explicit TFlashActionScript(TFlashMovie* owner = nullptr, TSWFActionList* actions = nullptr);

  TSWFActionList& Actions() const { return *actions_; }
  bool OwnsActions() const { return owned_ != nullptr; }

  // Appends copies of the source script's actions.
  void Assign(const TBasedSWFObject& Source) override;
  // The highest version any action needs; 1 when there are none.
  int MinVersion() const override;
  // Writes the actions as one DoAction tag.
  void WriteToStream(TBitsEngine& Engine) override;

  void Add2();
  void CallMethod();
  void GetMember();
  void GetUrl(const std::string& url, const std::string& target);
  // Pops the window and the URL and opens it.
  void GetUrl2();
  void GetVariable();
  void GotoFrame2(bool play, uint16_t sceneBias);
  // Pushes the frame number and goes there playing.
  void GotoAndPlay(uint16_t frame);
  void Greater();
  void Less2();
  void Multiply();
  void Pop();
  void SetMember();
  void SetVariable();
  void Stop();
  void Subtract();
  void Not();
  // An If whose target is its Marker, to be placed by SetMarker after the block it skips.
  TSWFActionIf& If();

  // Push values; consecutive pushes share one Push action.
  TSWFActionPush& Push(const TPushValue& value);
  TSWFActionPush& PushValues(std::initializer_list<TPushValue> values);

  // Places a marker at the end of the list: a new backward marker (a target for jumps still
  // to come) when marker is null, otherwise the given one with the given direction. A marker
  // owned by its branch action passes to the list.
  TSWFOffsetMarker& SetMarker(TSWFOffsetMarker* marker = nullptr, bool backward = true);

  TSWFAction& GetAction(size_t index) const { return (*actions_)[index]; }

 private:
  template <class T>
  T& Append();

  std::unique_ptr<TSWFActionList> owned_;
  TSWFActionList* actions_;
};

}  // namespace orvanta
