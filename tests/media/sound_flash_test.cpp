#include "media/flash_sound.h"

#include <gtest/gtest.h>

#include "media/sound_tags.h"
#include "media/sound_test_util.h"
#include "media/wave_reader.h"
#include "movie/flash_movie.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::Bytes;
using test::DecodeSWFADPCM;
using test::Music;
using test::SnrDecibels;

struct Tag {
  uint16_t code;
  Bytes body;
};

// Splits written tags apart by their headers.
std::vector<Tag> Tags(const Bytes& bytes) {
  std::vector<Tag> tags;
  for (size_t at = 0; at + 2 <= bytes.size();) {
    uint16_t word = uint16_t(bytes[at] | bytes[at + 1] << 8);
    uint32_t length = word & 63;
    at += 2;
    if (length == 63) {
      length = bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t(bytes[at + 3]) << 24;
      at += 4;
    }
    tags.push_back({uint16_t(word >> 6), Bytes(bytes.begin() + at, bytes.begin() + at + length)});
    at += length;
  }
  return tags;
}

std::unique_ptr<TSWFDefineSound> DefineSoundOf(TFlashSound& sound) {
  std::vector<Tag> tags = Tags(test::Written([&](TBitsEngine& e) { sound.WriteToStream(e); }));
  EXPECT_EQ(tags.size(), 1u);
  EXPECT_EQ(tags[0].code, 14);
  auto define = std::make_unique<TSWFDefineSound>();
  define->Assign(*test::ReadTag(TTagCode::DefineSound, tags[0].body));
  return define;
}

std::string WaveFile(const std::string& name, const std::vector<int16_t>& samples, int channels,
                     uint32_t rate, int bits) {
  return test::WriteSoundFile(name, test::PcmWave(samples, channels, rate, bits));
}

TEST(FlashSound, PCMBecomesADPCMByDefault) {
  std::vector<int16_t> source = Music(1000, 1, 22050);
  std::string path = WaveFile("mono16.wav", source, 1, 22050, 16);
  TFlashSound sound(nullptr, path);
  sound.SetCharacterId(5);
  EXPECT_EQ(sound.ADPCMBits(), 4);
  EXPECT_EQ(sound.SoundFormat, 0);
  EXPECT_EQ(sound.SoundRateCode, 2);
  EXPECT_TRUE(sound.Is16Bit);
  EXPECT_FALSE(sound.IsStereo);
  EXPECT_EQ(sound.SampleCount, 1000u);
  EXPECT_NEAR(sound.Duration, 1000 / 22050.0, 1e-12);

  auto define = DefineSoundOf(sound);
  EXPECT_EQ(define->SoundId, 5);
  EXPECT_EQ(define->SoundFormat, kSoundFormatADPCM);
  EXPECT_EQ(define->SoundRate, 2);
  EXPECT_TRUE(define->SoundSize);
  EXPECT_FALSE(define->SoundType);
  EXPECT_EQ(define->SoundSampleCount, 1000u);
  // Code size 2 (4 bits), the first sample in 16 bits, a 6-bit index.
  const Bytes& data = define->Data;
  ASSERT_GE(data.size(), 3u);
  EXPECT_EQ(data[0] >> 6, 2);
  uint16_t first = uint16_t(((data[0] & 0x3F) << 10) | (data[1] << 2) | (data[2] >> 6));
  EXPECT_EQ(int16_t(first), source[0]);
  EXPECT_GT(SnrDecibels(source, DecodeSWFADPCM(data, 1, 1000)), 30);
}

TEST(FlashSound, WithoutADPCMTheDataGoesOutUnchanged) {
  std::vector<int16_t> source = Music(1000, 1, 22050);
  std::string path = WaveFile("mono16raw.wav", source, 1, 22050, 16);
  TFlashSound sound(nullptr, path);
  sound.SetADPCMBits(0);
  auto define = DefineSoundOf(sound);
  EXPECT_EQ(define->SoundFormat, kSoundFormatPCM);
  EXPECT_TRUE(define->SoundSize);
  EXPECT_EQ(define->Data, test::PcmData(source, 16));
  EXPECT_EQ(define->Data.size(), 2000u);

  // 8-bit stereo stays 8-bit unsigned; 24-bit goes out as 16-bit.
  std::vector<int16_t> stereo = Music(300, 2, 11025);
  TFlashSound eight(nullptr, WaveFile("stereo8.wav", stereo, 2, 11025, 8));
  eight.SetADPCMBits(0);
  define = DefineSoundOf(eight);
  EXPECT_FALSE(define->SoundSize);
  EXPECT_TRUE(define->SoundType);
  EXPECT_EQ(define->SoundRate, 1);
  EXPECT_EQ(define->Data, test::PcmData(stereo, 8));

  TFlashSound wide(nullptr, WaveFile("stereo24.wav", stereo, 2, 11025, 24));
  wide.SetADPCMBits(0);
  define = DefineSoundOf(wide);
  EXPECT_TRUE(define->SoundSize);
  EXPECT_EQ(define->SoundSampleCount, 300u);
  EXPECT_EQ(define->Data, test::PcmData(stereo, 16));
}

