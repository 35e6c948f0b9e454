#include <string_view>

#include "artwork_output.h"
#include "families.h"

namespace orvanta::artwork {

namespace {

// The page the publisher fills in. Its body style sits in a style element because the page
// picture's rule gets double quotes when published. The banner area is an inline block, which
// the centred page's text alignment centres in current browsers and the left page leaves at
// the left; inside it, one positioned box holds the background strips, the transparent movie
// above them and the text layers, so that every layer counts from the banner's top left. Ruffle
// comes from the "ruffle" folder beside the page and shows the movie unscaled.
constexpr std::string_view kPage = R"(<!DOCTYPE html>
<html>
<head>
<title>[Title]</title>
<style type="text/css">
html { margin: 0; padding: 0; }
body { margin: 0; padding: 0; background-color: [#FFFF]; background-image: url(None.jpg); [CenterBody] }
.banner { display: inline-block; vertical-align: top; text-align: left; }
.area { position: relative; width: [Width]px; height: [Height]px; overflow: hidden; }
.strips { position: absolute; left: 0; top: 0; width: [Width]px; height: [Height]px; white-space: nowrap; font-size: 0; line-height: 0; }
.strips img { display: inline-block; vertical-align: top; margin: 0; }
.movie { position: absolute; left: 0; top: 0; width: [Width]px; height: [Height]px; }
.movie embed, .movie ruffle-embed, .movie ruffle-object { display: block; width: [Width]px; height: [Height]px; }
</style>
<script type="text/javascript">
window.RufflePlayer = window.RufflePlayer || {};
window.RufflePlayer.config = { publicPath: "ruffle/", autoplay: "on", unmuteOverlay: "hidden",
  splashScreen: false, letterbox: "off", scale: "noscale", wmode: "transparent", backgroundColor: null };
</script>
<script type="text/javascript" src="ruffle/ruffle.js"></script>
</head>
<body>
<div class="banner">[CenterDIV]<div class="area">
<div class="strips">[BGCode]</div>
<div class="movie"><embed src="[FlashFileName].swf" width="[Width]" height="[Height]" type="application/x-shockwave-flash" wmode="transparent" quality="high" scale="noscale" salign="lt"></div>
[Code]
</div>[CenterDIVend]</div>
</body>
</html>
)";

}  // namespace

void GeneratePageTemplate(TArtworkOutput& output) {
  std::vector<uint8_t> bytes;
  // Lines end in CR LF, as the page generator writes its own.
  for (char ch : kPage) {
    if (ch == '\n') bytes.push_back('\r');
    bytes.push_back(static_cast<uint8_t>(ch));
  }
  output.AddDataFile("albumboader/temp.htm", std::move(bytes));
}

}  // namespace orvanta::artwork
