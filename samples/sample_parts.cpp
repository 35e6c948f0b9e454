#include "sample_parts.h"

#include <algorithm>

#include "platform/button_styles.h"
#include "platform/errors.h"

namespace orvanta::samples {

namespace {

std::string N(int i) {
  return std::to_string(i);
}

// Buttons 1 to 7 are suffixed plainly, 8 to 20 with an underscore.
std::string ButtonField(const std::string& stem, int i) {
  return stem + (i <= 7 ? "" : "_") + N(i);
}

// Frame shapes of a static image, as the shape choice numbers them.
constexpr int kCircleFrame = 1, kStarFrame = 3;

int ButtonStyleIndex(const std::string& name) {
  const auto& styles = ButtonStyles();
  for (size_t i = 0; i < styles.size(); ++i)
    if (styles[i].Name == name) return int(i) + 1;
  throw Error("no button style is named " + name);
}

void SetBox(TSampleRecipe& recipe, const std::string& x, const std::string& y,
            const std::string& width, const std::string& height, TBox box) {
  recipe.Set(x, box.Left);
  recipe.Set(y, box.Top);
  recipe.Set(width, box.Width);
  recipe.Set(height, box.Height);
}

}  // namespace

void AddPageBackground(TSampleRecipe& recipe, const TSampleLook& look, int picture) {
  recipe.Set("PageBackGroundSolidColor", StoredColour(look.Palette.Page));
  if (picture > 0) {
    recipe.Set("PageBackGroundImageEnabled", true);
    recipe.Set("PageBackGroundImageEdit", PhotoName(picture));
  }
}

void AddPanel(TSampleRecipe& recipe, int slot, int style, TBox box, uint32_t colour1,
              uint32_t colour2, int alpha) {
  const std::string s = "shape" + N(slot);
  recipe.Set(s + "listbox", style);
  SetBox(recipe, s + "posx", s + "posy", s + "width", s + "height", box);
  recipe.Set(s + "alpha", alpha);
  recipe.Set(s + "color1", StoredColour(colour1));
  recipe.Set(s + "color2", StoredColour(colour2));
}

void AddHeadline(TSampleRecipe& recipe, const TSampleLook& look, int left, int top, int points,
                 bool showAll) {
  std::string text = look.Copy.Headline;
  TFontSetting& font = recipe.Font(TFontSlot::AnimatedText);
  font = {"Arial", points, true, false};
  recipe.Set("TextEffectID", look.Effect);
  recipe.Set("TextDisplayType", showAll ? 1 : 0);
  recipe.Set("TextHorz", 2);
  recipe.Set("TextPosX", left);
  recipe.Set("TextPosY", top);
  recipe.Set("suiSpinEdit9", 1500);
  recipe.Set("PageDelayTime", 2500);
  const TPalette& p = look.Palette;
  switch (look.FillMode) {
    case kGradientFill:
      recipe.Set("FontFrontGradientColorEnabled", true);
      recipe.Set("FontFrontGradientColorStart", StoredColour(p.Headline));
      recipe.Set("FontFrontGradientColorEnd", StoredColour(p.Accent));
      recipe.Set("FontFrontGradientColorType", look.GradientType);
      recipe.Inks.push_back(
          {"Animated Text", {"FontFrontGradientColorStart"}, p.Headline, p.Page});
      break;
    case kArtFill:
      // Art letters exist for capitals only; the letters are drawn 120 pixels high and scaled.
      std::transform(text.begin(), text.end(), text.begin(), ::toupper);
      recipe.Set("FontFrontArtTextEnabled", true);
      recipe.Set(ArtFamilyOption(look.ArtFamily), true);
      break;
    case kTextureFill:
      recipe.Set("FontFrontImageEnabled", true);
      recipe.Set("FontFrontImageEditBox", PhotoName(look.Photo));
      recipe.Set("FontFrontImageType", 1);
      recipe.Set("LetterLineWidth", 1);
      recipe.Set("LetterLineColor", StoredColour(p.Headline));
      break;
    default:
      recipe.Set("FontFrontSolidColorEnabled", true);
      recipe.Set("FontFrontSolidColor", StoredColour(p.Headline));
      recipe.Inks.push_back({"Animated Text", {"FontFrontSolidColor"}, p.Headline, p.Page});
      recipe.Set("shadowwidth", 2);
      recipe.Set("ShadowPosition", 1);
  }
  if (!look.TextBackground.empty()) recipe.Set(look.TextBackground, true);
  if (look.FrontEffect > 0) recipe.Set("FontFrontgroundEffect" + N(look.FrontEffect), true);
  recipe.Headline = text;
}

void AddStaticText(TSampleRecipe& recipe, int slot, const std::string& text, int left, int top,
                   int points, uint32_t colour, uint32_t contrast, bool effect) {
  const std::string d = "Description" + N(slot);
  recipe.StaticTexts[slot - 1] = text;
  recipe.Font(StaticTextFont(slot)) = {"Arial", points, false, false};
  recipe.Set(d + "PosX", left);
  recipe.Set(d + "PosY", top);
  recipe.Set(d + "color", StoredColour(colour));
  recipe.Inks.push_back({"Static Text" + N(slot), {d + "color"}, colour, contrast});
  recipe.Set("DescriptionBGEffect" + N(slot), effect);
}

void AddButtons(TSampleRecipe& recipe, const TSampleLook& look, int count, int left, int top,
                int height, int span, bool vertical, int gap) {
  if (look.WholeBannerLink) {
    recipe.Set("buttonurlenabled0", true);
    recipe.Set("buttonurl0", "https://example.com/");
    return;
  }
  recipe.Set("buttonurlenabled0", false);
  const int style = ButtonStyleIndex(look.ButtonStyle);
  const TButtonStyle& info = ButtonStyleInfo(style);
  for (int i = 1; i <= count; ++i) {
    recipe.Set(ButtonField("buttonindex", i), style);
    recipe.Set(ButtonField("buttontext", i), look.Copy.Buttons[(i - 1) % 4]);
    recipe.Set(ButtonField("buttonurl", i), "https://example.com/" + N(i));
  }
  const int fitting = vertical ? span * 100 / info.Width
                              : (span - gap * (count - 1)) * 100 / (count * info.Width);
  recipe.Set("buttonzoom1", std::clamp(std::min(height * 100 / info.Height, fitting), 10, 500));
  recipe.Set("buttonx1", left);
  recipe.Set("buttony1", top);
  recipe.Set("buttontextHV", vertical ? 1 : 0);
  recipe.Set("buttontextstep", gap);
  recipe.Set("buttonfontcolor", StoredColour(0xFFFFFF));
  recipe.Font(TFontSlot::Buttons) = {"Arial", std::max(8, height * 3 / 8), true, false};
}

void AddPicture(TSampleRecipe& recipe, int slot, int photo, TBox box, int shape) {
  // A circle or a star is drawn as wide as the box and as high as it is wide: square the box
  // around its centre so that it keeps to the space given.
  if (shape == kCircleFrame || shape == kStarFrame) {
    const int side = std::min(box.Width, box.Height);
    box = {box.Left + (box.Width - side) / 2, box.Top + (box.Height - side) / 2, side, side};
  }
  const bool back = slot == 4;
  const std::string suffix = back ? "3" : slot == 1 ? "" : N(slot);
  const std::string field = back ? "BGImageText3" : "StaticImageText" + suffix;
  const std::string pos = back ? "BGimage" : "staticimage";
  const std::string flags = back ? "bgimage" : "staticimage";
  recipe.Set(field, PhotoName(photo));
  SetBox(recipe, pos + "x" + suffix, pos + "y" + suffix, pos + "width" + suffix,
         pos + "height" + suffix, box);
  recipe.Set(flags + "wh" + suffix, false);
  if (shape >= 0) recipe.Set(flags + "shape" + suffix, shape);
  if (!back) recipe.Set(flags + "shadow" + suffix, true);
}

void AddClip(TSampleRecipe& recipe, int layer, int clip, int left, int top, int scale) {
  recipe.Set("PageEffectID" + N(layer), clip);
  recipe.Set("PageBackGroundPosX" + N(layer), left);
  recipe.Set("PageBackGroundPosY" + N(layer), top);
  recipe.Set("PageBackGroundScalewidth" + N(layer), scale);
}

void AddSlideshow(TSampleRecipe& recipe, int firstPhoto, int photos, TBox box, int transition,
                  int border, bool thumbs) {
  for (int i = 0; i < photos; ++i) recipe.Photos.push_back(PhotoName((firstPhoto - 1 + i) % 28 + 1));
  SetBox(recipe, "photox", "photoy", "photowidth", "photoheight", box);
  recipe.Set("photodelay", 3);
  recipe.Set("slideshoweffect", transition);
  recipe.Set("photoborderindex", border);
  recipe.Set("thumbenabled", thumbs);
  if (!thumbs) return;
  const int thumbWidth = std::max(40, box.Width / 6);
  recipe.Set("gallerythumbwidth", thumbWidth);
  recipe.Set("galleryrow", 1);
  recipe.Set("gallerycol", std::min(photos, 5));
  recipe.Set("galleryspace", 10);
  recipe.Set("galleryx", box.Left);
  recipe.Set("galleryy", box.Top + box.Height + 24);
}

void AddHtmlText(TSampleRecipe& recipe, int slot, const std::string& html, TBox box, bool glow) {
  recipe.HtmlTexts[slot - 1] = html;
  SetBox(recipe, "staticmemoposx" + N(slot), "staticmemoposy" + N(slot),
         "staticmemowidth" + N(slot), "staticmemoheight" + N(slot), box);
  recipe.Set("TextGlow" + N(slot), glow);
}

void AddLoadingAndMusic(TSampleRecipe& recipe, const TSampleLook& look, int controlLeft,
                        int controlTop) {
  if (look.LoadingScreen > 0) recipe.Set("preloadindex", look.LoadingScreen);
  if (look.Music.empty()) return;
  recipe.Set("bgsound", look.Music);
  recipe.Set("bgsoundcontrol", look.MusicControl);
  recipe.Set("bgsoundcontrolx", controlLeft);
  recipe.Set("bgsoundcontroly", controlTop);
}

void CentreLater(TSampleRecipe& recipe, const std::string& slot, int left, int right) {
  recipe.Centre.push_back({slot, left, right});
}

}  // namespace orvanta::samples