TEST(FlashSound, EightBitStereoIsEncodedFromCentredSamples) {
  std::vector<int16_t> stereo = Music(5000, 2, 11025);
  std::vector<int16_t> centred;
  for (uint8_t b : test::PcmData(stereo, 8)) centred.push_back(int16_t((b - 128) * 256));
  TFlashSound sound(nullptr, WaveFile("stereo8adpcm.wav", stereo, 2, 11025, 8));
  sound.SetADPCMBits(5);
  auto define = DefineSoundOf(sound);
  EXPECT_EQ(define->SoundFormat, kSoundFormatADPCM);
  EXPECT_TRUE(define->SoundSize);  // compressed sound is always 16-bit
  EXPECT_TRUE(define->SoundType);
  EXPECT_EQ(define->Data[0] >> 6, 3);
  EXPECT_GT(SnrDecibels(centred, DecodeSWFADPCM(define->Data, 2, 5000)), 30);
}

TEST(FlashSound, RateCodesBitSettingsAndVersions) {
  const std::pair<uint32_t, uint8_t> rates[] = {{5512, 0},  {11025, 1}, {16000, 2},
                                                {22050, 2}, {44100, 3}, {48000, 0}};
  for (auto [rate, code] : rates) {
    TFlashSound sound(nullptr, WaveFile("rate.wav", Music(10, 1, rate), 1, rate, 16));
    EXPECT_EQ(sound.SoundRateCode, code) << rate;
  }

  TFlashSound sound;
  sound.SetADPCMBits(1);
  EXPECT_EQ(sound.ADPCMBits(), 0);
  sound.SetADPCMBits(9);
  EXPECT_EQ(sound.ADPCMBits(), 5);
  sound.SetADPCMBits(3);
  EXPECT_EQ(sound.ADPCMBits(), 3);
  const std::pair<uint8_t, int> versions[] = {{0, 1}, {1, 1}, {2, 4}, {3, 4}, {5, 8}, {6, 6}};
  for (auto [format, version] : versions) {
    sound.SoundFormat = format;
    EXPECT_EQ(sound.MinVersion(), version);
  }
}

TEST(FlashSound, MissingFileGivesAnEmptySound) {
  TFlashSound sound(nullptr, test::TempSoundPath("no such file.wav"));
  EXPECT_EQ(sound.Reader(), nullptr);
  auto define = DefineSoundOf(sound);
  EXPECT_EQ(define->SoundSampleCount, 0u);
  EXPECT_TRUE(define->Data.empty());
}

TEST(FlashSound, MSADPCMIsReEncodedAtNoMoreThanItsOwnBits) {
  const size_t frames = 5000;
  std::vector<int16_t> source = Music(frames, 2, 22050, 6000);
  std::string path =
      test::WriteSoundFile("msadpcm.wav", test::MSADPCMWave(source, 2, 22050, 512, true));
  TFlashSound sound(nullptr, path);
  EXPECT_EQ(sound.SoundFormat, 1);
  EXPECT_EQ(sound.BitsPerSample, 4);
  sound.SetADPCMBits(5);
  auto define = DefineSoundOf(sound);
  EXPECT_EQ(define->SoundFormat, kSoundFormatADPCM);
  EXPECT_EQ(define->Data[0] >> 6, 2);  // 4 bits: the source has no more
  EXPECT_EQ(define->SoundSampleCount, sound.SampleCount);

  // Against what the reader decodes, the re-encoding adds only 4-bit ADPCM noise.
  TWaveReader reader(path);
  std::vector<int16_t> pcm(frames * 2);
  ASSERT_EQ(reader.ReadSamples(pcm.data(), frames), frames);
  EXPECT_GT(SnrDecibels(pcm, DecodeSWFADPCM(define->Data, 2, frames)), 30);

  sound.SetADPCMBits(2);
  EXPECT_EQ(DefineSoundOf(sound)->Data[0] >> 6, 0);
  sound.SetADPCMBits(0);
  EXPECT_EQ(DefineSoundOf(sound)->SoundFormat, kSoundFormatADPCM);
}

