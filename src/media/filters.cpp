#include "media/filters.h"

#include <algorithm>
#include <numbers>
#include <string>

#include "media/filter_settings.h"
#include "platform/errors.h"
#include "swf/bits_engine.h"

namespace orvanta {

namespace {

void WriteColor(TBitsEngine& engine, const TSWFRGBA& color) {
  engine.WriteByte(color.Red);
  engine.WriteByte(color.Green);
  engine.WriteByte(color.Blue);
  engine.WriteByte(color.Alpha());
}

TSWFRGBA ReadColor(TBitsEngine& engine) {
  uint8_t rgba[4];
  engine.ReadBuffer(rgba, 4);
  return TSWFRGBA(PackRGBA(rgba[0], rgba[1], rgba[2], rgba[3]), true);
}

void WriteFixed8(TBitsEngine& engine, double value) {
  engine.WriteWord(FloatToFixed8(value));
}
double ReadFixed8(TBitsEngine& engine) {
  return Fixed8ToFloat(engine.ReadWord());
}

uint8_t Flag(bool on, uint8_t mask) {
  return on ? mask : 0;
}

double DegreesToRadians(double degrees) {
  return degrees * std::numbers::pi / 180.0;
}

}  // namespace

// ---- TSWFFilter

void TSWFFilter::Assign(const TSWFFilter&) {}

void TSWFFilter::WriteToStream(TBitsEngine& Engine) {
  Engine.WriteByte(FilterID);
  WriteBody(Engine);
}

std::unique_ptr<TSWFFilter> TSWFFilter::Clone() const {
  auto copy = CreateNew();
  copy->Assign(*this);
  return copy;
}

std::unique_ptr<TSWFFilter> CreateFilterByID(uint8_t FilterID) {
  switch (FilterID) {
    case kFilterDropShadow:
      return std::make_unique<TSWFDropShadowFilter>();
    case kFilterBlur:
      return std::make_unique<TSWFBlurFilter>();
    case kFilterGlow:
      return std::make_unique<TSWFGlowFilter>();
    case kFilterBevel:
      return std::make_unique<TSWFBevelFilter>();
    case kFilterGradientGlow:
      return std::make_unique<TSWFGradientGlowFilter>();
    case kFilterConvolution:
      return std::make_unique<TSWFConvolutionFilter>();
    case kFilterColorMatrix:
      return std::make_unique<TSWFColorMatrixFilter>();
    case kFilterGradientBevel:
      return std::make_unique<TSWFGradientBevelFilter>();
    default:
      return nullptr;
  }
}

// ---- TSWFBlurFilter

void TSWFBlurFilter::Assign(const TSWFFilter& Source) {
  TSWFFilter::Assign(Source);
  auto& source = dynamic_cast<const TSWFBlurFilter&>(Source);
  BlurX = source.BlurX;
  BlurY = source.BlurY;
  Passes = source.Passes;
}

void TSWFBlurFilter::ReadFromStream(TBitsEngine& Engine) {
  BlurX = Engine.ReadFixed();
  BlurY = Engine.ReadFixed();
  Passes = Engine.ReadByte() >> 3;
}

void TSWFBlurFilter::WriteBody(TBitsEngine& Engine) {
  Engine.WriteFixed(BlurX);
  Engine.WriteFixed(BlurY);
  Engine.WriteByte(static_cast<uint8_t>((Passes & 0x1F) << 3));
}

std::unique_ptr<TSWFFilter> TSWFBlurFilter::CreateNew() const {
  return std::make_unique<TSWFBlurFilter>();
}

// ---- TSWFDropShadowFilter

void TSWFDropShadowFilter::Assign(const TSWFFilter& Source) {
  TSWFBlurFilter::Assign(Source);
  auto& source = dynamic_cast<const TSWFDropShadowFilter&>(Source);
  DropShadowColor.Assign(source.DropShadowColor);
  Angle = source.Angle;
  Distance = source.Distance;
  Strength = source.Strength;
  InnerShadow = source.InnerShadow;
  Knockout = source.Knockout;
  CompositeSource = source.CompositeSource;
}

void TSWFDropShadowFilter::ReadFromStream(TBitsEngine& Engine) {
  DropShadowColor = ReadColor(Engine);
  BlurX = Engine.ReadFixed();
  BlurY = Engine.ReadFixed();
  Angle = Engine.ReadFixed();
  Distance = Engine.ReadFixed();
  Strength = ReadFixed8(Engine);
  uint8_t flags = Engine.ReadByte();
  InnerShadow = flags & 0x80;
  Knockout = flags & 0x40;
  CompositeSource = flags & 0x20;
  Passes = flags & 0x1F;
}

void TSWFDropShadowFilter::WriteBody(TBitsEngine& Engine) {
  WriteColor(Engine, DropShadowColor);
  Engine.WriteFixed(BlurX);
  Engine.WriteFixed(BlurY);
  Engine.WriteFixed(Angle);
  Engine.WriteFixed(Distance);
  WriteFixed8(Engine, Strength);
  Engine.WriteByte(Flag(InnerShadow, 0x80) | Flag(Knockout, 0x40) | Flag(CompositeSource, 0x20) |
                   (Passes & 0x1F));
}

std::unique_ptr<TSWFFilter> TSWFDropShadowFilter::CreateNew() const {
  return std::make_unique<TSWFDropShadowFilter>();
}

// ---- TSWFGlowFilter

void TSWFGlowFilter::Assign(const TSWFFilter& Source) {
  TSWFBlurFilter::Assign(Source);
  auto& source = dynamic_cast<const TSWFGlowFilter&>(Source);
  GlowColor.Assign(source.GlowColor);
  Strength = source.Strength;
  InnerGlow = source.InnerGlow;
  Knockout = source.Knockout;
  CompositeSource = source.CompositeSource;
}

void TSWFGlowFilter::ReadFromStream(TBitsEngine& Engine) {
  GlowColor = ReadColor(Engine);
  BlurX = Engine.ReadFixed();
  BlurY = Engine.ReadFixed();
  Strength = ReadFixed8(Engine);
  uint8_t flags = Engine.ReadByte();
  InnerGlow = flags & 0x80;
  Knockout = flags & 0x40;
  CompositeSource = flags & 0x20;
  Passes = flags & 0x1F;
}

void TSWFGlowFilter::WriteBody(TBitsEngine& Engine) {
  WriteColor(Engine, GlowColor);
  Engine.WriteFixed(BlurX);
  Engine.WriteFixed(BlurY);
  WriteFixed8(Engine, Strength);
  Engine.WriteByte(Flag(InnerGlow, 0x80) | Flag(Knockout, 0x40) | Flag(CompositeSource, 0x20) |
                   (Passes & 0x1F));
}

std::unique_ptr<TSWFFilter> TSWFGlowFilter::CreateNew() const {
  return std::make_unique<TSWFGlowFilter>();
}

// ---- TSWFBevelFilter

void TSWFBevelFilter::Assign(const TSWFFilter& Source) {
  TSWFBlurFilter::Assign(Source);
  auto& source = dynamic_cast<const TSWFBevelFilter&>(Source);
  ShadowColor.Assign(source.ShadowColor);
  HighlightColor.Assign(source.HighlightColor);
  Angle = source.Angle;
  Distance = source.Distance;
  Strength = source.Strength;
  InnerShadow = source.InnerShadow;
  Knockout = source.Knockout;
  CompositeSource = source.CompositeSource;
  OnTop = source.OnTop;
}

void TSWFBevelFilter::ReadFromStream(TBitsEngine& Engine) {
  ShadowColor = ReadColor(Engine);
  HighlightColor = ReadColor(Engine);
  BlurX = Engine.ReadFixed();
  BlurY = Engine.ReadFixed();
  Angle = Engine.ReadFixed();
  Distance = Engine.ReadFixed();
  Strength = ReadFixed8(Engine);
  uint8_t flags = Engine.ReadByte();
  InnerShadow = flags & 0x80;
  Knockout = flags & 0x40;
  CompositeSource = flags & 0x20;
  OnTop = flags & 0x10;
  Passes = flags & 0x0F;
}

void TSWFBevelFilter::WriteBody(TBitsEngine& Engine) {
  WriteColor(Engine, ShadowColor);
  WriteColor(Engine, HighlightColor);
  Engine.WriteFixed(BlurX);
  Engine.WriteFixed(BlurY);
  Engine.WriteFixed(Angle);
  Engine.WriteFixed(Distance);
  WriteFixed8(Engine, Strength);
  Engine.WriteByte(Flag(InnerShadow, 0x80) | Flag(Knockout, 0x40) | Flag(CompositeSource, 0x20) |
                   Flag(OnTop, 0x10) | (Passes & 0x0F));
}

std::unique_ptr<TSWFFilter> TSWFBevelFilter::CreateNew() const {
  return std::make_unique<TSWFBevelFilter>();
}

// ---- TSWFGradientGlowFilter

TSWFGradientGlowFilter::TSWFGradientGlowFilter(uint8_t id) : TSWFBlurFilter(id) {
  AddColor(kOpaqueBlack, 0);
  AddColor(kOpaqueBlack, 255);
}

bool TSWFGradientGlowFilter::AddColor(uint32_t PackedRGBA, uint8_t Ratio) {
  if (Gradient.size() >= kMaxColors) return false;
  TSWFFilterGradientEntry entry;
  entry.Color.SetRGBA(PackedRGBA);
  entry.Ratio = Ratio;
  Gradient.push_back(entry);
  return true;
}

void TSWFGradientGlowFilter::Assign(const TSWFFilter& Source) {
  TSWFBlurFilter::Assign(Source);
  auto& source = dynamic_cast<const TSWFGradientGlowFilter&>(Source);
  Gradient = source.Gradient;
  Angle = source.Angle;
  Distance = source.Distance;
  Strength = source.Strength;
  InnerShadow = source.InnerShadow;
  Knockout = source.Knockout;
  CompositeSource = source.CompositeSource;
  OnTop = source.OnTop;
}

void TSWFGradientGlowFilter::ReadFromStream(TBitsEngine& Engine) {
  uint8_t count = Engine.ReadByte();
  if (count > kMaxColors)
    throw FormatError("a gradient filter declares " + std::to_string(count) + " colours; at most " +
                      std::to_string(kMaxColors) + " are allowed");
  // Colours and ratios come as two runs, five bytes per stop in all.
  Engine.RequireBytes(uint64_t{count} * 5);
  Gradient.assign(count, TSWFFilterGradientEntry{});
  for (auto& entry : Gradient) entry.Color = ReadColor(Engine);
  for (auto& entry : Gradient) entry.Ratio = Engine.ReadByte();
  BlurX = Engine.ReadFixed();
  BlurY = Engine.ReadFixed();
  Angle = Engine.ReadFixed();
  Distance = Engine.ReadFixed();
  Strength = ReadFixed8(Engine);
  uint8_t flags = Engine.ReadByte();
  InnerShadow = flags & 0x80;
  Knockout = flags & 0x40;
  CompositeSource = flags & 0x20;
  OnTop = flags & 0x10;
  Passes = flags & 0x0F;
}

void TSWFGradientGlowFilter::WriteBody(TBitsEngine& Engine) {
  size_t count = std::min(Gradient.size(), kMaxColors);
  Engine.WriteByte(static_cast<uint8_t>(count));
  for (size_t i = 0; i < count; ++i) WriteColor(Engine, Gradient[i].Color);
  for (size_t i = 0; i < count; ++i) Engine.WriteByte(Gradient[i].Ratio);
  Engine.WriteFixed(BlurX);
  Engine.WriteFixed(BlurY);
  Engine.WriteFixed(Angle);
  Engine.WriteFixed(Distance);
  WriteFixed8(Engine, Strength);
  Engine.WriteByte(Flag(InnerShadow, 0x80) | Flag(Knockout, 0x40) | Flag(CompositeSource, 0x20) |
                   Flag(OnTop, 0x10) | (Passes & 0x0F));
}

std::unique_ptr<TSWFFilter> TSWFGradientGlowFilter::CreateNew() const {
  return std::make_unique<TSWFGradientGlowFilter>();
}

std::unique_ptr<TSWFFilter> TSWFGradientBevelFilter::CreateNew() const {
  return std::make_unique<TSWFGradientBevelFilter>();
}

// ---- TSWFConvolutionFilter

void TSWFConvolutionFilter::SetMatrixSize(uint8_t X, uint8_t Y) {
  MatrixX = X;
  MatrixY = Y;
  Matrix.resize(size_t{X} * Y);
}

void TSWFConvolutionFilter::Assign(const TSWFFilter& Source) {
  TSWFFilter::Assign(Source);
  auto& source = dynamic_cast<const TSWFConvolutionFilter&>(Source);
  MatrixX = source.MatrixX;
  MatrixY = source.MatrixY;
  Divisor = source.Divisor;
  Bias = source.Bias;
  Matrix = source.Matrix;
  DefaultColor.Assign(source.DefaultColor);
  Clamp = source.Clamp;
  PreserveAlpha = source.PreserveAlpha;
}

void TSWFConvolutionFilter::ReadFromStream(TBitsEngine& Engine) {
  uint8_t x = Engine.ReadByte();
  uint8_t y = Engine.ReadByte();
  Divisor = Engine.ReadSingle();
  Bias = Engine.ReadSingle();
  size_t cells = size_t{x} * y;
  Engine.RequireBytes(uint64_t{cells} * 4);
  MatrixX = x;
  MatrixY = y;
  Matrix.resize(cells);
  for (float& value : Matrix) value = Engine.ReadSingle();
  DefaultColor = ReadColor(Engine);
  uint8_t flags = Engine.ReadByte();
  Clamp = flags & 0x02;
  PreserveAlpha = flags & 0x01;
}

void TSWFConvolutionFilter::WriteBody(TBitsEngine& Engine) {
  Engine.WriteByte(MatrixX);
  Engine.WriteByte(MatrixY);
  Engine.WriteSingle(Divisor);
  Engine.WriteSingle(Bias);
  size_t cells = size_t{MatrixX} * MatrixY;
  for (size_t i = 0; i < cells; ++i) Engine.WriteSingle(i < Matrix.size() ? Matrix[i] : 0.0f);
  WriteColor(Engine, DefaultColor);
  Engine.WriteByte(Flag(Clamp, 0x02) | Flag(PreserveAlpha, 0x01));
}

std::unique_ptr<TSWFFilter> TSWFConvolutionFilter::CreateNew() const {
  return std::make_unique<TSWFConvolutionFilter>();
}

// ---- TSWFColorMatrixFilter

void TSWFColorMatrixFilter::Assign(const TSWFFilter& Source) {
  TSWFFilter::Assign(Source);
  Matrix = dynamic_cast<const TSWFColorMatrixFilter&>(Source).Matrix;
}

void TSWFColorMatrixFilter::ReadFromStream(TBitsEngine& Engine) {
  for (float& value : Matrix) value = Engine.ReadSingle();
}

void TSWFColorMatrixFilter::WriteBody(TBitsEngine& Engine) {
  for (float value : Matrix) Engine.WriteSingle(value);
}

std::unique_ptr<TSWFFilter> TSWFColorMatrixFilter::CreateNew() const {
  return std::make_unique<TSWFColorMatrixFilter>();
}

// ---- TSWFFilterList

TSWFFilterList::TSWFFilterList() = default;
TSWFFilterList::~TSWFFilterList() = default;

void TSWFFilterList::Clear() {
  items_.clear();
}

TSWFFilter* TSWFFilterList::AddFilter(uint8_t FilterID) {
  auto filter = CreateFilterByID(FilterID);
  if (!filter) return nullptr;
  items_.push_back(std::move(filter));
  return items_.back().get();
}

void TSWFFilterList::ReadFromStream(TBitsEngine& Engine) {
  uint8_t count = Engine.ReadByte();
  std::vector<std::unique_ptr<TSWFFilter>> items;
  items.reserve(count);
  for (unsigned i = 0; i < count; ++i) {
    uint8_t id = Engine.ReadByte();
    auto filter = CreateFilterByID(id);
    if (!filter)
      throw FormatError("unknown filter id " + std::to_string(id) + " at entry " +
                        std::to_string(i + 1) + " of " + std::to_string(count) +
                        " in a filter list; the rest of the list cannot be read");
    filter->ReadFromStream(Engine);
    items.push_back(std::move(filter));
  }
  items_ = std::move(items);
}

void TSWFFilterList::WriteToStream(TBitsEngine& Engine) {
  size_t count = std::min<size_t>(items_.size(), 255);
  Engine.WriteByte(static_cast<uint8_t>(count));
  for (size_t i = 0; i < count; ++i) items_[i]->WriteToStream(Engine);
}

void TSWFFilterList::Assign(const TSWFFilterList& Source) {
  if (&Source == this) return;
  std::vector<std::unique_ptr<TSWFFilter>> items;
  items.reserve(Source.items_.size());
  for (const auto& filter : Source.items_) items.push_back(filter->Clone());
  items_ = std::move(items);
}

// ---- Settings

namespace {

template <class TShadowLike>
void ApplyShadowSettings(const TFlashFilterSettings& settings, TShadowLike& filter) {
  filter.BlurX = settings.BlurX;
  filter.BlurY = settings.BlurY;
  filter.Distance = settings.Distance;
  filter.Angle = DegreesToRadians(settings.Angle);
  filter.Strength = settings.Strength / 100.0;
  filter.InnerShadow = settings.Inner;
  filter.Knockout = settings.Knockout;
  filter.Passes = static_cast<uint8_t>(settings.Quality + 1);
  filter.CompositeSource = !settings.HideObject;
}

}  // namespace

void ApplyFilterSettings(const TFlashFilterSettings& Settings, TSWFDropShadowFilter& Filter) {
  ApplyShadowSettings(Settings, Filter);
  Filter.DropShadowColor.Assign(Settings.ShadowColor);
}

void ApplyFilterSettings(const TFlashFilterSettings& Settings, TSWFBevelFilter& Filter) {
  ApplyShadowSettings(Settings, Filter);
  Filter.ShadowColor.Assign(Settings.ShadowColor);
  Filter.HighlightColor.Assign(Settings.HighlightColor);
  Filter.OnTop = Settings.OnTop;
}

void ApplyFilterSettings(const TFlashFilterSettings& Settings, TSWFGlowFilter& Filter) {
  Filter.BlurX = Settings.BlurX;
  Filter.BlurY = Settings.BlurY;
  Filter.GlowColor.Assign(Settings.HighlightColor);
  Filter.Strength = Settings.Strength / 100.0;
  Filter.InnerGlow = Settings.Inner;
  Filter.Knockout = Settings.Knockout;
  Filter.Passes = static_cast<uint8_t>(Settings.Quality + 1);
  Filter.CompositeSource = !Settings.HideObject;
}

void ApplyFilterSettings(const TFlashFilterSettings& Settings, TSWFBlurFilter& Filter) {
  Filter.BlurX = Settings.BlurX;
  Filter.BlurY = Settings.BlurY;
  Filter.Passes = static_cast<uint8_t>(Settings.Quality + 1);
}

}  // namespace orvanta
