#include "builders/animated_text/animated_text_builder.h"

#include "builders/animated_text/effect_steps.h"
#include "builders/animated_text/text_budget.h"
#include "builders/animated_text/text_frame.h"
#include "builders/animated_text/text_preparation.h"
#include "movie/flash_movie.h"

namespace orvanta {

namespace {

// The content-list slot of the animated text.
constexpr int kAnimatedTextSlot = 0;

void RunSteps(TTextKit& kit, const std::u16string& text, const std::vector<TTextStep>& steps) {
  for (const TTextStep& step : steps) {
    TFrameRequest frame{.Text = step.Chars < 0 ? text : text.substr(0, size_t(step.Chars)),
                        .Rotation = step.Rotation,
                        .Plain = step.Plain,
                        .Y = step.Y,
                        .X = step.X,
                        .ScaleY = step.ScaleY,
                        .ScaleX = step.ScaleX,
                        .Alpha = step.Alpha};
    BuildTextFrame(kit, frame);
    kit.Movie.ShowFrame(step.Frames);
  }
}

void RunPass(TTextKit& kit, const std::u16string& text, const TEffectTiming& timing) {
  const TPassPlan plan = PlanPass(kit.Settings, timing, int(text.size()));
  kit.Letters.clear();
  RunSteps(kit, text, plan.Enter);
  RunSteps(kit, text, plan.Hold);
  if (plan.FreshLettersForExit) kit.Letters.clear();
  RunSteps(kit, text, plan.Exit);
}

}  // namespace

std::vector<TBuiltItem> TAnimatedTextBuilder::Build(TFlashMovie& movie, const TPageState& page,
                                                    const TDepthPlan& depths,
                                                    TBuildContext& context) {
  const TAnimatedTextSettings settings = ReadAnimatedTextSettings(page);
  if (settings.Lines.empty()) return {};
  TTextMeasurer measure(settings, &templates_);
  if (std::string problem = TextBudgetProblem(movie, settings, measure, templates_, context);
      !problem.empty()) {
    context.Warn("Animatedinputtext", problem);
    return {};
  }
  TTextKit kit{.Movie = movie,
               .Settings = settings,
               .Measure = measure,
               .Random = context.Random,
               .Templates = &templates_,
               .Block = MeasureBlock(settings, measure),
               .Letters = {},
               .Depth = depths.AnimatedText};
  PrepareTextKit(kit, context);
  const TEffectTiming timing = TimingFor(settings);
  for (const std::u16string& text : PassTexts(settings)) RunPass(kit, text, timing);
  return {{kAnimatedTextSlot, kit.Block.Width, kit.Block.Height}};
}

}  // namespace orvanta
