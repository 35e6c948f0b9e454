#include "builders/slideshow/album_paging.h"

#include <array>

#include "builders/slideshow/album_script.h"
#include "movie/flash_button.h"
#include "movie/flash_edges.h"
#include "movie/flash_font.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "movie/flash_text.h"
#include "platform/font_engine.h"
#include "script/action_branch.h"
#include "swf/swf_records.h"

namespace orvanta {

namespace {

constexpr uint32_t kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu, kYellow = 0xFF00FFFFu,
                   kRed = 0xFF0000FFu;
constexpr int kSlotSize = 17;

std::string Numbered(const char* name, int n) {
  return name + std::to_string(n);
}

struct TPaging {
  TAlbumStage& Stage;
  int Count, Pages, Step;
  bool Column;  // the controls stand right of the grid, one below the other

  // The top left of control slot m (-1 the previous arrow, pages the next arrow).
  void Slot(int m, int& x, int& y) const {
    const TSlideshowSettings& s = Stage.Settings;
    if (Column) {
      x = s.GalleryX + s.BoxWidth * s.ThumbScale * s.Columns / 100 + s.Spacing * s.Columns;
      y = s.GalleryY + kSlotSize * m;
    } else {
      x = s.GalleryX + kSlotSize * m;
      y = s.GalleryY + s.BoxHeight * s.ThumbScale * s.Rows / 100 + s.Spacing * s.Rows;
    }
  }

  TFlashPlaceObject* PlaceInSlot(TFlashVisualObject* object, int depth, int m) const {
    int x = 0, y = 0;
    Slot(m, x, y);
    return PlaceAt(Stage.Album, object, depth, x, y);
  }

  // The thumbnail pictures, highlights and buttons of every photo moved by one page offset.
  void MoveThumbnails(TAlbumScript& script, const std::function<void()>& pushOffset) const {
    for (int j = 1; j <= Count; ++j)
      for (const char* part : {"but", "mouseoverii", "mouseover"})
        script.SetTo(Numbered(part, j), "_y", pushOffset);
  }

  TFlashButton* HitButton(TFlashShape* shape) const {
    TFlashButton* button = Stage.Movie.AddButton();
    button->AddRecord(*shape, kButtonStateHitTest, 1);
    return button;
  }

  TFlashShape* Outlined(TFlashShape* shape, uint32_t fill) const {
    shape->SetSolidColor(fill);
    shape->SetLineStyle(1, TSWFRGBA(kWhite, true));
    return shape;
  }

  TFlashShape* Triangle(const std::array<TFlashPoint, 3>& points) const {
    return Outlined(Stage.Movie.AddPolygon(points), kBlack);
  }

  // An arrow: one page back (step -1) or on (step 1) unless the page is the first or last.
  void AddArrow(int step, const std::array<TFlashPoint, 3>& points, int depth, int slot) const {
    PlaceInSlot(Triangle(points), depth, slot);
    TFlashButton* button = HitButton(Triangle(points));
    TAlbumScript script(button->OnRelease());
    TFlashActionScript& s = script.Script();
    script.Get("currscroll");
    if (step < 0) {
      s.Push(int64_t{0});
      s.Greater();
    } else {
      s.Push(int64_t{Pages - 1});
      s.Less2();
    }
    s.Not();
    TSWFActionIf& guard = s.If();
    s.Push(std::string("currscroll"));
    script.Get("currscroll");
    s.Push(int64_t{1});
    if (step < 0)
      s.Subtract();
    else
      s.Add2();
    s.SetVariable();
    s.SetMarker(&guard.Marker(), false);
    MoveThumbnails(script, [&] {
      script.Get("currscroll");
      s.Push(int64_t{Step});
      s.Multiply();
    });
    for (int c = 0; c < Pages; ++c) script.Set(Numbered("scrollbutt", c), "_visible", true);
    s.Push(std::string("this"));
    s.GetVariable();
    s.Push(std::string("scrollbutt"));
    script.Get("currscroll");
    s.Add2();
    s.GetMember();
    s.Push(std::string("_visible"));
    s.Push(false);
    s.SetMember();
    PlaceInSlot(button, depth + 1, slot);
  }

  void AddPageButton(int k, TFlashFont* font) const {
    TFlashMovie& movie = Stage.Movie;
    auto square = [&](uint32_t fill) {
      return Outlined(movie.AddRoundRect(0, 0, 15, 15, 2), fill);
    };
    TFlashSprite* black = movie.AddSprite();
    black->PlaceObject(square(kBlack), 1);
    black->ShowFrame();
    PlaceInSlot(black, 1901 + 5 * k, k)->SetName(Numbered("scrollbutt", k));
    PlaceInSlot(square(kYellow), 1900 + 5 * k, k);
    PlaceInSlot(movie.AddText(std::to_string(k + 1), TSWFRGBA(kRed, true), font, {8, 2}, 2),
                1902 + 5 * k, k);
    TFlashButton* button = HitButton(square(kBlack));
    TAlbumScript script(button->OnRelease());
    MoveThumbnails(script, [&] { script.Script().Push(int64_t{int64_t{Step} * k}); });
    script.SetVariable("currscroll", int64_t{k});
    for (int c = 0; c < Pages; ++c) script.Set(Numbered("scrollbutt", c), "_visible", c != k);
    PlaceInSlot(button, 1904 + 5 * k, k);
  }
};

}  // namespace

int PageStep(const TSlideshowSettings& s) {
  return -(s.BoxHeight * s.ThumbScale * (s.Rows + 1) / 100) - s.Spacing * (s.Rows + 1);
}

void AddPageControls(TAlbumStage& stage, int count, int pages) {
  const TSlideshowSettings& s = stage.Settings;
  const TPaging paging{stage, count, pages, PageStep(s), s.Columns < s.Rows};
  if (paging.Column) {
    paging.AddArrow(-1, {{{8, 0}, {0, 15}, {15, 15}}}, 2000, -1);
    paging.AddArrow(1, {{{0, 0}, {15, 0}, {8, 15}}}, 2002, pages);
  } else {
    paging.AddArrow(-1, {{{0, 8}, {15, 0}, {15, 15}}}, 2000, -1);
    paging.AddArrow(1, {{{0, 0}, {0, 15}, {15, 8}}}, 2002, pages);
  }
  TFontDescription description;
  description.Name = s.PageFont.Face;
  description.Height = -(s.PageFont.Size * 96 / 72);
  description.Bold = s.PageFont.Bold;
  description.Italic = s.PageFont.Italic;
  TFlashFont* font = stage.Movie.AddFont(description);
  font->SetLayout(true);
  for (int k = 0; k < pages; ++k) paging.AddPageButton(k, font);

  TFlashShape* window = stage.Movie.AddRectangle(
      0, 0, s.BoxWidth * s.ThumbScale * (s.Columns + 1) / 100 + s.Spacing * s.Columns,
      s.BoxHeight * s.ThumbScale * (s.Rows + 1) / 100 + s.Spacing * s.Rows);
  window->SetSolidColor(kBlack);
  PlaceAt(stage.Album, window, 1300, s.GalleryX - s.BoxWidth * s.ThumbScale / 200,
          s.GalleryY - s.BoxHeight * s.ThumbScale / 200)
      ->SetClipDepth(1800);
}

}  // namespace orvanta
