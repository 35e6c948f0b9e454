#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/template_pack.h"

namespace orvanta::artwork {

// Where the families put what they make: templates for the pack and files for the data root.
// Families may run on several threads at once; what they add is ordered by name when written,
// so the output does not depend on which family finished first.
class TArtworkOutput {
 public:
  void AddTemplate(const std::string& family, std::string name, std::vector<uint8_t> swf);
  // Path relative to the data root, with "/".
  void AddDataFile(std::string path, std::vector<uint8_t> bytes);

  size_t TemplateCount() const { return pack_.Count(); }
  // The bytes added under the path; raises Error when none were.
  const std::vector<uint8_t>& DataFile(const std::string& path) const;
  std::vector<uint8_t> PackBytes() const { return pack_.Bytes(); }
  // Writes every data file under root, leaving files whose bytes are already right untouched
  // (so that their times do not change), then the pack.
  void Write(const std::filesystem::path& packFile, const std::filesystem::path& root) const;

 private:
  mutable std::mutex mutex_;
  TTemplatePackWriter pack_;
  std::map<std::string, std::vector<uint8_t>> dataFiles_;
};

// Writes the bytes to the file unless it already holds exactly them.
void WriteIfChanged(const std::filesystem::path& file, const std::vector<uint8_t>& bytes);

}  // namespace orvanta::artwork
