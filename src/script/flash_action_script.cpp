#include "script/flash_action_script.h"

#include <stdexcept>

#include "script/action_branch.h"
#include "script/actions_data.h"
#include "script/tags_action.h"

namespace orvanta {

TFlashActionScript::TFlashActionScript(TFlashMovie* owner, TSWFActionList* actions)
    : TFlashObject(owner) {
  if (!actions) {
    owned_ = std::make_unique<TSWFActionList>();
    actions = owned_.get();
  }
  actions_ = actions;
}

void TFlashActionScript::Assign(const TBasedSWFObject& Source) {
  TFlashObject::Assign(Source);
  CopyActionList(dynamic_cast<const TFlashActionScript&>(Source).Actions(), *actions_);
}

int TFlashActionScript::MinVersion() const {
  return actions_->MinVersion();
}

void TFlashActionScript::WriteToStream(TBitsEngine& Engine) {
  TSWFDoAction tag(*actions_);
  tag.WriteToStream(Engine);
}

template <class T>
T& TFlashActionScript::Append() {
  return static_cast<T&>(actions_->Add(std::make_unique<T>()));
}

void TFlashActionScript::Add2() {
  Append<TSWFActionAdd2>();
}
void TFlashActionScript::CallMethod() {
  Append<TSWFActionCallMethod>();
}
void TFlashActionScript::GetMember() {
  Append<TSWFActionGetMember>();
}
void TFlashActionScript::GetUrl2() {
  Append<TSWFActionGetURL2>();
}
void TFlashActionScript::GetVariable() {
  Append<TSWFActionGetVariable>();
}
void TFlashActionScript::Greater() {
  Append<TSWFActionGreater>();
}
void TFlashActionScript::Less2() {
  Append<TSWFActionLess2>();
}
void TFlashActionScript::Multiply() {
  Append<TSWFActionMultiply>();
}
void TFlashActionScript::Pop() {
  Append<TSWFActionPop>();
}
void TFlashActionScript::SetMember() {
  Append<TSWFActionSetMember>();
}
void TFlashActionScript::SetVariable() {
  Append<TSWFActionSetVariable>();
}
void TFlashActionScript::Stop() {
  Append<TSWFActionStop>();
}
void TFlashActionScript::Subtract() {
  Append<TSWFActionSubtract>();
}
void TFlashActionScript::Not() {
  Append<TSWFActionNot>();
}

void TFlashActionScript::GetUrl(const std::string& url, const std::string& target) {
  auto& action = Append<TSWFActionGetUrl>();
  action.UrlString = url;
  action.TargetString = target;
}

void TFlashActionScript::GotoFrame2(bool play, uint16_t sceneBias) {
  auto& action = Append<TSWFActionGotoFrame2>();
  action.PlayFlag = play;
  action.SceneBias = sceneBias;
  action.SceneBiasFlag = sceneBias != 0;
}

void TFlashActionScript::GotoAndPlay(uint16_t frame) {
  Push(int64_t{frame});
  GotoFrame2(true, 0);
}

TSWFActionIf& TFlashActionScript::If() {
  return Append<TSWFActionIf>();
}

TSWFActionPush& TFlashActionScript::Push(const TPushValue& value) {
  return PushValues({value});
}

TSWFActionPush& TFlashActionScript::PushValues(std::initializer_list<TPushValue> values) {
  auto* push = dynamic_cast<TSWFActionPush*>(actions_->Last());
  if (!push) push = &Append<TSWFActionPush>();
  for (const TPushValue& value : values) push->AddValue(value);
  return *push;
}

TSWFOffsetMarker& TFlashActionScript::SetMarker(TSWFOffsetMarker* marker, bool backward) {
  if (!marker) {
    auto& created = Append<TSWFOffsetMarker>();
    created.Backward = true;
    created.Placed = true;
    return created;
  }
  std::unique_ptr<TSWFOffsetMarker> owned = marker->ReleaseFromOwner();
  if (!owned) {
    // Already in this list: it moves to the end.
    size_t index = actions_->IndexOf(marker);
    if (index == actions_->Count())
      throw std::invalid_argument("the marker belongs to no action of this script");
    owned.reset(static_cast<TSWFOffsetMarker*>(actions_->Extract(index).release()));
  }
  owned->Backward = backward;
  owned->Placed = true;
  return static_cast<TSWFOffsetMarker&>(actions_->Add(std::move(owned)));
}

}  // namespace orvanta
