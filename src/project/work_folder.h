#pragma once

#include <filesystem>

namespace orvanta {

// The folder one running instance writes its preview files into. It is locked for as long as
// the object lives, so that a second instance never builds into it; the lock goes with the
// process, so a crash leaves no stale lock behind.
class TWorkFolder {
 public:
  // Creates the folder when needed; raises FileError when it is locked by another instance or
  // cannot be created.
  explicit TWorkFolder(std::filesystem::path folder);
  // A fresh folder of its own under the system's temporary folder.
  static TWorkFolder Fresh();
  TWorkFolder(TWorkFolder&& other) noexcept;
  TWorkFolder& operator=(TWorkFolder&&) = delete;
  ~TWorkFolder();

  const std::filesystem::path& Folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
  int lock_ = -1;
};

}  // namespace orvanta
