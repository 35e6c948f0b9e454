#include "project/work_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/errors.h"

namespace orvanta {

namespace fs = std::filesystem;

TWorkFolder::TWorkFolder(fs::path folder) : folder_(std::move(folder)) {
  std::error_code ec;
  fs::create_directories(folder_, ec);
  if (ec)
    throw FileError("cannot create the working folder " + folder_.string() + ": " + ec.message());
  const fs::path lockPath = folder_ / ".lock";
  lock_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (lock_ < 0) throw FileError("cannot open " + lockPath.string());
  if (::flock(lock_, LOCK_EX | LOCK_NB) != 0) {
    ::close(lock_);
    throw FileError("the working folder " + folder_.string() + " is in use by another instance");
  }
}

TWorkFolder TWorkFolder::Fresh() {
  std::string pattern = (fs::temp_directory_path() / "orvanta-work-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw FileError("cannot create a temporary working folder");
  return TWorkFolder(pattern);
}

TWorkFolder::TWorkFolder(TWorkFolder&& other) noexcept
    : folder_(std::move(other.folder_)), lock_(other.lock_) {
  other.lock_ = -1;
}

TWorkFolder::~TWorkFolder() {
  if (lock_ >= 0) ::close(lock_);
}

}  // namespace orvanta
