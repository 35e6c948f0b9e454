#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "project/banner_document.h"

namespace orvanta {

enum class TTextEffect : uint8_t {
  None = 0,
  Round = 1,
  RoundZoom = 2,
  Zoom = 3,
  FlyRightToLeft = 4,
  FlyBottomToTop = 5,
  FlyLeftToRight = 6,
  FlyTopToBottom = 7,
  Transparence = 8,
  StepByStep = 9,
  RoundStepByStep = 10,
};
inline constexpr int kTextEffectCount = 11;

enum class TTextDisplay : uint8_t { LineByLine = 0, ShowAll = 1 };
enum class TTextAlign : uint8_t { Left = 0, Right = 1, Centre = 2 };
enum class TLetterFill : uint8_t { Solid, Gradient, Texture, Art };
enum class TLetterMotion : uint8_t { None, Blur, Laser };
enum class TTextureAnchor : uint8_t { Letter = 0, Text = 1 };

// The animated text editor's fields, read once per build. Colours are packed RGBA, opaque.
struct TAnimatedTextSettings {
  std::vector<std::u16string> Lines;
  TTextEffect Effect = TTextEffect::None;
  int EnterExitMs = 2500, DisplayMs = 2500;
  TTextDisplay Display = TTextDisplay::LineByLine;
  TTextAlign Align = TTextAlign::Centre;
  int LetterSpace = 0, LineSpace = 0;
  int PosX = 0, PosY = 50;
  int Rotation = 0;
  int HeightPercent = 100;
  TFontSetting Font;

  TLetterFill Fill = TLetterFill::Solid;
  uint32_t SolidColor = 0xFFFF0000;
  bool RandomColor = false;
  uint32_t GradientStart = 0, GradientEnd = 0;
  int GradientType = 13, GradientAngle = 45;
  std::string TextureFile = "None";
  int TextureX = 0, TextureY = 0;
  TTextureAnchor TextureAnchor = TTextureAnchor::Letter;
  std::string ArtFamily = "icetext";  // template name prefix
  bool ReplaceColor = false, RandomArtColor = false;
  uint32_t ArtColor = 0xFF0000FF;

  int OutlineWidth = 0;
  uint32_t OutlineColor = 0xFF000000;
  int ShadowWidth = 0, ShadowPosition = 0;
  int ForegroundEffect = 0;  // 0 disabled, 1 ... 6
  TLetterMotion Motion = TLetterMotion::None;
  bool Swing = false;
  int JitterX = 0, JitterY = 0, JitterRotation = 0, JitterHeight = 0;
  bool ShadowPanel = false;
  uint32_t ShadowPanelColor = 0xFFC0C0C0;
  std::string BackgroundEffect;  // template name, empty for none

  int Width = 0, Height = 0, FramesPerSecond = 12;  // the banner's

  bool HasJitter() const { return JitterX || JitterY || JitterRotation || JitterHeight; }
  // Something changes from one held frame to the next.
  bool MovesWhileHeld() const { return Motion != TLetterMotion::None || Swing || HasJitter(); }
  bool ArtLetters() const { return Fill == TLetterFill::Art; }
  double HeightScale() const { return HeightPercent / 100.0; }
};

TAnimatedTextSettings ReadAnimatedTextSettings(const TPageState& page);

// Points at 96 dots per inch, as the font dialog's sizes are meant on screen.
int PointsToPixels(int points);

// The background-effect options with the template each imports, in the order they are tested.
const std::vector<std::pair<std::string, std::string>>& BackgroundEffectResources();

}  // namespace orvanta
