#include "media/tags_video.h"

#include <string>

#include "platform/errors.h"
#include "swf/bits_engine.h"

namespace orvanta {

void TSWFDefineVideoStream::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFDefineVideoStream&>(Source);
  CharacterID = source.CharacterID;
  NumFrames = source.NumFrames;
  Width = source.Width;
  Height = source.Height;
  VideoFlagsDeblocking = source.VideoFlagsDeblocking;
  VideoFlagsSmoothing = source.VideoFlagsSmoothing;
  CodecID = source.CodecID;
}

void TSWFDefineVideoStream::ReadFromStream(TBitsEngine& Engine) {
  CharacterID = Engine.ReadWord();
  NumFrames = Engine.ReadWord();
  Width = Engine.ReadWord();
  Height = Engine.ReadWord();
  uint8_t flags = Engine.ReadByte();
  VideoFlagsDeblocking = (flags >> 1) & 0x07;
  VideoFlagsSmoothing = flags & 0x01;
  CodecID = Engine.ReadByte();
}

void TSWFDefineVideoStream::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(CharacterID);
  Engine.WriteWord(NumFrames);
  Engine.WriteWord(Width);
  Engine.WriteWord(Height);
  Engine.WriteByte(
      static_cast<uint8_t>(((VideoFlagsDeblocking & 0x07) << 1) | (VideoFlagsSmoothing ? 1 : 0)));
  Engine.WriteByte(CodecID);
}

void TSWFVideoFrame::Assign(const TBasedSWFObject& Source) {
  TSWFDataObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFVideoFrame&>(Source);
  StreamID = source.StreamID;
  FrameNum = source.FrameNum;
}

void TSWFVideoFrame::ReadFromStream(TBitsEngine& Engine) {
  if (BodySize < 4)
    throw FormatError("a VideoFrame tag of " + std::to_string(BodySize) +
                      " bytes is too short for its stream id and frame number");
  StreamID = Engine.ReadWord();
  FrameNum = Engine.ReadWord();
  uint32_t length = BodySize - 4;
  Engine.RequireBytes(length);
  Data.resize(length);
  Engine.ReadBuffer(Data.data(), Data.size());
}

void TSWFVideoFrame::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(StreamID);
  Engine.WriteWord(FrameNum);
  WritePayload(Engine);
}

}  // namespace orvanta
