#include "media/flash_image.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "media/bmp_reader.h"
#include "media/picture_codecs.h"
#include "movie/flash_movie.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/zlib_codec.h"
#include "swf/bits_engine.h"
#include "swf/tags_bitmap.h"

namespace orvanta {

namespace {

constexpr int kConvertQuality = 90;

std::string UpperExtension(const std::string& fileName) {
  std::string ext = std::filesystem::path(fileName).extension().string();
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return ext;
}

uint8_t Premultiply(uint8_t color, uint8_t alpha) {
  return static_cast<uint8_t>((color * alpha + 127) / 255);
}

}  // namespace

TFlashImage::TFlashImage(TFlashMovie* owner, const std::string& fileName) : TFlashIDObject(owner) {
  if (!fileName.empty()) LoadFromFile(fileName);
}

TFlashImage::~TFlashImage() = default;

std::string TFlashImage::ImageError(const std::string& what) const {
  return "picture \"" + FileName + "\": " + what;
}

void TFlashImage::ResetData() {
  dataStream_.reset();
  bmp_.reset();
  alphaData_.reset();
  alphaGiven_ = false;
  dataState_ = kStateNone;
  width_ = height_ = 0;
  ColorCount = 0;
  RowWidth = 0;
  LosslessFormat = 0;
}

void TFlashImage::LoadFromFile(const std::string& fileName) {
  FileName = fileName;
  if (Owner() && Owner()->OnLoadCustomImage) {
    bool continueLoading = true;
    Owner()->OnLoadCustomImage(*this, fileName, continueLoading);
    if (!continueLoading) return;
  }
  const std::string ext = UpperExtension(fileName);
  ResetData();
  IsJPEG = false;
  HasAlpha = false;
  if (ext == "JPG" || ext == "JPEG") {
    IsJPEG = true;
    {
      TFileStream file(fileName, TFileStream::Mode::Read);
      ReadJPEGSize(file, width_, height_);
    }
    dataState_ = kStateFile;
    if (convertProgressive_ && (width_ == 0 || height_ == 0)) ConvertJPEGFile(true);
  } else if (ext == "BMP") {
    BMP().LoadFromFile(fileName);
    ApplyBMPFormat();
  } else if (Owner() && Owner()->UnsupportedImageHook) {
    Owner()->UnsupportedImageHook(*this, fileName);
  } else {
    throw FormatError("Image format \"" + ext + "\" not supported!");
  }
}

void TFlashImage::ReadJPEGSize(TStream& stream, uint16_t& width, uint16_t& height) {
  width = height = 0;
  auto next = [&stream](uint8_t& b) {
    if (stream.Remaining() < 1) return false;
    stream.ReadBuffer(&b, 1);
    return true;
  };
  auto word = [&stream](uint16_t& v) {
    uint8_t b[2];
    if (stream.Remaining() < 2) return false;
    stream.ReadBuffer(b, 2);
    v = static_cast<uint16_t>(b[0] << 8 | b[1]);
    return true;
  };
  uint16_t start = 0;
  if (!word(start) || start != 0xFFD8) return;
  uint8_t b = 0;
  if (!next(b)) return;
  while (b == 0xFF) {
    uint8_t marker = 0;
    if (!next(marker)) return;
    if (marker == 0xFF) continue;  // fill byte
    if (marker == 0xC0 || marker == 0xC1) {
      uint16_t h = 0, w = 0;
      if (stream.Remaining() < 3) return;
      stream.SetPosition(stream.Position() + 3);
      if (!word(h) || !word(w)) return;
      height = h;
      width = w;
      return;
    }
    if (marker != 0x01 && !(marker >= 0xD0 && marker <= 0xD7)) {
      uint16_t length = 0;
      if (!word(length) || length < 2 || stream.Remaining() < length - 2u) return;
      stream.SetPosition(stream.Position() + length - 2);
    }
    if (!next(b)) return;
  }
}

bool TFlashImage::ConvertJPEGFile(bool takeSize) {
  const std::vector<uint8_t> data = ReadWholeFile(FileName);
  const TJPEGInfo info = ReadJPEGInfo(data);
  uint16_t w = 0, h = 0;
  TMemoryViewStream header(data);
  ReadJPEGSize(header, w, h);
  // Players show baseline streams only; anything else is decoded and written again.
  if (!info.Progressive && w != 0 && h != 0) return false;
  const TPicture picture = DecodeJPEG(data);
  if (picture.Width > 65535 || picture.Height > 65535)
    throw FormatError(ImageError("the picture is too large"));
  auto stream = std::make_unique<TMemoryStream>(EncodeJPEG(picture, kConvertQuality));
  dataStream_ = std::move(stream);
  dataState_ = kStateConverted;
  if (takeSize) {
    width_ = static_cast<uint16_t>(picture.Width);
    height_ = static_cast<uint16_t>(picture.Height);
  }
  return true;
}

void TFlashImage::SetConvertProgressive(bool flag) {
  if (flag && !convertProgressive_ && IsJPEG &&
      (dataState_ == kStateFile || dataState_ == kStateFileOpen)) {
    dataStream_.reset();
    dataState_ = kStateFile;
    ConvertJPEGFile(false);
  }
  convertProgressive_ = flag;
}

void TFlashImage::LoadDataFromStream(TStream& stream, bool isJPEG, bool hasAlpha,
                                     int32_t colorCount, uint8_t format, uint16_t height,
                                     uint16_t width) {
  ResetData();
  IsJPEG = isJPEG;
  width_ = width;
  height_ = height;
  HasAlpha = false;
  if (!isJPEG) {
    RowWidth = width;
    LosslessFormat = format;
    HasAlpha = hasAlpha;
    ColorCount = colorCount;
  }
  auto data = std::make_unique<TMemoryStream>();
  stream.SetPosition(0);
  data->CopyFrom(stream, stream.Size());
  dataStream_ = std::move(data);
  dataState_ = kStateMemory;
}

TBMPReader& TFlashImage::BMP() {
  if (!bmp_) bmp_ = std::make_unique<TBMPReader>();
  return *bmp_;
}

TStream& TFlashImage::DataStream() {
  if (!dataStream_) {
    if (dataState_ == kStateFile) {
      dataStream_ = std::make_unique<TFileStream>(FileName, TFileStream::Mode::Read);
      dataState_ = kStateFileOpen;
    } else {
      dataStream_ = std::make_unique<TMemoryStream>();
      if (dataState_ != kStateLossless) dataState_ = kStateMemory;
    }
  }
  return *dataStream_;
}

void TFlashImage::InvalidateLossless() {
  if (dataState_ == kStateLossless) dataStream_.reset();
}

void TFlashImage::ApplyBMPFormat() {
  TBMPReader& bmp = BMP();
  if (bmp.Empty()) throw FormatError(ImageError("no bitmap is loaded"));
  if (bmp.Width() > 65535 || bmp.Rows() > 65535)
    throw FormatError(ImageError("the picture is too large"));
  width_ = static_cast<uint16_t>(bmp.Width());
  height_ = static_cast<uint16_t>(bmp.Rows());
  ColorCount = 0;
  switch (bmp.BitsPerPixel()) {
    case 1:
    case 4:
    case 8:
      LosslessFormat = 3;
      ColorCount = bmp.CountColors();
      RowWidth = (width_ + 3u) & ~3u;
      HasAlpha = bmp.TransparentIndex() >= 0;
      if (HasAlpha) SetPaletteAlpha(bmp.TransparentIndex(), 0);
      break;
    case 16:
      LosslessFormat = 4;
      HasAlpha = false;
      RowWidth = (width_ + 1u) & ~1u;
      break;
    case 24:
      LosslessFormat = 5;
      HasAlpha = false;
      RowWidth = width_;
      break;
    default:
      LosslessFormat = 1;
      RowWidth = width_;
      HasAlpha = true;
      break;
  }
  dataStream_.reset();
  dataState_ = kStateLossless;
}

void TFlashImage::BuildLosslessData() {
  if (LosslessFormat == 0) ApplyBMPFormat();
  const TBMPReader& bmp = BMP();
  const uint32_t width = width_, height = height_;
  const uint32_t pad = RowWidth > width ? RowWidth - width : 0;
  std::vector<uint8_t> out;

  // Rows go top row first, whichever way the file stored them.
  switch (LosslessFormat) {
    case 1: {
      // The fourth byte of most 32-bit files is padding: it counts as alpha when the caller set
      // it, the file declares an alpha channel, or (outside a movie) it is not all zero.
      const bool used = bmp.AlphaChannelUsed();
      const bool opaque = !used || (Owner() && !alphaGiven_ && bmp.AlphaMask == 0);
      HasAlpha = true;
      out.reserve(size_t{width} * height * 4);
      for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
          const uint32_t c = bmp.PixelColor(x, y);
          const uint8_t r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF, a = c >> 24;
          if (opaque) {
            out.insert(out.end(), {0xFF, r, g, b});
          } else if (a == 0) {
            out.insert(out.end(), {0, 0, 0, 0});
          } else {
            // Lossless2 colours are premultiplied by their alpha.
            out.insert(out.end(), {a, Premultiply(r, a), Premultiply(g, a), Premultiply(b, a)});
          }
        }
      break;
    }
    case 3: {
      for (int32_t i = 0; i < ColorCount; ++i) {
        const TBMPReader::TPaletteEntry& e = bmp.Palette[static_cast<size_t>(i)];
        if (HasAlpha)
          out.insert(out.end(), {Premultiply(e.Red, e.Alpha), Premultiply(e.Green, e.Alpha),
                                 Premultiply(e.Blue, e.Alpha), e.Alpha});
        else
          out.insert(out.end(), {e.Red, e.Green, e.Blue});
      }
      out.reserve(out.size() + size_t{RowWidth} * height);
      for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* row = bmp.PictureRow(y);
        for (uint32_t x = 0; x < width; ++x)
          out.push_back(TBMPReader::IndexAt(row, x, bmp.BitsPerPixel()));
        out.insert(out.end(), pad, 0);
      }
      break;
    }
    case 4: {
      const bool plain = bmp.RedMask == 0x7C00 && bmp.GreenMask == 0x03E0 && bmp.BlueMask == 0x001F;
      out.reserve(size_t{RowWidth} * height * 2);
      for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* row = bmp.PictureRow(y);
        for (uint32_t x = 0; x < width; ++x) {
          uint32_t v = bmp.ValueAt(row, x);
          if (!plain) {
            // Other layouts (5-6-5 and the like) are brought to 5-5-5.
            const uint32_t c = bmp.PixelColor(x, y);
            v = ((c & 0xFF) >> 3) << 10 | ((c >> 8 & 0xFF) >> 3) << 5 | (c >> 16 & 0xFF) >> 3;
          }
          out.push_back(static_cast<uint8_t>(v >> 8));
          out.push_back(static_cast<uint8_t>(v));
        }
        out.insert(out.end(), size_t{pad} * 2, 0);
      }
      break;
    }
    case 5: {
      out.reserve(size_t{width} * height * 4);
      for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* row = bmp.PictureRow(y);
        for (uint32_t x = 0; x < width; ++x) {
          const uint8_t* p = row + size_t{x} * 3;
          out.insert(out.end(), {0xFF, p[2], p[1], p[0]});
        }
      }
      break;
    }
    default:
      throw FormatError(ImageError("no lossless format for this bitmap"));
  }
  dataStream_ = std::make_unique<TMemoryStream>(Deflate(out));
  dataState_ = kStateLossless;
}

