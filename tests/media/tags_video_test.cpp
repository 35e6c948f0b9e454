#include "media/tags_video.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::Bytes;
using test::Concat;
using test::ReadTag;
using test::TagBytes;

TEST(DefineVideoStream, AlwaysTakesTheLongHeader) {
  TSWFDefineVideoStream video;
  video.CharacterID = 0x1234;
  video.NumFrames = 300;
  video.Width = 320;
  video.Height = 240;
  video.VideoFlagsDeblocking = 2;
  video.VideoFlagsSmoothing = true;
  video.CodecID = 2;
  Bytes body = {0x34, 0x12, 0x2C, 0x01, 0x40, 0x01, 0xF0, 0x00, 0x05, 0x02};
  EXPECT_EQ(TagBytes(video), Concat({{0x3F, 0x0F, 10, 0, 0, 0}, body}));
  EXPECT_EQ(video.BodySize, 10u);

  auto read = ReadTag(TTagCode::DefineVideoStream, body);
  auto* stream = dynamic_cast<TSWFDefineVideoStream*>(read.get());
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->CharacterID, 0x1234);
  EXPECT_EQ(stream->NumFrames, 300);
  EXPECT_EQ(stream->Width, 320);
  EXPECT_EQ(stream->Height, 240);
  EXPECT_EQ(stream->VideoFlagsDeblocking, 2);
  EXPECT_TRUE(stream->VideoFlagsSmoothing);
  EXPECT_EQ(stream->CodecID, 2);

  TSWFDefineVideoStream copy;
  copy.Assign(*stream);
  EXPECT_EQ(TagBytes(copy), TagBytes(video));
}

TEST(DefineVideoStream, FlagBitsStayInTheirFieldsAndVersionFollowsCodec) {
  TSWFDefineVideoStream video;
  video.VideoFlagsDeblocking = 0xFF;  // only three bits fit
  Bytes bytes = TagBytes(video);
  EXPECT_EQ(bytes[6 + 8], 0x0E);

  EXPECT_EQ(video.MinVersion(), 6);
  video.CodecID = 3;
  EXPECT_EQ(video.MinVersion(), 7);
  video.CodecID = 4;
  EXPECT_EQ(video.MinVersion(), 6);

  EXPECT_THROW(ReadTag(TTagCode::DefineVideoStream, Bytes(9, 0)), StreamError);
}

TEST(VideoFrame, CarriesStoredBytesOrWhatTheCallbackWrites) {
  TSWFVideoFrame frame;
  frame.StreamID = 7;
  frame.FrameNum = 0x0102;
  frame.Data = {0xAA, 0xBB, 0xCC};
  EXPECT_EQ(TagBytes(frame), (Bytes{0x47, 0x0F, 7, 0, 0x02, 0x01, 0xAA, 0xBB, 0xCC}));
  EXPECT_EQ(frame.MinVersion(), 6);

  frame.OnDataWrite = [](TSWFObject&, TBitsEngine& engine) {
    for (int i = 0; i < 70; ++i) engine.WriteByte(static_cast<uint8_t>(i));
  };
  Bytes bytes = TagBytes(frame);
  ASSERT_EQ(bytes.size(), 6 + 4 + 70u);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 10), (Bytes{0x7F, 0x0F, 74, 0, 0, 0, 7, 0, 2, 1}));
  EXPECT_EQ(bytes.back(), 69);

  TSWFVideoFrame copy;
  copy.Assign(frame);
  EXPECT_EQ(TagBytes(copy), bytes);
}

TEST(VideoFrame, ReadKeepsTheRestOfTheBodyAsVideoData) {
  Bytes body = {3, 0, 9, 0, 1, 2, 3, 4, 5};
  auto read = ReadTag(TTagCode::VideoFrame, body);
  auto* frame = dynamic_cast<TSWFVideoFrame*>(read.get());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->StreamID, 3);
  EXPECT_EQ(frame->FrameNum, 9);
  EXPECT_EQ(frame->Data, (Bytes{1, 2, 3, 4, 5}));
  EXPECT_EQ(test::BodyBytes(*frame), body);

  auto empty = ReadTag(TTagCode::VideoFrame, Bytes{3, 0, 9, 0});
  EXPECT_TRUE(dynamic_cast<TSWFVideoFrame&>(*empty).Data.empty());

  EXPECT_THROW(ReadTag(TTagCode::VideoFrame, Bytes{3, 0, 9}), FormatError);

  // A declared length longer than the body must not be trusted.
  TSWFVideoFrame lying;
  lying.BodySize = 0xFFFFFFF0;
  TMemoryStream stream(body);
  TBitsEngine engine(stream);
  EXPECT_THROW(lying.ReadFromStream(engine), StreamError);
  EXPECT_TRUE(lying.Data.empty());
}

}  // namespace
}  // namespace orvanta
