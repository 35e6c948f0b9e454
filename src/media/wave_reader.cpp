#include "media/wave_reader.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstring>

#include "media/mpeg_audio.h"
#include "platform/errors.h"
#include "platform/stream.h"

namespace orvanta {

namespace {

std::string UpperExtension(const std::string& fileName) {
  size_t dot = fileName.find_last_of('.');
  size_t slash = fileName.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = fileName.substr(dot);
  for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return ext;
}

uint16_t Word(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t DWord(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t{p[3]} << 24);
}

int16_t FromFloat(double value) {
  if (!(value == value)) return 0;  // NaN
  return static_cast<int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 32767.0));
}

}  // namespace

TWaveReader::TWaveReader(const std::string& fileName)
    : TWaveReader(std::make_unique<TFileStream>(fileName, TFileStream::Mode::Read), fileName) {}

TWaveReader::TWaveReader(std::unique_ptr<TStream> stream, const std::string& fileName)
    : FileName(fileName), stream_(std::move(stream)) {
  Load();
}

TWaveReader::~TWaveReader() = default;

void TWaveReader::Load() {
  const std::string ext = UpperExtension(FileName);
  if (ext == ".MP3")
    TakeMPEG(0, stream_->Size(), false);
  else if (ext == ".WAV")
    ReadRIFF();
  if (Duration == 0 && SampleRate != 0 && !IsMPEG()) Duration = double(SampleCount) / SampleRate;
}

bool TWaveReader::IsMP3() const {
  return mpeg_ && mpeg_->Found && mpeg_->Header.Layer == 3;
}

bool TWaveReader::IsNativePCM() const {
  return sampled_ && !IsMSADPCM() && FormatTag != kFormatFloat &&
         (BitsPerSample == 8 || BitsPerSample == 16);
}

size_t TWaveReader::ContainerBytes() const {
  return (BitsPerSample + 7u) / 8u;
}

void TWaveReader::ReadRIFF() {
  const uint64_t size = stream_->Size();
  uint8_t header[12];
  if (size < 12) throw FormatError("\"" + FileName + "\" is too short for a WAVE file");
  stream_->SetPosition(0);
  stream_->ReadBuffer(header, 12);
  if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0)
    throw FormatError("\"" + FileName + "\" is not a RIFF WAVE file");

  bool haveFormat = false, haveData = false;
  uint64_t dataStart = 0, dataLength = 0;
  // The RIFF size is not trusted: chunks are walked up to the real end of the file.
  for (uint64_t position = 12; position + 8 <= size && !(haveFormat && haveData);) {
    uint8_t chunk[8];
    stream_->SetPosition(position);
    stream_->ReadBuffer(chunk, 8);
    const uint32_t chunkSize = DWord(chunk + 4);
    const uint64_t body = position + 8;
    const uint64_t available = size - body;
    if (std::memcmp(chunk, "fmt ", 4) == 0 && !haveFormat) {
      if (chunkSize > available)
        throw FormatError("the format chunk of \"" + FileName + "\" runs past the end of the file");
      ReadFormatChunk(body, chunkSize);
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0 && !haveData) {
      // Recorders that never finished the file leave a size that runs past its end.
      dataStart = body;
      dataLength = std::min<uint64_t>(chunkSize, available);
      haveData = true;
    }
    position = body + chunkSize + (chunkSize & 1);
  }
  if (!haveFormat) throw FormatError("\"" + FileName + "\" has no format chunk");
  if (!haveData) throw FormatError("\"" + FileName + "\" has no data chunk");

  FormatTag = WaveFormat.FormatTag;
  Channels = WaveFormat.Channels;
  SampleRate = WaveFormat.SamplesPerSec;
  BitsPerSample = WaveFormat.BitsPerSample;
  DataOffset = dataStart;
  DataSize = dataLength;
  if (Channels != 1 && Channels != 2)
    throw FormatError("\"" + FileName + "\" has " + std::to_string(Channels) +
                      " channels; only mono and stereo sounds can be used");
  if (SampleRate == 0) throw FormatError("\"" + FileName + "\" declares a sample rate of 0");

  switch (FormatTag) {
    case kFormatMSADPCM: {
      if (WaveFormat.BlockAlign < 7u * Channels)
        throw FormatError("the MS-ADPCM blocks of \"" + FileName + "\" are too small (" +
                          std::to_string(WaveFormat.BlockAlign) + " bytes)");
      if (BitsPerSample == 0) BitsPerSample = 4;
      adpcm_.Channels = Channels;
      adpcm_.BlockAlign = WaveFormat.BlockAlign;
      adpcm_.Coefficients = WaveFormat.Coefficients;
      adpcm_.SamplesPerBlock = static_cast<uint32_t>(adpcm_.SamplesInBlock(WaveFormat.BlockAlign));
      uint64_t perBlock =
          WaveFormat.SamplesPerBlock ? WaveFormat.SamplesPerBlock : adpcm_.SamplesPerBlock;
      uint64_t count = perBlock * DataSize / WaveFormat.BlockAlign;
      SampleCount =
          static_cast<uint32_t>(std::min<uint64_t>(count > 2 ? count - 2 : 0, UINT32_MAX));
      SetupSampled();
      break;
    }
    case kFormatMPEG:
    case kFormatMPEGLayer3:
      TakeMPEG(DataOffset, DataSize, true);
      break;
    default: {
      if (BitsPerSample == 0 || BitsPerSample > 64)
        throw FormatError("\"" + FileName + "\" declares " + std::to_string(BitsPerSample) +
                          " bits per sample");
      if (FormatTag == kFormatFloat && BitsPerSample != 32 && BitsPerSample != 64)
        throw FormatError("\"" + FileName + "\" holds " + std::to_string(BitsPerSample) +
                          "-bit floating-point samples");
      SampleCount = static_cast<uint32_t>(
          std::min<uint64_t>(DataSize / (ContainerBytes() * Channels), UINT32_MAX));
      SetupSampled();
      break;
    }
  }
}

