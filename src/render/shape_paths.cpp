#include "render/shape_paths.h"

#include <bit>
#include <cmath>
#include <functional>
#include <map>
#include <unordered_map>

namespace orvanta::render {

namespace {

struct TEdge {
  TPoint From, Control, To;
  bool Curved = false;
};

// A shape record list walked into absolute edges and the style changes between them.
struct TStep {
  const TSWFStyleChangeRecord* Style = nullptr;
  TEdge Edge;
};

std::vector<TStep> WalkRecords(const TSWFShapeRecordList& records) {
  std::vector<TStep> steps;
  steps.reserve(records.size());
  TPoint pen;
  for (const auto& record : records) {
    if (!record) continue;
    switch (record->Kind) {
      case TShapeRecordKind::End:
        return steps;
      case TShapeRecordKind::StyleChange: {
        const auto& s = static_cast<const TSWFStyleChangeRecord&>(*record);
        if (s.StateMoveTo) pen = {double(s.MoveDeltaX()), double(s.MoveDeltaY())};
        steps.push_back({&s, {}});
        break;
      }
      case TShapeRecordKind::StraightEdge: {
        const auto& e = static_cast<const TSWFStraightEdgeRecord&>(*record);
        TPoint to{pen.X + e.DeltaX, pen.Y + e.DeltaY};
        steps.push_back({nullptr, {pen, {(pen.X + to.X) / 2, (pen.Y + to.Y) / 2}, to, false}});
        pen = to;
        break;
      }
      case TShapeRecordKind::CurvedEdge: {
        const auto& c = static_cast<const TSWFCurvedEdgeRecord&>(*record);
        TPoint control{pen.X + c.ControlDeltaX, pen.Y + c.ControlDeltaY};
        TPoint to{control.X + c.AnchorDeltaX, control.Y + c.AnchorDeltaY};
        steps.push_back({nullptr, {pen, control, to, true}});
        pen = to;
        break;
      }
    }
  }
  return steps;
}

// Points compared exactly: every edge end is computed the same way wherever it is shared.
struct TPointKey {
  uint64_t X, Y;
  bool operator==(const TPointKey&) const = default;
};
struct TPointKeyHash {
  size_t operator()(const TPointKey& k) const { return std::hash<uint64_t>()(k.X * 31 + k.Y); }
};
TPointKey KeyOf(TPoint p) {
  // Adding 0.0 turns -0 into +0 so that both find each other.
  return {std::bit_cast<uint64_t>(p.X + 0.0), std::bit_cast<uint64_t>(p.Y + 0.0)};
}

void AppendEdge(TPath& path, const TEdge& e) {
  if (e.Curved)
    path.push_back({TPathCommand::TKind::CurveTo, e.Control, e.To});
  else
    path.push_back({TPathCommand::TKind::LineTo, {}, e.To});
}

// Chains the edges of one fill into closed contours: each contour continues with the next edge
// in the list when it starts where the contour stands (the common case), else with any unused
// edge that starts there. A chain that cannot be closed is closed by a straight line.
TPath LinkContours(const std::vector<TEdge>& edges) {
  const size_t n = edges.size();
  std::vector<bool> used(n, false);
  std::unordered_multimap<TPointKey, size_t, TPointKeyHash> byStart;
  byStart.reserve(n);
  for (size_t i = 0; i < n; ++i) byStart.emplace(KeyOf(edges[i].From), i);

  TPath path;
  for (size_t first = 0; first < n; ++first) {
    if (used[first]) continue;
    const TPoint start = edges[first].From;
    path.push_back({TPathCommand::TKind::MoveTo, {}, start});
    size_t current = first;
    for (;;) {
      used[current] = true;
      AppendEdge(path, edges[current]);
      const TPoint end = edges[current].To;
      if (end == start) break;
      size_t next = n;
      if (current + 1 < n && !used[current + 1] && edges[current + 1].From == end) {
        next = current + 1;
      } else {
        auto range = byStart.equal_range(KeyOf(end));
        for (auto it = range.first; it != range.second;) {
          if (used[it->second]) {
            it = byStart.erase(it);
            continue;
          }
          next = it->second;
          break;
        }
      }
      if (next == n) break;
      current = next;
    }
    path.push_back({TPathCommand::TKind::Close, {}, {}});
  }
  return path;
}

// Closes the subpaths of a stroke that come back to where they started, so that the start gets
// a join instead of two caps.
void CloseLoops(TPath& path) {
  TPath out;
  out.reserve(path.size() + 4);
  TPoint start, last;
  size_t segments = 0;
  auto finish = [&]() {
    if (segments > 0 && last == start) out.push_back({TPathCommand::TKind::Close, {}, {}});
  };
  for (const TPathCommand& c : path) {
    if (c.Kind == TPathCommand::TKind::MoveTo) {
      finish();
      start = last = c.To;
      segments = 0;
    } else {
      last = c.To;
      ++segments;
    }
    out.push_back(c);
  }
  finish();
  path.swap(out);
}

class TGeometryBuilder {
 public:
  explicit TGeometryBuilder(TShapeGeometry& geometry) : geometry_(geometry) {}

