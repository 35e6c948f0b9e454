#include "export/site_zip.h"

#include <zip.h>

#include <memory>
#include <system_error>

#include "platform/errors.h"

namespace orvanta {

namespace fs = std::filesystem;

namespace {

constexpr uintmax_t kLargeFileBytes = uintmax_t{1} << 20;

struct TArchiveDiscard {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};

std::string ZipProblem(zip_t* archive) { return zip_strerror(archive); }

// The name inside the archive: the path below the folder with "/" between its parts.
std::string EntryName(const fs::path& root, const fs::path& file) {
  const fs::path relative = fs::weakly_canonical(file).lexically_relative(root);
  if (relative.empty() || *relative.begin() == "..")
    throw FileError(file.string() + " is not inside " + root.string());
  return relative.generic_string();
}

void AddFile(zip_t* archive, const fs::path& root, const fs::path& file) {
  const std::string name = EntryName(root, file);
  zip_source_t* source = zip_source_file(archive, file.c_str(), 0, -1);
  if (!source) throw FileError("cannot store " + name + " in the archive: " + ZipProblem(archive));
  const zip_int64_t index =
      zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
  if (index < 0) {
    zip_source_free(source);
    throw FileError("cannot store " + name + " in the archive: " + ZipProblem(archive));
  }
  // The player's WebAssembly is most of every site (two files of 14 MB): the fastest level
  // packs it within a few percent of the default at a fraction of the time, which counts in a
  // batch of many variants.
  if (fs::file_size(file) > kLargeFileBytes)
    zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
}

}  // namespace

void ZipSiteFiles(const fs::path& folder, const std::vector<fs::path>& files,
                  const fs::path& archive) {
  const fs::path root = fs::weakly_canonical(folder);
  const fs::path partial = archive.string() + ".partial";
  int error = 0;
  std::unique_ptr<zip_t, TArchiveDiscard> zip(
      zip_open(partial.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error));
  if (!zip) {
    zip_error_t details;
    zip_error_init_with_code(&details, error);
    const std::string message = zip_error_strerror(&details);
    zip_error_fini(&details);
    throw FileError("cannot create " + archive.string() + ": " + message);
  }
  for (const fs::path& file : files) AddFile(zip.get(), root, file);
  // The sources are read here, while the archive is written.
  if (zip_close(zip.get()) != 0) {
    const std::string message = ZipProblem(zip.get());
    std::error_code ignored;
    fs::remove(partial, ignored);
    throw FileError("cannot write " + archive.string() + ": " + message);
  }
  zip.release();
  std::error_code renamed;
  fs::rename(partial, archive, renamed);
  if (renamed) {
    const std::string message = renamed.message();
    fs::remove(partial, renamed);
    throw FileError("cannot write " + archive.string() + ": " + message);
  }
}

}  // namespace orvanta
