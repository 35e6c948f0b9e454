#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvanta {

class TStream;

// The 4-byte header of an MPEG audio frame, decoded.
struct TMPEGFrameHeader {
  // The header's version bits: 3 MPEG 1, 2 MPEG 2, 0 MPEG 2.5 (1 is reserved).
  uint8_t Version = 0;
  // 1 Layer I, 2 Layer II, 3 Layer III.
  uint8_t Layer = 0;
  // A 16-bit CRC follows the header.
  bool Protection = false;
  uint8_t BitRateIndex = 0;
  uint8_t SampleRateIndex = 0;
  bool Padding = false;
  bool Private = false;
  // 0 stereo, 1 joint stereo, 2 dual channel, 3 mono.
  uint8_t ChannelMode = 0;
  uint8_t ModeExtension = 0;
  bool Copyright = false;
  bool Original = false;
  uint8_t Emphasis = 0;

  static constexpr uint8_t kMPEG1 = 3, kMPEG2 = 2, kMPEG25 = 0;

  // Decodes the 4 bytes and tells whether it is a usable header: frame sync, a known version and
  // layer, a bit rate from the table (free format has no frame size and is refused), a known sample
  // rate.
  bool Decode(const uint8_t* bytes);
  static bool IsValid(const uint8_t* bytes);

  // Kilobits per second.
  int BitRate() const;
  int SampleRate() const;
  int SamplesPerFrame() const;
  // Bytes from this header to the next, padding included.
  int FrameSize() const;
  bool IsMono() const { return ChannelMode == 3; }
  // Offset of a Xing or Info tag in the first frame: header plus Layer III side information.
  int XingOffset() const;
  // Same stream parameters (a frame of another stream is not the next frame of this one).
  bool SameStream(const TMPEGFrameHeader& other) const;
};

// An ID3v1 tag: the last 128 bytes, starting with "TAG".
class TID3v1 {
 public:
  uint32_t Size = 0;
  void Read(TStream& stream, uint64_t start, uint64_t length);
};

// An ID3v2 tag at the start: a 10-byte header with a 28-bit synchsafe size (and a 10-byte
// footer when flagged).
class TID3v2 {
 public:
  uint32_t Size = 0;
  uint8_t MajorVersion = 0;
  void Read(TStream& stream, uint64_t start, uint64_t length);
};

struct TMP3FrameInfo {
  // Absolute position in the stream.
  uint64_t Position = 0;
  uint32_t Size = 0;
  uint8_t Header[4] = {0, 0, 0, 0};
  // False for the information frame of a VBR or LAME header, which holds no sound.
  bool IsData = true;
};

// Finds and measures the MPEG audio frames of a file, or of a part of one (the data chunk of a
// WAVE file). Positions in FrameList are absolute; FirstFrameOffset counts from the end of the
// ID3v2 tag.
class TMPEGaudio {
 public:
  // How many bytes are searched for the first frame header, at the start and in the middle.
  static constexpr size_t kSearchWindow = 3458;

  // Analyses the whole stream.
  void Analyse(TStream& stream);
  // Analyses `length` bytes from `start`.
  void Analyse(TStream& stream, uint64_t start, uint64_t length);
  void Reset();

  // The analysed length (the file size, or the part's length).
  uint64_t FileSize = 0;
  TID3v1 ID3v1;
  TID3v2 ID3v2;
  // A valid frame header was found.
  bool Found = false;
  uint64_t FirstFrameOffset = 0;
  TMPEGFrameHeader Header;
  struct {
    bool Found = false;
    uint32_t Frames = 0;
    uint32_t Bytes = 0;
  } VBR;
  double Duration = 0;
  std::vector<TMP3FrameInfo> FrameList;

  // Absolute position of the first frame.
  uint64_t FirstFramePosition() const { return start_ + ID3v2.Size + FirstFrameOffset; }
  // Frames of sound: the VBR header's count when there is one, else the data frames found.
  uint32_t FrameCount() const;

 private:
  bool FindFirstFrame(TStream& stream);
  bool SearchWindow(TStream& stream, uint64_t from);
  bool ConfirmedAt(TStream& stream, uint64_t position, const TMPEGFrameHeader& header);
  void ReadVBRHeader(TStream& stream);
  void BuildFrameList(TStream& stream);
  uint64_t End() const { return start_ + FileSize; }

  uint64_t start_ = 0;
};

}  // namespace orvanta
