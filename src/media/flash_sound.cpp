#include "media/flash_sound.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "media/adpcm.h"
#include "media/mpeg_audio.h"
#include "media/sound_tags.h"
#include "media/wave_reader.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace orvanta {

namespace {

// Sample frames handed to the encoder at a time: one ADPCM packet.
constexpr size_t kChunkFrames = TSWFADPCMEncoder::kPacketSamples;

uint8_t RateCode(uint32_t sampleRate) {
  switch (sampleRate / 5000) {
    case 1:
      return 0;
    case 2:
      return 1;
    case 3:
    case 4:
      return 2;
    case 8:
      return 3;
    default:
      return 0;
  }
}

void WriteLE16(TBitsEngine& engine, const int16_t* samples, size_t count) {
  std::vector<uint8_t> bytes(count * 2);
  for (size_t i = 0; i < count; ++i) {
    bytes[2 * i] = static_cast<uint8_t>(samples[i]);
    bytes[2 * i + 1] = static_cast<uint8_t>(static_cast<uint16_t>(samples[i]) >> 8);
  }
  engine.WriteBuffer(bytes.data(), bytes.size());
}

// SWF's 8-bit PCM is unsigned, as in WAVE; the samples came from such bytes, so this is exact.
void WriteU8(TBitsEngine& engine, const int16_t* samples, size_t count) {
  std::vector<uint8_t> bytes(count);
  for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>((samples[i] >> 8) + 128);
  engine.WriteBuffer(bytes.data(), bytes.size());
}

}  // namespace

TFlashSound::TFlashSound(TFlashMovie* owner, const std::string& fileName) : TFlashIDObject(owner) {
  LoadFromFile(fileName);
}

TFlashSound::~TFlashSound() = default;

void TFlashSound::LoadFromFile(const std::string& fileName) {
  std::error_code error;
  if (fileName.empty() || !std::filesystem::is_regular_file(fileName, error)) {
    LoadFromReader(nullptr);
    FileName = fileName;
    return;
  }
  LoadFromReader(std::make_unique<TWaveReader>(fileName));
}

void TFlashSound::LoadFromReader(std::unique_ptr<TWaveReader> reader) {
  reader_ = std::move(reader);
  FileName = reader_ ? reader_->FileName : std::string();
  SoundFormat = SoundRateCode = 0;
  SampleRate = SampleCount = 0;
  BitsPerSample = 0;
  Is16Bit = IsStereo = false;
  DataOffset = DataSize = 0;
  Duration = 0;
  if (!reader_) return;

  const TWaveReader& r = *reader_;
  const bool mp3 = r.IsMP3() || r.FormatTag == TWaveReader::kFormatMP3File ||
                   r.FormatTag == TWaveReader::kFormatMPEGLayer3;
  SoundFormat = mp3 ? 2 : r.IsMSADPCM() ? 1 : 0;
  SampleRate = r.SampleRate;
  SoundRateCode = RateCode(SampleRate);
  BitsPerSample = r.BitsPerSample;
  Is16Bit = SoundFormat != 0 || BitsPerSample != 8;
  IsStereo = r.Channels == 2;
  DataOffset = r.DataOffset;
  DataSize = r.DataSize;
  // MPEG audio without Layer III frames has no SWF form: such a sound is written empty.
  SampleCount = Kind() == SourceKind::None ? 0 : r.SampleCount;
  Duration = r.Duration;
}

void TFlashSound::SetADPCMBits(int bits) {
  if (bits <= 1)
    adpcmBits_ = 0;
  else
    adpcmBits_ = std::min(bits, 5);
}

void TFlashSound::Assign(const TBasedSWFObject& Source) {
  TFlashIDObject::Assign(Source);
  auto& source = dynamic_cast<const TFlashSound&>(Source);
  // The reader belongs to one sound: the copy opens the file again.
  if (source.reader_)
    LoadFromFile(source.FileName);
  else
    reader_.reset();
  FileName = source.FileName;
  SoundFormat = source.SoundFormat;
  SoundRateCode = source.SoundRateCode;
  SampleRate = source.SampleRate;
  BitsPerSample = source.BitsPerSample;
  Is16Bit = source.Is16Bit;
  IsStereo = source.IsStereo;
  DataOffset = source.DataOffset;
  DataSize = source.DataSize;
  SampleCount = source.SampleCount;
  Duration = source.Duration;
  SeekSamples = source.SeekSamples;
  LoopStream = source.LoopStream;
  StartFrame = source.StartFrame;
  SamplesPerFrame = source.SamplesPerFrame;
  adpcmBits_ = source.adpcmBits_;
}

int TFlashSound::MinVersion() const {
  switch (SoundFormat) {
    case 2:
    case 3:
      return 4;
    case 5:
      return 8;
    case 6:
      return 6;
    default:
      return 1;
  }
}