void TWaveReader::ReadFormatChunk(uint64_t position, uint32_t size) {
  if (size < 14) throw FormatError("the format chunk of \"" + FileName + "\" is too short");
  std::vector<uint8_t> chunk(size);
  stream_->SetPosition(position);
  stream_->ReadBuffer(chunk.data(), chunk.size());
  const uint8_t* p = chunk.data();
  TWaveFormat& f = WaveFormat;
  f.FormatTag = Word(p);
  f.Channels = Word(p + 2);
  f.SamplesPerSec = DWord(p + 4);
  f.AvgBytesPerSec = DWord(p + 8);
  f.BlockAlign = Word(p + 12);
  f.BitsPerSample = size >= 16 ? Word(p + 14) : 0;
  // The extensible layout names the real format in the first two bytes of its sub-format.
  if (f.FormatTag == kFormatExtensible && size >= 26) f.FormatTag = Word(p + 24);
  if (f.FormatTag == kFormatMSADPCM) {
    if (size >= 20) f.SamplesPerBlock = Word(p + 18);
    if (size >= 22) f.NumCoef = Word(p + 20);
    const size_t present = size >= 22 ? (size - 22) / 4 : 0;
    if (f.NumCoef > present)
      throw FormatError("the format chunk of \"" + FileName + "\" declares " +
                        std::to_string(f.NumCoef) + " coefficient pairs but holds " +
                        std::to_string(present));
    for (size_t i = 0; i < f.NumCoef; ++i)
      f.Coefficients.push_back(
          {static_cast<int16_t>(Word(p + 22 + 4 * i)), static_cast<int16_t>(Word(p + 24 + 4 * i))});
    if (f.Coefficients.empty()) f.Coefficients = StandardMSADPCMCoefficients();
  }
}

void TWaveReader::TakeMPEG(uint64_t start, uint64_t length, bool wave) {
  mpeg_ = std::make_unique<TMPEGaudio>();
  mpeg_->Analyse(*stream_, start, length);
  if (!wave) {
    FormatTag = kFormatMP3File;
    DataOffset = 0;
    DataSize = 0;
  }
  if (!mpeg_->Found) {
    Duration = 0;
    if (wave) DataSize = 0;
    return;
  }
  const TMPEGFrameHeader& header = mpeg_->Header;
  if (!wave) {
    DataOffset = mpeg_->FirstFramePosition();
    uint64_t end = mpeg_->FileSize - mpeg_->ID3v1.Size;
    DataSize = end > DataOffset ? end - DataOffset : 0;
  }
  Channels = header.IsMono() ? 1 : 2;
  SampleRate = static_cast<uint32_t>(header.SampleRate());
  BitsPerSample = 16;
  Duration = mpeg_->Duration;
  SampleCount = static_cast<uint32_t>(
      std::min(std::llround(SampleRate * Duration), static_cast<long long>(UINT32_MAX)));
  SamplesPerFrame = static_cast<uint32_t>(header.SamplesPerFrame());
  FrameSize = static_cast<uint32_t>(header.FrameSize());
  FrameCount = mpeg_->FrameCount();
  BitRate = static_cast<uint32_t>(header.BitRate());
  // The first frame's size says nothing about the others of a VBR file.
  if (!mpeg_->VBR.Found && uint64_t{FrameSize} * FrameCount > mpeg_->FileSize)
    FrameCount = static_cast<uint32_t>(mpeg_->FileSize / FrameSize);
}

