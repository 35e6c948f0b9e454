#include "builders/animated_text/letter_keys.h"

#include <algorithm>

#include "platform/artwork_names.h"
#include "platform/codepage.h"

namespace orvanta {

namespace {

bool Supported(int code) {
  const auto& codes = ArtLetterCodes();
  return std::binary_search(codes.begin(), codes.end(), code);
}

// Names the original resources used for punctuation; only "?" keeps its name, since every other
// one has a decimal template.
const char* PunctuationName(char16_t ch) {
  switch (ch) {
    case u'\'':
      return "yinhao";
    case u',':
      return "douhao";
    case u'"':
      return "shuangyinhao";
    case u'.':
      return "juhao";
    case u':':
      return "maohao";
    case u'?':
      return "dot_4";
    default:
      return nullptr;
  }
}

}  // namespace

std::optional<int> ArtLetterCode(char16_t ch) {
  int code = ch;
  if (ch >= u'a' && ch <= u'z') code -= 32;
  if (Supported(code)) return code;
  // An accented small letter is drawn by its capital.
  if (code > 'z' && Supported(code - 32)) return code - 32;
  if (code > 0xFF && Supported(code - 1)) return code - 1;
  return std::nullopt;
}

std::string LetterResourceKey(char16_t ch) {
  if (auto code = ArtLetterCode(ch)) return std::to_string(*code);
  if (const char* name = PunctuationName(ch)) return name;
  std::string key;
  AppendUtf8(key, ch >= u'a' && ch <= u'z' ? ch - 32 : ch);
  return key;
}

uint32_t LetterTableColor(int depthIndex, bool artLetters) {
  static constexpr uint32_t kTable[17][3] = {
      {255, 0, 0},     {255, 255, 0},  {0, 255, 0},     {255, 0, 255},   {0, 0, 255},
      {0, 255, 255},   {128, 0, 0},    {128, 128, 0},   {0, 128, 0},     {128, 0, 128},
      {0, 0, 128},     {0, 128, 128},  {255, 128, 128}, {255, 255, 128}, {128, 255, 128},
      {255, 128, 255}, {128, 128, 255}};
  const int entry = ((depthIndex % 17) + 17) % 17;
  const uint32_t* c = kTable[entry];
  // The art letters' table differs in one entry: their yellow is (255, 255, 5).
  const uint32_t blue = artLetters && entry == 1 ? 5 : c[2];
  return c[0] | c[1] << 8 | blue << 16 | 0xFF000000u;
}

}  // namespace orvanta
