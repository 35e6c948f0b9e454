#include "movie/flash_button.h"

#include <algorithm>
#include <memory>

#include "media/sound_tags.h"
#include "platform/errors.h"
#include "script/flash_action_script.h"

namespace orvanta {

TFlashButton::TFlashButton(TFlashMovie* owner, bool trackAsMenu, bool useButton2)
    : TFlashVisualObject(owner),
      useButton2_(useButton2),
      sound_(std::make_unique<TSWFDefineButtonSound>()),
      eventScript_(std::make_unique<TFlashActionScript>(owner)) {
  if (useButton2) {
    auto button = std::make_unique<TSWFDefineButton2>();
    button->TrackAsMenu = trackAsMenu;
    button_ = std::move(button);
  } else {
    button_ = std::make_unique<TSWFDefineButton>();
  }
}

TFlashButton::~TFlashButton() = default;

void TFlashButton::SetCharacterId(uint16_t id) {
  TFlashVisualObject::SetCharacterId(id);
  button_->ButtonId = id;
}

TSWFButtonRecord& TFlashButton::AddRecord(uint16_t characterId, uint8_t states, uint16_t depth) {
  TSWFButtonRecord& record = button_->AddRecord();
  record.CharacterID = characterId;
  record.States = states;
  record.PlaceDepth = depth;
  if (useButton2_) record.ColorTransform();
  return record;
}

TSWFButtonRecord& TFlashButton::AddRecord(const TFlashIDObject& character, uint8_t states,
                                          uint16_t depth) {
  return AddRecord(character.CharacterId(), states, depth);
}

TSWFDefineButton2& TFlashButton::Button2() const {
  auto* button = dynamic_cast<TSWFDefineButton2*>(button_.get());
  if (!button) throw Error("a button built without DefineButton2 has no condition actions");
  return *button;
}

TSWFButtonCondAction& TFlashButton::AddCondAction(TSWFButtonConditions conditions) {
  return Button2().AddCondAction(conditions);
}

TSWFButtonCondAction* TFlashButton::FindCondAction(TSWFButtonCondition event, bool create) {
  TSWFDefineButton2& button = Button2();
  for (const auto& action : button.Actions)
    if (action->Conditions[event]) return action.get();
  if (!create) return nullptr;
  TSWFButtonConditions conditions;
  conditions.set(event);
  return &button.AddCondAction(conditions);
}

TFlashActionScript& TFlashButton::PointEventScript(TSWFActionList& actions) {
  if (&eventScript_->Actions() == &actions) return *eventScript_;
  // The script object stays where it is, so that a reference handed out earlier still refers to
  // the shared script; only the list it writes into changes.
  TFlashActionScript* script = eventScript_.get();
  std::destroy_at(script);
  std::construct_at(script, Owner(), &actions);
  return *script;
}

TFlashActionScript& TFlashButton::EventScript(TSWFButtonCondition event) {
  return PointEventScript(*FindCondAction(event, true));
}

TFlashActionScript& TFlashButton::OnRelease() {
  if (auto* plain = dynamic_cast<TSWFDefineButton*>(button_.get()))
    return PointEventScript(plain->Actions);
  return EventScript(kCondOverDownToOverUp);
}

TFlashActionScript& TFlashButton::OnRollOver() {
  return EventScript(kCondIdleToOverUp);
}

TFlashActionScript& TFlashButton::OnRollOut() {
  return EventScript(kCondOverUpToIdle);
}

TSWFStartSound& TFlashButton::RollOverSound() {
  return sound_->ButtonSoundChar1();
}

void TFlashButton::Assign(const TBasedSWFObject& Source) {
  TFlashVisualObject::Assign(Source);
  auto& source = dynamic_cast<const TFlashButton&>(Source);
  if (useButton2_ != source.useButton2_) {
    useButton2_ = source.useButton2_;
    if (useButton2_)
      button_ = std::make_unique<TSWFDefineButton2>();
    else
      button_ = std::make_unique<TSWFDefineButton>();
  }
  button_->Assign(*source.button_);
  sound_->Assign(*source.sound_);
  // The shared script must not write into the lists of the button it was copied from.
  std::destroy_at(eventScript_.get());
  std::construct_at(eventScript_.get(), Owner(), nullptr);
}

int TFlashButton::MinVersion() const {
  int version = useButton2_ ? 3 : 1;
  version = std::max(version, button_->MinVersion());
  if (sound_->HasAnySound()) version = std::max(version, sound_->MinVersion());
  return version;
}

void TFlashButton::WriteToStream(TBitsEngine& Engine) {
  button_->WriteToStream(Engine);
  if (!sound_->HasAnySound()) return;
  sound_->ButtonId = CharacterId();
  sound_->WriteToStream(Engine);
}

}  // namespace orvanta
