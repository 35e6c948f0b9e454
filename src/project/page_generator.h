#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "project/content_builder.h"

namespace orvanta {

// What the page generator and the movies are built for: the preview and the current-page
// publish show the background strips behind the movie; the all-media publish puts the
// background movie inside the main movie and the page shows no strips and no page picture.
enum class TPublishMode : uint8_t { CurrentPage, AllMedia };

inline constexpr const char* kPageTemplate = "albumboader\\temp.htm";
inline constexpr const char* kLeftPageFile = "flashtemp.htm";
inline constexpr const char* kCentredPageFile = "flashtemp_center.htm";
inline constexpr const char* kPagePictureFile = "fsbackground.jpg";

// How the page refers to its files. The preview refers to the working folder's fixed names; a
// published page gets its final names here, so that nothing is rewritten in the finished text.
struct TPageNames {
  std::string Movie = "temp";  // the template adds ".swf"
  std::array<std::string, 4> Strips{"temp_bg1.jpg", "temp_bg2.jpg", "temp_bg3.jpg", "temp_bg4.jpg"};
  std::string PagePicture = kPagePictureFile;  // as written inside the CSS url(...)
};

struct TGeneratedPages {
  std::string Left, Centred;      // UTF-8 text with CR LF line ends
  bool ShowsPagePicture = false;  // the pages refer to the page picture
};

// Fills the template in one pass: every placeholder is replaced by its value and no value is
// scanned again, so a title holding "[Code]" stays as typed. The title is escaped so that it
// shows as text; the HTML text layers are the user's markup and go in as stored.
TGeneratedPages GeneratePages(const std::string& templateText, const TPageState& page,
                              const TPageNames& names, TPublishMode mode, bool hasPagePicture);

// The DIV layers of the non-empty HTML texts, in layer order.
std::string HtmlTextLayers(const TPageState& page);

// The page picture as JPEG bytes: the file itself when it is a JPEG, else re-encoded. None when
// the page shows a colour, the picture is missing (the page background warns about that) or it
// cannot be decoded (a warning).
std::optional<std::vector<uint8_t>> PagePictureJPEG(const TPageState& page, TBuildContext& context);

// The preview files of the page generator, name and bytes: both pages, and the page picture
// when the page shows one.
std::vector<std::pair<std::string, std::vector<uint8_t>>> PreviewPageFiles(const TPageState& page,
                                                                           TPublishMode mode,
                                                                           TBuildContext& context);

// The page template of the data root as text; empty when the data root has none.
std::string ReadPageTemplate(const TDataRoot& data);

}  // namespace orvanta
