#pragma once

#include <cstdint>
#include <vector>

#include "swf/tags_data.h"

namespace orvanta {

// Base of every bitmap definition tag.
class TSWFImageTag : public TSWFDataObject {
 public:
  uint16_t CharacterId = 0;

  void Assign(const TBasedSWFObject& Source) override;

 protected:
  using TSWFDataObject::TSWFDataObject;
};

// JPEG payloads are held without their wrapping start and end markers and get them back when
// written: FF D8 Data FF D9, or FF D9 FF D8 Data when Data already starts with a start marker.
// A payload that came in some other shape (PNG or GIF data, which newer players accept in these
// tags, or a JPEG stream cut short) is held whole and written back unchanged, as is Data that
// starts with a PNG or GIF signature.
class TJPEGPayload {
 public:
  // The payload was not a wrapped JPEG stream and is written back as it was read.
  bool PayloadVerbatim() const { return verbatim_; }

 protected:
  // Reads Count payload bytes into Data.
  void ReadJPEGPayload(TBitsEngine& Engine, uint64_t Count, std::vector<uint8_t>& Data);
  // Writes Data with its markers.
  void WriteJPEGPayload(TBitsEngine& Engine, const std::vector<uint8_t>& Data) const;

  bool verbatim_ = false;
};

// DefineBits (6): JPEG image data whose tables are in the movie's JPEGTables tag.
class TSWFDefineBits : public TSWFImageTag, public TJPEGPayload {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineBits);
  TSWFDefineBits() : TSWFImageTag(kTagID) {}

  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;

 protected:
  using TSWFImageTag::TSWFImageTag;
  // The payload from the callback, or the stored data with its markers.
  void WriteImagePayload(TBitsEngine& Engine);
};

// JPEGTables (8): the encoding tables shared by the movie's DefineBits tags.
class TSWFJPEGTables : public TSWFDataObject, public TJPEGPayload {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::JPEGTables);
  TSWFJPEGTables() : TSWFDataObject(kTagID) {}

  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  // No data and no callback gives an empty body.
  void WriteTagBody(TBitsEngine& Engine) override;
};

// DefineBitsJPEG2 (21): a complete JPEG stream, tables included.
class TSWFDefineBitsJPEG2 : public TSWFDefineBits {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineBitsJPEG2);
  TSWFDefineBitsJPEG2() : TSWFDefineBits(kTagID) {}

  int MinVersion() const override { return 2; }

 protected:
  using TSWFDefineBits::TSWFDefineBits;
};

// DefineBitsJPEG3 (35): a JPEG stream followed by a zlib-compressed alpha plane, one byte per
// pixel. The alpha plane is stored or written by its own callback, like the main payload.
class TSWFDefineBitsJPEG3 : public TSWFDefineBitsJPEG2 {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineBitsJPEG3);
  TSWFDefineBitsJPEG3() : TSWFDefineBitsJPEG2(kTagID) {}

  // The byte length of the JPEG payload, as read or as last written.
  uint32_t AlphaDataOffset = 0;
  std::vector<uint8_t> AlphaData;
  TDataWriteEvent OnAlphaDataWrite;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override { return 3; }
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

// DefineBitsLossless (20): zlib-compressed pixels. BitmapFormat 3 is colour-mapped (8-bit
// indices after a colour table of BitmapColorTableSize + 1 entries), 4 is 15-bit RGB, 5 is
// 32-bit pixels. The compressed data is kept compressed.
class TSWFDefineBitsLossless : public TSWFImageTag {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineBitsLossless);
  TSWFDefineBitsLossless() : TSWFImageTag(kTagID) {}

  uint8_t BitmapFormat = 5;
  uint16_t BitmapWidth = 0;
  uint16_t BitmapHeight = 0;
  // Written only for format 3: the number of colour-table entries minus one.
  uint8_t BitmapColorTableSize = 0;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override { return 2; }
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;

 protected:
  using TSWFImageTag::TSWFImageTag;
};

// DefineBitsLossless2 (36): the same layout; colours carry (premultiplied) alpha.
class TSWFDefineBitsLossless2 : public TSWFDefineBitsLossless {
 public:
  static constexpr uint16_t kTagID = ToCode(TTagCode::DefineBitsLossless2);
  TSWFDefineBitsLossless2() : TSWFDefineBitsLossless(kTagID) {}

  int MinVersion() const override { return 3; }
};

}  // namespace orvanta
