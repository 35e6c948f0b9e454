#include "swf/bits_engine.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/errors.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::Bytes;
using test::Written;

TEST(BitHelpers, CountBits) {
  EXPECT_EQ(BitsCount(0), 0u);
  EXPECT_EQ(BitsCount(1), 1u);
  EXPECT_EQ(BitsCount(255), 8u);
  EXPECT_EQ(BitsCount(256), 9u);
  EXPECT_EQ(BitsCount(0x80000000u), 32u);
  EXPECT_EQ(SignedBitsCount(0), 0u);
  EXPECT_EQ(SignedBitsCount(1), 2u);
  EXPECT_EQ(SignedBitsCount(-1), 2u);
  EXPECT_EQ(SignedBitsCount(255), 9u);
  EXPECT_EQ(SignedBitsCount(-256), 10u);
  EXPECT_EQ(SignedBitsCount(-8), 5u);
  EXPECT_EQ(SignedBitsCount(8), 5u);
  EXPECT_EQ(MaxAbs(-7, 3, 2, -9), 9u);
}

TEST(BitHelpers, FixedPoint) {
  EXPECT_EQ(FloatToFixed(1.0), 65536);
  EXPECT_EQ(FloatToFixed(-1.5), -98304);
  EXPECT_EQ(FloatToFixed(1e12), std::numeric_limits<int32_t>::max());
  EXPECT_DOUBLE_EQ(FixedToFloat(32768), 0.5);
  EXPECT_EQ(FloatToFixed8(12), 0x0C00);
  EXPECT_EQ(FloatToFixed8(25.5), 0x1980);
  EXPECT_EQ(FloatToFixed8(0.5), 0x0080);
  EXPECT_DOUBLE_EQ(Fixed8ToFloat(0x1980), 25.5);
  EXPECT_DOUBLE_EQ(Fixed8ToFloat(0xFF80), 255.5);
}

TEST(BitsEngineWrite, BitFieldsPackMostSignificantFirst) {
  EXPECT_EQ(Written([](TBitsEngine& e) {
              e.WriteBits(5, 3);
              e.WriteBits(1, 1);
              e.FlushBits(true);
            }),
            Bytes{0xB0});
  // A field straddling five bytes.
  EXPECT_EQ(Written([](TBitsEngine& e) {
              e.WriteBits(1, 1);
              e.WriteBits(0xFFFFFFFF, 32);
              e.FlushBits(true);
            }),
            (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x80}));
  EXPECT_EQ(Written([](TBitsEngine& e) { e.WriteSBits(-1, 4); e.FlushBits(); }), Bytes{0xF0});
  // Unpadded flush drops the pending bits.
  EXPECT_EQ(Written([](TBitsEngine& e) { e.WriteBits(7, 3); e.FlushBits(false); e.WriteByte(1); }),
            Bytes{0x01});
}

TEST(BitsEngineWrite, ByteAfterPendingBitsStraddlesButWordAligns) {
  EXPECT_EQ(Written([](TBitsEngine& e) {
              e.WriteBits(7, 3);
              e.WriteByte(0xFF);
              e.FlushBits();
            }),
            (Bytes{0xFF, 0xE0}));
  EXPECT_EQ(Written([](TBitsEngine& e) {
              e.WriteBits(7, 3);
              e.WriteWord(0x1234);
            }),
            (Bytes{0xE0, 0x34, 0x12}));
  EXPECT_EQ(Written([](TBitsEngine& e) { e.WriteBits(1, 1); e.WriteDWord(0x01020304); }),
            (Bytes{0x80, 4, 3, 2, 1}));
}

