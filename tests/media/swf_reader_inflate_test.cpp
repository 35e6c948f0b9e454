// Loading compressed movies: the header tail and the body come out of one zlib or LZMA stream,
// read in place from memory or in chunks from other streams.
#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <filesystem>

#include "media/swf_reader.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"
#include "test_util.h"
#include "zws_util.h"

namespace orvanta {
namespace {

using test::Bytes;
using test::Concat;

Bytes U32(uint32_t v) {
  return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
          static_cast<uint8_t>(v >> 24)};
}

Bytes Deflate(const Bytes& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  Bytes out(size);
  EXPECT_EQ(compress(out.data(), &size, data.data(), static_cast<uLong>(data.size())), Z_OK);
  out.resize(size);
  return out;
}

// A CWS file: frame rectangle, rate 12, one frame, then body.
Bytes Cws(const TSWFRect& frame, const Bytes& body) {
  Bytes rect = test::Written([&](TBitsEngine& e) { e.WriteRect(frame); });
  Bytes tail = Concat({rect, {0x00, 0x0C, 0x01, 0x00}, body});
  return Concat({{'C', 'W', 'S', 10}, U32(static_cast<uint32_t>(8 + tail.size())), Deflate(tail)});
}

// A ZWS file of the same movie.
Bytes Zws(const TSWFRect& frame, const Bytes& body, uint32_t dictSize = 0) {
  Bytes rect = test::Written([&](TBitsEngine& e) { e.WriteRect(frame); });
  Bytes tail = Concat({rect, {0x00, 0x0C, 0x01, 0x00}, body});
  return test::ZwsFromFws(
      Concat({{'F', 'W', 'S', 10}, U32(static_cast<uint32_t>(8 + tail.size())), tail}), dictSize);
}

using Maker = Bytes (*)(const TSWFRect&, const Bytes&);
const Maker kMakers[] = {Cws, [](const TSWFRect& f, const Bytes& b) { return Zws(f, b); }};

// Bytes that deflate poorly, so the compressed data spans many input chunks.
Bytes Noise(size_t size) {
  Bytes out(size);
  uint32_t state = 12345;
  for (uint8_t& b : out) {
    state = state * 1664525u + 1013904223u;
    b = static_cast<uint8_t>(state >> 24);
  }
  return out;
}

// A file on disk, so that loading goes through the chunked path rather than reading in place.
class TempFile {
 public:
  explicit TempFile(const Bytes& data)
      : path_(std::filesystem::temp_directory_path() /
              ("orvanta_inflate_" + std::to_string(::getpid()) + "_" + std::to_string(next_++))) {
    WriteWholeFile(path_.string(), data);
  }
  ~TempFile() { std::filesystem::remove(path_); }
  std::string Name() const { return path_.string(); }

