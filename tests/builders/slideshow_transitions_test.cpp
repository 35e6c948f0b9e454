#include <gtest/gtest.h>

#include "builders/slideshow/album_parts.h"
#include "builders/slideshow/slideshow_transitions.h"
#include "media/flash_external_movie.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "platform/artwork_names.h"
#include "slideshow_fixture.h"

namespace orvanta::test {
namespace {

// Each transition brings a blue photo in over a red one; after its frames only blue shows
// where the photo stands. Random Line and Random Box leave cells to chance, Move Fly2 blends
// two half-transparent copies.
TEST(SlideshowTransitions, EachBringsThePhotoInWithinItsFrames) {
  const TDataRoot data(ORVANTA_DATA_ROOT);
  for (int transition = 0; transition < kTransitionCount; ++transition) {
    SCOPED_TRACE(transition);
    TSlideshowSettings s;
    s.Transition = transition;
    s.BoxX = 20, s.BoxY = 20, s.BoxWidth = 150, s.BoxHeight = 120;
    TRandom random(3);
    TFlashMovie movie(0, 0, 400 * 20, 300 * 20, 12);
    movie.SetPixelUnits(true);
    movie.SetVersion(8);
    TFlashSprite* mask = nullptr;
    if (UsesMaskMovie(transition))
      mask = movie
                 .AddExternalMovie(
                     data.Require("albumboader\\" + TransitionMasks()[size_t(transition)]).string())
                 ->Sprite();
    auto photo = [&](uint8_t r, uint8_t b) {
      TFlashShape* shape = movie.AddRectangle(0, 0, 150, 120);
      shape->SetSolidColor(r, 0, b, 255);
      TFlashSprite* sprite = movie.AddSprite();
      sprite->PlaceObject(shape, 1);
      sprite->ShowFrame();
      return sprite;
    };
    TFlashSprite* red = photo(255, 0);
    TFlashSprite* blue = photo(0, 255);
    TFlashSprite* show = movie.AddSprite();
    PlaceAt(*show, red, 2, 20, 20);
    show->ShowFrame();
    TTransitionStage stage{movie, *show, s, mask, random};
    BuildTransition(stage, *blue, 20, 20, 9);
    const int frames = TransitionFrames(transition);
    EXPECT_EQ(show->FrameCount(), 1 + frames);
    show->ShowFrame();
    movie.PlaceObject(show, 1);
    movie.ShowFrame(frames + 2);
    movie.MakeData();
    TMemoryStream out;
    movie.SaveToStream(out);
    TMemoryStream in(out.TakeBytes());
    TSWFStreamReader reader(in);
    reader.ParseTags(true, false);
    render::TFrameRenderer renderer(reader);
    auto centre = [&](int frame) {
      render::TRenderOptions options;
      options.Frame = frame;
      const uint32_t c = render::PictureFromPixmap(renderer.Render(options)).Color(95, 80);
      return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
    };
    EXPECT_EQ(centre(1), 0xFF0000u);
    const uint32_t last = centre(1 + frames);
    const bool byChance =
        transition == int(TTransition::RandomLine) || transition == int(TTransition::RandomBox);
    const uint32_t expected = transition == int(TTransition::MoveFly2) ? 0x4000C0 : 0x0000FF;
    if (!byChance) {
      EXPECT_TRUE(Near(last, expected, 12)) << std::hex << last;
    }
  }
}

}  // namespace
}  // namespace orvanta::test