void TFlashImage::FillAlpha(uint8_t value) {
  if (IsJPEG) {
    const size_t size = size_t{width_} * height_;
    alphaData_ = std::make_unique<TMemoryStream>(std::vector<uint8_t>(size, value));
  } else if (LosslessFormat == 1 && bmp_) {
    bmp_->FillAlpha(value);
    alphaGiven_ = true;
    InvalidateLossless();
  }
}

void TFlashImage::SetAlphaPixel(uint32_t x, uint32_t y, uint8_t value) {
  if (x >= width_ || y >= height_) return;
  if (IsJPEG) {
    const size_t at = size_t{y} * width_ + x;
    if (alphaData_ && at < alphaData_->Size()) alphaData_->MutableData()[at] = value;
  } else if (LosslessFormat == 1 && bmp_) {
    bmp_->SetPixelAlpha(x, y, value);
    alphaGiven_ = true;
    InvalidateLossless();
  }
}

void TFlashImage::SetPaletteAlpha(int index, uint8_t alpha) {
  if (!bmp_ || LosslessFormat != 3 || index < 0 || index >= ColorCount || index > 255) return;
  HasAlpha = true;
  TBMPReader::TPaletteEntry& entry = bmp_->Palette[static_cast<size_t>(index)];
  entry.Alpha = alpha;
  if (alpha == 0) entry.Red = entry.Green = entry.Blue = 0;
  InvalidateLossless();
}

