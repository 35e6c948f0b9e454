#pragma once

#include <cstdint>
#include <memory>

#include "media/sound_tags.h"
#include "movie/flash_object.h"
#include "swf/tags_button.h"

namespace orvanta {

class TFlashActionScript;
class TSWFStartSound;

// A button: the characters it shows in each state, the scripts its events run and an optional
// roll-over sound. Written as DefineButton2 (or DefineButton), then DefineButtonSound when a
// sound slot is in use.
class TFlashButton : public TFlashVisualObject {
 public:
  TFlashButton(TFlashMovie* owner, bool trackAsMenu, bool useButton2);
  ~TFlashButton() override;

  bool UseButton2() const { return useButton2_; }
  // A TSWFDefineButton2 when UseButton2, else a TSWFDefineButton.
  TSWFBasedButton& ButtonTag() const { return *button_; }
  TSWFDefineButtonSound& SoundTag() const { return *sound_; }

  void SetCharacterId(uint16_t id) override;

  // Shows the character in the states (kButtonState* values) at Depth. Button 2 records carry
  // an empty colour transform from the start.
  TSWFButtonRecord& AddRecord(uint16_t characterId, uint8_t states, uint16_t depth);
  TSWFButtonRecord& AddRecord(const TFlashIDObject& character, uint8_t states, uint16_t depth);

  // Condition actions exist on DefineButton2 buttons only; on others these raise Error.
  TSWFButtonCondAction& AddCondAction(TSWFButtonConditions conditions);
  // The first condition action answering Event; with Create a new one when there is none,
  // otherwise none.
  TSWFButtonCondAction* FindCondAction(TSWFButtonCondition event, bool create);

  // The shared event script, pointed at the actions of that event and returned: actions added
  // through it go to the event chosen by the last of these calls. A plain DefineButton has only
  // release actions, so OnRelease serves it and the roll events raise Error.
  TFlashActionScript& OnRelease();
  TFlashActionScript& OnRollOver();
  TFlashActionScript& OnRollOut();

  // The IdleToOverUp sound slot; created on first use.
  TSWFStartSound& RollOverSound();

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override;
  void WriteToStream(TBitsEngine& Engine) override;

 private:
  TSWFDefineButton2& Button2() const;
  TFlashActionScript& PointEventScript(TSWFActionList& actions);
  TFlashActionScript& EventScript(TSWFButtonCondition event);

  bool useButton2_;
  std::unique_ptr<TSWFBasedButton> button_;
  std::unique_ptr<TSWFDefineButtonSound> sound_;
  std::unique_ptr<TFlashActionScript> eventScript_;
};

}  // namespace orvanta
