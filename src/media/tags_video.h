#pragma once

#include <cstdint>

#include "swf/swf_object.h"
#include "swf/tags_data.h"

namespace orvanta {

// DefineVideoStream: the character a series of VideoFrame tags draws into.
class TSWFDefineVideoStream : public TSWFObject {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineVideoStream);
  TSWFDefineVideoStream() : TSWFObject(kTagID) {}

  uint16_t CharacterID = 0;
  uint16_t NumFrames = 0;
  uint16_t Width = 0, Height = 0;
  // 3 bits.
  uint8_t VideoFlagsDeblocking = 0;
  bool VideoFlagsSmoothing = false;
  uint8_t CodecID = 0;

  void Assign(const TBasedSWFObject& Source) override;
  // Screen video version 2 (codec 3) arrived with version 7.
  int MinVersion() const override { return CodecID == 3 ? 7 : 6; }
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

// VideoFrame: one frame of a video stream. VideoData is the payload (Data), or the callback
// writes it at serialisation time.
class TSWFVideoFrame : public TSWFDataObject {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::VideoFrame);
  TSWFVideoFrame() : TSWFDataObject(kTagID) {}

  uint16_t StreamID = 0;
  uint16_t FrameNum = 0;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override { return 6; }
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

}  // namespace orvanta
