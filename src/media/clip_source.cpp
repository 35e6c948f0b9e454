#include "media/clip_source.h"

#include <zlib.h>

#include <algorithm>

#include "platform/data_root.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/template_pack.h"

namespace orvanta {

std::optional<TClipBytes> LoadClipStream(const std::string& name, const TDataRoot& root,
                                         const TTemplatePack& pack) {
  if (auto file = root.Find("mc_thumb\\" + name + ".swf"))
    return TClipBytes{TClipSource::File, ReadWholeFile(file->string())};
  if (auto file = root.Find("mc_thumb\\" + name + ".ddt"))
    return TClipBytes{TClipSource::CompressedFile, InflateClipFile(ReadWholeFile(file->string()))};
  if (const TTemplateEntry* entry = pack.Find(name))
    return TClipBytes{TClipSource::Template, {entry->Data.begin(), entry->Data.end()}};
  return std::nullopt;
}

std::vector<uint8_t> CompressClipFile(std::span<const uint8_t> swf) {
  uLongf size = compressBound(swf.size());
  std::vector<uint8_t> out(size);
  if (compress2(out.data(), &size, swf.data(), swf.size(), Z_BEST_SPEED) != Z_OK)
    throw Error("cannot compress a clip file");
  out.resize(size);
  return out;
}

std::vector<uint8_t> InflateClipFile(std::span<const uint8_t> ddt, size_t maxSize) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) throw Error("cannot start inflating a clip file");
  z.next_in = const_cast<Bytef*>(ddt.data());
  z.avail_in = static_cast<uInt>(ddt.size());
  std::vector<uint8_t> out;
  int status = Z_OK;
  while (status == Z_OK) {
    if (out.size() >= maxSize) break;
    const size_t done = out.size();
    out.resize(std::min(maxSize, std::max<size_t>(4096, done * 2)));
    z.next_out = out.data() + done;
    z.avail_out = static_cast<uInt>(out.size() - done);
    status = inflate(&z, Z_NO_FLUSH);
    out.resize(out.size() - z.avail_out);
  }
  const bool whole = status == Z_STREAM_END && z.avail_in == 0;
  inflateEnd(&z);
  if (!whole) throw FormatError("the clip file is not one complete zlib stream");
  return out;
}

}  // namespace orvanta
