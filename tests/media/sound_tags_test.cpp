#include "media/sound_tags.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::BodyBytes;
using test::Bytes;
using test::Concat;
using test::ReadTag;
using test::TagBytes;

template <class T>
T& As(const std::unique_ptr<TSWFObject>& tag) {
  auto* typed = dynamic_cast<T*>(tag.get());
  EXPECT_NE(typed, nullptr);
  return *typed;
}

TEST(DefineSound, PacksTheFormatByteAndAddsSeekSamplesOnlyForMP3) {
  TSWFDefineSound sound;
  sound.SoundId = 0x0102;
  sound.SoundFormat = kSoundFormatADPCM;
  sound.SoundRate = 2;
  sound.SoundSize = true;
  sound.SoundType = false;
  sound.SoundSampleCount = 1000;
  sound.SeekSamples = 99;  // not written: only MP3 carries it
  sound.Data = {0xAA, 0xBB};
  // 0001 10 1 0 = 0x1A.
  Bytes adpcm = {0x02, 0x01, 0x1A, 0xE8, 0x03, 0x00, 0x00, 0xAA, 0xBB};
  EXPECT_EQ(TagBytes(sound), Concat({{static_cast<uint8_t>(14 << 6 | 9), 0x03}, adpcm}));
  EXPECT_EQ(sound.MinVersion(), 1);

  sound.SoundFormat = kSoundFormatMP3;
  sound.SoundRate = 3;
  sound.SoundType = true;
  sound.SeekSamples = -2;
  // 0010 11 1 1 = 0x2F, then SeekSamples -2.
  Bytes mp3 = {0x02, 0x01, 0x2F, 0xE8, 0x03, 0x00, 0x00, 0xFE, 0xFF, 0xAA, 0xBB};
  EXPECT_EQ(BodyBytes(sound), mp3);
  EXPECT_EQ(sound.MinVersion(), 4);

  auto read = ReadTag(TTagCode::DefineSound, mp3);
  auto& back = As<TSWFDefineSound>(read);
  EXPECT_EQ(back.SoundId, 0x0102);
  EXPECT_EQ(back.SoundFormat, kSoundFormatMP3);
  EXPECT_EQ(back.SoundRate, 3);
  EXPECT_TRUE(back.SoundSize);
  EXPECT_TRUE(back.SoundType);
  EXPECT_EQ(back.SoundSampleCount, 1000u);
  EXPECT_EQ(back.SeekSamples, -2);
  EXPECT_EQ(back.Data, (Bytes{0xAA, 0xBB}));

  TSWFDefineSound copy;
  copy.Assign(back);
  EXPECT_EQ(BodyBytes(copy), mp3);

  auto adpcmRead = ReadTag(TTagCode::DefineSound, adpcm);
  EXPECT_EQ(As<TSWFDefineSound>(adpcmRead).Data, (Bytes{0xAA, 0xBB}));
}

TEST(DefineSound, VersionFollowsTheFormat) {
  TSWFDefineSound sound;
  const std::pair<uint8_t, int> expected[] = {{0, 1}, {1, 1}, {2, 4}, {3, 4}, {6, 6}, {11, 1}};
  for (auto [format, version] : expected) {
    sound.SoundFormat = format;
    EXPECT_EQ(sound.MinVersion(), version) << int(format);
  }
}

TEST(DefineSound, ShortBodiesAreErrors) {
  EXPECT_THROW(ReadTag(TTagCode::DefineSound, Bytes{0x01, 0x00, 0x10}), StreamError);
  // An MP3 sound needs its seek samples.
  EXPECT_THROW(ReadTag(TTagCode::DefineSound, Bytes{0x01, 0x00, 0x2F, 0, 0, 0, 0}), StreamError);
}