  void BeginLayer(std::vector<const TSWFFillStyle*> fills, std::vector<TStrokeStyle> lines) {
    EndLayer();
    fills_ = std::move(fills);
    lines_ = std::move(lines);
    open_ = true;
  }

  void AddEdge(const TEdge& e, uint16_t fill0, uint16_t fill1, uint16_t line) {
    if (!open_) BeginLayer({}, {});
    geometry_.Bounds.Add(e.From);
    geometry_.Bounds.Add(e.To);
    if (e.Curved) geometry_.Bounds.Add(e.Control);
    // An edge with the same fill on both sides lies inside that fill.
    bool degenerate = e.From == e.To && (!e.Curved || e.Control == e.From);
    if (fill0 != fill1 && !degenerate) {
      if (fill1 != 0) fillEdges_[fill1].push_back(e);
      if (fill0 != 0) fillEdges_[fill0].push_back({e.To, e.Control, e.From, e.Curved});
    }
    if (line != 0) {
      TLineRun& run = lineRuns_[line];
      if (!run.HasEnd || !(run.End == e.From))
        run.Path.push_back({TPathCommand::TKind::MoveTo, {}, e.From});
      AppendEdge(run.Path, e);
      run.End = e.To;
      run.HasEnd = true;
    }
  }

  void EndLayer() {
    if (!open_) return;
    open_ = false;
    TShapeLayer layer;
    for (auto& [index, edges] : fillEdges_) {
      TFillPath fill;
      fill.StyleIndex = index;
      fill.Style = index <= fills_.size() ? fills_[index - 1] : nullptr;
      fill.Path = LinkContours(edges);
      layer.Fills.push_back(std::move(fill));
    }
    for (auto& [index, run] : lineRuns_) {
      TStrokePath stroke;
      stroke.StyleIndex = index;
      stroke.HasStyle = index <= lines_.size();
      if (stroke.HasStyle) {
        stroke.Style = lines_[index - 1];
        geometry_.MaxStrokeWidth = std::max(geometry_.MaxStrokeWidth, stroke.Style.Width);
      }
      stroke.Path = std::move(run.Path);
      if (!stroke.HasStyle || !stroke.Style.NoClose) CloseLoops(stroke.Path);
      layer.Strokes.push_back(std::move(stroke));
    }
    fillEdges_.clear();
    lineRuns_.clear();
    if (!layer.Fills.empty() || !layer.Strokes.empty())
      geometry_.Layers.push_back(std::move(layer));
  }

