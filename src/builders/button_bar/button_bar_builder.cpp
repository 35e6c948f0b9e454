#include "builders/button_bar/button_bar_builder.h"

#include "builders/button_bar/bar_button.h"
#include "builders/button_bar/link_fields.h"
#include "builders/button_bar/whole_banner_link.h"
#include "builders/common/content_slot.h"
#include "builders/common/settings_colour.h"
#include "builders/common/settings_font.h"
#include "movie/flash_movie.h"
#include "movie/flash_sprite.h"
#include "platform/codepage.h"
#include "project/click_tag.h"
#include "script/flash_action_script.h"

namespace orvanta {

namespace {

constexpr int kButtonSlots = 20;

TButtonBarSettings ReadSettings(const TPageState& page) {
  return {IntegerField(page, "buttontextHV") == 1, IntegerField(page, "buttonx1"),
          IntegerField(page, "buttony1"), IntegerField(page, "buttontextstep"),
          IntegerField(page, "buttonzoom1")};
}

TBarLook ReadLook(const TPageState& page, const TFontSetting& font) {
  TBarLook look;
  look.Font = font;
  const int32_t colour = IntegerField(page, "buttonfontcolor");
  look.CaptionColour = SettingsColour(colour);
  look.CurrentPageColour = SettingsColour(colour, 127);
  look.PageFileName = page.Field("webpage_filename").Text;
  look.Shadow = OptionField(page, "buttonshadow");
  look.Zoom = IntegerField(page, "buttonzoom1");
  look.ClickTag = UsesClickTag(page);
  return look;
}

TBarButton ReadButton(const TPageState& page, int slot, int style) {
  TBarButton button;
  button.Number = slot <= 7 ? slot : slot + 1;
  button.Style = &ButtonStyleInfo(style);
  button.Caption = Utf8ToUtf16(page.Field(ButtonSlotField("buttontext", slot)).Text);
  button.Link = page.Field(ButtonSlotField("buttonurl", slot)).Text;
  button.Target = LinkTarget(page, ButtonSlotField("buttontarget", slot));
  button.StyleField = ButtonSlotField("buttonindex", slot);
  return button;
}

// Every used slot in slot order; returns how many were built.
int AddButtons(TFlashMovie& movie, const TPageState& page, const TTemplatePack& templates,
               TBuildContext& context, TDeferredPlacements& bar, TButtonBarLayout& layout) {
  const TFontSetting& font = page.Fonts[int(TFontSlot::Buttons)];
  const TTextMeasure measure(font);
  const TBarLook look = ReadLook(page, font);
  int built = 0;
  for (int slot = 1; slot <= kButtonSlots; ++slot) {
    const int style = IntegerField(page, ButtonSlotField("buttonindex", slot));
    if (style < 1) continue;
    const TBarButton button = ReadButton(page, slot, style);
    // Each button uses its own style's caption position, so that a caption meant to sit beside
    // or below its art never covers another style's art.
    const TButtonPlace place = layout.Next(*button.Style, measure.Extent(button.Caption));
    if (AddBarButton(movie, templates, button, place, look, context, bar)) ++built;
  }
  return built;
}

}  // namespace

std::vector<TBuiltItem> TButtonBarBuilder::Build(TFlashMovie& movie, const TPageState& page,
                                                 const TDepthPlan& depths, TBuildContext& context) {
  TDeferredPlacements placements;
  TBuiltItem item{ContentSlotIndex("Button")};
  int built = 0;
  if (OptionField(page, "buttonurlenabled0")) {
    AddWholeBannerLink(movie, IntegerField(page, "SWFWidth"), IntegerField(page, "SWFHeight"),
                       page.Field("buttonurl0").Text, LinkTarget(page, "buttontarget0"),
                       UsesClickTag(page), placements);
  } else {
    TButtonBarLayout layout(ReadSettings(page));
    built = AddButtons(movie, page, templates_, context, placements, layout);
    if (built > 0) item.Width = layout.Width(), item.Height = layout.Height();
  }
  if (placements.Empty()) return {item};
  TFlashSprite* bar = placements.MakeSprite(movie);
  for (int i = 0; i < built; ++i) {
    bar->FrameActions().PushValues({std::string("currentbutmemo"), std::string("butmemo1")});
    bar->FrameActions().SetVariable();
  }
  bar->ShowFrame();
  movie.PlaceObject(bar, depths.ButtonBar);
  return {item};
}

}  // namespace orvanta