TEST(StartSound, WritesEveryPartOfTheSoundInfoInOrder) {
  TSWFStartSound start;
  start.SoundId = 7;
  start.SyncStop = true;
  start.SyncNoMultiple = true;
  start.SetInPoint(0x11223344);
  start.SetOutPoint(0x55667788);
  start.SetLoopCount(1000);
  start.AddEnvelope(0x01020304, 0x8000, 0x0010);
  start.AddEnvelope(44100, 0, 32768);
  Bytes body = {0x07, 0x00,
                0x3F,                    // 00 1 1 1 1 1 1
                0x44, 0x33, 0x22, 0x11,  // InPoint
                0x88, 0x77, 0x66, 0x55,  // OutPoint
                0xE8, 0x03,              // LoopCount
                0x02,                    // EnvPoints
                0x04, 0x03, 0x02, 0x01, 0x00, 0x80, 0x10, 0x00,
                0x44, 0xAC, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80};
  EXPECT_EQ(BodyBytes(start), body);
  EXPECT_EQ(start.MinVersion(), 1);

  auto read = ReadTag(TTagCode::StartSound, body);
  auto& back = As<TSWFStartSound>(read);
  EXPECT_EQ(back.SoundId, 7);
  EXPECT_TRUE(back.SyncStop);
  EXPECT_TRUE(back.SyncNoMultiple);
  EXPECT_TRUE(back.HasInPoint && back.HasOutPoint && back.HasLoops && back.HasEnvelope());
  EXPECT_EQ(back.InPoint, 0x11223344u);
  EXPECT_EQ(back.OutPoint, 0x55667788u);
  EXPECT_EQ(back.LoopCount, 1000);
  EXPECT_EQ(back.SoundEnvelopes, start.SoundEnvelopes);

  TSWFStartSound copy;
  copy.Assign(back);
  EXPECT_EQ(BodyBytes(copy), body);
}

TEST(StartSound, FlagsFollowTheirValues) {
  TSWFStartSound start;
  start.SoundId = 3;
  start.SyncNoMultiple = true;
  start.SetLoopCount(1);
  // The music's start: no multiple starts and a loop count only.
  EXPECT_EQ(BodyBytes(start), (Bytes{0x03, 0x00, 0x14, 0x01, 0x00}));

  start.SetLoopCount(0);
  start.SetInPoint(5);
  start.SetInPoint(0);
  EXPECT_FALSE(start.HasLoops);
  EXPECT_FALSE(start.HasInPoint);
  EXPECT_EQ(BodyBytes(start), (Bytes{0x03, 0x00, 0x10}));

  // A body is self-delimiting, so a button can read its four slots from one stream.
  TMemoryStream stream(Bytes{0x03, 0x00, 0x14, 0x01, 0x00, 0x09, 0x00, 0x20, 0xEE});
  TBitsEngine engine(stream);
  TSWFStartSound first, second;
  first.ReadFromStream(engine);
  second.ReadFromStream(engine);
  EXPECT_EQ(first.LoopCount, 1);
  EXPECT_EQ(second.SoundId, 9);
  EXPECT_TRUE(second.SyncStop);
  EXPECT_EQ(stream.Position(), 8u);
}

TEST(StartSound, EnvelopeThatClaimsMorePointsThanThereAreIsAnError) {
  EXPECT_THROW(ReadTag(TTagCode::StartSound, Bytes{0x01, 0x00, 0x08, 200, 0, 0, 0, 0, 0, 0, 0, 0}),
               StreamError);
  EXPECT_THROW(ReadTag(TTagCode::StartSound, Bytes{0x01, 0x00, 0x04, 0x01}), StreamError);
}

