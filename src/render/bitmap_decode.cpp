#include "render/bitmap_decode.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "media/picture_codecs.h"
#include "platform/errors.h"
#include "platform/zlib_codec.h"
#include "swf/tags_bitmap.h"

namespace orvanta::render {

namespace {

bool IsPNGOrGIF(std::span<const uint8_t> data) {
  static constexpr uint8_t kPNG[4] = {0x89, 'P', 'N', 'G'};
  static constexpr uint8_t kGIF[4] = {'G', 'I', 'F', '8'};
  return data.size() >= 4 &&
         (std::memcmp(data.data(), kPNG, 4) == 0 || std::memcmp(data.data(), kGIF, 4) == 0);
}

// Appends the marker segments of a JPEG piece to out, leaving out start and end markers.
void AppendSegments(std::span<const uint8_t> in, std::vector<uint8_t>& out) {
  size_t i = 0;
  const size_t n = in.size();
  while (i + 1 < n) {
    if (in[i] != 0xFF) {
      ++i;  // stray bytes between segments: the player skips them too
      continue;
    }
    const uint8_t marker = in[i + 1];
    if (marker == 0xFF) {  // fill byte
      ++i;
      continue;
    }
    if (marker == 0xD8 || marker == 0xD9 || marker == 0x00) {
      i += 2;
      continue;
    }
    if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
      out.push_back(0xFF);
      out.push_back(marker);
      i += 2;
      continue;
    }
    if (i + 3 >= n) break;
    const size_t length = (size_t{in[i + 2]} << 8) | in[i + 3];
    const size_t end = std::min(n, i + 2 + length);
    out.insert(out.end(), in.begin() + i, in.begin() + end);
    i = end;
    if (marker != 0xDA) continue;
    // Entropy-coded data runs to the next marker that is neither stuffing nor a restart.
    size_t j = i;
    while (j < n) {
      if (in[j] == 0xFF && j + 1 < n && in[j + 1] != 0x00 &&
          !(in[j + 1] >= 0xD0 && in[j + 1] <= 0xD7) && in[j + 1] != 0xFF)
        break;
      ++j;
    }
    out.insert(out.end(), in.begin() + i, in.begin() + j);
    i = j;
  }
}

// A JPEG payload as the tag holds it (markers stripped unless it came in another shape).
std::vector<uint8_t> PayloadBytes(const TSWFDefineBits& tag) {
  if (tag.PayloadVerbatim()) return tag.Data;
  std::vector<uint8_t> bytes;
  bytes.reserve(tag.Data.size() + 4);
  bytes.push_back(0xFF);
  bytes.push_back(0xD8);
  bytes.insert(bytes.end(), tag.Data.begin(), tag.Data.end());
  bytes.push_back(0xFF);
  bytes.push_back(0xD9);
  return bytes;
}

TPixmap DecodeJPEGPayload(const TSWFDefineBits& tag, const TSWFJPEGTables* tables) {
  std::vector<uint8_t> payload = PayloadBytes(tag);
  if (IsPNGOrGIF(payload)) return PixmapFromPicture(DecodePicture(payload));
  std::span<const uint8_t> tableBytes;
  if (tag.TagID == TSWFDefineBits::kTagID && tables) tableBytes = tables->Data;
  std::vector<uint8_t> stream = JoinJPEGStreams(tableBytes, payload);
  return PixmapFromPicture(DecodeJPEG(stream));
}

uint8_t Premultiply(uint8_t c, uint8_t a) {
  return static_cast<uint8_t>((c * a + 127) / 255);
}

TPixmap DecodeLossless(const TSWFDefineBitsLossless& tag) {
  const bool withAlpha = tag.TagID == TSWFDefineBitsLossless2::kTagID;
  const int width = tag.BitmapWidth, height = tag.BitmapHeight;
  TPixmap pixmap(width, height);
  if (pixmap.Empty()) return pixmap;

  size_t tableBytes = 0, rowBytes = 0;
  const size_t tableEntries = size_t{tag.BitmapColorTableSize} + 1;
  switch (tag.BitmapFormat) {
    case 3:
      tableBytes = tableEntries * (withAlpha ? 4 : 3);
      rowBytes = (size_t(width) + 3) & ~size_t{3};
      break;
    case 4:
      rowBytes = (size_t(width) * 2 + 3) & ~size_t{3};
      break;
    case 5:
      rowBytes = size_t(width) * 4;
      break;
    default:
      throw FormatError("lossless bitmap format " + std::to_string(tag.BitmapFormat) +
                        " is unknown");
  }
  const size_t expected = tableBytes + rowBytes * height;
  std::vector<uint8_t> data = InflateBounded(tag.Data, expected);
  // Rows the data does not reach stay transparent, as far as they go.
  data.resize(expected, 0);

  uint8_t table[256][4] = {};
  if (tag.BitmapFormat == 3) {
    for (size_t i = 0; i < tableEntries; ++i) {
      const uint8_t* c = data.data() + i * (withAlpha ? 4 : 3);
      // Premultiplied in the file, and taken as it is even when a colour exceeds its alpha (the
      // player does not clamp lossless colours: such pixels brighten what lies below).
      table[i][kRed] = c[0];
      table[i][kGreen] = c[1];
      table[i][kBlue] = c[2];
      table[i][kAlpha] = withAlpha ? c[3] : 255;
    }
  }
  for (int y = 0; y < height; ++y) {
    const uint8_t* src = data.data() + tableBytes + rowBytes * y;
    uint8_t* dst = pixmap.Row(y);
    for (int x = 0; x < width; ++x, dst += 4) {
      switch (tag.BitmapFormat) {
        case 3: {
          uint8_t index = src[x];
          if (index < tableEntries)
            std::memcpy(dst, table[index], 4);
          else
            std::memset(dst, 0, 4);
          break;
        }
        case 4: {
          uint16_t v = static_cast<uint16_t>((src[x * 2] << 8) | src[x * 2 + 1]);
          auto expand = [](unsigned c5) { return static_cast<uint8_t>((c5 << 3) | (c5 >> 2)); };
          dst[kRed] = expand((v >> 10) & 31);
          dst[kGreen] = expand((v >> 5) & 31);
          dst[kBlue] = expand(v & 31);
          dst[kAlpha] = 255;
          break;
        }
        case 5: {
          const uint8_t* p = src + x * 4;
          dst[kRed] = p[1];
          dst[kGreen] = p[2];
          dst[kBlue] = p[3];
          dst[kAlpha] = withAlpha ? p[0] : 255;
          break;
        }
      }
    }
  }
  return pixmap;
}

}  // namespace

