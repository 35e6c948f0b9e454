#pragma once

#include <filesystem>
#include <optional>

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
  // The given folder, or when none is given a fresh one that is removed, with everything left
  // in it, when this object goes: for commands whose work files are only a means.
  static TWorkFolder GivenOrScratch(const std::filesystem::path& folder);
  // The folder of one running editor: the first of $XDG_DATA_HOME/orvanta/work/1, 2, ... (the
  // data home defaulting to ~/.local/share) that no other instance holds, so that a restarted
  // instance finds the folder it used before.
  static TWorkFolder ForInstance();
  // The folder holding every instance's folder.
  static std::filesystem::path InstancesFolder();
  TWorkFolder(TWorkFolder&& other) noexcept;
  TWorkFolder& operator=(TWorkFolder&& other) noexcept;
  ~TWorkFolder();

  const std::filesystem::path& Folder() const { return folder_; }

 private:
  TWorkFolder() = default;
  // None when another instance holds the folder.
  static std::optional<TWorkFolder> TryLock(std::filesystem::path folder);
  // Unlocks the folder, and removes it when it is scratch.
  void Release();

  std::filesystem::path folder_;
  int lock_ = -1;
  bool scratch_ = false;
};

}  // namespace orvanta
