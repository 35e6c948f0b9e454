#include "shell/catalogue_command.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <chrono>
#include <iostream>

#include "platform/data_root.h"
#include "project/catalogue.h"
#include "shell/command_options.h"

namespace orvanta {

namespace {

nlohmann::json EntryJson(const TCatalogueEntry& entry) {
  nlohmann::json json{{"index", entry.Index}, {"caption", entry.Caption}};
  const TCatalogueThumbnail& t = entry.Thumbnail;
  if (t.Picture.Empty())
    json["thumbnail"] = nullptr;
  else
    json["thumbnail"] = {{"file", t.File},
                         {"cell", t.Cell},
                         {"width", t.Picture.Width},
                         {"height", t.Picture.Height}};
  if (!entry.Project.empty())
    json.update({{"project", entry.Project}, {"available", entry.Available}});
  return json;
}

nlohmann::json CatalogueJson(const TCatalogue& catalogue, const std::vector<std::string>& progress,
                             double milliseconds) {
  nlohmann::json json{{"lists", nlohmann::json::array()},
                      {"clip_categories", catalogue.ClipCategories},
                      {"problems", catalogue.Problems},
                      {"progress", progress},
                      {"ms", milliseconds}};
  for (const TCatalogueList* list : catalogue.Lists()) {
    nlohmann::json entries = nlohmann::json::array();
    for (const TCatalogueEntry& entry : list->Entries) entries.push_back(EntryJson(entry));
    json["lists"].push_back({{"name", list->Name}, {"entries", std::move(entries)}});
  }
  return json;
}

std::string ThumbnailText(const TCatalogueThumbnail& t) {
  if (t.Picture.Empty()) return "(no picture)";
  std::string text = t.File;
  if (t.Cell >= 0) text += " cell " + std::to_string(t.Cell);
  return text + " " + std::to_string(t.Picture.Width) + "x" + std::to_string(t.Picture.Height);
}

void WriteText(const TCatalogue& catalogue, double milliseconds, std::ostream& out) {
  for (const TCatalogueList* list : catalogue.Lists()) {
    out << list->Name << " (" << list->Entries.size() << ")\n";
    for (const TCatalogueEntry& entry : list->Entries) {
      out << "  " << entry.Index << "\t" << entry.Caption << "\t" << ThumbnailText(entry.Thumbnail);
      if (!entry.Project.empty())
        out << "\t" << entry.Project << (entry.Available ? "" : " (missing)");
      out << "\n";
    }
  }
  out << "Clip categories (" << catalogue.ClipCategories.size() << ")\n";
  for (const std::string& category : catalogue.ClipCategories)
    out << "  " << category << "\t" << ClipsInCategory(category).size() << " clips\n";
  for (const std::string& problem : catalogue.Problems) out << "problem: " << problem << "\n";
  out << "read in " << milliseconds << " ms\n";
}

class TCommand : public TShellCommand {
 public:
  explicit TCommand(CLI::App& app) {
    cmd_ = app.add_subcommand("catalogue", "List what the editor offers from the program data");
    AddDataRootOption(*cmd_, request_.DataRoot);
    cmd_->add_flag("--json", request_.Json, "Machine-readable result");
  }
  bool Selected() const override { return cmd_->parsed(); }
  int Run() override { return RunCatalogue(request_, std::cout, std::cerr); }

 private:
  CLI::App* cmd_ = nullptr;
  TCatalogueRequest request_;
};

}  // namespace

std::unique_ptr<TShellCommand> AddCatalogueCommand(CLI::App& app) {
  return std::make_unique<TCommand>(app);
}

int RunCatalogue(const TCatalogueRequest& request, std::ostream& out, std::ostream& err) {
  try {
    const TDataRoot data(DataRootFolder(request.DataRoot));
    std::vector<std::string> progress;
    const auto start = std::chrono::steady_clock::now();
    const TCatalogue catalogue =
        ReadCatalogue(data, [&](const std::string& text) { progress.push_back(text); });
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (request.Json)
      out << CatalogueJson(catalogue, progress, ms).dump(1) << "\n";
    else
      WriteText(catalogue, ms, out);
    return 0;
  } catch (const std::exception& e) {
    err << "orvanta: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace orvanta
