#include "builders/animated_text/foreground_effects.h"

#include <map>
#include <vector>

#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "platform/random.h"

namespace orvanta {

namespace {

TFlashShape* Line(TTextKit& kit, int x1, int y1, int x2, int y2, int width, uint32_t rgba) {
  TFlashShape* line = kit.Movie.AddLine(x1, y1, x2, y2);
  line->SetLineStyle(width, TSWFRGBA(rgba, (rgba >> 24) < 255));
  return line;
}

uint32_t RandomChannel(TRandom& random) {
  return 55 + random.Next(200);
}

// Scan lines in random colours at 200 alpha: horizontal ones for a frame, then vertical ones,
// three times over.
TFlashSprite* ScanLines(TTextKit& kit, int X, int V) {
  auto randomColor = [&] {
    const uint32_t r = RandomChannel(kit.Random), g = RandomChannel(kit.Random),
                   b = RandomChannel(kit.Random);
    return r | g << 8 | b << 16 | 200u << 24;
  };
  std::vector<TFlashShape*> rows, columns;
  for (int y = 0; y < V; y += 3) rows.push_back(Line(kit, 0, y, X, y, 1, randomColor()));
  for (int x = 0; x < X; x += 3) columns.push_back(Line(kit, x, 0, x, V, 1, randomColor()));
  TFlashSprite* sprite = kit.Movie.AddSprite();
  auto showAndRemove = [&](const std::vector<TFlashShape*>& lines, int baseDepth) {
    for (size_t i = 0; i < lines.size(); ++i)
      sprite->PlaceObject(lines[i], uint16_t(baseDepth + i))->SetTranslate(-X / 2, -V / 2);
    sprite->ShowFrame();
    for (size_t i = 0; i < lines.size(); ++i) sprite->RemoveObject(uint16_t(baseDepth + i));
  };
  for (int round = 0; round < 3; ++round) {
    showAndRemove(rows, 2001);
    showAndRemove(columns, 2501);
  }
  return sprite;
}

// Four frames of 2-pixel stripes every 5 pixels, each stripe in one of seven bright colours.
TFlashSprite* ColourStripes(TTextKit& kit, int X, int V) {
  static constexpr uint32_t kColours[] = {0xFF0000FF, 0xFF00FFFF, 0xFF00FF00, 0xFFFF00FF,
                                          0xFFFF0000, 0xFFFFFF00, 0xFFFFFFFF};
  std::map<int, TFlashShape*> stripes;  // one shape per colour, placed at every row
  TFlashSprite* sprite = kit.Movie.AddSprite();
  const int rows = (V + 4) / 5;
  for (int frame = 0; frame < 4; ++frame) {
    for (int row = 0; row < rows; ++row) {
      const int colour = int(kit.Random.Next(7));
      TFlashShape*& stripe = stripes[colour];
      if (!stripe) stripe = Line(kit, 0, 0, X, 0, 2, kColours[colour]);
      if (frame > 0) sprite->RemoveObject(uint16_t(2001 + row));
      sprite->PlaceObject(stripe, uint16_t(2001 + row))->SetTranslate(-X / 2, -V / 2 + row * 5);
    }
    sprite->ShowFrame();
  }
  return sprite;
}

// The shared import at an offset inside a sprite of its own, which the letter turns.
TFlashSprite* Wrapped(TTextKit& kit, int x, int y) {
  TFlashSprite* sprite = kit.Movie.AddSprite();
  sprite->PlaceObject(kit.Foreground, 1)->SetTranslate(x, y);
  sprite->ShowFrame();
  return sprite;
}

}  // namespace

const char* ForegroundEffectFile(int effect) {
  switch (effect) {
    case 3:
      return "albumboader/text_effect1.swf";
    case 4:
      return "albumboader/text_effect2.swf";
    case 5:
      return "albumboader/text_effect_fire.swf";
    case 6:
      return "albumboader/backgroundball2.swf";
    default:
      return "";
  }
}

TForegroundContent ForegroundEffect(TTextKit& kit, int effect, int X, int V) {
  if (effect == 1) return {{ScanLines(kit, X, V)}, 255};
  if (effect == 2) return {{ColourStripes(kit, X, V)}, 255};
  if (!kit.Foreground) return {};
  if (effect == 3) return {{kit.Foreground, -50, -50}, 196};
  struct TWrap {
    int X, Y, Alpha, MaxAngle;
    double Scale;
  };
  static constexpr TWrap kWraps[] = {
      {-50, -50, 128, 90, 1}, {-95, -100, 220, 360, 1}, {-100, -100, 255, 360, 0.3}};
  const TWrap& w = kWraps[effect - 4];
  TFlashSprite* sprite = Wrapped(kit, w.X, w.Y);
  return {{sprite, 0, 0}, w.Alpha, int(kit.Random.Next(uint32_t(w.MaxAngle))), w.Scale};
}

}  // namespace orvanta
