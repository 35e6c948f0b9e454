#include "media/sound_tags.h"

#include <algorithm>
#include <string>

#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace orvanta {

namespace {

// Reads whatever is left of a tag body into Data.
void ReadRest(TBitsEngine& Engine, uint32_t length, std::vector<uint8_t>& data) {
  Engine.RequireBytes(length);
  data.resize(length);
  Engine.ReadBuffer(data.data(), data.size());
}

}  // namespace

// DefineSound.

void TSWFDefineSound::Assign(const TBasedSWFObject& Source) {
  TSWFDataObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFDefineSound&>(Source);
  SoundId = source.SoundId;
  SoundFormat = source.SoundFormat;
  SoundRate = source.SoundRate;
  SoundSize = source.SoundSize;
  SoundType = source.SoundType;
  SoundSampleCount = source.SoundSampleCount;
  SeekSamples = source.SeekSamples;
}

int TSWFDefineSound::MinVersion() const {
  switch (SoundFormat) {
    case kSoundFormatMP3:
    case kSoundFormatPCMLE:
      return 4;
    case kSoundFormatNellymoser:
      return 6;
    default:
      return 1;
  }
}

void TSWFDefineSound::ReadFromStream(TBitsEngine& Engine) {
  SoundId = Engine.ReadWord();
  uint8_t flags = Engine.ReadByte();
  SoundFormat = flags >> 4;
  SoundRate = (flags >> 2) & 0x03;
  SoundSize = (flags & 0x02) != 0;
  SoundType = (flags & 0x01) != 0;
  SoundSampleCount = Engine.ReadDWord();
  uint32_t used = 7;
  if (SoundFormat == kSoundFormatMP3) {
    SeekSamples = static_cast<int16_t>(Engine.ReadWord());
    used += 2;
  }
  if (BodySize < used)
    throw FormatError("a DefineSound tag of " + std::to_string(BodySize) +
                      " bytes is too short for its header");
  ReadRest(Engine, BodySize - used, Data);
}

void TSWFDefineSound::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(SoundId);
  Engine.WriteBits(SoundFormat, 4);
  Engine.WriteBits(SoundRate, 2);
  Engine.WriteBit(SoundSize);
  Engine.WriteBit(SoundType);
  Engine.WriteDWord(SoundSampleCount);
  if (SoundFormat == kSoundFormatMP3) Engine.WriteWord(static_cast<uint16_t>(SeekSamples));
  WritePayload(Engine);
}

// StartSound and the sound info record.

void TSWFStartSound::SetInPoint(uint32_t value) {
  InPoint = value;
  HasInPoint = value != 0;
}

void TSWFStartSound::SetOutPoint(uint32_t value) {
  OutPoint = value;
  HasOutPoint = value != 0;
}

void TSWFStartSound::SetLoopCount(uint16_t value) {
  LoopCount = value;
  HasLoops = value != 0;
}

void TSWFStartSound::AddEnvelope(uint32_t pos44, uint16_t leftLevel, uint16_t rightLevel) {
  SoundEnvelopes.push_back({pos44, leftLevel, rightLevel});
}

void TSWFStartSound::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFStartSound&>(Source);
  SoundId = source.SoundId;
  SyncStop = source.SyncStop;
  SyncNoMultiple = source.SyncNoMultiple;
  HasLoops = source.HasLoops;
  HasOutPoint = source.HasOutPoint;
  HasInPoint = source.HasInPoint;
  InPoint = source.InPoint;
  OutPoint = source.OutPoint;
  LoopCount = source.LoopCount;
  SoundEnvelopes = source.SoundEnvelopes;
}

void TSWFStartSound::ReadSoundInfo(TBitsEngine& Engine) {
  uint8_t flags = Engine.ReadByte();
  SyncStop = (flags & 0x20) != 0;
  SyncNoMultiple = (flags & 0x10) != 0;
  bool hasEnvelope = (flags & 0x08) != 0;
  HasLoops = (flags & 0x04) != 0;
  HasOutPoint = (flags & 0x02) != 0;
  HasInPoint = (flags & 0x01) != 0;
  InPoint = HasInPoint ? Engine.ReadDWord() : 0;
  OutPoint = HasOutPoint ? Engine.ReadDWord() : 0;
  LoopCount = HasLoops ? Engine.ReadWord() : 0;
  SoundEnvelopes.clear();
  if (hasEnvelope) {
    uint8_t points = Engine.ReadByte();
    Engine.RequireBytes(uint64_t{points} * 8);
    SoundEnvelopes.resize(points);
    for (TSWFSoundEnvelope& point : SoundEnvelopes) {
      point.Pos44 = Engine.ReadDWord();
      point.LeftLevel = Engine.ReadWord();
      point.RightLevel = Engine.ReadWord();
    }
  }
}

