#include "builders/animated_text/text_kit.h"

#include <algorithm>

namespace orvanta {

TBlockLayout MeasureBlock(const TAnimatedTextSettings& settings, TTextMeasurer& measure) {
  TBlockLayout block;
  for (const std::u16string& line : settings.Lines) {
    const TTextSize size = measure.MeasureText(line, 1);
    block.Width = std::max(block.Width, int(line.size()) * settings.LetterSpace + size.Width);
    block.LineHeight = size.Height;
  }
  const int lines = int(settings.Lines.size());
  block.Height = settings.Display == TTextDisplay::ShowAll
                     ? lines * block.LineHeight + (lines - 1) * settings.LineSpace
                     : block.LineHeight;
  return block;
}

}  // namespace orvanta
