#include "platform/codepage.h"

namespace orvanta {

namespace {

// cp1252 bytes 0x80..0x9F; the rest of the page coincides with Latin-1.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Decodes one UTF-8 sequence at Text[i]; returns its length, or 0 when it is malformed.
size_t DecodeUtf8(const std::string& text, size_t i, char32_t& code) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  size_t length = lead < 0x80         ? 1
                  : (lead >> 5) == 6  ? 2
                  : (lead >> 4) == 14 ? 3
                  : (lead >> 3) == 30 ? 4
                                      : 0;
  if (length == 0 || i + length > text.size()) return 0;
  code = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  return length;
}

}  // namespace

void AppendUtf8(std::string& Out, char32_t Code) {
  if (Code < 0x80) {
    Out += static_cast<char>(Code);
  } else if (Code < 0x800) {
    Out += static_cast<char>(0xC0 | (Code >> 6));
    Out += static_cast<char>(0x80 | (Code & 0x3F));
  } else if (Code < 0x10000) {
    Out += static_cast<char>(0xE0 | (Code >> 12));
    Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Code & 0x3F));
  } else {
    Out += static_cast<char>(0xF0 | (Code >> 18));
    Out += static_cast<char>(0x80 | ((Code >> 12) & 0x3F));
    Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Code & 0x3F));
  }
}

char16_t Cp1252ToUnicode(unsigned char Byte) {
  if (Byte >= 0x80 && Byte < 0xA0) return kHighControls[Byte - 0x80];
  return Byte;
}

unsigned char UnicodeToCp1252(char32_t Code) {
  if (Code < 0x80 || (Code >= 0xA0 && Code < 0x100)) return static_cast<unsigned char>(Code);
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] == Code) return static_cast<unsigned char>(0x80 + i);
  return '?';
}

std::string Cp1252ToUtf8(const std::string& Text) {
  std::string out;
  out.reserve(Text.size());
  for (char c : Text) AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToCp1252(const std::string& Text) {
  std::string out;
  out.reserve(Text.size());
  for (size_t i = 0; i < Text.size();) {
    char32_t code = 0;
    size_t length = DecodeUtf8(Text, i, code);
    if (length == 0) {
      out += Text[i++];
      continue;
    }
    out += static_cast<char>(UnicodeToCp1252(code));
    i += length;
  }
  return out;
}

char32_t NextCodePoint(std::u16string_view Text, size_t& i) {
  char32_t c = Text[i];
  if (c >= 0xD800 && c <= 0xDBFF && i + 1 < Text.size() && Text[i + 1] >= 0xDC00 &&
      Text[i + 1] <= 0xDFFF) {
    c = 0x10000 + ((c - 0xD800) << 10) + (Text[i + 1] - 0xDC00);
    ++i;
  }
  return c;
}

std::string Utf16ToUtf8(const std::u16string& Text) {
  std::string out;
  out.reserve(Text.size());
  for (size_t i = 0; i < Text.size(); ++i) {
    char32_t c = NextCodePoint(Text, i);
    if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;
    AppendUtf8(out, c);
  }
  return out;
}

std::u16string Utf8ToUtf16(const std::string& Text) {
  std::u16string out;
  out.reserve(Text.size());
  size_t i = 0;
  while (i < Text.size()) {
    unsigned char b = static_cast<unsigned char>(Text[i]);
    int extra = (b >= 0xF0 && b <= 0xF4)   ? 3
                : (b >= 0xE0 && b <= 0xEF) ? 2
                : (b >= 0xC2 && b <= 0xDF) ? 1
                                           : 0;
    char32_t c = extra == 3 ? b & 0x07 : extra == 2 ? b & 0x0F : b & 0x1F;
    bool valid = extra > 0 && i + extra < Text.size();
    for (int k = 1; valid && k <= extra; ++k) {
      unsigned char next = static_cast<unsigned char>(Text[i + k]);
      if ((next & 0xC0) != 0x80) valid = false;
      c = (c << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if (valid && ((extra == 2 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))) ||
                  (extra == 3 && (c < 0x10000 || c > 0x10FFFF))))
      valid = false;
    if (b < 0x80) {
      out += static_cast<char16_t>(b);
      ++i;
    } else if (!valid) {
      out += Cp1252ToUnicode(b);
      ++i;
    } else {
      if (c >= 0x10000) {
        out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
      } else {
        out += static_cast<char16_t>(c);
      }
      i += extra + 1;
    }
  }
  return out;
}

}  // namespace orvanta
