#include "media/adpcm.h"

#include <gtest/gtest.h>

#include "media/sound_test_util.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::Bytes;
using test::DecodeSWFADPCM;
using test::Music;
using test::SnrDecibels;

Bytes Encode(const std::vector<int16_t>& samples, int bits, int channels) {
  return test::Written([&](TBitsEngine& e) { EncodeADPCM(e, samples, bits, channels); });
}

// Code size, then per packet 22 header bits per channel, and a code for every other sample.
size_t ExpectedBytes(size_t frames, int bits, int channels) {
  size_t packets = (frames + 4095) / 4096;
  size_t bitCount = 2 + packets * 22 * channels + (frames - packets) * channels * bits;
  return (bitCount + 7) / 8;
}

TEST(SWFADPCM, DecodesBackWithinWhatEachBitDepthAllows) {
  // Quality floors in dB for a tone and a sweep at 22 kHz: each extra bit buys about 6 dB, and
  // a wrong step or index rule costs far more than the margin of about 4 dB left here.
  const double floors[] = {20, 26, 32, 38};
  for (int channels : {1, 2}) {
    const size_t frames = 3 * 4096 + 1000;
    std::vector<int16_t> source = Music(frames, channels, 22050);
    double previous = 0;
    for (int bits = 2; bits <= 5; ++bits) {
      Bytes data = Encode(source, bits, channels);
      ASSERT_EQ(data.size(), ExpectedBytes(frames, bits, channels)) << bits;
      EXPECT_EQ(data[0] >> 6, bits - 2);
      std::vector<int16_t> decoded = DecodeSWFADPCM(data, channels, frames);
      double snr = SnrDecibels(source, decoded);
      EXPECT_GE(snr, floors[bits - 2]) << bits << " bits, " << channels << " channels";
      EXPECT_GT(snr, previous + 3) << bits;
      previous = snr;
    }
  }
}

TEST(SWFADPCM, EveryPacketStartsWithTheSourceSampleAndErrorsDoNotCarryOver) {
  // The first sample of each packet jumps far from the rest: a decoder must land on the signal
  // right after it, not stay offset by the jump for the whole packet.
  const size_t frames = 2 * 4096 + 500;
  std::vector<int16_t> source(frames * 2);
  for (size_t i = 0; i < frames; ++i) {
    source[2 * i] = i % 4096 == 0 ? -12000 : 12000;
    source[2 * i + 1] = static_cast<int16_t>(i % 4096 == 0 ? 20000 : -3000);
  }
  std::vector<int16_t> decoded = DecodeSWFADPCM(Encode(source, 4, 2), 2, frames);
  for (size_t start : {size_t{0}, size_t{4096}, size_t{8192}}) {
    EXPECT_EQ(decoded[2 * start], source[2 * start]);
    EXPECT_EQ(decoded[2 * start + 1], source[2 * start + 1]);
    double error = 0;
    size_t end = std::min(frames, start + 4096);
    for (size_t i = start + 200; i < end; ++i)
      error += std::abs(decoded[2 * i] - source[2 * i]) +
               std::abs(decoded[2 * i + 1] - source[2 * i + 1]);
    EXPECT_LT(error / (2.0 * (end - start - 200)), 100) << "packet at " << start;
  }
}

TEST(SWFADPCM, PiecesEncodeLikeOneCall) {
  const size_t frames = 10000;
  std::vector<int16_t> source = Music(frames, 2, 44100);
  Bytes whole = Encode(source, 3, 2);
  Bytes pieces = test::Written([&](TBitsEngine& e) {
    TSWFADPCMEncoder encoder(e, 3, 2);
    for (size_t at = 0; at < frames; at += 1000)
      encoder.Encode(source.data() + at * 2, std::min<size_t>(1000, frames - at));
    encoder.Finish();
  });
  EXPECT_EQ(pieces, whole);
}

