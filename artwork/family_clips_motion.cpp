#include <algorithm>
#include <cmath>

#include "art_movie.h"
#include "artwork_output.h"
#include "clip_art.h"
#include "clip_thumbnail.h"
#include "families.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "platform/clip_table.h"
#include "platform/template_pack.h"

namespace orvanta::artwork {

namespace {

// A line that draws itself from the left, then holds.
void Line(TFlashMovie& movie, uint64_t h, int32_t w, int32_t ht) {
  const double hue = h % 360;
  const int32_t thick = 2 + int32_t(h % 5);
  TFlashShape* line = movie.AddRectangle(0, -thick / 2, w, thick - thick / 2);
  const int style = int(h >> 7) % 3;
  if (style == 0)
    line->SetLinearGradient(HueColor(hue, 0.9, 1), HueColor(hue + 120, 0.9, 1), 0);
  else
    line->SetSolidColor(HueColor(hue, 0.8, style == 1 ? 0.9 : 0.6));
  TFlashShape* spark = movie.AddStar(0, 0, ht / 2, ht / 6, 4, false);
  spark->SetSolidColor(PackRGBA(255, 255, 230, 230));
  PlayFrames(movie, 24,
             {{line,
               [=](TFlashPlaceObject& p, int f) {
                 p.SetTranslate(0, ht / 2);
                 p.SetScale(std::min(1.0, (f + 1) / 16.0), 1);
               }},
              {spark, [=](TFlashPlaceObject& p, int f) {
                 p.SetTranslate(int32_t(w * std::min(1.0, (f + 1) / 16.0)), ht / 2);
                 p.SetRotate(f * 30);
               }}});
}

// Particles falling (snow, rain), rising (bubbles) or twinkling in place (sparkles).
void Particles(TFlashMovie& movie, uint64_t h, int32_t w, int32_t ht, int mode) {
  const double hue = h % 360;
  TFlashShape* sky = movie.AddRectangle(0, 0, w, ht);
  sky->SetLinearGradient(HueColor(hue + 200, 0.6, 0.35), HueColor(hue + 230, 0.7, 0.15), 90);
  movie.PlaceObject(sky, 1);
  std::vector<TMover> movers;
  constexpr int kFrames = 30;
  for (int i = 0; i < 18; ++i) {
    const uint64_t r = h * (i + 7) >> 5;
    const int32_t size = 3 + int32_t(r % 7);
    TFlashShape* s = mode == 2   ? movie.AddStar(0, 0, size * 2, size / 2 + 1, 4, false)
                     : mode == 3 ? movie.AddRectangle(-1, -size * 2, 1, size * 2)
                                 : movie.AddCircle(0, 0, size);
    if (mode == 1)
      s->SetRadialGradient(PackRGBA(255, 255, 255, 230), HueColor(hue, 0.5, 1, 120), 35, 35);
    else
      s->SetSolidColor(mode == 2 ? HueColor(hue + i * 20, 0.4, 1) : PackRGBA(235, 245, 255, 230));
    const double x0 = double(r % w), phase = double((r >> 9) % kFrames);
    const int dir = mode == 1 ? -1 : 1;
    movers.push_back({s, [=](TFlashPlaceObject& p, int f) {
                        const double t = std::fmod(f + phase, kFrames) / kFrames;
                        if (mode == 2) {
                          p.SetTranslate(int32_t(x0), int32_t((r >> 13) % ht));
                          const double k = 0.3 + 0.7 * std::fabs(std::sin((f + phase) * 0.4));
                          p.SetScale(k, k);
                          return;
                        }
                        const double y = dir > 0 ? t * (ht + 20) - 10 : ht + 10 - t * (ht + 20);
                        p.SetTranslate(int32_t(x0 + 8 * std::sin(t * 6.28 + i)), int32_t(y));
                      }});
  }
  PlayFrames(movie, kFrames, movers, 2);
}

// A shiny ball that bounces on the floor of its frame.
void Ball(TFlashMovie& movie, uint64_t h, int32_t size) {
  const double hue = h % 360;
  TFlashShape* shadow = movie.AddEllipse(-size / 4, -4, size / 4, 4);
  shadow->SetSolidColor(PackRGBA(0, 0, 0, 60));
  TFlashShape* ball = movie.AddCircle(0, 0, size / 5);
  ball->SetRadialGradient(std::vector<uint32_t>{PackRGBA(255, 255, 255, 255), HueColor(hue, 0.8, 1),
                                                HueColor(hue, 0.9, 0.45)},
                          35, 30);
  constexpr int kFrames = 24;
  PlayFrames(movie, kFrames,
             {{shadow, [=](TFlashPlaceObject& p, int) { p.SetTranslate(size / 2, size - 6); }},
              {ball, [=](TFlashPlaceObject& p, int f) {
                 const double t = std::fabs(std::sin(3.14159 * f / kFrames));
                 const double squash = t < 0.15 ? 0.85 : 1.0;
                 p.SetScale(2 - squash, squash);
                 p.SetTranslate(size / 2, int32_t(size - 6 - size / 5 - t * (size * 0.55)));
               }}});
}

// A many-petalled flower that turns slowly.
void RoundFlower(TFlashMovie& movie, uint64_t h, int32_t size) {
  const double hue = h % 360;
  const int petals = 5 + int(h % 6);
  TFlashShape* outer = movie.AddStar(0, 0, size / 2 - 2, size / 5, petals, true);
  outer->SetRadialGradient(HueColor(hue, 0.3, 1), HueColor(hue, 0.85, 0.9), 50, 50);
  TFlashShape* inner = movie.AddStar(0, 0, size / 3, size / 7, petals, true);
  inner->SetRadialGradient(HueColor(hue + 30, 0.2, 1), HueColor(hue + 30, 0.7, 1), 50, 50);
  TFlashShape* heart = movie.AddCircle(0, 0, size / 9);
  heart->SetRadialGradient(PackRGBA(255, 240, 120, 255), PackRGBA(220, 140, 20, 255), 40, 40);
  PlayFrames(movie, 36,
             {{outer,
               [=](TFlashPlaceObject& p, int f) {
                 p.SetTranslate(size / 2, size / 2);
                 p.SetRotate(f * 10);
               }},
              {inner,
               [=](TFlashPlaceObject& p, int f) {
                 p.SetTranslate(size / 2, size / 2);
                 p.SetRotate(-f * 10 + 180.0 / petals);
               }},
              {heart, [=](TFlashPlaceObject& p, int) { p.SetTranslate(size / 2, size / 2); }}});
}

// Boxes, cubes and shapes flying in from the edges and spinning into a row.
void FlyBoxes(TFlashMovie& movie, uint64_t h, int32_t w, int32_t ht) {
  const double hue = h % 360;
  std::vector<TMover> movers;
  for (int i = 0; i < 5; ++i) {
    const int32_t s = ht / 3;
    TFlashShape* box = movie.AddRoundRect(-s / 2, -s / 2, s / 2, s / 2, s / 6);
    box->SetLinearGradient(HueColor(hue + i * 30, 0.5, 1), HueColor(hue + i * 30, 0.9, 0.6), 45);
    box->SetLineStyle(1, PackRGBA(255, 255, 255, 255));
    const double x1 = w * (i + 0.5) / 5, y1 = ht / 2.0;
    const double x0 = i % 2 ? -s : w + s, y0 = (i * 37) % ht;
    movers.push_back({box, [=](TFlashPlaceObject& p, int f) {
                        const double t = std::clamp((f - i * 3) / 12.0, 0.0, 1.0);
                        p.SetTranslate(int32_t(x0 + (x1 - x0) * t), int32_t(y0 + (y1 - y0) * t));
                        p.SetRotate(360 * (1 - t));
                      }});
  }
  PlayFrames(movie, 36, movers);
}

// Rays and rings pulsing out of the centre.
void Burst(TFlashMovie& movie, uint64_t h, int32_t w, int32_t ht) {
  const double hue = h % 360;
  TFlashShape* back = movie.AddRectangle(0, 0, w, ht);
  back->SetRadialGradient(HueColor(hue, 0.7, 0.5), HueColor(hue + 40, 0.9, 0.1), 50, 50);
  movie.PlaceObject(back, 1);
  std::vector<TMover> movers;
  for (int i = 0; i < 4; ++i) {
    TFlashShape* ring = movie.AddStar(0, 0, ht / 2, ht / 4, 6 + int(h % 10) + i, (h >> 3) % 2);
    ring->SetSolidColor(HueColor(hue + i * 50, 0.6, 1, 110));
    movers.push_back({ring, [=](TFlashPlaceObject& p, int f) {
                        const double k = 0.2 + std::fmod(f / 24.0 + i / 4.0, 1.0) * 1.2;
                        p.SetTranslate(w / 2, ht / 2);
                        p.SetScale(k, k);
                        p.SetRotate(f * (i % 2 ? 6 : -6));
                      }});
  }
  PlayFrames(movie, 24, movers, 2);
}

}  // namespace

// Lines, balls, round flowers, fly boxes, particles and flash effects.
void GenerateMotionClips(TArtworkOutput& output) {
  // The text-effect family ships some line clips itself; their gallery pictures are drawn
  // from its own files, made again here because families do not see one another's output.
  TArtworkOutput textEffects;
  GenerateStaticTextEffects(textEffects);
  const std::vector<uint8_t> textEffectBytes = textEffects.PackBytes();
  const TTemplatePack textEffectPack(textEffectBytes);
  for (const std::string& name : DistinctClipNames()) {
    if (ClipGroupOf(name) != TClipGroup::Motion) continue;
    if (const TTemplateEntry* shipped = textEffectPack.Find(name)) {
      output.AddDataFile("mc_thumb/mc" + name + ".bmp", ClipThumbnailBmp(shipped->Data));
      continue;
    }
    const std::string lower = FoldName(name);
    const uint64_t h = NameHash(name);
    std::unique_ptr<TFlashMovie> movie;
    if (StartsWith(lower, "line") || StartsWith(lower, "flashline") ||
        StartsWith(lower, "cometline")) {
      movie = NewArtMovie(300, 20);
      Line(*movie, h, 300, 20);
    } else if (StartsWith(lower, "roundball") || StartsWith(lower, "ball") ||
               StartsWith(lower, "flashball") || StartsWith(lower, "bleb")) {
      movie = NewArtMovie(120, 120);
      Ball(*movie, h, 120);
    } else if (StartsWith(lower, "roundflower")) {
      movie = NewArtMovie(120, 120);
      RoundFlower(*movie, h, 120);
    } else if (StartsWith(lower, "flybox") || StartsWith(lower, "cube") ||
               StartsWith(lower, "solid") || StartsWith(lower, "shape") ||
               StartsWith(lower, "chain")) {
      movie = NewArtMovie(300, 100);
      FlyBoxes(*movie, h, 300, 100);
    } else if (StartsWith(lower, "snow") || StartsWith(lower, "raining") ||
               StartsWith(lower, "bubbles") || StartsWith(lower, "cloud") ||
               StartsWith(lower, "smork")) {
      movie = NewArtMovie(300, 200);
      Particles(*movie, h, 300, 200,
                StartsWith(lower, "bubbles")   ? 1
                : StartsWith(lower, "raining") ? 3
                                               : 0);
    } else if (StartsWith(lower, "flasheffect") || StartsWith(lower, "effect") ||
               StartsWith(lower, "star") || StartsWith(lower, "fly") ||
               StartsWith(lower, "fireworks") || StartsWith(lower, "firecracker") ||
               StartsWith(lower, "digitalmatrix") || StartsWith(lower, "matrix")) {
      movie = NewArtMovie(300, 200);
      Particles(*movie, h, 300, 200, 2);
    } else {
      movie = NewArtMovie(300, 200);
      Burst(*movie, h, 300, 200);
    }
    AddClip(output, "clip_motion", name, *movie);
  }
}

}  // namespace orvanta::artwork
