#include <string>

#include "art_movie.h"
#include "art_paint.h"
#include "artwork_output.h"
#include "families.h"
#include "movie/flash_movie.h"
#include "panel_designs.h"
#include "platform/artwork_names.h"
#include "platform/button_styles.h"
#include "platform/template_pack.h"
#include "thumbnail_pictures.h"

namespace orvanta::artwork {

namespace {

// Pictures of the choices the editor offers, drawn from the very files it offers. Families
// share nothing, so this one makes its own copies of the files it pictures.
constexpr uint32_t kCellWidth = 100, kCellHeight = 55;
constexpr uint32_t kCellBackground = 0xF2F4F7;

// The "None" picture: a grey disc struck through, for cell 0 and for missing thumbnails.
std::vector<uint8_t> NoneMovie(int32_t width, int32_t height) {
  auto movie = NewArtMovie(width, height);
  TArtCanvas canvas(*movie);
  canvas.RoundRect(0, 0, width, height, 0, TPaint::Solid(Rgb(kCellBackground)));
  const int32_t r = height * 3 / 10, cx = width / 2, cy = height / 2, band = std::max(3, r / 4);
  canvas.EllipseFrame(cx - r, cy - r, cx + r, cy + r, band, TPaint::Solid(Rgb(0xB0B6BE)));
  const std::vector<TFlashPoint> slash = {{cx - r * 7 / 10 - band / 2, cy + r * 7 / 10 - band / 2},
                                          {cx + r * 7 / 10 - band / 2, cy - r * 7 / 10 - band / 2},
                                          {cx + r * 7 / 10 + band / 2, cy - r * 7 / 10 + band / 2},
                                          {cx - r * 7 / 10 + band / 2, cy + r * 7 / 10 + band / 2}};
  canvas.Polygon(slash, TPaint::Solid(Rgb(0xB0B6BE)));
  movie->ShowFrame();
  return MovieBytes(*movie);
}

TPicture NoneCell(uint32_t width, uint32_t height) {
  return RenderThumbnail(NoneMovie(static_cast<int32_t>(width), static_cast<int32_t>(height)), 1,
                         width, height, kCellBackground);
}

// A strip of cell 0 "None" and then one cell per numbered file, in choice order.
std::vector<uint8_t> ChoiceStrip(const TArtworkOutput& files, const std::string& prefix, int count,
                                 int frame) {
  std::vector<TPicture> cells = {NoneCell(kCellWidth, kCellHeight)};
  for (int n = 1; n <= count; ++n)
    cells.push_back(RenderThumbnail(files.DataFile(prefix + std::to_string(n) + ".swf"), frame,
                                    kCellWidth, kCellHeight, kCellBackground));
  return EncodeGIFQuantised(JoinStrip(cells));
}

void GalleryOf(const TArtworkOutput& family, const std::string& folder,
               const std::vector<std::string>& names, uint32_t width, uint32_t height,
               TArtworkOutput& output) {
  const std::vector<uint8_t> bytes = family.PackBytes();
  const TTemplatePack pack(bytes);
  for (const std::string& name : names)
    output.AddDataFile(
        folder + name + ".png",
        EncodePNG(RenderThumbnail(pack.Get(name).Data, 1, width, height, kCellBackground)));
}

}  // namespace

void GenerateThumbnails(TArtworkOutput& output) {
  TArtworkOutput screens, controls, buttons, panels, borders;
  GenerateLoadingScreens(screens);
  GenerateSoundControls(controls);
  GenerateButtonStyles(buttons);
  GenerateShapePanels(panels);
  GeneratePhotoBorders(borders);
  // Loading screens are pictured a few frames in, when their motion shows.
  output.AddDataFile("mc_thumb/Percentloaderimage.gif",
                     ChoiceStrip(screens, "albumboader/now_loading", kLoadingScreens, 4));
  output.AddDataFile("mc_thumb/bssoundimage.gif",
                     ChoiceStrip(controls, "albumboader/sound_control", kSoundControls, 1));
  TArtworkOutput mouseover;
  GenerateMouseover(mouseover);
  const std::vector<uint8_t> mouseoverPack = mouseover.PackBytes();
  output.AddDataFile("mc_thumb/Mouseasimages.gif",
                     EncodeGIFQuantised(JoinStrip(
                         {NoneCell(kCellWidth, kCellHeight),
                          RenderThumbnail(TTemplatePack(mouseoverPack).Get("mouseover").Data, 1,
                                          kCellWidth, kCellHeight, 0x506070)})));
  output.AddDataFile("mc_thumb/delete2.bmp", EncodeBMP24(NoneCell(100, 40)));

  std::vector<std::string> styles;
  for (const TButtonStyle& style : ButtonStyles()) styles.push_back(style.Name);
  GalleryOf(buttons, "gallery/buttons/", styles, 100, 60, output);
  std::vector<std::string> shapes;
  for (size_t k = 1; k <= PanelMargins().size(); ++k)
    shapes.push_back("SHAPETEMPLATE" + std::to_string(k));
  GalleryOf(panels, "gallery/panels/", shapes, 80, 60, output);
  for (int k = 1; k <= 23; ++k)
    output.AddDataFile(
        "gallery/borders/Border" + std::to_string(k) + ".png",
        EncodePNG(RenderThumbnail(borders.DataFile("albumboader/" + std::to_string(k) + ".swf"), 1,
                                  90, 50, kCellBackground)));
}

}  // namespace orvanta::artwork
