#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "movie/flash_edges.h"
#include "movie/flash_object.h"
#include "swf/swf_records.h"
#include "swf/tags_shape.h"

namespace orvanta {

class TFlashImage;

// The builder object for one vector shape: an outline drawn with Edges, fills and line styles,
// and bounds. It is written as DefineShape2, DefineShape3 when a colour has alpha, or
// DefineShape4 with UseLineStyle2. Sizes taken by its operations are in the owner movie's units.
class TFlashShape : public TFlashVisualObject {
 public:
  explicit TFlashShape(TFlashMovie* owner = nullptr);

  // Shared with Edges, which appends to it.
  TSWFShapeRecordList ShapeRecords;
  TSWFRect Bounds;  // twips
  TFlashEdges Edges;
  // The indices last selected.
  uint16_t FillStyle0Index = 0, FillStyle1Index = 0;
  TSWFFillStyleList FillStyles;
  uint16_t LineStyleIndex = 0;
  // Style selections go to the last style change record instead of the first.
  bool StyleOnLastRecord = false;
  // Set whenever a fill or line colour with alpha below 255 is used.
  bool HasAlpha = false;
  // Write a DefineShape4 with line styles of the second layout.
  bool UseLineStyle2 = false;
  TSWFLineStyleList LineStyles;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override;
  void WriteToStream(TBitsEngine& Engine) override;
  void ChangeOwner(TFlashMovie* owner) override;

  void SetBounds(int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax);
  int32_t XMin() const;
  int32_t XMax() const;
  int32_t YMin() const;
  int32_t YMax() const;
  int32_t Width(bool inTwips = false) const;
  int32_t Height(bool inTwips = false) const;

  // Takes the fill and selects it as FillStyle1.
  TSWFFillStyle& AddFillStyle(std::unique_ptr<TSWFFillStyle> fill);
  // Takes the style (a new plain one when none) and selects it as the line style.
  TSWFLineStyle& AddLineStyle(std::unique_ptr<TSWFLineStyle> style = nullptr);
  // Store the index and select it in the target record: the last style change record with
  // StyleOnLastRecord, else the first record when it is a style change record. Without a
  // target the stored index becomes 0.
  void SetFillStyle0(uint16_t index);
  void SetFillStyle1(uint16_t index);
  void SetLineStyleIndex(uint16_t index);

  // Packed RGBA: red in the low byte, alpha in the top byte.
  TSWFColorFill& SetSolidColor(uint32_t rgba);
  TSWFColorFill& SetSolidColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255);
  TSWFLineStyle& SetLineStyle(int32_t width, const TSWFRGBA& color);
  // A 24-bit colour, opaque.
  TSWFLineStyle& SetLineStyle(int32_t width, uint32_t color);

  // The gradient square is stretched over the bounds, which must be set first. Colours are
  // packed RGBA; a linear gradient keeps up to 15 of them, a radial one up to 8.
  TSWFGradientFill& SetLinearGradient(std::span<const uint32_t> colors, double angle);
  TSWFGradientFill& SetLinearGradient(uint32_t color1, uint32_t color2, double angle);
  // The centre is in percent of the box.
  TSWFGradientFill& SetRadialGradient(std::span<const uint32_t> colors, int32_t xCenter,
                                      int32_t yCenter);
  TSWFGradientFill& SetRadialGradient(uint32_t color1, uint32_t color2, int32_t xCenter,
                                      int32_t yCenter);
  // A bitmap fill of the image from the top-left corner of the bounds. Mode 0 clips the bitmap
  // at scale (scaleX, scaleY) bitmap pixels per pixel; mode 1 stretches it over the bounds;
  // mode 2 repeats it at scale (scaleX, scaleY). When the image stands after the shape in the
  // owner's object list it is moved before it, so the bitmap is defined before it is used.
  TSWFImageFill& SetImageFill(TFlashImage& image, int mode, double scaleX = 1,
                              double scaleY = 1);

 private:
  TSWFStyleChangeRecord* TargetRecord();
  void UseColor(uint8_t alpha) {
    if (alpha < 255) HasAlpha = true;
  }
  // Gradient entries: colours and evenly spread ratios.
  void FillGradient(TSWFGradientFill& fill, std::span<const uint32_t> colors);
};

}  // namespace orvanta
