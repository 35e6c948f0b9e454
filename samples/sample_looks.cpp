#include <array>
#include <cstdio>

#include "sample_looks.h"

namespace orvanta::samples {

namespace {

constexpr std::array<TPalette, 10> kPalettes{{
    {0x0B2545, 0x13315C, 0x8DA9C4, 0xFFFFFF, 0xFFC857, 0xEEF4ED},  // ocean
    {0x2B0F21, 0xE4572E, 0xF3A712, 0xFFF1D0, 0xFFD23F, 0xFFF1D0},  // sunset
    {0x0F2A1D, 0x375F1B, 0x66A61E, 0xF1F7ED, 0xFFD166, 0xE9F5DB},  // forest
    {0x2E0F3B, 0x7B2D8E, 0xC06C84, 0xFDF0F5, 0x6CE5E8, 0xFDF0F5},  // berry
    {0x1C1F26, 0x3A4750, 0x8E9AAF, 0xFFFFFF, 0xF25F5C, 0xDDE3EA},  // steel
    {0xFFF0F5, 0xFF7EB9, 0xFFD3E8, 0x7A0045, 0x00A6A6, 0x5C0033},  // candy
    {0xE8F4FD, 0x4A90D9, 0xBBDEFB, 0x0D3B66, 0xF95738, 0x0D3B66},  // sky
    {0xFFFBE6, 0xF4D35E, 0xEE964B, 0x3D2C02, 0xC0392B, 0x3D2C02},  // lemon
    {0x000814, 0x001D3D, 0x003566, 0xFFC300, 0xFFD60A, 0xE0E6F0},  // night
    {0x1D3557, 0xE63946, 0xA8DADC, 0xF1FAEE, 0xA8DADC, 0xF1FAEE},  // coral
}};

constexpr std::array<TCopy, 16> kCopies{{
    {"Summer Sale\nUp to 50% Off", "Every item, this week only", {"Shop Now", "Offers", "Stores", "Help"}},
    {"Fresh Coffee\nEvery Morning", "Roasted in town since 1998", {"Order", "Menu", "Find Us", "Club"}},
    {"Book Your Trip\nFly Today", "Sunny beaches from 99", {"Book", "Deals", "Hotels", "Cars"}},
    {"New Collection\nSpring 2026", "Designed for every day", {"Discover", "Women", "Men", "Kids"}},
    {"Grand Opening\nThis Weekend", "Music, food and prizes", {"Join Us", "Program", "Map", "Tickets"}},
    {"Learn to Code\nStart Free", "Courses for every level", {"Sign Up", "Courses", "Mentors", "FAQ"}},
    {"Fitness Club\nJoin Today", "First month on us", {"Join", "Classes", "Trainers", "Prices"}},
    {"Pizza Night\nTwo for One", "Hot from the oven", {"Order", "Menu", "Deals", "Call"}},
    {"Garden Days\nPlant Now", "Seeds, tools and advice", {"Visit", "Plants", "Tools", "Tips"}},
    {"Fast Internet\nNo Limits", "Fibre to your door", {"Check", "Plans", "Support", "TV"}},
    {"Holiday Gifts\nFor Everyone", "Wrapped and delivered", {"Gifts", "Ideas", "Cards", "Sale"}},
    {"Live Concert\nFriday Night", "Doors open at eight", {"Tickets", "Line-up", "Venue", "Info"}},
    {"Happy Pets\nVet Care", "Open seven days a week", {"Book", "Services", "Team", "Call"}},
    {"City Bikes\nRide Green", "Rent one in a minute", {"Ride", "Stations", "Prices", "App"}},
    {"Photo Studio\nSmile", "Portraits and weddings", {"Gallery", "Book", "Prices", "About"}},
    {"Bakery Fresh\nDaily Bread", "Baked before sunrise", {"Order", "Breads", "Cakes", "Visit"}},
}};

// Button styles whose caption sits on the art, drawn at a banner button's proportions.
constexpr std::array<const char*, 12> kButtonStyles = {
    "Button10", "Button12", "Button3_2", "Button14", "Button26",  "Button39",
    "Button6",  "Button16", "Button7_3", "Button7_5", "Button3_4", "Button7_1"};

constexpr std::array<const char*, 10> kTextBackgrounds = {
    "FontBackgroundEffectFire",        "FontBackgroundEffecFlashballStar",
    "FontBackgroundEffectComet",       "FontBackgroundEffectFireNoSound",
    "FontBackgroundEffectboomFire1",   "FontBackgroundEffectboomfire2",
    "FontBackgroundEffectboomfire3",   "FontBackgroundEffectBoomFire4",
    "FontBackgroundEffectDevildom",    "FontBackgroundEffecFlashballStar2"};

// Library clips on a clear ground that decorate a banner without covering it: flowers, a heart,
// a gift, a diamond, a bow.
constexpr std::array<int, 10> kDecorations = {18, 22, 55, 57, 78, 116, 117, 223, 120, 53};

constexpr std::array<const char*, 4> kMusic = {"sunny.mp3", "calm.mp3", "drive.wav", "party.mp3"};

}  // namespace

std::string ArtFamilyOption(int family) {
  if (family == 0) return "FontFrontArtTextDot";
  if (family == kArtFamilies - 1) return "FontFrontArtTextIce";
  return "FontFrontArtText" + std::to_string(family + 2);
}

int StoredColour(uint32_t rgb) {
  return int(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

std::string PhotoName(int photo) {
  char name[16];
  std::snprintf(name, sizeof name, "photo%02d.jpg", photo);
  return name;
}

TSampleLook LookOf(int i) {
  TSampleLook look;
  look.Palette = kPalettes[i % kPalettes.size()];
  look.Copy = kCopies[(i * 5) % kCopies.size()];
  look.Effect = i % kTextEffects;
  // Solid and gradient letters are the common case; art letters every third sample.
  constexpr int kFills[] = {kSolidFill, kGradientFill, kArtFill, kSolidFill, kArtFill,
                            kGradientFill, kArtFill, kTextureFill, kSolidFill};
  look.FillMode = kFills[i % 9];
  look.ArtFamily = (i / 2) % kArtFamilies;
  look.GradientType = (i * 3) % 16;
  look.ButtonStyle = kButtonStyles[i % kButtonStyles.size()];
  if (i % 3 == 0) look.LoadingScreen = (i / 3) % 8 + 1;
  if (i % 4 == 1) {
    look.Music = kMusic[(i / 4) % kMusic.size()];
    look.MusicControl = (i / 4) % 6 + 1;
  }
  if (i % 5 == 3) look.TextBackground = kTextBackgrounds[(i / 5) % kTextBackgrounds.size()];
  if (i % 7 == 4) look.FrontEffect = (i / 7) % 6 + 1;
  look.StaticTextEffect = i % 12 + 1;
  look.WholeBannerLink = i % 6 == 5;
  look.Photo = (i * 11) % 28 + 1;
  if (i % 4 == 2) look.Clip = kDecorations[(i / 4) % kDecorations.size()];
  return look;
}

}  // namespace orvanta::samples
