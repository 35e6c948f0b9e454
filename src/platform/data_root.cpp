#include "platform/data_root.h"

#include <system_error>

#include "platform/errors.h"
#include "platform/template_pack.h"

namespace orvanta {

namespace fs = std::filesystem;

namespace {

// The entry of Folder whose name equals Part without regard to case; the exact spelling wins.
std::optional<fs::path> FindEntry(const fs::path& folder, const std::string& part) {
  std::error_code ec;
  fs::path exact = folder / part;
  if (fs::exists(exact, ec)) return exact;
  const std::string folded = FoldName(part);
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (FoldName(it->path().filename().string()) == folded) return it->path();
  return std::nullopt;
}

}  // namespace

std::string NormaliseStoredName(std::string_view storedName) {
  std::string name(storedName);
  for (char& c : name)
    if (c == '\\') c = '/';
  if (name.empty()) throw Error("empty data file name");
  if (name.front() == '/' || (name.size() > 1 && name[1] == ':'))
    throw Error("data file name \"" + std::string(storedName) + "\" is not relative");
  for (const fs::path& part : fs::path(name))
    if (part == "..")
      throw Error("data file name \"" + std::string(storedName) + "\" leaves the data folder");
  return name;
}

TDataRoot::TDataRoot(fs::path folder) : folder_(std::move(folder)) {
  std::error_code ec;
  if (!fs::is_directory(folder_, ec))
    throw FileError("data root " + folder_.string() + " is not a folder");
}

fs::path TDataRoot::BesideExecutable() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) throw FileError("cannot find the running executable: " + ec.message());
  return exe.parent_path() / "data";
}

std::optional<fs::path> TDataRoot::Find(std::string_view storedName) const {
  fs::path current = folder_;
  for (const fs::path& part : fs::path(NormaliseStoredName(storedName))) {
    if (part.empty() || part == ".") continue;
    std::optional<fs::path> next = FindEntry(current, part.string());
    if (!next) return std::nullopt;
    current = *next;
  }
  return current;
}

fs::path TDataRoot::Require(std::string_view storedName) const {
  std::optional<fs::path> found = Find(storedName);
  if (!found)
    throw FileError("data file \"" + std::string(storedName) + "\" not found in " +
                    folder_.string());
  return *found;
}

}  // namespace orvanta
