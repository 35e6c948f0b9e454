#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace orvanta {

// Text files the program writes are UTF-16 little-endian with a byte-order mark and CR LF line
// ends, as the Windows program wrote them. Text in memory is UTF-8 with the line ends it has.

// Decodes a text file: UTF-16 LE (FF FE), UTF-16 BE (FE FF), UTF-8 (EF BB BF), else cp1252.
// The mark is not part of the text. An odd number of UTF-16 bytes is a FormatError: such a
// file was cut short and reading on would invent a character. Unpaired surrogates become U+FFFD.
std::string DecodeTextFile(std::span<const uint8_t> bytes);

// The bytes of a text file: the mark, then the text in UTF-16 LE with every line end (LF, CR
// or CR LF) written as CR LF.
std::vector<uint8_t> EncodeTextFile(const std::string& utf8);

// Writes a temporary file beside the target, flushes it and renames it over the target, so
// that a failed write leaves the old file as it was.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes);

}  // namespace orvanta
