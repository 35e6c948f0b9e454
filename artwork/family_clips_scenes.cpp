#include <cmath>

#include "art_movie.h"
#include "artwork_output.h"
#include "clip_art.h"
#include "families.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "platform/clip_table.h"

namespace orvanta::artwork {

namespace {

// A backdrop: a two-colour gradient under soft shapes that drift across it.
void Background(TFlashMovie& movie, uint64_t h, int32_t w, int32_t ht) {
  const double hue = h % 360;
  TFlashShape* card = movie.AddRectangle(0, 0, w, ht);
  card->SetLinearGradient(HueColor(hue, 0.35, 1), HueColor(hue + 40, 0.8, 0.65), 90 + h % 4 * 30);
  movie.PlaceObject(card, 1);
  std::vector<TMover> movers;
  const int pattern = int(h >> 8) % 3;
  for (int i = 0; i < 7; ++i) {
    const int32_t r = 20 + int32_t((h >> (i * 3)) % 50);
    TFlashShape* s = pattern == 0   ? movie.AddCircle(0, 0, r)
                     : pattern == 1 ? movie.AddStar(0, 0, r, r / 2, 5, false)
                                    : movie.AddRoundRect(-r, -r / 2, r, r / 2, r / 3);
    s->SetSolidColor(HueColor(hue + 60 * i, 0.3, 1, 70));
    const double x0 = (i * 97 + (h >> 16) % 50) % w, y0 = (i * 61 + (h >> 24) % 40) % ht;
    movers.push_back({s, [=](TFlashPlaceObject& p, int f) {
                        p.SetTranslate(int32_t(x0 + 30 * std::sin(f * 0.26 + i)),
                                       int32_t(y0 + 20 * std::cos(f * 0.26 + i)));
                      }});
  }
  PlayFrames(movie, 24, movers, 2);
}

// A strip with a caption-free face and a highlight sweeping over it.
void Banner(TFlashMovie& movie, uint64_t h, int32_t w, int32_t ht) {
  const double hue = h % 360;
  TFlashShape* face = movie.AddRoundRect(1, 1, w - 1, ht - 1, ht / 4);
  face->SetLinearGradient(HueColor(hue, 0.5, 1), HueColor(hue + 20, 0.9, 0.6), 90);
  face->SetLineStyle(2, HueColor(hue, 0.9, 0.4));
  movie.PlaceObject(face, 1);
  TFlashShape* stripe = movie.AddRectangle(1, ht * 2 / 3, w - 1, ht * 2 / 3 + 3);
  stripe->SetSolidColor(PackRGBA(255, 255, 255, 150));
  movie.PlaceObject(stripe, 2);
  TFlashShape* gleam = movie.AddPolygon(
      std::vector<TFlashPoint>{{0, 2}, {ht / 2, 2}, {ht / 4, ht - 2}, {-ht / 4, ht - 2}});
  gleam->SetSolidColor(PackRGBA(255, 255, 255, 110));
  PlayFrames(movie, 30,
             {{gleam, [=](TFlashPlaceObject& p,
                          int f) { p.SetTranslate(-ht + (w + 2 * ht) * f / 30, 0); }}},
             3);
}

// Buttons that slide in from the left one after another and stay.
void Navigation(TFlashMovie& movie, uint64_t h, int32_t w, int32_t ht) {
  const double hue = h % 360;
  TFlashShape* bar = movie.AddRoundRect(0, 0, w, ht, ht / 3);
  bar->SetLinearGradient(HueColor(hue, 0.2, 0.95), HueColor(hue, 0.6, 0.55), 90);
  movie.PlaceObject(bar, 1);
  const int count = 4 + int(h % 3);
  const int32_t bw = (w - 10) / count;
  std::vector<TMover> movers;
  for (int i = 0; i < count; ++i) {
    TFlashShape* b = movie.AddRoundRect(0, 0, bw - 6, ht - 10, (ht - 10) / 2);
    b->SetLinearGradient(HueColor(hue + 180, 0.5, 1), HueColor(hue + 180, 0.9, 0.7), 90);
    b->SetLineStyle(1, PackRGBA(255, 255, 255, 255));
    movers.push_back({b, [=](TFlashPlaceObject& p, int f) {
                        const double t = std::clamp((f - 3.0 * i) / 8.0, 0.0, 1.0);
                        const double ease = 1 - (1 - t) * (1 - t);
                        p.SetTranslate(int32_t(-bw + (8 + (i + 1) * bw) * ease), 5);
                      }});
  }
  PlayFrames(movie, 3 * count + 12, movers, 2);
}

// A card: frame, header band and a soft body, breathing slightly.
void Panel(TFlashMovie& movie, uint64_t h, int32_t w, int32_t ht, bool website) {
  const double hue = h % 360;
  TFlashShape* body = movie.AddRoundRect(2, 2, w - 2, ht - 2, 12);
  body->SetLinearGradient(HueColor(hue, 0.08, 1), HueColor(hue, 0.3, 0.95), 90);
  body->SetLineStyle(3, HueColor(hue, 0.8, 0.6));
  movie.PlaceObject(body, 1);
  TFlashShape* head = movie.AddRoundRect(8, 8, w - 8, 8 + ht / 6, 6);
  head->SetLinearGradient(HueColor(hue, 0.7, 0.95), HueColor(hue + 30, 0.9, 0.65), 0);
  movie.PlaceObject(head, 2);
  if (website)
    for (int i = 0; i < 4; ++i) {
      TFlashShape* block =
          movie.AddRectangle(14 + (i % 2) * (w / 2 - 8), ht / 4 + 8 + (i / 2) * (ht / 3),
                             (i % 2 + 1) * (w / 2 - 8), ht / 4 + (i / 2 + 1) * (ht / 3));
      block->SetSolidColor(HueColor(hue + 90 * i, 0.25, 0.9));
      movie.PlaceObject(block, uint16_t(3 + i));
    }
  TFlashShape* glow = movie.AddCircle(0, 0, ht / 8);
  glow->SetRadialGradient(PackRGBA(255, 255, 255, 220), PackRGBA(255, 255, 255, 0), 50, 50);
  PlayFrames(movie, 24,
             {{glow, [=](TFlashPlaceObject& p,
                         int f) { p.SetTranslate(16 + (w - 32) * f / 23, 8 + ht / 12); }}},
             10);
}

// Two curtains open on a glowing centre and a burst of rays.
void Intro(TFlashMovie& movie, uint64_t h, int32_t w, int32_t ht) {
  const double hue = h % 360;
  TFlashShape* stage = movie.AddRectangle(0, 0, w, ht);
  stage->SetRadialGradient(HueColor(hue, 0.3, 1), HueColor(hue + 40, 0.9, 0.3), 50, 50);
  movie.PlaceObject(stage, 1);
  TFlashShape* burst = movie.AddStar(0, 0, ht / 2, ht / 6, 8 + int(h % 5), false);
  burst->SetSolidColor(PackRGBA(255, 250, 220, 160));
  TFlashShape* left = movie.AddRectangle(0, 0, w / 2, ht);
  left->SetLinearGradient(HueColor(hue + 180, 0.7, 0.5), HueColor(hue + 180, 0.8, 0.3), 0);
  TFlashShape* right = movie.AddRectangle(0, 0, w / 2, ht);
  right->SetLinearGradient(HueColor(hue + 180, 0.8, 0.3), HueColor(hue + 180, 0.7, 0.5), 0);
  const int frames = 36;
  PlayFrames(movie, frames,
             {{burst,
               [=](TFlashPlaceObject& p, int f) {
                 p.SetTranslate(w / 2, ht / 2);
                 p.SetRotate(f * 5);
                 p.SetScale(0.3 + f / 40.0, 0.3 + f / 40.0);
               }},
              {left,
               [=](TFlashPlaceObject& p, int f) {
                 p.SetTranslate(int32_t(-w / 2 * (0.3 + 0.7 * std::min(1.0, f / 20.0))), 0);
               }},
              {right,
               [=](TFlashPlaceObject& p, int f) {
                 p.SetTranslate(w / 2 + int32_t(w / 2 * (0.3 + 0.7 * std::min(1.0, f / 20.0))), 0);
               }}},
             2);
}

}  // namespace

// Backgrounds, banners, navigation bars, panels, web-site parts and intros.
void GenerateSceneClips(TArtworkOutput& output) {
  for (const std::string& name : DistinctClipNames()) {
    if (ClipGroupOf(name) != TClipGroup::Scenes) continue;
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    const uint64_t h = NameHash(name);
    std::unique_ptr<TFlashMovie> movie;
    auto make = [&](int32_t w, int32_t ht) {
      movie = NewArtMovie(w, ht);
      return std::pair{w, ht};
    };
    if (StartsWith(lower, "banner") || StartsWith(lower, "topbanner")) {
      auto [w, ht] = make(468, 60);
      Banner(*movie, h, w, ht);
    } else if (StartsWith(lower, "navigation")) {
      auto [w, ht] = make(500, 34);
      Navigation(*movie, h, w, ht);
    } else if (StartsWith(lower, "website") || StartsWith(lower, "panel") ||
               StartsWith(lower, "artpanel") || StartsWith(lower, "footballpanel")) {
      auto [w, ht] = make(240, 180);
      Panel(*movie, h, w, ht, StartsWith(lower, "website"));
    } else if (StartsWith(lower, "intro")) {
      auto [w, ht] = make(400, 200);
      Intro(*movie, h, w, ht);
    } else {
      auto [w, ht] = make(400, 300);
      Background(*movie, h, w, ht);
    }
    AddClip(output, "clip_scenes", name, *movie);
  }
}

}  // namespace orvanta::artwork
