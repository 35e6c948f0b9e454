#include "media/wave_reader.h"

#include <gtest/gtest.h>

#include <cstring>

#include "media/adpcm.h"
#include "media/sound_test_util.h"
#include "platform/errors.h"
#include "platform/stream.h"

namespace orvanta {
namespace {

using test::FormatBody;
using test::MSADPCMWave;
using test::Music;
using test::PcmData;
using test::PcmWave;
using test::PutChunk;
using test::PutLE;
using test::RiffWave;
using test::SoundBytes;

std::unique_ptr<TWaveReader> Read(const SoundBytes& bytes, const std::string& name = "a.wav") {
  return std::make_unique<TWaveReader>(std::make_unique<TMemoryStream>(bytes), name);
}

std::vector<int16_t> AllSamples(TWaveReader& reader) {
  std::vector<int16_t> out(reader.TotalFrames() * reader.Channels + 8);
  reader.SeekFrame(0);
  size_t got = reader.ReadSamples(out.data(), reader.TotalFrames() + 4);
  out.resize(got * reader.Channels);
  return out;
}

TEST(WaveReader, ReadsPCMOfEveryWidthAsSixteenBitSamples) {
  std::vector<int16_t> stereo = Music(700, 2, 11025);
  std::vector<int16_t> eightBit;  // what survives 8 bits
  for (int16_t s : stereo) eightBit.push_back(static_cast<int16_t>((s >> 8) * 256));

  for (int bits : {8, 16, 24, 32}) {
    auto reader = Read(PcmWave(stereo, 2, 11025, bits));
    EXPECT_EQ(reader->FormatTag, TWaveReader::kFormatPCM);
    EXPECT_EQ(reader->Channels, 2);
    EXPECT_EQ(reader->SampleRate, 11025u);
    EXPECT_EQ(reader->BitsPerSample, bits);
    EXPECT_EQ(reader->SampleCount, 700u);
    EXPECT_EQ(reader->DataOffset, 44u);
    EXPECT_EQ(reader->DataSize, 700u * 2 * bits / 8);
    EXPECT_DOUBLE_EQ(reader->Duration, 700.0 / 11025);
    EXPECT_EQ(reader->IsNativePCM(), bits <= 16);
    EXPECT_EQ(AllSamples(*reader), bits == 8 ? eightBit : stereo) << bits;
  }

  // Floating point, named through the extensible layout.
  SoundBytes format = FormatBody(TWaveReader::kFormatExtensible, 1, 8000, 32, 4);
  PutLE(format, 22, 2);  // extension size
  PutLE(format, 32, 2);  // valid bits
  PutLE(format, 4, 4);   // channel mask
  PutLE(format, 3, 2);   // sub-format: IEEE float
  format.resize(format.size() + 14, 0);
  SoundBytes data;
  for (float f : {0.0f, 0.5f, -1.0f, 2.0f}) {
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    PutLE(data, bits, 4);
  }
  SoundBytes chunks;
  PutChunk(chunks, "fmt ", format);
  PutChunk(chunks, "data", data);
  auto floats = Read(RiffWave(chunks));
  EXPECT_EQ(floats->FormatTag, TWaveReader::kFormatFloat);
  EXPECT_FALSE(floats->IsNativePCM());
  EXPECT_EQ(AllSamples(*floats), (std::vector<int16_t>{0, 16384, -32767, 32767}));
}

TEST(WaveReader, WalksChunksWhateverTheirOrderAndTrustsNoSizeBeyondTheFile) {
  std::vector<int16_t> samples = Music(101, 1, 22050);
  SoundBytes chunks;
  PutChunk(chunks, "LIST", SoundBytes(5, 'x'));  // odd size: padded to even
  PutChunk(chunks, "data", PcmData(samples, 16));
  PutChunk(chunks, "fmt ", FormatBody(1, 1, 22050, 16, 2));
  auto reader = Read(RiffWave(chunks));
  EXPECT_EQ(reader->DataOffset, 12u + 14 + 8);
  EXPECT_EQ(AllSamples(*reader), samples);

  // A recorder that never finished the file: the data chunk claims 4 GB, the RIFF size 0.
  SoundBytes unfinished;
  PutChunk(unfinished, "fmt ", FormatBody(1, 1, 22050, 16, 2));
  PutChunk(unfinished, "data", PcmData(samples, 16), 0xFFFFFFFF);
  SoundBytes file = RiffWave(unfinished);
  std::memset(&file[4], 0, 4);
  file.push_back(0x55);  // half a sample at the end
  reader = Read(file);
  EXPECT_EQ(reader->DataSize, 203u);
  EXPECT_EQ(reader->SampleCount, 101u);
  EXPECT_EQ(AllSamples(*reader), samples);
}

TEST(WaveReader, BrokenFilesAreFormatErrors) {
  SoundBytes good;
  PutChunk(good, "fmt ", FormatBody(1, 1, 8000, 16, 2));
  PutChunk(good, "data", SoundBytes(8, 0));

  auto fails = [](const SoundBytes& bytes, const char* why) {
    EXPECT_THROW(Read(bytes), FormatError) << why;
  };
  fails(SoundBytes{'R', 'I', 'F', 'F'}, "too short");
  fails(test::RiffWave({}), "no chunks");
  SoundBytes notWave = RiffWave(good);
  std::memcpy(&notWave[8], "AVI ", 4);
  fails(notWave, "not a WAVE form");

  SoundBytes noData;
  PutChunk(noData, "fmt ", FormatBody(1, 1, 8000, 16, 2));
  fails(RiffWave(noData), "no data chunk");
  SoundBytes noFormat;
  PutChunk(noFormat, "data", SoundBytes(8, 0));
  fails(RiffWave(noFormat), "no format chunk");

  SoundBytes cut = RiffWave(good);
  cut.resize(12 + 8 + 10);
  fails(cut, "format chunk cut off");

  for (auto [channels, rate, bits] :
       {std::tuple{5, 8000, 16}, std::tuple{0, 8000, 16}, std::tuple{1, 0, 16},
        std::tuple{1, 8000, 0}, std::tuple{1, 8000, 200}}) {
    SoundBytes chunks;
    PutChunk(chunks, "fmt ",
             FormatBody(1, static_cast<uint16_t>(channels), static_cast<uint32_t>(rate),
                        static_cast<uint16_t>(bits), 2));
    PutChunk(chunks, "data", SoundBytes(8, 0));
    fails(RiffWave(chunks), "bad format values");
  }

  // MS-ADPCM that claims more coefficient pairs than it holds, or blocks too small for a header.
  SoundBytes lying = FormatBody(2, 1, 8000, 4, 256);
  PutLE(lying, 4, 2);
  PutLE(lying, 500, 2);
  PutLE(lying, 7, 2);  // 7 pairs, none present
  SoundBytes chunks;
  PutChunk(chunks, "fmt ", lying);
  PutChunk(chunks, "data", SoundBytes(256, 0));
  fails(RiffWave(chunks), "coefficient count");
  SoundBytes tiny;
  PutChunk(tiny, "fmt ", FormatBody(2, 2, 8000, 4, 10));
  PutChunk(tiny, "data", SoundBytes(20, 0));
  fails(RiffWave(tiny), "block smaller than its header");
}

TEST(WaveReader, TheExtensionDecidesHowTheFileIsRead) {
  SoundBytes wave = PcmWave(Music(10, 1, 8000), 1, 8000, 16);
  EXPECT_EQ(Read(wave, "music.WaV")->SampleCount, 10u);
  EXPECT_EQ(Read(wave, "dir.wav/music.WAV")->SampleCount, 10u);
  for (const char* name : {"music.ogg", "music", "music.wav.bak", "dir.wav/music"}) {
    auto reader = Read(wave, name);
    EXPECT_EQ(reader->FormatTag, 0) << name;
    EXPECT_EQ(reader->DataSize, 0u) << name;
    EXPECT_FALSE(reader->IsSampled()) << name;
  }
  // A WAVE file named .mp3 is searched for MPEG frames, finds none, and has no data.
  auto mp3 = Read(wave, "music.mp3");
  EXPECT_EQ(mp3->FormatTag, TWaveReader::kFormatMP3File);
  EXPECT_FALSE(mp3->IsMP3());
  EXPECT_EQ(mp3->DataSize, 0u);
  EXPECT_EQ(mp3->Duration, 0);
}

TEST(WaveReader, DecodesMSADPCMBlocksCloseToTheSource) {
  for (int channels : {1, 2}) {
    const uint16_t blockAlign = static_cast<uint16_t>(256 * channels);  // 500 frames a block
    const size_t frames = 500 * 4 + 124;                                // and a short last block
    std::vector<int16_t> source = Music(frames, channels, 22050, 6000);
    auto reader = Read(MSADPCMWave(source, channels, 22050, blockAlign, channels == 2));
    EXPECT_TRUE(reader->IsMSADPCM());
    EXPECT_EQ(reader->BitsPerSample, 4);
    EXPECT_EQ(reader->WaveFormat.SamplesPerBlock, 500);
    EXPECT_EQ(reader->WaveFormat.Coefficients.size(), 7u);
    // The declared count: samples per block × data size / block align, less 2.
    EXPECT_EQ(reader->SampleCount, 500u * reader->DataSize / blockAlign - 2);
    EXPECT_EQ(reader->TotalFrames(), frames);

    std::vector<int16_t> decoded = AllSamples(*reader);
    ASSERT_EQ(decoded.size(), source.size());
    EXPECT_GT(test::SnrDecibels(source, decoded), 20) << channels;
    // Every block starts with its two samples verbatim.
    for (size_t block = 0; block * 500 < frames; ++block)
      for (size_t k = 0; k < 2 * static_cast<size_t>(channels); ++k)
        EXPECT_EQ(decoded[block * 500 * channels + k], source[block * 500 * channels + k]);

    // Seeking into the middle of a block continues exactly as reading on would.
    std::vector<int16_t> tail(300 * channels);
    reader->SeekFrame(1234);
    ASSERT_EQ(reader->ReadSamples(tail.data(), 300), 300u);
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), decoded.begin() + 1234 * channels));
  }
}

}  // namespace
}  // namespace orvanta