void TSWFStartSound::WriteSoundInfo(TBitsEngine& Engine) const {
  // At most 255 points fit the count; the rest cannot be expressed and are dropped.
  size_t points = SoundEnvelopes.size() > 255 ? 255 : SoundEnvelopes.size();
  Engine.WriteBits(0, 2);
  Engine.WriteBit(SyncStop);
  Engine.WriteBit(SyncNoMultiple);
  Engine.WriteBit(points != 0);
  Engine.WriteBit(HasLoops);
  Engine.WriteBit(HasOutPoint);
  Engine.WriteBit(HasInPoint);
  if (HasInPoint) Engine.WriteDWord(InPoint);
  if (HasOutPoint) Engine.WriteDWord(OutPoint);
  if (HasLoops) Engine.WriteWord(LoopCount);
  if (points != 0) {
    Engine.WriteByte(static_cast<uint8_t>(points));
    for (size_t i = 0; i < points; ++i) {
      Engine.WriteDWord(SoundEnvelopes[i].Pos44);
      Engine.WriteWord(SoundEnvelopes[i].LeftLevel);
      Engine.WriteWord(SoundEnvelopes[i].RightLevel);
    }
  }
}

void TSWFStartSound::ReadFromStream(TBitsEngine& Engine) {
  SoundId = Engine.ReadWord();
  ReadSoundInfo(Engine);
}

void TSWFStartSound::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(SoundId);
  WriteSoundInfo(Engine);
}

void TSWFStartSound2::Assign(const TBasedSWFObject& Source) {
  TSWFStartSound::Assign(Source);
  if (auto* source = dynamic_cast<const TSWFStartSound2*>(&Source))
    SoundClassName = source->SoundClassName;
}

void TSWFStartSound2::ReadFromStream(TBitsEngine& Engine) {
  SoundClassName = Engine.ReadString();
  ReadSoundInfo(Engine);
}

void TSWFStartSound2::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteString(SoundClassName);
  WriteSoundInfo(Engine);
}

// SoundStreamHead and SoundStreamHead2.

void TSWFSoundStreamHead::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFSoundStreamHead&>(Source);
  Reserved = source.Reserved;
  PlaybackSoundRate = source.PlaybackSoundRate;
  PlaybackSoundSize = source.PlaybackSoundSize;
  PlaybackSoundType = source.PlaybackSoundType;
  StreamSoundCompression = source.StreamSoundCompression;
  StreamSoundRate = source.StreamSoundRate;
  StreamSoundSize = source.StreamSoundSize;
  StreamSoundType = source.StreamSoundType;
  StreamSoundSampleCount = source.StreamSoundSampleCount;
  LatencySeek = source.LatencySeek;
}

int TSWFSoundStreamHead::MinVersion() const {
  return StreamSoundCompression == kSoundFormatMP3 ? 4 : 1;
}

int TSWFSoundStreamHead2::MinVersion() const {
  if (StreamSoundCompression == kSoundFormatMP3) return 4;
  if (StreamSoundCompression == kSoundFormatNellymoser) return 6;
  return 3;
}

void TSWFSoundStreamHead::ReadFromStream(TBitsEngine& Engine) {
  uint8_t playback = Engine.ReadByte();
  Reserved = playback >> 4;
  PlaybackSoundRate = (playback >> 2) & 0x03;
  PlaybackSoundSize = (playback & 0x02) != 0;
  PlaybackSoundType = (playback & 0x01) != 0;
  uint8_t stream = Engine.ReadByte();
  StreamSoundCompression = stream >> 4;
  StreamSoundRate = (stream >> 2) & 0x03;
  StreamSoundSize = (stream & 0x02) != 0;
  StreamSoundType = (stream & 0x01) != 0;
  StreamSoundSampleCount = Engine.ReadWord();
  // Some writers leave the latency out of MP3 heads.
  LatencySeek = StreamSoundCompression == kSoundFormatMP3 && BodySize > 4
                    ? static_cast<int16_t>(Engine.ReadWord())
                    : 0;
}

