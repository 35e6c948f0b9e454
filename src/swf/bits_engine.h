#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "swf/swf_records.h"

namespace orvanta {

class TStream;

// Number of significant bits of V: 0 for 0, else the smallest c with V < 2^c.
unsigned BitsCount(uint32_t V);
// 0 for 0, else BitsCount(|V|) + 1 (symmetric: -8 and 8 both take 5 bits).
unsigned SignedBitsCount(int32_t V);
uint32_t MaxAbs(int32_t A, int32_t B);
uint32_t MaxAbs(int32_t A, int32_t B, int32_t C, int32_t D);

// 16.16 fixed point, truncated toward zero (saturated to the 32-bit range).
int32_t FloatToFixed(double X);
double FixedToFloat(int32_t V);
// 8.8 fixed point: whole part in the high byte, rounded fraction in the low byte.
uint16_t FloatToFixed8(double X);
double Fixed8ToFloat(uint16_t V);

// Packs and unpacks the SWF bit fields, integers, fixed-point numbers and strings at the
// current position of a borrowed stream. Bit fields go most significant bit first. Every read
// past the end of the stream raises StreamError.
class TBitsEngine {
 public:
  explicit TBitsEngine(TStream& Stream) : stream_(&Stream) {}

  TStream& Stream() const { return *stream_; }
  uint8_t BitBuffer() const { return bitBuffer_; }
  uint8_t BitCount() const { return bitCount_; }

  // Writing.
  void WriteBits(uint32_t Value, unsigned N);
  void WriteSBits(int32_t Value, unsigned N) { WriteBits(static_cast<uint32_t>(Value), N); }
  void WriteBit(bool Flag) { WriteBits(Flag ? 1 : 0, 1); }
  void WriteByte(uint8_t B);
  void FlushBits(bool Pad = true);
  void WriteWord(uint16_t V);
  void WriteDWord(uint32_t V);
  void WriteUI24(uint32_t V);
  void WriteRawDWord(uint32_t V);
  void WriteFixed(double X) { WriteDWord(static_cast<uint32_t>(FloatToFixed(X))); }
  void WriteSingle(float X);
  void WriteDouble(double X);
  void WriteInt64(uint64_t V);
  void WriteEncodedU32(uint32_t V);
  // With UTF8 the cp1252 text is converted to UTF-8 first.
  void WriteString(const std::string& S, bool Terminate = true, bool UTF8 = false);
  void WriteLengthString(const std::string& S);
  void WriteBuffer(const void* P, size_t Len, bool Terminate = false);
  void WriteRect(const TSWFRect& R);
  void WriteRect(const TRect& R) { TSWFRect r; r.SetRect(R); WriteRect(r); }
  void WriteMatrix(const TSWFMatrix& M);
  void WriteColorTransform(const TSWFColorTransform& C);

  // Reading.
  uint32_t ReadBits(unsigned N);
  int32_t ReadSBits(unsigned N);
  bool ReadBit() { return ReadBits(1) != 0; }
  uint8_t ReadByte();
  uint16_t ReadWord();
  uint16_t ReadWordBE();
  uint32_t ReadDWord();
  uint32_t ReadUI24();
  uint32_t ReadRawDWord();
  double ReadFixed() { return FixedToFloat(static_cast<int32_t>(ReadDWord())); }
  float ReadSingle();
  double ReadDouble();
  uint64_t ReadInt64();
  uint32_t ReadEncodedU32();
  std::string ReadString();
  std::string ReadFixedString(unsigned N);
  std::string ReadLengthString(bool Encoded);
  void ReadBuffer(void* P, size_t Len);
  // Raises StreamError unless Count more bytes are there to read; call it before trusting a
  // length taken from the data.
  void RequireBytes(uint64_t Count) const;
  TSWFRect ReadRect();
  TSWFMatrix ReadMatrix();
  TSWFColorTransform ReadColorTransform(bool WithAlpha);

 private:
  void PutByte(uint8_t B);
  TStream* stream_;
  uint32_t bitBuffer_ = 0;
  uint8_t bitCount_ = 0;
};

}  // namespace orvanta
