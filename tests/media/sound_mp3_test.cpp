#include "media/mpeg_audio.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "media/flash_sound.h"
#include "media/sound_tags.h"
#include "media/sound_test_util.h"
#include "media/wave_reader.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::SoundBytes;

// What the ID3 tags of a file occupy, read from the bytes by the tag formats' own rules.
struct TagAreas {
  size_t id3v2 = 0;
  size_t id3v1 = 0;
};

TagAreas FindTags(const SoundBytes& file) {
  TagAreas areas;
  if (file.size() >= 10 && std::memcmp(file.data(), "ID3", 3) == 0)
    areas.id3v2 =
        10 + (size_t(file[6]) << 21 | size_t(file[7]) << 14 | size_t(file[8]) << 7 | file[9]);
  if (file.size() >= 128 && std::memcmp(&file[file.size() - 128], "TAG", 3) == 0) areas.id3v1 = 128;
  return areas;
}

// The frame count lame writes into its Xing or Info header.
uint32_t LameFrameCount(const SoundBytes& file) {
  for (const char* tag : {"Xing", "Info"}) {
    auto at = std::search(file.begin(), file.end(), tag, tag + 4);
    if (at != file.end()) {
      size_t i = static_cast<size_t>(at - file.begin()) + 8;
      return uint32_t(file[i]) << 24 | uint32_t(file[i + 1]) << 16 | uint32_t(file[i + 2]) << 8 |
             file[i + 3];
    }
  }
  return 0;
}

struct Mp3Case {
  const char* name;
  uint32_t rate;
  int channels;
  const char* options;
  uint32_t samplesPerFrame;
  uint8_t rateCode;
};

// Files made once for the whole suite: 3 seconds of music each.
class Mp3Files : public ::testing::Test {
 protected:
  static constexpr double kSeconds = 3.0;
  static inline std::map<std::string, std::string> files_;

  static std::string File(const Mp3Case& c) {
    auto it = files_.find(c.name);
    if (it != files_.end()) return it->second;
    std::string wave = test::WriteSoundFile(
        std::string(c.name) + ".wav",
        test::PcmWave(test::Music(size_t(c.rate * kSeconds), c.channels, c.rate), c.channels,
                      c.rate, 16));
    std::string mp3 = test::EncodeMP3(wave, std::string(c.name) + ".mp3", c.options);
    files_[c.name] = mp3;
    return mp3;
  }

  void SetUp() override { REQUIRE_LAME(); }
};

const Mp3Case kCases[] = {
    {"cbr44_tags", 44100, 2, "-b 128 --add-id3v2 --pad-id3v2-size 4096 --tt Title", 1152, 3},
    {"vbr44", 44100, 2, "-V 2", 1152, 3},
    {"cbr48", 48000, 2, "-b 160 --id3v1-only --tt T", 1152, 0},
    {"vbr22_mono", 22050, 1, "-V 5 -m m --id3v2-only --tt T", 576, 2},
    {"cbr16_mono", 16000, 1, "-b 32 -m m", 576, 2},
    {"cbr11_mono", 11025, 1, "-b 24 -m m --resample 11.025", 576, 1},
    {"cbr8_mono", 8000, 1, "-b 16 -m m --resample 8", 576, 0},
};

