#include "shell/publish_command.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <chrono>
#include <iostream>
#include <map>

#include "platform/data_root.h"
#include "platform/template_pack.h"
#include "project/work_folder.h"
#include "publish/publisher.h"
#include "shell/command_options.h"
#include "shell/embedded_templates.h"
#include "shell/project_commands.h"

namespace orvanta {

namespace {

nlohmann::json ResultJson(const TPublishResult& result, double milliseconds) {
  nlohmann::json json{{"files", nlohmann::json::array()},
                      {"warnings", nlohmann::json::array()},
                      {"missing", result.Missing},
                      {"ms", milliseconds}};
  for (const auto& file : result.Files) json["files"].push_back(file.string());
  for (const TWarning& w : result.Warnings)
    json["warnings"].push_back({{"page", w.Page}, {"field", w.Field}, {"message", w.Message}});
  return json;
}

class TCommand : public TPublishCommand {
 public:
  explicit TCommand(CLI::App& app) {
    cmd_ = app.add_subcommand("publish", "Publish a page of a project as a web site");
    cmd_->add_option("FILE", request_.Project, "Project file (.fls)")->required();
    cmd_->add_option("--to", request_.Folder, "Folder the site is written into")->required();
    auto* page =
        cmd_->add_option("--page", request_.Page, "Page number (1 to 10)")->capture_default_str();
    cmd_->add_flag("--all", request_.AllPages, "Every page of the project")->excludes(page);
    cmd_->add_option("--mode", mode_,
                     "current: movie and pictures in images/; all-media: one movie holding the "
                     "background")
        ->transform(CLI::CheckedTransformer(
            std::map<std::string, bool>{{"current", false}, {"all-media", true}}))
        ->capture_default_str();
    AddWorkOption(*cmd_, request_.Work);
    AddDataRootOption(*cmd_, request_.DataRoot);
    AddSeedOption(*cmd_, request_.Seed);
    cmd_->add_option("--set", request_.Settings,
                     "Field settings NAME=VALUE, applied to the page before publishing");
    cmd_->add_flag("--json", request_.Json, "Machine-readable result");
    cmd_->add_option("--zip", zip_, "Also write the published files as one ZIP archive");
    cmd_->add_flag("--backup", request_.Package.Backup,
                   "Also write a JPEG backup image: beside the archive (OUT.jpg), else in the "
                   "folder as backup.jpg")
        ->excludes("--all");
    cmd_->add_option("--max-kb", maxKilobytes_, "Size limit of the backup image")
        ->check(CLI::PositiveNumber);
  }
  bool Selected() const override { return cmd_->parsed(); }
  int Run() override {
    request_.AllMedia = mode_;
    if (!zip_.empty()) request_.Package.Zip = zip_;
    if (cmd_->count("--max-kb")) request_.Package.BackupMaxKilobytes = maxKilobytes_;
    return RunPublish(request_, std::cout, std::cerr);
  }

 private:
  CLI::App* cmd_ = nullptr;
  TPublishRequest request_;
  bool mode_ = false;
  std::string zip_;
  int maxKilobytes_ = 0;
};

}  // namespace

std::unique_ptr<TPublishCommand> AddPublishCommand(CLI::App& app) {
  return std::make_unique<TCommand>(app);
}

int RunPublish(const TPublishRequest& request, std::ostream& out, std::ostream& err) {
  try {
    const TDataRoot data(DataRootFolder(request.DataRoot));
    TLoadedProject project =
        LoadProjectPage(ProjectToRead(request.Project, data), request.AllPages ? 1 : request.Page);
    ApplyFieldAssignments(project.Document.Current, project.Document.CurrentPage(),
                          request.Settings, project.Warnings);
    const TWorkFolder work = TWorkFolder::GivenOrScratch(request.Work);
    TPublishOptions options{request.Folder, work.Folder(),
                            request.AllMedia ? TPublishMode::AllMedia : TPublishMode::CurrentPage,
                            request.Seed, !request.Work.empty()};
    const TTemplatePack templates(EmbeddedTemplatePack());
    const auto start = std::chrono::steady_clock::now();
    TPublishResult result =
        request.AllPages ? PublishAllPages(project.Document, data, templates, options)
                         : PublishPage(project.Document, request.Page, data, templates, options);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    result.Warnings.insert(result.Warnings.begin(), project.Warnings.begin(),
                           project.Warnings.end());
    if (result.Complete())
      for (const auto& file :
           PackagePublishedPage(request.Folder, result.Files, work.Folder(), request.Package))
        result.Files.push_back(file);
    if (request.Json) {
      out << ResultJson(result, ms).dump(1) << "\n";
    } else {
      for (const TWarning& w : result.Warnings) out << "warning: " << w.Text() << "\n";
      out << "published "
          << (request.AllPages ? "every page" : "page " + std::to_string(request.Page)) << " of "
          << request.Project << " into " << request.Folder << "\n";
      for (const auto& file : result.Files) out << "  " << file.string() << "\n";
    }
    if (!result.Complete()) {
      err << "orvanta: " << result.Summary() << "\n";
      return 1;
    }
    return 0;
  } catch (const std::exception& e) {
    err << "orvanta: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace orvanta
