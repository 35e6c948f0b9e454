// Feeds arbitrary bytes to the action-list reader as a DoAction body, a DoInitAction body and a
// bare list, with actions decoded and kept raw. Data errors must surface as orvanta::Error; a
// crash, a sanitizer report, another exception type or a body that does not write back as it
// was read is a finding.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/errors.h"
#include "platform/stream.h"
#include "script/action.h"
#include "script/tags_action.h"
#include "swf/bits_engine.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Body(orvanta::TSWFDoAction& Tag) {
  orvanta::TMemoryStream out;
  orvanta::TBitsEngine engine(out);
  Tag.WriteTagBody(engine);
  return out.Bytes();
}

Bytes ListBytes(const orvanta::TSWFActionList& List) {
  orvanta::TMemoryStream out;
  orvanta::TBitsEngine engine(out);
  List.WriteToStream(engine);
  return out.Bytes();
}

// A tag that reads must write back byte for byte, and so must its copy.
template <class Tag>
void RoundTrip(const uint8_t* Data, size_t Size, bool Parse) {
  using namespace orvanta;
  Tag tag;
  tag.ParseActions = Parse;
  tag.BodySize = static_cast<uint32_t>(Size);
  TMemoryViewStream stream({Data, Size});
  TBitsEngine engine(stream);
  try {
    tag.ReadFromStream(engine);
  } catch (const Error&) {
    return;
  }
  Bytes written = Body(tag);
  if (written != Bytes(Data, Data + Size)) __builtin_trap();
  Tag copy;
  copy.Assign(tag);
  if (Body(copy) != written) __builtin_trap();
  (void)tag.MinVersion();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orvanta;
  RoundTrip<TSWFDoAction>(data, size, true);
  RoundTrip<TSWFDoAction>(data, size, false);
  RoundTrip<TSWFDoInitAction>(data, size, true);

  // The bare list, as buttons and clip actions use it: what it writes is the records it
  // consumed, up to the end action.
  TMemoryViewStream stream({data, size});
  TBitsEngine engine(stream);
  TSWFActionList list;
  try {
    ReadActionList(engine, list, static_cast<uint32_t>(size));
  } catch (const Error&) {
    return 0;
  }
  const size_t consumed = stream.Position();
  Bytes written = ListBytes(list);
  if (written.size() > consumed || !std::equal(written.begin(), written.end(), data))
    __builtin_trap();
  if (written.size() != consumed && data[written.size()] != 0) __builtin_trap();
  TSWFActionList copy;
  CopyActionList(list, copy);
  if (ListBytes(copy) != written) __builtin_trap();
  return 0;
}
