#include <algorithm>
#include <cmath>

#include "art_movie.h"
#include "artwork_output.h"
#include "clip_art.h"
#include "families.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "platform/clip_table.h"
#include "platform/template_pack.h"

namespace orvanta::artwork {

namespace {

// The picture-font glyphs of a name: the first keyword the name contains decides; numbered
// siblings take turns through its list, skipping glyphs the font lacks.
struct TPictureKind {
  const char* Keyword;
  std::vector<char32_t> Glyphs;
  uint32_t Color;
};

const std::vector<TPictureKind>& PictureKinds() {
  static const std::vector<TPictureKind> kinds = {
      {"pumpkin", {0x1F383}, PackRGBA(240, 120, 20, 255)},
      {"spider", {0x1F577}, PackRGBA(40, 30, 40, 255)},
      {"witch", {0x1F319, 0x263D}, PackRGBA(120, 60, 160, 255)},
      {"ghost", {0x1F47B}, PackRGBA(120, 130, 170, 255)},
      {"halloween", {0x1F383}, PackRGBA(240, 120, 20, 255)},
      {"christmas_tree", {0x1F384}, PackRGBA(20, 130, 50, 255)},
      {"christmas_bell", {0x1F514}, PackRGBA(220, 170, 20, 255)},
      {"present", {0x1F381}, PackRGBA(210, 30, 40, 255)},
      {"gift", {0x1F381}, PackRGBA(210, 30, 60, 255)},
      {"christmasman", {0x1F385}, PackRGBA(200, 20, 30, 255)},
      {"dravella", {0x1F478, 0x1F469}, PackRGBA(170, 40, 120, 255)},
      {"snowman", {0x26C4, 0x2603}, PackRGBA(60, 110, 190, 255)},
      {"fireplace", {0x1F525}, PackRGBA(230, 90, 20, 255)},
      {"christmas_mouse", {0x1F42D}, PackRGBA(130, 110, 100, 255)},
      {"xmas", {0x1F385}, PackRGBA(200, 20, 30, 255)},
      {"christmas", {0x1F384}, PackRGBA(20, 130, 50, 255)},
      {"mangirl", {0x1F46B}, PackRGBA(60, 80, 150, 255)},
      {"kids", {0x1F6B8, 0x1F46A}, PackRGBA(230, 140, 30, 255)},
      {"oldpeople", {0x1F475, 0x1F474}, PackRGBA(120, 100, 90, 255)},
      {"soldier", {0x1F482}, PackRGBA(60, 90, 40, 255)},
      {"walking", {0x1F6B6}, PackRGBA(40, 90, 160, 255)},
      {"running", {0x1F3C3}, PackRGBA(200, 60, 40, 255)},
      {"footmark", {0x1F463}, PackRGBA(110, 80, 60, 255)},
      {"hand", {0x270B, 0x1F590}, PackRGBA(220, 150, 110, 255)},
      {"girl",
       {0x1F467, 0x1F469, 0x1F478, 0x1F470, 0x1F481, 0x1F483, 0x1F64B, 0x1F486},
       PackRGBA(200, 60, 130, 255)},
      {"grll", {0x1F467}, PackRGBA(200, 60, 130, 255)},
      {"women", {0x1F469}, PackRGBA(180, 50, 110, 255)},
      {"matrix", {0x1F575, 0x1F468}, PackRGBA(20, 140, 40, 255)},
      {"man",
       {0x1F468, 0x1F474, 0x1F471, 0x1F472, 0x1F473, 0x1F477, 0x1F46E, 0x1F575},
       PackRGBA(40, 80, 170, 255)},
      {"angel", {0x1F47C}, PackRGBA(230, 180, 60, 255)},
      {"computer",
       {0x1F5A5, 0x1F4BB, 0x1F5A8, 0x2328, 0x1F4BE, 0x1F4BF},
       PackRGBA(50, 70, 110, 255)},
      {"pda", {0x1F4F1}, PackRGBA(60, 60, 80, 255)},
      {"speaker", {0x1F50A, 0x1F4E2, 0x1F509, 0x1F508}, PackRGBA(40, 40, 60, 255)},
      {"mouse", {0x1F5B1, 0x1F42D}, PackRGBA(70, 70, 90, 255)},
      {"mp3", {0x1F3B5}, PackRGBA(120, 40, 160, 255)},
      {"music", {0x1F3B6}, PackRGBA(120, 40, 160, 255)},
      {"robot", {0x1F916, 0x2699}, PackRGBA(110, 120, 140, 255)},
      {"camera", {0x1F4F7}, PackRGBA(40, 40, 40, 255)},
      {"webcam", {0x1F3A5}, PackRGBA(40, 40, 60, 255)},
      {"tv", {0x1F4FA}, PackRGBA(60, 60, 80, 255)},
      {"phone", {0x1F4DE, 0x260E}, PackRGBA(40, 40, 40, 255)},
      {"mcbus", {0x1F68C}, PackRGBA(230, 170, 20, 255)},
      {"traffic", {0x1F695, 0x1F697}, PackRGBA(220, 180, 20, 255)},
      {"car", {0x1F697, 0x1F698, 0x1F3CE, 0x1F699}, PackRGBA(200, 30, 30, 255)},
      {"cup", {0x2615, 0x1F375, 0x1F37A}, PackRGBA(120, 70, 40, 255)},
      {"bottle", {0x1F37C, 0x1F377}, PackRGBA(40, 120, 90, 255)},
      {"sunflower", {0x1F33B}, PackRGBA(240, 180, 20, 255)},
      {"rose", {0x1F339}, PackRGBA(210, 20, 50, 255)},
      {"bee", {0x1F41D}, PackRGBA(200, 150, 20, 255)},
      {"flower",
       {0x1F338, 0x1F337, 0x1F33A, 0x1F33C, 0x1F490, 0x2698},
       PackRGBA(230, 90, 150, 255)},
      {"butterfly", {0x1F98B, 0x1F41B}, PackRGBA(60, 90, 210, 255)},
      {"beetle", {0x1F41E}, PackRGBA(200, 30, 30, 255)},
      {"honey", {0x1F36F}, PackRGBA(220, 150, 20, 255)},
      {"dog", {0x1F415}, PackRGBA(140, 90, 50, 255)},
      {"sheep", {0x1F411}, PackRGBA(110, 110, 110, 255)},
      {"bear", {0x1F43B}, PackRGBA(140, 90, 50, 255)},
      {"cat", {0x1F431}, PackRGBA(220, 110, 40, 255)},
      {"dolphin", {0x1F42C}, PackRGBA(40, 120, 200, 255)},
      {"eagle", {0x1F985, 0x1F426}, PackRGBA(110, 70, 30, 255)},
      {"bird", {0x1F426}, PackRGBA(40, 120, 200, 255)},
      {"brid", {0x1F426}, PackRGBA(230, 170, 30, 255)},
      {"firefly", {0x1F41B, 0x2728}, PackRGBA(200, 200, 30, 255)},
      {"shopping", {0x1F6CD, 0x1F45C}, PackRGBA(210, 60, 120, 255)},
      {"starbag", {0x1F45D, 0x1F45C}, PackRGBA(220, 150, 20, 255)},
      {"bag", {0x1F45C}, PackRGBA(160, 60, 40, 255)},
      {"shoes", {0x1F460}, PackRGBA(200, 20, 60, 255)},
      {"money", {0x1F4B0}, PackRGBA(40, 140, 60, 255)},
      {"creditcard", {0x1F4B3}, PackRGBA(40, 80, 160, 255)},
      {"fingerring", {0x1F48D}, PackRGBA(200, 160, 40, 255)},
      {"chocolate", {0x1F36B}, PackRGBA(110, 60, 30, 255)},
      {"heart", {0x2764}, PackRGBA(220, 20, 60, 255)},
      {"love", {0x2764}, PackRGBA(220, 20, 60, 255)},
      {"earth", {0x1F30D}, PackRGBA(30, 110, 200, 255)},
      {"world", {0x1F30D}, PackRGBA(30, 110, 200, 255)},
      {"map", {0x1F5FA}, PackRGBA(40, 90, 160, 255)},
      {"clock", {0x1F552}, PackRGBA(60, 60, 90, 255)},
      {"timer", {0x23F0, 0x231B}, PackRGBA(180, 40, 40, 255)},
      {"book", {0x1F4D6}, PackRGBA(140, 60, 30, 255)},
      {"pen", {0x1F58B, 0x2712}, PackRGBA(30, 50, 110, 255)},
      {"setsquare", {0x1F4D0}, PackRGBA(40, 110, 160, 255)},
      {"roundtool", {0x1F4CF, 0x1F4D0}, PackRGBA(160, 110, 40, 255)},
      {"search", {0x1F50D}, PackRGBA(60, 60, 90, 255)},
      {"arrow", {0x27A1}, PackRGBA(30, 120, 200, 255)},
      {"diamond", {0x1F48E}, PackRGBA(60, 150, 220, 255)},
      {"box", {0x1F4E6}, PackRGBA(160, 110, 50, 255)},
      {"happyface", {0x263A}, PackRGBA(230, 170, 20, 255)},
      {"umbrella", {0x2602}, PackRGBA(150, 40, 160, 255)},
      {"cherry", {0x1F352}, PackRGBA(200, 20, 40, 255)},
      {"ufo", {0x1F6F8, 0x1F680}, PackRGBA(90, 110, 140, 255)},
      {"cabin", {0x1F3E0}, PackRGBA(150, 80, 40, 255)},
      {"building", {0x1F3E2}, PackRGBA(90, 100, 120, 255)},
      {"poker", {0x1F0CF, 0x2660}, PackRGBA(20, 110, 50, 255)},
      {"bowknot", {0x1F380}, PackRGBA(220, 40, 110, 255)},
      {"balloon", {0x1F388}, PackRGBA(220, 60, 30, 255)},
      {"tree", {0x1F333, 0x1F332, 0x1F334}, PackRGBA(40, 130, 40, 255)},
  };
  return kinds;
}

// The icon set: a different sign on each numbered tile.
const std::vector<char32_t> kIconGlyphs = {
    0x2605,  0x2709,  0x260E,  0x2764,  0x266B,  0x1F3E0, 0x2714,  0x26A0,
    0x2602,  0x2600,  0x1F4A1, 0x1F512, 0x1F4C5, 0x1F4E7, 0x1F50E, 0x2699,
    0x1F4F7, 0x1F381, 0x1F30D, 0x1F3C6, 0x1F4B0, 0x1F6D2, 0x1F4AC, 0x1F514,
    0x2708,  0x1F697, 0x1F3B5, 0x1F4DA, 0x1F4CC, 0x1F511, 0x1F4BE, 0x1F3A8};

bool IsMouseFollower(const std::string& lower) {
  return lower == "christmas_mouse" || lower == "mouseheart" || lower == "mouse" ||
         lower == "firefly";
}

}  // namespace

// People, computers, flowers, cars, cups, animals, Halloween and Christmas pieces and icons,
// drawn from the picture font's glyphs, each gently moving.
void GeneratePictureClips(TArtworkOutput& output) {
  for (const std::string& name : DistinctClipNames()) {
    if (ClipGroupOf(name) != TClipGroup::Pictures) continue;
    const std::string lower = FoldName(name);
    const uint64_t h = NameHash(name);
    constexpr int32_t kSize = 120;
    auto movie = NewArtMovie(kSize, kSize);
    char32_t glyph = U'\u2605';
    uint32_t color = HueColor(h % 360, 0.8, 0.7);
    const bool icon = lower.rfind("icon", 0) == 0;
    if (icon) {
      const int number = std::atoi(lower.c_str() + 4);
      glyph = FirstDrawnGlyph({kIconGlyphs[size_t(number) % kIconGlyphs.size()]});
      TFlashShape* tile = movie->AddRoundRect(6, 6, kSize - 6, kSize - 6, 20);
      tile->SetLinearGradient(HueColor(number * 37, 0.5, 1), HueColor(number * 37, 0.9, 0.6), 90);
      tile->SetLineStyle(2, PackRGBA(255, 255, 255, 255));
      movie->PlaceObject(tile, 1);
      color = PackRGBA(255, 255, 255, 255);
    } else {
      for (const TPictureKind& kind : PictureKinds())
        if (lower.find(kind.Keyword) != std::string::npos) {
          std::vector<char32_t> turn = kind.Glyphs;
          std::rotate(turn.begin(), turn.begin() + long(h % turn.size()), turn.end());
          glyph = FirstDrawnGlyph(turn);
          color = kind.Color;
          break;
        }
      // A soft halo behind the picture keeps it readable on any banner.
      TFlashShape* halo = movie->AddCircle(kSize / 2, kSize / 2, kSize / 2 - 2);
      halo->SetRadialGradient(HueColor(h % 360, 0.25, 1, 200), HueColor(h % 360, 0.3, 1, 0), 50,
                              50);
      movie->PlaceObject(halo, 1);
    }
    const double size = icon ? kSize * 0.6 : kSize * 0.8;
    TFlashShape* picture = AddGlyphShape(*movie, glyph, size, color);
    const bool turns = lower.find("flower") != std::string::npos;
    const bool flaps = lower.find("butterfly") != std::string::npos;
    PlayFrames(*movie, 24,
               {{picture,
                 [=](TFlashPlaceObject& p, int f) {
                   const double wave = std::sin(f * 6.2832 / 24);
                   p.SetTranslate(kSize / 2, int32_t(kSize / 2 + (icon ? 0 : 4 * wave)));
                   if (turns) p.SetRotate(15 * wave);
                   if (flaps) p.SetScale(0.6 + 0.4 * std::fabs(wave), 1);
                   if (icon) p.SetScale(1 + 0.06 * wave, 1 + 0.06 * wave);
                 }}},
               2, [&] {
                 if (IsMouseFollower(lower)) FollowPointer(*movie, kSize, kSize);
               });
    AddClip(output, "clip_pictures", name, *movie);
  }
}

}  // namespace orvanta::artwork
