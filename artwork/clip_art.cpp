#include "clip_art.h"

#include <algorithm>
#include <cmath>

#include "art_movie.h"
#include "artwork_output.h"
#include "clip_thumbnail.h"
#include "media/clip_source.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "platform/errors.h"
#include "platform/font_engine.h"
#include "script/flash_action_script.h"

namespace orvanta::artwork {

namespace {

// The font the pictures are drawn from (Symbola, fonts-symbola), opened once per thread.
const TPlatformFont& PictureFont() {
  thread_local const TPlatformFont font([] {
    TLogFont log;
    log.FaceName = "Symbola";
    log.Height = -400;
    return log;
  }());
  return font;
}

}  // namespace

TClipGroup ClipGroupOf(const std::string& mixedCase) {
  std::string name = mixedCase;
  std::transform(name.begin(), name.end(), name.begin(), ::tolower);
  for (const char* p :
       {"background", "bg_", "christmas_background", "christmastree1_background", "banner",
        "topbanner", "navigation", "website", "panel", "artpanel", "footballpanel", "intro"})
    if (StartsWith(name, p)) return TClipGroup::Scenes;
  for (const char* p : {"line",
                        "flashline",
                        "cometline",
                        "flasheffect",
                        "effect",
                        "roundball",
                        "ball",
                        "bleb",
                        "flashball",
                        "roundflower",
                        "flybox",
                        "snow",
                        "bubbles",
                        "raining",
                        "fireworks",
                        "digitalmatrix",
                        "matrixrandomchars",
                        "star",
                        "spacetime",
                        "radial",
                        "light",
                        "laser",
                        "fly",
                        "oldfilm",
                        "chain",
                        "solid",
                        "cube",
                        "shape",
                        "smork",
                        "fire",
                        "devildom",
                        "randomcolor",
                        "circle",
                        "waterwave",
                        "rainbow",
                        "cloud",
                        "cometsky",
                        "radar"})
    if (StartsWith(name, p) && name != "firefly" && name != "light_brid1" &&
        name != "light_brid2" && name != "fireballoon")
      return TClipGroup::Motion;
  return TClipGroup::Pictures;
}

uint64_t NameHash(const std::string& name) {
  uint64_t h = 1469598103934665603ull;
  for (char c : name) h = (h ^ static_cast<uint8_t>(::tolower(c))) * 1099511628211ull;
  return h ^ (h >> 29);
}

uint32_t HueColor(double hue, double s, double v, uint8_t alpha) {
  hue = std::fmod(std::fmod(hue, 360) + 360, 360);
  const double c = v * s, x = c * (1 - std::fabs(std::fmod(hue / 60, 2) - 1)), m = v - c;
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(hue / 60)) {
    case 0:
      r = c, g = x;
      break;
    case 1:
      r = x, g = c;
      break;
    case 2:
      g = c, b = x;
      break;
    case 3:
      g = x, b = c;
      break;
    case 4:
      r = x, b = c;
      break;
    default:
      r = c, b = x;
      break;
  }
  auto byte = [&](double t) { return static_cast<uint8_t>(std::lround((t + m) * 255)); };
  return PackRGBA(byte(r), byte(g), byte(b), alpha);
}

void PlayFrames(TFlashMovie& movie, int frames, const std::vector<TMover>& movers,
                uint16_t firstDepth, const std::function<void()>& eachFrame) {
  for (int f = 0; f < frames; ++f) {
    for (size_t i = 0; i < movers.size(); ++i) {
      TFlashPlaceObject* place =
          movie.PlaceObject(f == 0 ? movers[i].Object : nullptr, firstDepth + uint16_t(i));
      if (f > 0) place->SetMove(true);
      movers[i].Pose(*place, f);
    }
    if (eachFrame) eachFrame();
    movie.ShowFrame();
  }
}

char32_t FirstDrawnGlyph(const std::vector<char32_t>& codes) {
  for (char32_t code : codes)
    if (PictureFont().HasGlyph(code)) return code;
  return U'\u2605';
}

