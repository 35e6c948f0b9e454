#include "builders/static_text/static_text_builder.h"

#include "builders/common/content_slot.h"
#include "builders/common/deferred_placements.h"
#include "builders/common/settings_colour.h"
#include "builders/common/template_import.h"
#include "builders/static_text/fade_in_wrapper.h"
#include "builders/static_text/static_text_slot.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_sprite.h"
#include "platform/artwork_names.h"

namespace orvanta {

namespace {

std::string SlotField(int slot, const char* suffix) {
  return "Description" + std::to_string(slot) + suffix;
}

bool WantsEffect(const TPageState& page, int slot) {
  return !page.StaticTexts[slot - 1].empty() &&
         OptionField(page, "DescriptionBGEffect" + std::to_string(slot));
}

// The chosen background effect, imported once for every block that shows it; none when no
// block wants it or no effect is chosen.
TFlashSprite* ImportEffect(TFlashMovie& movie, const TPageState& page,
                           const TTemplatePack& templates, TBuildContext& context) {
  bool wanted = false;
  for (int slot = 1; slot <= kStaticTextCount; ++slot) wanted = wanted || WantsEffect(page, slot);
  if (!wanted) return nullptr;
  const auto& effects = StaticTextEffects();
  for (size_t i = 0; i < effects.size(); ++i) {
    const std::string field = "HTMLTopicbgeffect" + std::to_string(i + 1);
    if (OptionField(page, field))
      return ImportTemplateSprite(movie, templates, effects[i], context, field);
  }
  return nullptr;
}

TStaticTextBlock ReadBlock(const TPageState& page, int slot, TFlashSprite* effect,
                           TBuildContext& context) {
  TStaticTextBlock block;
  block.Slot = slot;
  block.Lines = StaticTextLines(page.StaticTexts[slot - 1]);
  if (block.Lines.size() > size_t(kMaxStaticTextLines)) {
    context.Warn("TextMemo" + std::to_string(slot),
                 "static text " + std::to_string(slot) + " has " +
                     std::to_string(block.Lines.size()) + " lines; only the first " +
                     std::to_string(kMaxStaticTextLines) + " are shown");
    block.Lines.resize(kMaxStaticTextLines);
  }
  block.Font = page.Fonts[int(StaticTextFont(slot))];
  block.Colour = IntegerField(page, SlotField(slot, "color"));
  block.X = IntegerField(page, SlotField(slot, "PosX"));
  block.Y = IntegerField(page, SlotField(slot, "PosY"));
  block.DropShadow = OptionField(page, SlotField(slot, "shadow"));
  if (WantsEffect(page, slot)) block.Effect = effect;
  const int32_t band = IntegerField(page, "DescriptionShadowColor");
  block.BandColours[0] = block.BandColours[3] = SettingsColour(band, 0);
  block.BandColours[1] = block.BandColours[2] = SettingsColour(band, 128);
  return block;
}

}  // namespace

std::vector<TBuiltItem> TStaticTextBuilder::Build(TFlashMovie& movie, const TPageState& page,
                                                  const TDepthPlan& depths,
                                                  TBuildContext& context) {
  TFlashSprite* effect = ImportEffect(movie, page, templates_, context);
  TDeferredPlacements placements;
  std::vector<TBuiltItem> items;
  for (int slot = 1; slot <= kStaticTextCount; ++slot) {
    if (page.StaticTexts[slot - 1].empty()) continue;
    const TStaticTextSize size =
        AddStaticTextBlock(movie, ReadBlock(page, slot, effect, context), placements);
    items.push_back(
        {ContentSlotIndex("Static Text" + std::to_string(slot)), size.Width, size.Height});
  }
  TFlashSprite* texts = placements.MakeSprite(movie);
  texts->ShowFrame();
  movie.PlaceObject(AddFadeInFromBlur(movie, *texts), depths.StaticTexts);
  return items;
}

}  // namespace orvanta