void TSWFSoundStreamHead::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteBits(Reserved, 4);
  Engine.WriteBits(PlaybackSoundRate, 2);
  Engine.WriteBit(PlaybackSoundSize);
  Engine.WriteBit(PlaybackSoundType);
  Engine.WriteBits(StreamSoundCompression, 4);
  Engine.WriteBits(StreamSoundRate, 2);
  Engine.WriteBit(StreamSoundSize);
  Engine.WriteBit(StreamSoundType);
  Engine.WriteWord(StreamSoundSampleCount);
  if (StreamSoundCompression == kSoundFormatMP3)
    Engine.WriteWord(static_cast<uint16_t>(LatencySeek));
}

// SoundStreamBlock.

void TSWFSoundStreamBlock::Assign(const TBasedSWFObject& Source) {
  TSWFDataObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFSoundStreamBlock&>(Source);
  StreamSoundCompression = source.StreamSoundCompression;
  SampleCount = source.SampleCount;
  SeekSamples = source.SeekSamples;
}

void TSWFSoundStreamBlock::ReadFromStream(TBitsEngine& Engine) {
  uint32_t used = 0;
  if (IsMP3()) {
    if (BodySize < 4)
      throw FormatError("an MP3 SoundStreamBlock of " + std::to_string(BodySize) +
                        " bytes is too short for its sample count and seek");
    SampleCount = Engine.ReadWord();
    SeekSamples = static_cast<int16_t>(Engine.ReadWord());
    used = 4;
  }
  ReadRest(Engine, BodySize - used, Data);
}

void TSWFSoundStreamBlock::WriteTagBody(TBitsEngine& Engine) {
  if (IsMP3()) {
    Engine.WriteWord(SampleCount);
    Engine.WriteWord(static_cast<uint16_t>(SeekSamples));
  }
  WritePayload(Engine);
}

// ---- DefineButtonSound ----

TSWFDefineButtonSound::TSWFDefineButtonSound() : TSWFObject(TTagCode::DefineButtonSound) {}
TSWFDefineButtonSound::~TSWFDefineButtonSound() = default;

TSWFStartSound& TSWFDefineButtonSound::Slot(size_t index) {
  if (!sounds_[index]) sounds_[index] = std::make_unique<TSWFStartSound>();
  return *sounds_[index];
}

TSWFStartSound& TSWFDefineButtonSound::ButtonSoundChar0() {
  return Slot(0);
}
TSWFStartSound& TSWFDefineButtonSound::ButtonSoundChar1() {
  return Slot(1);
}
TSWFStartSound& TSWFDefineButtonSound::ButtonSoundChar2() {
  return Slot(2);
}
TSWFStartSound& TSWFDefineButtonSound::ButtonSoundChar3() {
  return Slot(3);
}

bool TSWFDefineButtonSound::HasAnySound() const {
  return std::any_of(sounds_.begin(), sounds_.end(), [](const auto& s) { return s != nullptr; });
}

void TSWFDefineButtonSound::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFDefineButtonSound&>(Source);
  ButtonId = source.ButtonId;
  for (size_t i = 0; i < sounds_.size(); ++i) {
    sounds_[i].reset();
    if (source.sounds_[i]) Slot(i).Assign(*source.sounds_[i]);
  }
}

void TSWFDefineButtonSound::ReadFromStream(TBitsEngine& Engine) {
  TStream& stream = Engine.Stream();
  ButtonId = Engine.ReadWord();
  for (size_t i = 0; i < sounds_.size(); ++i) {
    sounds_[i].reset();
    uint16_t soundId = Engine.ReadWord();
    if (soundId == 0) continue;
    stream.SetPosition(stream.Position() - 2);
    Slot(i).ReadFromStream(Engine);
  }
}

void TSWFDefineButtonSound::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(ButtonId);
  for (const auto& sound : sounds_) {
    if (sound && sound->SoundId != 0)
      sound->WriteTagBody(Engine);
    else
      Engine.WriteWord(0);
  }
}

}  // namespace orvanta