std::vector<Tag> StreamTags(TFlashSound& sound, double fps, int blocks,
                            TSWFSoundStreamHead2& head) {
  sound.SetupStreamHead(head, fps);
  return Tags(test::Written([&](TBitsEngine& e) {
    for (int i = 0; i < blocks; ++i) sound.WriteStreamBlock(e);
  }));
}

TEST(FlashSound, PCMStreamsOneCompleteADPCMBlockPerFrame) {
  const size_t frames = 22050 / 10 * 3 + 700;  // three and a bit movie frames at 10 fps
  std::vector<int16_t> source = Music(frames, 1, 22050);
  TFlashSound sound(nullptr, WaveFile("stream.wav", source, 1, 22050, 16));
  TSWFSoundStreamHead2 head;
  std::vector<Tag> blocks = StreamTags(sound, 10, 8, head);

  EXPECT_EQ(sound.SamplesPerFrame, 2205u);
  EXPECT_EQ(head.StreamSoundCompression, kSoundFormatADPCM);
  EXPECT_EQ(head.StreamSoundRate, 2);
  EXPECT_TRUE(head.StreamSoundSize);
  EXPECT_FALSE(head.StreamSoundType);
  EXPECT_EQ(head.StreamSoundSampleCount, 2205);
  EXPECT_EQ(head.PlaybackSoundRate, head.StreamSoundRate);
  EXPECT_EQ(head.MinVersion(), 3);
  // The stream stops when the data does.
  ASSERT_EQ(blocks.size(), 4u);
  for (size_t k = 0; k < blocks.size(); ++k) {
    EXPECT_EQ(blocks[k].code, 19);
    std::vector<int16_t> decoded = DecodeSWFADPCM(blocks[k].body, 1, 2205);
    std::vector<int16_t> expected(source.begin() + std::min(k * 2205, frames),
                                  source.begin() + std::min((k + 1) * 2205, frames));
    expected.resize(2205, 0);  // the last block ends in silence
    EXPECT_EQ(decoded[0], expected[0]) << k;
    EXPECT_GT(SnrDecibels(expected, decoded), 30) << k;
  }

  // A looping stream goes on from the start.
  sound.LoopStream = true;
  blocks = StreamTags(sound, 10, 8, head);
  ASSERT_EQ(blocks.size(), 8u);
  std::vector<int16_t> wrapped = DecodeSWFADPCM(blocks[3].body, 1, 2205);
  std::vector<int16_t> expected(source.begin() + 3 * 2205, source.end());
  expected.insert(expected.end(), source.begin(), source.begin() + (2205 - 700));
  EXPECT_EQ(wrapped[0], expected[0]);
  EXPECT_GT(SnrDecibels(expected, wrapped), 25);
  EXPECT_EQ(DecodeSWFADPCM(blocks[4].body, 1, 1)[0], source[2205 - 700]);
}

TEST(FlashSound, RawStreamsCarryTheBytesAndPadWithSilence) {
  std::vector<int16_t> stereo = Music(1000, 2, 11025);
  TFlashSound sound(nullptr, WaveFile("stream8.wav", stereo, 2, 11025, 8));
  sound.SetADPCMBits(0);
  TSWFSoundStreamHead2 head;
  std::vector<Tag> blocks = StreamTags(sound, 25, 5, head);
  EXPECT_EQ(sound.SamplesPerFrame, 441u);
  EXPECT_EQ(head.StreamSoundCompression, kSoundFormatPCM);
  EXPECT_FALSE(head.StreamSoundSize);
  ASSERT_EQ(blocks.size(), 3u);
  Bytes all;
  for (const Tag& t : blocks) {
    EXPECT_EQ(t.body.size(), 441u * 2);
    all.insert(all.end(), t.body.begin(), t.body.end());
  }
  Bytes expected = test::PcmData(stereo, 8);
  expected.resize(441 * 2 * 3, 0x80);
  EXPECT_EQ(all, expected);
}

TEST(FlashSound, NoFrameRateOrNoDataMeansNoBlocks) {
  TFlashSound sound(nullptr, WaveFile("short.wav", Music(10, 1, 8000), 1, 8000, 16));
  TSWFSoundStreamHead2 head;
  EXPECT_TRUE(StreamTags(sound, 0, 3, head).empty());
  TFlashSound empty;
  empty.LoopStream = true;
  EXPECT_TRUE(StreamTags(empty, 12, 3, head).empty());
  TFlashSound silent(nullptr, WaveFile("nodata.wav", {}, 1, 8000, 16));
  silent.LoopStream = true;
  EXPECT_TRUE(StreamTags(silent, 12, 3, head).empty());
}

