#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "movie/flash_object.h"

namespace orvanta {

class TBitsEngine;
class TSWFObject;
class TSWFSoundStreamHead;
class TWaveReader;

// One sound file turned into SWF sound: written as an event sound it is one DefineSound tag;
// the same object can also feed a streaming sound, one SoundStreamBlock per movie frame after a
// stream head. PCM is compressed to SWF ADPCM unless ADPCMBits is 0.
class TFlashSound : public TFlashIDObject {
 public:
  // Loads the file when it exists; a missing file gives a sound without data.
  explicit TFlashSound(TFlashMovie* owner = nullptr, const std::string& fileName = std::string());
  ~TFlashSound() override;

  std::string FileName;
  // 2 MP3, 1 MS-ADPCM, 0 any other source (PCM).
  uint8_t SoundFormat = 0;
  // SWF rate code: 0 5.5 kHz, 1 11 kHz, 2 22 kHz, 3 44 kHz.
  uint8_t SoundRateCode = 0;
  uint32_t SampleRate = 0;
  uint16_t BitsPerSample = 0;
  bool Is16Bit = false;
  bool IsStereo = false;
  uint64_t DataOffset = 0;
  uint64_t DataSize = 0;
  // Samples per channel.
  uint32_t SampleCount = 0;
  // Seconds.
  double Duration = 0;
  // MP3 only: samples the player skips at the start.
  int16_t SeekSamples = 0;
  // A stream starts over at the beginning when it runs out.
  bool LoopStream = false;
  // The movie frame (counted from 0) whose ShowFrame first gets a block of the stream.
  int StartFrame = 0;
  // Samples per movie frame, set by SetupStreamHead.
  uint32_t SamplesPerFrame = 0;

  // Opens fileName (replacing what was loaded); a missing file leaves the sound without data.
  void LoadFromFile(const std::string& fileName);
  // Takes a reader already open on a sound (null for none).
  void LoadFromReader(std::unique_ptr<TWaveReader> reader);
  TWaveReader* Reader() const { return reader_.get(); }

  int ADPCMBits() const { return adpcmBits_; }
  // 0 turns ADPCM off; 1 is taken as 0, values above 5 as 5.
  void SetADPCMBits(int bits);

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override;
  // Writes the DefineSound tag.
  void WriteToStream(TBitsEngine& Engine) override;
  // The data callback of DefineSound and SoundStreamBlock.
  void WriteSoundData(TSWFObject& tag, TBitsEngine& engine);

  // Fills a stream head for a movie running at frameRate and rewinds the stream.
  void SetupStreamHead(TSWFSoundStreamHead& head, double frameRate);
  // Writes the SoundStreamBlock of the next movie frame, or nothing when a PCM stream is over.
  void WriteStreamBlock(TBitsEngine& engine);

 private:
  enum class SourceKind { None, Sampled, MP3 };

  SourceKind Kind() const;
  // The SWF format written: ADPCM for a PCM source when ADPCMBits is set.
  uint8_t WrittenFormat() const;
  int EncodeBits() const;
  void WriteEventData(TBitsEngine& engine);
  void WriteSampledBlock(TBitsEngine& engine);
  void WriteMP3Block(TBitsEngine& engine);
  // Reads the next `frames` sample frames of the stream, looping or padding with silence.
  std::vector<int16_t> NextStreamSamples(size_t frames);

  std::unique_ptr<TWaveReader> reader_;
  int adpcmBits_ = 4;

  // Stream state.
  uint8_t streamFormat_ = 0;
  uint64_t streamFrame_ = 0;
  std::vector<size_t> dataFrames_;
  size_t mp3FrameIndex_ = 0;
  int32_t currentSeek_ = 0;
  uint64_t samplesWritten_ = 0;
  uint32_t blockCount_ = 0;
  bool streamEnded_ = false;
  // The payload of the stream block being written.
  std::vector<uint8_t> pendingBlock_;
};

}  // namespace orvanta