TEST(StartSound2, NamesTheSoundByClass) {
  TSWFStartSound2 start;
  start.SoundClassName = "Music";
  start.SetLoopCount(2);
  Bytes body = Concat({test::StringBytes("Music"), {0x04, 0x02, 0x00}});
  EXPECT_EQ(TagBytes(start), Concat({{static_cast<uint8_t>((89 << 6 | 9) & 0xFF),
                                      static_cast<uint8_t>((89 << 6 | 9) >> 8)},
                                     body}));
  EXPECT_EQ(start.MinVersion(), 9);

  auto read = ReadTag(TTagCode::StartSound2, body);
  auto& back = As<TSWFStartSound2>(read);
  EXPECT_EQ(back.SoundClassName, "Music");
  EXPECT_EQ(back.LoopCount, 2);
  TSWFStartSound2 copy;
  copy.Assign(back);
  EXPECT_EQ(BodyBytes(copy), body);
}

TEST(SoundStreamHead, PacksPlaybackAndStreamFieldsAndLatencyForMP3) {
  TSWFSoundStreamHead2 head;
  head.PlaybackSoundRate = 3;
  head.PlaybackSoundSize = true;
  head.PlaybackSoundType = true;
  head.StreamSoundCompression = kSoundFormatMP3;
  head.StreamSoundRate = 3;
  head.StreamSoundSize = true;
  head.StreamSoundType = false;
  head.StreamSoundSampleCount = 3675;
  head.LatencySeek = -5;
  // 0000 11 1 1, 0010 11 1 0.
  Bytes body = {0x0F, 0x2E, 0x5B, 0x0E, 0xFB, 0xFF};
  EXPECT_EQ(TagBytes(head), Concat({{static_cast<uint8_t>((45 << 6 | 6) & 0xFF),
                                     static_cast<uint8_t>((45 << 6 | 6) >> 8)},
                                    body}));
  EXPECT_EQ(head.MinVersion(), 4);

  auto read = ReadTag(TTagCode::SoundStreamHead2, body);
  auto& back = As<TSWFSoundStreamHead2>(read);
  EXPECT_EQ(back.PlaybackSoundRate, 3);
  EXPECT_TRUE(back.PlaybackSoundSize && back.PlaybackSoundType);
  EXPECT_EQ(back.StreamSoundCompression, kSoundFormatMP3);
  EXPECT_EQ(back.StreamSoundRate, 3);
  EXPECT_TRUE(back.StreamSoundSize);
  EXPECT_FALSE(back.StreamSoundType);
  EXPECT_EQ(back.StreamSoundSampleCount, 3675);
  EXPECT_EQ(back.LatencySeek, -5);

  // The bits above the playback fields are kept as found.
  auto marked = ReadTag(TTagCode::SoundStreamHead2, Bytes{0x26, 0x00, 0x00, 0x00});
  EXPECT_EQ(As<TSWFSoundStreamHead2>(marked).Reserved, 2);
  EXPECT_EQ(As<TSWFSoundStreamHead2>(marked).PlaybackSoundRate, 1);
  EXPECT_EQ(BodyBytes(*marked), (Bytes{0x26, 0x00, 0x00, 0x00}));
  TSWFSoundStreamHead2 markedCopy;
  markedCopy.Assign(*marked);
  EXPECT_EQ(BodyBytes(markedCopy), (Bytes{0x26, 0x00, 0x00, 0x00}));

  // An MP3 head without the latency is read, and written back with it.
  auto shortHead = ReadTag(TTagCode::SoundStreamHead, Bytes{0x0F, 0x2E, 0x5B, 0x0E});
  EXPECT_EQ(As<TSWFSoundStreamHead>(shortHead).LatencySeek, 0);
  EXPECT_EQ(BodyBytes(*shortHead).size(), 6u);
}

TEST(SoundStreamHead, NonMP3HeadsHaveNoLatencyAndTheirOwnVersions) {
  TSWFSoundStreamHead head;
  TSWFSoundStreamHead2 head2;
  head.StreamSoundCompression = head2.StreamSoundCompression = kSoundFormatADPCM;
  head.LatencySeek = head2.LatencySeek = 77;
  EXPECT_EQ(BodyBytes(head).size(), 4u);
  EXPECT_EQ(head.MinVersion(), 1);
  EXPECT_EQ(head2.MinVersion(), 3);
  head2.StreamSoundCompression = kSoundFormatNellymoser;
  EXPECT_EQ(head2.MinVersion(), 6);
  head.StreamSoundCompression = kSoundFormatMP3;
  EXPECT_EQ(head.MinVersion(), 4);
  EXPECT_EQ(TagBytes(head)[0] >> 6 | (TagBytes(head)[1] << 2), 18);
}

