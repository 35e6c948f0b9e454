// Feeds arbitrary bytes to the WAVE reader as a ".wav" file and to everything a WAVE sound
// drives: RIFF chunks, the format record (PCM of every width, float, MS-ADPCM and its
// coefficients, MPEG inside WAVE), sample decoding and seeking, the DefineSound data (raw, ADPCM
// at every bit count, MS-ADPCM recoded) and a stream of blocks. Data errors must surface as
// orvanta::Error; a crash, a sanitizer report, a hang, another exception type or a broken
// promise of the reader (checked below) is a finding.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "media/flash_sound.h"
#include "media/sound_tags.h"
#include "media/wave_reader.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orvanta;
  if (size < 1) return 0;
  // The first byte chooses how the sound is written: ADPCM bits, looping, frame rate.
  const uint8_t options = data[0];
  const bool loop = (options & 1) != 0;
  const int adpcmBits = (options >> 1) & 7;
  const double frameRate = 1 + (options >> 4) * 4;
  const std::span<const uint8_t> file(data + 1, size - 1);

  try {
    auto reader =
        std::make_unique<TWaveReader>(std::make_unique<TMemoryViewStream>(file), "sound.wav");
    // Declared sizes never reach past the end of the file.
    Require(reader->DataOffset <= file.size());
    Require(reader->DataSize <= file.size() - reader->DataOffset);
    if (reader->IsSampled()) Require(reader->Channels == 1 || reader->Channels == 2);

    std::vector<int16_t> samples(4096 * 2);
    const uint64_t total = reader->TotalFrames();
    reader->SeekFrame(total / 2);
    uint64_t read = 0;
    while (size_t got = reader->ReadSamples(samples.data(), 1000)) {
      Require(got <= 1000);
      read += got;
    }
    Require(read <= total - total / 2);
    // Past the end nothing is left.
    reader->SeekFrame(total + 5);
    Require(reader->ReadSamples(samples.data(), 10) == 0);
    std::vector<uint8_t> bytes(64);
    Require(reader->ReadData(reader->DataSize, bytes.data(), bytes.size()) == 0);

    TFlashSound sound;
    sound.LoadFromReader(std::move(reader));
    sound.SetADPCMBits(adpcmBits);
    sound.LoopStream = loop;
    TMemoryStream out;
    TBitsEngine engine(out);
    sound.WriteToStream(engine);

    // Blocks of at most one ADPCM packet keep an execution to a few thousand samples (a lying
    // sample rate would otherwise make every block 65535 samples long).
    TSWFSoundStreamHead2 head;
    sound.SetupStreamHead(head, std::max(frameRate, sound.SampleRate / 4096.0));
    for (int i = 0; i < 8; ++i) sound.WriteStreamBlock(engine);
  } catch (const Error&) {
  }
  return 0;
}
