#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "swf/swf_records.h"

namespace orvanta {

class TStream;
class TMemoryStream;

// The SWF file header record.
struct SWFHeader {
  char Signature[3] = {'F', 'W', 'S'};
  uint8_t Version = 5;
  uint32_t FileLength = 0;  // header length plus uncompressed body length
  TSWFRect FrameSize;       // twips
  uint16_t FrameRate = 0;   // 8.8 fixed point
  uint16_t FrameCount = 0;
};

// Reports progress of long work: Percent 0..100; Phase 1 while objects are serialised, 2 while
// the output is compressed.
using TProgressEvent = std::function<void(int Percent, int Phase)>;

// Holds the header and the body of a SWF file and writes them out; the movie document and the
// reader derive from it and give the body its meaning.
class TBasedSWFStream {
 public:
  TBasedSWFStream();
  TBasedSWFStream(int32_t XMin, int32_t YMin, int32_t XMax, int32_t YMax, double FPS,
                  bool PixelUnits);
  virtual ~TBasedSWFStream();
  TBasedSWFStream(const TBasedSWFStream&) = delete;
  TBasedSWFStream& operator=(const TBasedSWFStream&) = delete;

  const SWFHeader& Header() const { return header_; }
  int Version() const { return header_.Version; }
  // Stores V, or 6 when V < 6 while Compressed is set.
  void SetVersion(int V);
  bool Compressed() const { return compressed_; }
  // Compression needs version 6: switching it on raises a lower version.
  void SetCompressed(bool V);
  double FPS() const;
  void SetFPS(double X);
  uint16_t FrameCount() const { return header_.FrameCount; }
  void SetFrameCount(uint16_t N) { header_.FrameCount = N; }
  const TSWFRect& FrameSize() const { return header_.FrameSize; }
  void SetFrameSize(const TSWFRect& R) { header_.FrameSize = R; }
  bool PixelUnits() const { return unitScale_ == 20; }
  void SetPixelUnits(bool V) { unitScale_ = V ? 20 : 1; }
  // 20 with pixel units, else 1: every builder coordinate is multiplied by it.
  uint8_t UnitScale() const { return unitScale_; }

  // The header length: ceil((5 + 4n) / 8) + 12 bytes for an n-bit frame rectangle.
  uint32_t HeaderSize() const;
  // Part 0: the whole header; 1: Signature, Version and FileLength; 2: FrameSize, FrameRate and
  // FrameCount.
  void WriteHeader(TStream& Stream, int Part) const;

  // The tags that follow the header; created on first use.
  TMemoryStream& BodyStream();
  // Uses a caller's stream as the body; the caller keeps ownership.
  void SetBodyStream(TMemoryStream* Stream);

  TProgressEvent OnProgress;

  // Writes the header and BodyStream as FWS, or as CWS when Compressed.
  void SaveToStream(TStream& Stream);
  // Replaces any existing file of that name.
  void SaveToFile(const std::string& FileName);

  // Index in the object list of the N-th ShowFrame (counting from 1).
  virtual int FramePosition(int N) = 0;
  // Serialises the content into BodyStream; returns the resulting version.
  virtual int MakeData() = 0;
  virtual void MoveResource(int DestFrame, int FromFrame, int ToFrame) = 0;

 protected:
  virtual void VersionChanged() {}
  SWFHeader header_;

 private:
  void SaveCompressed(TStream& Stream, TMemoryStream& Body);
  bool compressed_ = false;
  uint8_t unitScale_ = 1;
  std::unique_ptr<TMemoryStream> ownBody_;
  TMemoryStream* body_ = nullptr;
};

}  // namespace orvanta