void TFlashImage::Assign(const TBasedSWFObject& Source) {
  TFlashIDObject::Assign(Source);
  auto& source = dynamic_cast<const TFlashImage&>(Source);
  IsJPEG = source.IsJPEG;
  HasAlpha = source.HasAlpha;
  ColorCount = source.ColorCount;
  FileName = source.FileName;
  RowWidth = source.RowWidth;
  LosslessFormat = source.LosslessFormat;
  width_ = source.width_;
  height_ = source.height_;
  convertProgressive_ = source.convertProgressive_;
  alphaGiven_ = source.alphaGiven_;
  dataState_ = source.dataState_;
  dataStream_.reset();
  if (dataState_ == kStateFile || dataState_ == kStateFileOpen) {
    // The copy reads the same file through a stream of its own.
    dataState_ = kStateFile;
  } else if (source.dataStream_) {
    auto copy = std::make_unique<TMemoryStream>();
    const uint64_t at = source.dataStream_->Position();
    source.dataStream_->SetPosition(0);
    copy->CopyFrom(*source.dataStream_, source.dataStream_->Size());
    source.dataStream_->SetPosition(at);
    copy->SetPosition(0);
    dataStream_ = std::move(copy);
  }
  bmp_.reset();
  if (source.bmp_) BMP().AssignBitmap(*source.bmp_);
  alphaData_.reset();
  if (source.alphaData_) alphaData_ = std::make_unique<TMemoryStream>(source.alphaData_->Bytes());
}

