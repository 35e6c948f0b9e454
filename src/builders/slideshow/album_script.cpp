#include "builders/slideshow/album_script.h"

namespace orvanta {

void TAlbumScript::Member(const std::string& base, const std::string& name) {
  s_.Push(base);
  s_.GetVariable();
  s_.Push(name);
  s_.GetMember();
}

void TAlbumScript::MemberNamedBy(const std::string& variable) {
  s_.Push(std::string("this"));
  s_.GetVariable();
  Get(variable);
  s_.GetMember();
}

void TAlbumScript::Assign(const std::string& property, const std::function<void()>& push) {
  s_.Push(property);
  push();
  s_.SetMember();
}

void TAlbumScript::SetIn(const std::string& base, const std::string& object,
                         const std::string& property, const TPushValue& value) {
  Member(base, object);
  Assign(property, [&] { s_.Push(value); });
}

void TAlbumScript::SetTo(const std::string& object, const std::string& property,
                         const std::function<void()>& push) {
  Member("this", object);
  Assign(property, push);
}

void TAlbumScript::SetNamedBy(const std::string& variable, const std::string& property,
                              const TPushValue& value) {
  MemberNamedBy(variable);
  Assign(property, [&] { s_.Push(value); });
}

void TAlbumScript::CallOn(const std::function<void()>& pushObject, const std::string& method,
                          const TPushValue* argument) {
  if (argument) s_.Push(*argument);
  s_.Push(int64_t{argument ? 1 : 0});
  pushObject();
  s_.Push(method);
  s_.CallMethod();
  s_.Pop();
}

void TAlbumScript::CallNamedBy(const std::string& variable, const std::string& method,
                               const TPushValue& argument) {
  CallOn([&] { MemberNamedBy(variable); }, method, &argument);
}

void TAlbumScript::CallNamedBy(const std::string& variable, const std::string& method) {
  CallOn([&] { MemberNamedBy(variable); }, method, nullptr);
}

void TAlbumScript::Call(const std::string& object, const std::string& method,
                        const TPushValue& argument) {
  CallOn([&] { Member("this", object); }, method, &argument);
}

void TAlbumScript::Call(const std::string& object, const std::string& method) {
  CallOn([&] { Member("this", object); }, method, nullptr);
}

void TAlbumScript::SetVariable(const std::string& variable, const TPushValue& value) {
  s_.Push(variable);
  s_.Push(value);
  s_.SetVariable();
}

void TAlbumScript::Get(const std::string& variable) {
  s_.Push(variable);
  s_.GetVariable();
}

}  // namespace orvanta
