#include "builders/panels/shape_demo.h"

#include "builders/panels/panel_template.h"
#include "builders/panels/shape_panels_builder.h"
#include "movie/flash_movie.h"
#include "movie/flash_sprite.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "platform/text_file.h"

namespace orvanta {

std::vector<uint8_t> BuildShapeDemo(const TTemplatePack& templates, int style) {
  TFlashMovie movie(0, 0, kShapeDemoWidth, kShapeDemoHeight, 4, true);
  movie.SetVersion(8);
  TFlashSprite* panel = movie.AddSprite();
  BuildPanelFromTemplate(movie, *panel, templates.Get(PanelTemplateName(style)).Data,
                         kShapeDemoWidth, kShapeDemoHeight);
  movie.PlaceObject(panel, 1);
  movie.ShowFrame();
  movie.MakeData();
  TMemoryStream bytes;
  movie.SaveToStream(bytes);
  return bytes.TakeBytes();
}

std::optional<std::filesystem::path> WriteShapeDemo(const std::filesystem::path& folder,
                                                    const TTemplatePack& templates, int style) {
  if (style <= 0) return std::nullopt;
  const std::filesystem::path path = folder / kShapeDemoFile;
  // The preview player may be reading the previous one: it is replaced in one step.
  WriteFileAtomically(path, BuildShapeDemo(templates, style));
  return path;
}

}  // namespace orvanta
