// Movies with every kind of sound the sound builder writes: event sounds (ADPCM from PCM, raw
// 8- and 16-bit PCM, MS-ADPCM, MP3 with ID3 tags) started by StartSound with loops, sync flags,
// in and out points and an envelope; stream sounds over several frames (ADPCM at 2 to 5 bits,
// raw PCM, MS-ADPCM, MP3 at two rates); and a button with a roll-over sound. The source files
// are made here: WAVE files written field by field, MP3 files encoded with lame. What the tags
// must hold is worked out from the source files and the SWF sound formats, not from the writer.

#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "../media/sound_test_util.h"
#include "conformance_movies.h"
#include "conformance_support.h"
#include "media/flash_sound.h"
#include "media/sound_tags.h"
#include "movie/flash_button.h"
#include "movie/flash_shape.h"

namespace orvanta::conformance {

namespace {

using nlohmann::json;
using test::SoundBytes;

constexpr int kFrameRate = 12;

std::string Hex(const uint8_t* bytes, size_t count) {
  static const char* digits = "0123456789abcdef";
  std::string s;
  for (size_t i = 0; i < count; ++i) s += std::string{digits[bytes[i] >> 4], digits[bytes[i] & 15]};
  return s;
}

std::string HexLE(uint64_t value, int bytes) {
  SoundBytes b;
  test::PutLE(b, value, bytes);
  return Hex(b.data(), b.size());
}

// The byte that holds format, rate code, 16-bit flag and stereo flag in DefineSound and in
// the stream half of a stream head; the playback half has 4 zero bits in place of the format.
std::string FormatByte(int format, int rateCode, bool sixteen, bool stereo) {
  return HexLE(uint64_t(format << 4 | rateCode << 2 | (sixteen ? 2 : 0) | (stereo ? 1 : 0)), 1);
}

// The rate swf-parser reports for a rate code.
int ParserRate(int rateCode) {
  static const int kRates[4] = {5500, 11000, 22000, 44000};
  return kRates[rateCode];
}

const char* ParserFormat(int format) {
  switch (format) {
    case 0:
      return "UncompressedNativeEndian";
    case 1:
      return "Adpcm";
    default:
      return "Mp3";
  }
}

// Bytes of SWF ADPCM data for `frames` samples per channel: the 2-bit code size, then per
// packet of up to 4096 samples and per channel a 16-bit sample, a 6-bit index and a code for
// every further sample; byte-aligned at the end.
size_t AdpcmBytes(size_t frames, int channels, int bits) {
  uint64_t total = 2;
  for (size_t at = 0; at < frames; at += 4096) {
    const size_t n = std::min<size_t>(4096, frames - at);
    total += uint64_t(channels) * (22 + (n - 1) * bits);
  }
  return static_cast<size_t>((total + 7) / 8);
}

// The first two bytes of SWF ADPCM data: the code size, then the top of the first sample.
std::string AdpcmPrefix(int bits, int16_t first) {
  const uint32_t v = uint32_t(bits - 2) << 16 | static_cast<uint16_t>(first);
  return HexLE((v >> 10) & 0xFF, 1) + HexLE((v >> 2) & 0xFF, 1);
}

// A sample as the writer sees it after the file stored it with `bits` bits.
int16_t Stored(int16_t sample, int bits) {
  return bits == 8 ? static_cast<int16_t>((sample >> 8) * 256) : sample;
}

// A WAVE file written to the temporary folder, with the samples it was made from.
struct WaveSource {
  std::string Path;
  std::vector<int16_t> Samples;
  int Channels;
  uint32_t Rate;
  int Bits;
  size_t Frames() const { return Samples.size() / Channels; }
};

WaveSource PcmSource(const std::string& name, size_t frames, int channels, uint32_t rate,
                     int bits) {
  WaveSource w{{}, test::Music(frames, channels, rate), channels, rate, bits};
  w.Path = test::WriteSoundFile(name + ".wav", test::PcmWave(w.Samples, channels, rate, bits));
  return w;
}

// An MS-ADPCM WAVE file of whole blocks; samples per block follow from the block size.
WaveSource MsAdpcmSource(const std::string& name, size_t blocks, int channels, uint32_t rate,
                         uint16_t blockAlign) {
  const size_t perBlock = 2 + (blockAlign - 7u * channels) * 2 / channels;
  WaveSource w{{}, test::Music(perBlock * blocks, channels, rate), channels, rate, 4};
  w.Path = test::WriteSoundFile(name + ".wav",
                                test::MSADPCMWave(w.Samples, channels, rate, blockAlign, true));
  return w;
}

// One MPEG audio frame of an MP3 file, measured by the MPEG audio header rules.
struct Mp3Frame {
  size_t Position;
  size_t Size;
};

struct Mp3Source {
  std::string Path;
  SoundBytes File;
  size_t AudioStart = 0, AudioEnd = 0;  // between the ID3v2 and ID3v1 tags
  uint32_t Rate = 0;
  int Channels = 0;
  uint32_t SamplesPerFrame = 0;
  // The frame count of the Xing or Info header.
  uint32_t HeaderFrames = 0;
  // The frames that carry sound (the Info frame left out).
  std::vector<Mp3Frame> Frames;
};

Mp3Source EncodeMp3(const std::string& name, const WaveSource& wave, const std::string& options) {
  Mp3Source m;
  m.Path = test::TempSoundPath(name + ".mp3");
  const std::string command = "lame --quiet " + options + " '" + wave.Path + "' '" + m.Path + "'";
  if (std::system(command.c_str()) != 0)
    throw std::runtime_error("could not run `" + command + "`; the lame encoder is needed");
  m.File = test::ReadSoundFile(m.Path);
  const SoundBytes& f = m.File;
  if (f.size() >= 10 && std::memcmp(f.data(), "ID3", 3) == 0)
    m.AudioStart = 10 + (size_t(f[6]) << 21 | size_t(f[7]) << 14 | size_t(f[8]) << 7 | f[9]);
  m.AudioEnd = f.size();
  if (f.size() >= 128 && std::memcmp(&f[f.size() - 128], "TAG", 3) == 0) m.AudioEnd -= 128;

  static const int kRatesMpeg1[3] = {44100, 48000, 32000};
  static const int kBitRatesMpeg1[16] = {0,   32,  40,  48,  56,  64,  80,  96,
                                         112, 128, 160, 192, 224, 256, 320, 0};
  static const int kBitRatesMpeg2[16] = {0,  8,  16, 24,  32,  40,  48,  56,
                                         64, 80, 96, 112, 128, 144, 160, 0};
  bool first = true;
  for (size_t at = m.AudioStart; at + 4 <= m.AudioEnd;) {
    const uint8_t* h = &f[at];
    const int version = (h[1] >> 3) & 3;  // 3 MPEG-1, 2 MPEG-2
    const int bitRateIndex = h[2] >> 4, rateIndex = (h[2] >> 2) & 3;
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0 || ((h[1] >> 1) & 3) != 1 || version < 2 ||
        bitRateIndex == 0 || bitRateIndex == 15 || rateIndex == 3)
      throw std::runtime_error(name + ".mp3: no Layer III frame at byte " + std::to_string(at));
    const bool mpeg1 = version == 3;
    const bool mono = (h[3] >> 6) == 3;
    const uint32_t rate = uint32_t(kRatesMpeg1[rateIndex]) / (mpeg1 ? 1 : 2);
    const int bitRate = (mpeg1 ? kBitRatesMpeg1 : kBitRatesMpeg2)[bitRateIndex];
    const size_t size = (mpeg1 ? 144000u : 72000u) * bitRate / rate + ((h[2] >> 1) & 1);
    if (first) {
      m.Rate = rate;
      m.Channels = mono ? 1 : 2;
      m.SamplesPerFrame = mpeg1 ? 1152 : 576;
      // The Xing or Info header sits after the side information of the first frame.
      const size_t side = mpeg1 ? (mono ? 17 : 32) : (mono ? 9 : 17);
      const uint8_t* tag = h + 4 + side;
      if (std::memcmp(tag, "Xing", 4) == 0 || std::memcmp(tag, "Info", 4) == 0) {
        if (tag[7] & 1)
          m.HeaderFrames =
              uint32_t(tag[8]) << 24 | uint32_t(tag[9]) << 16 | uint32_t(tag[10]) << 8 | tag[11];
        first = false;
        at += size;
        continue;
      }
      first = false;
    }
    m.Frames.push_back({at, size});
    at += size;
  }
  if (m.HeaderFrames == 0) throw std::runtime_error(name + ".mp3 has no Info header");
  return m;
}

// A movie whose main timeline streams `sound` for `frames` frames.
Case StreamMovie(const std::string& file, int version, int frames, const std::string& path,
                 int adpcmBits, bool loop) {
  Case c{file, NewMovie(version), {}};
  TFlashMovie& m = *c.Movie;
  TFlashSound& sound = m.BackgroundSound();
  sound.LoadFromFile(path);
  sound.SetADPCMBits(adpcmBits);
  sound.LoopStream = loop;
  // Something to see while it plays.
  TFlashShape* backdrop = m.AddRectangle(20, 20, 180, 130);
  backdrop->SetSolidColor(0xFF996633u);
  m.PlaceObject(backdrop, 1);
  for (int i = 0; i < frames; ++i) m.ShowFrame();
  return c;
}

// The stream head (index 0) and what the codes must be when `blocks` frames carry a block:
// stream head, then the rectangle and its placement, then a block before each ShowFrame.
json StreamCodes(int frames, int blocks) {
  json codes = {45, 22, 26};
  for (int i = 0; i < frames; ++i) {
    if (i < blocks) codes.push_back(19);
    codes.push_back(1);
  }
  codes.push_back(0);
  return codes;
}

json StreamHead(int format, int rateCode, bool stereo, uint32_t samplesPerFrame,
                bool sixteen = true) {
  return {{"playbackSoundType", stereo ? "Stereo" : "Mono"},
          {"playbackSoundSize", sixteen ? 16 : 8},
          {"playbackSoundRate", ParserRate(rateCode)},
          {"streamSoundType", stereo ? "Stereo" : "Mono"},
          {"streamSoundSize", sixteen ? 16 : 8},
          {"streamSoundRate", ParserRate(rateCode)},
          {"streamFormat", ParserFormat(format)},
          {"streamSampleCount", samplesPerFrame}};
}

int RateCode(uint32_t rate) {
  switch (rate) {
    case 5512:
      return 0;
    case 11025:
      return 1;
    case 22050:
      return 2;
    default:
      return 3;
  }
}

// A PCM source streamed as SWF ADPCM (bits 2 to 5) or raw (bits 0). The sound lasts three and a
// half movie frames; the movie has six, so a stream that does not loop writes four blocks, the
// last padded with silence, and a looping one starts over in the fifth.
Case SampledStream(const std::string& file, int bits, int channels, uint32_t rate, int sourceBits,
                   bool loop) {
  const uint32_t perFrame = rate / kFrameRate;
  const size_t length = perFrame * 3 + perFrame / 2;
  const WaveSource wave = PcmSource(file, length, channels, rate, sourceBits);
  constexpr int kFrames = 6;
  const int blocks = loop ? kFrames : 4;
  Case c = StreamMovie(file + ".swf", 8, kFrames, wave.Path, bits, loop);

  const int format = bits == 0 ? 0 : 1;
  const bool sixteen = bits != 0 || sourceBits == 16;
  const int rateCode = RateCode(rate);
  const json head = StreamHead(format, rateCode, channels == 2, perFrame, sixteen);
  const std::string flags = FormatByte(format, rateCode, sixteen, channels == 2);
  const std::string playback = FormatByte(0, rateCode, sixteen, channels == 2);
  json raw =
      json::array({{{"index", 0}, {"code", 45}, {"hex", playback + flags + HexLE(perFrame, 2)}}});
  json codes = StreamCodes(kFrames, blocks);
  for (int k = 0, index = 0; k < blocks; ++k) {
    while (codes[index] != 19) ++index;
    const size_t first = (size_t(k) * perFrame) % length;
    const int16_t sample = Stored(wave.Samples[first * channels], sourceBits);
    json block = {{"index", index}, {"code", 19}};
    if (bits != 0) {
      block["length"] = AdpcmBytes(perFrame, channels, bits);
      block["hexPrefix"] = AdpcmPrefix(bits, sample);
    } else {
      const size_t width = sixteen ? 2 : 1;
      block["length"] = perFrame * channels * width;
      block["hexPrefix"] = sixteen ? HexLE(static_cast<uint16_t>(sample), 2)
                                   : HexLE(static_cast<uint8_t>((sample >> 8) + 128), 1);
      // The last block of a stream that does not loop ends in silence.
      if (!loop && k == blocks - 1) block["hexSuffix"] = sixteen ? "00000000" : "8080";
    }
    raw.push_back(block);
    ++index;
  }
  c.Expect = {{"header", Header(8, kFrames)},
              {"codes", codes},
              {"fields", {{"0", head}}},
              {"rawTags", raw}};
  return c;
}

// An MS-ADPCM file streamed: the blocks are decoded and each movie frame's samples coded as
// SWF ADPCM with 3 bits.
Case MsAdpcmStream() {
  const WaveSource wave = MsAdpcmSource("msadpcm_stream", 12, 2, 22050, 512);
  const uint32_t perFrame = 22050 / kFrameRate;
  constexpr int kFrames = 6;
  const int blocks = static_cast<int>((wave.Frames() + perFrame - 1) / perFrame);
  Case c = StreamMovie("sound_stream_msadpcm.swf", 8, kFrames, wave.Path, 3, false);
  const std::string flags = FormatByte(1, 2, true, true);
  const std::string playback = FormatByte(0, 2, true, true);
  json raw =
      json::array({{{"index", 0}, {"code", 45}, {"hex", playback + flags + HexLE(perFrame, 2)}}});
  json codes = StreamCodes(kFrames, blocks);
  for (int k = 0, index = 0; k < blocks; ++k) {
    while (codes[index] != 19) ++index;
    json block = {{"index", index}, {"code", 19}, {"length", AdpcmBytes(perFrame, 2, 3)}};
    // An MS-ADPCM block stores its first sample as it is.
    if (k == 0) block["hexPrefix"] = AdpcmPrefix(3, wave.Samples[0]);
    raw.push_back(block);
    ++index;
  }
  c.Expect = {{"header", Header(8, kFrames)},
              {"codes", codes},
              {"fields", {{"0", StreamHead(1, 2, true, perFrame)}}},
              {"rawTags", raw}};
  return c;
}

// An MP3 streamed: each block carries the whole MP3 frames that end by the end of its movie
// frame (at least one in the first), after its sample count and the samples the player skips;
// once the frames run out, every movie frame gets an empty block.
Case Mp3Stream(const std::string& file, int version, const Mp3Source& mp3) {
  const uint32_t perFrame = mp3.Rate / kFrameRate;
  const size_t s = mp3.SamplesPerFrame;
  const size_t total = mp3.Frames.size();
  std::vector<size_t> upTo;  // data frames written after each block
  for (size_t k = 0; upTo.empty() || upTo.back() < total; ++k)
    upTo.push_back(std::min(total, std::max<size_t>(k == 0 ? 1 : 0, (k + 1) * perFrame / s)));
  const int dataBlocks = static_cast<int>(upTo.size());
  const int frames = dataBlocks + 3;
  Case c = StreamMovie(file, version, frames, mp3.Path, 4, false);

  const int rateCode = RateCode(mp3.Rate);
  const std::string flags = FormatByte(2, rateCode, true, mp3.Channels == 2);
  const std::string playback = FormatByte(0, rateCode, true, mp3.Channels == 2);
  json head = StreamHead(2, rateCode, mp3.Channels == 2, perFrame);
  head["latencySeek"] = 0;
  json raw = json::array(
      {{{"index", 0}, {"code", 45}, {"hex", playback + flags + HexLE(perFrame, 2) + "0000"}}});
  json codes = StreamCodes(frames, frames);
  for (int k = 0, index = 0; k < frames; ++k) {
    while (codes[index] != 19) ++index;
    json block = {{"index", index}, {"code", 19}};
    if (k < dataBlocks) {
      const size_t from = k == 0 ? 0 : upTo[k - 1];
      size_t bytes = 0;
      for (size_t i = from; i < upTo[k]; ++i) bytes += mp3.Frames[i].Size;
      const size_t seek = (size_t(k) * perFrame) % s;
      block["length"] = 4 + bytes;
      block["hexPrefix"] = HexLE((upTo[k] - from) * s, 2) + HexLE(seek, 2) +
                           Hex(&mp3.File[mp3.Frames[from].Position], 4);
      if (from < upTo[k]) {
        const Mp3Frame& last = mp3.Frames[upTo[k] - 1];
        block["hexSuffix"] = Hex(&mp3.File[last.Position + last.Size - 4], 4);
      }
    } else {
      block["hex"] = "00000000";
    }
    raw.push_back(block);
    ++index;
  }
  // MP3 needs version 4 at least.
  c.Expect = {{"header", Header(std::max(version, 4), frames)},
              {"codes", codes},
              {"fields", {{"0", head}}},
              {"rawTags", raw}};
  return c;
}

json SoundFields(uint16_t id, int format, int rateCode, bool stereo, uint32_t sampleCount) {
  return {{"id", id},
          {"format", ParserFormat(format)},
          {"soundRate", ParserRate(rateCode)},
          {"soundType", stereo ? "Stereo" : "Mono"},
          {"sampleCount", sampleCount}};
}

std::string DefineSoundPrefix(uint16_t id, int format, int rateCode, bool sixteen, bool stereo,
                              uint32_t sampleCount) {
  return HexLE(id, 2) + FormatByte(format, rateCode, sixteen, stereo) + HexLE(sampleCount, 4);
}

// Event sounds from WAVE files and the StartSound records that play them: ADPCM from 16-bit
// PCM started once with loops, in and out points and an envelope, then stopped; raw 8-bit
// stereo and 16-bit mono PCM; MS-ADPCM recoded at the source's 4 bits and at 2.
Case EventSounds() {
  const WaveSource adpcm = PcmSource("event_adpcm", 6000, 1, 22050, 16);
  const WaveSource raw8 = PcmSource("event_raw8", 3000, 2, 11025, 8);
  const WaveSource raw16 = PcmSource("event_raw16", 2000, 1, 5512, 16);
  const WaveSource ms = MsAdpcmSource("event_msadpcm", 5, 1, 11025, 256);

  Case c{"sound_event.swf", NewMovie(8), {}};
  TFlashMovie& m = *c.Movie;
  m.AddSound(adpcm.Path);
  m.AddSound(raw8.Path)->SetADPCMBits(0);
  m.AddSound(raw16.Path)->SetADPCMBits(0);
  m.AddSound(ms.Path);
  m.AddSound(ms.Path)->SetADPCMBits(2);

  TSWFStartSound* start = m.StartSound(1);
  start->SyncNoMultiple = true;
  start->SetLoopCount(3);
  start->SetInPoint(2000);
  start->SetOutPoint(10000);
  start->AddEnvelope(0, 32768, 0);
  start->AddEnvelope(6000, 16384, 16384);
  start->AddEnvelope(12000, 0, 32768);
  m.ShowFrame();
  m.StartSound(2)->SetLoopCount(2);
  m.StartSound(3);
  m.ShowFrame();
  m.StartSound(4);
  m.StartSound(5)->SyncNoMultiple = true;
  m.StartSound(1)->SyncStop = true;
  m.ShowFrame();

  // MS-ADPCM: the sample count the file's blocks declare, less the two samples a block header
  // holds; the data codes every decoded sample.
  const uint32_t msDeclared = static_cast<uint32_t>(ms.Frames() - 2);
  json envelope = json::array({{{"pos44", 0}, {"leftLevel", 32768}, {"rightLevel", 0}},
                               {{"pos44", 6000}, {"leftLevel", 16384}, {"rightLevel", 16384}},
                               {{"pos44", 12000}, {"leftLevel", 0}, {"rightLevel", 32768}}});
  auto info = [](bool stop, bool noMultiple) {
    return json{{"syncStop", stop}, {"syncNoMultiple", noMultiple}};
  };
  json startLoops = info(false, true);
  startLoops.update(
      {{"inPoint", 2000}, {"outPoint", 10000}, {"loopCount", 3}, {"envelopeRecords", envelope}});
  json loopTwice = info(false, false);
  loopTwice["loopCount"] = 2;

  c.Expect = {{"header", Header(8, 3)},
              {"codes", {14, 14, 14, 14, 14, 15, 1, 15, 15, 1, 15, 15, 15, 1, 0}},
              {"fields",
               {{"0", SoundFields(1, 1, 2, false, 6000)},
                {"1", SoundFields(2, 0, 1, true, 3000)},
                {"2", SoundFields(3, 0, 0, false, 2000)},
                {"3", SoundFields(4, 1, 1, false, msDeclared)},
                {"4", SoundFields(5, 1, 1, false, msDeclared)},
                {"5", {{"soundId", 1}, {"soundInfo", startLoops}}},
                {"7", {{"soundId", 2}, {"soundInfo", loopTwice}}},
                {"8", {{"soundId", 3}, {"soundInfo", info(false, false)}}},
                {"10", {{"soundId", 4}, {"soundInfo", info(false, false)}}},
                {"11", {{"soundId", 5}, {"soundInfo", info(false, true)}}},
                {"12", {{"soundId", 1}, {"soundInfo", info(true, false)}}}}},
              {"rawTags",
               {{{"index", 0},
                 {"code", 14},
                 {"length", 7 + AdpcmBytes(6000, 1, 4)},
                 {"hexPrefix", DefineSoundPrefix(1, 1, 2, true, false, 6000) +
                                   AdpcmPrefix(4, adpcm.Samples[0])}},
                // 8-bit PCM goes out as the file's unsigned bytes, 16-bit as little-endian words.
                {{"index", 1},
                 {"code", 14},
                 {"length", 7 + 6000},
                 {"hexPrefix", DefineSoundPrefix(2, 0, 1, false, true, 3000) +
                                   HexLE(static_cast<uint8_t>((raw8.Samples[0] >> 8) + 128), 1) +
                                   HexLE(static_cast<uint8_t>((raw8.Samples[1] >> 8) + 128), 1)}},
                {{"index", 2},
                 {"code", 14},
                 {"length", 7 + 4000},
                 {"hexPrefix", DefineSoundPrefix(3, 0, 0, true, false, 2000) +
                                   HexLE(static_cast<uint16_t>(raw16.Samples[0]), 2)},
                 {"hexSuffix", HexLE(static_cast<uint16_t>(raw16.Samples.back()), 2)}},
                {{"index", 3},
                 {"code", 14},
                 {"length", 7 + AdpcmBytes(ms.Frames(), 1, 4)},
                 {"hexPrefix", DefineSoundPrefix(4, 1, 1, true, false, msDeclared) +
                                   AdpcmPrefix(4, ms.Samples[0])}},
                {{"index", 4},
                 {"code", 14},
                 {"length", 7 + AdpcmBytes(ms.Frames(), 1, 2)},
                 {"hexPrefix", DefineSoundPrefix(5, 1, 1, true, false, msDeclared) +
                                   AdpcmPrefix(2, ms.Samples[0])}},
                {{"index", 5},
                 {"code", 15},
                 {"hex",
                  "0100"
                  "1f" +
                      HexLE(2000, 4) + HexLE(10000, 4) + HexLE(3, 2) + "03" + HexLE(0, 4) +
                      HexLE(32768, 2) + HexLE(0, 2) + HexLE(6000, 4) + HexLE(16384, 2) +
                      HexLE(16384, 2) + HexLE(12000, 4) + HexLE(0, 2) + HexLE(32768, 2)}},
                {{"index", 7}, {"code", 15}, {"hex", "020004" + HexLE(2, 2)}},
                {{"index", 8}, {"code", 15}, {"hex", "030000"}},
                {{"index", 11}, {"code", 15}, {"hex", "050010"}},
                {{"index", 12}, {"code", 15}, {"hex", "010020"}}}}};
  return c;
}

// MP3 event sounds, the way the banner's music is built: a 44.1 kHz stereo file with ID3v2
// and ID3v1 tags (only the frames between them are written) started with no multiple starts
// and a loop count, and a 22.05 kHz mono file. The movie asks for version 3; MP3 raises it.
Case Mp3Events(const Mp3Source& stereo, const Mp3Source& mono) {
  Case c{"sound_event_mp3.swf", NewMovie(3), {}};
  TFlashMovie& m = *c.Movie;
  m.AddSound(stereo.Path);
  m.AddSound(mono.Path);
  TSWFStartSound* music = m.StartSound(1);
  music->SyncNoMultiple = true;
  music->SetLoopCount(1000);
  m.StartSound(2);
  m.ShowFrame();
  m.StartSound(2)->SyncStop = true;
  m.ShowFrame();

  auto sound = [](uint16_t id, const Mp3Source& mp3, int index) {
    const uint32_t count = mp3.HeaderFrames * mp3.SamplesPerFrame;
    const int rateCode = RateCode(mp3.Rate);
    return json{{"index", index},
                {"code", 14},
                {"length", 7 + 2 + (mp3.AudioEnd - mp3.AudioStart)},
                {"hexPrefix", DefineSoundPrefix(id, 2, rateCode, true, mp3.Channels == 2, count) +
                                  "0000" + Hex(&mp3.File[mp3.AudioStart], 4)},
                {"hexSuffix", Hex(&mp3.File[mp3.AudioEnd - 8], 8)}};
  };
  c.Expect = {
      {"header", Header(4, 2)},
      {"codes", {14, 14, 15, 15, 1, 15, 1, 0}},
      {"fields",
       {{"0", SoundFields(1, 2, 3, true, stereo.HeaderFrames * 1152)},
        {"1", SoundFields(2, 2, 2, false, mono.HeaderFrames * 576)},
        {"2",
         {{"soundId", 1},
          {"soundInfo", {{"syncStop", false}, {"syncNoMultiple", true}, {"loopCount", 1000}}}}},
        {"5", {{"soundId", 2}, {"soundInfo", {{"syncStop", true}, {"syncNoMultiple", false}}}}}}},
      {"rawTags",
       {sound(1, stereo, 0),
        sound(2, mono, 1),
        {{"index", 2}, {"code", 15}, {"hex", "010014" + HexLE(1000, 2)}},
        {{"index", 3}, {"code", 15}, {"hex", "020000"}},
        {{"index", 5}, {"code", 15}, {"hex", "020020"}}}}};
  return c;
}

// A button that plays a sound when the pointer moves over it.
Case ButtonSound() {
  const WaveSource click = PcmSource("click", 1500, 1, 11025, 16);
  Case c{"sound_button.swf", NewMovie(8), {}};
  TFlashMovie& m = *c.Movie;
  m.AddSound(click.Path);
  TFlashShape* face = m.AddRectangle(50, 40, 150, 110);
  face->SetSolidColor(0xFF3366CCu);
  TFlashButton* button = m.AddButton();
  button->AddRecord(*face,
                    kButtonStateUp | kButtonStateOver | kButtonStateDown | kButtonStateHitTest, 1);
  TSWFStartSound& over = button->RollOverSound();
  over.SoundId = 1;
  over.SyncNoMultiple = true;
  m.PlaceObject(button, 1);
  m.ShowFrame();
  c.Expect = {
      {"header", Header(8, 1)},
      {"codes", {14, 22, 34, 17, 26, 1, 0}},
      {"fields",
       {{"0", SoundFields(1, 1, 1, false, 1500)},
        {"3",
         {{"buttonId", 3},
          {"idleToOverUp",
           {{"soundId", 1}, {"soundInfo", {{"syncStop", false}, {"syncNoMultiple", true}}}}}}}}},
      // The other three slots are empty: a zero sound id each.
      {"rawTags",
       {{{"index", 3},
         {"code", 17},
         {"hex",
          "0300"
          "0000"
          "010010"
          "0000"
          "0000"}}}}};
  return c;
}

}  // namespace