TEST(BitsEngineWrite, Integers) {
  EXPECT_EQ(Written([](TBitsEngine& e) { e.WriteUI24(0x112233); }), (Bytes{0x33, 0x22, 0x11}));
  EXPECT_EQ(Written([](TBitsEngine& e) { e.WriteRawDWord(0xAABBCCDD); }),
            (Bytes{0xDD, 0xCC, 0xBB, 0xAA}));
  EXPECT_EQ(Written([](TBitsEngine& e) { e.WriteFixed(1.5); }), (Bytes{0, 0x80, 1, 0}));
  EXPECT_EQ(Written([](TBitsEngine& e) { e.WriteSingle(1.0f); }), (Bytes{0, 0, 0x80, 0x3F}));
  EXPECT_EQ(Written([](TBitsEngine& e) { e.WriteDouble(1.0); }),
            (Bytes{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
}

TEST(BitsEngineWrite, EncodedU32) {
  auto encoded = [](uint32_t v) { return Written([&](TBitsEngine& e) { e.WriteEncodedU32(v); }); };
  EXPECT_EQ(encoded(0), Bytes{0x00});
  EXPECT_EQ(encoded(127), Bytes{0x7F});
  EXPECT_EQ(encoded(128), (Bytes{0x80, 0x01}));
  EXPECT_EQ(encoded(16384), (Bytes{0x80, 0x80, 0x01}));
  EXPECT_EQ(encoded(0xFFFFFFFF), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x0F}));
  for (uint32_t v : {0u, 1u, 127u, 128u, 300u, 16384u, 0x0FFFFFFFu, 0xFFFFFFFFu}) {
    TMemoryStream s(encoded(v));
    TBitsEngine e(s);
    EXPECT_EQ(e.ReadEncodedU32(), v);
  }
}

TEST(BitsEngineWrite, Strings) {
  EXPECT_EQ(Written([](TBitsEngine& e) { e.WriteString("ab"); }), (Bytes{'a', 'b', 0}));
  EXPECT_EQ(Written([](TBitsEngine& e) { e.WriteString("ab", false); }), (Bytes{'a', 'b'}));
  // cp1252 0xE9 (e acute) and 0x80 (euro) become UTF-8.
  EXPECT_EQ(Written([](TBitsEngine& e) { e.WriteString("\xE9\x80", true, true); }),
            (Bytes{0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0}));
  EXPECT_EQ(Written([](TBitsEngine& e) { e.WriteLengthString("xyz"); }),
            (Bytes{3, 'x', 'y', 'z'}));
}

TEST(BitsEngineWrite, Records) {
  EXPECT_EQ(Written([](TBitsEngine& e) { e.WriteRect(TSWFRect()); }), Bytes{0x00});
  EXPECT_EQ(Written([](TBitsEngine& e) { e.WriteMatrix(TSWFMatrix()); }), Bytes{0x00});
  TSWFMatrix m;
  m.TranslateX = 100;
  EXPECT_EQ(Written([&](TBitsEngine& e) { e.WriteMatrix(m); }), (Bytes{0x10, 0xC8, 0x00}));
  TSWFColorTransform none;
  EXPECT_EQ(Written([&](TBitsEngine& e) { e.WriteColorTransform(none); }), Bytes{0x00});
  // The frame rectangle of a 550x400 movie as every SWF tool writes it.
  TSWFRect frame(0, 0, 11000, 8000);
  EXPECT_EQ(Written([&](TBitsEngine& e) { e.WriteRect(frame); }),
            (Bytes{0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F, 0xA0, 0x00}));
}

TEST(BitsEngineWrite, ColorTransformWidthComesFromTheLargestTerm) {
  TSWFColorTransform c;
  c.SetRedMult(256);
  c.SetGreenMult(256);
  c.SetBlueMult(256);
  Bytes b = Written([&](TBitsEngine& e) { e.WriteColorTransform(c); });
  // Flags 01, n = 10, three 10-bit terms: 2 + 4 + 30 = 36 bits.
  ASSERT_EQ(b.size(), 5u);
  EXPECT_EQ(b[0] >> 6, 1);
  EXPECT_EQ((b[0] >> 2) & 0xF, 10);
}

TEST(BitsEngineRoundTrip, RecordsReadBackAsWritten) {
  TSWFMatrix m;
  m.SetRotate(30);
  m.SetTranslate(-1234, 5678);
  TSWFColorTransform c;
  c.SetAdd(-255, 10, 0, 100);
  c.SetMult(128, 256, 0, 64);
  TSWFRect r(-20, -40, 8000, 6000);
  Bytes b = Written([&](TBitsEngine& e) {
    e.WriteMatrix(m);
    e.WriteColorTransform(c);
    e.WriteRect(r);
    e.WriteBits(5, 3);
    e.FlushBits();
  });
  TMemoryStream s(b);
  TBitsEngine e(s);
  EXPECT_EQ(e.ReadMatrix(), m);
  EXPECT_EQ(e.ReadColorTransform(true), c);
  EXPECT_EQ(e.ReadRect(), r);
  EXPECT_EQ(e.ReadBits(3), 5u);
}

TEST(BitsEngineRead, ScalarsAndStrings) {
  Bytes data{0xFF, 0x34, 0x12, 0x12, 0x34, 'h', 'i', 0, 'a', 'b', 'c', 2, 'o', 'k'};
  TMemoryStream s(data);
  TBitsEngine e(s);
  EXPECT_EQ(e.ReadSBits(4), -1);
  EXPECT_EQ(e.ReadBits(4), 15u);
  EXPECT_EQ(e.ReadWord(), 0x1234);
  EXPECT_EQ(e.ReadWordBE(), 0x1234);
  EXPECT_EQ(e.ReadString(), "hi");
  EXPECT_EQ(e.ReadFixedString(3), "abc");
  EXPECT_EQ(e.ReadLengthString(true), "ok");
  EXPECT_EQ(e.ReadBits(0), 0u);
}

TEST(BitsEngineRead, PastTheEndRaisesInsteadOfReading) {
  auto fails = [](Bytes data, const std::function<void(TBitsEngine&)>& read) {
    TMemoryStream s(std::move(data));
    TBitsEngine e(s);
    EXPECT_THROW(read(e), StreamError);
  };
  fails({}, [](TBitsEngine& e) { e.ReadByte(); });
  fails({1}, [](TBitsEngine& e) { e.ReadWord(); });
  fails({1, 2, 3}, [](TBitsEngine& e) { e.ReadDWord(); });
  fails({'a', 'b'}, [](TBitsEngine& e) { e.ReadString(); });
  fails({0xFF, 0xFF}, [](TBitsEngine& e) { e.ReadEncodedU32(); });
  fails({0xFF, 0xFF, 0xFF, 0xFF, 0x0F}, [](TBitsEngine& e) { e.ReadLengthString(true); });
  fails({0xF8}, [](TBitsEngine& e) { e.ReadRect(); });
  fails({0x80}, [](TBitsEngine& e) { e.ReadBits(9); });
}

}  // namespace
}  // namespace orvanta