TFlashSound::SourceKind TFlashSound::Kind() const {
  if (!reader_) return SourceKind::None;
  if (reader_->IsMP3()) return SourceKind::MP3;
  if (reader_->IsSampled()) return SourceKind::Sampled;
  return SourceKind::None;
}

uint8_t TFlashSound::WrittenFormat() const {
  if (SoundFormat == 0 && adpcmBits_ != 0) return kSoundFormatADPCM;
  return SoundFormat;
}

int TFlashSound::EncodeBits() const {
  if (reader_ && reader_->IsMSADPCM()) {
    int sourceBits = std::clamp<int>(BitsPerSample, 2, 5);
    return adpcmBits_ == 0 ? sourceBits : std::min(adpcmBits_, sourceBits);
  }
  return std::clamp(adpcmBits_, 2, 5);
}

void TFlashSound::WriteToStream(TBitsEngine& Engine) {
  TSWFDefineSound tag;
  tag.SoundId = CharacterId();
  tag.SoundFormat = WrittenFormat();
  tag.SoundRate = SoundRateCode;
  tag.SoundSize = tag.SoundFormat != kSoundFormatPCM || Is16Bit;
  tag.SoundType = IsStereo;
  tag.SoundSampleCount = SampleCount;
  if (tag.SoundFormat == kSoundFormatMP3) tag.SeekSamples = SeekSamples;
  tag.OnDataWrite = [this](TSWFObject& sender, TBitsEngine& engine) {
    WriteSoundData(sender, engine);
  };
  tag.WriteToStream(Engine);
}

void TFlashSound::WriteSoundData(TSWFObject& tag, TBitsEngine& engine) {
  if (tag.TagID == TSWFSoundStreamBlock::kTagID) {
    engine.WriteBuffer(pendingBlock_.data(), pendingBlock_.size());
    return;
  }
  WriteEventData(engine);
}

void TFlashSound::WriteEventData(TBitsEngine& engine) {
  TWaveReader* r = reader_.get();
  const SourceKind kind = Kind();
  if (kind == SourceKind::None) return;

  if (kind == SourceKind::MP3 || (WrittenFormat() == kSoundFormatPCM && r->IsNativePCM())) {
    std::vector<uint8_t> buffer(64 * 1024);
    for (uint64_t offset = 0; offset < r->DataSize;) {
      size_t got = r->ReadData(offset, buffer.data(), buffer.size());
      if (got == 0) break;
      engine.WriteBuffer(buffer.data(), got);
      offset += got;
    }
    return;
  }

  const size_t channels = r->Channels;
  std::vector<int16_t> samples(kChunkFrames * channels);
  r->SeekFrame(0);
  if (WrittenFormat() == kSoundFormatPCM) {
    // Wider or floating-point samples go out as 16-bit.
    while (size_t got = r->ReadSamples(samples.data(), kChunkFrames))
      WriteLE16(engine, samples.data(), got * channels);
    return;
  }
  TSWFADPCMEncoder encoder(engine, EncodeBits(), static_cast<int>(channels));
  while (size_t got = r->ReadSamples(samples.data(), kChunkFrames))
    encoder.Encode(samples.data(), got);
  encoder.Finish();
}

// Streaming.

void TFlashSound::SetupStreamHead(TSWFSoundStreamHead& head, double frameRate) {
  streamFormat_ = WrittenFormat();
  head.StreamSoundCompression = streamFormat_;
  head.StreamSoundRate = SoundRateCode;
  head.StreamSoundSize = streamFormat_ != kSoundFormatPCM || Is16Bit;
  head.StreamSoundType = IsStereo;
  head.PlaybackSoundRate = head.StreamSoundRate;
  head.PlaybackSoundSize = head.StreamSoundSize;
  head.PlaybackSoundType = head.StreamSoundType;
  // The head holds at most 65535 samples per frame; a block never holds more than it says.
  SamplesPerFrame =
      frameRate > 0 ? static_cast<uint32_t>(std::min(double(SampleRate) / frameRate, 65535.0)) : 0;
  head.StreamSoundSampleCount = static_cast<uint16_t>(SamplesPerFrame);
  head.LatencySeek = 0;

  streamFrame_ = 0;
  mp3FrameIndex_ = 0;
  currentSeek_ = SeekSamples;
  samplesWritten_ = 0;
  blockCount_ = 0;
  streamEnded_ = false;
  dataFrames_.clear();
  if (Kind() == SourceKind::MP3) {
    const auto& frames = reader_->MPEG()->FrameList;
    for (size_t i = 0; i < frames.size(); ++i)
      if (frames[i].IsData) dataFrames_.push_back(i);
  }
}

void TFlashSound::WriteStreamBlock(TBitsEngine& engine) {
  if (SamplesPerFrame == 0) return;
  switch (Kind()) {
    case SourceKind::Sampled:
      WriteSampledBlock(engine);
      break;
    case SourceKind::MP3:
      WriteMP3Block(engine);
      break;
    case SourceKind::None:
      break;
  }
}

