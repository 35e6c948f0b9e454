#include "builders/panels/panel_template.h"

#include "builders/common/fractional_translate.h"
#include "builders/panels/panel_margins.h"
#include "media/flash_external_movie.h"
#include "media/swf_reader.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "platform/errors.h"
#include "platform/stream.h"

namespace orvanta {

namespace {

// How far the masks reach past the panel's outer edges.
constexpr int kBleed = 15;

struct TTemplateFrame {
  double Width = 0, Height = 0;
  TPanelMargins Margins;
};

TTemplateFrame ReadTemplate(std::span<const uint8_t> file) {
  TMemoryViewStream stream(file);
  TSWFStreamReader reader(stream);
  if (!reader.Valid) throw FormatError("the panel template is not a SWF file");
  reader.ParseTags(true, false);
  TTemplateFrame frame{reader.FrameSize().Xmax() / 20.0, reader.FrameSize().Ymax() / 20.0,
                       FindPanelMargins(reader)};
  if (frame.Width <= 0 || frame.Height <= 0)
    throw FormatError("the panel template has an empty frame");
  return frame;
}

class TSlicer {
 public:
  TSlicer(TFlashMovie& movie, TFlashSprite& panel, TFlashSprite& art)
      : movie_(movie), panel_(panel), art_(art) {}

  // A white mask (x1, y1)-(x2, y2) at maskDepth, showing the template at the next depth.
  void Mask(int x1, int y1, int x2, int y2, uint16_t maskDepth, double x, double y) {
    TFlashShape* mask = movie_.AddRectangle(x1, y1, x2, y2);
    mask->SetSolidColor(255, 255, 255, 255);
    TFlashPlaceObject* place = panel_.PlaceObject(mask, maskDepth);
    SetFractionalTranslate(*place, x, y);
    place->SetClipDepth(uint16_t(maskDepth + 1));
  }
  // The template itself at (x, y), unscaled.
  void Corner(uint16_t depth, double x, double y) {
    SetFractionalTranslate(*panel_.PlaceObject(&art_, depth), x, y);
  }
  // The template offset by (artX, artY) inside a sprite of its own, which is placed at (x, y)
  // and scaled, so that the scale stretches from the slice's own origin.
  void Stretched(uint16_t depth, double artX, double artY, double x, double y, double sx,
                 double sy) {
    TFlashSprite* holder = movie_.AddSprite();
    SetFractionalTranslate(*holder->PlaceObject(&art_, depth), artX, artY);
    holder->ShowFrame();
    TFlashPlaceObject* place = panel_.PlaceObject(holder, depth);
    SetFractionalTranslate(*place, x, y);
    place->SetScale(sx, sy);
  }

 private:
  TFlashMovie& movie_;
  TFlashSprite& panel_;
  TFlashSprite& art_;
};

}  // namespace

TPanelSize BuildPanelFromTemplate(TFlashMovie& movie, TFlashSprite& sprite,
                                  std::span<const uint8_t> templateFile, int width, int height) {
  const TTemplateFrame frame = ReadTemplate(templateFile);
  TMemoryViewStream stream(templateFile);
  TFlashSprite& art =
      *movie.AddExternalMovie(stream, TFlashExternalMovie::kImportAsSprite, true)->Sprite();
  const double TW = frame.Width, TH = frame.Height;
  const int L = frame.Margins.Left, T = frame.Margins.Top, B = frame.Margins.Bottom;

  // A template no wider than its two corner columns (or no taller than its two rows) has no
  // middle to stretch; it is scaled as a whole instead of dividing by a size of zero or less.
  if (frame.Margins.ScalesAsWhole() || TW <= 2 * L || TH <= T + B) {
    const double s = height / TH >= width / TW ? height / TH : width / TW;
    sprite.PlaceObject(&art, 120)->SetScale(s, s);
    sprite.ShowFrame();
    return {width, height};
  }

  const int W = 2 * L >= width ? 2 * L + 10 : width;
  const int H = T + B >= height ? T + B + 10 : height;
  const double sx = (W - 2 * L) / (TW - 2 * L), sy = (H - T - B) / (TH - T - B);
  TSlicer slice(movie, sprite, art);
  slice.Mask(-kBleed, -kBleed, L, T, 101, 0, 0);
  slice.Corner(102, 0, 0);
  slice.Mask(0, -kBleed, L + kBleed, T, 105, W - L, 0);
  slice.Corner(106, W - TW, 0);
  slice.Mask(-kBleed, 0, L, B + kBleed, 103, 0, H - B);
  slice.Corner(104, 0, H - TH);
  slice.Mask(0, 0, L + kBleed, B + kBleed, 107, W - L, H - B);
  slice.Corner(108, W - TW, H - TH);
  slice.Mask(0, -kBleed, W - 2 * L, T, 111, L, 0);
  slice.Stretched(112, -L, 0, L, 0, sx, 1);
  slice.Mask(0, 0, W - 2 * L, B + kBleed, 113, L, H - B);
  slice.Stretched(114, -L, H - TH, L, 0, sx, 1);
  slice.Mask(-kBleed, 0, L, H - T - B, 115, 0, T);
  slice.Stretched(116, 0, -T, 0, T, 1, sy);
  slice.Mask(0, 0, L + kBleed, H - T - B, 117, W - L, T);
  slice.Stretched(118, W - TW, -T, 0, T, 1, sy);
  slice.Mask(0, 0, W - 2 * L, H - T - B, 119, L, T);
  slice.Stretched(120, -L, -T, L, T, sx, sy);
  sprite.ShowFrame();
  return {W, H};
}

}  // namespace orvanta