TEST_F(Mp3Files, AnalysisFindsTheFramesBetweenTheTags) {
  for (const Mp3Case& c : kCases) {
    SCOPED_TRACE(c.name);
    std::string path = File(c);
    SoundBytes bytes = test::ReadSoundFile(path);
    TagAreas tags = FindTags(bytes);

    TWaveReader reader(path);
    ASSERT_TRUE(reader.IsMP3());
    const TMPEGaudio& mpeg = *reader.MPEG();
    EXPECT_EQ(mpeg.ID3v2.Size, tags.id3v2);
    EXPECT_EQ(mpeg.ID3v1.Size, tags.id3v1);
    EXPECT_EQ(reader.FormatTag, TWaveReader::kFormatMP3File);
    EXPECT_EQ(reader.DataOffset, tags.id3v2);
    EXPECT_EQ(reader.DataSize, bytes.size() - tags.id3v2 - tags.id3v1);
    EXPECT_EQ(reader.SampleRate, c.rate);
    EXPECT_EQ(reader.Channels, c.channels);
    EXPECT_EQ(reader.BitsPerSample, 16);
    EXPECT_EQ(reader.SamplesPerFrame, c.samplesPerFrame);

    // The frames tile the data exactly.
    ASSERT_FALSE(mpeg.FrameList.empty());
    uint64_t position = reader.DataOffset;
    for (const TMP3FrameInfo& frame : mpeg.FrameList) {
      EXPECT_EQ(frame.Position, position);
      EXPECT_EQ(frame.Header[0], 0xFF);
      position += frame.Size;
    }
    EXPECT_EQ(position, reader.DataOffset + reader.DataSize);
    size_t dataFrames = std::count_if(mpeg.FrameList.begin(), mpeg.FrameList.end(),
                                      [](auto& f) { return f.IsData; });
    // lame heads the file with an information frame, unless that frame is too small to hold it.
    if (uint32_t lameCount = LameFrameCount(bytes)) {
      EXPECT_FALSE(mpeg.FrameList[0].IsData);
      EXPECT_EQ(dataFrames, mpeg.FrameList.size() - 1);
      EXPECT_TRUE(mpeg.VBR.Found);
      EXPECT_EQ(mpeg.VBR.Frames, lameCount);
      EXPECT_NEAR(double(dataFrames), lameCount, 1);
    } else {
      EXPECT_FALSE(mpeg.VBR.Found);
      EXPECT_EQ(dataFrames, mpeg.FrameList.size());
    }
    EXPECT_EQ(reader.FrameCount, mpeg.FrameCount());

    // lame adds an encoder delay and pads the last frame: up to three frames more than the
    // source.
    EXPECT_GE(reader.Duration, kSeconds - 0.01);
    EXPECT_LE(reader.Duration, kSeconds + 3.0 * c.samplesPerFrame / c.rate);
    EXPECT_EQ(reader.SampleCount, std::llround(reader.Duration * c.rate));
  }
}

TEST_F(Mp3Files, DefineSoundCarriesExactlyTheBytesBetweenTheTags) {
  for (const Mp3Case& c : kCases) {
    SCOPED_TRACE(c.name);
    std::string path = File(c);
    SoundBytes bytes = test::ReadSoundFile(path);
    TagAreas tags = FindTags(bytes);

    TFlashSound sound(nullptr, path);
    sound.SetCharacterId(3);
    EXPECT_EQ(sound.SoundFormat, 2);
    EXPECT_EQ(sound.MinVersion(), 4);
    test::Bytes tag = test::Written([&](TBitsEngine& e) { sound.WriteToStream(e); });
    auto define = test::ReadTag(TTagCode::DefineSound, test::Bytes(tag.begin() + 6, tag.end()));
    auto& read = dynamic_cast<TSWFDefineSound&>(*define);
    EXPECT_EQ(read.SoundId, 3);
    EXPECT_EQ(read.SoundFormat, kSoundFormatMP3);
    EXPECT_EQ(read.SoundRate, c.rateCode);
    EXPECT_TRUE(read.SoundSize);
    EXPECT_EQ(read.SoundType, c.channels == 2);
    EXPECT_EQ(read.SoundSampleCount, sound.SampleCount);
    EXPECT_EQ(read.SeekSamples, 0);
    EXPECT_TRUE(std::equal(read.Data.begin(), read.Data.end(), bytes.begin() + tags.id3v2));
    EXPECT_EQ(read.Data.size(), bytes.size() - tags.id3v2 - tags.id3v1);
  }
}

// The blocks a stream writes, parsed back.
struct StreamBlock {
  uint16_t sampleCount;
  int16_t seek;
  test::Bytes frames;
};

std::vector<StreamBlock> StreamBlocks(TFlashSound& sound, double fps, int count,
                                      TSWFSoundStreamHead2& head) {
  sound.SetupStreamHead(head, fps);
  test::Bytes out = test::Written([&](TBitsEngine& e) {
    for (int i = 0; i < count; ++i) sound.WriteStreamBlock(e);
  });
  std::vector<StreamBlock> blocks;
  for (size_t at = 0; at < out.size();) {
    uint16_t word = uint16_t(out[at] | out[at + 1] << 8);
    EXPECT_EQ(word, 19 << 6 | 63);
    uint32_t length =
        out[at + 2] | out[at + 3] << 8 | out[at + 4] << 16 | uint32_t(out[at + 5]) << 24;
    const uint8_t* body = &out[at + 6];
    blocks.push_back({uint16_t(body[0] | body[1] << 8), int16_t(body[2] | body[3] << 8),
                      test::Bytes(body + 4, body + length)});
    at += 6 + length;
  }
  return blocks;
}