TFlashShape* AddGlyphShape(TFlashMovie& movie, char32_t code, double size, uint32_t rgba) {
  const TGlyphOutline outline = PictureFont().GlyphOutline(code);
  // Device units of a 400-pixel em, y up; the shape is drawn in the same units and the caller's
  // size comes from the placement, so the edges keep sub-pixel detail.
  double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
  for (const TOutlineContour& contour : outline)
    for (const TOutlineCurve& curve : contour.Curves)
      for (const TFixedPoint& p : curve.Points) {
        minX = std::min(minX, p.X / 65536.0), maxX = std::max(maxX, p.X / 65536.0);
        minY = std::min(minY, p.Y / 65536.0), maxY = std::max(maxY, p.Y / 65536.0);
      }
  if (outline.empty()) throw Error("the picture font draws nothing for a clip's glyph");
  const double k = size / std::max(maxX - minX, maxY - minY);
  const double cx = (minX + maxX) / 2, cy = (minY + maxY) / 2;
  auto px = [&](const TFixedPoint& p) { return int32_t(std::lround((p.X / 65536.0 - cx) * k)); };
  auto py = [&](const TFixedPoint& p) { return int32_t(std::lround((cy - p.Y / 65536.0) * k)); };
  TFlashShape* shape = movie.AddShape();
  const int32_t hw = int32_t((maxX - minX) * k / 2) + 1, hh = int32_t((maxY - minY) * k / 2) + 1;
  shape->SetBounds(-hw, -hh, hw, hh);
  shape->SetSolidColor(rgba);
  for (const TOutlineContour& contour : outline) {
    shape->Edges.MoveTo(px(contour.Start), py(contour.Start));
    for (const TOutlineCurve& curve : contour.Curves) {
      const auto& pts = curve.Points;
      if (curve.Kind == TOutlineCurve::TKind::Line) {
        for (const TFixedPoint& p : pts) shape->Edges.LineTo(px(p), py(p));
        continue;
      }
      for (size_t i = 0; i + 1 < pts.size(); ++i) {
        const TFixedPoint& c = pts[i];
        TFixedPoint a = pts[i + 1];
        if (i + 2 < pts.size()) a = {(c.X + a.X) / 2, (c.Y + a.Y) / 2};
        shape->Edges.CurveTo(px(c), py(c), px(a), py(a));
      }
    }
    shape->Edges.LineTo(px(contour.Start), py(contour.Start));
  }
  shape->Edges.EndEdges();
  return shape;
}

void FollowPointer(TFlashMovie& movie, int32_t width, int32_t height) {
  // this._x = _parent._xmouse - width / 2, and the same for y.
  TFlashActionScript& script = movie.FrameActions();
  for (auto [axis, mouse, half] :
       {std::tuple{"_x", "_xmouse", width / 2}, std::tuple{"_y", "_ymouse", height / 2}}) {
    script.Push(std::string("this"));
    script.GetVariable();
    script.Push(std::string(axis));
    script.Push(std::string("_parent"));
    script.GetVariable();
    script.Push(std::string(mouse));
    script.GetMember();
    script.Push(int64_t{half});
    script.Subtract();
    script.SetMember();
  }
}

void AddClip(TArtworkOutput& output, const std::string& family, const std::string& name,
             TFlashMovie& movie) {
  std::vector<uint8_t> swf = MovieBytes(movie);
  output.AddDataFile("mc_thumb/mc" + name + ".bmp", ClipThumbnailBmp(swf));
  // Every source of the library is in use: a fifth of the clips as plain files, a fifth
  // compressed, the rest in the pack.
  switch (NameHash(name) % 5) {
    case 0:
      output.AddDataFile("mc_thumb/" + name + ".swf", std::move(swf));
      break;
    case 1:
      output.AddDataFile("mc_thumb/" + name + ".ddt", CompressClipFile(swf));
      break;
    default:
      output.AddTemplate(family, name, std::move(swf));
      break;
  }
}

}  // namespace orvanta::artwork
