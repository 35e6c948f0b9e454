#include "shell/catalogue_service.h"

#include "platform/errors.h"
#include "shell/gallery_thumbnails.h"

namespace orvanta {

using nlohmann::json;

void TCatalogueService::Read(const TDataRoot& data, const TTemplatePack* templates) {
  TCatalogue catalogue = ReadCatalogue(data, [this](const std::string& text) {
    std::lock_guard guard(lock_);
    progress_ = text;
  });
  if (templates) DrawMissingThumbnails(catalogue, {data, *templates});
  auto shared = std::make_shared<const TCatalogue>(std::move(catalogue));
  std::lock_guard guard(lock_);
  catalogue_ = std::move(shared);
}

std::shared_ptr<const TCatalogue> TCatalogueService::Current() const {
  std::lock_guard guard(lock_);
  return catalogue_;
}

json TCatalogueService::Progress() const {
  std::lock_guard guard(lock_);
  return {{"text", progress_}, {"ready", catalogue_ != nullptr}};
}

json TCatalogueService::Lists() const {
  const auto catalogue = Current();
  if (!catalogue) return {{"ready", false}, {"lists", json::array()}};
  json lists = json::array();
  for (const TCatalogueList* list : catalogue->Lists()) {
    json entries = json::array();
    for (const TCatalogueEntry& e : list->Entries) {
      json entry{
          {"index", e.Index}, {"caption", e.Caption}, {"picture", !e.Thumbnail.Picture.Empty()}};
      if (!e.Project.empty()) entry.update({{"project", e.Project}, {"available", e.Available}});
      if (!e.Field.empty()) entry["field"] = e.Field;
      entries.push_back(entry);
    }
    lists.push_back({{"name", list->Name}, {"entries", entries}});
  }
  return {{"ready", true},
          {"lists", lists},
          {"clipCategories", catalogue->ClipCategories},
          {"clipsByCategory", catalogue->ClipsByCategory},
          {"problems", catalogue->Problems}};
}

const TCatalogueEntry& TCatalogueService::Entry(const TCatalogue& catalogue,
                                                const std::string& list, int entry) const {
  for (const TCatalogueList* l : catalogue.Lists())
    if (l->Name == list) {
      if (entry < 0 || entry >= int(l->Entries.size()))
        throw FileError("\"" + list + "\" has no entry " + std::to_string(entry));
      return l->Entries[entry];
    }
  throw FileError("no catalogue list is named \"" + list + "\"");
}

std::vector<uint8_t> TCatalogueService::ThumbnailPng(const std::string& list, int entry) const {
  const auto catalogue = Current();
  if (!catalogue) throw FileError("the catalogue is still being read");
  const TCatalogueEntry& e = Entry(*catalogue, list, entry);
  if (e.Thumbnail.Picture.Empty()) throw FileError("\"" + e.Caption + "\" has no picture");
  return EncodePNG(e.Thumbnail.Picture);
}

std::string TCatalogueService::SampleProject(const std::string& list, int entry) const {
  const auto catalogue = Current();
  if (!catalogue) throw FileError("the catalogue is still being read");
  const TCatalogueEntry& e = Entry(*catalogue, list, entry);
  if (e.Project.empty()) throw FileError("\"" + e.Caption + "\" is not a sample project");
  return e.Project;
}

}  // namespace orvanta