TEST_F(Mp3Files, StreamBlocksFollowTheFrameRateWithSeekSamples) {
  const Mp3Case& c = kCases[0];
  std::string path = File(c);
  SoundBytes bytes = test::ReadSoundFile(path);
  TFlashSound sound(nullptr, path);
  TSWFSoundStreamHead2 head;
  // 3 seconds at 12 frames per second, and a few frames more.
  std::vector<StreamBlock> blocks = StreamBlocks(sound, 12, 45, head);

  EXPECT_EQ(sound.SamplesPerFrame, 3675u);
  EXPECT_EQ(head.StreamSoundSampleCount, 3675);
  EXPECT_EQ(head.StreamSoundCompression, kSoundFormatMP3);
  EXPECT_EQ(head.StreamSoundRate, 3);
  EXPECT_TRUE(head.StreamSoundType);
  EXPECT_EQ(head.PlaybackSoundRate, 3);
  EXPECT_EQ(head.MinVersion(), 4);
  ASSERT_EQ(blocks.size(), 45u);

  // The data frames in order, the information frame left out, each block 3 or 4 frames and its
  // seek the samples still owed to the timeline.
  const TMPEGaudio& mpeg = *sound.Reader()->MPEG();
  test::Bytes expected, streamed;
  for (const TMP3FrameInfo& f : mpeg.FrameList)
    if (f.IsData)
      expected.insert(expected.end(), bytes.begin() + f.Position,
                      bytes.begin() + f.Position + f.Size);
  uint64_t written = 0;
  size_t withData = 0;
  for (size_t k = 0; k < blocks.size(); ++k) {
    const StreamBlock& b = blocks[k];
    streamed.insert(streamed.end(), b.frames.begin(), b.frames.end());
    if (b.sampleCount == 0) {
      EXPECT_EQ(b.seek, 0);
      EXPECT_TRUE(b.frames.empty());
      continue;
    }
    ++withData;
    EXPECT_EQ(b.seek, int64_t(k) * 3675 - int64_t(written)) << k;
    EXPECT_EQ(b.sampleCount % 1152, 0);
    if (streamed.size() < expected.size()) {
      EXPECT_GE(b.sampleCount / 1152, 3) << k;
      EXPECT_LE(b.sampleCount / 1152, 4) << k;
    }
    written += b.sampleCount;
  }
  EXPECT_EQ(streamed, expected);
  EXPECT_EQ(written, (expected.empty() ? 0 : mpeg.FrameList.size() - 1) * 1152);
  EXPECT_GE(withData, 36u);
  EXPECT_EQ(blocks.back().sampleCount, 0);

  // A looping stream never runs dry and starts over at the first data frame.
  sound.LoopStream = true;
  blocks = StreamBlocks(sound, 12, 60, head);
  for (const StreamBlock& b : blocks) EXPECT_GT(b.sampleCount, 0);
}

TEST_F(Mp3Files, MP3InsideWaveIsCarriedAsMP3) {
  const Mp3Case& c = kCases[1];
  SoundBytes mp3 = test::ReadSoundFile(File(c));
  TagAreas tags = FindTags(mp3);
  SoundBytes frames(mp3.begin() + tags.id3v2, mp3.end() - tags.id3v1);
  SoundBytes format = test::FormatBody(TWaveReader::kFormatMPEGLayer3, 2, 44100, 0, 1);
  format.resize(30, 0);
  SoundBytes chunks;
  test::PutChunk(chunks, "fmt ", format);
  test::PutChunk(chunks, "data", frames);
  test::PutChunk(chunks, "LIST", SoundBytes(40, 0xFF));
  std::string path = test::WriteSoundFile("mp3inside.wav", test::RiffWave(chunks));

  TWaveReader reader(path);
  EXPECT_EQ(reader.FormatTag, TWaveReader::kFormatMPEGLayer3);
  ASSERT_TRUE(reader.IsMP3());
  EXPECT_EQ(reader.DataOffset, 12u + 8 + 30 + 8);
  EXPECT_EQ(reader.DataSize, frames.size());
  EXPECT_EQ(reader.MPEG()->FrameList.front().Position, reader.DataOffset);

  TFlashSound sound(nullptr, path);
  test::Bytes tag = test::Written([&](TBitsEngine& e) { sound.WriteToStream(e); });
  auto define = test::ReadTag(TTagCode::DefineSound, test::Bytes(tag.begin() + 6, tag.end()));
  EXPECT_EQ(dynamic_cast<TSWFDefineSound&>(*define).Data, frames);
}

