#include "builders/clips/own_movie.h"

#include <filesystem>

#include "builders/common/sprite_import.h"
#include "media/flash_external_movie.h"
#include "media/swf_reader.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "swf/tag_codes.h"
#include "swf/tags_control.h"

namespace orvanta {

namespace {

constexpr const char* kField = "PageEffect_filename1";
// DoABC without flags, which the tag-code table does not name.
constexpr uint16_t kDoABCDefine = 72;

bool IsScriptTag(uint16_t code) {
  return code == kDoABCDefine || code == ToCode(TTagCode::DoABC) ||
         code == ToCode(TTagCode::SymbolClass);
}

bool DeclaresActionScript3(const TSWFStreamReader& reader) {
  for (const auto& info : reader.TagList) {
    if (IsScriptTag(info->StoredCode())) return true;
    if (auto* attributes = dynamic_cast<const TSWFFileAttributes*>(info->TagObject()))
      if (attributes->ActionScript3) return true;
  }
  return false;
}

}  // namespace

TFlashExternalMovie* ImportOwnMovie(TFlashMovie& movie, const std::string& fileName,
                                    TBuildContext& context) {
  if (fileName.empty() || fileName == "None") return nullptr;
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path path(fileName);
  if (!fs::is_regular_file(path, ec)) {
    context.Warn(kField, fileName + " file not found !");
    return nullptr;
  }
  const uintmax_t size = fs::file_size(path, ec);
  if (ec || size > TSWFStreamReader::kMaxFileLength) {
    context.Warn(kField, fileName + " is too large for a SWF movie (" +
                             std::to_string(TSWFStreamReader::kMaxFileLength >> 20) +
                             " MB at most)");
    return nullptr;
  }
  std::vector<uint8_t> bytes;
  try {
    bytes = ReadWholeFile(fileName);
  } catch (const Error& e) {
    context.Warn(kField, e.what());
    return nullptr;
  }
  TFlashExternalMovie* own = ImportSprite(movie, bytes, fileName, context, kField);
  if (own && DeclaresActionScript3(own->Reader())) {
    context.Warn(kField, fileName +
                             " is an ActionScript 3 movie: it shows, but its scripts cannot run "
                             "in the banner");
    own->OnWriteTag = [](TSWFObject& tag, bool& write) {
      if (IsScriptTag(tag.TagID)) write = false;
    };
  }
  return own;
}

}  // namespace orvanta
