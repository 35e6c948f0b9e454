#include "project/work_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "platform/errors.h"

namespace orvanta {

namespace fs = std::filesystem;

namespace {

// More instances than anyone runs at once; past it something is wrong with the folders.
constexpr int kMaxInstances = 64;

}  // namespace

std::optional<TWorkFolder> TWorkFolder::TryLock(fs::path folder) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec)
    throw FileError("cannot create the working folder " + folder.string() + ": " + ec.message());
  TWorkFolder work;
  work.folder_ = std::move(folder);
  const fs::path lockPath = work.folder_ / ".lock";
  work.lock_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (work.lock_ < 0) throw FileError("cannot open " + lockPath.string());
  if (::flock(work.lock_, LOCK_EX | LOCK_NB) != 0) return std::nullopt;
  return work;
}

TWorkFolder::TWorkFolder(fs::path folder) {
  std::optional<TWorkFolder> work = TryLock(folder);
  if (!work)
    throw FileError("the working folder " + folder.string() + " is in use by another instance");
  *this = std::move(*work);
}

fs::path TWorkFolder::InstancesFolder() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome && *dataHome) return fs::path(dataHome) / "orvanta" / "work";
  const char* home = std::getenv("HOME");
  if (!home || !*home) throw FileError("neither XDG_DATA_HOME nor HOME is set");
  return fs::path(home) / ".local" / "share" / "orvanta" / "work";
}

TWorkFolder TWorkFolder::ForInstance() {
  const fs::path instances = InstancesFolder();
  for (int instance = 1; instance <= kMaxInstances; ++instance)
    if (std::optional<TWorkFolder> work = TryLock(instances / std::to_string(instance)))
      return std::move(*work);
  throw FileError("every working folder under " + instances.string() + " is in use");
}

TWorkFolder TWorkFolder::Fresh() {
  std::string pattern = (fs::temp_directory_path() / "orvanta-work-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw FileError("cannot create a temporary working folder");
  return TWorkFolder(pattern);
}

TWorkFolder TWorkFolder::GivenOrScratch(const fs::path& folder) {
  if (!folder.empty()) return TWorkFolder(folder);
  TWorkFolder work = Fresh();
  work.scratch_ = true;
  return work;
}

TWorkFolder::TWorkFolder(TWorkFolder&& other) noexcept
    : folder_(std::move(other.folder_)),
      lock_(std::exchange(other.lock_, -1)),
      scratch_(std::exchange(other.scratch_, false)) {}

TWorkFolder& TWorkFolder::operator=(TWorkFolder&& other) noexcept {
  if (this != &other) {
    Release();
    folder_ = std::move(other.folder_);
    lock_ = std::exchange(other.lock_, -1);
    scratch_ = std::exchange(other.scratch_, false);
  }
  return *this;
}

TWorkFolder::~TWorkFolder() {
  Release();
}

void TWorkFolder::Release() {
  if (lock_ >= 0) ::close(lock_);
  lock_ = -1;
  if (scratch_) {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
    scratch_ = false;
  }
}

}  // namespace orvanta
