#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/adpcm.h"

namespace orvanta {

class TStream;
class TMPEGaudio;

// The WAVE "fmt " record.
struct TWaveFormat {
  uint16_t FormatTag = 0;
  uint16_t Channels = 0;
  uint32_t SamplesPerSec = 0;
  uint32_t AvgBytesPerSec = 0;
  uint16_t BlockAlign = 0;
  uint16_t BitsPerSample = 0;
  // MS-ADPCM only.
  uint16_t SamplesPerBlock = 0;
  uint16_t NumCoef = 0;
  std::vector<std::array<int16_t, 2>> Coefficients;
};

// Reads a sound file: RIFF WAVE (PCM, MS-ADPCM, MPEG audio inside WAVE) or an MP3 file. The
// upper-cased extension decides how the file is read; other extensions leave the reader empty.
// A WAVE file whose structure is broken raises FormatError; an MP3 file without a frame header
// is read as a sound without data. Declared sizes never reach past the end of the file.
class TWaveReader {
 public:
  // WAVE format tags, and the tag that stands for a plain MP3 file.
  static constexpr uint16_t kFormatPCM = 1;
  static constexpr uint16_t kFormatMSADPCM = 2;
  static constexpr uint16_t kFormatFloat = 3;
  static constexpr uint16_t kFormatMPEG = 0x50;
  static constexpr uint16_t kFormatMPEGLayer3 = 0x55;
  static constexpr uint16_t kFormatMP3File = 336;
  static constexpr uint16_t kFormatExtensible = 0xFFFE;

  // Opens the file; FileError when it cannot be opened.
  explicit TWaveReader(const std::string& fileName);
  // Reads from the stream, which the reader keeps; the name only gives the extension.
  TWaveReader(std::unique_ptr<TStream> stream, const std::string& fileName);
  ~TWaveReader();
  TWaveReader(const TWaveReader&) = delete;
  TWaveReader& operator=(const TWaveReader&) = delete;

  double Duration = 0;
  std::string FileName;
  TWaveFormat WaveFormat;
  uint16_t FormatTag = 0;
  uint16_t Channels = 0;
  uint32_t SampleRate = 0;
  uint16_t BitsPerSample = 0;
  // Samples per channel.
  uint32_t SampleCount = 0;
  uint64_t DataOffset = 0;
  uint64_t DataSize = 0;
  // MPEG audio.
  uint32_t SamplesPerFrame = 0;
  uint32_t FrameSize = 0;
  uint32_t FrameCount = 0;
  // Kilobits per second of the first frame.
  uint32_t BitRate = 0;

  TStream& DataStream() const { return *stream_; }
  // The MPEG analysis; null for other sources.
  const TMPEGaudio* MPEG() const { return mpeg_.get(); }

  bool IsMPEG() const { return mpeg_ != nullptr; }
  // MPEG audio a SWF file can carry: Layer III frames were found.
  bool IsMP3() const;
  bool IsMSADPCM() const { return FormatTag == kFormatMSADPCM; }
  // Sample data this reader decodes itself (PCM of any width, float, MS-ADPCM).
  bool IsSampled() const { return sampled_; }
  // Integer PCM whose bytes are SWF's own (unsigned 8-bit or signed 16-bit little-endian).
  bool IsNativePCM() const;

  // Sample frames the data really holds, which may differ from SampleCount for MS-ADPCM.
  uint64_t TotalFrames() const { return totalFrames_; }
  // Positions the sample reader at a sample frame.
  void SeekFrame(uint64_t frame);
  // Reads up to `frames` sample frames as interleaved 16-bit samples; fewer at the end.
  size_t ReadSamples(int16_t* out, size_t frames);
  // Copies `count` bytes of the data chunk from `offset` (relative to the data start) to `out`;
  // returns the bytes there were.
  size_t ReadData(uint64_t offset, uint8_t* out, size_t count);

 private:
  void Load();
  void ReadRIFF();
  void ReadFormatChunk(uint64_t position, uint32_t size);
  void TakeMPEG(uint64_t start, uint64_t length, bool wave);
  void SetupSampled();
  size_t ContainerBytes() const;

  std::unique_ptr<TStream> stream_;
  std::unique_ptr<TMPEGaudio> mpeg_;
  bool sampled_ = false;
  uint64_t totalFrames_ = 0;
  uint64_t readFrame_ = 0;
  // MS-ADPCM: the decoded block and how much of it is used.
  TMSADPCMFormat adpcm_;
  std::vector<int16_t> decoded_;
  size_t decodedUsed_ = 0;
  uint64_t nextBlock_ = 0;
  std::vector<uint8_t> blockBuffer_;
};

}  // namespace orvanta
