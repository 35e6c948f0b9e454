#include "builders/animated_text/text_settings.h"

#include <cmath>

#include "platform/artwork_names.h"
#include "platform/codepage.h"
#include "project/content_builder.h"

namespace orvanta {

namespace {

// Settings keep colours as 0x00BBGGRR; builders use packed RGBA with alpha on top.
uint32_t Colour(const TPageState& page, std::string_view name) {
  return (uint32_t(IntegerField(page, name)) & 0xFFFFFF) | 0xFF000000;
}

std::vector<std::u16string> SplitLines(const std::string& text) {
  std::vector<std::u16string> lines;
  if (text.empty()) return lines;
  std::u16string line;
  for (char16_t c : Utf8ToUtf16(text)) {
    if (c == u'\n') {
      lines.push_back(std::move(line));
      line.clear();
    } else if (c != u'\r') {
      line.push_back(c);
    }
  }
  lines.push_back(std::move(line));
  return lines;
}

TLetterFill ReadFill(const TPageState& page) {
  if (OptionField(page, "FontFrontGradientColorEnabled")) return TLetterFill::Gradient;
  if (OptionField(page, "FontFrontImageEnabled")) return TLetterFill::Texture;
  if (OptionField(page, "FontFrontArtTextEnabled")) return TLetterFill::Art;
  return TLetterFill::Solid;
}

// The radio buttons in the order they are tested: "3D Glass" first, then "Inverted" ... "3D";
// "Ice" (or none checked) last.
std::string ReadArtFamily(const TPageState& page) {
  const auto& families = ArtLetterFamilies();
  if (OptionField(page, "FontFrontArtTextDot")) return families[0].Prefix;
  for (int i = 3; i <= 17; ++i)
    if (OptionField(page, "FontFrontArtText" + std::to_string(i))) return families[i - 2].Prefix;
  return families.back().Prefix;
}

std::string ReadBackgroundEffect(const TPageState& page) {
  for (const auto& [field, name] : BackgroundEffectResources())
    if (OptionField(page, field)) return name;
  return {};
}

int ReadForegroundEffect(const TPageState& page) {
  for (int i = 1; i <= 6; ++i)
    if (OptionField(page, "FontFrontgroundEffect" + std::to_string(i))) return i;
  return 0;
}

TLetterMotion ReadMotion(const TPageState& page) {
  if (OptionField(page, "Letterblur")) return TLetterMotion::Blur;
  if (OptionField(page, "letterlaser")) return TLetterMotion::Laser;
  return TLetterMotion::None;
}

}  // namespace

const std::vector<std::pair<std::string, std::string>>& BackgroundEffectResources() {
  static const std::vector<std::pair<std::string, std::string>> effects{
      {"FontBackgroundEffectFire", "fire"},
      {"FontBackgroundEffectFireNoSound", "FIRE_withoutsound"},
      {"FontBackgroundEffectboomFire1", "BOOMFIRE"},
      {"FontBackgroundEffectboomfire2", "BOOMFIRE2"},
      {"FontBackgroundEffectboomfire3", "BOOMFIRE3"},
      {"FontBackgroundEffectBoomFire4", "BOOMFIRE4"},
      {"FontBackgroundEffectComet", "comet"},
      {"FontBackgroundEffectDevildom", "devildom"},
      {"FontBackgroundEffecFlashballStar", "flashballstar"},
      {"FontBackgroundEffecFlashballStar2", "flashballstar2"}};
  return effects;
}

int PointsToPixels(int points) {
  return int(std::lround(points * 96.0 / 72.0));
}

TAnimatedTextSettings ReadAnimatedTextSettings(const TPageState& page) {
  TAnimatedTextSettings s;
  s.Lines = SplitLines(page.InputText);
  s.Effect = TTextEffect(IntegerField(page, "TextEffectID"));
  s.EnterExitMs = IntegerField(page, "suiSpinEdit9");
  s.DisplayMs = IntegerField(page, "PageDelayTime");
  s.Display = TTextDisplay(IntegerField(page, "TextDisplayType"));
  s.Align = TTextAlign(IntegerField(page, "TextHorz"));
  s.LetterSpace = IntegerField(page, "letterSpace");
  s.LineSpace = IntegerField(page, "LineSpace");
  s.PosX = IntegerField(page, "TextPosX");
  s.PosY = IntegerField(page, "TextPosY");
  s.Rotation = IntegerField(page, "TextRotation");
  s.HeightPercent = IntegerField(page, "LetterHeightScale");
  s.Font = page.Fonts[int(TFontSlot::AnimatedText)];

  s.Fill = ReadFill(page);
  s.SolidColor = Colour(page, "FontFrontSolidColor");
  s.RandomColor = OptionField(page, "FontFrontSolidColorRandom");
  s.GradientStart = Colour(page, "FontFrontGradientColorStart");
  s.GradientEnd = Colour(page, "FontFrontGradientColorEnd");
  s.GradientType = IntegerField(page, "FontFrontGradientColorType");
  s.GradientAngle = IntegerField(page, "FontFrontGradientColorRotation");
  s.TextureFile = page.Field("FontFrontImageEditBox").Text;
  s.TextureX = IntegerField(page, "FontFrontImagePosX");
  s.TextureY = IntegerField(page, "FontFrontImagePosY");
  s.TextureAnchor = TTextureAnchor(IntegerField(page, "FontFrontImageType"));
  s.ArtFamily = ReadArtFamily(page);
  s.ReplaceColor = OptionField(page, "FontFrontArtColorEnabled");
  s.RandomArtColor = OptionField(page, "FontFrontArtColorRandom");
  s.ArtColor = Colour(page, "FontFrontArtColor");

  s.OutlineWidth = IntegerField(page, "LetterLineWidth");
  s.OutlineColor = Colour(page, "LetterLineColor");
  s.ShadowWidth = IntegerField(page, "shadowwidth");
  s.ShadowPosition = IntegerField(page, "ShadowPosition");
  s.ForegroundEffect = ReadForegroundEffect(page);
  s.Motion = ReadMotion(page);
  s.Swing = OptionField(page, "letterlinerotation");
  s.JitterX = IntegerField(page, "LetterDitheringX");
  s.JitterY = IntegerField(page, "LetterDitheringY");
  s.JitterRotation = IntegerField(page, "LetterDitheringRotate");
  s.JitterHeight = IntegerField(page, "LetterDitheringHeight");
  s.ShadowPanel = OptionField(page, "lettershadowpanel");
  s.ShadowPanelColor = Colour(page, "lettershadowcolor");
  s.BackgroundEffect = ReadBackgroundEffect(page);

  s.Width = IntegerField(page, "SWFWidth");
  s.Height = IntegerField(page, "SWFHeight");
  s.FramesPerSecond = IntegerField(page, "SpeedFPS");
  return s;
}

}  // namespace orvanta
