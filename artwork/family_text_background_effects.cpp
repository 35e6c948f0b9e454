// The animated text's background effects: flames standing on the text's baseline, and bursts,
// comets and balls of light dropped at random points over the text. Each loops by itself.

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>

#include "art_movie.h"
#include "artwork_output.h"
#include "effect_shapes.h"
#include "families.h"
#include "fire_sound.h"
#include "media/flash_sound.h"
#include "media/sound_tags.h"
#include "media/wave_reader.h"
#include "movie/flash_movie.h"
#include "movie/flash_shape.h"
#include "platform/artwork_names.h"
#include "platform/stream.h"

namespace orvanta::artwork {

namespace {

constexpr double kTau = 2 * std::numbers::pi;
constexpr int kLoop = 24;

uint32_t Rgba(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
  return PackRGBA(r, g, b, a);
}

// A wave that returns to its start after the loop, so the animation loops without a jump.
double Wave(int frame, double cycles, double phase) {
  return std::sin(kTau * (frame * cycles / kLoop + phase));
}

TTrack Track(TFlashVisualObject* object, const std::function<TPose(int frame)>& pose) {
  TTrack track{object, {}};
  for (int f = 0; f < kLoop; ++f) track.Poses.push_back(pose(f));
  return track;
}

// Particles thrown out from (cx, cy) from frame `start` for `life` frames, hidden otherwise.
void Burst(std::vector<TTrack>& tracks, TFlashVisualObject* particle, int count, double reach,
           double spin, int start, int life, uint32_t seed, double cx = 0, double cy = 0) {
  TParticleRandom random(seed);
  for (int i = 0; i < count; ++i) {
    const double a = kTau * (i + random.Range(0, 0.6)) / count;
    const double d = reach * random.Range(0.6, 1.0);
    const double size = random.Range(0.6, 1.1);
    tracks.push_back(Track(particle, [=](int f) {
      const double t = (f - start) / static_cast<double>(life);
      if (t < 0 || t > 1) return TPose{cx, cy, 0.01, -1, 0, 0};
      const double ease = 1 - (1 - t) * (1 - t);
      return TPose{cx + std::cos(a) * d * ease, cy + std::sin(a) * d * ease,
                   size * (1 - 0.5 * t),        -1,
                   spin * t * 360 + a * 57.3,   1 - t * t};
    }));
  }
}

// A glow that swells from nothing and fades, from frame `start` for `life` frames.
TTrack Flash(TFlashVisualObject* glow, int start, int life, double grow, double cx = 0,
             double cy = 0) {
  return Track(glow, [=](int f) {
    const double t = (f - start) / static_cast<double>(life);
    if (t < 0 || t > 1) return TPose{cx, cy, 0.01, -1, 0, 0};
    return TPose{cx, cy, 0.2 + grow * std::sqrt(t), -1, 0, 1 - t};
  });
}

void DrawFire(TFlashMovie& movie, bool withSound) {
  if (withSound) {
    TFlashSound* sound = movie.AddSound(std::string());
    sound->LoadFromReader(std::make_unique<TWaveReader>(
        std::make_unique<TMemoryStream>(FireCrackleWave()), "fire.wav"));
    // One crackle, however many copies of the flames play at once.
    movie.StartSound(sound->CharacterId())->SyncNoMultiple = true;
  }
  TFlashShape* glow = AddGlow(movie, 22, {Rgba(255, 200, 80, 200), Rgba(255, 90, 0, 0)});
  TFlashShape* outer = AddFlame(movie, 22, 60, {Rgba(255, 70, 0, 235), Rgba(190, 20, 0, 0)});
  TFlashShape* inner = AddFlame(movie, 12, 34, {Rgba(255, 250, 190, 255), Rgba(255, 170, 0, 40)});
  std::vector<TTrack> tracks;
  tracks.push_back(
      Track(glow, [](int f) { return TPose{0, -4, 1, 0.6, 0, 0.8 + 0.2 * Wave(f, 3, 0)}; }));
  const double xs[] = {-9, 0, 9, -4, 5};
  for (int i = 0; i < 3; ++i)
    tracks.push_back(Track(outer, [&, i](int f) {
      return TPose{xs[i] + 2 * Wave(f, 2, i * 0.3), 0,
                   0.8 + 0.1 * Wave(f, 4, i * 0.2), 0.75 + 0.3 * Wave(f, 3, i * 0.37),
                   5 * Wave(f, 2, i * 0.5),         0.9};
    }));
  for (int i = 0; i < 2; ++i)
    tracks.push_back(Track(inner, [&, i](int f) {
      return TPose{xs[3 + i] + 1.5 * Wave(f, 3, i * 0.4),
                   0,
                   1,
                   0.8 + 0.25 * Wave(f, 4, i * 0.6),
                   4 * Wave(f, 3, i * 0.25),
                   1};
    }));
  PlayTracks(movie, tracks);
}

// A fireball: a hot core swells, flames fly out and burn away.
void DrawBoomFire(TFlashMovie& movie) {
  std::vector<TTrack> tracks;
  TFlashShape* core =
      AddGlow(movie, 30, {Rgba(255, 255, 220), Rgba(255, 160, 0, 200), Rgba(255, 40, 0, 0)});
  TFlashShape* flame = AddFlame(movie, 12, 26, {Rgba(255, 230, 120), Rgba(255, 40, 0, 0)});
  tracks.push_back(Flash(core, 0, 14, 1.3));
  Burst(tracks, flame, 12, 45, 0.2, 1, 16, 11);
  PlayTracks(movie, tracks);
}

// Fireworks: a white flash and golden sparks that arc out and fall.
void DrawBoomFire2(TFlashMovie& movie) {
  std::vector<TTrack> tracks;
  TFlashShape* flash = AddGlow(movie, 18, {Rgba(255, 255, 255), Rgba(255, 240, 160, 0)});
  TFlashShape* spark = AddSpark(movie, 5, 4, Rgba(255, 215, 90));
  TFlashShape* ember = AddGlow(movie, 4, {Rgba(255, 255, 200), Rgba(255, 120, 0, 0)});
  tracks.push_back(Flash(flash, 0, 6, 1.5));
  Burst(tracks, spark, 16, 50, 1.5, 1, 18, 21);
  Burst(tracks, ember, 10, 32, 0, 2, 14, 22);
  PlayTracks(movie, tracks);
}

// A blast wave: a ring races out over an orange core, smoke rolls after it.
void DrawBoomFire3(TFlashMovie& movie) {
  std::vector<TTrack> tracks;
  TFlashShape* smoke = AddGlow(movie, 14, {Rgba(90, 80, 80, 160), Rgba(60, 60, 60, 0)});
  TFlashShape* core =
      AddGlow(movie, 24, {Rgba(255, 240, 180), Rgba(255, 110, 0, 180), Rgba(200, 30, 0, 0)});
  TFlashShape* ring = AddRing(movie, 20, 4, Rgba(255, 200, 100, 230));
  Burst(tracks, smoke, 8, 30, 0.1, 3, 20, 31);
  tracks.push_back(Flash(core, 0, 12, 1.0));
  tracks.push_back(Flash(ring, 1, 12, 2.2));
  PlayTracks(movie, tracks);
}

// A chain of three small blasts around the point, one after the other.
void DrawBoomFire4(TFlashMovie& movie) {
  std::vector<TTrack> tracks;
  TFlashShape* core =
      AddGlow(movie, 22, {Rgba(255, 250, 200), Rgba(255, 80, 0, 160), Rgba(180, 0, 0, 0)});
  TFlashShape* spark = AddSpark(movie, 6, 5, Rgba(255, 180, 40));
  const double at[3][2] = {{-22, 8}, {18, -12}, {4, 20}};
  for (int i = 0; i < 3; ++i) {
    tracks.push_back(Flash(core, i * 6, 10, 1.1, at[i][0], at[i][1]));
    Burst(tracks, spark, 7, 30, 1, i * 6 + 1, 10, 41 + i, at[i][0], at[i][1]);
  }
  PlayTracks(movie, tracks);
}

// A comet crosses the point from left to right, its tail a string of fading glows.
void DrawComet(TFlashMovie& movie) {
  std::vector<TTrack> tracks;
  TFlashShape* tail = AddGlow(movie, 13, {Rgba(200, 235, 255, 230), Rgba(80, 140, 255, 0)});
  TFlashShape* head =
      AddGlow(movie, 10, {Rgba(255, 255, 255), Rgba(200, 230, 255, 220), Rgba(120, 170, 255, 0)});
  TFlashShape* glint = AddSpark(movie, 9, 4, Rgba(255, 255, 255, 230));
  // Position along the path and how much shows: it fades in at the left and out at the right,
  // so the jump back at the end of the loop is never seen.
  auto where = [](double f, double alpha) {
    const double t = std::fmod(f + kLoop, kLoop) / kLoop;
    return TPose{-70 + 140 * t,
                 24 - 48 * t,
                 1,
                 -1,
                 0,
                 alpha * std::min(1.0, 3 * std::sin(std::numbers::pi * t))};
  };
  for (int k = 12; k >= 1; --k)
    tracks.push_back(Track(tail, [=](int f) {
      TPose p = where(f - k * 0.3, 1 - k * 0.07);
      p.Scale = 1.1 - k * 0.07;
      return p;
    }));
  tracks.push_back(Track(head, [=](int f) { return where(f, 1); }));
  tracks.push_back(Track(glint, [=](int f) {
    TPose p = where(f, 0.9);
    p.Scale = 0.8 + 0.3 * Wave(f, 6, 0);
    p.Rotate = f * 15.0;
    return p;
  }));
  PlayTracks(movie, tracks);
}

// A devil's ring: dark red flames whirl around a smouldering core.
void DrawDevildom(TFlashMovie& movie) {
  std::vector<TTrack> tracks;
  TFlashShape* aura =
      AddGlow(movie, 40, {Rgba(120, 0, 30, 200), Rgba(60, 0, 60, 120), Rgba(20, 0, 20, 0)});
  TFlashShape* flame = AddFlame(movie, 12, 28, {Rgba(255, 60, 20), Rgba(90, 0, 40, 0)});
  TFlashShape* core = AddSpark(movie, 14, 6, Rgba(40, 0, 10, 230));
  tracks.push_back(Track(aura, [](int f) { return TPose{0, 0, 0.9 + 0.15 * Wave(f, 2, 0)}; }));
  for (int i = 0; i < 6; ++i)
    tracks.push_back(Track(flame, [i](int f) {
      const double a = kTau * (i / 6.0 + f / static_cast<double>(kLoop));
      return TPose{std::cos(a) * 14,
                   std::sin(a) * 14,
                   0.9 + 0.2 * Wave(f, 4, i / 6.0),
                   -1,
                   a * 180 / std::numbers::pi + 90,
                   0.9};
    }));
  tracks.push_back(Track(core, [](int f) { return TPose{0, 0, 1, -1, -f * 15.0, 1}; }));
  PlayTracks(movie, tracks);
}

// A ball of light that pulses in front of a turning star.
void DrawFlashBallStar(TFlashMovie& movie) {
  std::vector<TTrack> tracks;
  TFlashShape* star = AddSpark(movie, 34, 8, Rgba(255, 240, 150, 200));
  TFlashShape* ball =
      AddGlow(movie, 16, {Rgba(255, 255, 255), Rgba(160, 220, 255, 230), Rgba(60, 140, 255, 0)});
  tracks.push_back(Track(star, [](int f) {
    return TPose{0, 0, 0.8 + 0.2 * Wave(f, 2, 0), -1, f * 360.0 / kLoop / 2, 0.9};
  }));
  tracks.push_back(Track(ball, [](int f) { return TPose{0, 0, 1 + 0.25 * Wave(f, 4, 0)}; }));
  PlayTracks(movie, tracks);
}

// A ball of light with small stars circling it and twinkling.
void DrawFlashBallStar2(TFlashMovie& movie) {
  std::vector<TTrack> tracks;
  TFlashShape* ball =
      AddGlow(movie, 14, {Rgba(255, 255, 255), Rgba(255, 190, 240, 220), Rgba(230, 80, 200, 0)});
  TFlashShape* star = AddSpark(movie, 7, 5, Rgba(255, 250, 200));
  tracks.push_back(Track(ball, [](int f) { return TPose{0, 0, 1 + 0.15 * Wave(f, 3, 0)}; }));
  for (int i = 0; i < 5; ++i)
    tracks.push_back(Track(star, [i](int f) {
      const double a = kTau * (i / 5.0 + f / static_cast<double>(kLoop));
      return TPose{
          std::cos(a) * 32, std::sin(a) * 14, 0.8 + 0.4 * Wave(f, 4, i / 5.0), -1, f * 20.0, 0.95};
    }));
  PlayTracks(movie, tracks);
}

struct TEffect {
  const char* Name;
  // The frame shows the whole effect around its origin.
  int32_t XMin, YMin, XMax, YMax;
  std::function<void(TFlashMovie&)> Draw;
};

}  // namespace

void GenerateTextBackgroundEffects(TArtworkOutput& output) {
  const std::vector<TEffect> effects = {
      {"fire", -25, -70, 25, 0, [](TFlashMovie& m) { DrawFire(m, true); }},
      {"FIRE_withoutsound", -25, -70, 25, 0, [](TFlashMovie& m) { DrawFire(m, false); }},
      {"BOOMFIRE", -60, -60, 60, 60, DrawBoomFire},
      {"BOOMFIRE2", -60, -60, 60, 60, DrawBoomFire2},
      {"BOOMFIRE3", -60, -60, 60, 60, DrawBoomFire3},
      {"BOOMFIRE4", -60, -60, 60, 60, DrawBoomFire4},
      {"comet", -80, -40, 80, 40, DrawComet},
      {"devildom", -50, -50, 50, 50, DrawDevildom},
      {"flashballstar", -40, -40, 40, 40, DrawFlashBallStar},
      {"flashballstar2", -45, -30, 45, 30, DrawFlashBallStar2},
  };
  for (const TEffect& effect : effects) {
    auto movie = NewArtMovie(effect.XMin, effect.YMin, effect.XMax, effect.YMax);
    effect.Draw(*movie);
    output.AddTemplate("text-background", effect.Name, MovieBytes(*movie));
  }
}

}  // namespace orvanta::artwork
