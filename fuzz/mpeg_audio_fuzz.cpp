// Feeds arbitrary bytes to the MPEG audio analysis: ID3v2 and ID3v1 tags to skip, the search for
// the first frame header at the start and in the middle, VBR headers (Xing, Info, VBRI), the
// frame list; over the whole input and over a part of it (as for MPEG data inside a WAVE file);
// then as an ".mp3" file through the reader, the DefineSound data and a stream of MP3 blocks.
// Data errors must surface as orvanta::Error; a crash, a sanitizer report, a hang, another
// exception type or an analysis that contradicts itself (checked below) is a finding.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

#include "media/flash_sound.h"
#include "media/mpeg_audio.h"
#include "media/sound_tags.h"
#include "media/wave_reader.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace {

using namespace orvanta;

void Require(bool condition) {
  if (!condition) std::abort();
}

// What any analysis of `length` bytes from `start` must satisfy.
void Check(const TMPEGaudio& mpeg, uint64_t start, uint64_t length) {
  Require(mpeg.ID3v1.Size == 0 || mpeg.ID3v1.Size == 128);
  Require(mpeg.ID3v2.Size <= mpeg.FileSize);
  Require(mpeg.FileSize <= length);
  Require(std::isfinite(mpeg.Duration) && mpeg.Duration >= 0);
  if (!mpeg.Found) {
    Require(mpeg.FrameList.empty() && mpeg.Duration == 0);
    return;
  }
  Require(mpeg.FirstFramePosition() + 4 <= start + mpeg.FileSize);
  uint64_t next = mpeg.FirstFramePosition();
  for (size_t i = 0; i < mpeg.FrameList.size(); ++i) {
    const TMP3FrameInfo& frame = mpeg.FrameList[i];
    // Frames follow one another from the first; only the first can be an information frame.
    Require(frame.Position == next && frame.Size > 0);
    Require(frame.Position < start + mpeg.FileSize);
    Require(frame.IsData || i == 0);
    TMPEGFrameHeader header;
    Require(header.Decode(frame.Header) && uint32_t(header.FrameSize()) == frame.Size);
    next += frame.Size;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  // The first byte chooses the part analysed and how the sound is streamed.
  const uint8_t options = data[0];
  const bool loop = (options & 1) != 0;
  const double frameRate = 5 + ((options >> 1) & 7) * 5;
  const std::span<const uint8_t> file(data + 1, size - 1);

  {
    TMemoryViewStream stream(file);
    TMPEGaudio mpeg;
    mpeg.Analyse(stream);
    Check(mpeg, 0, file.size());
    const uint64_t start = (options >> 4) * 7;
    const uint64_t length = file.size() / 2 + (options >> 4);
    mpeg.Analyse(stream, start, length);
    Check(mpeg, start, length);
  }

  try {
    auto reader =
        std::make_unique<TWaveReader>(std::make_unique<TMemoryViewStream>(file), "sound.mp3");
    Require(reader->DataOffset + reader->DataSize <= file.size());
    TFlashSound sound;
    sound.LoadFromReader(std::move(reader));
    sound.LoopStream = loop;
    TMemoryStream out;
    TBitsEngine engine(out);
    sound.WriteToStream(engine);

    TSWFSoundStreamHead2 head;
    sound.SetupStreamHead(head, frameRate);
    for (int i = 0; i < 24; ++i) sound.WriteStreamBlock(engine);
  } catch (const Error&) {
  }
  return 0;
}
