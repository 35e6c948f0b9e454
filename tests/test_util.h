#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/stream.h"
#include "platform/template_pack.h"
#include "swf/bits_engine.h"
#include "swf/swf_object.h"
#include "swf/tag_factory.h"

namespace orvanta::test {

using Bytes = std::vector<uint8_t>;

// The bytes a writer produces on a fresh engine.
inline Bytes Written(const std::function<void(TBitsEngine&)>& Write) {
  TMemoryStream stream;
  TBitsEngine engine(stream);
  Write(engine);
  return stream.Bytes();
}

// The complete tag (header and body) a tag object writes.
inline Bytes TagBytes(TSWFObject& Tag) {
  return Written([&](TBitsEngine& e) { Tag.WriteToStream(e); });
}

// The body a tag object writes.
inline Bytes BodyBytes(TSWFObject& Tag) {
  return Written([&](TBitsEngine& e) { Tag.WriteTagBody(e); });
}

// Reads a body into a new object of the class registered for Code, as the SWF reader does.
inline std::unique_ptr<TSWFObject> ReadTag(uint16_t Code, const Bytes& Body) {
  auto tag = CreateTagByCode(Code);
  tag->BodySize = static_cast<uint32_t>(Body.size());
  TMemoryStream stream(Body);
  TBitsEngine engine(stream);
  tag->ReadFromStream(engine);
  return tag;
}

inline std::unique_ptr<TSWFObject> ReadTag(TTagCode Code, const Bytes& Body) {
  return ReadTag(ToCode(Code), Body);
}

// A pack without a single template, for builds that use no artwork or test its absence.
inline const TTemplatePack& EmptyTemplatePack() {
  static const std::vector<uint8_t> bytes = TTemplatePackWriter().Bytes();
  static const TTemplatePack pack(bytes);
  return pack;
}

inline Bytes Concat(std::initializer_list<Bytes> Parts) {
  Bytes out;
  for (const Bytes& part : Parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

inline Bytes StringBytes(const std::string& S, bool Terminate = true) {
  Bytes out(S.begin(), S.end());
  if (Terminate) out.push_back(0);
  return out;
}

}  // namespace orvanta::test
