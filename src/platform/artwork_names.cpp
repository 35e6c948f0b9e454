#include "platform/artwork_names.h"

#include <cstdio>

#include "platform/button_styles.h"

namespace orvanta {

const std::vector<TArtLetterFamily>& ArtLetterFamilies() {
  static const std::vector<TArtLetterFamily> families = {
      {"3D Glass", "dottext"},
      {"Inverted", "invertedtext"},
      {"Kid", "kidtext"},
      {"Gold", "goldtext"},
      {"Fun", "funtext"},
      {"Gold2", "gold2text"},
      {"Dot2", "dot2text"},
      {"Bubble", "bubbletext"},
      {"Fun2", "fun2text"},
      {"Gold3", "gold3text"},
      {"Break", "breaktext"},
      {"Plastic", "plastictext"},
      {"Black Ice", "blackicetext"},
      {"Dot3", "dot3text"},
      {"Fun3", "fun3text"},
      {"3D", "d3text"},
      {"Ice", "icetext"},
  };
  return families;
}

const std::vector<int>& ArtLetterCodes() {
  static const std::vector<int> codes = [] {
    std::vector<int> c = {33, 34, 36, 39, 44, 45, 46};
    for (int d = '0'; d <= '9'; ++d) c.push_back(d);
    c.push_back(58);
    c.push_back(64);
    for (int l = 'A'; l <= 'Z'; ++l) c.push_back(l);
    for (int a : {163, 192, 193, 194, 196, 199, 200, 201, 202, 203, 204, 206,
                  207, 209, 211, 214, 217, 218, 219, 220, 223, 336, 368})
      c.push_back(a);
    return c;
  }();
  return codes;
}

std::string ArtLetterName(const std::string& prefix, int code) {
  return prefix + "_" + std::to_string(code);
}

const std::vector<std::string>& TextBackgroundEffects() {
  static const std::vector<std::string> names = {
      "fire",  "FIRE_withoutsound", "BOOMFIRE",      "BOOMFIRE2",     "BOOMFIRE3", "BOOMFIRE4",
      "comet", "devildom",          "flashballstar", "flashballstar2"};
  return names;
}

const std::vector<std::string>& StaticTextEffects() {
  static const std::vector<std::string> names = {"texteffect1", "line10", "texteffect3", "line16",
                                                 "line4",       "line25", "line31",      "line57",
                                                 "line_097",    "line2",  "line22",      "line34"};
  return names;
}

std::vector<std::string> RequiredTemplateNames() {
  std::vector<std::string> names;
  for (const TArtLetterFamily& family : ArtLetterFamilies())
    for (int code : ArtLetterCodes()) names.push_back(ArtLetterName(family.Prefix, code));
  for (const std::string& name : TextBackgroundEffects()) names.push_back(name);
  for (const std::string& name : StaticTextEffects()) names.push_back(name);
  names.push_back("mouseover");
  for (const TButtonStyle& style : ButtonStyles()) {
    names.push_back(style.Name);
    if (style.HasOver) names.push_back(style.OverName());
  }
  for (int k = 1; k <= 106; ++k) names.push_back("SHAPETEMPLATE" + std::to_string(k));
  return names;
}

std::vector<std::string> RequiredDataFiles() {
  std::vector<std::string> files = {"demo.swf", "albumboader/star.swf", "albumboader/temp.htm",
                                    "ruffle/ruffle.js"};
  for (const char* animation :
       {"text_effect1", "text_effect2", "text_effect_fire", "backgroundball2"})
    files.push_back("albumboader/" + std::string(animation) + ".swf");
  for (const std::string& mask : TransitionMasks()) files.push_back("albumboader/" + mask);
  for (int k = 1; k <= 23; ++k) files.push_back("albumboader/" + std::to_string(k) + ".swf");
  for (int n = 1; n <= kLoadingScreens; ++n)
    files.push_back("albumboader/now_loading" + std::to_string(n) + ".swf");
  for (const char* strip :
       {"Percentloaderimage.gif", "bssoundimage.gif", "Mouseasimages.gif", "delete2.bmp"})
    files.push_back("mc_thumb/" + std::string(strip));
  for (int n = 1; n <= kSamplePhotos; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "photos/photo%02d.jpg", n);
    files.push_back(name);
  }
  for (const std::string& loop : SampleMusic()) {
    files.push_back("sound/" + loop + ".wav");
    files.push_back("sound/" + loop + ".mp3");
  }
  for (int n = 0; n <= 10; ++n) files.push_back("prevswf/text" + std::to_string(n) + ".swf");
  for (int n = 1; n <= 7; ++n) files.push_back("prevswf/album" + std::to_string(n) + ".swf");
  for (int n = 1; n <= kSoundControls; ++n)
    files.push_back("albumboader/sound_control" + std::to_string(n) + ".swf");
  return files;
}

const std::vector<std::string>& SampleMusic() {
  static const std::vector<std::string> names = {"sunny", "calm", "drive", "party"};
  return names;
}

const std::vector<std::string>& TransitionMasks() {
  static const std::vector<std::string> names = {
      "fronteffectbox3x3.swf", "fronteffectbox3x3circle.swf", "fronteffectboxeffect1.swf",
      "fronteffectboxeffect2.swf", "fronteffectboxeffect3.swf"};
  return names;
}

}  // namespace orvanta
