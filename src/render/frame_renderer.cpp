#include "render/frame_renderer.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "media/filters.h"
#include "media/swf_reader.h"
#include "platform/errors.h"
#include "render/blend_modes.h"
#include "render/color_ops.h"
#include "render/display_list.h"
#include "render/filters_raster.h"
#include "render/geometry.h"
#include "render/paints.h"
#include "render/shape_paths.h"
#include "render/text_layout.h"
#include "swf/tags_bitmap.h"
#include "swf/tags_button.h"
#include "swf/tags_display.h"
#include "swf/tags_shape.h"
#include "swf/tags_text.h"

namespace orvanta::render {

namespace {

// Morph shapes at distinct ratios kept at once.
constexpr size_t kMaxMorphCache = 256;

// Pixels that the layers of masks, filters and blend modes may hold at once, beyond the
// output: nested masks over a large frame must not add up to gigabytes.
constexpr int64_t kMaxLayerPixels = 2 * kMaxFramePixels;

// A pixmap being drawn into, placed at (OriginX, OriginY) of the output. Layers count their
// pixels against a budget shared by all that exist at once.
class TLayer {
 public:
  TLayer(int x, int y, int width, int height, int64_t* budget = nullptr)
      : Pixels(Allocate(width, height, budget)),
        OriginX(x),
        OriginY(y),
        budget_(budget),
        surface_(SurfaceFor(Pixels)) {
    Cr = cairo_create(surface_.get());
  }
  ~TLayer() {
    cairo_destroy(Cr);
    if (budget_) *budget_ -= int64_t{Pixels.Width} * Pixels.Height;
  }
  TLayer(const TLayer&) = delete;
  TLayer& operator=(const TLayer&) = delete;

  // Cairo's view of the pixels must be settled before they are touched directly, and told
  // after.
  void BeginDirectAccess() { cairo_surface_flush(surface_.get()); }
  void EndDirectAccess() { cairo_surface_mark_dirty(surface_.get()); }
  cairo_surface_t* Surface() const { return surface_.get(); }
  TBounds Area() const {
    TBounds b;
    b.Add(TPoint{double(OriginX), double(OriginY)});
    b.Add(TPoint{double(OriginX + Pixels.Width), double(OriginY + Pixels.Height)});
    return b;
  }
  void CheckStatus() const {
    cairo_status_t status = cairo_status(Cr);
    if (status != CAIRO_STATUS_SUCCESS)
      throw Error(std::string("drawing failed: ") + cairo_status_to_string(status));
  }

  TPixmap Pixels;
  int OriginX, OriginY;
  cairo_t* Cr = nullptr;

