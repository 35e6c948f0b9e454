#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace orvanta {

class TStream;

// How a SWF file's body is stored: FWS plain, CWS zlib, ZWS LZMA.
enum class TSWFCompression : uint8_t { None, Zlib, Lzma };

// Pulls a compressed SWF body out of a stream, exactly as many bytes as asked for and never more
// than the file declares. A stream in memory is decompressed in place; any other is read in
// chunks. Corrupt data raises FormatError, data that ends before the declared length StreamError.
class TBodyDecompressor {
 public:
  // Reads at most inputLimit bytes from the stream's position; `wanted` is the body length
  // the header declares (LZMA needs no window larger than that).
  TBodyDecompressor(TSWFCompression kind, TStream& stream, uint64_t inputLimit, size_t wanted,
                    std::span<const uint8_t> lzmaProperties = {});
  ~TBodyDecompressor();
  TBodyDecompressor(const TBodyDecompressor&) = delete;
  TBodyDecompressor& operator=(const TBodyDecompressor&) = delete;

  // Fills exactly count bytes at out.
  void Fill(uint8_t* out, size_t count);
  // Leaves a stream in memory just after the compressed bytes used, for whatever follows.
  void Finish();

  // One decoding step of either codec over the pointers it is handed.
  class TCodec {
   public:
    virtual ~TCodec() = default;
    // Moves in and out on; true at the end of the compressed stream.
    virtual bool Step(const uint8_t*& in, size_t& inSize, uint8_t*& out, size_t& outSize) = 0;
  };

 private:
  // The next piece of input; empty once the stream or the limit is used up.
  std::span<const uint8_t> NextInput();

  TStream& stream_;
  std::unique_ptr<TCodec> codec_;
  const uint64_t start_;
  uint64_t inputLeft_;
  std::span<const uint8_t> memory_;
  const bool inMemory_;
  std::vector<uint8_t> chunk_;
  std::span<const uint8_t> pending_;
  uint64_t consumed_ = 0;
  const size_t wanted_;
  size_t produced_ = 0;
};

}  // namespace orvanta
