#include <string>

#include "art_movie.h"
#include "art_paint.h"
#include "artwork_output.h"
#include "families.h"
#include "movie/flash_button.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "platform/artwork_names.h"
#include "script/actions_basic.h"
#include "script/actions_data.h"
#include "script/flash_action_script.h"
#include "swf/tags_button.h"

namespace orvanta::artwork {

namespace {

// A 100 x 20 bar in the banner's corner that turns the music off and on again. The banner
// starts the music itself and exports it as "bgsound"; the control stops every sound, and
// starts "bgsound" again through a Sound object of its own. Frame 1 shows the music playing,
// frame 2 silent. Everything it says goes to its own timeline, never to the banner's.
constexpr int32_t kWidth = 100, kHeight = 20;
constexpr int kFrameOn = 0, kFrameOff = 1;  // action frame numbers count from 0

struct TControlLook {
  uint32_t Color;
  bool Dark;
};

// Equaliser bars of the given heights, standing on the bar's bottom line.
TFlashShape* Bars(TFlashMovie& movie, const std::vector<int32_t>& heights, uint32_t color) {
  TFlashShape* shape = movie.AddShape();
  shape->SetBounds(28, 2, 28 + static_cast<int32_t>(heights.size()) * 6, 18);
  for (size_t i = 0; i < heights.size(); ++i) {
    const int32_t x = 28 + static_cast<int32_t>(i) * 6;
    RoundRectOutline(shape->Edges, x, 17 - heights[i], x + 4, 17, 1);
  }
  shape->Edges.EndEdges();
  shape->SetSolidColor(color);
  return shape;
}

TFlashSprite* DancingBars(TFlashMovie& movie, uint32_t color) {
  TFlashSprite* sprite = movie.AddSprite();
  const std::vector<std::vector<int32_t>> moments = {{6, 12, 9, 14, 5, 10, 7, 12, 4, 9, 13},
                                                     {10, 7, 14, 8, 11, 6, 13, 5, 10, 12, 6},
                                                     {13, 10, 6, 11, 14, 9, 5, 9, 13, 7, 10},
                                                     {8, 14, 11, 5, 9, 13, 10, 14, 7, 5, 12}};
  for (size_t i = 0; i < moments.size(); ++i) {
    if (i > 0) sprite->RemoveObject(1);
    sprite->PlaceObject(Bars(movie, moments[i], color), 1);
    sprite->ShowFrame(2);
  }
  return sprite;
}

// The round switch at the left: a square (stop) while playing, a triangle (play) when silent.
TFlashButton* Switch(TFlashMovie& movie, const TControlLook& look, bool playing) {
  TFlashShape* knob = movie.AddEllipse(3, 2, 19, 18);
  knob->SetRadialGradient(Lighter(look.Color, 0.5), Darker(look.Color, 0.2), 40, 35);
  TFlashShape* lit = movie.AddEllipse(3, 2, 19, 18);
  lit->SetRadialGradient(Lighter(look.Color, 0.8), look.Color, 40, 35);
  std::vector<TFlashPoint> sign = playing
                                      ? std::vector<TFlashPoint>{{8, 7}, {14, 7}, {14, 13}, {8, 13}}
                                      : std::vector<TFlashPoint>{{9, 6}, {15, 10}, {9, 14}};
  TFlashShape* mark = movie.AddPolygon(sign);
  mark->SetSolidColor(Rgb(0xFFFFFF));
  TFlashShape* hit = movie.AddRectangle(0, 0, kWidth, kHeight);
  hit->SetSolidColor(Rgb(0));
  TFlashButton* button = movie.AddButton();
  button->AddRecord(*knob, kButtonStateUp, 1);
  button->AddRecord(*lit, kButtonStateOver | kButtonStateDown, 1);
  button->AddRecord(*mark, kButtonStateUp | kButtonStateOver | kButtonStateDown, 2);
  button->AddRecord(*hit, kButtonStateHitTest, 3);
  TFlashActionScript& release = button->OnRelease();
  if (playing) {
    release.Actions().Add(std::make_unique<TSWFActionStopSounds>());
  } else {
    // music = new Sound(this); music.attachSound("bgsound"); music.start(0, 1000);
    release.PushValues({"music", "this"});
    release.GetVariable();
    release.PushValues({1, "Sound"});
    release.Actions().Add(std::make_unique<TSWFActionNewObject>());
    release.SetVariable();
    release.PushValues({"bgsound", 1, "music"});
    release.GetVariable();
    release.Push("attachSound");
    release.CallMethod();
    release.Pop();
    release.PushValues({1000, 0, 2, "music"});
    release.GetVariable();
    release.Push("start");
    release.CallMethod();
    release.Pop();
  }
  auto go = std::make_unique<TSWFActionGotoFrame>();
  go->Frame = playing ? kFrameOff : kFrameOn;
  release.Actions().Add(std::move(go));
  release.Stop();
  return button;
}

std::vector<uint8_t> DrawControl(const TControlLook& look) {
  auto movie = NewArtMovie(kWidth, kHeight);
  TArtCanvas canvas(*movie);
  TFlashShape* bar = canvas.RoundRect(0, 0, kWidth, kHeight, kHeight / 2,
                                      look.Dark ? TPaint::Vertical(Rgb(0x3A3F4A), Rgb(0x15171C))
                                                : TPaint::Vertical(Rgb(0xFFFFFF), Rgb(0xD8DDE4)));
  canvas.Stroke(bar, 1, look.Dark ? Rgb(0x000000) : Rgb(0x9AA2AE));
  const uint16_t top = canvas.NextDepth();
  movie->PlaceObject(DancingBars(*movie, look.Color), top);
  movie->PlaceObject(Switch(*movie, look, true), top + 1);
  movie->FrameActions().Stop();
  movie->ShowFrame();
  movie->RemoveObject(top);
  movie->RemoveObject(top + 1);
  movie->PlaceObject(Bars(*movie, std::vector<int32_t>(11, 2), Rgb(0x9098A4)), top);
  movie->PlaceObject(Switch(*movie, look, false), top + 1);
  movie->FrameActions().Stop();
  movie->ShowFrame();
  return MovieBytes(*movie);
}

}  // namespace

void GenerateSoundControls(TArtworkOutput& output) {
  const std::vector<TControlLook> looks = {{Rgb(0x2F7FD8), false}, {Rgb(0x3AA64A), true},
                                           {Rgb(0xD63C3C), false}, {Rgb(0xF0961E), true},
                                           {Rgb(0x8C4FD2), false}, {Rgb(0x1FA7A0), true}};
  for (int n = 1; n <= kSoundControls; ++n)
    output.AddDataFile("albumboader/sound_control" + std::to_string(n) + ".swf",
                       DrawControl(looks[static_cast<size_t>(n - 1) % looks.size()]));
}

}  // namespace orvanta::artwork
