#include "builders/animated_text/letter_builder.h"

#include <cmath>

#include "builders/animated_text/foreground_effects.h"
#include "builders/animated_text/letter_keys.h"
#include "builders/common/placement_alpha.h"
#include "media/filters.h"
#include "media/flash_external_movie.h"
#include "movie/flash_edges.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_sprite.h"
#include "movie/flash_text.h"
#include "platform/artwork_names.h"
#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/random.h"
#include "platform/stream.h"
#include "platform/template_pack.h"

namespace orvanta {

namespace {

// The art letters' key colour: Replace Color shifts it onto the chosen one.
constexpr int kArtKeyRed = 180, kArtKeyGreen = 225, kArtKeyBlue = 245;
// A text field keeps its text this far from its edges.
constexpr int kFieldGutter = 2;
// Art letter templates are drawn 120 pixels high.
constexpr int kArtFrameHeight = 120;

int Jitter(TRandom& random, int amount) {
  return int(random.Next(uint32_t(2 * amount))) - amount;
}

struct TLetterBox {
  char16_t Char;
  int Index;
  int X, Y;  // the letter's place in the block after jitter
  int Width, Height;
};

TFlashVisualObject* ImportArtLetter(TTextKit& kit, int code) {
  if (!kit.Templates) return nullptr;
  const TTemplateEntry* entry = kit.Templates->Find(ArtLetterName(kit.Settings.ArtFamily, code));
  if (!entry) return nullptr;
  TMemoryViewStream stream(entry->Data);
  try {
    return kit.Movie.AddExternalMovie(stream, TFlashExternalMovie::kImportAsSprite)->Sprite();
  } catch (const Error&) {
    return nullptr;  // a damaged template draws as an empty letter
  }
}

void AddArtLetter(TTextKit& kit, TFlashSprite& letter, const TLetterBox& box) {
  const auto code = ArtLetterCode(box.Char);
  if (!code || box.Height <= 0) return;
  TFlashVisualObject* art = ImportArtLetter(kit, *code);
  if (!art) return;
  TFlashSprite* holder = kit.Movie.AddSprite();
  TFlashPlaceObject* place = holder->PlaceObject(art, 1000);
  place->SetTranslate(-int(std::lround(double(kArtFrameHeight) * box.Width / box.Height)) / 2,
                      -kArtFrameHeight / 2);
  const TAnimatedTextSettings& s = kit.Settings;
  if (s.ReplaceColor) {
    const uint32_t c = s.RandomArtColor ? LetterTableColor(box.Index, true) : s.ArtColor;
    place->SetColorTransform(true, int(c & 0xFF) - kArtKeyRed, int(c >> 8 & 0xFF) - kArtKeyGreen,
                             int(c >> 16 & 0xFF) - kArtKeyBlue, 0, false, 0, 0, 0, 0, false);
  }
  holder->ShowFrame();
  const double scale = double(box.Height) / kArtFrameHeight;
  letter.PlaceObject(holder, 1000)->SetScale(scale, scale);
}

// Static text where the code page has the character: players mask by its glyphs, where some
// (Ruffle) mask by the whole field of a dynamic text. Both start their glyphs at the same place.
TFlashText* LetterText(TTextKit& kit, const TLetterBox& box, uint32_t rgba) {
  const TSWFRGBA colour(rgba, false);
  if (const unsigned char code = UnicodeToCp1252(box.Char); code != '?' || box.Char == u'?')
    return kit.Movie.AddText(
        std::string(1, char(code)), colour, kit.Font,
        TFlashPoint{-box.Width / 2 + kFieldGutter, -box.Height / 2 + kFieldGutter});
  const TRect bounds{-box.Width / 2, -box.Height / 2, -box.Width / 2 + box.Width + 10,
                     -box.Height / 2 + box.Height + 10};
  return kit.Movie.AddDynamicText(std::u16string(1, box.Char), colour, kit.Font, bounds);
}

uint32_t FaceColour(const TTextKit& kit, const TLetterBox& box) {
  const TAnimatedTextSettings& s = kit.Settings;
  if (s.Fill != TLetterFill::Solid) return 0xFF000000;  // a mask: only its shape counts
  return s.RandomColor ? LetterTableColor(box.Index, false) : s.SolidColor;
}

void AddOutlineAndShadow(TTextKit& kit, TFlashSprite& letter, const TLetterBox& box) {
  const TAnimatedTextSettings& s = kit.Settings;
  if (const int w = s.OutlineWidth; w > 0) {
    TFlashText* outline = LetterText(kit, box, s.OutlineColor);
    const TOffset offsets[] = {{w, w}, {-w, w}, {w, -w}, {-w, -w}};
    for (int i = 0; i < 4; ++i)
      letter.PlaceObject(outline, uint16_t(920 + i))->SetTranslate(offsets[i].X, offsets[i].Y);
  }
  if (const int sw = s.ShadowWidth; sw > 0) {
    const TOffset offset = ShadowOffset(s.ShadowPosition, sw);
    TFlashPlaceObject* place = letter.PlaceObject(LetterText(kit, box, 0xFF000000), 500);
    place->SetTranslate(offset.X, offset.Y);
    TSWFBlurFilter& blur = place->BlurFilter();
    blur.BlurX = blur.BlurY = 5.0 * sw;
  }
}

void AddForeground(TTextKit& kit, TFlashSprite& letter, const TLetterBox& box, TFlashText* face) {
  const TForegroundContent content =
      ForegroundEffect(kit, kit.Settings.ForegroundEffect, box.Width, box.Height);
  if (!content.Source.Object) return;
  letter.PlaceObject(face, 2000)->SetClipDepth(2001);
  TFlashPlaceObject* place = letter.PlaceObject(content.Source.Object, 2001);
  if (content.Scale != 1) place->SetScale(content.Scale, content.Scale);
  if (content.Rotation != 0) place->SetRotate(content.Rotation);
  place->SetTranslate(content.Source.X, content.Source.Y);
  if (content.Alpha != 255) SetPlacementAlpha(*place, content.Alpha);
}

void AddFontLetter(TTextKit& kit, TFlashSprite& letter, const TLetterBox& box) {
  const TAnimatedTextSettings& s = kit.Settings;
  TFillSource fill;
  if (s.Fill == TLetterFill::Texture)
    fill = TextureSource(kit, box.Width, box.Height, box.X, box.Y);
  if (s.Fill == TLetterFill::Gradient)
    fill = GradientSource(kit, box.Width, box.Height, box.X, box.Y);
  if (fill.Object) letter.PlaceObject(fill.Object, 1001)->SetTranslate(fill.X, fill.Y);
  TFlashText* face = LetterText(kit, box, FaceColour(kit, box));
  TFlashPlaceObject* facePlace = letter.PlaceObject(face, 1000);
  if (s.Fill == TLetterFill::Texture || s.Fill == TLetterFill::Gradient)
    facePlace->SetClipDepth(1001);
  AddOutlineAndShadow(kit, letter, box);
  if (s.ForegroundEffect > 0) AddForeground(kit, letter, box, face);
}

TFlashSprite* LetterSprite(TTextKit& kit, const TLetterBox& box) {
  TFlashSprite*& cached = kit.Letters[box.Index];
  if (cached) return cached;
  cached = kit.Movie.AddSprite();
  if (kit.Settings.ArtLetters())
    AddArtLetter(kit, *cached, box);
  else
    AddFontLetter(kit, *cached, box);
  cached->ShowFrame();
  return cached;
}

}  // namespace

TOffset ShadowOffset(int position, int s) {
  static constexpr TOffset kDirections[] = {{1, 0},  {1, 1},   {0, 1},  {-1, 1},
                                            {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
  const TOffset d = kDirections[position >= 0 && position < 8 ? position : 0];
  return {d.X * s, d.Y * s};
}

void BuildLetter(TTextKit& kit, TFlashSprite& block, const TLetterRequest& letter) {
  const TAnimatedTextSettings& s = kit.Settings;
  const int x = letter.X + Jitter(kit.Random, s.JitterX);
  const int y = letter.Y + Jitter(kit.Random, s.JitterY);
  const int rotation = letter.Rotation + Jitter(kit.Random, s.JitterRotation);
  const TTextSize size = kit.Measure.MeasureGlyph(std::u16string(1, letter.Char));
  const TLetterBox box{letter.Char, letter.Index, x, y, size.Width, size.Height};

  // The letter before its wrapper, so that its definition already stands before it.
  TFlashSprite* sprite = LetterSprite(kit, box);
  TFlashSprite* wrapper = kit.Movie.AddSprite();
  const int heightJitter = Jitter(kit.Random, s.JitterHeight);
  TFlashPlaceObject* place = wrapper->PlaceObject(sprite, 1000);
  place->SetScale(letter.WidthScale, letter.HeightScale + heightJitter / 100.0);
  if (rotation != 0) place->SetRotate(rotation);
  place->SetTranslate(x + size.Width / 2, y + size.Height / 2);
  wrapper->ShowFrame();
  TFlashPlaceObject* inBlock = block.PlaceObject(wrapper, uint16_t(letter.Index));
  if (letter.Alpha != 255) SetPlacementAlpha(*inBlock, letter.Alpha);
}

}  // namespace orvanta
