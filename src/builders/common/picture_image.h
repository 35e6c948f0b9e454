#pragma once

#include <cstdint>
#include <span>

namespace orvanta {

class TFlashImage;
class TFlashMovie;
struct TPicture;

// What a picture file holds, told by its first bytes, never by its name: a folder called
// "shots.jpg" holding a PNG is still a PNG.
enum class TPictureKind : uint8_t { Unknown, JPEG, BMP, PNG, GIF };
TPictureKind PictureKindOf(std::span<const uint8_t> file);

// A JPEG or BMP file as a bitmap of the movie: JPEG data stays JPEG (re-encoded as baseline
// when the tag could not carry it as it is), BMP becomes lossless data. The file is decoded
// first, so a damaged one raises FormatError and adds nothing.
TFlashImage* AddPictureImage(TFlashMovie& movie, std::span<const uint8_t> file);

// A decoded picture as JPEG data (quality 75) with its alpha as the alpha plane. Players
// expect the colours of such a bitmap premultiplied by their alpha, so they are.
TFlashImage* AddTransparentImage(TFlashMovie& movie, const TPicture& picture);

}  // namespace orvanta