std::vector<Case> SoundCases() {
  std::vector<Case> cases;
  cases.push_back(EventSounds());

  const WaveSource music44 = PcmSource("music44", 44100 * 6 / 10, 2, 44100, 16);
  const WaveSource music22 = PcmSource("music22", 22050 * 8 / 10, 1, 22050, 16);
  const Mp3Source tagged =
      EncodeMp3("tagged", music44, "-b 128 --add-id3v2 --pad-id3v2-size 4096 --tt Music");
  const Mp3Source stereo = EncodeMp3("stereo44", music44, "-b 128");
  const Mp3Source mono = EncodeMp3("mono22", music22, "-b 64 -m m");
  cases.push_back(Mp3Events(tagged, mono));

  cases.push_back(SampledStream("sound_stream_adpcm2", 2, 1, 11025, 16, false));
  cases.push_back(SampledStream("sound_stream_adpcm3", 3, 2, 22050, 16, false));
  cases.push_back(SampledStream("sound_stream_adpcm4", 4, 1, 44100, 16, false));
  cases.push_back(SampledStream("sound_stream_adpcm5_loop", 5, 2, 5512, 8, true));
  cases.push_back(SampledStream("sound_stream_pcm16", 0, 1, 11025, 16, false));
  cases.push_back(SampledStream("sound_stream_pcm8_loop", 0, 2, 11025, 8, true));
  cases.push_back(MsAdpcmStream());
  cases.push_back(Mp3Stream("sound_stream_mp3_44k.swf", 8, stereo));
  cases.push_back(Mp3Stream("sound_stream_mp3_22k.swf", 3, mono));
  cases.push_back(ButtonSound());
  return cases;
}

}  // namespace orvanta::conformance