// Synthetic streams: headers with silent bodies are all the analysis looks at.

// MPEG 1 Layer III, 128 kbit/s, 44.1 kHz, joint stereo: 417 bytes, 418 with padding.
constexpr uint8_t kHeader[4] = {0xFF, 0xFB, 0x90, 0x40};

SoundBytes Frames(size_t count, const uint8_t* header = kHeader, size_t size = 417) {
  SoundBytes out;
  for (size_t i = 0; i < count; ++i) {
    out.insert(out.end(), header, header + 4);
    out.resize(out.size() + size - 4, 0x00);
  }
  return out;
}

TMPEGaudio Analyse(const SoundBytes& bytes) {
  TMemoryStream stream(bytes);
  TMPEGaudio mpeg;
  mpeg.Analyse(stream);
  return mpeg;
}

TEST(MPEGAudio, DecodesHeadersOfEveryVersionAndLayer) {
  struct {
    uint8_t bytes[4];
    int rate, bitRate, samples, size;
  } const cases[] = {
      {{0xFF, 0xFB, 0x90, 0x40}, 44100, 128, 1152, 417},  // MPEG 1 Layer III
      {{0xFF, 0xFB, 0x92, 0x40}, 44100, 128, 1152, 418},  // with padding
      {{0xFF, 0xF3, 0x84, 0xC0}, 24000, 64, 576, 192},    // MPEG 2 Layer III
      {{0xFF, 0xE3, 0x48, 0xC0}, 8000, 32, 576, 288},     // MPEG 2.5 Layer III
      {{0xFF, 0xFD, 0xA4, 0x00}, 48000, 192, 1152, 576},  // MPEG 1 Layer II
      {{0xFF, 0xFF, 0x18, 0x00}, 32000, 32, 384, 48},     // MPEG 1 Layer I
  };
  for (const auto& c : cases) {
    TMPEGFrameHeader header;
    ASSERT_TRUE(header.Decode(c.bytes));
    EXPECT_EQ(header.SampleRate(), c.rate);
    EXPECT_EQ(header.BitRate(), c.bitRate);
    EXPECT_EQ(header.SamplesPerFrame(), c.samples);
    EXPECT_EQ(header.FrameSize(), c.size);
  }
  // Reserved version, reserved layer, free format, bad bit rate, reserved sample rate, no sync.
  for (auto bytes : {std::array<uint8_t, 4>{0xFF, 0xEB, 0x90, 0},
                     {0xFF, 0xF9, 0x90, 0},
                     {0xFF, 0xFB, 0x00, 0},
                     {0xFF, 0xFB, 0xF0, 0},
                     {0xFF, 0xFB, 0x9C, 0},
                     {0xFF, 0x7B, 0x90, 0}})
    EXPECT_FALSE(TMPEGFrameHeader::IsValid(bytes.data()));
}

TEST(MPEGAudio, SkipsGarbageAndFalseSyncsBeforeTheFirstFrame) {
  // A sync pattern in the junk announces a frame that is not followed by another.
  SoundBytes junk(1000, 0x11);
  std::memcpy(&junk[300], kHeader, 4);
  junk[700] = 0xFF;
  SoundBytes file = junk;
  SoundBytes frames = Frames(20);
  file.insert(file.end(), frames.begin(), frames.end());
  TMPEGaudio mpeg = Analyse(file);
  ASSERT_TRUE(mpeg.Found);
  EXPECT_EQ(mpeg.FirstFrameOffset, 1000u);
  EXPECT_EQ(mpeg.FrameList.size(), 20u);
  EXPECT_FALSE(mpeg.VBR.Found);
  EXPECT_NEAR(mpeg.Duration, 20 * 417 * 8 / 128000.0, 1e-9);
  EXPECT_EQ(mpeg.FrameCount(), 20u);

  // Beyond the first window, the middle of the file is searched.
  SoundBytes late(6000, 0x00);
  frames = Frames(30);
  late.insert(late.end(), frames.begin(), frames.end());
  mpeg = Analyse(late);
  ASSERT_TRUE(mpeg.Found);
  EXPECT_GE(mpeg.FirstFrameOffset, 6000u);
  EXPECT_EQ((mpeg.FirstFrameOffset - 6000) % 417, 0u);

  // Nothing to find: no data, no duration.
  mpeg = Analyse(SoundBytes(10000, 0xFF));
  EXPECT_FALSE(mpeg.Found);
  EXPECT_EQ(mpeg.Duration, 0);
  EXPECT_TRUE(mpeg.FrameList.empty());
}

