#include "swf/tags_bitmap.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "swf/tags_data.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::BodyBytes;
using test::Bytes;
using test::Concat;
using test::ReadTag;
using test::TagBytes;

const Bytes kJPEG = {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x02, 0xFF, 0xD9};  // a complete stream
const Bytes kInner = {0xFF, 0xDB, 0x00, 0x02};  // the same without its markers

template <class T>
T& As(const std::unique_ptr<TSWFObject>& tag) {
  auto* typed = dynamic_cast<T*>(tag.get());
  EXPECT_NE(typed, nullptr);
  return *typed;
}

TEST(BitmapTags, FactoryMapsEveryCodeToItsClassAndVersion) {
  struct Row {
    uint16_t code;
    int version;
  };
  for (Row row :
       {Row{6, 1}, Row{8, 1}, Row{20, 2}, Row{21, 2}, Row{35, 3}, Row{36, 3}, Row{87, 1}}) {
    auto tag = CreateTagByCode(row.code);
    EXPECT_EQ(tag->TagID, row.code);
    EXPECT_EQ(tag->MinVersion(), row.version) << row.code;
    EXPECT_EQ(dynamic_cast<TSWFByteCodeTag*>(tag.get()), nullptr) << row.code;
  }
  EXPECT_NE(
      dynamic_cast<TSWFDefineBitsJPEG2*>(CreateTagByCode(ToCode(TTagCode::DefineBitsJPEG3)).get()),
      nullptr);
  EXPECT_NE(dynamic_cast<TSWFDefineBitsLossless*>(
                CreateTagByCode(ToCode(TTagCode::DefineBitsLossless2)).get()),
            nullptr);
}

TEST(BitmapTags, JPEGPayloadGetsItsMarkersBack) {
  TSWFDefineBits bits;
  bits.CharacterId = 0x0102;
  bits.Data = kJPEG;  // starts with a start marker: the erroneous header goes first
  EXPECT_EQ(BodyBytes(bits), Concat({{0x02, 0x01, 0xFF, 0xD9, 0xFF, 0xD8}, kJPEG}));

  TSWFDefineBitsJPEG2 jpeg2;
  jpeg2.CharacterId = 7;
  jpeg2.Data = kInner;  // wrapped in a start and an end marker
  EXPECT_EQ(TagBytes(jpeg2), Concat({{0x4A, 0x05, 0x07, 0x00}, kJPEG}));

  TSWFJPEGTables tables;
  EXPECT_TRUE(BodyBytes(tables).empty());
  tables.Data = kInner;
  EXPECT_EQ(BodyBytes(tables), kJPEG);
}

TEST(BitmapTags, ReadJPEGPayloadsDropTheirMarkers) {
  // The erroneous header: the four bytes go, the rest is the data.
  auto read =
      ReadTag(TTagCode::DefineBitsJPEG2, Concat({{0x05, 0x00, 0xFF, 0xD9, 0xFF, 0xD8}, kInner}));
  auto& jpeg2 = As<TSWFDefineBitsJPEG2>(read);
  EXPECT_EQ(jpeg2.CharacterId, 5);
  EXPECT_EQ(jpeg2.Data, kInner);
  EXPECT_EQ(BodyBytes(jpeg2), Concat({{0x05, 0x00}, kJPEG}));

  // A plain stream: both markers go and come back.
  for (uint16_t code : {6, 21}) {
    Bytes body = Concat({{0x09, 0x00}, kJPEG});
    auto tag = ReadTag(code, body);
    EXPECT_EQ(As<TSWFDefineBits>(tag).Data, kInner);
    EXPECT_EQ(BodyBytes(*tag), body);
  }
  auto tables = ReadTag(TTagCode::JPEGTables, kJPEG);
  EXPECT_EQ(As<TSWFJPEGTables>(tables).Data, kInner);
  EXPECT_EQ(BodyBytes(*tables), kJPEG);
}

TEST(BitmapTags, OtherPayloadsAreKeptWhole) {
  const Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 1, 2, 3, 4};
  const Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 1, 2};
  const Bytes cutShort = {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x02, 0x11};
  const Bytes doubleStart = {0xFF, 0xD8, 0xFF, 0xD8, 0x33, 0xFF, 0xD9};
  for (const Bytes& payload : {png, gif, cutShort, doubleStart, Bytes{0xFF}, Bytes{}}) {
    Bytes body = Concat({{0x03, 0x00}, payload});
    auto tag = ReadTag(TTagCode::DefineBitsJPEG2, body);
    EXPECT_EQ(As<TSWFDefineBits>(tag).Data, payload);
    EXPECT_EQ(BodyBytes(*tag), body);
  }
  // Handed over as data, PNG and GIF pictures are not wrapped either.
  TSWFDefineBitsJPEG2 tag;
  tag.Data = png;
  EXPECT_EQ(BodyBytes(tag), Concat({{0, 0}, png}));
}

TEST(BitmapTags, CallbackWritesThePayloadAlone) {
  TSWFDefineBitsJPEG2 tag;
  tag.CharacterId = 1;
  tag.Data = kInner;
  tag.OnDataWrite = [](TSWFObject&, TBitsEngine& e) { e.WriteByte(0xAB); };
  EXPECT_EQ(BodyBytes(tag), (Bytes{0x01, 0x00, 0xAB}));

  TSWFDefineBitsJPEG2 copy;
  copy.Assign(tag);
  EXPECT_EQ(BodyBytes(copy), (Bytes{0x01, 0x00, 0xAB}));
}

