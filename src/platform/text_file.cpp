#include "platform/text_file.h"

#include <cstdio>
#include <fstream>
#include <random>

#include "platform/codepage.h"
#include "platform/errors.h"

namespace orvanta {

namespace {

bool StartsWith(std::span<const uint8_t> bytes, std::initializer_list<uint8_t> mark) {
  return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
}

std::string DecodeUtf16(std::span<const uint8_t> bytes, bool bigEndian) {
  if (bytes.size() % 2 != 0)
    throw FormatError("the UTF-16 text has an odd number of bytes (the file is cut short)");
  std::u16string units(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) {
    const uint8_t first = bytes[2 * i], second = bytes[2 * i + 1];
    units[i] = bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first);
  }
  return Utf16ToUtf8(units);
}

}  // namespace

std::string DecodeTextFile(std::span<const uint8_t> bytes) {
  if (StartsWith(bytes, {0xFF, 0xFE})) return DecodeUtf16(bytes.subspan(2), false);
  if (StartsWith(bytes, {0xFE, 0xFF})) return DecodeUtf16(bytes.subspan(2), true);
  // Malformed UTF-8 after a mark is taken byte by byte as cp1252 by the UTF-16 conversion.
  if (StartsWith(bytes, {0xEF, 0xBB, 0xBF}))
    return Utf16ToUtf8(Utf8ToUtf16(std::string(bytes.begin() + 3, bytes.end())));
  return Cp1252ToUtf8(std::string(bytes.begin(), bytes.end()));
}

std::vector<uint8_t> EncodeTextFile(const std::string& utf8) {
  const std::u16string units = Utf8ToUtf16(utf8);
  std::vector<uint8_t> out{0xFF, 0xFE};
  out.reserve(2 + units.size() * 2 + units.size() / 16);
  auto put = [&out](char16_t unit) {
    out.push_back(uint8_t(unit & 0xFF));
    out.push_back(uint8_t(unit >> 8));
  };
  for (size_t i = 0; i < units.size(); ++i) {
    const char16_t unit = units[i];
    if (unit == u'\r' || unit == u'\n') {
      put(u'\r');
      put(u'\n');
      if (unit == u'\r' && i + 1 < units.size() && units[i + 1] == u'\n') ++i;
    } else {
      put(unit);
    }
  }
  return out;
}

void WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  std::random_device entropy;
  std::filesystem::path temporary = path;
  temporary += ".tmp" + std::to_string(entropy());
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) throw FileError(path.string() + ": cannot create a file in its folder");
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::filesystem::remove(temporary);
      throw FileError(path.string() + ": write error");
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::filesystem::remove(temporary);
    throw FileError(path.string() + ": cannot replace the file: " + error.message());
  }
}

}  // namespace orvanta
