#include "builders/button_bar/click_through.h"

#include "project/click_tag.h"
#include "script/action_branch.h"
#include "script/flash_action_script.h"

namespace orvanta {

namespace {

// The button's own variable holding the address to open.
constexpr const char* kAddressVariable = "clickThroughUrl";

void PushRootClickTag(TFlashActionScript& s) {
  s.Push(std::string("_root"));
  s.GetVariable();
  s.Push(std::string(kClickTagVariable));
  s.GetMember();
}

}  // namespace

void AddClickThrough(TFlashActionScript& s, const std::string& link, const std::string& target,
                     bool clickTag) {
  if (!clickTag) {
    s.GetUrl(link, target);
    return;
  }
  s.PushValues({std::string(kAddressVariable), link});
  s.SetVariable();
  // Undefined and "" both convert to false in SWF 7 and later.
  PushRootClickTag(s);
  s.Not();
  TSWFActionIf& absent = s.If();
  s.Push(std::string(kAddressVariable));
  PushRootClickTag(s);
  s.SetVariable();
  s.SetMarker(&absent.Marker(), false);
  s.Push(std::string(kAddressVariable));
  s.GetVariable();
  s.Push(target);
  s.GetUrl2();
}

}  // namespace orvanta