 private:
  struct TLineRun {
    TPath Path;
    TPoint End;
    bool HasEnd = false;
  };
  TShapeGeometry& geometry_;
  std::vector<const TSWFFillStyle*> fills_;
  std::vector<TStrokeStyle> lines_;
  std::map<uint16_t, std::vector<TEdge>> fillEdges_;
  std::map<uint16_t, TLineRun> lineRuns_;
  bool open_ = false;
};

std::vector<const TSWFFillStyle*> FillPointers(const TSWFFillStyleList& list) {
  std::vector<const TSWFFillStyle*> out;
  out.reserve(list.size());
  for (const auto& f : list) out.push_back(f.get());
  return out;
}

std::vector<TStrokeStyle> StrokeStyles(const TSWFLineStyleList& list) {
  std::vector<TStrokeStyle> out;
  out.reserve(list.size());
  for (const auto& l : list) out.push_back(l ? StrokeStyleOf(*l) : TStrokeStyle{});
  return out;
}

// Applies the selections of a style change record; new styles start a layer in which nothing
// is selected until the record (or a later one) says so.
void ApplyStyleChange(const TSWFStyleChangeRecord& s, uint16_t& fill0, uint16_t& fill1,
                      uint16_t& line,
                      const std::function<void(const TSWFStyleChangeRecord&)>& newStyles) {
  if (s.StateNewStyles) {
    newStyles(s);
    fill0 = fill1 = line = 0;
  }
  if (s.StateFillStyle0) fill0 = s.FillStyle0();
  if (s.StateFillStyle1) fill1 = s.FillStyle1();
  if (s.StateLineStyle) line = s.LineStyle();
}

double Lerp(double a, double b, double t) {
  return a + (b - a) * t;
}

uint8_t LerpByte(uint8_t a, uint8_t b, double t) {
  return static_cast<uint8_t>(std::lround(std::clamp(Lerp(a, b, t), 0.0, 255.0)));
}

TSWFRGBA LerpColor(const TSWFRGBA& a, const TSWFRGBA& b, double t) {
  TSWFRGBA c(true);
  c.Red = LerpByte(a.Red, b.Red, t);
  c.Green = LerpByte(a.Green, b.Green, t);
  c.Blue = LerpByte(a.Blue, b.Blue, t);
  c.SetAlpha(LerpByte(a.Alpha(), b.Alpha(), t));
  return c;
}

int32_t LerpInt(int32_t a, int32_t b, double t) {
  return static_cast<int32_t>(std::lround(Lerp(a, b, t)));
}

TSWFMatrix LerpMatrix(const TSWFMatrix& a, const TSWFMatrix& b, double t) {
  TAffine x = TAffine::FromSWF(a), y = TAffine::FromSWF(b);
  TSWFMatrix m;
  m.HasScale = m.HasRotate = true;
  m.ScaleX = LerpInt(static_cast<int32_t>(std::lround(x.A * 65536)),
                     static_cast<int32_t>(std::lround(y.A * 65536)), t);
  m.ScaleY = LerpInt(static_cast<int32_t>(std::lround(x.D * 65536)),
                     static_cast<int32_t>(std::lround(y.D * 65536)), t);
  m.RotateSkew0 = LerpInt(a.HasRotate ? a.RotateSkew0 : 0, b.HasRotate ? b.RotateSkew0 : 0, t);
  m.RotateSkew1 = LerpInt(a.HasRotate ? a.RotateSkew1 : 0, b.HasRotate ? b.RotateSkew1 : 0, t);
  m.TranslateX = LerpInt(a.TranslateX, b.TranslateX, t);
  m.TranslateY = LerpInt(a.TranslateY, b.TranslateY, t);
  return m;
}

std::unique_ptr<TSWFFillStyle> LerpFill(const TSWFMorphFillStyle& style, double t) {
  switch (style.FillStyleType) {
    case 0x00: {
      const auto& s = static_cast<const TSWFMorphColorFill&>(style);
      auto fill = std::make_unique<TSWFColorFill>();
      fill->HasAlpha = true;
      fill->Color = LerpColor(s.StartColor, s.EndColor, t);
      return fill;
    }
    case 0x10:
    case 0x12:
    case 0x13: {
      const auto& s = static_cast<const TSWFMorphGradientFill&>(style);
      std::unique_ptr<TSWFGradientFill> fill;
      if (style.FillStyleType == 0x13) {
        const auto& focal = static_cast<const TSWFMorphFocalGradientFill&>(style);
        auto f = std::make_unique<TSWFFocalGradientFill>();
        f->FocalPoint = static_cast<int16_t>(LerpInt(static_cast<int16_t>(focal.StartFocalPoint),
                                                     static_cast<int16_t>(focal.EndFocalPoint), t));
        fill = std::move(f);
      } else {
        fill = std::make_unique<TSWFGradientFill>();
        fill->FillStyleType = style.FillStyleType;
      }
      fill->HasAlpha = true;
      fill->SpreadMode = s.SpreadMode;
      fill->InterpolationMode = s.InterpolationMode;
      fill->NumGradients = std::min<uint8_t>(s.NumGradients, TSWFMorphGradientFill::kMaxGradients);
      for (int i = 0; i < fill->NumGradients; ++i) {
        const TSWFMorphGradientRecord& g = s.Gradients[i];
        fill->SetGradientRatio(i + 1, LerpByte(g.StartRatio, g.EndRatio, t));
        fill->GradientColor(i + 1) = LerpColor(g.StartColor, g.EndColor, t);
      }
      fill->GradientMatrix = LerpMatrix(s.StartGradientMatrix, s.EndGradientMatrix, t);
      return fill;
    }
    case 0x40:
    case 0x41:
    case 0x42:
    case 0x43: {
      const auto& s = static_cast<const TSWFMorphImageFill&>(style);
      auto fill = std::make_unique<TSWFImageFill>();
      fill->FillStyleType = style.FillStyleType;
      fill->BitmapId = s.BitmapId;
      fill->BitmapMatrix = LerpMatrix(s.StartBitmapMatrix, s.EndBitmapMatrix, t);
      return fill;
    }
    default:
      return nullptr;
  }
}

TEdge LerpEdge(const TEdge& a, const TEdge& b, double t) {
  auto p = [t](TPoint x, TPoint y) { return TPoint{Lerp(x.X, y.X, t), Lerp(x.Y, y.Y, t)}; };
  return {p(a.From, b.From), p(a.Control, b.Control), p(a.To, b.To), a.Curved || b.Curved};
}

}  // namespace

TStrokeStyle StrokeStyleOf(const TSWFLineStyle& style) {
  TStrokeStyle s;
  s.Width = style.Width;
  s.Color = ToRGBA(style.Color);
  if (const auto* l2 = dynamic_cast<const TSWFLineStyle2*>(&style)) {
    s.StartCap = l2->StartCapStyle;
    s.EndCap = l2->EndCapStyle;
    s.Join = l2->JoinStyle;
    if (l2->JoinStyle == 2) s.MiterLimit = l2->MiterLimitFactor;
    s.NoHScale = l2->NoHScaleFlag;
    s.NoVScale = l2->NoVScaleFlag;
    s.NoClose = l2->NoClose;
    if (l2->HasFillFlag) s.Fill = l2->FillStyle();
  }
  return s;
}

TBounds PathBounds(const TPath& path) {
  TBounds b;
  for (const TPathCommand& c : path) {
    if (c.Kind == TPathCommand::TKind::Close) continue;
    b.Add(c.To);
    if (c.Kind == TPathCommand::TKind::CurveTo) b.Add(c.Control);
  }
  return b;
}

TShapeGeometry BuildShapeGeometry(const TSWFFillStyleList& fills, const TSWFLineStyleList& lines,
                                  const TSWFShapeRecordList& records) {
  TShapeGeometry geometry;
  TGeometryBuilder builder(geometry);
  builder.BeginLayer(FillPointers(fills), StrokeStyles(lines));
  uint16_t fill0 = 0, fill1 = 0, line = 0;
  auto newStyles = [&](const TSWFStyleChangeRecord& s) {
    builder.BeginLayer(FillPointers(s.FillStylesView()), StrokeStyles(s.LineStylesView()));
  };
  for (const TStep& step : WalkRecords(records)) {
    if (step.Style)
      ApplyStyleChange(*step.Style, fill0, fill1, line, newStyles);
    else
      builder.AddEdge(step.Edge, fill0, fill1, line);
  }
  builder.EndLayer();
  return geometry;
}

TShapeGeometry BuildMorphGeometry(const TSWFDefineMorphShape& morph, uint16_t ratio) {
  const double t = ratio / 65535.0;
  TShapeGeometry geometry;
  std::vector<const TSWFFillStyle*> fills;
  for (const auto& f : morph.MorphFillStyles) {
    std::unique_ptr<TSWFFillStyle> fill = f ? LerpFill(*f, t) : nullptr;
    fills.push_back(fill.get());
    if (fill) geometry.OwnedFills.push_back(std::move(fill));
  }
  std::vector<TStrokeStyle> lines;
  for (const auto& l : morph.MorphLineStyles) {
    TStrokeStyle s;
    if (l) {
      s.Width = Lerp(l->StartWidth, l->EndWidth, t);
      s.Color = ToRGBA(LerpColor(l->StartColor, l->EndColor, t));
      if (const auto* l2 = dynamic_cast<const TSWFMorphLineStyle2*>(l.get())) {
        s.StartCap = l2->StartCapStyle;
        s.EndCap = l2->EndCapStyle;
        s.Join = l2->JoinStyle;
        if (l2->JoinStyle == 2) s.MiterLimit = l2->MiterLimitFactor;
        s.NoHScale = l2->NoHScaleFlag;
        s.NoVScale = l2->NoVScaleFlag;
        s.NoClose = l2->NoClose;
        if (l2->HasFillFlag && l2->FillStyle()) {
          if (auto fill = LerpFill(*l2->FillStyle(), t)) {
            s.Fill = fill.get();
            geometry.OwnedFills.push_back(std::move(fill));
          }
        }
      }
    }
    lines.push_back(s);
  }

  std::vector<TEdge> endEdges;
  for (const TStep& step : WalkRecords(morph.EndEdges))
    if (!step.Style) endEdges.push_back(step.Edge);

  TGeometryBuilder builder(geometry);
  builder.BeginLayer(fills, lines);
  uint16_t fill0 = 0, fill1 = 0, line = 0;
  // Morph shapes have a single style group; styles a record brings are not used.
  auto newStyles = [](const TSWFStyleChangeRecord&) {};
  size_t k = 0;
  for (const TStep& step : WalkRecords(morph.StartEdges)) {
    if (step.Style) {
      ApplyStyleChange(*step.Style, fill0, fill1, line, newStyles);
      continue;
    }
    TEdge e = k < endEdges.size() ? LerpEdge(step.Edge, endEdges[k], t) : step.Edge;
    ++k;
    builder.AddEdge(e, fill0, fill1, line);
  }
  builder.EndLayer();
  return geometry;
}

}  // namespace orvanta::render
