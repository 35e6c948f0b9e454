#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

class TDataRoot;
class TTemplatePack;

// The placeholder every gallery shows for "None" and for an entry whose movie cannot be had.
inline constexpr const char* kPlaceholderMovie = "demo.swf";

// The movie a gallery entry plays in its preview: the working-folder name it is written under
// and its bytes.
struct TGalleryMovie {
  std::string File;
  std::vector<uint8_t> Bytes;
};

struct TGallerySources {
  const TDataRoot& Data;
  const TTemplatePack& Templates;
};

// The galleries that have preview movies, by their catalogue list names.
const std::vector<std::string>& GalleryListNames();
// How many entries a gallery has; FileError for a name that is no gallery.
int GalleryEntryCount(std::string_view list);

// The entry's preview movie: a data file or template as it is, or a small movie built to show
// it. None when the entry previews with the placeholder (its "None", or a file that is missing
// or does not import). FileError for an unknown list or an entry outside it.
std::optional<TGalleryMovie> GalleryMovie(const TGallerySources& sources, std::string_view list,
                                          int entry);

// The bytes of the placeholder movie; FileError when the data root lacks it.
std::vector<uint8_t> PlaceholderMovie(const TDataRoot& data);

}  // namespace orvanta
