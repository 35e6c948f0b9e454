#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "project/catalogue.h"

namespace orvanta {

class TTemplatePack;

// The catalogue the editor reads once at start-up, shared with the requests that show it while
// and after it is read.
class TCatalogueService {
 public:
  // Reads the catalogue, publishing each progress text as it goes. With the template pack, the
  // gallery entries the data root has no picture for get one drawn from their preview movies.
  void Read(const TDataRoot& data, const TTemplatePack* templates);

  // {"text": the last progress text, "ready": whether the reading is done}.
  nlohmann::json Progress() const;
  // Every list with its entries; an entry's thumbnail is fetched by list name and position.
  nlohmann::json Lists() const;
  // The entry's picture as PNG; FileError when it has none or does not exist.
  std::vector<uint8_t> ThumbnailPng(const std::string& list, int entry) const;
  // The data-root name of the project a sample entry opens; FileError for no such sample.
  std::string SampleProject(const std::string& list, int entry) const;

 private:
  std::shared_ptr<const TCatalogue> Current() const;
  const TCatalogueEntry& Entry(const TCatalogue& catalogue, const std::string& list,
                               int entry) const;

  mutable std::mutex lock_;
  std::string progress_ = "Reading Templates ...";
  std::shared_ptr<const TCatalogue> catalogue_;
};

}  // namespace orvanta
