#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "swf/filter_list.h"
#include "swf/swf_records.h"

namespace orvanta {

class TBitsEngine;
struct TFlashFilterSettings;

// Filter colours are always written with alpha; they start opaque black.
inline constexpr uint32_t kOpaqueBlack = PackRGBA(0, 0, 0, 255);

// The filter ids of the PlaceObject3 filter list.
enum : uint8_t {
  kFilterDropShadow = 0,
  kFilterBlur = 1,
  kFilterGlow = 2,
  kFilterBevel = 3,
  kFilterGradientGlow = 4,
  kFilterConvolution = 5,
  kFilterColorMatrix = 6,
  kFilterGradientBevel = 7,
};

// One bitmap filter record. Values are held in natural units (Angle in radians, Strength as a
// factor) and converted to the fixed-point forms only when written.
class TSWFFilter {
 public:
  virtual ~TSWFFilter() = default;
  TSWFFilter(const TSWFFilter&) = delete;
  TSWFFilter& operator=(const TSWFFilter&) = delete;

  const uint8_t FilterID;

  // Copies the fields of Source, which must be of this filter's class.
  virtual void Assign(const TSWFFilter& Source);
  // Reads the record that follows the id byte.
  virtual void ReadFromStream(TBitsEngine& Engine) = 0;
  // Writes the id byte and the record.
  virtual void WriteToStream(TBitsEngine& Engine);
  // A new filter of the same class with the class defaults.
  virtual std::unique_ptr<TSWFFilter> CreateNew() const = 0;
  // A new filter of the same class holding a copy of this one.
  std::unique_ptr<TSWFFilter> Clone() const;

 protected:
  explicit TSWFFilter(uint8_t id) : FilterID(id) {}
  virtual void WriteBody(TBitsEngine& Engine) = 0;
};

// Creates the filter of an id with its defaults; nullptr for an id without a record layout.
std::unique_ptr<TSWFFilter> CreateFilterByID(uint8_t FilterID);

class TSWFBlurFilter : public TSWFFilter {
 public:
  TSWFBlurFilter() : TSWFBlurFilter(kFilterBlur) {}

  double BlurX = 0, BlurY = 0;
  uint8_t Passes = 1;

  void Assign(const TSWFFilter& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFFilter> CreateNew() const override;

 protected:
  explicit TSWFBlurFilter(uint8_t id) : TSWFFilter(id) {}
  void WriteBody(TBitsEngine& Engine) override;
};

class TSWFDropShadowFilter : public TSWFBlurFilter {
 public:
  TSWFDropShadowFilter() : TSWFBlurFilter(kFilterDropShadow) {}

  TSWFRGBA DropShadowColor{kOpaqueBlack, true};
  double Angle = 0, Distance = 0, Strength = 0;
  bool InnerShadow = false, Knockout = false, CompositeSource = true;

  void Assign(const TSWFFilter& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFFilter> CreateNew() const override;

 protected:
  void WriteBody(TBitsEngine& Engine) override;
};

class TSWFGlowFilter : public TSWFBlurFilter {
 public:
  TSWFGlowFilter() : TSWFBlurFilter(kFilterGlow) {}

  TSWFRGBA GlowColor{kOpaqueBlack, true};
  double Strength = 0;
  bool InnerGlow = false, Knockout = false, CompositeSource = true;

  void Assign(const TSWFFilter& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFFilter> CreateNew() const override;

 protected:
  void WriteBody(TBitsEngine& Engine) override;
};

class TSWFBevelFilter : public TSWFBlurFilter {
 public:
  TSWFBevelFilter() : TSWFBlurFilter(kFilterBevel) {}

  TSWFRGBA ShadowColor{kOpaqueBlack, true};
  TSWFRGBA HighlightColor{kOpaqueBlack, true};
  double Angle = 0, Distance = 0, Strength = 0;
  bool InnerShadow = false, Knockout = false, CompositeSource = true, OnTop = false;

  void Assign(const TSWFFilter& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFFilter> CreateNew() const override;

 protected:
  void WriteBody(TBitsEngine& Engine) override;
};

// One stop of a gradient filter.
struct TSWFFilterGradientEntry {
  TSWFRGBA Color{kOpaqueBlack, true};
  uint8_t Ratio = 0;
};

class TSWFGradientGlowFilter : public TSWFBlurFilter {
 public:
  static constexpr size_t kMaxColors = 15;

  TSWFGradientGlowFilter() : TSWFGradientGlowFilter(kFilterGradientGlow) {}

  // At most kMaxColors entries are written.
  std::vector<TSWFFilterGradientEntry> Gradient;
  double Angle = 0, Distance = 0, Strength = 0;
  bool InnerShadow = false, Knockout = false, CompositeSource = true, OnTop = false;

  size_t NumColors() const { return Gradient.size(); }
  // Appends a stop; false (and nothing added) when the gradient is full.
  bool AddColor(uint32_t PackedRGBA, uint8_t Ratio);

  void Assign(const TSWFFilter& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFFilter> CreateNew() const override;

 protected:
  explicit TSWFGradientGlowFilter(uint8_t id);
  void WriteBody(TBitsEngine& Engine) override;
};

class TSWFGradientBevelFilter : public TSWFGradientGlowFilter {
 public:
  TSWFGradientBevelFilter() : TSWFGradientGlowFilter(kFilterGradientBevel) {}
  std::unique_ptr<TSWFFilter> CreateNew() const override;
};

class TSWFConvolutionFilter : public TSWFFilter {
 public:
  TSWFConvolutionFilter() : TSWFFilter(kFilterConvolution) {}

  uint8_t MatrixX = 0, MatrixY = 0;
  float Divisor = 0, Bias = 0;
  // Row by row, MatrixX values per row; missing values are written as 0.
  std::vector<float> Matrix;
  TSWFRGBA DefaultColor{kOpaqueBlack, true};
  bool Clamp = false, PreserveAlpha = false;

  // Sets the size and resizes Matrix to match, keeping the values that fit.
  void SetMatrixSize(uint8_t X, uint8_t Y);

  void Assign(const TSWFFilter& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFFilter> CreateNew() const override;

 protected:
  void WriteBody(TBitsEngine& Engine) override;
};

class TSWFColorMatrixFilter : public TSWFFilter {
 public:
  TSWFColorMatrixFilter() : TSWFFilter(kFilterColorMatrix) {}

  // Four rows of five: red, green, blue and alpha out of (R, G, B, A, offset).
  std::array<float, 20> Matrix{};

  void Assign(const TSWFFilter& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  std::unique_ptr<TSWFFilter> CreateNew() const override;

 protected:
  void WriteBody(TBitsEngine& Engine) override;
};

// Gives a newly created filter the movie-wide default parameters.
void ApplyFilterSettings(const TFlashFilterSettings& Settings, TSWFDropShadowFilter& Filter);
void ApplyFilterSettings(const TFlashFilterSettings& Settings, TSWFBevelFilter& Filter);
void ApplyFilterSettings(const TFlashFilterSettings& Settings, TSWFGlowFilter& Filter);
void ApplyFilterSettings(const TFlashFilterSettings& Settings, TSWFBlurFilter& Filter);

}  // namespace orvanta
