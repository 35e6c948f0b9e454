// Sound speed: SWF ADPCM compression of a minute of CD-quality stereo, and the frame analysis
// of a minute of MP3. Each is measured beside its floor: reading the same samples without
// encoding them, and reading the same file without looking at it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "media/adpcm.h"
#include "media/flash_sound.h"
#include "media/mpeg_audio.h"
#include "media/wave_reader.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace {

using namespace orvanta;

constexpr uint32_t kRate = 44100;
constexpr size_t kFrames = kRate * 60;

std::vector<int16_t> Minute() {
  std::vector<int16_t> samples(kFrames * 2);
  for (size_t i = 0; i < kFrames; ++i) {
    double t = double(i) / kRate;
    samples[2 * i] = static_cast<int16_t>(9000 * std::sin(2 * M_PI * 440 * t) +
                                          3000 * std::sin(2 * M_PI * 3000 * t));
    samples[2 * i + 1] = static_cast<int16_t>(9000 * std::sin(2 * M_PI * 660 * t));
  }
  return samples;
}

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

std::string TempFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  std::string path = (std::filesystem::temp_directory_path() / name).string();
  WriteWholeFile(path, bytes);
  return path;
}

// A minute of 16-bit stereo PCM as a WAVE file.
const std::string& WaveFile() {
  static const std::string path = [] {
    std::vector<int16_t> samples = Minute();
    std::vector<uint8_t> file;
    const uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
    file.insert(file.end(), {'R', 'I', 'F', 'F'});
    Put(file, 36 + dataSize, 4);
    file.insert(file.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    Put(file, 16, 4);
    Put(file, 1, 2);
    Put(file, 2, 2);
    Put(file, kRate, 4);
    Put(file, kRate * 4, 4);
    Put(file, 4, 2);
    Put(file, 16, 2);
    file.insert(file.end(), {'d', 'a', 't', 'a'});
    Put(file, dataSize, 4);
    for (int16_t s : samples) Put(file, static_cast<uint16_t>(s), 2);
    return TempFile("orvanta_bench_minute.wav", file);
  }();
  return path;
}

// A minute of 128 kbit/s MPEG 1 Layer III at 44.1 kHz, padded as an encoder pads it. The
// analysis reads frame headers only, so silent frame bodies cost it the same as music.
const std::string& Mp3File() {
  static const std::string path = [] {
    std::vector<uint8_t> file;
    const size_t frames = kFrames / 1152 + 1;
    // 144 × 128000 / 44100 = 417.96 bytes: a padding byte whenever the fraction adds up.
    for (size_t i = 0, owed = 0; i < frames; ++i) {
      owed += 96;
      bool padding = owed >= 100;
      if (padding) owed -= 100;
      size_t size = 417 + (padding ? 1 : 0);
      file.insert(file.end(), {0xFF, 0xFB, static_cast<uint8_t>(0x90 | (padding ? 2 : 0)), 0x40});
      file.resize(file.size() + size - 4, 0x55);
    }
    return TempFile("orvanta_bench_minute.mp3", file);
  }();
  return path;
}

void EncodeADPCMSamples(benchmark::State& state) {
  const std::vector<int16_t> samples = Minute();
  const int bits = static_cast<int>(state.range(0));
  for (auto _ : state) {
    TMemoryStream out;
    out.Reserve(samples.size() * bits / 8 + 1024);
    TBitsEngine engine(out);
    EncodeADPCM(engine, samples, bits, 2);
    benchmark::DoNotOptimize(out.Size());
  }
  state.SetBytesProcessed(state.iterations() * int64_t(samples.size() * 2));
}
BENCHMARK(EncodeADPCMSamples)->Arg(2)->Arg(4)->Arg(5)->Unit(benchmark::kMillisecond);

// The whole DefineSound of a WAVE file: reading, converting and encoding.
void DefineSoundFromWave(benchmark::State& state) {
  TFlashSound sound(nullptr, WaveFile());
  sound.SetADPCMBits(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    TMemoryStream out;
    TBitsEngine engine(out);
    sound.WriteToStream(engine);
    benchmark::DoNotOptimize(out.Size());
  }
  state.SetBytesProcessed(state.iterations() * int64_t(sound.DataSize));
}
BENCHMARK(DefineSoundFromWave)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond);

// Floor: the same samples read from the file and converted, not encoded.
void ReadWaveSamplesFloor(benchmark::State& state) {
  TWaveReader reader(WaveFile());
  std::vector<int16_t> buffer(4096 * 2);
  for (auto _ : state) {
    reader.SeekFrame(0);
    size_t frames = 0;
    while (size_t got = reader.ReadSamples(buffer.data(), 4096)) frames += got;
    benchmark::DoNotOptimize(frames);
  }
  state.SetBytesProcessed(state.iterations() * int64_t(reader.DataSize));
}
BENCHMARK(ReadWaveSamplesFloor)->Unit(benchmark::kMillisecond);

// Frame analysis of the file on disk, as a sound is loaded.
void AnalyseMp3File(benchmark::State& state) {
  const std::string& path = Mp3File();
  size_t frames = 0;
  for (auto _ : state) {
    TWaveReader reader(path);
    frames = reader.MPEG()->FrameList.size();
    benchmark::DoNotOptimize(frames);
  }
  state.counters["frames"] = double(frames);
  state.SetBytesProcessed(state.iterations() * int64_t(std::filesystem::file_size(path)));
}
BENCHMARK(AnalyseMp3File)->Unit(benchmark::kMillisecond);

// The same analysis on bytes already in memory.
void AnalyseMp3Memory(benchmark::State& state) {
  const std::vector<uint8_t> bytes = ReadWholeFile(Mp3File());
  for (auto _ : state) {
    TMemoryViewStream stream(bytes);
    TMPEGaudio mpeg;
    mpeg.Analyse(stream);
    benchmark::DoNotOptimize(mpeg.FrameList.size());
  }
  state.SetBytesProcessed(state.iterations() * int64_t(bytes.size()));
}
BENCHMARK(AnalyseMp3Memory)->Unit(benchmark::kMillisecond);

// Floor: reading the whole file once.
void ReadMp3FileFloor(benchmark::State& state) {
  const std::string& path = Mp3File();
  for (auto _ : state) benchmark::DoNotOptimize(ReadWholeFile(path).size());
  state.SetBytesProcessed(state.iterations() * int64_t(std::filesystem::file_size(path)));
}
BENCHMARK(ReadMp3FileFloor)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
