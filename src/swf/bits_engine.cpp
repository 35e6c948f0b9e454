#include "swf/bits_engine.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/stream.h"

namespace orvanta {

unsigned BitsCount(uint32_t V) { return static_cast<unsigned>(std::bit_width(V)); }

unsigned SignedBitsCount(int32_t V) {
  if (V == 0) return 0;
  uint32_t magnitude = V < 0 ? 0u - static_cast<uint32_t>(V) : static_cast<uint32_t>(V);
  return BitsCount(magnitude) + 1;
}

static uint32_t Abs32(int32_t V) {
  return V < 0 ? 0u - static_cast<uint32_t>(V) : static_cast<uint32_t>(V);
}

uint32_t MaxAbs(int32_t A, int32_t B) { return std::max(Abs32(A), Abs32(B)); }
uint32_t MaxAbs(int32_t A, int32_t B, int32_t C, int32_t D) {
  return std::max(MaxAbs(A, B), MaxAbs(C, D));
}

// The width of a signed field holding the largest magnitude M (|INT32_MIN| still fits 32 bits).
static unsigned SignedBitsForMagnitude(uint32_t M) {
  return M == 0 ? 0 : std::min(32u, BitsCount(M) + 1);
}

int32_t FloatToFixed(double X) {
  double scaled = std::trunc(X * 65536.0);
  if (!(scaled >= std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  if (scaled > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(scaled);
}

double FixedToFloat(int32_t V) { return V / 65536.0; }

uint16_t FloatToFixed8(double X) {
  if (!std::isfinite(X)) return 0;
  double whole = std::trunc(X);
  double fraction = std::nearbyint((X - whole) * 256.0);
  int64_t value = static_cast<int64_t>(std::fmod(whole, 65536.0)) * 256 + static_cast<int64_t>(fraction);
  return static_cast<uint16_t>(value & 0xFFFF);
}

double Fixed8ToFloat(uint16_t V) { return (V >> 8) + (V & 0xFF) / 256.0; }

void TBitsEngine::PutByte(uint8_t B) { stream_->WriteBuffer(&B, 1); }

void TBitsEngine::WriteBits(uint32_t Value, unsigned N) {
  if (N == 0) return;
  uint64_t value = N >= 32 ? Value : (Value & ((1u << N) - 1));
  unsigned total = bitCount_ + N;
  if (total < 8) {
    bitBuffer_ = static_cast<uint32_t>((bitBuffer_ << N) | value);
    bitCount_ = static_cast<uint8_t>(total);
    return;
  }
  unsigned rest = total % 8, bytes = total / 8;
  uint64_t word;
  if (rest == 0) {
    word = (uint64_t{bitBuffer_} << N) | value;
    bitBuffer_ = 0;
  } else {
    word = (uint64_t{bitBuffer_} << (N - rest)) | (value >> rest);
    bitBuffer_ = static_cast<uint32_t>(value & ((1u << rest) - 1));
  }
  bitCount_ = static_cast<uint8_t>(rest);
  uint8_t out[5];
  for (unsigned i = 0; i < bytes; ++i) out[i] = static_cast<uint8_t>(word >> (8 * (bytes - 1 - i)));
  stream_->WriteBuffer(out, bytes);
}

void TBitsEngine::WriteByte(uint8_t B) {
  if (bitCount_ == 0)
    PutByte(B);
  else
    WriteBits(B, 8);
}

void TBitsEngine::FlushBits(bool Pad) {
  if (Pad && bitCount_ > 0) WriteBits(0, 8 - bitCount_);
  bitBuffer_ = 0;
  bitCount_ = 0;
}

void TBitsEngine::WriteWord(uint16_t V) {
  FlushBits(true);
  uint8_t b[2] = {static_cast<uint8_t>(V), static_cast<uint8_t>(V >> 8)};
  stream_->WriteBuffer(b, 2);
}

void TBitsEngine::WriteDWord(uint32_t V) {
  FlushBits(true);
  WriteRawDWord(V);
}

void TBitsEngine::WriteUI24(uint32_t V) {
  uint8_t b[3] = {static_cast<uint8_t>(V), static_cast<uint8_t>(V >> 8),
                  static_cast<uint8_t>(V >> 16)};
  stream_->WriteBuffer(b, 3);
}

void TBitsEngine::WriteRawDWord(uint32_t V) {
  uint8_t b[4] = {static_cast<uint8_t>(V), static_cast<uint8_t>(V >> 8),
                  static_cast<uint8_t>(V >> 16), static_cast<uint8_t>(V >> 24)};
  stream_->WriteBuffer(b, 4);
}

void TBitsEngine::WriteSingle(float X) { WriteDWord(std::bit_cast<uint32_t>(X)); }

void TBitsEngine::WriteDouble(double X) { WriteInt64(std::bit_cast<uint64_t>(X)); }

void TBitsEngine::WriteInt64(uint64_t V) {
  uint8_t b[8];
  for (int i = 0; i < 8; ++i) b[i] = static_cast<uint8_t>(V >> (8 * i));
  stream_->WriteBuffer(b, 8);
}

void TBitsEngine::WriteEncodedU32(uint32_t V) {
  do {
    uint8_t group = V & 0x7F;
    V >>= 7;
    WriteByte(V != 0 ? (group | 0x80) : group);
  } while (V != 0);
}

void TBitsEngine::WriteString(const std::string& S, bool Terminate, bool UTF8) {
  const std::string& bytes = UTF8 ? Cp1252ToUtf8(S) : S;
  WriteBuffer(bytes.data(), bytes.size(), Terminate);
}

void TBitsEngine::WriteLengthString(const std::string& S) {
  uint16_t length = static_cast<uint16_t>(S.size());
  WriteEncodedU32(length);
  WriteBuffer(S.data(), length);
}

void TBitsEngine::WriteBuffer(const void* P, size_t Len, bool Terminate) {
  if (bitCount_ == 0) {
    stream_->WriteBuffer(P, Len);
  } else {
    auto* bytes = static_cast<const uint8_t*>(P);
    for (size_t i = 0; i < Len; ++i) WriteBits(bytes[i], 8);
  }
  if (Terminate) WriteByte(0);
}

void TBitsEngine::WriteRect(const TSWFRect& R) {
  unsigned n = SignedBitsForMagnitude(MaxAbs(R.Xmin(), R.Xmax(), R.Ymin(), R.Ymax()));
  WriteBits(n, 5);
  WriteSBits(R.Xmin(), n);
  WriteSBits(R.Xmax(), n);
  WriteSBits(R.Ymin(), n);
  WriteSBits(R.Ymax(), n);
  FlushBits(true);
}

void TBitsEngine::WriteMatrix(const TSWFMatrix& M) {
  WriteBit(M.HasScale);
  if (M.HasScale) {
    unsigned n = SignedBitsForMagnitude(MaxAbs(M.ScaleX, M.ScaleY));
    WriteBits(n, 5);
    WriteSBits(M.ScaleX, n);
    WriteSBits(M.ScaleY, n);
  }
  WriteBit(M.HasRotate);
  if (M.HasRotate) {
    unsigned n = SignedBitsForMagnitude(MaxAbs(M.RotateSkew0, M.RotateSkew1));
    WriteBits(n, 5);
    WriteSBits(M.RotateSkew0, n);
    WriteSBits(M.RotateSkew1, n);
  }
  unsigned n = SignedBitsForMagnitude(MaxAbs(M.TranslateX, M.TranslateY));
  WriteBits(n, 5);
  if (n > 0) {
    WriteSBits(M.TranslateX, n);
    WriteSBits(M.TranslateY, n);
  }
  FlushBits(true);
}

void TBitsEngine::WriteColorTransform(const TSWFColorTransform& C) {
  uint32_t add = 0, mult = 0;
  if (C.HasAdd)
    add = std::max(MaxAbs(C.RedAdd, C.GreenAdd), MaxAbs(C.BlueAdd, C.HasAlpha ? C.AlphaAdd : 0));
  if (C.HasMult)
    mult = std::max(MaxAbs(C.RedMult, C.GreenMult),
                    MaxAbs(C.BlueMult, C.HasAlpha ? C.AlphaMult : 0));
  unsigned n = SignedBitsForMagnitude(std::max(add, mult));
  WriteBit(C.HasAdd);
  WriteBit(C.HasMult);
  if (C.HasAdd || C.HasMult) {
    WriteBits(n, 4);
    if (C.HasMult) {
      WriteSBits(C.RedMult, n);
      WriteSBits(C.GreenMult, n);
      WriteSBits(C.BlueMult, n);
      if (C.HasAlpha) WriteSBits(C.AlphaMult, n);
    }
    if (C.HasAdd) {
      WriteSBits(C.RedAdd, n);
      WriteSBits(C.GreenAdd, n);
      WriteSBits(C.BlueAdd, n);
      if (C.HasAlpha) WriteSBits(C.AlphaAdd, n);
    }
  }
  FlushBits(true);
}

uint32_t TBitsEngine::ReadBits(unsigned N) {
  uint64_t result = 0;
  while (N > 0) {
    if (bitCount_ == 0) {
      uint8_t b;
      stream_->ReadBuffer(&b, 1);
      bitBuffer_ = b;
      bitCount_ = 8;
    }
    unsigned take = std::min<unsigned>(N, bitCount_);
    unsigned shift = bitCount_ - take;
    result = (result << take) | ((bitBuffer_ >> shift) & ((1u << take) - 1));
    bitCount_ = static_cast<uint8_t>(shift);
    N -= take;
  }
  return static_cast<uint32_t>(result);
}

int32_t TBitsEngine::ReadSBits(unsigned N) {
  uint32_t raw = ReadBits(N);
  if (N == 0 || N >= 32) return static_cast<int32_t>(raw);
  uint32_t sign = 1u << (N - 1);
  return static_cast<int32_t>((raw ^ sign) - sign);
}

void TBitsEngine::ReadBuffer(void* P, size_t Len) { stream_->ReadBuffer(P, Len); }

void TBitsEngine::RequireBytes(uint64_t Count) const {
  if (Count > stream_->Remaining())
    throw StreamError("the data declares " + std::to_string(Count) + " bytes where only " +
                      std::to_string(stream_->Remaining()) + " remain");
}

uint8_t TBitsEngine::ReadByte() {
  uint8_t b;
  stream_->ReadBuffer(&b, 1);
  return b;
}

uint16_t TBitsEngine::ReadWord() {
  uint8_t b[2];
  stream_->ReadBuffer(b, 2);
  return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

uint16_t TBitsEngine::ReadWordBE() {
  uint8_t b[2];
  stream_->ReadBuffer(b, 2);
  return static_cast<uint16_t>((b[0] << 8) | b[1]);
}

uint32_t TBitsEngine::ReadDWord() {
  uint8_t b[4];
  stream_->ReadBuffer(b, 4);
  return b[0] | (b[1] << 8) | (b[2] << 16) | (uint32_t{b[3]} << 24);
}

uint32_t TBitsEngine::ReadUI24() {
  uint8_t b[3];
  stream_->ReadBuffer(b, 3);
  return b[0] | (b[1] << 8) | (b[2] << 16);
}

uint32_t TBitsEngine::ReadRawDWord() { return ReadDWord(); }

float TBitsEngine::ReadSingle() { return std::bit_cast<float>(ReadDWord()); }

double TBitsEngine::ReadDouble() { return std::bit_cast<double>(ReadInt64()); }

uint64_t TBitsEngine::ReadInt64() {
  uint8_t b[8];
  stream_->ReadBuffer(b, 8);
  uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | b[i];
  return v;
}

uint32_t TBitsEngine::ReadEncodedU32() {
  uint32_t value = 0;
  for (unsigned i = 0; i < 5; ++i) {
    uint8_t b = ReadByte();
    value |= static_cast<uint32_t>(b & 0x7F) << (7 * i);
    if ((b & 0x80) == 0) break;
  }
  return value;
}

std::string TBitsEngine::ReadString() {
  std::string s;
  for (uint8_t b = ReadByte(); b != 0; b = ReadByte()) s += static_cast<char>(b);
  return s;
}

std::string TBitsEngine::ReadFixedString(unsigned N) {
  std::string s(std::min(N, 255u), '\0');
  stream_->ReadBuffer(s.data(), s.size());
  return s;
}

std::string TBitsEngine::ReadLengthString(bool Encoded) {
  uint32_t length = Encoded ? ReadEncodedU32() : ReadWordBE();
  RequireBytes(length);
  std::string s(length, '\0');
  stream_->ReadBuffer(s.data(), length);
  return s;
}

TSWFRect TBitsEngine::ReadRect() {
  unsigned n = ReadBits(5);
  int32_t xmin = ReadSBits(n), xmax = ReadSBits(n), ymin = ReadSBits(n), ymax = ReadSBits(n);
  FlushBits(false);
  return TSWFRect::Unsorted(xmin, ymin, xmax, ymax);
}

TSWFMatrix TBitsEngine::ReadMatrix() {
  TSWFMatrix m;
  m.HasScale = ReadBit();
  if (m.HasScale) {
    unsigned n = ReadBits(5);
    m.ScaleX = ReadSBits(n);
    m.ScaleY = ReadSBits(n);
  }
  m.HasRotate = ReadBit();
  if (m.HasRotate) {
    unsigned n = ReadBits(5);
    m.RotateSkew0 = ReadSBits(n);
    m.RotateSkew1 = ReadSBits(n);
  }
  unsigned n = ReadBits(5);
  m.TranslateX = ReadSBits(n);
  m.TranslateY = ReadSBits(n);
  FlushBits(false);
  return m;
}

// Terms are kept as stored in the file (no clamping), so a read and write gives the same bytes.
TSWFColorTransform TBitsEngine::ReadColorTransform(bool WithAlpha) {
  TSWFColorTransform c;
  c.HasAlpha = WithAlpha;
  c.HasAdd = ReadBit();
  c.HasMult = ReadBit();
  if (c.HasAdd || c.HasMult) {
    unsigned n = ReadBits(4);
    if (c.HasMult) {
      c.RedMult = ReadSBits(n);
      c.GreenMult = ReadSBits(n);
      c.BlueMult = ReadSBits(n);
      if (WithAlpha) c.AlphaMult = ReadSBits(n);
    }
    if (c.HasAdd) {
      c.RedAdd = ReadSBits(n);
      c.GreenAdd = ReadSBits(n);
      c.BlueAdd = ReadSBits(n);
      if (WithAlpha) c.AlphaAdd = ReadSBits(n);
    }
  }
  FlushBits(false);
  return c;
}

}  // namespace orvanta
