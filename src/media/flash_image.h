#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "movie/flash_object.h"

namespace orvanta {

class TBMPReader;
class TBitsEngine;
class TMemoryStream;
class TStream;
class TSWFObject;

// One picture turned into one bitmap character. JPEG files stay JPEG (DefineBitsJPEG2, or
// DefineBitsJPEG3 once an alpha plane is given); BMP files become lossless data
// (DefineBitsLossless, or DefineBitsLossless2 with alpha). Other pictures are decoded by the
// caller and handed over as JPEG data plus an alpha plane. The data is produced only when the
// movie is written.
class TFlashImage : public TFlashIDObject {
 public:
  // Where the data is.
  enum : uint8_t {
    kStateNone = 0,
    kStateMemory = 1,     // handed over in a memory stream
    kStateLossless = 2,   // lossless data built from the bitmap (when first needed)
    kStateFile = 3,       // a JPEG file referenced by FileName, not open
    kStateConverted = 4,  // baseline JPEG re-encoded into memory
    kStateFileOpen = 5,   // a JPEG file open for reading
  };

  // With a file name the file is loaded at once (LoadFromFile).
  explicit TFlashImage(TFlashMovie* owner = nullptr, const std::string& fileName = std::string());
  ~TFlashImage() override;

  bool IsJPEG = false;
  // The picture carries transparency (lossless data only; a JPEG's alpha plane does not set it).
  bool HasAlpha = false;
  // Colour-table entries of colour-mapped lossless data; written as ColorCount - 1.
  int32_t ColorCount = 0;
  std::string FileName;
  // Pixels per lossless row, row padding included.
  uint32_t RowWidth = 0;
  // 0 not yet derived; 1 a 32-bit source (written as BitmapFormat 5 with alpha); 3 colour-mapped;
  // 4 15-bit; 5 24-bit.
  uint8_t LosslessFormat = 0;

  // ".JPG" and ".JPEG" files are kept as JPEG data (progressive ones re-encoded as baseline
  // when ConvertProgressive is on), ".BMP" files are read into BMP; the movie's OnLoadCustomImage
  // hook comes first, its UnsupportedImageHook takes other extensions, else FormatError
  // "Image format "EXT" not supported!".
  void LoadFromFile(const std::string& fileName);
  // Replaces what the image holds with the stream's data, from its start: JPEG data, or lossless
  // data already zlib-compressed as the tag carries it (format as in LosslessFormat). hasAlpha,
  // colorCount and format are for lossless data only.
  void LoadDataFromStream(TStream& stream, bool isJPEG, bool hasAlpha, int32_t colorCount,
                          uint8_t format, uint16_t height, uint16_t width);
  // JPEG data: an alpha plane of Width x Height bytes of value. 32-bit lossless pictures: the
  // alpha of every pixel. Others: nothing.
  void FillAlpha(uint8_t value);
  // One alpha value at (x, y), y counted from the top; a JPEG's plane must have been sized by
  // FillAlpha first. Points outside the picture are ignored.
  void SetAlphaPixel(uint32_t x, uint32_t y, uint8_t value);
  // Colour-mapped BMP pictures: the alpha of a colour-table entry (0 also clears its colour).
  void SetPaletteAlpha(int index, uint8_t alpha);

  bool ConvertProgressive() const { return convertProgressive_; }
  // Switching it on converts a progressive JPEG file the image references at once.
  void SetConvertProgressive(bool flag);

  uint16_t Width() const { return width_; }
  uint16_t Height() const { return height_; }
  uint8_t DataState() const { return dataState_; }
  // The bitmap of a BMP source, created on first access.
  TBMPReader& BMP();
  bool HasBMP() const { return bmp_ != nullptr; }
  // The alpha plane of JPEG data; null until FillAlpha created it.
  TMemoryStream* AlphaData() const { return alphaData_.get(); }
  // The data stream, created on demand: a referenced JPEG file is opened (state 5), otherwise
  // an empty memory stream is made (state 1, or 2 for lossless data built from the bitmap).
  TStream& DataStream();

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override;
  // Writes the one bitmap tag.
  void WriteToStream(TBitsEngine& Engine) override;
  // The bitmap tag's data callbacks.
  void WriteImageData(TSWFObject& tag, TBitsEngine& engine);
  void WriteAlphaData(TSWFObject& tag, TBitsEngine& engine);

  // Derives LosslessFormat, RowWidth, ColorCount and HasAlpha from the loaded bitmap.
  void ApplyBMPFormat();
  // Converts the bitmap into the zlib-compressed pixel data of the lossless tag.
  void BuildLosslessData();

  // The size in a JPEG stream's SOF0 or SOF1 header; both stay 0 when the stream has neither
  // before its image data (a progressive file) or does not start with FF D8.
  static void ReadJPEGSize(TStream& stream, uint16_t& width, uint16_t& height);

 private:
  void ResetData();
  // Decodes the referenced JPEG file and, when it is not a baseline stream the tag can carry
  // (progressive, or without a SOF0/SOF1 size), re-encodes it into memory. True when it did.
  bool ConvertJPEGFile(bool takeSize);
  void InvalidateLossless();
  std::string ImageError(const std::string& what) const;

  uint16_t width_ = 0;
  uint16_t height_ = 0;
  uint8_t dataState_ = kStateNone;
  bool convertProgressive_ = true;
  // The caller set alpha values of a 32-bit bitmap, so they are not padding.
  bool alphaGiven_ = false;
  std::unique_ptr<TStream> dataStream_;
  std::unique_ptr<TBMPReader> bmp_;
  std::unique_ptr<TMemoryStream> alphaData_;
};

}  // namespace orvanta