 private:
  static inline int next_ = 0;
  std::filesystem::path path_;
};

TEST(SwfReaderInflate, MemoryViewAndFileStreamsLoadTheSameMovie) {
  // Header tails from the shortest (an empty rectangle: 5 bytes, less than the whole body here
  // and, with an empty body, than the largest tail) to the longest (31-bit fields: 21 bytes);
  // bodies from nothing to several input chunks and output slices.
  const TSWFRect empty(0, 0, 0, 0);
  const TSWFRect widest(-1000000000, -1000000000, 1000000000, 1000000000);
  const TSWFRect usual(0, 0, 11000, 8000);
  struct Case {
    const char* Name;
    TSWFRect Frame;
    Bytes Body;
  };
  const Case cases[] = {
      {"empty rect, no body", empty, {}},
      {"empty rect, short body", empty, {0x40, 0x00, 0x00, 0x00}},
      {"widest rect, no body", widest, {}},
      {"widest rect, short body", widest, {0x40, 0x00, 0x00, 0x00}},
      {"usual rect, large body", usual, Concat({Noise(700000), Bytes(300000, 0x11)})},
  };
  for (const Case& c : cases)
    for (Maker make : kMakers) {
      SCOPED_TRACE(c.Name);
      const Bytes file = make(c.Frame, c.Body);
      const TSWFCompression kind = file[0] == 'Z' ? TSWFCompression::Lzma : TSWFCompression::Zlib;

      TMemoryStream memory(file);
      TSWFStreamReader fromMemory(memory);
      TMemoryViewStream view(file);
      TSWFStreamReader fromView(view);
      TempFile disk(file);
      TSWFStreamReader fromFile(disk.Name());

      for (TSWFStreamReader* reader : {&fromMemory, &fromView, &fromFile}) {
        EXPECT_TRUE(reader->Compressed());
        EXPECT_EQ(reader->Compression(), kind);
        EXPECT_EQ(reader->Header().Version, 10);
        EXPECT_EQ(reader->Header().FrameSize, c.Frame);
        EXPECT_EQ(reader->Header().FrameRate, 0x0C00);
        EXPECT_EQ(reader->Header().FrameCount, 1);
        EXPECT_TRUE(reader->BodyStream().Bytes() == c.Body);
        EXPECT_EQ(reader->BodyStream().Position(), 0u);
      }
    }
}

TEST(SwfReaderInflate, ReadingInPlaceStopsAfterTheCompressedData) {
  // Whatever follows the zlib or LZMA stream is left for the caller.
  for (Maker make : kMakers) {
    const Bytes movie = make(TSWFRect(0, 0, 20, 20), {0x40, 0x00, 0x00, 0x00});
    const Bytes file = Concat({movie, {0xAB, 0xCD}});
    TMemoryViewStream view(file);
    TSWFStreamReader reader(view);
    EXPECT_EQ(view.Position(), movie.size());
    EXPECT_EQ(TBitsEngine(view).ReadWord(), 0xCDAB);
  }
}

TEST(SwfReaderInflate, EveryStreamReportsCutAndLyingData) {
  const Bytes body = Concat({Noise(200000), {0x40, 0x00, 0x00, 0x00}});
  const Bytes good = Cws(TSWFRect(0, 0, 11000, 8000), body);
  // Cut inside the body, and cut inside the header tail.
  const Bytes cutBody(good.begin(), good.begin() + static_cast<ptrdiff_t>(good.size() / 2));
  // A whole zlib stream one byte shorter than the header declares.
  const Bytes lying = Concat({Bytes(good.begin(), good.begin() + 4),
                              U32(static_cast<uint32_t>(8 + 13 + body.size() + 1)),
                              Bytes(good.begin() + 8, good.end())});
  const Bytes tinyTail = Concat({{'C', 'W', 'S', 10}, U32(8 + 3), Deflate({0x78, 0x00, 0x05})});

  for (const Bytes* file : {&cutBody, &lying, &tinyTail}) {
    TMemoryViewStream view(*file);
    EXPECT_THROW(TSWFStreamReader{view}, StreamError);
    TempFile disk(*file);
    EXPECT_THROW(TSWFStreamReader{disk.Name()}, StreamError);
  }
}

TEST(SwfReaderInflate, HostileLzmaIsRefusedWithinBounds) {
  const TSWFRect frame(0, 0, 11000, 8000);
  const Bytes body = Concat({Noise(100000), {0x40, 0x00, 0x00, 0x00}});
  const Bytes good = Zws(frame, body);
  auto withU32 = [&](size_t at, uint32_t value) {
    return Concat({Bytes(good.begin(), good.begin() + static_cast<ptrdiff_t>(at)), U32(value),
                   Bytes(good.begin() + static_cast<ptrdiff_t>(at + 4), good.end())});
  };
  const uint32_t packed = static_cast<uint32_t>(good.size() - 17);
  struct Case {
    const char* Name;
    Bytes File;
    bool Corrupt;  // FormatError, else StreamError
  };
  const Case cases[] = {
      {"cut inside the data", Bytes(good.begin(), good.begin() + 5000), false},
      {"cut inside the LZMA header", Bytes(good.begin(), good.begin() + 14), false},
      {"file length one past the data", withU32(4, static_cast<uint32_t>(good.size() + 200000)),
       false},
      {"file length past the accepted limit", withU32(4, 0xFFFFFFFF), true},
      {"data length shorter than the data", withU32(8, packed / 2), false},
      {"invalid properties",
       Concat(
           {Bytes(good.begin(), good.begin() + 12), {0xFF}, Bytes(good.begin() + 13, good.end())}),
       true},
      {"garbage data", Concat({Bytes(good.begin(), good.begin() + 17), Bytes(packed, 0xFF)}), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TMemoryViewStream view(c.File);
    if (c.Corrupt)
      EXPECT_THROW(TSWFStreamReader{view}, FormatError);
    else
      EXPECT_THROW(TSWFStreamReader{view}, StreamError);
  }

  // A data length past the end of the file is only a bound: the data there still decodes. So
  // does a dictionary claimed at 4 GiB, which is cut to the body's length rather than allocated.
  for (const Bytes& file : {withU32(8, packed + 1000), Zws(frame, body, 0xFFFFFFFF)}) {
    TMemoryViewStream view(file);
    TSWFStreamReader reader(view);
    EXPECT_TRUE(reader.BodyStream().Bytes() == body);
  }
}

}  // namespace
}  // namespace orvanta
