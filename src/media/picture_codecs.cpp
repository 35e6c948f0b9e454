#include "media/picture_codecs.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <map>

#include <gif_lib.h>
#include <jerror.h>
#include <jpeglib.h>
#include <png.h>

#include "media/bmp_reader.h"
#include "platform/errors.h"
#include "platform/stream.h"

namespace orvanta {

// ---------------------------------------------------------------------------------------------
// TPicture

TPicture::TPicture(uint32_t width, uint32_t height, uint32_t color)
    : Width(width), Height(height), Pixels(size_t{width} * height * 4) {
  for (size_t i = 0; i < Pixels.size(); i += 4)
    for (int c = 0; c < 4; ++c) Pixels[i + c] = static_cast<uint8_t>(color >> (8 * c));
}

uint32_t TPicture::Color(uint32_t x, uint32_t y) const {
  const uint8_t* p = Pixel(x, y);
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void TPicture::SetColor(uint32_t x, uint32_t y, uint32_t color) {
  uint8_t* p = Pixel(x, y);
  for (int c = 0; c < 4; ++c) p[c] = static_cast<uint8_t>(color >> (8 * c));
}

bool TPicture::HasAlpha() const {
  for (size_t i = 3; i < Pixels.size(); i += 4)
    if (Pixels[i] != 255) return true;
  return false;
}

namespace {

void CheckSize(uint64_t width, uint64_t height, const TDecodeLimits& limits, const char* format) {
  if (width == 0 || height == 0) throw FormatError(std::string(format) + " picture has no pixels");
  if (width * height > limits.MaxPixels)
    throw FormatError(std::string(format) + " picture of " + std::to_string(width) + " x " +
                      std::to_string(height) + " pixels is too large");
}

// ---------------------------------------------------------------------------------------------
// JPEG through libjpeg. Its errors longjmp back to the function that called setjmp; that function
// and everything between it and libjpeg hold no object with a destructor, so nothing is skipped.
// The codec state lives in the caller's frame and is released by its destructor.

struct TJPEGError {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JPEGErrorExit(j_common_ptr info) {
  auto* error = reinterpret_cast<TJPEGError*>(info->err);
  (*info->err->format_message)(info, error->Message);
  std::longjmp(error->Jump, 1);
}

// Warnings (a stream cut short, a corrupt segment) are not printed; the decoder goes on.
void JPEGEmitMessage(j_common_ptr, int) {}
void JPEGOutputMessage(j_common_ptr) {}

void SetupErrorManager(TJPEGError& error) {
  jpeg_std_error(&error.Manager);
  error.Manager.error_exit = JPEGErrorExit;
  error.Manager.emit_message = JPEGEmitMessage;
  error.Manager.output_message = JPEGOutputMessage;
  error.Message[0] = 0;
}

// Stops a progressive stream with an absurd number of scans, each of which costs a pass over
// the whole image.
struct TJPEGProgress {
  jpeg_progress_mgr Manager;
  int MaxScans;
};

void JPEGProgress(j_common_ptr info) {
  if (!info->is_decompressor) return;
  auto* progress = reinterpret_cast<TJPEGProgress*>(info->progress);
  if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > progress->MaxScans) {
    auto* error = reinterpret_cast<TJPEGError*>(info->err);
    std::snprintf(error->Message, sizeof error->Message, "more than %d scans", progress->MaxScans);
    std::longjmp(error->Jump, 1);
  }
}

struct TJPEGDecoder {
  jpeg_decompress_struct Info;
  TJPEGError Error;
  TJPEGProgress Progress;
  bool TooLarge = false;

  TJPEGDecoder() {
    std::memset(&Info, 0, sizeof Info);
    SetupErrorManager(Error);
    Info.err = &Error.Manager;
  }
  ~TJPEGDecoder() { jpeg_destroy_decompress(&Info); }
  TJPEGDecoder(const TJPEGDecoder&) = delete;
  TJPEGDecoder& operator=(const TJPEGDecoder&) = delete;
};

bool StartJPEG(TJPEGDecoder& d, std::span<const uint8_t> data, TJPEGInfo& info) {
  if (setjmp(d.Error.Jump)) return false;
  jpeg_create_decompress(&d.Info);
  jpeg_mem_src(&d.Info, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&d.Info, TRUE);
  info.Width = d.Info.image_width;
  info.Height = d.Info.image_height;
  info.Components = d.Info.num_components;
  info.Progressive = d.Info.progressive_mode;
  return true;
}

// Adobe writes CMYK inverted; either way the colour is (255 - ink) scaled by the black.
void CMYKToRGBA(const uint8_t* cmyk, uint8_t* rgba, uint32_t width, bool inverted) {
  for (uint32_t x = 0; x < width; ++x, cmyk += 4, rgba += 4) {
    const unsigned k = inverted ? cmyk[3] : 255 - cmyk[3];
    for (int c = 0; c < 3; ++c) {
      const unsigned ink = inverted ? cmyk[c] : 255 - cmyk[c];
      rgba[c] = static_cast<uint8_t>((ink * k + 127) / 255);
    }
    rgba[3] = 255;
  }
}

bool FinishJPEG(TJPEGDecoder& d, const TDecodeLimits& limits, TPicture& out,
                std::vector<uint8_t>& row) {
  if (setjmp(d.Error.Jump)) return false;
  if (uint64_t{d.Info.image_width} * d.Info.image_height > limits.MaxPixels) {
    d.TooLarge = true;
    return false;
  }
  const bool cmyk = d.Info.jpeg_color_space == JCS_CMYK || d.Info.jpeg_color_space == JCS_YCCK;
  d.Info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;
  d.Progress.Manager.progress_monitor = JPEGProgress;
  d.Progress.MaxScans = limits.MaxJPEGScans;
  d.Info.progress = &d.Progress.Manager;
  d.Info.mem->max_memory_to_use =
      static_cast<long>(std::min<uint64_t>(limits.MaxPixels * 16, 1L << 30));
  jpeg_start_decompress(&d.Info);
  out.Width = d.Info.output_width;
  out.Height = d.Info.output_height;
  out.Pixels.assign(size_t{out.Width} * out.Height * 4, 0);
  row.resize(size_t{out.Width} * 4);
  while (d.Info.output_scanline < d.Info.output_height) {
    const uint32_t y = d.Info.output_scanline;
    JSAMPROW target = cmyk ? row.data() : out.Pixel(0, y);
    if (jpeg_read_scanlines(&d.Info, &target, 1) != 1) break;
    if (cmyk) CMYKToRGBA(row.data(), out.Pixel(0, y), out.Width, d.Info.saw_Adobe_marker);
  }
  jpeg_finish_decompress(&d.Info);
  return true;
}

[[noreturn]] void ThrowJPEG(const TJPEGDecoder& d) {
  throw FormatError(std::string("JPEG data cannot be read: ") + d.Error.Message);
}

// Collects the encoder's output in a growing malloc'd buffer that the encoder object frees.
struct TJPEGDestination {
  jpeg_destination_mgr Manager;
  unsigned char* Buffer = nullptr;
  size_t Capacity = 0;
  size_t Size = 0;
};

void DestinationInit(j_compress_ptr info) {
  auto* dest = reinterpret_cast<TJPEGDestination*>(info->dest);
  dest->Capacity = 65536;
  dest->Buffer = static_cast<unsigned char*>(std::malloc(dest->Capacity));
  if (!dest->Buffer) ERREXIT(info, JERR_OUT_OF_MEMORY);
  dest->Manager.next_output_byte = dest->Buffer;
  dest->Manager.free_in_buffer = dest->Capacity;
}

boolean DestinationEmpty(j_compress_ptr info) {
  auto* dest = reinterpret_cast<TJPEGDestination*>(info->dest);
  const size_t used = dest->Capacity;
  auto* grown = static_cast<unsigned char*>(std::realloc(dest->Buffer, used * 2));
  if (!grown) ERREXIT(info, JERR_OUT_OF_MEMORY);
  dest->Buffer = grown;
  dest->Capacity = used * 2;
  dest->Manager.next_output_byte = dest->Buffer + used;
  dest->Manager.free_in_buffer = dest->Capacity - used;
  return TRUE;
}

void DestinationTerm(j_compress_ptr info) {
  auto* dest = reinterpret_cast<TJPEGDestination*>(info->dest);
  dest->Size = dest->Capacity - dest->Manager.free_in_buffer;
}

struct TJPEGEncoder {
  jpeg_compress_struct Info;
  TJPEGError Error;
  TJPEGDestination Destination;

  TJPEGEncoder() {
    std::memset(&Info, 0, sizeof Info);
    SetupErrorManager(Error);
    Info.err = &Error.Manager;
    Destination.Manager.init_destination = DestinationInit;
    Destination.Manager.empty_output_buffer = DestinationEmpty;
    Destination.Manager.term_destination = DestinationTerm;
  }
  ~TJPEGEncoder() {
    jpeg_destroy_compress(&Info);
    std::free(Destination.Buffer);
  }
  TJPEGEncoder(const TJPEGEncoder&) = delete;
  TJPEGEncoder& operator=(const TJPEGEncoder&) = delete;
};

bool RunJPEGEncoder(TJPEGEncoder& e, const TPicture& picture, int quality, bool progressive) {
  if (setjmp(e.Error.Jump)) return false;
  jpeg_create_compress(&e.Info);
  e.Info.dest = &e.Destination.Manager;
  e.Info.image_width = picture.Width;
  e.Info.image_height = picture.Height;
  e.Info.input_components = 4;
  e.Info.in_color_space = JCS_EXT_RGBX;
  jpeg_set_defaults(&e.Info);
  jpeg_set_quality(&e.Info, quality, TRUE);
  if (progressive) jpeg_simple_progression(&e.Info);
  jpeg_start_compress(&e.Info, TRUE);
  while (e.Info.next_scanline < e.Info.image_height) {
    // libjpeg does not write through the row pointer.
    JSAMPROW row = const_cast<uint8_t*>(picture.Pixel(0, e.Info.next_scanline));
    jpeg_write_scanlines(&e.Info, &row, 1);
  }
  jpeg_finish_compress(&e.Info);
  return true;
}

// ---------------------------------------------------------------------------------------------
// PNG through libpng's simplified interface, which keeps its error handling inside libpng.

struct TPNGImage {
  png_image Image;
  TPNGImage() {
    std::memset(&Image, 0, sizeof Image);
    Image.version = PNG_IMAGE_VERSION;
  }
  ~TPNGImage() { png_image_free(&Image); }
  TPNGImage(const TPNGImage&) = delete;
  TPNGImage& operator=(const TPNGImage&) = delete;
};

// ---------------------------------------------------------------------------------------------
// GIF through giflib, which reports errors by return codes.

struct TGIFSource {
  std::span<const uint8_t> Data;
  size_t Position = 0;
};

int ReadGIFBytes(GifFileType* gif, GifByteType* buffer, int count) {
  auto* source = static_cast<TGIFSource*>(gif->UserData);
  const size_t n = std::min<size_t>(static_cast<size_t>(std::max(count, 0)),
                                    source->Data.size() - source->Position);
  if (n > 0) std::memcpy(buffer, source->Data.data() + source->Position, n);
  source->Position += n;
  return static_cast<int>(n);
}

int WriteGIFBytes(GifFileType* gif, const GifByteType* buffer, int count) {
  auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
  out->insert(out->end(), buffer, buffer + count);
  return count;
}

struct TGIFReader {
  GifFileType* File = nullptr;
  ~TGIFReader() {
    int error = 0;
    if (File) DGifCloseFile(File, &error);
  }
};

struct TGIFWriter {
  GifFileType* File = nullptr;
  ~TGIFWriter() {
    int error = 0;
    if (File) EGifCloseFile(File, &error);
  }
};

[[noreturn]] void ThrowGIF(int error) {
  const char* text = GifErrorString(error);
  throw FormatError(std::string("GIF data cannot be read: ") + (text ? text : "unknown error"));
}

// ---------------------------------------------------------------------------------------------
// Scaling: one pass per axis, each output sample a weighted sum of source samples.

struct TContributions {
  std::vector<uint32_t> First;   // per output sample: first source index
  std::vector<uint32_t> Count;   // per output sample: number of weights
  std::vector<uint32_t> Offset;  // per output sample: where its weights start
  std::vector<double> Weights;
};

TContributions Contributions(uint32_t sourceSize, double from, double length, uint32_t size) {
  TContributions c;
  c.First.resize(size);
  c.Count.resize(size);
  c.Offset.resize(size);
  const double scale = length / size;
  for (uint32_t i = 0; i < size; ++i) {
    const double center = from + (i + 0.5) * scale;
    // Shrinking: every source pixel the output pixel covers, weighted by how much of it is
    // covered. Enlarging: linear interpolation between the two nearest source pixels.
    const double reach = scale > 1 ? scale / 2 : 1.0;
    const int64_t lo = static_cast<int64_t>(std::floor(center - reach));
    const int64_t hi = static_cast<int64_t>(std::ceil(center + reach));
    const int64_t last = int64_t{sourceSize} - 1;
    const uint32_t first = static_cast<uint32_t>(std::clamp<int64_t>(lo, 0, last));
    const uint32_t end = static_cast<uint32_t>(std::clamp<int64_t>(hi, 0, last));
    c.First[i] = first;
    c.Count[i] = end - first + 1;
    c.Offset[i] = static_cast<uint32_t>(c.Weights.size());
    c.Weights.resize(c.Weights.size() + c.Count[i], 0.0);
    double* weights = c.Weights.data() + c.Offset[i];
    double total = 0;
    for (int64_t j = lo; j <= hi; ++j) {
      const double w = scale > 1
                           ? std::min(center + reach, j + 1.0) - std::max(center - reach, double(j))
                           : 1.0 - std::abs(j + 0.5 - center);
      if (w <= 0) continue;
      // Beyond the edges the edge pixels repeat.
      weights[std::clamp<int64_t>(j, 0, last) - first] += w;
      total += w;
    }
    if (total <= 0) {
      // A sample that falls between taps takes the nearest pixel.
      weights[0] = 1;
      total = 1;
    }
    for (uint32_t k = 0; k < c.Count[i]; ++k) weights[k] /= total;
  }
  return c;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

TJPEGInfo ReadJPEGInfo(std::span<const uint8_t> data) {
  if (data.empty()) throw FormatError("JPEG data is empty");
  TJPEGDecoder d;
  TJPEGInfo info;
  if (!StartJPEG(d, data, info)) ThrowJPEG(d);
  return info;
}

TPicture DecodeJPEG(std::span<const uint8_t> data, const TDecodeLimits& limits) {
  if (data.empty()) throw FormatError("JPEG data is empty");
  TJPEGDecoder d;
  TJPEGInfo info;
  TPicture out;
  std::vector<uint8_t> row;
  if (!StartJPEG(d, data, info)) ThrowJPEG(d);
  CheckSize(info.Width, info.Height, limits, "JPEG");
  if (!FinishJPEG(d, limits, out, row)) {
    if (d.TooLarge) CheckSize(info.Width, info.Height, limits, "JPEG");
    ThrowJPEG(d);
  }
  return out;
}

std::vector<uint8_t> EncodeJPEG(const TPicture& picture, int quality, bool progressive) {
  if (picture.Empty()) throw FormatError("an empty picture cannot be written as JPEG");
  if (picture.Width > JPEG_MAX_DIMENSION || picture.Height > JPEG_MAX_DIMENSION)
    throw FormatError("the picture is too large for JPEG");
  TJPEGEncoder e;
  if (!RunJPEGEncoder(e, picture, std::clamp(quality, 1, 100), progressive))
    throw FormatError(std::string("JPEG encoding failed: ") + e.Error.Message);
  return std::vector<uint8_t>(e.Destination.Buffer, e.Destination.Buffer + e.Destination.Size);
}

TPicture DecodePNG(std::span<const uint8_t> data, const TDecodeLimits& limits) {
  TPNGImage png;
  if (!png_image_begin_read_from_memory(&png.Image, data.data(), data.size()))
    throw FormatError(std::string("PNG data cannot be read: ") + png.Image.message);
  CheckSize(png.Image.width, png.Image.height, limits, "PNG");
  png.Image.format = PNG_FORMAT_RGBA;
  TPicture out;
  out.Width = png.Image.width;
  out.Height = png.Image.height;
  out.Pixels.resize(PNG_IMAGE_SIZE(png.Image));
  if (!png_image_finish_read(&png.Image, nullptr, out.Pixels.data(), 0, nullptr))
    throw FormatError(std::string("PNG data cannot be read: ") + png.Image.message);
  return out;
}

std::vector<uint8_t> EncodePNG(const TPicture& picture) {
  if (picture.Empty()) throw FormatError("an empty picture cannot be written as PNG");
  TPNGImage png;
  png.Image.width = picture.Width;
  png.Image.height = picture.Height;
  png.Image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&png.Image, nullptr, &size, 0, picture.Pixels.data(), 0, nullptr))
    throw FormatError(std::string("PNG encoding failed: ") + png.Image.message);
  std::vector<uint8_t> out(size);
  if (!png_image_write_to_memory(&png.Image, out.data(), &size, 0, picture.Pixels.data(), 0,
                                 nullptr))
    throw FormatError(std::string("PNG encoding failed: ") + png.Image.message);
  out.resize(size);
  return out;
}

TPicture DecodeGIF(std::span<const uint8_t> data, const TDecodeLimits& limits) {
  TGIFSource source{data};
  TGIFReader reader;
  int error = 0;
  reader.File = DGifOpen(&source, ReadGIFBytes, &error);
  if (!reader.File) ThrowGIF(error);
  GifFileType* gif = reader.File;

  int transparent = -1;
  for (;;) {
    GifRecordType type;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) ThrowGIF(gif->Error);
    if (type == TERMINATE_RECORD_TYPE) throw FormatError("GIF file holds no image");
    if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) ThrowGIF(gif->Error);
      if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
        transparent = (block[1] & 1) ? block[4] : -1;
      while (block) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) ThrowGIF(gif->Error);
      }
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE) continue;

    if (DGifGetImageDesc(gif) == GIF_ERROR) ThrowGIF(gif->Error);
    const GifImageDesc& desc = gif->Image;
    const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!map) throw FormatError("GIF image has no colour table");
    const uint32_t left = static_cast<uint32_t>(std::max(desc.Left, 0));
    const uint32_t top = static_cast<uint32_t>(std::max(desc.Top, 0));
    const uint32_t width = static_cast<uint32_t>(std::max(desc.Width, 0));
    const uint32_t height = static_cast<uint32_t>(std::max(desc.Height, 0));
    // A screen smaller than its image grows to hold it, as browsers show such files.
    const uint64_t screenWidth =
        std::max<uint64_t>(std::max(gif->SWidth, 0), uint64_t{left} + width);
    const uint64_t screenHeight =
        std::max<uint64_t>(std::max(gif->SHeight, 0), uint64_t{top} + height);
    CheckSize(screenWidth, screenHeight, limits, "GIF");
    TPicture out(static_cast<uint32_t>(screenWidth), static_cast<uint32_t>(screenHeight), 0);
    if (width == 0 || height == 0) return out;

    std::vector<GifPixelType> line(std::max(width, 1u));
    std::vector<uint32_t> order;
    order.reserve(height);
    if (desc.Interlace) {
      for (uint32_t y = 0; y < height; y += 8) order.push_back(y);
      for (uint32_t y = 4; y < height; y += 8) order.push_back(y);
      for (uint32_t y = 2; y < height; y += 4) order.push_back(y);
      for (uint32_t y = 1; y < height; y += 2) order.push_back(y);
    } else {
      for (uint32_t y = 0; y < height; ++y) order.push_back(y);
    }
    for (uint32_t y : order) {
      if (DGifGetLine(gif, line.data(), static_cast<int>(width)) == GIF_ERROR) {
        // A file cut short keeps the rows it has, as viewers show it; other faults are errors.
        if (gif->Error == D_GIF_ERR_READ_FAILED || gif->Error == D_GIF_ERR_DATA_TOO_BIG) break;
        ThrowGIF(gif->Error);
      }
      for (uint32_t x = 0; x < width; ++x) {
        const int index = line[x];
        if (index == transparent) continue;
        uint8_t* p = out.Pixel(left + x, top + y);
        if (index < map->ColorCount) {
          const GifColorType& c = map->Colors[index];
          p[0] = c.Red;
          p[1] = c.Green;
          p[2] = c.Blue;
        } else {
          p[0] = p[1] = p[2] = 0;
        }
        p[3] = 255;
      }
    }
    return out;
  }
}

