#include "export/gif_writer.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/errors.h"

namespace orvanta {

namespace {

int AppendBytes(GifFileType* gif, const GifByteType* bytes, int count) {
  auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
  out->insert(out->end(), bytes, bytes + count);
  return count;
}

void Check(int status, GifFileType* gif, const char* what) {
  if (status != GIF_OK)
    throw Error(std::string("cannot write the GIF file: ") + what + " failed (" +
                GifErrorString(gif->Error) + ")");
}

// giflib takes palettes of a power of two entries, 2 at least.
int PaletteSize(size_t colours) {
  int size = 2;
  while (size_t(size) < colours) size *= 2;
  return size;
}

}  // namespace

struct TGifWriter::TImpl {
  std::vector<uint8_t> Bytes;
  GifFileType* File = nullptr;
  int Width = 0, Height = 0;
};

TGifWriter::TGifWriter(int width, int height, int loops) : impl_(std::make_unique<TImpl>()) {
  if (width < 1 || height < 1 || width > 65535 || height > 65535)
    throw Error("a GIF file cannot be " + std::to_string(width) + " x " + std::to_string(height));
  int error = 0;
  impl_->File = EGifOpen(&impl_->Bytes, AppendBytes, &error);
  if (!impl_->File)
    throw Error(std::string("cannot write the GIF file: ") + GifErrorString(error));
  impl_->Width = width;
  impl_->Height = height;
  GifFileType* gif = impl_->File;
  EGifSetGifVersion(gif, true);
  Check(EGifPutScreenDesc(gif, width, height, 8, 0, nullptr), gif, "the screen");
  if (loops == 1) return;
  // The Netscape extension counts the repeats after the first play; 0 repeats forever.
  const int repeats = loops == 0 ? 0 : std::min(loops - 1, 65535);
  const GifByteType loop[3] = {1, GifByteType(repeats & 0xFF), GifByteType(repeats >> 8)};
  Check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE), gif, "the loop");
  Check(EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0"), gif, "the loop");
  Check(EGifPutExtensionBlock(gif, 3, loop), gif, "the loop");
  Check(EGifPutExtensionTrailer(gif), gif, "the loop");
}

TGifWriter::~TGifWriter() {
  if (impl_->File) EGifCloseFile(impl_->File, nullptr);
}

void TGifWriter::AddFrame(const TIndexedPicture& frame, int left, int top, int delayCentiseconds) {
  GifFileType* gif = impl_->File;
  if (!gif) throw Error("the GIF file is finished");
  if (left < 0 || top < 0 || frame.Width < 1 || frame.Height < 1 ||
      left + frame.Width > impl_->Width || top + frame.Height > impl_->Height ||
      frame.Palette.empty() || frame.Palette.size() > 256)
    throw Error("a GIF frame lies outside the picture or has no palette");
  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;
  control.DelayTime = std::clamp(delayCentiseconds, 0, 65535);
  control.TransparentColor = frame.Transparent >= 0 ? frame.Transparent : NO_TRANSPARENT_COLOR;
  GifByteType extension[4];
  const size_t length = EGifGCBToExtension(&control, extension);
  Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension), gif, "a delay");

  std::vector<GifColorType> colours(size_t(PaletteSize(frame.Palette.size())));
  for (size_t i = 0; i < frame.Palette.size(); ++i)
    colours[i] = {frame.Palette[i][0], frame.Palette[i][1], frame.Palette[i][2]};
  ColorMapObject* map = GifMakeMapObject(int(colours.size()), colours.data());
  if (!map) throw Error("cannot write the GIF file: out of memory");
  const int status = EGifPutImageDesc(gif, left, top, frame.Width, frame.Height, false, map);
  GifFreeMapObject(map);
  Check(status, gif, "a frame");
  std::vector<GifPixelType> row(size_t(frame.Width));
  for (int y = 0; y < frame.Height; ++y) {
    std::memcpy(row.data(), frame.Indices.data() + size_t(y) * size_t(frame.Width), row.size());
    Check(EGifPutLine(gif, row.data(), frame.Width), gif, "a frame");
  }
}

std::vector<uint8_t> TGifWriter::Finish() {
  int error = 0;
  GifFileType* gif = std::exchange(impl_->File, nullptr);
  if (!gif || EGifCloseFile(gif, &error) != GIF_OK)
    throw Error(std::string("cannot write the GIF file: ") + GifErrorString(error));
  return std::move(impl_->Bytes);
}

}  // namespace orvanta