TEST(FlashSound, CopiesOpenTheirOwnReader) {
  std::string path = WaveFile("copy.wav", Music(500, 1, 11025), 1, 11025, 16);
  TFlashSound sound(nullptr, path);
  sound.SetADPCMBits(3);
  sound.LoopStream = true;
  sound.SetCharacterId(9);
  TFlashSound copy;
  copy.Assign(sound);
  ASSERT_NE(copy.Reader(), nullptr);
  EXPECT_NE(copy.Reader(), sound.Reader());
  EXPECT_TRUE(copy.LoopStream);
  EXPECT_EQ(copy.ADPCMBits(), 3);
  EXPECT_EQ(test::Written([&](TBitsEngine& e) { copy.WriteToStream(e); }),
            test::Written([&](TBitsEngine& e) { sound.WriteToStream(e); }));
}

// The movie's sound operations.

TEST(MovieSound, AddSoundStartSoundAndTheMusicStart) {
  std::string path = WaveFile("music.wav", Music(2000, 1, 22050), 1, 22050, 16);
  TFlashMovie movie(0, 0, 4000, 3000, 12);
  TFlashSound* sound = movie.AddSound(path);
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(sound->CharacterId(), 1);
  EXPECT_EQ(sound->Owner(), &movie);
  EXPECT_EQ(movie.NextCharacterID(), 2);
  ASSERT_EQ(movie.Sounds.size(), 1u);
  EXPECT_EQ(movie.Sounds[0], sound);
  EXPECT_EQ(movie.ObjectList().back().get(), sound);

  TSWFStartSound* start = movie.StartSound(sound->CharacterId());
  start->SyncNoMultiple = true;
  start->SetLoopCount(1000);
  EXPECT_EQ(movie.ObjectList().back().get(), start);

  // A missing file still takes an id and writes an empty sound.
  TFlashSound* missing = movie.AddSound(test::TempSoundPath("missing.mp3"));
  EXPECT_EQ(missing->CharacterId(), 2);
  movie.ShowFrame();

  movie.MakeData();
  std::vector<Tag> tags = Tags(movie.BodyStream().Bytes());
  ASSERT_GE(tags.size(), 4u);
  EXPECT_EQ(tags[0].code, 14);
  EXPECT_EQ(tags[1].code, 15);
  EXPECT_EQ(tags[1].body, (Bytes{0x01, 0x00, 0x14, 0xE8, 0x03}));
  EXPECT_EQ(tags[2].code, 14);
  EXPECT_EQ(tags[2].body.size(), 7u);
  EXPECT_FALSE(movie.BackgroundStreaming());
}

TEST(MovieSound, BackgroundSoundStreamsFromItsStartFrame) {
  std::string path = WaveFile("background.wav", Music(4000, 2, 11025), 2, 11025, 16);
  TFlashMovie movie(0, 0, 4000, 3000, 10);
  EXPECT_FALSE(movie.BackgroundStreaming());
  TFlashSound& background = movie.BackgroundSound();
  EXPECT_EQ(&movie.BackgroundSound(), &background);
  EXPECT_TRUE(movie.BackgroundStreaming());
  background.LoadFromFile(path);
  background.StartFrame = 2;

  int version = 5;
  Bytes out = test::Written([&](TBitsEngine& e) {
    movie.WriteBackgroundSoundHead(e, version);
    for (int frame = 0; frame < 6; ++frame) movie.WriteBackgroundSoundBlock(e, frame);
  });
  std::vector<Tag> tags = Tags(out);
  EXPECT_EQ(version, 5);
  ASSERT_EQ(tags.size(), 1u + 4);
  EXPECT_EQ(tags[0].code, 45);
  auto head = test::ReadTag(TTagCode::SoundStreamHead2, tags[0].body);
  EXPECT_EQ(dynamic_cast<TSWFSoundStreamHead2&>(*head).StreamSoundSampleCount, 1102);
  for (size_t i = 1; i < tags.size(); ++i) EXPECT_EQ(tags[i].code, 19);

  movie.SetBackgroundStreaming(false);
  EXPECT_TRUE(test::Written([&](TBitsEngine& e) {
                movie.WriteBackgroundSoundHead(e, version);
                movie.WriteBackgroundSoundBlock(e, 3);
              }).empty());
}

}  // namespace
}  // namespace orvanta
