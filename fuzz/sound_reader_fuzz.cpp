// Feeds arbitrary bytes to the WAVE and MPEG audio readers and to everything a sound drives:
// sample decoding (PCM of every width, MS-ADPCM), the DefineSound data, and a stream of blocks.
// Data errors must surface as orvanta::Error; a crash, a sanitizer report, a hang or another
// exception type is a finding.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "media/flash_sound.h"
#include "media/mpeg_audio.h"
#include "media/sound_tags.h"
#include "media/wave_reader.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orvanta;
  if (size < 1) return 0;
  // The first byte chooses how the rest is read and written.
  const uint8_t options = data[0];
  const std::string name = (options & 1) ? "sound.mp3" : "sound.wav";
  const bool loop = (options & 2) != 0;
  const int adpcmBits = (options >> 2) & 7;
  const double frameRate = 1 + (options >> 5) * 9;
  const std::span<const uint8_t> file(data + 1, size - 1);

  {
    TMemoryViewStream stream(file);
    TMPEGaudio mpeg;
    mpeg.Analyse(stream);
  }

  try {
    auto reader = std::make_unique<TWaveReader>(std::make_unique<TMemoryViewStream>(file), name);
    std::vector<int16_t> samples(4096 * 2);
    reader->SeekFrame(reader->TotalFrames() / 2);
    while (reader->ReadSamples(samples.data(), 4096) != 0) {
    }

    TFlashSound sound;
    sound.LoadFromReader(std::move(reader));
    sound.SetADPCMBits(adpcmBits);
    sound.LoopStream = loop;
    TMemoryStream out;
    TBitsEngine engine(out);
    sound.WriteToStream(engine);

    TSWFSoundStreamHead2 head;
    sound.SetupStreamHead(head, frameRate);
    for (int i = 0; i < 40; ++i) sound.WriteStreamBlock(engine);
  } catch (const Error&) {
  }
  return 0;
}
