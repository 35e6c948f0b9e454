#include "media/mpeg_audio.h"

#include <algorithm>
#include <cstring>

#include "platform/stream.h"

namespace orvanta {

namespace {

// Kilobits per second by [MPEG 1 or not][layer - 1][index]; index 0 (free format) and 15 are
// refused before the look-up.
constexpr int kBitRates[2][3][16] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}}};

constexpr int kSampleRates[3] = {44100, 48000, 32000};

// Reads `count` bytes at `position` when they are all there.
bool ReadAt(TStream& stream, uint64_t position, void* buffer, size_t count) {
  if (position > stream.Size() || stream.Size() - position < count) return false;
  stream.SetPosition(position);
  stream.ReadBuffer(buffer, count);
  return true;
}

uint32_t BigEndian32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

bool IsInfoTag(const uint8_t* p) {
  return std::memcmp(p, "Info", 4) == 0 || std::memcmp(p, "Xing", 4) == 0 ||
         std::memcmp(p, "LAME", 4) == 0 || std::memcmp(p, "UUUU", 4) == 0 ||
         std::memcmp(p, "VBRI", 4) == 0;
}

}  // namespace

// Frame header.

bool TMPEGFrameHeader::IsValid(const uint8_t* bytes) {
  TMPEGFrameHeader header;
  return header.Decode(bytes);
}

bool TMPEGFrameHeader::Decode(const uint8_t* bytes) {
  const uint8_t* b = bytes;
  if (b[0] != 0xFF || (b[1] & 0xE0) != 0xE0) return false;
  Version = (b[1] >> 3) & 0x03;
  uint8_t layerBits = (b[1] >> 1) & 0x03;
  Protection = (b[1] & 0x01) == 0;
  BitRateIndex = b[2] >> 4;
  SampleRateIndex = (b[2] >> 2) & 0x03;
  Padding = (b[2] & 0x02) != 0;
  Private = (b[2] & 0x01) != 0;
  ChannelMode = b[3] >> 6;
  ModeExtension = (b[3] >> 4) & 0x03;
  Copyright = (b[3] & 0x08) != 0;
  Original = (b[3] & 0x04) != 0;
  Emphasis = b[3] & 0x03;
  Layer = static_cast<uint8_t>(layerBits == 0 ? 0 : 4 - layerBits);
  return Version != 1 && Layer != 0 && BitRateIndex != 0 && BitRateIndex != 15 &&
         SampleRateIndex != 3;
}

int TMPEGFrameHeader::BitRate() const {
  if (Layer < 1 || Layer > 3 || BitRateIndex > 15) return 0;
  return kBitRates[Version == kMPEG1 ? 0 : 1][Layer - 1][BitRateIndex];
}

int TMPEGFrameHeader::SampleRate() const {
  if (SampleRateIndex > 2) return 0;
  int rate = kSampleRates[SampleRateIndex];
  if (Version == kMPEG2) return rate / 2;
  if (Version == kMPEG25) return rate / 4;
  return rate;
}

int TMPEGFrameHeader::SamplesPerFrame() const {
  if (Layer == 1) return 384;
  if (Layer == 3 && Version != kMPEG1) return 576;
  return 1152;
}

int TMPEGFrameHeader::FrameSize() const {
  int rate = SampleRate();
  if (rate == 0) return 0;
  int bitRate = BitRate() * 1000;
  int padding = Padding ? 1 : 0;
  if (Layer == 1) return (12 * bitRate / rate + padding) * 4;
  if (Layer == 3 && Version != kMPEG1) return 72 * bitRate / rate + padding;
  return 144 * bitRate / rate + padding;
}

int TMPEGFrameHeader::XingOffset() const {
  if (Version == kMPEG1) return IsMono() ? 4 + 17 : 4 + 32;
  return IsMono() ? 4 + 9 : 4 + 17;
}

bool TMPEGFrameHeader::SameStream(const TMPEGFrameHeader& other) const {
  return Version == other.Version && Layer == other.Layer &&
         SampleRateIndex == other.SampleRateIndex;
}