TEST(MPEGAudio, ListStopsAtGarbageAndAtTheID3v1Tag) {
  SoundBytes file = Frames(10);
  file.resize(file.size() + 100, 0x22);  // junk between frames ends the list
  SoundBytes more = Frames(5);
  file.insert(file.end(), more.begin(), more.end());
  EXPECT_EQ(Analyse(file).FrameList.size(), 10u);

  SoundBytes tagged = Frames(8);
  SoundBytes v1(128, 0);
  std::memcpy(v1.data(), "TAG", 3);
  std::memcpy(&v1[3], "\xFF\xFB\x90\x40", 4);  // a header inside the tag is not a frame
  tagged.insert(tagged.end(), v1.begin(), v1.end());
  TMPEGaudio mpeg = Analyse(tagged);
  EXPECT_EQ(mpeg.ID3v1.Size, 128u);
  EXPECT_EQ(mpeg.FrameList.size(), 8u);
}

TEST(MPEGAudio, ID3v2ThatClaimsTooMuchIsIgnoredAndFootersCount) {
  SoundBytes file = {'I', 'D', '3', 3, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F};
  file.resize(50, 0);
  SoundBytes frames = Frames(6);
  file.insert(file.end(), frames.begin(), frames.end());
  TMPEGaudio mpeg = Analyse(file);
  EXPECT_EQ(mpeg.ID3v2.Size, 0u);
  ASSERT_TRUE(mpeg.Found);
  EXPECT_EQ(mpeg.FirstFramePosition(), 50u);

  // Version 4 with a footer: header, 30 bytes, footer.
  SoundBytes v4 = {'I', 'D', '3', 4, 0, 0x10, 0, 0, 0, 30};
  v4.resize(50, 0);
  v4.insert(v4.end(), frames.begin(), frames.end());
  mpeg = Analyse(v4);
  EXPECT_EQ(mpeg.ID3v2.Size, 50u);
  EXPECT_EQ(mpeg.FirstFrameOffset, 0u);
}

TEST(MPEGAudio, VBRIHeaderGivesTheFrameCount) {
  SoundBytes file = Frames(12);
  std::memcpy(&file[36], "VBRI", 4);
  const uint8_t counts[] = {0, 0, 0, 0, 0, 0x10, 0x00, 0, 0x12, 0x34, 0, 0, 0, 11};
  std::memcpy(&file[40], counts, sizeof counts);
  TMPEGaudio mpeg = Analyse(file);
  EXPECT_TRUE(mpeg.VBR.Found);
  EXPECT_EQ(mpeg.VBR.Bytes, 0x1234u);
  EXPECT_EQ(mpeg.VBR.Frames, 11u);
  EXPECT_NEAR(mpeg.Duration, 11 * 1152 / 44100.0, 1e-9);
  EXPECT_FALSE(mpeg.FrameList[0].IsData);
}

TEST(MPEGAudio, LayerTwoHasNoSWFForm) {
  const uint8_t layer2[4] = {0xFF, 0xFD, 0xA4, 0x00};
  std::string path = test::WriteSoundFile("layer2.mp3", Frames(10, layer2, 576));
  TWaveReader reader(path);
  EXPECT_TRUE(reader.IsMPEG());
  EXPECT_FALSE(reader.IsMP3());
  TFlashSound sound(nullptr, path);
  EXPECT_EQ(sound.SoundFormat, 2);
  EXPECT_EQ(sound.SampleCount, 0u);
  test::Bytes tag = test::Written([&](TBitsEngine& e) { sound.WriteToStream(e); });
  EXPECT_EQ(tag.size(), 2u + 9u);  // the DefineSound fields of an MP3 sound, and no data
  TSWFSoundStreamHead2 head;
  sound.SetupStreamHead(head, 12);
  EXPECT_TRUE(test::Written([&](TBitsEngine& e) { sound.WriteStreamBlock(e); }).empty());
}

}  // namespace
}  // namespace orvanta
