#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "swf/swf_object.h"
#include "swf/tags_data.h"

namespace orvanta {

// SWF sound formats as they appear in DefineSound and the stream heads.
enum TSWFSoundFormat : uint8_t {
  kSoundFormatPCM = 0,  // the player's byte order: little-endian in practice
  kSoundFormatADPCM = 1,
  kSoundFormatMP3 = 2,
  kSoundFormatPCMLE = 3,
  kSoundFormatNellymoser16 = 4,
  kSoundFormatNellymoser8 = 5,
  kSoundFormatNellymoser = 6,
  kSoundFormatSpeex = 11,
};

// DefineSound: an event sound. SoundData is the payload (Data), or the callback writes it at
// serialisation time.
class TSWFDefineSound : public TSWFDataObject {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineSound);
  TSWFDefineSound() : TSWFDataObject(kTagID) {}

  uint16_t SoundId = 0;
  // 4 bits.
  uint8_t SoundFormat = 0;
  // 2 bits: 0 5.5 kHz, 1 11 kHz, 2 22 kHz, 3 44 kHz.
  uint8_t SoundRate = 0;
  // 16-bit samples.
  bool SoundSize = false;
  // Stereo.
  bool SoundType = false;
  uint32_t SoundSampleCount = 0;
  // MP3 only.
  int16_t SeekSamples = 0;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

// One point of a sound envelope: position in 44 kHz samples and the two channel levels
// (0..32768).
struct TSWFSoundEnvelope {
  uint32_t Pos44 = 0;
  uint16_t LeftLevel = 0;
  uint16_t RightLevel = 0;

  bool operator==(const TSWFSoundEnvelope&) const = default;
};

// StartSound: starts, stops or loops an event sound. Its body (SoundId and the sound info
// record) is also the record a button uses for each of its state sounds, and reads
// self-delimited, without BodySize.
class TSWFStartSound : public TSWFObject {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::StartSound);
  TSWFStartSound() : TSWFObject(kTagID) {}

  uint16_t SoundId = 0;

  // The sound info record.
  bool SyncStop = false;
  bool SyncNoMultiple = false;
  bool HasLoops = false;
  bool HasOutPoint = false;
  bool HasInPoint = false;
  uint32_t InPoint = 0;
  uint32_t OutPoint = 0;
  uint16_t LoopCount = 0;
  // Written (with its flag) only when not empty.
  std::vector<TSWFSoundEnvelope> SoundEnvelopes;

  bool HasEnvelope() const { return !SoundEnvelopes.empty(); }
  // Each sets the value and raises its flag when the value is not 0 (clears it for 0).
  void SetInPoint(uint32_t value);
  void SetOutPoint(uint32_t value);
  void SetLoopCount(uint16_t value);
  void AddEnvelope(uint32_t pos44, uint16_t leftLevel, uint16_t rightLevel);

  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;

 protected:
  explicit TSWFStartSound(uint16_t code) : TSWFObject(code) {}
  void ReadSoundInfo(TBitsEngine& Engine);
  void WriteSoundInfo(TBitsEngine& Engine) const;
};

// StartSound2: names the sound by its ActionScript 3 class instead of its id.
class TSWFStartSound2 : public TSWFStartSound {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::StartSound2);
  TSWFStartSound2() : TSWFStartSound(kTagID) {}

  std::string SoundClassName;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override { return 9; }
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

// SoundStreamHead: the format of the SoundStreamBlock tags that follow in the timeline.
class TSWFSoundStreamHead : public TSWFObject {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::SoundStreamHead);
  TSWFSoundStreamHead() : TSWFObject(kTagID) {}

  // The four bits above the playback fields: 0 in what we write, kept as found in files.
  uint8_t Reserved = 0;
  // 2 bits each, then 1 bit: rate code, 16-bit flag, stereo flag.
  uint8_t PlaybackSoundRate = 0;
  bool PlaybackSoundSize = false;
  bool PlaybackSoundType = false;
  // 4 bits.
  uint8_t StreamSoundCompression = 0;
  uint8_t StreamSoundRate = 0;
  bool StreamSoundSize = false;
  bool StreamSoundType = false;
  // Samples per frame.
  uint16_t StreamSoundSampleCount = 0;
  // MP3 only.
  int16_t LatencySeek = 0;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
  void UpdateTimelineContext(TTimelineContext& Context) const override {
    Context.StreamSoundCompression = StreamSoundCompression;
  }

 protected:
  explicit TSWFSoundStreamHead(uint16_t code) : TSWFObject(code) {}
};

class TSWFSoundStreamHead2 : public TSWFSoundStreamHead {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::SoundStreamHead2);
  TSWFSoundStreamHead2() : TSWFSoundStreamHead(kTagID) {}

  int MinVersion() const override;
};

// SoundStreamBlock: the stream data of one frame. An MP3 block starts with its sample count and
// seek samples; the reader tells the block the compression of the last stream head.
class TSWFSoundStreamBlock : public TSWFDataObject {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::SoundStreamBlock);
  TSWFSoundStreamBlock() : TSWFDataObject(kTagID) {}

  uint8_t StreamSoundCompression = 0;
  uint16_t SampleCount = 0;
  int16_t SeekSamples = 0;

  bool IsMP3() const { return StreamSoundCompression == kSoundFormatMP3; }

  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
  void TakeTimelineContext(const TTimelineContext& Context) override {
    StreamSoundCompression = Context.StreamSoundCompression;
  }
};

// DefineButtonSound (17): up to four sounds played on button transitions.
class TSWFDefineButtonSound : public TSWFObject {
 public:
  TSWFDefineButtonSound();
  ~TSWFDefineButtonSound() override;

  uint16_t ButtonId = 0;

  // Each slot is created on first use, which marks it present.
  TSWFStartSound& ButtonSoundChar0();  // OverUpToIdle
  TSWFStartSound& ButtonSoundChar1();  // IdleToOverUp
  TSWFStartSound& ButtonSoundChar2();  // OverUpToOverDown
  TSWFStartSound& ButtonSoundChar3();  // OverDownToOverUp
  // Slot I (0..3) if present, without creating it.
  const TSWFStartSound* ExistingSound(size_t index) const { return sounds_.at(index).get(); }
  bool HasAnySound() const;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override { return 2; }
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;

 private:
  TSWFStartSound& Slot(size_t index);
  std::array<std::unique_ptr<TSWFStartSound>, 4> sounds_;
};

}  // namespace orvanta