TEST(SoundStreamBlock, AlwaysLongHeaderAndMP3PrefixByCompression) {
  TSWFSoundStreamBlock block;
  block.Data = {1, 2, 3};
  EXPECT_EQ(TagBytes(block), (Bytes{0xFF, 0x04, 3, 0, 0, 0, 1, 2, 3}));

  block.StreamSoundCompression = kSoundFormatMP3;
  block.SampleCount = 3456;
  block.SeekSamples = -219;
  Bytes body = {0x80, 0x0D, 0x25, 0xFF, 1, 2, 3};
  EXPECT_EQ(BodyBytes(block), body);

  // The reader tells the block which stream it belongs to before it reads.
  auto plain = ReadTag(TTagCode::SoundStreamBlock, body);
  EXPECT_EQ(As<TSWFSoundStreamBlock>(plain).Data, body);

  auto mp3 = CreateTagByCode(ToCode(TTagCode::SoundStreamBlock));
  auto& typed = dynamic_cast<TSWFSoundStreamBlock&>(*mp3);
  typed.StreamSoundCompression = kSoundFormatMP3;
  typed.BodySize = static_cast<uint32_t>(body.size());
  TMemoryStream stream(body);
  TBitsEngine engine(stream);
  typed.ReadFromStream(engine);
  EXPECT_EQ(typed.SampleCount, 3456);
  EXPECT_EQ(typed.SeekSamples, -219);
  EXPECT_EQ(typed.Data, (Bytes{1, 2, 3}));

  TSWFSoundStreamBlock copy;
  copy.Assign(typed);
  EXPECT_EQ(BodyBytes(copy), body);

  // An ended MP3 stream still writes its empty block: long header, length 4.
  TSWFSoundStreamBlock ended;
  ended.StreamSoundCompression = kSoundFormatMP3;
  EXPECT_EQ(TagBytes(ended), (Bytes{0xFF, 0x04, 4, 0, 0, 0, 0, 0, 0, 0}));

  TSWFSoundStreamBlock tooShort;
  tooShort.StreamSoundCompression = kSoundFormatMP3;
  tooShort.BodySize = 3;
  TMemoryStream three(Bytes{1, 2, 3});
  TBitsEngine threeEngine(three);
  EXPECT_THROW(tooShort.ReadFromStream(threeEngine), FormatError);
}

TEST(SoundTags, FactoryKnowsEveryCode) {
  EXPECT_NE(dynamic_cast<TSWFDefineSound*>(CreateTagByCode(ToCode(TTagCode::DefineSound)).get()),
            nullptr);
  EXPECT_NE(dynamic_cast<TSWFStartSound*>(CreateTagByCode(ToCode(TTagCode::StartSound)).get()),
            nullptr);
  EXPECT_NE(dynamic_cast<TSWFStartSound2*>(CreateTagByCode(ToCode(TTagCode::StartSound2)).get()),
            nullptr);
  EXPECT_EQ(CreateTagByCode(ToCode(TTagCode::SoundStreamHead))->TagID,
            ToCode(TTagCode::SoundStreamHead));
  EXPECT_NE(dynamic_cast<TSWFSoundStreamHead2*>(
                CreateTagByCode(ToCode(TTagCode::SoundStreamHead2)).get()),
            nullptr);
  EXPECT_NE(dynamic_cast<TSWFSoundStreamBlock*>(
                CreateTagByCode(ToCode(TTagCode::SoundStreamBlock)).get()),
            nullptr);
}

}  // namespace
}  // namespace orvanta