 private:
  static TPixmap Allocate(int width, int height, int64_t* budget) {
    if (budget) {
      int64_t need = int64_t{width} * height;
      if (*budget + need > kMaxLayerPixels)
        throw Error("the frame needs more than " + std::to_string(kMaxLayerPixels) +
                    " pixels of layers for its masks and effects");
      TPixmap pixels(width, height);
      *budget += need;
      return pixels;
    }
    return TPixmap(width, height);
  }
  int64_t* budget_;
  TSurface surface_;
};

struct TDrawState {
  TAffine Matrix;  // object coordinates to output pixels
  TColorTransform Cx;
  bool MaskMode = false;  // drawing the coverage of a mask: everything opaque
  int Nesting = 0;
};

// Whole pixels covering the bounds.
bool PixelRect(const TBounds& b, int& x, int& y, int& w, int& h) {
  if (b.Empty() || !std::isfinite(b.XMin) || !std::isfinite(b.YMin) || !std::isfinite(b.XMax) ||
      !std::isfinite(b.YMax))
    return false;
  double x0 = std::floor(b.XMin), y0 = std::floor(b.YMin);
  double x1 = std::ceil(b.XMax), y1 = std::ceil(b.YMax);
  if (x1 <= x0 || y1 <= y0) return false;
  x = static_cast<int>(x0);
  y = static_cast<int>(y0);
  w = static_cast<int>(x1 - x0);
  h = static_cast<int>(y1 - y0);
  return true;
}

void AppendPath(cairo_t* cr, const TPath& path, const TAffine& m) {
  TPoint current;
  for (const TPathCommand& c : path) {
    switch (c.Kind) {
      case TPathCommand::TKind::MoveTo: {
        current = m.Apply(c.To);
        cairo_move_to(cr, current.X, current.Y);
        break;
      }
      case TPathCommand::TKind::LineTo: {
        current = m.Apply(c.To);
        cairo_line_to(cr, current.X, current.Y);
        break;
      }
      case TPathCommand::TKind::CurveTo: {
        TPoint q = m.Apply(c.Control), to = m.Apply(c.To);
        cairo_curve_to(cr, current.X + 2.0 / 3 * (q.X - current.X),
                       current.Y + 2.0 / 3 * (q.Y - current.Y), to.X + 2.0 / 3 * (q.X - to.X),
                       to.Y + 2.0 / 3 * (q.Y - to.Y), to.X, to.Y);
        current = to;
        break;
      }
      case TPathCommand::TKind::Close:
        cairo_close_path(cr);
        break;
    }
  }
}

cairo_line_cap_t CapOf(uint8_t cap) {
  switch (cap) {
    case 1:
      return CAIRO_LINE_CAP_BUTT;
    case 2:
      return CAIRO_LINE_CAP_SQUARE;
    default:
      return CAIRO_LINE_CAP_ROUND;
  }
}

cairo_line_join_t JoinOf(uint8_t join) {
  switch (join) {
    case 1:
      return CAIRO_LINE_JOIN_BEVEL;
    case 2:
      return CAIRO_LINE_JOIN_MITER;
    default:
      return CAIRO_LINE_JOIN_ROUND;
  }
}

}  // namespace

struct TFrameRenderer::TImpl {
  TImpl(TSWFStreamReader& reader, const TPlayLimits& limits)
      : Reader(reader),
        Player(reader, limits),
        Bitmaps(Player.Dictionary()),
        Text(Player.Dictionary()) {}

  TSWFStreamReader& Reader;
  TMoviePlayer Player;
  TBitmapCache Bitmaps;
  TTextLayout Text;
  std::map<const TSWFObject*, TShapeGeometry> Shapes;
  std::map<std::pair<const TSWFObject*, uint16_t>, TShapeGeometry> Morphs;
  // Output pixels per stage pixel, for filters and strokes that do not scale with objects.
  double StageScaleX = 1, StageScaleY = 1;
  int64_t LayerPixels = 0;
  const bool SmoothBitmaps = Reader.Version() >= 8;

  TPixmap Render(const TRenderOptions& options, int width, int height);

