#include "builders/animated_text/text_preparation.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "builders/animated_text/foreground_effects.h"
#include "builders/animated_text/text_budget.h"
#include "media/flash_external_movie.h"
#include "media/flash_image.h"
#include "movie/flash_font.h"
#include "movie/flash_movie.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "platform/data_root.h"
#include "platform/errors.h"

namespace orvanta {

namespace {

std::optional<std::filesystem::path> ForegroundFile(const TAnimatedTextSettings& s,
                                                    const TBuildContext& context) {
  const std::string name = ForegroundEffectFile(s.ForegroundEffect);
  if (name.empty()) return std::nullopt;
  return context.Data.Find(name);
}

int ForegroundImportIds(const TAnimatedTextSettings& s, const TBuildContext& context) {
  const auto file = ForegroundFile(s, context);
  if (!file) return 0;
  std::ifstream in(*file, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  return ImportIdCost(bytes);
}

void PrepareForeground(TTextKit& kit, TBuildContext& context) {
  const std::string name = ForegroundEffectFile(kit.Settings.ForegroundEffect);
  if (name.empty()) return;
  const auto file = ForegroundFile(kit.Settings, context);
  if (!file) {
    context.Warn("FontFrontgroundEffectNone", name + " file not found !");
    return;
  }
  try {
    kit.Foreground = kit.Movie.AddExternalMovie(file->string())->Sprite();
  } catch (const Error& e) {
    context.Warn("FontFrontgroundEffectNone", e.what());
  }
}

// One shape of the picture repeated over the banner (or the picture, when larger), shared by
// every texture letter.
void PrepareTexture(TTextKit& kit, TBuildContext& context) {
  const std::string& name = kit.Settings.TextureFile;
  const auto file = context.Resolve(name, {"photos/", "mc_thumb/html/_default/"});
  if (!file) {
    context.Warn("FontFrontImageEditBox", name + " file not found !");
    return;
  }
  TFlashImage* image = nullptr;
  try {
    image = kit.Movie.AddImage(file->string());
  } catch (const Error& e) {
    context.Warn("FontFrontImageEditBox", e.what());
    return;
  }
  const int width = std::max<int>(kit.Settings.Width, image->Width()),
            height = std::max<int>(kit.Settings.Height, image->Height());
  kit.Texture = kit.Movie.AddRectangle(0, 0, width, height);
  kit.Texture->SetImageFill(*image, 2);
}

}  // namespace

std::string TextBudgetProblem(TFlashMovie& movie, const TAnimatedTextSettings& settings,
                              TTextMeasurer& measure, const TTemplatePack& templates,
                              TBuildContext& context) {
  const TTextBudget budget =
      CountTextBudget(settings, measure, &templates, ForegroundImportIds(settings, context));
  return BudgetProblem(budget, movie.FrameCount(), movie.NextCharacterID() - 1);
}

void PrepareTextKit(TTextKit& kit, TBuildContext& context) {
  // Art letters are pictures; a font without characters would only be an empty tag.
  if (!kit.Settings.ArtLetters()) kit.Font = kit.Movie.AddFont(kit.Measure.Font());
  if (kit.Settings.Fill == TLetterFill::Texture) PrepareTexture(kit, context);
  if (kit.Settings.ForegroundEffect > 0) PrepareForeground(kit, context);
}

}  // namespace orvanta
