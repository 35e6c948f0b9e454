#include "builders/animated_text/text_measure.h"

#include <cmath>

#include "builders/animated_text/letter_keys.h"
#include "media/swf_reader.h"
#include "platform/artwork_names.h"
#include "platform/codepage.h"
#include "platform/stream.h"
#include "platform/template_pack.h"

namespace orvanta {

TTextMeasurer::TTextMeasurer(const TAnimatedTextSettings& settings, const TTemplatePack* templates)
    : art_(settings.ArtLetters()), artFamily_(settings.ArtFamily), templates_(templates) {
  font_.Name = Utf8ToCp1252(art_ ? std::string("Arial Black") : settings.Font.Face);
  font_.Height = -std::max(1, PointsToPixels(settings.Font.Size));
  font_.Bold = settings.Font.Bold;
  font_.Italic = settings.Font.Italic;
  TLogFont log;
  log.Height = font_.Height;
  log.Weight = font_.Bold ? 700 : 400;
  log.Italic = font_.Italic;
  log.FaceName = font_.Name;
  platformFont_ = std::make_unique<TPlatformFont>(log);
}

TTextMeasurer::~TTextMeasurer() = default;

TTextSize TTextMeasurer::Extent(const std::u16string& text) {
  return platformFont_->TextExtent(text);
}

double TTextMeasurer::ArtAspect(char16_t ch) {
  const auto code = ArtLetterCode(ch);
  if (!code || !templates_) return 0;
  if (auto known = aspects_.find(*code); known != aspects_.end()) return known->second;
  double aspect = 0;
  if (const TTemplateEntry* entry = templates_->Find(ArtLetterName(artFamily_, *code))) {
    TMemoryViewStream stream(entry->Data);
    TSWFStreamReader reader;
    reader.LoadFromStream(stream);
    const TSWFRect& frame = reader.FrameSize();
    if (reader.Valid && frame.Ymax() > frame.Ymin())
      aspect = double(frame.Xmax() - frame.Xmin()) / (frame.Ymax() - frame.Ymin());
  }
  aspects_[*code] = aspect;
  return aspect;
}

TTextSize TTextMeasurer::MeasureGlyph(const std::u16string& text) {
  if (auto known = cache_.find(text); known != cache_.end()) return known->second;
  // An art space is as wide as the family's "A".
  const std::u16string measured = art_ && text == u" " ? u"A" : text;
  TTextSize size = Extent(measured);
  if (art_ && measured.size() == 1)
    if (double aspect = ArtAspect(measured[0]); aspect > 0)
      size.Width = int(std::lround(size.Height * aspect));
  cache_[text] = size;
  return size;
}

TTextSize TTextMeasurer::MeasureText(const std::u16string& text, double heightScale,
                                     double widthScale) {
  TTextSize size;
  if (art_) {
    size.Height = MeasureGlyph(u"A").Height;
    for (char16_t ch : text) {
      const TTextSize letter = MeasureGlyph(std::u16string(1, ch));
      size.Width += letter.Width;
      size.Height = letter.Height;
    }
  } else {
    size = MeasureGlyph(text);
  }
  // The cache holds sizes at scale 1, so a line measured scaled never leaks into its letters.
  if (widthScale != 1) size.Width = int(std::lround(widthScale * size.Width));
  if (heightScale != 1) size.Height = int(std::lround(heightScale * size.Height));
  return size;
}

}  // namespace orvanta
