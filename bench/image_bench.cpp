// Image speed: a 2000 x 2000 photo added to a movie and written out, as a baseline JPEG (kept as
// it is), a progressive JPEG (decoded and re-encoded as baseline) and a 24-bit BMP (turned into
// zlib-compressed lossless data). Floors: libjpeg decoding the progressive file, and zlib
// compressing the BMP's pixel bytes at the default level.
#include <benchmark/benchmark.h>
#include <jpeglib.h>
#include <zlib.h>

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "media/flash_image.h"
#include "media/picture_codecs.h"
#include "movie/flash_movie.h"
#include "platform/stream.h"

namespace {

using namespace orvanta;

constexpr uint32_t kSide = 2000;

// Smooth gradients with some texture, so that both JPEG and deflate have realistic work.
const TPicture& Photo() {
  static const TPicture picture = [] {
    TPicture p(kSide, kSide);
    for (uint32_t y = 0; y < kSide; ++y) {
      for (uint32_t x = 0; x < kSide; ++x) {
        uint8_t* px = p.Pixel(x, y);
        px[0] = static_cast<uint8_t>(128 + 100 * std::sin(x * 0.01) + (x * y) % 7);
        px[1] = static_cast<uint8_t>(128 + 90 * std::cos(y * 0.013) + (x ^ y) % 5);
        px[2] = static_cast<uint8_t>((x + y) / 16 + ((x * 31 + y * 17) % 11));
        px[3] = 255;
      }
    }
    return p;
  }();
  return picture;
}

std::string TempFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  std::string path = (std::filesystem::temp_directory_path() / name).string();
  WriteWholeFile(path, bytes);
  return path;
}

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

const std::string& BaselineFile() {
  static const std::string path = TempFile("orvanta_bench_base.jpg", EncodeJPEG(Photo(), 85));
  return path;
}

const std::string& ProgressiveFile() {
  static const std::string path =
      TempFile("orvanta_bench_prog.jpg", EncodeJPEG(Photo(), 85, true));
  return path;
}

// The BMP's pixel array, bottom-up BGR rows (6000 bytes each, already 4-byte aligned).
const std::vector<uint8_t>& BMPPixels() {
  static const std::vector<uint8_t> pixels = [] {
    const TPicture& p = Photo();
    std::vector<uint8_t> out;
    out.reserve(size_t{kSide} * kSide * 3);
    for (uint32_t row = 0; row < kSide; ++row) {
      for (uint32_t x = 0; x < kSide; ++x) {
        const uint8_t* px = p.Pixel(x, kSide - 1 - row);
        out.insert(out.end(), {px[2], px[1], px[0]});
      }
    }
    return out;
  }();
  return pixels;
}

const std::string& BMPFile() {
  static const std::string path = [] {
    const std::vector<uint8_t>& pixels = BMPPixels();
    std::vector<uint8_t> file = {'B', 'M'};
    Put(file, static_cast<uint32_t>(54 + pixels.size()), 4);
    Put(file, 0, 4);
    Put(file, 54, 4);
    Put(file, 40, 4);
    Put(file, kSide, 4);
    Put(file, kSide, 4);
    Put(file, 1, 2);
    Put(file, 24, 2);
    Put(file, 0, 4);
    Put(file, static_cast<uint32_t>(pixels.size()), 4);
    Put(file, 2835, 4);
    Put(file, 2835, 4);
    Put(file, 0, 4);
    Put(file, 0, 4);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return TempFile("orvanta_bench_photo.bmp", file);
  }();
  return path;
}

// A fresh movie each time, since the image's data is built when the movie is written.
void AddAndWrite(benchmark::State& state, const std::string& fileName) {
  const uint64_t inputSize = std::filesystem::file_size(fileName);
  uint64_t outSize = 0;
  for (auto _ : state) {
    TFlashMovie movie(0, 0, kSide, kSide, 24, true);
    movie.SetVersion(8);
    movie.AddImage(fileName);
    movie.MakeData();
    TMemoryStream out;
    movie.SaveToStream(out);
    outSize = out.Size();
    benchmark::DoNotOptimize(out.MutableData());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * inputSize));
  state.counters["in_bytes"] = static_cast<double>(inputSize);
  state.counters["out_bytes"] = static_cast<double>(outSize);
}

void BM_BaselineJPEG(benchmark::State& state) { AddAndWrite(state, BaselineFile()); }
BENCHMARK(BM_BaselineJPEG)->Unit(benchmark::kMillisecond);

void BM_ProgressiveJPEG(benchmark::State& state) { AddAndWrite(state, ProgressiveFile()); }
BENCHMARK(BM_ProgressiveJPEG)->Unit(benchmark::kMillisecond);

void BM_BMP24(benchmark::State& state) { AddAndWrite(state, BMPFile()); }
BENCHMARK(BM_BMP24)->Unit(benchmark::kMillisecond);

struct TJumpError {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
};

// Floor of the progressive case: libjpeg alone decoding the file from memory to RGB.
void BM_LibjpegDecodeFloor(benchmark::State& state) {
  const std::vector<uint8_t> data = ReadWholeFile(ProgressiveFile());
  std::vector<uint8_t> rgb(size_t{kSide} * kSide * 3);
  for (auto _ : state) {
    jpeg_decompress_struct info;
    TJumpError error;
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = [](j_common_ptr cinfo) {
      std::longjmp(reinterpret_cast<TJumpError*>(cinfo->err)->Jump, 1);
    };
    if (setjmp(error.Jump)) {
      jpeg_destroy_decompress(&info);
      state.SkipWithError("libjpeg failed");
      return;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
      JSAMPROW row = rgb.data() + size_t{info.output_scanline} * info.output_width * 3;
      jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    benchmark::DoNotOptimize(rgb.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
}
BENCHMARK(BM_LibjpegDecodeFloor)->Unit(benchmark::kMillisecond);

// Floor of the lossless case: zlib alone deflating the same pixel bytes.
void BM_ZlibPixelsFloor(benchmark::State& state) {
  const std::vector<uint8_t>& pixels = BMPPixels();
  std::vector<uint8_t> out(compressBound(pixels.size()));
  uLongf size = 0;
  for (auto _ : state) {
    size = out.size();
    compress2(out.data(), &size, pixels.data(), pixels.size(), Z_DEFAULT_COMPRESSION);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * (54 + pixels.size())));
  state.counters["out_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_ZlibPixelsFloor)->Unit(benchmark::kMillisecond);

// The same pixels laid out as the lossless tag stores 24-bit colour (a pad byte, then red,
// green, blue: 16 MB instead of 12), deflated by zlib alone: how much of the BMP case is the
// larger layout rather than the conversion.
void BM_ZlibXRGBFloor(benchmark::State& state) {
  const TPicture& p = Photo();
  std::vector<uint8_t> xrgb(size_t{kSide} * kSide * 4);
  for (size_t i = 0; i < size_t{kSide} * kSide; ++i) {
    xrgb[i * 4] = 0xFF;
    xrgb[i * 4 + 1] = p.Pixels[i * 4];
    xrgb[i * 4 + 2] = p.Pixels[i * 4 + 1];
    xrgb[i * 4 + 3] = p.Pixels[i * 4 + 2];
  }
  std::vector<uint8_t> out(compressBound(xrgb.size()));
  uLongf size = 0;
  for (auto _ : state) {
    size = out.size();
    compress2(out.data(), &size, xrgb.data(), xrgb.size(), Z_DEFAULT_COMPRESSION);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * (54 + kSide * kSide * 3)));
  state.counters["out_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_ZlibXRGBFloor)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