// ID3 tags.

void TID3v1::Read(TStream& stream, uint64_t start, uint64_t length) {
  Size = 0;
  uint8_t tag[3];
  if (length >= 128 && ReadAt(stream, start + length - 128, tag, 3) &&
      std::memcmp(tag, "TAG", 3) == 0)
    Size = 128;
}

void TID3v2::Read(TStream& stream, uint64_t start, uint64_t length) {
  Size = 0;
  MajorVersion = 0;
  uint8_t header[10];
  if (length < 10 || !ReadAt(stream, start, header, 10) || std::memcmp(header, "ID3", 3) != 0)
    return;
  uint32_t size = 10 + ((uint32_t{header[6]} & 0x7F) << 21) + ((uint32_t{header[7]} & 0x7F) << 14) +
                  ((uint32_t{header[8]} & 0x7F) << 7) + (header[9] & 0x7F);
  // Version 4 may close the tag with a footer that repeats the header.
  if (header[3] == 4 && (header[5] & 0x10) != 0) size += 10;
  // A tag that claims more than the file holds is not trusted at all.
  if (size > length) return;
  Size = size;
  MajorVersion = header[3];
}

// Analysis.

void TMPEGaudio::Reset() {
  FileSize = 0;
  ID3v1 = TID3v1();
  ID3v2 = TID3v2();
  Found = false;
  FirstFrameOffset = 0;
  Header = TMPEGFrameHeader();
  VBR = {};
  Duration = 0;
  FrameList.clear();
  start_ = 0;
}

void TMPEGaudio::Analyse(TStream& stream) {
  Analyse(stream, 0, stream.Size());
}

void TMPEGaudio::Analyse(TStream& stream, uint64_t start, uint64_t length) {
  Reset();
  uint64_t size = stream.Size();
  start_ = std::min(start, size);
  FileSize = std::min(length, size - start_);

  ID3v1.Read(stream, start_, FileSize);
  ID3v2.Read(stream, start_, FileSize);
  if (!FindFirstFrame(stream)) {
    uint64_t fileSize = FileSize;
    Reset();
    FileSize = fileSize;
    return;
  }
  ReadVBRHeader(stream);

  const int sampleRate = Header.SampleRate();
  if (VBR.Found && VBR.Frames > 0) {
    Duration = double(VBR.Frames) * Header.SamplesPerFrame() / sampleRate;
  } else {
    uint64_t used = uint64_t{ID3v2.Size} + FirstFrameOffset + ID3v1.Size;
    uint64_t audio = FileSize > used ? FileSize - used : 0;
    Duration = double(audio) * 8 / (Header.BitRate() * 1000.0);
  }
  BuildFrameList(stream);
}

bool TMPEGaudio::FindFirstFrame(TStream& stream) {
  const uint64_t afterTag = start_ + ID3v2.Size;
  if (SearchWindow(stream, afterTag)) return true;
  uint64_t middle = start_ + (FileSize - ID3v2.Size) / 2;
  return SearchWindow(stream, std::max(middle, afterTag));
}

bool TMPEGaudio::SearchWindow(TStream& stream, uint64_t from) {
  if (from >= End()) return false;
  size_t count = static_cast<size_t>(std::min<uint64_t>(kSearchWindow, End() - from));
  std::vector<uint8_t> window(count);
  if (!ReadAt(stream, from, window.data(), count)) return false;
  for (size_t i = 0; i + 4 <= count; ++i) {
    TMPEGFrameHeader header;
    if (!header.Decode(&window[i])) continue;
    if (!ConfirmedAt(stream, from + i, header)) continue;
    Header = header;
    Found = true;
    FirstFrameOffset = from + i - start_ - ID3v2.Size;
    return true;
  }
  return false;
}

