#include "platform/zlib_codec.h"

#include <zlib.h>

#include <algorithm>

#include "platform/errors.h"

namespace orvanta {

std::vector<uint8_t> Deflate(std::span<const uint8_t> data) {
  uLongf length = compressBound(static_cast<uLong>(data.size()));
  std::vector<uint8_t> out(length);
  if (compress2(out.data(), &length, data.data(), static_cast<uLong>(data.size()),
                Z_DEFAULT_COMPRESSION) != Z_OK)
    throw Error("zlib could not compress the data");
  out.resize(length);
  return out;
}

std::vector<uint8_t> InflateBounded(std::span<const uint8_t> data, size_t limit) {
  std::vector<uint8_t> out;
  if (limit == 0) return out;
  z_stream z{};
  if (inflateInit(&z) != Z_OK) throw Error("zlib could not start");
  z.next_in = const_cast<Bytef*>(data.data());
  z.avail_in = static_cast<uInt>(std::min<size_t>(data.size(), UINT32_MAX));
  out.resize(std::min<size_t>(limit, 1 << 16));
  size_t produced = 0;
  int status = Z_OK;
  while (produced < limit) {
    if (produced == out.size()) out.resize(std::min(limit, out.size() * 2));
    z.next_out = out.data() + produced;
    z.avail_out = static_cast<uInt>(std::min<size_t>(out.size() - produced, UINT32_MAX));
    status = inflate(&z, Z_NO_FLUSH);
    produced = out.size() - z.avail_out;
    if (status != Z_OK) break;
  }
  inflateEnd(&z);
  if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR && produced == 0)
    throw FormatError("the compressed data is not zlib data");
  out.resize(produced);
  return out;
}

}  // namespace orvanta
