#include "publish/site_folder.h"

#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/text_file.h"

namespace orvanta {

namespace fs = std::filesystem;

namespace {

bool Inside(const fs::path& root, const fs::path& target) {
  const fs::path relative = target.lexically_relative(root);
  return !relative.empty() && *relative.begin() != ".." && relative != ".";
}

}  // namespace

TSiteFolder::TSiteFolder(const fs::path& folder, std::vector<fs::path>& written,
                         std::vector<std::string>& missing)
    : written_(written), missing_(missing) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!fs::is_directory(folder, ec)) throw FileError("cannot create the folder " + folder.string());
  root_ = fs::weakly_canonical(folder);
}

fs::path TSiteFolder::Target(const std::string& name) {
  std::error_code ec;
  const fs::path target = fs::weakly_canonical(root_ / fs::path(name), ec);
  if (ec || !Inside(root_, target)) {
    missing_.push_back(name + ": outside the folder");
    return {};
  }
  fs::create_directories(target.parent_path(), ec);
  // A folder of the path that was a link out of the site is caught now that it exists.
  if (ec || !Inside(root_, fs::weakly_canonical(target, ec))) {
    missing_.push_back(name + ": cannot create its folder");
    return {};
  }
  return target;
}

void TSiteFolder::Write(const std::string& name, std::span<const uint8_t> bytes) {
  const fs::path target = Target(name);
  if (target.empty()) return;
  try {
    WriteFileAtomically(target, bytes);
    written_.push_back(target);
  } catch (const Error& e) {
    missing_.push_back(name + ": " + e.what());
  }
}

void TSiteFolder::Copy(const fs::path& source, const std::string& name) {
  std::error_code ec;
  if (!fs::is_regular_file(source, ec)) {
    missing_.push_back(name + ": " + source.filename().string() + " was not built");
    return;
  }
  try {
    Write(name, ReadWholeFile(source.string()));
  } catch (const Error& e) {
    missing_.push_back(name + ": " + e.what());
  }
}

void TSiteFolder::CopyFolder(const fs::path& source, const std::string& name) {
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(source, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
    if (it->is_regular_file(ec))
      Copy(it->path(), name + "/" + it->path().lexically_relative(source).generic_string());
  if (ec) missing_.push_back(name + "/: " + ec.message());
}

}  // namespace orvanta