std::vector<uint8_t> EncodeGIF(const TPicture& picture, bool interlaced) {
  if (picture.Empty()) throw FormatError("an empty picture cannot be written as GIF");
  if (picture.Width > 65535 || picture.Height > 65535)
    throw FormatError("the picture is too large for GIF");
  // Colours in order of appearance; a transparent entry first when needed.
  std::map<uint32_t, int> indices;
  std::vector<GifColorType> colors;
  const bool transparent = [&] {
    for (size_t i = 3; i < picture.Pixels.size(); i += 4)
      if (picture.Pixels[i] < 128) return true;
    return false;
  }();
  if (transparent) colors.push_back({0, 0, 0});
  std::vector<GifPixelType> pixels(size_t{picture.Width} * picture.Height);
  for (uint32_t y = 0; y < picture.Height; ++y)
    for (uint32_t x = 0; x < picture.Width; ++x) {
      const uint8_t* p = picture.Pixel(x, y);
      int index = 0;
      if (p[3] >= 128 || !transparent) {
        const uint32_t key = p[0] | p[1] << 8 | p[2] << 16;
        auto [it, added] = indices.try_emplace(key, static_cast<int>(colors.size()));
        if (added) {
          if (colors.size() == 256) throw FormatError("the picture has more than 256 colours");
          colors.push_back({p[0], p[1], p[2]});
        }
        index = it->second;
      }
      pixels[size_t{y} * picture.Width + x] = static_cast<GifPixelType>(index);
    }
  int bits = 1;
  while ((1 << bits) < static_cast<int>(colors.size())) ++bits;
  colors.resize(size_t{1} << bits, GifColorType{0, 0, 0});

  std::vector<uint8_t> out;
  TGIFWriter writer;
  int error = 0;
  writer.File = EGifOpen(&out, WriteGIFBytes, &error);
  if (!writer.File) ThrowGIF(error);
  GifFileType* gif = writer.File;
  EGifSetGifVersion(gif, true);
  ColorMapObject* map = GifMakeMapObject(1 << bits, colors.data());
  if (!map) throw FormatError("GIF encoding failed: out of memory");
  const int screen = EGifPutScreenDesc(gif, static_cast<int>(picture.Width),
                                       static_cast<int>(picture.Height), bits, 0, map);
  GifFreeMapObject(map);
  if (screen == GIF_ERROR) ThrowGIF(gif->Error);
  if (transparent) {
    GifByteType control[4] = {1, 0, 0, 0};  // transparent colour flag, index 0
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_ERROR)
      ThrowGIF(gif->Error);
  }
  if (EGifPutImageDesc(gif, 0, 0, static_cast<int>(picture.Width), static_cast<int>(picture.Height),
                       interlaced, nullptr) == GIF_ERROR)
    ThrowGIF(gif->Error);
  std::vector<uint32_t> order;
  if (interlaced) {
    for (uint32_t y = 0; y < picture.Height; y += 8) order.push_back(y);
    for (uint32_t y = 4; y < picture.Height; y += 8) order.push_back(y);
    for (uint32_t y = 2; y < picture.Height; y += 4) order.push_back(y);
    for (uint32_t y = 1; y < picture.Height; y += 2) order.push_back(y);
  } else {
    for (uint32_t y = 0; y < picture.Height; ++y) order.push_back(y);
  }
  for (uint32_t y : order)
    if (EGifPutLine(gif, pixels.data() + size_t{y} * picture.Width,
                    static_cast<int>(picture.Width)) == GIF_ERROR)
      ThrowGIF(gif->Error);
  writer.File = nullptr;
  if (EGifCloseFile(gif, &error) == GIF_ERROR) ThrowGIF(error);
  return out;
}