void TWaveReader::SetupSampled() {
  sampled_ = true;
  if (IsMSADPCM()) {
    const uint64_t perBlock = adpcm_.SamplesPerBlock;
    const uint64_t blocks = DataSize / adpcm_.BlockAlign;
    totalFrames_ = blocks * perBlock + adpcm_.SamplesInBlock(DataSize % adpcm_.BlockAlign);
  } else {
    totalFrames_ = DataSize / (ContainerBytes() * Channels);
  }
  SeekFrame(0);
}

void TWaveReader::SeekFrame(uint64_t frame) {
  readFrame_ = std::min(frame, totalFrames_);
  if (!IsMSADPCM()) {
    stream_->SetPosition(DataOffset);
    return;
  }
  decoded_.clear();
  decodedUsed_ = 0;
  nextBlock_ = adpcm_.SamplesPerBlock ? readFrame_ / adpcm_.SamplesPerBlock : 0;
  const uint64_t skip = readFrame_ - nextBlock_ * adpcm_.SamplesPerBlock;
  if (skip == 0) return;
  // Land inside a block: decode it and drop what lies before the frame.
  uint64_t start = nextBlock_ * adpcm_.BlockAlign;
  size_t bytes = static_cast<size_t>(std::min<uint64_t>(adpcm_.BlockAlign, DataSize - start));
  blockBuffer_.resize(bytes);
  ReadData(start, blockBuffer_.data(), bytes);
  DecodeMSADPCM(adpcm_, blockBuffer_, decoded_);
  ++nextBlock_;
  decodedUsed_ = std::min<size_t>(decoded_.size(), skip * Channels);
}

size_t TWaveReader::ReadSamples(int16_t* out, size_t frames) {
  if (!sampled_) return 0;
  const size_t channels = Channels;
  frames = static_cast<size_t>(std::min<uint64_t>(frames, totalFrames_ - readFrame_));

  if (IsMSADPCM()) {
    size_t done = 0;
    while (done < frames) {
      if (decodedUsed_ == decoded_.size()) {
        uint64_t start = nextBlock_ * adpcm_.BlockAlign;
        if (start >= DataSize) break;
        size_t bytes = static_cast<size_t>(std::min<uint64_t>(adpcm_.BlockAlign, DataSize - start));
        blockBuffer_.resize(bytes);
        ReadData(start, blockBuffer_.data(), bytes);
        decoded_.clear();
        decodedUsed_ = 0;
        ++nextBlock_;
        if (DecodeMSADPCM(adpcm_, blockBuffer_, decoded_) == 0) break;
      }
      size_t take = std::min((decoded_.size() - decodedUsed_) / channels, frames - done);
      std::copy_n(decoded_.begin() + static_cast<ptrdiff_t>(decodedUsed_), take * channels,
                  out + done * channels);
      decodedUsed_ += take * channels;
      done += take;
    }
    readFrame_ += done;
    return done;
  }

  const size_t container = ContainerBytes();
  const size_t frameBytes = container * channels;
  std::vector<uint8_t> raw(frames * frameBytes);
  size_t got = ReadData(readFrame_ * frameBytes, raw.data(), raw.size()) / frameBytes;
  const bool isFloat = FormatTag == kFormatFloat;
  for (size_t i = 0; i < got * channels; ++i) {
    const uint8_t* s = &raw[i * container];
    int16_t value;
    if (isFloat && container == 4)
      value = FromFloat(std::bit_cast<float>(DWord(s)));
    else if (isFloat)
      value = FromFloat(std::bit_cast<double>(uint64_t{DWord(s)} | (uint64_t{DWord(s + 4)} << 32)));
    else if (container == 1)
      value = static_cast<int16_t>((s[0] - 128) * 256);
    else  // the two most significant bytes of a little-endian sample
      value = static_cast<int16_t>(Word(s + container - 2));
    out[i] = value;
  }
  readFrame_ += got;
  return got;
}

size_t TWaveReader::ReadData(uint64_t offset, uint8_t* out, size_t count) {
  if (offset >= DataSize) return 0;
  count = static_cast<size_t>(std::min<uint64_t>(count, DataSize - offset));
  stream_->SetPosition(DataOffset + offset);
  stream_->ReadBuffer(out, count);
  return count;
}

}  // namespace orvanta
