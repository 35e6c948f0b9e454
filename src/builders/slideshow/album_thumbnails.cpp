#include "builders/slideshow/album_thumbnails.h"

#include "builders/slideshow/album_script.h"
#include "movie/flash_button.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"

namespace orvanta {

namespace {

// The design size of the "mouseover" artwork.
constexpr double kHighlightWidth = 67, kHighlightHeight = 69;

std::string Numbered(const char* name, int n) {
  return name + std::to_string(n);
}

// The photo with its mask and border, all at one place: the thumbnail picture and every moving
// frame of the fly-in.
void PlacePhotoParts(TFlashSprite& sprite, const TAlbumStage& stage, const TAlbumPhoto& photo,
                     int borderDepth, int x, int y, double scale, double rotation) {
  PlaceAt(sprite, photo.Picture, 2, x, y, scale, rotation);
  if (stage.Settings.Shaped) PlaceAt(sprite, photo.Mask, 1, x, y, scale, rotation)->SetClipDepth(2);
  if (photo.Border) PlaceAt(sprite, photo.Border, borderDepth, x, y, scale, rotation);
}

// The fly-in: from the thumbnail towards the lower right of the box, into the box at full
// size, a rest, and back to the thumbnail.
TFlashSprite* AddFlyIn(TAlbumStage& stage, const TAlbumPhoto& photo, const TThumbPlace& at) {
  const TSlideshowSettings& s = stage.Settings;
  const int n = photo.Index + 1;
  const double thumbScale = s.ThumbScale / 100.0;
  const int growth = 100 - s.ThumbScale;
  TFlashSprite* fly = stage.Movie.AddSprite();
  fly->FrameActions().Stop();
  fly->ShowFrame();
  bool placed = false;
  auto frame = [&](int x, int y, double scale, double rotation) {
    if (placed)
      for (int depth : {1200, 1201, 2, 1}) fly->RemoveObject(uint16_t(depth));
    placed = true;
    PlacePhotoParts(*fly, stage, photo, 1200, x, y, scale, rotation);
    fly->ShowFrame();
  };
  const int offsetX = s.BoxWidth * 3 / 4, offsetY = s.BoxHeight * 3 / 4;
  const int towardsX = photo.Cx + offsetX, towardsY = photo.Cy + offsetY;
  for (int i = 1; i <= 10; ++i)
    frame(at.X + i * ((towardsX - at.X) / 10), at.Y0 + i * ((towardsY - at.Y0) / 10), thumbScale,
          250 - 25 * i);
  fly->ShowFrame();
  for (int i = 1; i <= 10; ++i)
    frame(photo.Cx + (10 - i) * offsetX / 10, photo.Cy + (10 - i) * offsetY / 10,
          thumbScale + growth * i / 1000.0, 0);
  fly->ShowFrame();
  fly->FrameActions().Stop();
  fly->ShowFrame();
  for (int i = 10; i >= 1; --i)
    frame(at.X + i * ((photo.Cx - at.X) / 10), at.Y0 + i * ((photo.Cy - at.Y0) / 10),
          thumbScale + growth * i / 1000.0, 0);
  TAlbumScript script(fly->FrameActions());
  script.SetIn("_parent", Numbered("mouseoverii", n), "_alpha", int64_t{255});
  fly->ShowFrame();
  return fly;
}

void AddThumbButton(TAlbumStage& stage, const TAlbumPhoto& photo, const TThumbPlace& at,
                    int count) {
  const TSlideshowSettings& s = stage.Settings;
  const int n = photo.Index + 1;
  TFlashShape* hit = stage.Movie.AddRectangle(at.X, at.Y, at.X + photo.Width * s.ThumbScale / 100,
                                              at.Y + photo.Height * s.ThumbScale / 100);
  hit->SetSolidColor(0, 0, 0, 0);
  TFlashButton* button = stage.Movie.AddButton();
  button->AddRecord(*hit, kButtonStateHitTest, 1);

  TAlbumScript over(button->OnRollOver());
  for (int j = 1; j <= count; ++j) over.Set(Numbered("mouseover", j), "_visible", j == n);
  TAlbumScript out(button->OnRollOut());
  out.Set(Numbered("mouseover", n), "_visible", false);

  TAlbumScript release(button->OnRelease());
  release.SetNamedBy("currentbut", "_visible", true);
  release.CallNamedBy("currentthumb", "gotoAndStop", int64_t{26});
  release.CallNamedBy("currentthumb", "play");
  release.Set("sideshow", "_visible", false);
  release.Set("sideshowbut", "_visible", true);
  release.Set(Numbered("but", n), "_visible", false);
  release.Set(Numbered("mouseoverii", n), "_alpha", int64_t{16});
  release.Call(Numbered("thumb", n), "gotoAndStop", int64_t{2});
  release.Call(Numbered("thumb", n), "play");
  release.SetVariable("currentthumb", Numbered("thumb", n));
  release.SetVariable("currentbut", Numbered("but", n));
  release.SetVariable("currentmouseoverii", Numbered("mouseoverii", n));
  PlaceAt(stage.Album, button, 1600 + photo.Index, 0, 0)->SetName(Numbered("but", n));
}

}  // namespace

TThumbPlace ThumbnailPlace(const TSlideshowSettings& s, int p, int width, int height) {
  const int scale = s.ThumbScale;
  const int column = p % s.Columns, q = p / s.Columns;
  auto y = [&](int row) {
    return s.GalleryY + (s.BoxHeight - height) * scale / 200 + s.BoxHeight * row * scale / 100 +
           s.Spacing * row;
  };
  TThumbPlace at;
  at.X = s.GalleryX + (s.BoxWidth - width) * scale / 200 + s.BoxWidth * column * scale / 100 +
         s.Spacing * column;
  at.Y = y(q + q / s.Rows);
  at.Y0 = y(q % s.Rows);
  return at;
}

void AddThumbnail(TAlbumStage& stage, const TAlbumPhoto& photo, int count) {
  const TSlideshowSettings& s = stage.Settings;
  const int n = photo.Index + 1;
  const TThumbPlace at = ThumbnailPlace(s, photo.Index, photo.Width, photo.Height);
  const double scale = s.ThumbScale / 100.0;

  TFlashSprite* highlight = stage.Movie.AddSprite();
  if (stage.Highlight) {
    TFlashPlaceObject* place = highlight->PlaceObject(stage.Highlight, 1);
    place->SetTranslate(at.X, at.Y);
    place->SetScale(photo.Width * scale / kHighlightWidth, photo.Height * scale / kHighlightHeight);
    if (photo.Tilt != 0) place->SetRotate(photo.Tilt);
    place->SetName(Numbered("mouseover3", n));
  }
  highlight->ShowFrame();
  PlaceAt(stage.Album, highlight, 1500 + photo.Index, 0, 0)->SetName(Numbered("mouseover", n));

  TFlashSprite* picture = stage.Movie.AddSprite();
  PlacePhotoParts(*picture, stage, photo, 1000, at.X, at.Y, scale, photo.Tilt);
  picture->ShowFrame();
  PlaceAt(stage.Album, picture, 1400 + photo.Index, 0, 0)->SetName(Numbered("mouseoverii", n));

  PlaceAt(stage.Album, AddFlyIn(stage, photo, at), 1001 + photo.Index, 0, 0)
      ->SetName(Numbered("thumb", n));
  AddThumbButton(stage, photo, at, count);
}

}  // namespace orvanta
