#include "project/html_images.h"

#include <cctype>
#include <fstream>

#include "platform/data_root.h"
#include "platform/errors.h"

namespace orvanta {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string PercentDecoded(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() &&
        std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
      out += char(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// JPEG, PNG, GIF or BMP by the first bytes of the file.
bool IsPicture(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  char head[4] = {};
  in.read(head, sizeof head);
  const std::string h(head, size_t(in.gcount()));
  return h.starts_with("\xFF\xD8\xFF") || h.starts_with("\x89PNG") || h.starts_with("GIF8") ||
         h.starts_with("BM");
}

// What a src names on this machine.
struct TLocalReference {
  bool NamesLocalFile = false;  // a path or a file:// URL, as opposed to a web address
  fs::path Picture;             // the picture it names; empty when there is none
};
TLocalReference LocalPicture(const std::string& src, const TDataRoot& data) {
  std::string name = src;
  TLocalReference ref;
  if (Lower(name).starts_with("file://")) {
    name = PercentDecoded(name.substr(7));
    ref.NamesLocalFile = true;
  }
  fs::path found;
  if (fs::path(name).is_absolute()) {
    found = name;
    ref.NamesLocalFile = true;
  } else if (name.find("://") == std::string::npos) {
    for (const char* folder : {"photos\\", "mc_thumb\\html\\_default\\"}) {
      try {
        if (auto hit = data.Find(folder + name)) {
          found = *hit;
          break;
        }
      } catch (const Error&) {
        // A name that climbs out of the data root names no data file.
      }
    }
  }
  std::error_code ec;
  if (!found.empty() && fs::is_regular_file(found, ec) && IsPicture(found)) ref.Picture = found;
  return ref;
}

// Where the value of an <img> tag's src attribute stands in the text. A plain scan, linear in
// the text whatever the user's markup holds.
struct TSourceValue {
  size_t At = 0, Length = 0;
};
std::vector<TSourceValue> ImageSources(const std::string& html) {
  const std::string lower = Lower(html);
  std::vector<TSourceValue> found;
  // Each search stays inside one tag and the next tag is looked for after its end, so no
  // character is scanned more than a few times.
  for (size_t tag = lower.find("<img"), end; tag != std::string::npos;
       tag = lower.find("<img", end)) {
    end = lower.find('>', tag);
    if (end == std::string::npos) break;
    const std::string_view text = std::string_view(lower).substr(tag, end - tag);
    auto space = [&](size_t i) {
      return i < text.size() && std::isspace(static_cast<unsigned char>(text[i]));
    };
    for (size_t at = 4; (at = text.find("src", at)) != std::string_view::npos; at += 3) {
      if (!space(at - 1)) continue;
      size_t i = at + 3;
      while (space(i)) ++i;
      if (i >= text.size() || text[i] != '=') continue;
      do ++i;
      while (space(i));
      size_t from = i, to = i;
      if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
        from = i + 1;
        to = text.find(text[i], from);
        if (to == std::string_view::npos) break;
      } else {
        while (to < text.size() && !space(to)) ++to;
      }
      found.push_back({tag + from, to - from});
      break;
    }
  }
  return found;
}

std::string DistinctName(const fs::path& source, std::set<std::string>& used) {
  const std::string stem = source.stem().string(), extension = source.extension().string();
  std::string name = source.filename().string();
  for (int k = 2; used.contains(Lower(name)); ++k)
    name = stem + "_" + std::to_string(k) + extension;
  used.insert(Lower(name));
  return name;
}

}  // namespace

std::vector<std::string> ImageSourceValues(const std::string& html) {
  std::vector<std::string> values;
  for (const TSourceValue& src : ImageSources(html))
    values.push_back(html.substr(src.At, src.Length));
  return values;
}

fs::path LocalLayerPicture(const std::string& src, const TDataRoot& data) {
  return LocalPicture(src, data).Picture;
}

std::string UrlName(const std::string& name) {
  std::string out;
  for (unsigned char c : name) {
    if (std::isalnum(c) || std::string_view("-_.~!$*+,;=@").find(char(c)) != std::string::npos) {
      out += char(c);
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::string PublishLayerPictures(const std::string& html, const TDataRoot& data,
                                 std::vector<TLayerPicture>& pictures,
                                 std::set<std::string>& usedNames,
                                 std::vector<std::string>& unusable) {
  std::string out;
  size_t copied = 0;
  for (const TSourceValue& src : ImageSources(html)) {
    const std::string value = html.substr(src.At, src.Length);
    const TLocalReference ref = LocalPicture(value, data);
    if (ref.Picture.empty()) {
      if (ref.NamesLocalFile) unusable.push_back(value);
      continue;
    }
    const fs::path& source = ref.Picture;
    std::string fileName;
    for (const TLayerPicture& p : pictures)
      if (p.Source == source) fileName = p.FileName;
    if (fileName.empty()) {
      fileName = DistinctName(source, usedNames);
      pictures.push_back({source, fileName});
    }
    out.append(html, copied, src.At - copied);
    out += kLayerPictureFolder + UrlName(fileName);
    copied = src.At + src.Length;
  }
  out.append(html, copied);
  return out;
}

}  // namespace orvanta
