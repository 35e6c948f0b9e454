#include "artwork_output.h"

#include <fstream>
#include <iterator>

#include "platform/errors.h"

namespace orvanta::artwork {

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& file, const std::vector<uint8_t>& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw FileError("cannot write " + file.string());
}

}  // namespace

void TArtworkOutput::AddTemplate(const std::string& family, std::string name,
                                 std::vector<uint8_t> swf) {
  std::lock_guard lock(mutex_);
  pack_.Add(std::move(name), family, std::move(swf));
}

void TArtworkOutput::AddDataFile(std::string path, std::vector<uint8_t> bytes) {
  std::lock_guard lock(mutex_);
  if (!dataFiles_.emplace(path, std::move(bytes)).second)
    throw Error("data file \"" + path + "\" is made twice");
}

const std::vector<uint8_t>& TArtworkOutput::DataFile(const std::string& path) const {
  std::lock_guard lock(mutex_);
  auto found = dataFiles_.find(path);
  if (found == dataFiles_.end()) throw Error("no data file \"" + path + "\"");
  return found->second;
}

void WriteIfChanged(const fs::path& file, const std::vector<uint8_t>& bytes) {
  std::ifstream in(file, std::ios::binary);
  if (in && std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                 std::istreambuf_iterator<char>()) == bytes)
    return;
  in.close();
  WriteFile(file, bytes);
}

void TArtworkOutput::Write(const fs::path& packFile, const fs::path& root) const {
  std::lock_guard lock(mutex_);
  for (const auto& [path, bytes] : dataFiles_) WriteIfChanged(root / path, bytes);
  // Always rewritten: the build compares the pack's time with the generator's.
  WriteFile(packFile, pack_.Bytes());
}

}  // namespace orvanta::artwork