  const TShapeGeometry* Geometry(const TDisplayObject& object);
  TBounds ContentBounds(const TDisplayObject& object, const TAffine& m, int nesting);
  TBounds ListBounds(const TDisplayList& list, const TAffine& m, int nesting);
  void DrawList(const TDisplayList& list, const TDrawState& state, TLayer& target);
  void DrawRange(TDisplayList::const_iterator begin, TDisplayList::const_iterator end,
                 const TDrawState& state, TLayer& target);
  void DrawMasked(const TDisplayObject& mask, TDisplayList::const_iterator begin,
                  TDisplayList::const_iterator end, const TDrawState& state, TLayer& target);
  void DrawObject(const TDisplayObject& object, const TDrawState& parent, TLayer& target);
  void DrawContent(const TDisplayObject& object, const TDrawState& state, TLayer& target);
  void DrawShape(const TShapeGeometry& shape, const TDrawState& state, TLayer& target);
  void DrawBitmap(uint16_t id, const TDrawState& state, TLayer& target);
  void DrawText(const TTextDrawing& text, const TDrawState& state, TLayer& target);
  void FillPath(const TPath& path, bool nonZero, const TAffine& device, TPattern pattern,
                TLayer& target);
};

const TShapeGeometry* TFrameRenderer::TImpl::Geometry(const TDisplayObject& object) {
  if (const auto* shape = dynamic_cast<const TSWFDefineShape*>(object.Character)) {
    auto it = Shapes.find(shape);
    if (it == Shapes.end()) {
      TShapeGeometry g =
          BuildShapeGeometry(shape->FillStyles, shape->LineStyles, shape->ShapeRecords);
      if (const auto* shape4 = dynamic_cast<const TSWFDefineShape4*>(shape))
        g.NonZero = shape4->UsesFillWindingRule;
      it = Shapes.emplace(shape, std::move(g)).first;
    }
    return &it->second;
  }
  if (const auto* morph = dynamic_cast<const TSWFDefineMorphShape*>(object.Character)) {
    auto key = std::make_pair(object.Character, object.Ratio);
    auto it = Morphs.find(key);
    if (it == Morphs.end()) {
      if (Morphs.size() >= kMaxMorphCache) Morphs.clear();
      it = Morphs.emplace(key, BuildMorphGeometry(*morph, object.Ratio)).first;
    }
    return &it->second;
  }
  return nullptr;
}

TBounds TFrameRenderer::TImpl::ListBounds(const TDisplayList& list, const TAffine& m, int nesting) {
  TBounds b;
  for (const auto& [depth, child] : list) {
    if (child->ClipDepth > 0 || !child->Visible) continue;  // a mask only takes away
    TAffine cm = m * TAffine::FromSWF(child->Matrix);
    if (cm.Degenerate()) continue;
    TBounds cb = ContentBounds(*child, cm, nesting + 1);
    if (child->Filters && child->Filters->Count() > 0)
      cb.Inflate(FilterMargin(*child->Filters, StageScaleX, StageScaleY));
    b.Add(cb);
  }
  return b;
}

// Output-pixel bounds of what an object draws (without its filters), under m.
TBounds TFrameRenderer::TImpl::ContentBounds(const TDisplayObject& object, const TAffine& m,
                                             int nesting) {
  if (nesting > 256) return {};
  if (const TShapeGeometry* g = Geometry(object)) {
    TBounds b = m.Apply(g->Bounds);
    b.Inflate(g->MaxStrokeWidth * std::max({m.MaxScale(), StageScaleX, StageScaleY}) / 2 + 2);
    return b;
  }
  if (dynamic_cast<const TSWFDefineSprite*>(object.Character) ||
      dynamic_cast<const TSWFBasedButton*>(object.Character))
    return ListBounds(object.Children, m, nesting);
  if (dynamic_cast<const TSWFImageTag*>(object.Character)) {
    const TPixmap* p = Bitmaps.Pixmap(object.CharacterId);
    if (!p) return {};
    TBounds b;
    b.Add(TPoint{0, 0});
    b.Add(TPoint{p->Width * 20.0, p->Height * 20.0});
    TBounds r = m.Apply(b);
    r.Inflate(1);
    return r;
  }
  // Text is bounded by its rectangle; glyphs and anti-aliasing may overhang it a little.
  const auto textBounds = [&m](const TSWFRect& r) {
    TBounds b;
    b.Add(TPoint{double(r.Xmin()), double(r.Ymin())});
    b.Add(TPoint{double(r.Xmax()), double(r.Ymax())});
    TBounds d = m.Apply(b);
    d.Inflate(2);
    return d;
  };
  if (const auto* text = dynamic_cast<const TSWFDefineText*>(object.Character))
    return textBounds(text->TextBounds);
  if (const auto* edit = dynamic_cast<const TSWFDefineEditText*>(object.Character))
    return textBounds(edit->Bounds);
  return {};
}

void TFrameRenderer::TImpl::DrawList(const TDisplayList& list, const TDrawState& state,
                                     TLayer& target) {
  DrawRange(list.begin(), list.end(), state, target);
}

// Where the objects a mask covers end. Masks stack in the player: a mask met inside another's
// range stays in force up to its own clip depth, and the outer one stays beneath it that long.
TDisplayList::const_iterator MaskedRangeEnd(TDisplayList::const_iterator first,
                                            TDisplayList::const_iterator end, uint16_t clipDepth) {
  auto it = first;
  while (it != end && it->first <= clipDepth) {
    const uint16_t inner = it->second->ClipDepth;
    ++it;
    if (inner > clipDepth) it = MaskedRangeEnd(it, end, inner);
  }
  return it;
}

void TFrameRenderer::TImpl::DrawRange(TDisplayList::const_iterator begin,
                                      TDisplayList::const_iterator end, const TDrawState& state,
                                      TLayer& target) {
  for (auto it = begin; it != end;) {
    const TDisplayObject& object = *it->second;
    ++it;
    if (object.ClipDepth == 0) {
      DrawObject(object, state, target);
      continue;
    }
    // The objects above the mask up to its clip depth show only where the mask has area.
    auto maskedEnd = MaskedRangeEnd(it, end, object.ClipDepth);
    DrawMasked(object, it, maskedEnd, state, target);
    it = maskedEnd;
  }
}

void TFrameRenderer::TImpl::DrawMasked(const TDisplayObject& mask,
                                       TDisplayList::const_iterator begin,
                                       TDisplayList::const_iterator end, const TDrawState& state,
                                       TLayer& target) {
  if (begin == end) return;
  TAffine m = state.Matrix * TAffine::FromSWF(mask.Matrix);
  if (m.Degenerate()) return;
  TBounds region = ContentBounds(mask, m, state.Nesting + 1).Intersect(target.Area());
  int x, y, w, h;
  if (!PixelRect(region, x, y, w, h)) return;

  TLayer content(x, y, w, h, &LayerPixels);
  DrawRange(begin, end, state, content);
  TLayer coverage(x, y, w, h, &LayerPixels);
  TDrawState maskState = state;
  maskState.MaskMode = true;
  DrawObject(mask, maskState, coverage);
  content.CheckStatus();
  coverage.CheckStatus();

  cairo_t* cr = target.Cr;
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_set_source_surface(cr, content.Surface(), x - target.OriginX, y - target.OriginY);
  cairo_mask_surface(cr, coverage.Surface(), x - target.OriginX, y - target.OriginY);
  cairo_restore(cr);
}

void TFrameRenderer::TImpl::DrawObject(const TDisplayObject& object, const TDrawState& parent,
                                       TLayer& target) {
  // A hidden object hides from masks too.
  if (!object.Visible) return;
  TDrawState state = parent;
  state.Matrix = parent.Matrix * TAffine::FromSWF(object.Matrix);
  state.Nesting = parent.Nesting + 1;
  if (state.Matrix.Degenerate()) return;
  const TColorTransform own = TColorTransform::FromSWF(object.ColorTransform);
  state.Cx = parent.Cx * own;

  if (object.OpaqueBackground && !state.MaskMode) {
    TBounds local = ContentBounds(object, TAffine(), state.Nesting);
    if (!local.Empty()) {
      TPath box = {{TPathCommand::TKind::MoveTo, {}, {local.XMin, local.YMin}},
                   {TPathCommand::TKind::LineTo, {}, {local.XMax, local.YMin}},
                   {TPathCommand::TKind::LineTo, {}, {local.XMax, local.YMax}},
                   {TPathCommand::TKind::LineTo, {}, {local.XMin, local.YMax}},
                   {TPathCommand::TKind::Close, {}, {}}};
      TRGBA colour = ToRGBA(*object.OpaqueBackground);
      colour.A = 255;
      cairo_identity_matrix(target.Cr);
      FillPath(box, true, TAffine::Translate(-target.OriginX, -target.OriginY) * state.Matrix,
               SolidPattern(state.Cx.Apply(colour)), target);
    }
  }

  const bool filters = object.Filters && object.Filters->Count() > 0;
  const bool blend = object.BlendMode > kBlendNormal;
  if (state.MaskMode || (!filters && !blend)) {
    DrawContent(object, state, target);
    return;
  }

  // Filters and blend modes work on the object drawn on its own.
  TBounds bounds = ContentBounds(object, state.Matrix, state.Nesting);
  int margin = filters ? FilterMargin(*object.Filters, StageScaleX, StageScaleY) : 0;
  TBounds reach = target.Area();
  reach.Inflate(margin);
  bounds.Inflate(margin);
  int x, y, w, h;
  if (!PixelRect(bounds.Intersect(reach), x, y, w, h)) return;
  TLayer layer(x, y, w, h, &LayerPixels);
  if (filters) {
    // The colour transform applies to the filtered result, shadows and glows included.
    TDrawState inner = state;
    inner.Cx = TColorTransform();
    DrawContent(object, inner, layer);
    layer.CheckStatus();
    layer.BeginDirectAccess();
    ApplyFilters(layer.Pixels, *object.Filters, StageScaleX, StageScaleY);
    if (!state.Cx.Identity()) ApplyColorTransform(layer.Pixels, state.Cx.ToSWF());
  } else {
    DrawContent(object, state, layer);
    layer.CheckStatus();
    layer.BeginDirectAccess();
  }
  target.BeginDirectAccess();
  BlendLayer(target.Pixels, layer.Pixels, x - target.OriginX, y - target.OriginY,
             blend ? object.BlendMode : uint8_t{kBlendNormal});
  target.EndDirectAccess();
}

void TFrameRenderer::TImpl::DrawContent(const TDisplayObject& object, const TDrawState& state,
                                        TLayer& target) {
  if (const TShapeGeometry* g = Geometry(object)) {
    DrawShape(*g, state, target);
  } else if (dynamic_cast<const TSWFDefineSprite*>(object.Character) ||
             dynamic_cast<const TSWFBasedButton*>(object.Character)) {
    DrawList(object.Children, state, target);
  } else if (dynamic_cast<const TSWFImageTag*>(object.Character)) {
    DrawBitmap(object.CharacterId, state, target);
  } else if (const auto* text = dynamic_cast<const TSWFDefineText*>(object.Character)) {
    DrawText(Text.StaticText(*text), state, target);
  } else if (const auto* edit = dynamic_cast<const TSWFDefineEditText*>(object.Character)) {
    DrawText(Text.EditText(*edit), state, target);
  }
}

void TFrameRenderer::TImpl::FillPath(const TPath& path, bool nonZero, const TAffine& device,
                                     TPattern pattern, TLayer& target) {
  if (!pattern || path.empty()) return;
  cairo_t* cr = target.Cr;
  cairo_new_path(cr);
  AppendPath(cr, path, device);
  cairo_set_fill_rule(cr, nonZero ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
  cairo_set_source(cr, pattern.get());
  cairo_fill(cr);
}

void TFrameRenderer::TImpl::DrawShape(const TShapeGeometry& shape, const TDrawState& state,
                                      TLayer& target) {
  cairo_t* cr = target.Cr;
  cairo_identity_matrix(cr);
  const TAffine device = TAffine::Translate(-target.OriginX, -target.OriginY) * state.Matrix;
  const TRGBA opaque{255, 255, 255, 255};
  for (const TShapeLayer& layer : shape.Layers) {
    // Fills of one layer meet edge to edge without overlapping. Drawn one over the other, the
    // background would show through where their anti-aliased edges meet; added up in a group
    // their coverages make whole pixels, as in the player, which draws them in one pass.
    bool grouped = false, hidden = false;
    if (layer.Fills.size() > 1) {
      TBounds area = device.Apply(shape.Bounds);
      area.Inflate(1);
      const TBounds pixels{0, 0, double(target.Pixels.Width), double(target.Pixels.Height)};
      int x, y, w, h;
      hidden = !PixelRect(area.Intersect(pixels), x, y, w, h);
      grouped = !hidden;
      if (grouped) {
        cairo_save(cr);
        cairo_rectangle(cr, x, y, w, h);
        cairo_clip(cr);
        cairo_push_group(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
      }
    }
    for (const TFillPath& fill : layer.Fills) {
      if (!fill.Style || hidden) continue;
      TPattern pattern =
          state.MaskMode ? SolidPattern(opaque)
                         : CreateFillPattern(*fill.Style, device, state.Cx, Bitmaps, SmoothBitmaps);
      FillPath(fill.Path, shape.NonZero, device, std::move(pattern), target);
    }
    if (grouped) {
      cairo_pop_group_to_source(cr);
      cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
      cairo_paint(cr);
      cairo_restore(cr);
    }
    for (const TStrokePath& stroke : layer.Strokes) {
      if (!stroke.HasStyle || stroke.Path.empty()) continue;
      const TStrokeStyle& s = stroke.Style;
      TPattern pattern;
      if (state.MaskMode)
        pattern = SolidPattern(opaque);
      else if (s.Fill)
        pattern = CreateFillPattern(*s.Fill, device, state.Cx, Bitmaps, SmoothBitmaps);
      else
        pattern = SolidPattern(state.Cx.Apply(s.Color));
      if (!pattern) continue;
      // Widths scale with the object, unevenly when the object is stretched (the pen is
      // stretched with it), unless the style says otherwise; nothing is drawn thinner than a
      // pixel, which is also what a hairline (width 0) gets.
      double deviceWidth = -1;  // < 0: the pen follows the object's transformation
      if (s.NoHScale && s.NoVScale)
        deviceWidth = s.Width * std::sqrt(StageScaleX * StageScaleY) / 20;
      else if (s.NoHScale)
        deviceWidth = s.Width * state.Matrix.ScaleY();
      else if (s.NoVScale)
        deviceWidth = s.Width * state.Matrix.ScaleX();
      else if (s.Width * state.Matrix.MaxScale() < 1)
        deviceWidth = 1;
      if (deviceWidth >= 0) deviceWidth = std::max(1.0, deviceWidth);
      if (!std::isfinite(deviceWidth)) continue;
      cairo_new_path(cr);
      AppendPath(cr, stroke.Path, device);
      cairo_set_source(cr, pattern.get());
      if (deviceWidth < 0) {
        // The path is in output pixels already; the transformation now shapes only the pen.
        cairo_matrix_t pen{device.A, device.B, device.C, device.D, 0, 0};
        cairo_set_matrix(cr, &pen);
        cairo_set_line_width(cr, s.Width);
      } else {
        cairo_set_line_width(cr, deviceWidth);
      }
      cairo_set_line_cap(cr, CapOf(s.StartCap));
      cairo_set_line_join(cr, JoinOf(s.Join));
      cairo_set_miter_limit(cr, std::max(1.0, s.MiterLimit));
      cairo_stroke(cr);
      cairo_identity_matrix(cr);
    }
  }
}

void TFrameRenderer::TImpl::DrawBitmap(uint16_t id, const TDrawState& state, TLayer& target) {
  const TPixmap* pixels = Bitmaps.Pixmap(id);
  if (!pixels) return;
  const TAffine device =
      TAffine::Translate(-target.OriginX, -target.OriginY) * state.Matrix * TAffine::Scale(20, 20);
  cairo_t* cr = target.Cr;
  cairo_identity_matrix(cr);
  cairo_new_path(cr);
  TPath rect = {{TPathCommand::TKind::MoveTo, {}, {0, 0}},
                {TPathCommand::TKind::LineTo, {}, {double(pixels->Width), 0}},
                {TPathCommand::TKind::LineTo, {}, {double(pixels->Width), double(pixels->Height)}},
                {TPathCommand::TKind::LineTo, {}, {0, double(pixels->Height)}},
                {TPathCommand::TKind::Close, {}, {}}};
  TPattern pattern;
  if (state.MaskMode) {
    pattern = SolidPattern({255, 255, 255, 255});
  } else {
    cairo_surface_t* surface = Bitmaps.Surface(id, state.Cx);
    if (!surface) return;
    pattern = TPattern(cairo_pattern_create_for_surface(surface));
    cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
    // A bitmap placed on its own is not smoothed unless asked to, which a timeline cannot.
    cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_NEAREST);
    TAffine inv = device.Inverse();
    cairo_matrix_t cm{inv.A, inv.B, inv.C, inv.D, inv.TX, inv.TY};
    cairo_pattern_set_matrix(pattern.get(), &cm);
  }
  FillPath(rect, true, device, std::move(pattern), target);
}

void TFrameRenderer::TImpl::DrawText(const TTextDrawing& text, const TDrawState& state,
                                     TLayer& target) {
  cairo_t* cr = target.Cr;
  const TAffine device = TAffine::Translate(-target.OriginX, -target.OriginY) * state.Matrix;
  const TRGBA opaque{255, 255, 255, 255};
  cairo_save(cr);
  cairo_identity_matrix(cr);
  if (text.Clip && !text.ClipBox.Empty()) {
    TPath box = {{TPathCommand::TKind::MoveTo, {}, {text.ClipBox.XMin, text.ClipBox.YMin}},
                 {TPathCommand::TKind::LineTo, {}, {text.ClipBox.XMax, text.ClipBox.YMin}},
                 {TPathCommand::TKind::LineTo, {}, {text.ClipBox.XMax, text.ClipBox.YMax}},
                 {TPathCommand::TKind::LineTo, {}, {text.ClipBox.XMin, text.ClipBox.YMax}},
                 {TPathCommand::TKind::Close, {}, {}}};
    cairo_new_path(cr);
    AppendPath(cr, box, device);
    cairo_clip(cr);
  }
  if (text.HasBorder && !text.Box.Empty()) {
    auto rectangle = [](const TBounds& b) {
      return TPath{{TPathCommand::TKind::MoveTo, {}, {b.XMin, b.YMin}},
                   {TPathCommand::TKind::LineTo, {}, {b.XMax, b.YMin}},
                   {TPathCommand::TKind::LineTo, {}, {b.XMax, b.YMax}},
                   {TPathCommand::TKind::LineTo, {}, {b.XMin, b.YMax}},
                   {TPathCommand::TKind::Close, {}, {}}};
    };
    FillPath(rectangle(text.Box), true, device,
             SolidPattern(state.MaskMode ? opaque : state.Cx.Apply(text.Background)), target);
    if (!state.MaskMode) {
      // A one-pixel frame just inside the box.
      TBounds frame = text.Box;
      frame.XMin += 10;
      frame.YMin += 10;
      frame.XMax -= 10;
      frame.YMax -= 10;
      cairo_new_path(cr);
      AppendPath(cr, rectangle(frame), device);
      cairo_set_line_width(cr, std::max(1.0, state.Matrix.MeanScale() * 20));
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
      TPattern border = SolidPattern(state.Cx.Apply(text.BorderColor));
      cairo_set_source(cr, border.get());
      cairo_stroke(cr);
    }
  }
  for (const TGlyphDraw& glyph : text.Glyphs) {
    if (!glyph.Outline) continue;
    const TAffine m = device * glyph.Transform;
    if (m.Degenerate()) continue;
    for (const TShapeLayer& layer : glyph.Outline->Layers)
      for (const TFillPath& fill : layer.Fills)
        FillPath(fill.Path, glyph.Outline->NonZero, m,
                 SolidPattern(state.MaskMode ? opaque : state.Cx.Apply(glyph.Color)), target);
  }
  cairo_restore(cr);
}

TPixmap TFrameRenderer::TImpl::Render(const TRenderOptions& options, int width, int height) {
  Player.GotoFrame(options.Frame);
  const TSWFRect& frame = Reader.FrameSize();
  const double frameWidth = double(frame.Xmax()) - frame.Xmin();
  const double frameHeight = double(frame.Ymax()) - frame.Ymin();
  // Output pixels per twip.
  const double sx = width / frameWidth, sy = height / frameHeight;
  StageScaleX = sx * 20;
  StageScaleY = sy * 20;

  TLayer output(0, 0, width, height);
  if (!options.Transparent) {
    uint32_t rgb = 0xFFFFFF;
    if (options.Background)
      rgb = *options.Background;
    else if (Player.BackgroundColor())
      rgb = (uint32_t{Player.BackgroundColor()->Red} << 16) |
            (uint32_t{Player.BackgroundColor()->Green} << 8) | Player.BackgroundColor()->Blue;
    cairo_set_source_rgb(output.Cr, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0,
                         (rgb & 255) / 255.0);
    cairo_paint(output.Cr);
  }
  TDrawState state;
  state.Matrix = TAffine::Scale(sx, sy) * TAffine::Translate(-frame.Xmin(), -frame.Ymin());
  DrawList(Player.DisplayList(), state, output);
  output.CheckStatus();
  output.BeginDirectAccess();
  return std::move(output.Pixels);
}

// ---------------------------------------------------------------------------------------------

namespace {

TSWFStreamReader& Parsed(TSWFStreamReader& reader) {
  if (!reader.Valid) throw FormatError("not a SWF movie");
  if (reader.TagList.empty()) reader.ParseTags(true, false);
  return reader;
}

}  // namespace

TFrameRenderer::TFrameRenderer(TSWFStreamReader& reader, const TPlayLimits& limits)
    : impl_(std::make_unique<TImpl>(Parsed(reader), limits)) {}

TFrameRenderer::~TFrameRenderer() = default;

int TFrameRenderer::FrameCount() const {
  return impl_->Player.FrameCount();
}

void TFrameRenderer::OutputSize(const TRenderOptions& options, int& width, int& height) const {
  const TSWFRect& frame = impl_->Reader.FrameSize();
  const double frameWidth = double(frame.Xmax()) - frame.Xmin();
  const double frameHeight = double(frame.Ymax()) - frame.Ymin();
  if (frameWidth <= 0 || frameHeight <= 0)
    throw FormatError("the movie's frame rectangle is empty");
  if (options.Width > 0 || options.Height > 0) {
    if (options.Width <= 0 || options.Height <= 0)
      throw Error("an output size needs both a width and a height");
    width = options.Width;
    height = options.Height;
  } else {
    if (!(options.Scale > 0) || !std::isfinite(options.Scale))
      throw Error("the scale must be a positive number");
    double w = std::round(frameWidth / 20 * options.Scale);
    double h = std::round(frameHeight / 20 * options.Scale);
    if (w * h > double(kMaxFramePixels) || w > 1e9 || h > 1e9)
      throw Error("a frame of " + std::to_string(static_cast<long long>(w)) + " x " +
                  std::to_string(static_cast<long long>(h)) + " pixels is too large to draw");
    width = std::max(1, static_cast<int>(w));
    height = std::max(1, static_cast<int>(h));
  }
  if (int64_t{width} * height > kMaxFramePixels)
    throw Error("a frame of " + std::to_string(width) + " x " + std::to_string(height) +
                " pixels is too large to draw (the limit is " + std::to_string(kMaxFramePixels) +
                " pixels)");
}

TPixmap TFrameRenderer::Render(const TRenderOptions& options) {
  int width = 0, height = 0;
  OutputSize(options, width, height);
  return impl_->Render(options, width, height);
}

TPixmap RenderFrame(TSWFStreamReader& reader, const TRenderOptions& options) {
  TFrameRenderer renderer(reader);
  return renderer.Render(options);
}

}  // namespace orvanta::render
