#include "builders/slideshow/album_builder.h"

#include "builders/slideshow/album_paging.h"
#include "builders/slideshow/album_parts.h"
#include "builders/slideshow/album_script.h"
#include "builders/slideshow/album_thumbnails.h"
#include "builders/slideshow/photo_outlines.h"
#include "builders/slideshow/slideshow_transitions.h"
#include "media/filters.h"
#include "media/flash_image.h"
#include "movie/flash_button.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "platform/random.h"
#include "platform/stream.h"

namespace orvanta {

namespace {

// The photo's picture sprite P, its outlines and border sprite O, centred in the box.
TAlbumPhoto AddPhoto(TFlashMovie& movie, const TSlideshowSettings& s, const TAlbumArtwork& art,
                     const TPreparedPhoto& prepared, int p, TRandom& random) {
  TAlbumPhoto photo;
  photo.Index = p;
  photo.Tilt = s.RandomTilt ? 10 - int(random.Next(21)) : 0;
  photo.Width = int(prepared.Width);
  photo.Height = int(prepared.Height);
  const int w = photo.Width, h = photo.Height;

  TFlashImage* image = movie.AddImage();
  TMemoryStream data(prepared.JPEG);
  image->LoadDataFromStream(data, true, false, 0, 0, uint16_t(h), uint16_t(w));
  TFlashShape* rectangle = movie.AddRectangle(0, 0, w, h);
  rectangle->SetImageFill(*image, 2, 1, 1);
  photo.Picture = movie.AddSprite();
  TFlashPlaceObject* place = photo.Picture->PlaceObject(rectangle, 1);
  if (s.InnerShadow) {
    TSWFDropShadowFilter& shadow = place->DropShadowFilter();
    shadow.BlurX = shadow.BlurY = 45;
    shadow.InnerShadow = true;
    shadow.Distance = 0;
  }
  photo.Picture->ShowFrame();

  const uint32_t color = s.Border == kRandomColorBorder ? random.Next(0x1000000) : s.BorderColor;
  const TPhotoOutlines outlines = AddPhotoOutlines(movie, s, w, h, color);
  photo.Mask = outlines.Mask;
  if (s.FrameBorder() && art.BorderFrame) {
    photo.Border = movie.AddSprite();
    TFlashPlaceObject* frame = photo.Border->PlaceObject(art.BorderFrame, 3);
    frame->SetScale(double(w) / art.BorderWidth, double(h) / art.BorderHeight);
    photo.Border->ShowFrame();
  } else if (s.LineBorder()) {
    photo.Border = movie.AddSprite();
    photo.Border->PlaceObject(outlines.Shadow, 3);
    photo.Border->PlaceObject(outlines.Border, 5);
    photo.Border->ShowFrame();
  }
  photo.Cx = s.BoxX + (s.BoxWidth - w) / 2;
  photo.Cy = s.BoxY + (s.BoxHeight - h) / 2;
  return photo;
}

// One pass of the show: the photo's mask and border, its transition, the photo itself and its
// time in the box.
void ShowPhoto(TTransitionStage& stage, const TAlbumPhoto& photo, bool first, int frames) {
  TFlashSprite& show = stage.Show;
  if (photo.Border) {
    if (!first) show.RemoveObject(2001);
    PlaceAt(show, photo.Border, 2001, photo.Cx, photo.Cy);
  }
  if (!first) show.RemoveObject(1);
  PlaceAt(show, photo.Mask, 1, photo.Cx, photo.Cy)->SetClipDepth(1000);
  if (!first) {
    BuildTransition(stage, *photo.Picture, photo.Cx, photo.Cy, photo.Index);
    for (int depth : {2, 4, 5, 6, 7}) show.RemoveObject(uint16_t(depth));
  }
  PlaceAt(show, photo.Picture, 2, photo.Cx, photo.Cy);
  if (!stage.Settings.AutoPlay) show.FrameActions().Stop();
  show.ShowFrame(frames);
}

// The script of the album's only frame and the button over the photo box that brings the show
// back.
void AddBackToShow(TAlbumStage& stage, int count, bool paged) {
  const TSlideshowSettings& s = stage.Settings;
  TAlbumScript frame(stage.Album.FrameActions());
  // The arrows compare the page number, so it must be set before either is pressed.
  if (paged) frame.SetVariable("currscroll", int64_t{0});
  for (int j = 1; j <= count; ++j) frame.Set("mouseover" + std::to_string(j), "_visible", false);
  frame.Set("sideshowbut", "_visible", false);

  TFlashShape* hit =
      stage.Movie.AddRectangle(s.BoxX, s.BoxY, s.BoxX + s.BoxWidth, s.BoxY + s.BoxHeight);
  hit->SetSolidColor(0, 0, 0, 0);
  TFlashButton* button = stage.Movie.AddButton();
  button->AddRecord(*hit, kButtonStateHitTest, 1);
  TAlbumScript release(button->OnRelease());
  release.SetNamedBy("currentbut", "_visible", true);
  release.Set("sideshow", "_visible", true);
  release.Set("sideshowbut", "_visible", false);
  release.CallNamedBy("currentthumb", "gotoAndStop", int64_t{26});
  release.CallNamedBy("currentthumb", "play");
  release.SetVariable("currentthumb", std::string());
  release.SetVariable("currentbut", std::string());
  PlaceAt(stage.Album, button, 20, 0, 0)->SetName("sideshowbut");
}

// The album fading in, blurred to sharp, then resting; the way out is kept for a player that
// sends the wrapper on.
TFlashSprite* AddWrapper(TFlashMovie& movie, TFlashSprite& album) {
  TFlashSprite* wrapper = movie.AddSprite();
  wrapper->ShowFrame(10);
  auto fade = [&](int n, bool move) {
    TFlashPlaceObject* place = wrapper->PlaceObject(&album, 1);
    place->SetMove(move);
    place->SetColorTransform(false, 0, 0, 0, 0, true, 256, 256, 256, 255 - 12 * n, true);
    TSWFBlurFilter& blur = place->BlurFilter();
    blur.BlurX = blur.BlurY = 5 * n;
    return place;
  };
  for (int n = 20; n >= 0; --n) {
    TFlashPlaceObject* place = fade(n, n != 20);
    // Named where it is placed as well: players that take no name from a move would leave the
    // wrapper's script without its album.
    if (n == 20 || n == 0) place->SetName("ownphotos1");
    wrapper->ShowFrame();
  }
  TAlbumScript rest(wrapper->FrameActions());
  rest.Member("this", "ownphotos1");
  rest.Script().Push(std::string("scrollbutt0"));
  rest.Script().GetMember();
  rest.Script().Push(std::string("_visible"));
  rest.Script().Push(false);
  rest.Script().SetMember();
  rest.Script().Stop();
  wrapper->ShowFrame(3);
  for (int n = 0; n <= 20; ++n) {
    fade(n, true);
    wrapper->ShowFrame();
  }
  wrapper->RemoveObject(1);
  wrapper->ShowFrame();
  return wrapper;
}

}  // namespace

TFlashSprite* BuildAlbum(TFlashMovie& movie, const TSlideshowSettings& s,
                         const std::vector<TPreparedPhoto>& photos, const TAlbumArtwork& art,
                         TRandom& random) {
  TFlashSprite* album = movie.AddSprite();
  TFlashSprite* show = movie.AddSprite();
  TAlbumStage stage{movie, s, *album, art.Highlight};
  TTransitionStage transitions{movie, *show, s, art.MaskMovie, random};
  const int count = int(photos.size());
  const int frames = s.FramesPerSecond * s.Delay;
  TAlbumPhoto first;
  for (int p = 0; p < count; ++p) {
    const TAlbumPhoto photo = AddPhoto(movie, s, art, photos[size_t(p)], p, random);
    if (p == 0) first = photo;
    ShowPhoto(transitions, photo, p == 0, frames);
    if (s.Thumbnails) AddThumbnail(stage, photo, count);
  }
  // The first photo once more, so that the loop back to the start shows no jump.
  ShowPhoto(transitions, first, false, 1);
  PlaceAt(*album, show, 10, 0, 0)->SetName("sideshow");

  const int pages = s.Pages(count);
  const bool paged = s.Thumbnails && pages > 1;
  if (paged) AddPageControls(stage, count, pages);
  if (s.Thumbnails) AddBackToShow(stage, count, paged);
  album->ShowFrame();
  return AddWrapper(movie, *album);
}

}  // namespace orvanta
