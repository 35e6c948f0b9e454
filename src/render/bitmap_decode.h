#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "render/pixmap.h"

namespace orvanta {
class TSWFObject;
class TSWFJPEGTables;
struct TPicture;
}  // namespace orvanta

namespace orvanta::render {

// The pixels of a bitmap definition: DefineBits (with the movie's JPEGTables), DefineBitsJPEG2,
// DefineBitsJPEG3 with its alpha plane (its colours taken as premultiplied and clamped to the
// alpha, as the player does), and DefineBitsLossless and DefineBitsLossless2 in every format
// (colour-mapped, 15-bit and 32-bit). JPEG tags holding PNG or GIF data decode those.
// FormatError when the tag is no bitmap or its data does not decode; a size past the pixmap
// limit raises Error before anything is allocated.
TPixmap DecodeBitmap(const TSWFObject& tag, const TSWFJPEGTables* tables);

// One well-formed JPEG stream from the pieces a bitmap tag may hold: the tables, when given, are
// merged in front of the image, and start and end markers inside either (the tables-then-image
// layout of old encoders) are dropped. The result starts with a start marker and ends with an
// end marker.
std::vector<uint8_t> JoinJPEGStreams(std::span<const uint8_t> tables,
                                     std::span<const uint8_t> image);

// Straight RGBA to premultiplied BGRA.
TPixmap PixmapFromPicture(const TPicture& picture);

}  // namespace orvanta::render
