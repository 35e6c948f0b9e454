// Feeds arbitrary bytes to the SWF reader and everything it drives: header and zlib body,
// every tag class, renumbering and writing back. Data errors must surface as orvanta::Error;
// anything else (a crash, a sanitizer report, another exception type) is a finding.
#include <cstddef>
#include <cstdint>
#include <string>

#include "media/swf_reader.h"
#include "platform/errors.h"
#include "platform/stream.h"

namespace {

// The reader turns a tag class's own failure into a raw tag; here it counts as a finding.
void TrapOnClassFaults(const orvanta::TSWFStreamReader& reader) {
  for (const auto& info : reader.TagList)
    if (info->ReadError.rfind("unexpected failure", 0) == 0) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orvanta;
  // The last byte picks whether action blocks are decoded, so both paths get fuzzed.
  const bool parseActions = size > 0 && (data[size - 1] & 1);
  try {
    TMemoryViewStream stream({data, size});
    TSWFStreamReader reader(stream);
    if (!reader.Valid) return 0;
    reader.ParseTags(true, parseActions);
    TrapOnClassFaults(reader);
    const size_t count = reader.TagList.size();

    try {
      reader.RenumberIDs(1);
    } catch (const FormatError&) {
      // More definitions than ids: nothing was changed.
    }
    reader.MakeData();
    TMemoryStream saved;
    reader.SaveToStream(saved);

    // Whatever the classes made of the tags, each object writes exactly one tag.
    saved.SetPosition(0);
    TSWFStreamReader again(saved);
    again.ParseTags(true, parseActions);
    TrapOnClassFaults(again);
    if (again.TagList.size() != count) __builtin_trap();
  } catch (const Error&) {
  }
  return 0;
}
