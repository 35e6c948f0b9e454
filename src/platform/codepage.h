#pragma once

#include <string>
#include <string_view>

namespace orvanta {

// The system code page of the original platform is Windows-1252. "Text" values are cp1252 bytes
// held in std::string; UTF-8 appears only at the program's edges.

// The Unicode value of one cp1252 byte (the five unassigned bytes map to themselves).
char16_t Cp1252ToUnicode(unsigned char Byte);
// The cp1252 byte for a Unicode value, or '?' when the code page has no such character.
unsigned char UnicodeToCp1252(char32_t Code);

// Appends the UTF-8 form of one Unicode value.
void AppendUtf8(std::string& Out, char32_t Code);

std::string Cp1252ToUtf8(const std::string& Text);
// Characters outside cp1252 become '?'; malformed UTF-8 bytes are taken as cp1252 bytes.
std::string Utf8ToCp1252(const std::string& Text);

// UTF-16 to UTF-8 and back. Unpaired surrogates become U+FFFD; malformed UTF-8 bytes are taken
// as cp1252 characters.
// The code point at Text[i], joining a surrogate pair (and stepping i over its second half).
// An unpaired surrogate is returned as it is.
char32_t NextCodePoint(std::u16string_view Text, size_t& i);

std::string Utf16ToUtf8(const std::u16string& Text);
std::u16string Utf8ToUtf16(const std::string& Text);

}  // namespace orvanta
