#include "media/swf_body_decompressor.h"

#include <lzma.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/errors.h"
#include "platform/stream.h"

namespace orvanta {

namespace {

// The LZMA1 properties: lc/lp/pb in one byte, then the dictionary size.
constexpr size_t kLzmaPropertiesSize = 5;

FormatError Corrupt(const std::string& why) {
  return FormatError("the compressed SWF data is corrupt: " + why);
}

// Each step hands zlib at most 4 GiB either way, which its 32-bit counters can hold.
class TZlibCodec : public TBodyDecompressor::TCodec {
 public:
  TZlibCodec() {
    if (inflateInit(&z_) != Z_OK) throw Error("cannot start zlib decompression");
  }
  ~TZlibCodec() override { inflateEnd(&z_); }

  bool Step(const uint8_t*& in, size_t& inSize, uint8_t*& out, size_t& outSize) override {
    z_.next_in = const_cast<Bytef*>(in);
    z_.avail_in = static_cast<uInt>(std::min<size_t>(inSize, UINT32_MAX));
    z_.next_out = out;
    z_.avail_out = static_cast<uInt>(std::min<size_t>(outSize, UINT32_MAX));
    const uInt inBefore = z_.avail_in, outBefore = z_.avail_out;
    const int rc = inflate(&z_, Z_NO_FLUSH);
    in += inBefore - z_.avail_in;
    inSize -= inBefore - z_.avail_in;
    out += outBefore - z_.avail_out;
    outSize -= outBefore - z_.avail_out;
    if (rc == Z_STREAM_END) return true;
    if (rc == Z_NEED_DICT || rc == Z_DATA_ERROR || rc == Z_STREAM_ERROR || rc == Z_MEM_ERROR)
      throw Corrupt(z_.msg ? z_.msg : "zlib error " + std::to_string(rc));
    // Z_BUF_ERROR only means no progress was possible without more input.
    return false;
  }

 private:
  z_stream z_{};
};

// The SWF form of LZMA: the five properties bytes, then raw LZMA1 data with or without an end
// marker. The window is cut to the declared body length: no match can reach further back than
// the bytes produced, and a hostile dictionary size would otherwise allocate up to 4 GiB.
class TLzmaCodec : public TBodyDecompressor::TCodec {
 public:
  TLzmaCodec(std::span<const uint8_t> properties, size_t wanted) {
    if (properties.size() != kLzmaPropertiesSize) throw Corrupt("the LZMA properties are missing");
    lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, nullptr}, {LZMA_VLI_UNKNOWN, nullptr}};
    if (lzma_properties_decode(&filters[0], nullptr, properties.data(), properties.size()) !=
        LZMA_OK)
      throw Corrupt("the LZMA properties are not valid");
    auto* options = static_cast<lzma_options_lzma*>(filters[0].options);
    options->dict_size =
        static_cast<uint32_t>(std::clamp<uint64_t>(wanted, LZMA_DICT_SIZE_MIN, options->dict_size));
    const lzma_ret rc = lzma_raw_decoder(&z_, filters);
    std::free(options);
    if (rc != LZMA_OK) throw Error("cannot start LZMA decompression");
  }
  ~TLzmaCodec() override { lzma_end(&z_); }

  bool Step(const uint8_t*& in, size_t& inSize, uint8_t*& out, size_t& outSize) override {
    z_.next_in = in;
    z_.avail_in = inSize;
    z_.next_out = out;
    z_.avail_out = outSize;
    const lzma_ret rc = lzma_code(&z_, LZMA_RUN);
    in = z_.next_in;
    inSize = z_.avail_in;
    out = z_.next_out;
    outSize = z_.avail_out;
    if (rc == LZMA_STREAM_END) return true;
    if (rc == LZMA_OK || rc == LZMA_BUF_ERROR) return false;
    if (rc == LZMA_MEM_ERROR) throw Error("out of memory in LZMA decompression");
    throw Corrupt("LZMA error " + std::to_string(rc));
  }

 private:
  lzma_stream z_ = LZMA_STREAM_INIT;
};

}  // namespace

TBodyDecompressor::TBodyDecompressor(TSWFCompression kind, TStream& stream, uint64_t inputLimit,
                                     size_t wanted, std::span<const uint8_t> lzmaProperties)
    : stream_(stream),
      start_(stream.Position()),
      inputLeft_(std::min(inputLimit, stream.Remaining())),
      memory_(stream.PeekRemaining().first(
          std::min<size_t>(stream.PeekRemaining().size(), inputLeft_))),
      inMemory_(!stream.PeekRemaining().empty()),
      chunk_(inMemory_ ? 0 : 64 * 1024),
      wanted_(wanted) {
  if (kind == TSWFCompression::Lzma)
    codec_ = std::make_unique<TLzmaCodec>(lzmaProperties, wanted);
  else
    codec_ = std::make_unique<TZlibCodec>();
}

TBodyDecompressor::~TBodyDecompressor() = default;

std::span<const uint8_t> TBodyDecompressor::NextInput() {
  if (inMemory_) {
    std::span<const uint8_t> all = memory_;
    memory_ = {};
    return all;
  }
  const size_t n = static_cast<size_t>(std::min<uint64_t>(inputLeft_, chunk_.size()));
  if (n > 0) stream_.ReadBuffer(chunk_.data(), n);
  inputLeft_ -= n;
  return {chunk_.data(), n};
}

void TBodyDecompressor::Fill(uint8_t* out, size_t count) {
  auto endsEarly = [&] {
    return StreamError("the compressed SWF data ends after " + std::to_string(produced_) + " of " +
                       std::to_string(wanted_) + " bytes");
  };
  while (count > 0) {
    if (pending_.empty()) {
      pending_ = NextInput();
      if (pending_.empty()) throw endsEarly();
    }
    const uint8_t* in = pending_.data();
    size_t inSize = pending_.size();
    const size_t before = count;
    const bool ended = codec_->Step(in, inSize, out, count);
    // Input there and room for output, yet nothing moved: the codec is stuck on this data.
    if (!ended && before == count && inSize == pending_.size())
      throw Corrupt("the decoder makes no progress");
    consumed_ += pending_.size() - inSize;
    pending_ = pending_.last(inSize);
    produced_ += before - count;
    if (ended && count > 0) throw endsEarly();
  }
}

void TBodyDecompressor::Finish() {
  if (inMemory_) stream_.SetPosition(start_ + consumed_);
}

}  // namespace orvanta
