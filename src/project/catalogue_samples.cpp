#include "project/catalogue.h"

namespace orvanta {

namespace {

void AddNumbered(std::vector<std::string>& names, const std::string& stem, int first, int last) {
  for (int n = first; n <= last; ++n) names.push_back(stem + std::to_string(n));
}

}  // namespace

const std::vector<std::string>& FlashBannerSamples() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> out = {"banner_panel93_728x90",   "banner_panel93_300x250",
                                    "banner_panep95_300x250",  "banner_panel90_2_160x600",
                                    "banner_panel90_2_728x90", "banner_panel90_728x90",
                                    "Banner_panel84_728x90",   "banner_panel85_728x90",
                                    "banner_panel85_300x250",  "Banner_panel82_728x90",
                                    "Banner_panel82_300x250",  "banner_panel83_728x90",
                                    "banner_panel83_160x600",  "banner_panel79_728x90",
                                    "banner_panel79_300x250",  "banner_panel71_300x250",
                                    "banner_panel68_300x250",  "banner_panel69_300x250",
                                    "banner_panel70_300x250",  "banner_panel64_2_120x600",
                                    "banner_panel65_728x90",   "banner_panel63_300x250",
                                    "banner_panel63_120x600",  "banner_panel64_120x600",
                                    "banner_panel64_300x250",  "banner_panel64_2_300x250",
                                    "banner_panel50_728x90",   "banner_panel50_300x250",
                                    "banner_shape22_160x600",  "banner_panel2_160x600",
                                    "banner_panel36_300x250",  "banner_slideshow_1_300x250",
                                    "banner_panel11_300x250",  "banner_panel2_300x250",
                                    "banner_panel32_300x250",  "banner_panel14_300x250",
                                    "banner_panel24_728x90",   "banner_panel24_300x250",
                                    "banner_panel13_728x90",   "banner_panel19_300x250",
                                    "banner_panel19_728x90",   "banner_panel46_728x90",
                                    "banner_panel46_300x250",  "banner_slideshow_1",
                                    "banner_shape22_728x90",   "banner_ball_728x90",
                                    "banner_shape66",          "banner_shape66_300x250"};
    AddNumbered(out, "banner", 16, 21);
    out.push_back("banner23");
    AddNumbered(out, "banner", 26, 51);
    out.insert(out.end(), {"banner25_2", "banner_shape22", "banner_ball"});
    return out;
  }();
  return names;
}

const std::vector<std::string>& FlashSlideshowSamples() {
  static const std::vector<std::string> names = {"photoalbumborder10",
                                                 "photoalbumborder11",
                                                 "photoalbumborder2",
                                                 "photoalbumborder3",
                                                 "backgroundcard1",
                                                 "backgroundcard2",
                                                 "bg101slideshow",
                                                 "slideshow_background100",
                                                 "slideshow_background104",
                                                 "ssbackground65",
                                                 "photoalbum",
                                                 "backgroundflower1",
                                                 "backgroundflower2",
                                                 "panel31",
                                                 "panel38",
                                                 "panel9",
                                                 "panel48"};
  return names;
}

}  // namespace orvanta
