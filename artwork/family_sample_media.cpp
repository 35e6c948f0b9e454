#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <random>
#include <string>

#include "art_paint.h"
#include "artwork_output.h"
#include "families.h"
#include "media/picture_codecs.h"
#include "panel_designs.h"
#include "platform/artwork_names.h"
#include "platform/errors.h"
#include "thumbnail_pictures.h"

namespace orvanta::artwork {

namespace {

namespace fs = std::filesystem;

// The user's starting pictures: the panel pictures drawn large, in several colourways.
void AddPhotos(TArtworkOutput& output) {
  const std::vector<uint32_t> colors = {Rgb(0x4A90D9), Rgb(0xE0785A), Rgb(0x58B368), Rgb(0x9A6AD0)};
  int n = 0;
  for (uint32_t color : colors)
    for (size_t kind = 0; kind < PanelPictureKinds(); ++kind) {
      char name[32];
      std::snprintf(name, sizeof name, "photos/photo%02d.jpg", ++n);
      if (n > kSamplePhotos) throw Error("more photos drawn than listed");
      output.AddDataFile(name, EncodeJPEG(RenderThumbnail(PanelPicture(kind, color, 100 + n), 1,
                                                          640, 480, 0xFFFFFF),
                                          88));
    }
}

// A short loop: a chord per beat group, a bass note under it and a soft tick on every beat,
// ending where it began so that it repeats without a click.
struct TLoop {
  const char* Name;
  double Tempo;                          // beats per minute
  std::vector<std::vector<int>> Chords;  // semitones above A 220, one chord per bar
};

std::vector<int16_t> Synthesise(const TLoop& loop, uint32_t rate) {
  const double beat = 60.0 / loop.Tempo;
  const size_t perBar = static_cast<size_t>(std::lround(4 * beat * rate));
  std::vector<double> mix(perBar * loop.Chords.size(), 0.0);
  std::minstd_rand noise(3);
  auto tone = [&](size_t start, double frequency, double seconds, double level) {
    const size_t length = std::min(mix.size() - start, static_cast<size_t>(seconds * rate));
    for (size_t i = 0; i < length; ++i) {
      const double t = static_cast<double>(i) / rate, decay = std::exp(-3.0 * t / seconds);
      const double attack = std::min(1.0, t * 200);
      mix[start + i] += level * attack * decay *
                        (std::sin(2 * std::numbers::pi * frequency * t) +
                         0.3 * std::sin(4 * std::numbers::pi * frequency * t));
    }
  };
  for (size_t bar = 0; bar < loop.Chords.size(); ++bar) {
    const size_t at = bar * perBar;
    for (int beatIndex = 0; beatIndex < 4; ++beatIndex) {
      const size_t b = at + static_cast<size_t>(beatIndex * beat * rate);
      for (int note : loop.Chords[bar])
        tone(b, 220 * std::pow(2.0, note / 12.0), beat * 0.9, beatIndex == 0 ? 0.16 : 0.1);
      const size_t tick = std::min(mix.size() - b, static_cast<size_t>(0.03 * rate));
      for (size_t i = 0; i < tick; ++i)
        mix[b + i] += 0.05 * (static_cast<double>(noise() % 2001) / 1000 - 1) *
                      (1 - static_cast<double>(i) / tick);
    }
    tone(at, 55 * std::pow(2.0, loop.Chords[bar][0] / 12.0), 4 * beat, 0.3);
  }
  // Fade the last milliseconds so the loop point does not click.
  const size_t fade = rate / 100;
  for (size_t i = 0; i < fade; ++i) mix[mix.size() - 1 - i] *= static_cast<double>(i) / fade;
  std::vector<int16_t> samples;
  for (double v : mix)
    samples.push_back(static_cast<int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 26000)));
  return samples;
}

std::vector<uint8_t> WaveFile(const std::vector<int16_t>& samples, uint32_t rate) {
  std::vector<uint8_t> out;
  auto put = [&](uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
  };
  auto tag = [&](const char* text) { out.insert(out.end(), text, text + 4); };
  const uint32_t data = static_cast<uint32_t>(samples.size() * 2);
  tag("RIFF");
  put(36 + data, 4);
  tag("WAVE");
  tag("fmt ");
  put(16, 4);
  put(1, 2);
  put(1, 2);
  put(rate, 4);
  put(rate * 2, 4);
  put(2, 2);
  put(16, 2);
  tag("data");
  put(data, 4);
  for (int16_t s : samples) put(static_cast<uint16_t>(s), 2);
  return out;
}

std::vector<uint8_t> ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// MP3 at 32 kbit/s, the rate the music dialog recommends, encoded by lame.
std::vector<uint8_t> EncodeMp3(const std::vector<uint8_t>& wave, const std::string& name) {
  // A folder of its own: generator runs (the build's and the tests') may encode side by side.
  std::string pattern =
      (fs::temp_directory_path() / ("orvanta_artwork_" + name + "_XXXXXX")).string();
  if (!::mkdtemp(pattern.data())) throw Error("cannot create a temporary folder for " + name);
  const fs::path folder = pattern;
  const fs::path in = folder / "in.wav", out = folder / "out.mp3";
  std::ofstream(in, std::ios::binary)
      .write(reinterpret_cast<const char*>(wave.data()), static_cast<std::streamsize>(wave.size()));
  const std::string command =
      "lame --quiet -b 32 -m m '" + in.string() + "' '" + out.string() + "'";
  const int status = std::system(command.c_str());
  std::vector<uint8_t> bytes = status == 0 ? ReadFile(out) : std::vector<uint8_t>{};
  fs::remove_all(folder);
  if (bytes.empty()) throw Error("lame could not encode " + name + " (is lame installed?)");
  return bytes;
}

void AddSounds(TArtworkOutput& output) {
  constexpr uint32_t kRate = 22050;
  // In the order of SampleMusic().
  const std::vector<TLoop> loops = {
      {"sunny", 120, {{3, 7, 10}, {10, 14, 17}, {8, 12, 15}, {10, 14, 17}}},
      {"calm", 80, {{0, 3, 7}, {8, 12, 15}, {3, 7, 10}, {10, 14, 17}}},
      {"drive", 140, {{5, 9, 12}, {3, 7, 10}, {0, 4, 7}, {3, 7, 10}}},
      {"party", 128, {{0, 4, 7, 11}, {5, 9, 12, 16}, {7, 11, 14}, {5, 9, 12}}},
  };
  for (size_t i = 0; i < loops.size(); ++i) {
    const TLoop& loop = loops[i];
    if (SampleMusic().at(i) != loop.Name) throw Error("music loops out of step with their names");
    const std::vector<uint8_t> wave = WaveFile(Synthesise(loop, kRate), kRate);
    output.AddDataFile("sound/" + std::string(loop.Name) + ".mp3", EncodeMp3(wave, loop.Name));
    output.AddDataFile("sound/" + std::string(loop.Name) + ".wav", wave);
  }
}

}  // namespace

void GenerateSampleMedia(TArtworkOutput& output) {
  AddPhotos(output);
  AddSounds(output);
}

}  // namespace orvanta::artwork
