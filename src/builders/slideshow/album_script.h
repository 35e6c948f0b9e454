#pragma once

#include <functional>
#include <string>

#include "script/flash_action_script.h"

namespace orvanta {

// The statements the album's generated scripts are made of, each spelled out as the player's
// stack steps: member look-ups on "this" or "_parent", assignments, method calls and timeline
// variables.
class TAlbumScript {
 public:
  explicit TAlbumScript(TFlashActionScript& script) : s_(script) {}
  TFlashActionScript& Script() { return s_; }

  // base.name on the stack (base is "this" or "_parent").
  void Member(const std::string& base, const std::string& name);
  // this[variable]: the member named by the variable's value.
  void MemberNamedBy(const std::string& variable);
  // this.object.property = value
  void Set(const std::string& object, const std::string& property, const TPushValue& value) {
    SetIn("this", object, property, value);
  }
  // base.object.property = value
  void SetIn(const std::string& base, const std::string& object, const std::string& property,
             const TPushValue& value);
  // this.object.property = what push leaves on the stack
  void SetTo(const std::string& object, const std::string& property,
             const std::function<void()>& push);
  // this[variable].property = value
  void SetNamedBy(const std::string& variable, const std::string& property,
                  const TPushValue& value);
  // this[variable].method(argument)
  void CallNamedBy(const std::string& variable, const std::string& method,
                   const TPushValue& argument);
  // this[variable].method()
  void CallNamedBy(const std::string& variable, const std::string& method);
  // this.object.method(argument)
  void Call(const std::string& object, const std::string& method, const TPushValue& argument);
  // this.object.method()
  void Call(const std::string& object, const std::string& method);
  // variable = value, on the album's timeline
  void SetVariable(const std::string& variable, const TPushValue& value);
  // The variable's value on the stack.
  void Get(const std::string& variable);

 private:
  void Assign(const std::string& property, const std::function<void()>& push);
  void CallOn(const std::function<void()>& pushObject, const std::string& method,
              const TPushValue* argument);

  TFlashActionScript& s_;
};

}  // namespace orvanta
