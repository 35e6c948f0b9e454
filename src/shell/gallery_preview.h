#pragma once

#include <filesystem>
#include <map>
#include <string>

#include <nlohmann/json.hpp>

#include "shell/gallery_movies.h"

namespace orvanta {

// Writes the preview movie of a gallery entry into the working folder (the placeholder for
// "None" and for an entry whose movie cannot be had) and answers {"movie": its file name there,
// "width", "height": its frame in pixels, "caption": for library clips width + "x" + height,
// else ""}. The shape gallery's colour values are checked as typed texts and, as panels keep the
// colours of their templates, change nothing. FileError for an unknown list or entry,
// RequestError for a bad colour value.
nlohmann::json WriteGalleryPreview(const TGallerySources& sources,
                                   const std::filesystem::path& workFolder, const std::string& list,
                                   int entry, const std::map<std::string, std::string>& colours);

}  // namespace orvanta