TPicture DecodeBMP(std::span<const uint8_t> data, const TDecodeLimits& limits) {
  TBMPReader bmp;
  bmp.MaxPixels = limits.MaxPixels;
  TMemoryViewStream stream(data);
  bmp.LoadFromStream(stream);
  TPicture out(static_cast<uint32_t>(bmp.Width()), bmp.Rows(), 0);
  // Most 32-bit files leave the fourth byte 0: then it is padding, not transparency.
  const bool alpha = bmp.AlphaMask != 0 || bmp.AlphaChannelUsed();
  for (uint32_t y = 0; y < out.Height; ++y)
    for (uint32_t x = 0; x < out.Width; ++x) {
      uint32_t color = bmp.PixelColor(x, y);
      if (bmp.BitsPerPixel() == 32 && !alpha) color |= 0xFF000000u;
      out.SetColor(x, y, color);
    }
  return out;
}

TPicture DecodePicture(std::span<const uint8_t> data, const TDecodeLimits& limits) {
  auto starts = [&](std::initializer_list<uint8_t> bytes) {
    return data.size() >= bytes.size() && std::equal(bytes.begin(), bytes.end(), data.begin());
  };
  if (starts({0xFF, 0xD8})) return DecodeJPEG(data, limits);
  if (starts({0x89, 'P', 'N', 'G'})) return DecodePNG(data, limits);
  if (starts({'G', 'I', 'F', '8'})) return DecodeGIF(data, limits);
  if (starts({'B', 'M'})) return DecodeBMP(data, limits);
  throw FormatError("unknown picture format");
}

