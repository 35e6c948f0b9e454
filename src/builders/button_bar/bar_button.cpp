#include "builders/button_bar/bar_button.h"

#include <numbers>
#include <optional>

#include "builders/button_bar/click_through.h"
#include "builders/common/movie_fonts.h"
#include "builders/common/template_import.h"
#include "media/filters.h"
#include "movie/flash_button.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "movie/flash_text.h"
#include "platform/template_pack.h"
#include "script/flash_action_script.h"

namespace orvanta {

namespace {

constexpr uint16_t kCaptionDepth = 1100, kNormalDepth = 850, kButtonDepth = 890;
constexpr uint32_t kClear = 0;

void AddShadow(TFlashPlaceObject& place, double blur, double distance) {
  TSWFDropShadowFilter& shadow = place.DropShadowFilter();
  shadow.BlurX = shadow.BlurY = blur;
  shadow.Distance = distance;
  shadow.Angle = std::numbers::pi / 4;
}

TFlashSprite* AddCaption(TFlashMovie& movie, const TBarButton& button, const TButtonPlace& place,
                         const TBarLook& look) {
  const bool current = FoldName(button.Link) == FoldName(look.PageFileName);
  TFlashText* text =
      AddLabel(movie, button.Caption, current ? look.CurrentPageColour : look.CaptionColour,
               look.Font, place.Caption);
  TFlashSprite* caption = movie.AddSprite();
  TFlashPlaceObject* placed = caption->PlaceObject(text, uint16_t(kCaptionDepth + button.Number));
  if (look.Shadow) AddShadow(*placed, 15, 2);
  caption->ShowFrame();
  return caption;
}

struct TShadow {
  double Blur, Distance;
};

// The style's art at the button's place and zoom, alone in a sprite of its own, with the hit
// rectangle beside it when given.
TFlashSprite* AddLook(TFlashMovie& movie, TFlashSprite& art, const TButtonPlace& place, int zoom,
                      std::optional<TShadow> shadow, TFlashShape* hit) {
  TFlashSprite* sprite = movie.AddSprite();
  TFlashPlaceObject* placed = sprite->PlaceObject(&art, 1);
  placed->SetTranslate(place.X, place.Y);
  placed->SetScale(zoom / 100.0, zoom / 100.0);
  if (shadow) AddShadow(*placed, shadow->Blur, shadow->Distance);
  if (hit) sprite->PlaceObject(hit, 2);
  sprite->ShowFrame();
  return sprite;
}

// The normal look is hidden while the pointer is on the button, so that the over look shows
// alone.
void AddNormalLookToggle(TFlashButton& button, int number) {
  for (bool visible : {false, true}) {
    TFlashActionScript& script = visible ? button.OnRollOut() : button.OnRollOver();
    script.Push(std::string("this"));
    script.GetVariable();
    script.Push("buthittest" + std::to_string(number));
    script.GetMember();
    script.PushValues({std::string("_visible"), visible});
    script.SetMember();
  }
}

}  // namespace

bool AddBarButton(TFlashMovie& movie, const TTemplatePack& templates, const TBarButton& button,
                  const TButtonPlace& place, const TBarLook& look, TBuildContext& context,
                  TDeferredPlacements& bar) {
  const TButtonStyle& style = *button.Style;
  TFlashSprite* normalArt =
      ImportTemplateSprite(movie, templates, style.Name, context, button.StyleField);
  if (!normalArt) return false;
  TFlashSprite* overArt = style.HasOver ? ImportTemplateSprite(movie, templates, style.OverName(),
                                                               context, button.StyleField)
                                        : nullptr;
  const std::string n = std::to_string(button.Number);

  TFlashSprite* caption = AddCaption(movie, button, place, look);
  TFlashShape* hit =
      movie.AddRectangle(place.X, place.Y, place.X + place.HitWidth, place.Y + place.HitHeight);
  hit->SetSolidColor(kClear);
  const bool normalShadow = look.Shadow && style.Name != "BlankBox";
  TFlashSprite* normal =
      AddLook(movie, *normalArt, place, look.Zoom,
              normalShadow ? std::optional<TShadow>({15, 2}) : std::nullopt, hit);
  TFlashSprite* over =
      overArt ? AddLook(movie, *overArt, place, look.Zoom,
                        look.Shadow ? std::optional<TShadow>({3, 3}) : std::nullopt, nullptr)
              : nullptr;

  TFlashButton* box = movie.AddButton();
  box->AddRecord(*hit, kButtonStateHitTest, 1);
  if (over) {
    box->AddRecord(*over, kButtonStateOver | kButtonStateDown, 1);
    AddNormalLookToggle(*box, button.Number);
  }
  AddClickThrough(box->OnRelease(), button.Link, button.Target, look.ClickTag);

  using TPlace = TFlashPlaceObject;
  bar.Add(caption, uint16_t(kCaptionDepth + button.Number), 0, 0,
          [name = "button" + n](TPlace& p) { p.SetName(name); });
  bar.Add(normal, uint16_t(kNormalDepth + button.Number), 0, 0,
          [name = "buthittest" + n](TPlace& p) { p.SetName(name); });
  bar.Add(box, uint16_t(kButtonDepth + button.Number), 0, 0,
          [name = "butbox" + n](TPlace& p) { p.SetName(name); });
  return true;
}

}  // namespace orvanta