std::vector<int16_t> TFlashSound::NextStreamSamples(size_t frames) {
  TWaveReader& r = *reader_;
  const size_t channels = r.Channels;
  const uint64_t total = r.TotalFrames();
  // Whatever is not filled stays silence.
  std::vector<int16_t> samples(frames * channels, 0);
  size_t filled = 0;
  bool rewound = false;
  r.SeekFrame(streamFrame_);
  while (filled < frames) {
    if (streamFrame_ >= total) {
      // A second rewind without progress means the data cannot be read: stop there.
      if (!LoopStream || rewound) break;
      streamFrame_ = 0;
      r.SeekFrame(0);
      rewound = true;
    }
    size_t got = r.ReadSamples(samples.data() + filled * channels, frames - filled);
    if (got == 0) {
      streamFrame_ = total;
      continue;
    }
    rewound = false;
    filled += got;
    streamFrame_ += got;
  }
  return samples;
}

void TFlashSound::WriteSampledBlock(TBitsEngine& engine) {
  TWaveReader& r = *reader_;
  if (r.TotalFrames() == 0 || (streamFrame_ >= r.TotalFrames() && !LoopStream)) return;
  std::vector<int16_t> samples = NextStreamSamples(SamplesPerFrame);

  // Each block is a complete ADPCM stream of its own.
  TMemoryStream payload;
  TBitsEngine payloadEngine(payload);
  if (streamFormat_ == kSoundFormatADPCM)
    EncodeADPCM(payloadEngine, samples, EncodeBits(), r.Channels);
  else if (Is16Bit)
    WriteLE16(payloadEngine, samples.data(), samples.size());
  else
    WriteU8(payloadEngine, samples.data(), samples.size());
  pendingBlock_ = payload.TakeBytes();

  TSWFSoundStreamBlock block;
  block.StreamSoundCompression = streamFormat_;
  block.OnDataWrite = [this](TSWFObject& sender, TBitsEngine& e) { WriteSoundData(sender, e); };
  block.WriteToStream(engine);
  ++blockCount_;
}

void TFlashSound::WriteMP3Block(TBitsEngine& engine) {
  const auto& frameList = reader_->MPEG()->FrameList;
  const int64_t s = reader_->SamplesPerFrame;
  int64_t seek = currentSeek_;
  if (!streamEnded_ && blockCount_ > 0) {
    seek = int64_t{blockCount_} * SamplesPerFrame - static_cast<int64_t>(samplesWritten_);
    if (s < std::llabs(seek)) streamEnded_ = true;
  }
  if (!streamEnded_ && mp3FrameIndex_ >= dataFrames_.size()) {
    if (LoopStream && !dataFrames_.empty())
      mp3FrameIndex_ = 0;
    else
      streamEnded_ = true;
  }

  TSWFSoundStreamBlock block;
  block.StreamSoundCompression = kSoundFormatMP3;
  pendingBlock_.clear();
  if (!streamEnded_) {
    int64_t frames = s < std::llabs(seek) ? 0 : std::max<int64_t>(0, (seek + SamplesPerFrame) / s);
    if (blockCount_ == 0) frames = std::max<int64_t>(frames, 1);
    // Only frames that exist are written; a stream that runs out without looping ends with a
    // shorter block instead of frames of zero bytes.
    int64_t written = 0;
    TStream& file = reader_->DataStream();
    for (; written < frames; ++written) {
      if (mp3FrameIndex_ >= dataFrames_.size()) {
        if (!LoopStream) break;
        mp3FrameIndex_ = 0;
      }
      const TMP3FrameInfo& frame = frameList[dataFrames_[mp3FrameIndex_++]];
      size_t at = pendingBlock_.size();
      pendingBlock_.resize(at + frame.Size, 0);
      uint64_t available = frame.Position < file.Size() ? file.Size() - frame.Position : 0;
      size_t count = static_cast<size_t>(std::min<uint64_t>(frame.Size, available));
      file.SetPosition(frame.Position);
      file.ReadBuffer(pendingBlock_.data() + at, count);
    }
    block.SampleCount = static_cast<uint16_t>(std::min<int64_t>(written * s, 0xFFFF));
    block.SeekSamples = static_cast<int16_t>(std::clamp<int64_t>(seek, -32768, 32767));
  }
  block.OnDataWrite = [this](TSWFObject& sender, TBitsEngine& e) { WriteSoundData(sender, e); };
  block.WriteToStream(engine);

  if (!streamEnded_) {
    samplesWritten_ += block.SampleCount;
    ++blockCount_;
    currentSeek_ = static_cast<int32_t>(std::clamp<int64_t>(
        int64_t{blockCount_} * SamplesPerFrame - static_cast<int64_t>(samplesWritten_), INT32_MIN,
        INT32_MAX));
  }
}

}  // namespace orvanta