int TFlashImage::MinVersion() const {
  return HasAlpha ? 3 : 2;
}

void TFlashImage::WriteToStream(TBitsEngine& Engine) {
  auto image = [this](TSWFObject& tag, TBitsEngine& engine) { WriteImageData(tag, engine); };
  if (IsJPEG) {
    if (alphaData_ && alphaData_->Size() > 0) {
      TSWFDefineBitsJPEG3 tag;
      tag.CharacterId = CharacterId();
      tag.OnDataWrite = image;
      tag.OnAlphaDataWrite = [this](TSWFObject& t, TBitsEngine& e) { WriteAlphaData(t, e); };
      tag.WriteToStream(Engine);
    } else {
      TSWFDefineBitsJPEG2 tag;
      tag.CharacterId = CharacterId();
      tag.OnDataWrite = image;
      tag.WriteToStream(Engine);
    }
    return;
  }
  // The tag's header needs the format, which a bitmap loaded directly has not derived yet.
  if (LosslessFormat == 0 && bmp_ && !bmp_->Empty()) ApplyBMPFormat();
  std::unique_ptr<TSWFDefineBitsLossless> tag;
  if (HasAlpha)
    tag = std::make_unique<TSWFDefineBitsLossless2>();
  else
    tag = std::make_unique<TSWFDefineBitsLossless>();
  tag->CharacterId = CharacterId();
  tag->BitmapFormat = LosslessFormat == 1 ? 5 : LosslessFormat;
  tag->BitmapWidth = width_;
  tag->BitmapHeight = height_;
  if (LosslessFormat == 3) tag->BitmapColorTableSize = static_cast<uint8_t>(ColorCount - 1);
  tag->OnDataWrite = image;
  tag->WriteToStream(Engine);
}

void TFlashImage::WriteImageData(TSWFObject&, TBitsEngine& engine) {
  if (dataState_ == kStateNone) return;
  if (IsJPEG) {
    // The JPEG stream goes in as it is. Old encoders put an end and a start marker before it,
    // which SWF 8 and later no longer allow; players never needed them.
    if (dataState_ == kStateFile) {
      // Opened for this write only.
      TFileStream file(FileName, TFileStream::Mode::Read);
      engine.Stream().CopyFrom(file, file.Size());
      return;
    }
  } else if (dataState_ == kStateLossless && (!dataStream_ || dataStream_->Size() == 0)) {
    BuildLosslessData();
  }
  TStream& data = DataStream();
  data.SetPosition(0);
  engine.Stream().CopyFrom(data, data.Size());
}

void TFlashImage::WriteAlphaData(TSWFObject&, TBitsEngine& engine) {
  if (!alphaData_) return;
  const std::vector<uint8_t> packed = Deflate(alphaData_->Bytes());
  engine.WriteBuffer(packed.data(), packed.size());
}

}  // namespace orvanta