TPicture LoadPictureFile(const std::string& fileName, const TDecodeLimits& limits) {
  const std::vector<uint8_t> data = ReadWholeFile(fileName);
  return DecodePicture(data, limits);
}

std::vector<TPicture> SplitStrip(const TPicture& strip, uint32_t cellWidth) {
  std::vector<TPicture> cells;
  if (cellWidth == 0) return cells;
  for (uint32_t left = 0; left + cellWidth <= strip.Width; left += cellWidth) {
    TPicture cell(cellWidth, strip.Height, 0);
    for (uint32_t y = 0; y < strip.Height; ++y)
      std::memcpy(cell.Pixel(0, y), strip.Pixel(left, y), size_t{cellWidth} * 4);
    cells.push_back(std::move(cell));
  }
  return cells;
}

TPicture ScalePicture(const TPicture& source, uint32_t width, uint32_t height) {
  return ScalePicture(source, 0, 0, source.Width, source.Height, width, height);
}

TPicture ScalePicture(const TPicture& source, double x, double y, double w, double h,
                      uint32_t width, uint32_t height) {
  if (source.Empty() || width == 0 || height == 0 || !(w > 0) || !(h > 0))
    throw FormatError("cannot scale an empty picture or to an empty size");
  if (!(x >= 0) || !(y >= 0) || !(x + w <= source.Width + 1e-6) || !(y + h <= source.Height + 1e-6))
    throw FormatError("the part to scale lies outside the picture");
  CheckSize(width, height, TDecodeLimits{}, "scaled");
  const TContributions across = Contributions(source.Width, x, w, width);
  const TContributions down = Contributions(source.Height, y, h, height);

  // Only the source rows some output row reads are needed.
  const uint32_t firstRow = down.First.front();
  uint32_t lastRow = firstRow;
  for (uint32_t i = 0; i < height; ++i)
    lastRow = std::max(lastRow, down.First[i] + down.Count[i] - 1);

  // Horizontal pass into premultiplied floating-point rows.
  const uint32_t rows = lastRow - firstRow + 1;
  std::vector<float> middle(size_t{rows} * width * 4);
  for (uint32_t r = 0; r < rows; ++r) {
    const uint8_t* src = source.Pixel(0, firstRow + r);
    float* dst = middle.data() + size_t{r} * width * 4;
    for (uint32_t i = 0; i < width; ++i) {
      double sum[4] = {0, 0, 0, 0};
      const double* weights = across.Weights.data() + across.Offset[i];
      for (uint32_t k = 0; k < across.Count[i]; ++k) {
        const uint8_t* p = src + size_t{across.First[i] + k} * 4;
        const double wa = weights[k] * p[3];
        sum[0] += wa * p[0];
        sum[1] += wa * p[1];
        sum[2] += wa * p[2];
        sum[3] += wa;
      }
      for (int c = 0; c < 4; ++c) dst[i * 4 + c] = static_cast<float>(sum[c]);
    }
  }

  TPicture out(width, height, 0);
  for (uint32_t j = 0; j < height; ++j) {
    const double* weights = down.Weights.data() + down.Offset[j];
    for (uint32_t i = 0; i < width; ++i) {
      double sum[4] = {0, 0, 0, 0};
      for (uint32_t k = 0; k < down.Count[j]; ++k) {
        const float* p = middle.data() + (size_t{down.First[j] + k - firstRow} * width + i) * 4;
        for (int c = 0; c < 4; ++c) sum[c] += weights[k] * p[c];
      }
      uint8_t* q = out.Pixel(i, j);
      const double alpha = sum[3];
      for (int c = 0; c < 3; ++c)
        q[c] =
            alpha > 0 ? static_cast<uint8_t>(std::clamp(std::lround(sum[c] / alpha), 0L, 255L)) : 0;
      q[3] = static_cast<uint8_t>(std::clamp(std::lround(alpha), 0L, 255L));
    }
  }
  return out;
}

void CopyPicture(TPicture& canvas, const TPicture& picture, uint32_t x, uint32_t y) {
  for (uint32_t row = 0; row < picture.Height && y + row < canvas.Height; ++row)
    for (uint32_t column = 0; column < picture.Width && x + column < canvas.Width; ++column)
      std::copy_n(picture.Pixel(column, row), 4, canvas.Pixel(x + column, y + row));
}

}  // namespace orvanta