TEST(BitmapTags, JPEG3PatchesTheAlphaOffset) {
  TSWFDefineBitsJPEG3 tag;
  tag.CharacterId = 3;
  tag.Data.assign(1000, 0x55);
  tag.AlphaData = {0x78, 0x9C, 0x03, 0x00};
  Bytes body = BodyBytes(tag);
  ASSERT_EQ(body.size(), 2u + 4 + 1004 + 4);
  EXPECT_EQ(Bytes(body.begin(), body.begin() + 8),
            (Bytes{0x03, 0x00, 0xEC, 0x03, 0x00, 0x00, 0xFF, 0xD8}));
  EXPECT_EQ(tag.AlphaDataOffset, 1004u);
  EXPECT_EQ(Bytes(body.end() - 6, body.end()), (Bytes{0xFF, 0xD9, 0x78, 0x9C, 0x03, 0x00}));

  // Written inside a longer stream the patch lands in this tag, not at the stream's start.
  Bytes framed = test::Written([&](TBitsEngine& e) {
    e.WriteWord(0xEEEE);
    tag.WriteToStream(e);
  });
  EXPECT_EQ(Bytes(framed.begin() + 8, framed.begin() + 12), (Bytes{0x03, 0x00, 0xEC, 0x03}));

  auto read = ReadTag(TTagCode::DefineBitsJPEG3, body);
  auto& back = As<TSWFDefineBitsJPEG3>(read);
  EXPECT_EQ(back.AlphaDataOffset, 1004u);
  EXPECT_EQ(back.Data, tag.Data);
  EXPECT_EQ(back.AlphaData, tag.AlphaData);
  EXPECT_EQ(BodyBytes(back), body);

  // Callbacks for both parts.
  TSWFDefineBitsJPEG3 byCallback;
  byCallback.OnDataWrite = [](TSWFObject&, TBitsEngine& e) { e.WriteWord(0x0201); };
  byCallback.OnAlphaDataWrite = [](TSWFObject&, TBitsEngine& e) { e.WriteByte(9); };
  EXPECT_EQ(BodyBytes(byCallback), (Bytes{0, 0, 2, 0, 0, 0, 1, 2, 9}));
}

TEST(BitmapTags, JPEG3OffsetBeyondTheBodyFails) {
  EXPECT_THROW(
      ReadTag(TTagCode::DefineBitsJPEG3, Bytes({1, 0, 0x10, 0, 0, 0, 0xFF, 0xD8, 0xFF, 0xD9})),
      StreamError);
  EXPECT_THROW(ReadTag(TTagCode::DefineBitsJPEG3, Bytes({1, 0, 0xFF, 0xFF, 0xFF, 0xFF})),
               StreamError);
  EXPECT_THROW(ReadTag(TTagCode::DefineBitsJPEG3, Bytes({1, 0, 0})), StreamError);
}

TEST(BitmapTags, LosslessLayoutAndLongHeader) {
  TSWFDefineBitsLossless rgb;
  rgb.CharacterId = 2;
  rgb.BitmapFormat = 5;
  rgb.BitmapWidth = 0x0102;
  rgb.BitmapHeight = 3;
  rgb.BitmapColorTableSize = 77;  // not written outside format 3
  rgb.Data = {0xAA, 0xBB};
  // Always the long header, even for a 9-byte body.
  EXPECT_EQ(TagBytes(rgb), (Bytes{0x3F, 0x05, 9, 0, 0, 0, 2, 0, 5, 0x02, 0x01, 3, 0, 0xAA, 0xBB}));

  TSWFDefineBitsLossless2 mapped;
  mapped.CharacterId = 4;
  mapped.BitmapFormat = 3;
  mapped.BitmapWidth = 5;
  mapped.BitmapHeight = 1;
  mapped.BitmapColorTableSize = 6;
  mapped.Data = {0xCC};
  Bytes tag = TagBytes(mapped);
  EXPECT_EQ(tag, (Bytes{0x3F, 0x09, 9, 0, 0, 0, 4, 0, 3, 5, 0, 1, 0, 6, 0xCC}));

  auto read = ReadTag(TTagCode::DefineBitsLossless2, Bytes(tag.begin() + 6, tag.end()));
  auto& back = As<TSWFDefineBitsLossless2>(read);
  EXPECT_EQ(back.BitmapFormat, 3);
  EXPECT_EQ(back.BitmapWidth, 5);
  EXPECT_EQ(back.BitmapColorTableSize, 6);
  EXPECT_EQ(back.Data, Bytes{0xCC});

  TSWFDefineBitsLossless2 copy;
  copy.Assign(back);
  EXPECT_EQ(BodyBytes(copy), BodyBytes(back));

  EXPECT_THROW(ReadTag(TTagCode::DefineBitsLossless, Bytes({1, 0, 3, 5, 0, 1})), StreamError);
}

TEST(BinaryDataTag, LayoutAndReservedWord) {
  TSWFDefineBinaryData tag;
  tag.Tag = 0x0304;
  tag.Data = {1, 2, 3};
  Bytes body = BodyBytes(tag);
  EXPECT_EQ(body, (Bytes{0x04, 0x03, 0, 0, 0, 0, 1, 2, 3}));

  // A value some tools keep in the reserved word survives a read and write.
  body[2] = 1;
  auto read = ReadTag(TTagCode::DefineBinaryData, body);
  auto& back = As<TSWFDefineBinaryData>(read);
  EXPECT_EQ(back.Tag, 0x0304);
  EXPECT_EQ(back.Reserved, 1u);
  EXPECT_EQ(back.Data, (Bytes{1, 2, 3}));
  EXPECT_EQ(BodyBytes(back), body);

  EXPECT_THROW(ReadTag(TTagCode::DefineBinaryData, Bytes({1, 0, 0})), StreamError);
}

}  // namespace
}  // namespace orvanta
