#include "builders/animated_text/text_budget.h"

#include <algorithm>
#include <map>

#include "builders/animated_text/effect_steps.h"
#include "builders/animated_text/letter_keys.h"
#include "media/flash_external_movie.h"
#include "media/swf_reader.h"
#include "movie/count_limits.h"
#include "platform/artwork_names.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/template_pack.h"

namespace orvanta {

namespace {

// The driver closes the main movie with two frames after the text.
constexpr int kClosingFrames = 2;

std::string Thousands(int64_t n) {
  std::string digits = std::to_string(n), out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

int64_t Letters(const std::u16string& text, int chars) {
  const size_t shown = chars < 0 ? text.size() : std::min(text.size(), size_t(chars));
  int64_t letters = 0;
  for (size_t i = 0; i < shown; ++i) letters += text[i] != u'\n';
  return letters;
}

int GradientIds(int type) {
  if (type < 12) return 1;
  return 1 + (type == 14 ? 9 : 4);  // the animated sprite and its pictures
}

int ForegroundIds(int effect, const TTextSize& size) {
  switch (effect) {
    case 1:
      return 1 + (size.Height + 2) / 3 + (size.Width + 2) / 3;
    case 2:
      return 1 + 7;
    case 4:
    case 5:
    case 6:
      return 1;
    default:
      return 0;
  }
}

// A letter sprite and everything only it uses.
class TLetterCost {
 public:
  TLetterCost(const TAnimatedTextSettings& s, TTextMeasurer& measure,
              const TTemplatePack* templates)
      : s_(s), measure_(measure), templates_(templates) {}

  int64_t Of(char16_t ch) {
    if (s_.ArtLetters()) return 1 + ArtIds(ch);
    const TTextSize size = measure_.MeasureGlyph(std::u16string(1, ch));
    int ids = 1 + 1;  // the sprite and its face
    ids += s_.OutlineWidth > 0;
    ids += s_.ShadowWidth > 0;
    if (s_.Fill == TLetterFill::Gradient) ids += GradientIds(s_.GradientType);
    return ids + ForegroundIds(s_.ForegroundEffect, size);
  }

 private:
  int ArtIds(char16_t ch) {
    const auto code = ArtLetterCode(ch);
    if (!code || !templates_) return 0;
    auto known = art_.find(*code);
    if (known == art_.end()) {
      const TTemplateEntry* entry = templates_->Find(ArtLetterName(s_.ArtFamily, *code));
      known = art_.emplace(*code, entry ? 1 + ImportIdCost(entry->Data) : 0).first;
    }
    return known->second;  // the holder and the import
  }

  const TAnimatedTextSettings& s_;
  TTextMeasurer& measure_;
  const TTemplatePack* templates_;
  std::map<int, int> art_;
};

int64_t PictureIds(const TAnimatedTextSettings& s, const TTextStep& step, int64_t letters) {
  int64_t ids = 2 + letters;  // block, outer sprite, a wrapper per letter
  if (!step.Plain && s.Swing) ids += 3;
  if (!step.Plain && s.Motion == TLetterMotion::Laser) ids += 1;
  if (s.Rotation != 0) ids += 1;
  return ids;
}

}  // namespace

std::vector<std::u16string> PassTexts(const TAnimatedTextSettings& settings) {
  if (settings.Display == TTextDisplay::LineByLine) return settings.Lines;
  std::u16string all;
  for (size_t i = 0; i < settings.Lines.size(); ++i) {
    if (i > 0) all += u'\n';
    all += settings.Lines[i];
  }
  return {all};
}

int ImportIdCost(std::span<const uint8_t> swf) {
  try {
    TMemoryViewStream stream(swf);
    TFlashExternalMovie import(nullptr, stream);
    import.Reader().ParseTags(true, false);
    return 2 + import.CharacterCount();  // the import, its sprite and its characters
  } catch (const Error&) {
    return 0;
  }
}

TTextBudget CountTextBudget(const TAnimatedTextSettings& settings, TTextMeasurer& measure,
                            const TTemplatePack* templates, int foregroundIds) {
  TTextBudget budget;
  budget.Ids = 1 + foregroundIds;                              // the font
  if (settings.Fill == TLetterFill::Texture) budget.Ids += 2;  // picture and its shape
  const TEffectTiming timing = TimingFor(settings);
  TLetterCost letterCost(settings, measure, templates);
  for (const std::u16string& text : PassTexts(settings)) {
    const TPassPlan plan = PlanPass(settings, timing, int(text.size()));
    budget.Frames += plan.Frames();
    int64_t letterIds = 0;
    for (char16_t ch : text)
      if (ch != u'\n') letterIds += letterCost.Of(ch);
    budget.Ids += letterIds * (plan.FreshLettersForExit ? 2 : 1);
    for (const auto* phase : {&plan.Enter, &plan.Hold, &plan.Exit})
      for (const TTextStep& step : *phase)
        budget.Ids += PictureIds(settings, step, Letters(text, step.Chars));
  }
  return budget;
}

std::string BudgetProblem(const TTextBudget& budget, int64_t framesBefore, int64_t idsBefore) {
  const int64_t frames = framesBefore + budget.Frames + kClosingFrames;
  if (frames > kMaxCount16)
    return "Animated text too long: " + Thousands(frames) + " frames (limit 65,535)";
  const int64_t ids = idsBefore + budget.Ids;
  if (ids > kMaxCount16)
    return "Animated text too long: " + Thousands(ids) + " character ids (limit 65,535)";
  return {};
}

}  // namespace orvanta
