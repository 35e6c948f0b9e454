#include "project/page_file_name.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace orvanta {

namespace {

bool EndsWith(std::string_view text, std::string_view tail) {
  if (text.size() < tail.size()) return false;
  return std::equal(tail.rbegin(), tail.rend(), text.rbegin(), [](char a, char b) {
    return a == std::tolower(static_cast<unsigned char>(b));
  });
}

}  // namespace

std::string SafePageFileName(std::string_view name, bool* changed) {
  std::string clean;
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F || std::string_view(":*?\"<>|/\\").find(c) != std::string_view::npos)
      continue;
    clean += c;
  }
  // Removing one ".." can join two dots into another, so repeat until none is left.
  for (size_t at; (at = clean.find("..")) != std::string::npos;) clean.erase(at, 2);
  while (!clean.empty() && (clean.front() == ' ' || clean.front() == '.')) clean.erase(0, 1);
  // A trailing dot would make ".." again once the ending is appended.
  while (!clean.empty() && clean.back() == '.') clean.pop_back();
  if (clean.empty()) clean = "index.html";
  if (!EndsWith(clean, ".html") && !EndsWith(clean, ".htm")) clean += ".html";
  const std::string_view base = std::string_view(clean).substr(0, clean.rfind('.'));
  if (base.size() == 6 && EndsWith(base, "images")) clean.insert(base.size(), "_page");
  if (changed) *changed = clean != name;
  return clean;
}

}  // namespace orvanta