// A sync pattern inside other data is taken for a frame only when the frame it announces is
// followed by another of the same stream, or by the end of the data.
bool TMPEGaudio::ConfirmedAt(TStream& stream, uint64_t position, const TMPEGFrameHeader& header) {
  uint64_t next = position + static_cast<uint64_t>(header.FrameSize());
  uint64_t dataEnd = End() - std::min<uint64_t>(ID3v1.Size, FileSize);
  if (next + 4 > dataEnd) return next <= End();
  uint8_t bytes[4];
  if (!ReadAt(stream, next, bytes, 4)) return true;
  TMPEGFrameHeader following;
  return following.Decode(bytes) && following.SameStream(header);
}

void TMPEGaudio::ReadVBRHeader(TStream& stream) {
  const uint64_t first = FirstFramePosition();
  size_t count =
      static_cast<size_t>(std::min<uint64_t>({uint64_t(Header.FrameSize()), End() - first, 192}));
  std::vector<uint8_t> frame(count);
  if (!ReadAt(stream, first, frame.data(), count)) return;

  auto xingAt = [&](size_t offset) {
    if (offset + 8 > count) return false;
    const uint8_t* p = &frame[offset];
    if (std::memcmp(p, "Xing", 4) != 0 && std::memcmp(p, "Info", 4) != 0) return false;
    uint32_t flags = BigEndian32(p + 4);
    size_t at = offset + 8;
    VBR.Found = true;
    if ((flags & 1) && at + 4 <= count) {
      VBR.Frames = BigEndian32(&frame[at]);
      at += 4;
    }
    if ((flags & 2) && at + 4 <= count) VBR.Bytes = BigEndian32(&frame[at]);
    return true;
  };
  const size_t xing = static_cast<size_t>(Header.XingOffset());
  // Some encoders count the CRC in front of the side information, some do not.
  if (xingAt(xing) || (Header.Protection && xingAt(xing + 2))) return;

  constexpr size_t kVBRIOffset = 36;
  if (kVBRIOffset + 18 <= count && std::memcmp(&frame[kVBRIOffset], "VBRI", 4) == 0) {
    VBR.Found = true;
    VBR.Bytes = BigEndian32(&frame[kVBRIOffset + 10]);
    VBR.Frames = BigEndian32(&frame[kVBRIOffset + 14]);
  }
}

void TMPEGaudio::BuildFrameList(TStream& stream) {
  const uint64_t dataEnd = End() - std::min<uint64_t>(ID3v1.Size, FileSize);
  // The information frame of a VBR or LAME header can only be the first one.
  const size_t xing = static_cast<size_t>(Header.XingOffset());
  // Headers are read through a window that moves forward in large steps: one small read per
  // frame costs a file stream a seek and a buffer refill each.
  constexpr size_t kWindow = 64 * 1024;
  std::vector<uint8_t> window;
  uint64_t windowStart = 0;
  auto headerAt = [&](uint64_t position, uint8_t* out) {
    if (position < windowStart || position + 4 > windowStart + window.size()) {
      if (position + 4 > End()) return false;
      window.resize(static_cast<size_t>(std::min<uint64_t>(kWindow, End() - position)));
      if (!ReadAt(stream, position, window.data(), window.size())) return false;
      windowStart = position;
    }
    std::memcpy(out, &window[position - windowStart], 4);
    return true;
  };
  for (uint64_t position = FirstFramePosition(); position < dataEnd;) {
    TMP3FrameInfo info;
    TMPEGFrameHeader header;
    if (!headerAt(position, info.Header) || !header.Decode(info.Header)) break;
    info.Position = position;
    info.Size = static_cast<uint32_t>(header.FrameSize());
    if (FrameList.empty()) {
      uint8_t tag[4];
      for (size_t offset : {size_t{36}, xing, xing + 2})
        if (ReadAt(stream, position + offset, tag, 4) && IsInfoTag(tag)) info.IsData = false;
    }
    FrameList.push_back(info);
    position += info.Size;
  }
}

uint32_t TMPEGaudio::FrameCount() const {
  if (VBR.Found && VBR.Frames > 0) return VBR.Frames;
  return static_cast<uint32_t>(
      std::count_if(FrameList.begin(), FrameList.end(), [](auto& f) { return f.IsData; }));
}

}  // namespace orvanta
