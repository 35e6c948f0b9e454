#include "builders/animated_text/text_frame.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "builders/animated_text/letter_builder.h"
#include "builders/common/placement_alpha.h"
#include "media/filters.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"

namespace orvanta {

namespace {

// What laying out the letters tells the placement of the block.
struct TBlockSpan {
  int AlignX = 0;       // the horizontal offset that keeps the alignment under the block scale
  int MaxAdvance = 0;   // the longest line's advance
  int LastHeight = 0;   // the last letter's height
  int TotalHeight = 0;  // the cursor after the last line
};

int LineStart(const TTextKit& kit, int lineWidth) {
  switch (kit.Settings.Align) {
    case TTextAlign::Left:
      return 0;
    case TTextAlign::Right:
      return kit.Block.Width - lineWidth;
    case TTextAlign::Centre:
      return (kit.Block.Width - lineWidth) / 2;
  }
  return 0;
}

int AlignCompensation(const TTextKit& kit, int x0, double sx, int lineWidth) {
  const int r = kit.Settings.Display == TTextDisplay::ShowAll ? kit.Block.Width : lineWidth;
  switch (kit.Settings.Align) {
    case TTextAlign::Left:
      return x0;
    case TTextAlign::Right:
      return x0 + r - int(std::lround(sx * r));
    case TTextAlign::Centre:
      return int(std::lround((1 - sx) * r / 2)) + x0;
  }
  return x0;
}

TBlockSpan LayOutLetters(TTextKit& kit, TFlashSprite& block, const TFrameRequest& frame) {
  const TAnimatedTextSettings& s = kit.Settings;
  TBlockSpan span;
  int y = frame.Y, index = kFirstLetterDepth;
  size_t begin = 0;
  while (begin <= frame.Text.size()) {
    size_t end = frame.Text.find(u'\n', begin);
    if (end == std::u16string::npos) end = frame.Text.size();
    const std::u16string line = frame.Text.substr(begin, end - begin);
    const TTextSize measured = kit.Measure.MeasureText(line, s.HeightScale());
    const int width = s.LetterSpace * (int(line.size()) - 1) + measured.Width;
    span.AlignX = AlignCompensation(kit, frame.X, frame.ScaleX, width);
    int advance = 0;
    for (char16_t ch : line) {
      const TTextSize size = kit.Measure.MeasureGlyph(std::u16string(1, ch));
      TLetterRequest letter;
      letter.Char = ch;
      letter.Rotation = frame.Rotation;
      letter.Index = index++;
      letter.X = LineStart(kit, width) + advance;
      letter.Y = y;
      letter.HeightScale = s.HeightScale();
      BuildLetter(kit, block, letter);
      advance += s.LetterSpace + size.Width;
      span.LastHeight = size.Height;
    }
    span.MaxAdvance = std::max(span.MaxAdvance, advance);
    y += s.LineSpace + measured.Height;
    begin = end + 1;
  }
  span.TotalHeight = y;
  return span;
}

TFlashSprite* Holding(TTextKit& kit, TFlashVisualObject* content, int x, int y, int rotation) {
  TFlashSprite* sprite = kit.Movie.AddSprite();
  TFlashPlaceObject* place = sprite->PlaceObject(content, 1);
  if (rotation != 0) place->SetRotate(rotation);
  place->SetTranslate(x, y);
  sprite->ShowFrame();
  return sprite;
}

// The block rocks about the middle of its longest line.
TFlashSprite* Swung(TTextKit& kit, TFlashSprite* block, const TBlockSpan& span, int v) {
  const int angle = SwingAngle(kit.MotionCounter);
  TFlashSprite* centred = Holding(kit, block, -span.MaxAdvance / 2, -v / 2, 0);
  TFlashSprite* turned = Holding(kit, centred, 0, 0, angle);
  return Holding(kit, turned, span.MaxAdvance / 2 - angle, v / 2 - std::abs(angle), 0);
}

TFlashPlaceObject* PlaceBlock(TTextKit& kit, TFlashSprite& outer, TFlashSprite* block,
                              uint16_t depth, const TFrameRequest& frame, int x, int y) {
  TFlashPlaceObject* place = outer.PlaceObject(block, depth);
  place->SetScale(frame.ScaleX, frame.ScaleY);
  place->SetTranslate(kit.Settings.PosX + x, kit.Settings.PosY + y);
  return place;
}

// A blurred copy of the block shows only under a red bar that sweeps along it.
void AddLaser(TTextKit& kit, TFlashSprite& outer, TFlashSprite* block, const TBlockSpan& span,
              const TFrameRequest& frame, int v) {
  const int p = (kit.MotionCounter % 20) * span.MaxAdvance / 20;
  TFlashShape* bar = kit.Movie.AddRectangle(p, 0, p + span.LastHeight, span.TotalHeight);
  bar->SetSolidColor(255, 0, 0);
  TSWFBlurFilter& blur = PlaceBlock(kit, outer, block, 1044, frame, span.AlignX, v)->BlurFilter();
  blur.BlurX = blur.BlurY = 15;
  TFlashPlaceObject* mask = outer.PlaceObject(bar, 1040);
  mask->SetClipDepth(1045);
  mask->SetScale(frame.ScaleX + 0.25, frame.ScaleY + 0.25);
  mask->SetTranslate(kit.Settings.PosX + span.AlignX - int(std::lround(span.MaxAdvance * 0.125)),
                     kit.Settings.PosY + v - int(std::lround(span.TotalHeight * 0.125)));
}

TFlashSprite* OuterSprite(TTextKit& kit, TFlashSprite* block, const TBlockSpan& span,
                          const TFrameRequest& frame, int v) {
  const TAnimatedTextSettings& s = kit.Settings;
  const int a = std::abs(kit.MotionCounter % 21 - 10), l = a - 4;
  TFlashSprite* outer = kit.Movie.AddSprite();
  if (!frame.Plain && s.Motion == TLetterMotion::Blur && a != 4 && l >= 0) {
    TSWFBlurFilter& blur =
        PlaceBlock(kit, *outer, block, 1001, frame, span.AlignX, v)->BlurFilter();
    blur.BlurX = blur.BlurY = 2.0 * l;
  } else {
    if (!frame.Plain && s.Motion == TLetterMotion::Laser)
      AddLaser(kit, *outer, block, span, frame, v);
    TFlashPlaceObject* place = PlaceBlock(kit, *outer, block, 1000, frame, span.AlignX, v);
    if (frame.Alpha < 255) SetPlacementAlpha(*place, frame.Alpha);
  }
  outer->ShowFrame();
  return outer;
}

}  // namespace

int SwingAngle(int motionCounter) {
  return std::abs(motionCounter % 41 - 20) - 8;
}

void BuildTextFrame(TTextKit& kit, const TFrameRequest& frame) {
  const TAnimatedTextSettings& s = kit.Settings;
  TFlashSprite* block = kit.Movie.AddSprite();
  kit.MotionCounter += 3;
  const TBlockSpan span = LayOutLetters(kit, *block, frame);
  block->ShowFrame();

  if (kit.BlockPlaced) kit.Movie.RemoveObject(kit.Depth);
  const int v = int(std::lround((1 - frame.ScaleY) * span.TotalHeight / 2));
  if (s.Swing && !frame.Plain) block = Swung(kit, block, span, v);
  TFlashSprite* outer = OuterSprite(kit, block, span, frame, v);

  if (s.Rotation == 0) {
    kit.Movie.PlaceObject(outer, kit.Depth);
  } else {
    // Turned about the middle of the block's width, as the editor shows it.
    const int px = s.PosX + kit.Block.Width / 2,
              py = s.PosY + (kit.Block.Height - kit.Block.LineHeight) / 2;
    TFlashSprite* pivot = Holding(kit, outer, -px, -py, 0);
    TFlashPlaceObject* place = kit.Movie.PlaceObject(pivot, kit.Depth);
    place->SetRotate(360 - s.Rotation);
    place->SetTranslate(px, py);
  }
  kit.BlockPlaced = true;
}

}  // namespace orvanta
