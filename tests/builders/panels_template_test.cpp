#include <gtest/gtest.h>

#include <cstdlib>

#include "builders/panels/panel_margins.h"
#include "builders/panels/panel_template.h"
#include "builders/panels/shape_panels_builder.h"
#include "media/flash_external_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "panels_support.h"

namespace orvanta {
namespace {

using test::TReadBack;

TEST(PanelMargins, MarkersParseAndBrokenOnesLeaveTheMarginsAlone) {
  const struct {
    const char* Name;
    TPanelMargins Expected;
  } cases[] = {
      {"b-posi30x40x2p", {30, 40, 2}},
      {"frame-posi1x1x1p", {1, 1, 1}},
      {"b-posi12x7x9p-center-size280x180p", {12, 7, 9}},
      {"b-posiAx4x5p", {0, 4, 5}},   // a part that is not a number counts as 0
      {"b-posi-3x4x5p", {0, 4, 5}},  // and so does a negative one
      {"b-posi99999999x4x5p", {4000, 4, 5}},
      {"b-posi3x4x5x6p", {3, 4, 0}},  // the third part runs to the "p"
      {"colorlayer-bcolor255x255x255c", {50, 50, 50}},
      {"b-posi3x4p", {50, 50, 50}},
      {"b-posi3x4x5", {50, 50, 50}},
      {"b-pos3x4x5p", {50, 50, 50}},
  };
  for (const auto& c : cases) {
    TPanelMargins margins{50, 50, 50};
    ParsePanelMargins(c.Name, margins);
    EXPECT_EQ(margins, c.Expected) << c.Name;
  }
}

// A movie whose instance names carry markers: optionally one inside a sprite definition, then
// optionally one on the main timeline (as a PlaceObject3 when filtered).
std::vector<uint8_t> MarkedMovie(const char* inSprite, const char* topLevel, bool filtered) {
  TFlashMovie movie(0, 0, 200, 100, 12, true);
  TFlashShape* box = movie.AddRectangle(0, 0, 200, 100);
  box->SetSolidColor(10, 20, 30);
  TFlashSprite* sprite = movie.AddSprite();
  TFlashPlaceObject* inner = sprite->PlaceObject(box, 1);
  if (inSprite) inner->SetName(inSprite);
  sprite->ShowFrame();
  TFlashPlaceObject* outer = movie.PlaceObject(sprite, 1);
  if (topLevel) outer->SetName(topLevel);
  if (filtered) outer->BlurFilter();
  movie.ShowFrame();
  return test::MovieBytes(movie);
}

TEST(PanelMargins, TheWalkTakesTheFirstTopLevelMarkerAfterAnySpriteMarker) {
  const struct {
    const char* InSprite;
    const char* TopLevel;
    bool Filtered;
    TPanelMargins Expected;
  } cases[] = {
      {nullptr, nullptr, false, {30, 30, 30}},
      {"s-posi5x6x7p", nullptr, false, {5, 6, 7}},
      {"s-posi5x6x7p", "t-posi8x9x10p", false, {8, 9, 10}},
      {nullptr, "t-posi8x9x10p", true, {8, 9, 10}},
      {nullptr, "t-nothing", false, {30, 30, 30}},
  };
  for (const auto& c : cases) {
    TReadBack movie(MarkedMovie(c.InSprite, c.TopLevel, c.Filtered));
    EXPECT_EQ(FindPanelMargins(movie.Reader), c.Expected)
        << (c.InSprite ? c.InSprite : "-") << " " << (c.TopLevel ? c.TopLevel : "-");
  }
}

// Largest difference of one channel between two pixels.
int PixelStep(const uint8_t* a, const uint8_t* b) {
  int largest = 0;
  for (int c = 0; c < 4; ++c) largest = std::max(largest, std::abs(a[c] - b[c]));
  return largest;
}

struct TNineSliceTemplate {
  std::span<const uint8_t> File;
  TPanelMargins Margins;
  int Width = 0, Height = 0;
};

// The first shipped templates cut into nine slices, with their frames.
std::vector<TNineSliceTemplate> NineSliceTemplates(size_t count) {
  std::vector<TNineSliceTemplate> found;
  for (int style = 1; style <= 106 && found.size() < count; ++style) {
    const TTemplateEntry& entry = test::BuiltTemplates().Get(PanelTemplateName(style));
    TReadBack movie({entry.Data.begin(), entry.Data.end()});
    const TPanelMargins margins = FindPanelMargins(movie.Reader);
    if (margins.ScalesAsWhole() || margins == TPanelMargins{}) continue;
    found.push_back({entry.Data, margins, movie.Reader.FrameSize().Xmax() / 20,
                     movie.Reader.FrameSize().Ymax() / 20});
  }
  return found;
}

constexpr int kMargin = 30;  // room for the bleed around a panel

// A sprite drawn kMargin pixels inside a movie that large, so that nothing is cut at the
// movie's edge; fill makes the sprite, else it shows the template as it is.
template <class TFill>
render::TPixmap Framed(std::span<const uint8_t> file, int width, int height, TFill fill) {
  TFlashMovie movie(0, 0, width + 2 * kMargin, height + 2 * kMargin, 12, true);
  TFlashSprite* panel = movie.AddSprite();
  fill(movie, *panel);
  if (panel->ObjectList().empty()) {
    TMemoryViewStream stream(file);
    panel->PlaceObject(movie.AddExternalMovie(stream)->Sprite(), 1);
    panel->ShowFrame();
  }
  movie.PlaceObject(panel, 1)->SetTranslate(kMargin, kMargin);
  movie.ShowFrame();
  return TReadBack(test::MovieBytes(movie)).Render(0, 0, true);
}

// The template unscaled, seen only through the box (x, y, w, h) widened by the bleed.
render::TPixmap CornerOfTemplate(const TNineSliceTemplate& t, int x, int y, int w, int h) {
  return Framed(t.File, t.Width, t.Height, [&](TFlashMovie& movie, TFlashSprite& panel) {
    TFlashShape* mask = movie.AddRectangle(x == 0 ? -15 : 0, y == 0 ? -15 : 0, x == 0 ? w : w + 15,
                                           y == 0 ? h : h + 15);
    mask->SetSolidColor(255, 255, 255, 255);
    TFlashPlaceObject* place = panel.PlaceObject(mask, 1);
    place->SetTranslate(x, y);
    place->SetClipDepth(2);
    TMemoryViewStream stream(t.File);
    panel.PlaceObject(movie.AddExternalMovie(stream)->Sprite(), 2);
    panel.ShowFrame();
  });
}

TEST(PanelTemplate, CornersStayPixelIdenticalAndEdgesContinuousAtEverySize) {
  for (const TNineSliceTemplate& t : NineSliceTemplates(3)) {
    const int L = t.Margins.Left, T = t.Margins.Top, B = t.Margins.Bottom;
    for (auto [width, height] :
         {std::pair{t.Width * 3, t.Height * 2}, std::pair{t.Width + 37, t.Height - 1},
          std::pair{2 * L + 12, T + B + 11}}) {
      SCOPED_TRACE(std::to_string(L) + "/" + std::to_string(T) + "/" + std::to_string(B) + " at " +
                   std::to_string(width) + "x" + std::to_string(height));
      const render::TPixmap drawn =
          Framed(t.File, width, height, [&](TFlashMovie& movie, TFlashSprite& panel) {
            const TPanelSize size = BuildPanelFromTemplate(movie, panel, t.File, width, height);
            EXPECT_EQ(size.Width, width);
            EXPECT_EQ(size.Height, height);
          });

      // Each corner: where it sits in the template and in the panel. The reference is the
      // template seen through a mask of the same corner box, since our rasteriser's gradients
      // vary by a few levels with the origin of the layer a mask draws into.
      const struct {
        int FromX, FromY, ToX, ToY, W, H;
      } corners[] = {{0, 0, 0, 0, L, T},
                     {t.Width - L, 0, width - L, 0, L, T},
                     {0, t.Height - B, 0, height - B, L, B},
                     {t.Width - L, t.Height - B, width - L, height - B, L, B}};
      int differing = 0;
      for (const auto& c : corners) {
        const render::TPixmap original = CornerOfTemplate(t, c.FromX, c.FromY, c.W, c.H);
        for (int y = 0; y < c.H; ++y)
          for (int x = 0; x < c.W; ++x)
            differing +=
                PixelStep(original.Row(kMargin + c.FromY + y) + (kMargin + c.FromX + x) * 4,
                          drawn.Row(kMargin + c.ToY + y) + (kMargin + c.ToX + x) * 4) > 0;
      }
      EXPECT_EQ(differing, 0);

      // Across every seam between a corner and a stretched edge the picture runs on.
      int largest = 0;
      auto at = [&](int x, int y) { return drawn.Row(kMargin + y) + (kMargin + x) * 4; };
      for (int y = 0; y < height; ++y) {
        largest = std::max(largest, PixelStep(at(L - 1, y), at(L, y)));
        largest = std::max(largest, PixelStep(at(width - L - 1, y), at(width - L, y)));
      }
      for (int x = 0; x < width; ++x) {
        largest = std::max(largest, PixelStep(at(x, T - 1), at(x, T)));
        largest = std::max(largest, PixelStep(at(x, height - B - 1), at(x, height - B)));
      }
      EXPECT_LE(largest, 40);
    }
  }
}

}  // namespace
}  // namespace orvanta
