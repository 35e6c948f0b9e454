#include "builders/animated_text/text_companions.h"

#include "builders/animated_text/text_budget.h"
#include "builders/animated_text/text_preparation.h"
#include "media/flash_external_movie.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "platform/errors.h"
#include "platform/random.h"
#include "platform/stream.h"
#include "platform/template_pack.h"

namespace orvanta {

namespace {

bool IsFire(const std::string& effect) {
  return effect == "fire" || effect == "FIRE_withoutsound";
}

TFlashVisualObject* ImportTemplate(TFlashMovie& movie, const std::string& name,
                                   const TTemplatePack& templates, TBuildContext& context) {
  const TTemplateEntry* entry = templates.Find(name);
  if (!entry) {
    context.Warn("FontBackgroundEffectNone", "template " + name + " not found");
    return nullptr;
  }
  TMemoryViewStream stream(entry->Data);
  try {
    return movie.AddExternalMovie(stream, TFlashExternalMovie::kImportAsSprite)->Sprite();
  } catch (const Error& e) {
    context.Warn("FontBackgroundEffectNone", e.what());
    return nullptr;
  }
}

// The height the scattered effects spread over: one line, or every line with its spacing.
int EffectAreaHeight(const TAnimatedTextSettings& s, const TBlockLayout& block) {
  if (s.Display == TTextDisplay::LineByLine) return block.LineHeight;
  return int(s.Lines.size()) * (s.LineSpace + block.LineHeight);
}

TFlashSprite* FireRow(TFlashMovie& movie, TFlashVisualObject* fire, const TAnimatedTextSettings& s,
                      const TBlockLayout& block) {
  TFlashSprite* row = movie.AddSprite();
  const int y = EffectAreaHeight(s, block);
  for (int i = 0; i < 7; ++i) {
    TFlashPlaceObject* place = row->PlaceObject(fire, uint16_t(100 + i));
    place->SetScale(2, 1);
    place->SetTranslate(i * block.Width / 6, y);
  }
  row->ShowFrame();
  return row;
}

TFlashSprite* Scattered(TFlashMovie& movie, TFlashVisualObject* effect,
                        const TAnimatedTextSettings& s, const TBlockLayout& block,
                        TRandom& random) {
  TFlashSprite* sprite = movie.AddSprite();
  const int height = EffectAreaHeight(s, block);
  for (int i = 0; i < 11; ++i) {
    const int x = int(random.Next(uint32_t(std::max(0, block.Width))));
    const int y = int(random.Next(uint32_t(std::max(0, height))));
    TFlashPlaceObject* place = sprite->PlaceObject(effect, uint16_t(100 + i));
    place->SetRotate(random.Next(360));
    place->SetTranslate(x, y);
    sprite->ShowFrame(10);
  }
  sprite->ShowFrame(100);
  return sprite;
}

}  // namespace

void AddColourShadowPanel(TFlashMovie& movie, const TAnimatedTextSettings& s,
                          const TBlockLayout& block, uint16_t depth) {
  TFlashShape* panel = movie.AddRectangle(0, 0, block.Width + block.Width / 4, block.Height);
  const uint32_t solid = (s.ShadowPanelColor & 0xFFFFFF) | 128u << 24;
  const uint32_t clear = s.ShadowPanelColor & 0xFFFFFF;
  uint32_t stops[4] = {solid, solid, solid, solid};
  if (s.Align != TTextAlign::Left) stops[0] = clear;
  if (s.Align != TTextAlign::Right) stops[3] = clear;
  panel->SetLinearGradient(stops, 0);
  panel->SetLineStyle(1, TSWFRGBA(clear, true));
  movie.PlaceObject(panel, depth)->SetTranslate(s.PosX - block.Width / 8, s.PosY);
}

void AddTextBackgroundEffect(TFlashMovie& movie, const TAnimatedTextSettings& s,
                             const TBlockLayout& block, const TDepthPlan& depths,
                             const TTemplatePack& templates, TBuildContext& context) {
  TFlashVisualObject* effect = ImportTemplate(movie, s.BackgroundEffect, templates, context);
  if (!effect) return;
  const bool fire = IsFire(s.BackgroundEffect);
  TFlashSprite* holder =
      fire ? FireRow(movie, effect, s, block) : Scattered(movie, effect, s, block, context.Random);
  movie.PlaceObject(holder, fire ? depths.TextEffectBack : depths.TextEffectFront)
      ->SetTranslate(s.PosX, s.PosY);
}

std::vector<TBuiltItem> TTextCompanionsBuilder::Build(TFlashMovie& movie, const TPageState& page,
                                                      const TDepthPlan& depths,
                                                      TBuildContext& context) {
  const TAnimatedTextSettings settings = ReadAnimatedTextSettings(page);
  if (settings.Lines.empty()) return {};
  TTextMeasurer measure(settings, &templates_);
  // A text too long to build leaves its companions out too; the text's builder says why.
  if (!TextFits(movie, settings, measure, templates_, context)) return {};
  const TBlockLayout block = MeasureBlock(settings, measure);
  if (settings.ShadowPanel && settings.LetterSpace >= 0 && settings.LineSpace >= 0)
    AddColourShadowPanel(movie, settings, block, depths.TextShadow);
  if (!settings.BackgroundEffect.empty())
    AddTextBackgroundEffect(movie, settings, block, depths, templates_, context);
  return {};
}

}  // namespace orvanta
