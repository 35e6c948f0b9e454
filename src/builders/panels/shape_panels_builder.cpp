#include "builders/panels/shape_panels_builder.h"
#include "builders/common/content_slot_index.h"

#include "builders/images/picture_filters.h"
#include "builders/panels/panel_template.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_sprite.h"
#include "platform/errors.h"
#include "platform/template_pack.h"

namespace orvanta {

std::string PanelTemplateName(int style) {
  return "SHAPETEMPLATE" + std::to_string(style);
}

std::vector<TBuiltItem> TShapePanelsBuilder::Build(TFlashMovie& movie, const TPageState& page,
                                                   const TDepthPlan& depths,
                                                   TBuildContext& context) {
  std::vector<TBuiltItem> items;
  std::vector<std::pair<TFlashSprite*, uint16_t>> placed;
  for (int slot = 1; slot <= kPanelSlots; ++slot) {
    const std::string prefix = "shape" + std::to_string(slot);
    const int style = IntegerField(page, prefix + "listbox");
    if (style <= 0) continue;
    const std::string name = PanelTemplateName(style);
    const TTemplateEntry* entry = templates_.Find(name);
    if (!entry) {
      context.Warn(prefix + "listbox", "the panel template " + name + " is missing");
      continue;
    }
    TFlashSprite* body = movie.AddSprite();
    TPanelSize size;
    try {
      size = BuildPanelFromTemplate(movie, *body, entry->Data, IntegerField(page, prefix + "width"),
                                    IntegerField(page, prefix + "height"));
    } catch (const Error& e) {
      context.Warn(prefix + "listbox", name + ": " + e.what());
      continue;
    }
    TFlashSprite* wrapper = movie.AddSprite();
    TFlashPlaceObject* place = wrapper->PlaceObject(body, 1);
    place->SetTranslate(IntegerField(page, prefix + "posx"), IntegerField(page, prefix + "posy"));
    const int alpha = IntegerField(page, prefix + "alpha");
    if (alpha < 255) place->SetColorTransform(false, 0, 0, 0, 0, true, 255, 255, 255, alpha, true);
    // The same black shadow, 5 pixels off and blurred 5, as a picture's.
    if (OptionField(page, prefix + "shadow")) ApplyPictureFilters(*place, {.DropShadow = true});
    wrapper->ShowFrame();
    placed.emplace_back(wrapper, uint16_t(100 - slot));
    items.push_back({ContentSlotIndex("Shape" + std::to_string(slot)), size.Width, size.Height});
  }
  // Made after the panels, so that its definition follows everything it places.
  TFlashSprite* container = movie.AddSprite();
  for (const auto& [wrapper, depth] : placed) container->PlaceObject(wrapper, depth);
  container->ShowFrame();
  movie.PlaceObject(container, depths.BackgroundImport);
  return items;
}

}  // namespace orvanta
