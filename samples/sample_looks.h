#pragma once

#include <cstdint>
#include <string>

namespace orvanta::samples {

// Colours of one sample, 0xRRGGBB.
struct TPalette {
  uint32_t Page, Panel, PanelEdge, Headline, Accent, Text;
};

// The words of one sample: a two-line headline, a tagline and button captions.
struct TCopy {
  const char* Headline;
  const char* Tagline;
  const char* Buttons[4];
};

// Everything a sample chooses besides its layout. The n-th sample takes the n-th entry of each
// list, so that neighbours in the catalogue differ in every respect and every entry of every
// list is used somewhere.
struct TSampleLook {
  TPalette Palette;
  TCopy Copy;
  int Effect = 0;        // TextEffectID
  int FillMode = 0;      // solid, gradient, art letters, texture
  int ArtFamily = 0;     // 0 ... 16
  int GradientType = 0;  // FontFrontGradientColorType
  std::string ButtonStyle;
  int LoadingScreen = 0;  // 0: none
  std::string Music;      // empty: none
  int MusicControl = 0;
  std::string TextBackground;  // an option of the "background effect" group; empty: none
  int FrontEffect = 0;         // 0: none, else FontFrontgroundEffectN
  int StaticTextEffect = 1;    // HTMLTopicbgeffectN
  bool WholeBannerLink = false;
  int Photo = 1;  // photos/photoNN.jpg for pictures, textures and backgrounds
  int Clip = 0;   // a library clip index; 0: none
};

TSampleLook LookOf(int sampleIndex);

// Fill modes of the animated text.
inline constexpr int kSolidFill = 0, kGradientFill = 1, kArtFill = 2, kTextureFill = 3;
inline constexpr int kTextEffects = 11;
inline constexpr int kArtFamilies = 17;

// The option that picks art family k (0 ... 16).
std::string ArtFamilyOption(int family);
// 0xRRGGBB as settings store colours (0x00BBGGRR), in decimal.
int StoredColour(uint32_t rgb);
// "photoNN.jpg", as a picture picked in the photos folder is stored.
std::string PhotoName(int photo);

}  // namespace orvanta::samples
