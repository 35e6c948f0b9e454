#include "swf/swf_stream.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace orvanta {

TBasedSWFStream::TBasedSWFStream() = default;

TBasedSWFStream::TBasedSWFStream(int32_t XMin, int32_t YMin, int32_t XMax, int32_t YMax,
                                 double FPS, bool PixelUnits) {
  SetPixelUnits(PixelUnits);
  header_.FrameSize = TSWFRect(XMin * unitScale_, YMin * unitScale_, XMax * unitScale_,
                               YMax * unitScale_);
  header_.FrameRate = FloatToFixed8(FPS);
}

TBasedSWFStream::~TBasedSWFStream() = default;

void TBasedSWFStream::SetVersion(int V) {
  if (V < 6 && compressed_) V = 6;
  header_.Version = static_cast<uint8_t>(std::clamp(V, 0, 255));
  VersionChanged();
}

void TBasedSWFStream::SetCompressed(bool V) {
  compressed_ = V;
  if (V && header_.Version < 6) {
    header_.Version = 6;
    VersionChanged();
  }
}

double TBasedSWFStream::FPS() const { return Fixed8ToFloat(header_.FrameRate); }

void TBasedSWFStream::SetFPS(double X) {
  header_.FrameRate = FloatToFixed8(X);
  VersionChanged();
}

uint32_t TBasedSWFStream::HeaderSize() const {
  const TSWFRect& r = header_.FrameSize;
  unsigned n = SignedBitsCount(static_cast<int32_t>(
      std::min<uint32_t>(MaxAbs(r.Xmin(), r.Xmax(), r.Ymin(), r.Ymax()), INT32_MAX)));
  return (5 + 4 * n + 7) / 8 + 12;
}

void TBasedSWFStream::WriteHeader(TStream& Stream, int Part) const {
  TBitsEngine engine(Stream);
  if (Part == 0 || Part == 1) {
    engine.WriteBuffer(header_.Signature, 3);
    engine.WriteByte(header_.Version);
    engine.WriteDWord(header_.FileLength);
  }
  if (Part == 0 || Part == 2) {
    engine.WriteRect(header_.FrameSize);
    engine.WriteWord(header_.FrameRate);
    engine.WriteWord(header_.FrameCount);
  }
}

TMemoryStream& TBasedSWFStream::BodyStream() {
  if (!body_) {
    ownBody_ = std::make_unique<TMemoryStream>();
    body_ = ownBody_.get();
  }
  return *body_;
}

void TBasedSWFStream::SetBodyStream(TMemoryStream* Stream) {
  ownBody_.reset();
  body_ = Stream;
}

void TBasedSWFStream::SaveToStream(TStream& Stream) {
  TMemoryStream& body = BodyStream();
  header_.FileLength = static_cast<uint32_t>(body.Size() + HeaderSize());
  body.SetPosition(0);
  if (!compressed_) {
    std::copy_n("FWS", 3, header_.Signature);
    WriteHeader(Stream, 0);
    Stream.WriteBuffer(body.Bytes().data(), body.Bytes().size());
    return;
  }
  std::copy_n("CWS", 3, header_.Signature);
  if (header_.Version < 6) SetVersion(6);
  WriteHeader(Stream, 1);
  SaveCompressed(Stream, body);
}

void TBasedSWFStream::SaveCompressed(TStream& Stream, TMemoryStream& Body) {
  TMemoryStream headerTail;
  WriteHeader(headerTail, 2);

  z_stream z{};
  if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK)
    throw Error("cannot start zlib compression");
  struct Closer {
    z_stream* z;
    ~Closer() { deflateEnd(z); }
  } closer{&z};

  std::vector<uint8_t> out(256 * 1024);
  auto pump = [&](const uint8_t* data, size_t size, int flush) {
    z.next_in = const_cast<uint8_t*>(data);
    z.avail_in = static_cast<uInt>(size);
    do {
      z.next_out = out.data();
      z.avail_out = static_cast<uInt>(out.size());
      int rc = deflate(&z, flush);
      if (rc == Z_STREAM_ERROR) throw Error("zlib compression failed");
      Stream.WriteBuffer(out.data(), out.size() - z.avail_out);
    } while (z.avail_out == 0 || (flush == Z_FINISH && z.avail_in > 0));
  };

  pump(headerTail.Bytes().data(), headerTail.Bytes().size(), Z_NO_FLUSH);
  const std::vector<uint8_t>& body = Body.Bytes();
  const size_t chunk = 1 << 20;
  // The progress base leaves out the bytes of the header tail that share the stream.
  const double progressBase = std::max<double>(1.0, static_cast<double>(body.size()) - 22.0);
  for (size_t done = 0; done < body.size();) {
    size_t n = std::min(chunk, body.size() - done);
    pump(body.data() + done, n, Z_NO_FLUSH);
    done += n;
    if (OnProgress) OnProgress(std::min(100, static_cast<int>(std::lround(done / progressBase * 100))), 2);
  }
  pump(nullptr, 0, Z_FINISH);
}

void TBasedSWFStream::SaveToFile(const std::string& FileName) {
  std::remove(FileName.c_str());
  TFileStream file(FileName, TFileStream::Mode::Create);
  SaveToStream(file);
  file.Close();
}

}  // namespace orvanta