std::vector<uint8_t> JoinJPEGStreams(std::span<const uint8_t> tables,
                                     std::span<const uint8_t> image) {
  std::vector<uint8_t> out;
  out.reserve(tables.size() + image.size() + 4);
  out.push_back(0xFF);
  out.push_back(0xD8);
  AppendSegments(tables, out);
  AppendSegments(image, out);
  out.push_back(0xFF);
  out.push_back(0xD9);
  return out;
}

TPixmap PixmapFromPicture(const TPicture& picture) {
  if (picture.Width > INT32_MAX || picture.Height > INT32_MAX)
    throw Error("the picture is too large to draw");
  TPixmap pixmap(static_cast<int>(picture.Width), static_cast<int>(picture.Height));
  const size_t count = size_t{picture.Width} * picture.Height;
  const uint8_t* src = picture.Pixels.data();
  uint8_t* dst = pixmap.Pixels.data();
  for (size_t i = 0; i < count; ++i, src += 4, dst += 4) {
    uint8_t a = src[3];
    dst[kRed] = Premultiply(src[0], a);
    dst[kGreen] = Premultiply(src[1], a);
    dst[kBlue] = Premultiply(src[2], a);
    dst[kAlpha] = a;
  }
  return pixmap;
}

TPixmap DecodeBitmap(const TSWFObject& tag, const TSWFJPEGTables* tables) {
  if (const auto* lossless = dynamic_cast<const TSWFDefineBitsLossless*>(&tag))
    return DecodeLossless(*lossless);
  const auto* bits = dynamic_cast<const TSWFDefineBits*>(&tag);
  if (!bits) throw FormatError("character is not a bitmap");

  const auto* jpeg3 = dynamic_cast<const TSWFDefineBitsJPEG3*>(&tag);
  TPixmap pixmap = DecodeJPEGPayload(*bits, tables);
  if (!jpeg3 || jpeg3->AlphaData.empty() || IsPNGOrGIF(PayloadBytes(*bits))) return pixmap;

  // The alpha plane: one byte per pixel; where it falls short the picture stays opaque. The
  // colours are premultiplied already; the player clamps them to their alpha, so that a
  // picture saved with straight colours still vanishes where it is transparent.
  const size_t count = size_t(pixmap.Width) * pixmap.Height;
  std::vector<uint8_t> alpha;
  try {
    alpha = InflateBounded(jpeg3->AlphaData, count);
  } catch (const FormatError&) {
    return pixmap;
  }
  uint8_t* p = pixmap.Pixels.data();
  for (size_t i = 0; i < alpha.size(); ++i, p += 4) {
    uint8_t a = alpha[i];
    p[kRed] = std::min(p[kRed], a);
    p[kGreen] = std::min(p[kGreen], a);
    p[kBlue] = std::min(p[kBlue], a);
    p[kAlpha] = a;
  }
  return pixmap;
}

}  // namespace orvanta::render