TEST(SWFADPCM, ExtremesStayInRangeAndTinySoundsAreWellFormed) {
  std::vector<int16_t> square(5000);
  for (size_t i = 0; i < square.size(); ++i) square[i] = (i / 20) % 2 ? 32767 : -32768;
  std::vector<int16_t> decoded = DecodeSWFADPCM(Encode(square, 5, 1), 1, square.size());
  // Slewing limits the quality on full-scale jumps; a wrapped predictor would make it negative.
  EXPECT_GT(SnrDecibels(square, decoded), 5);

  // One sample: code size, the sample, index 0, padding.
  Bytes one = Encode({0x1234}, 4, 1);
  EXPECT_EQ(one, (Bytes{0x80 | (0x12 >> 2), static_cast<uint8_t>((0x12 << 6) | (0x34 >> 2)),
                        static_cast<uint8_t>(0x34 << 6)}));
  // Nothing at all is still a stream: the code size alone.
  EXPECT_EQ(Encode({}, 2, 1), (Bytes{0x00}));
  // Out-of-range depths are clamped to what the format has.
  EXPECT_EQ(Encode({}, 9, 1), (Bytes{0xC0}));
}

// MS-ADPCM.

TEST(MSADPCM, DecodesHeaderSamplesThenNibblesHighFirst) {
  TMSADPCMFormat format;
  format.Channels = 1;
  format.Coefficients = StandardMSADPCMCoefficients();
  // Pair 0 (256, 0), delta 16, sample1 100, sample2 50; codes +1 then -1.
  Bytes block = {0x00, 16, 0, 100, 0, 50, 0, 0x1F};
  std::vector<int16_t> out;
  ASSERT_EQ(DecodeMSADPCM(format, block, out), 4u);
  // 100 + 16 = 116, then 116 - 16 = 100 (delta stays at its floor of 16).
  EXPECT_EQ(out, (std::vector<int16_t>{50, 100, 116, 100}));

  // Pair 1 (512, -256) predicts 2 × sample1 - sample2: code 7 with delta 100 adds 700 to 30,
  // then code 0 keeps the prediction 2 × 730 - 20.
  out.clear();
  Bytes pair1 = {0x01, 100, 0, 20, 0, 10, 0, 0x70};
  ASSERT_EQ(DecodeMSADPCM(format, pair1, out), 4u);
  EXPECT_EQ(out, (std::vector<int16_t>{10, 20, 30 + 700, 2 * 730 - 20}));
}

TEST(MSADPCM, StereoNibblesAlternateLeftRight) {
  TMSADPCMFormat format;
  format.Channels = 2;
  format.Coefficients = StandardMSADPCMCoefficients();
  Bytes block = {0,   0,         // predictors
                 16,  0, 32, 0,  // deltas
                 1,   0, 2,  0,  // sample1 left, right
                 3,   0, 4,  0,  // sample2 left, right
                 0x21};          // left +2, right +1
  std::vector<int16_t> out;
  ASSERT_EQ(DecodeMSADPCM(format, block, out), 3u);
  EXPECT_EQ(out, (std::vector<int16_t>{3, 4, 1, 2, 1 + 32, 2 + 32}));
}

TEST(MSADPCM, HostileBlocksNeitherCrashNorOverflow) {
  TMSADPCMFormat format;
  format.Channels = 1;
  format.Coefficients = StandardMSADPCMCoefficients();
  std::vector<int16_t> out;
  EXPECT_EQ(DecodeMSADPCM(format, Bytes{0, 1, 2}, out), 0u);
  EXPECT_THROW(DecodeMSADPCM(format, Bytes{7, 16, 0, 0, 0, 0, 0, 0x11}, out), FormatError);

  // Huge coefficients and a delta that keeps growing: samples saturate, nothing overflows.
  format.Coefficients = {{-32768, -32768}};
  Bytes wild = {0, 0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80};
  wild.resize(7 + 4000, 0x77);
  out.clear();
  ASSERT_EQ(DecodeMSADPCM(format, wild, out), 8002u);
  for (int16_t s : out) EXPECT_TRUE(s >= -32768 && s <= 32767);
}

}  // namespace
}  // namespace orvanta
