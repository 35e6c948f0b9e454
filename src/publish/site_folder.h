#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace orvanta {

// The folder a site is published into. Every write is resolved first (links included) and
// refused unless it lands inside the folder. A failed write is recorded with its reason and
// the publish goes on; what was written is recorded in writing order.
class TSiteFolder {
 public:
  // Creates the folder; raises FileError when it cannot.
  TSiteFolder(const std::filesystem::path& folder, std::vector<std::filesystem::path>& written,
              std::vector<std::string>& missing);

  // Relative names use "/" between folders; missing folders are created.
  void Write(const std::string& name, std::span<const uint8_t> bytes);
  void Copy(const std::filesystem::path& source, const std::string& name);
  // Every file below source, keeping its folders.
  void CopyFolder(const std::filesystem::path& source, const std::string& name);

 private:
  // The checked target, or empty after recording why it cannot be written.
  std::filesystem::path Target(const std::string& name);

  std::filesystem::path root_;
  std::vector<std::filesystem::path>& written_;
  std::vector<std::string>& missing_;
};

}  // namespace orvanta
