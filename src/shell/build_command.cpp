#include "shell/build_command.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <iostream>

#include "builders/standard_builders.h"
#include "platform/data_root.h"
#include "platform/errors.h"
#include "platform/template_pack.h"
#include "project/build_driver.h"
#include "project/work_folder.h"
#include "shell/command_options.h"
#include "shell/document_json.h"
#include "shell/embedded_templates.h"
#include "shell/project_commands.h"

namespace orvanta {

namespace {

nlohmann::json ReportJson(const TBuildReport& report, const TBannerDocument& doc,
                          const TWorkFolder& work) {
  nlohmann::json json{{"work", work.Folder().string()},
                      {"files", nlohmann::json::array()},
                      {"stages", nlohmann::json::array()}};
  for (const auto& file : report.Files) json["files"].push_back(file.string());
  json["warnings"] = WarningsJson(report.Warnings);
  json["content"] = ContentListJson(doc);
  for (const TStageTime& t : report.Times)
    json["stages"].push_back({{"stage", t.Stage}, {"ms", t.Milliseconds}});
  return json;
}

class TCommand : public TBuildCommand {
 public:
  explicit TCommand(CLI::App& app) {
    cmd_ = app.add_subcommand("build", "Build a page of a project into the preview files");
    cmd_->add_option("FILE", request_.Project, "Project file (.fls)")->required();
    cmd_->add_option("--page", request_.Page, "Page number (1 to 10)")->capture_default_str();
    AddWorkOption(*cmd_, request_.Work);
    AddDataRootOption(*cmd_, request_.DataRoot);
    AddSeedOption(*cmd_, request_.Seed);
    cmd_->add_option("--set", request_.Settings,
                     "Field settings NAME=VALUE, applied before building");
    cmd_->add_flag("--json", request_.Json, "Machine-readable result");
  }
  bool Selected() const override { return cmd_->parsed(); }
  int Run() override { return RunBuild(request_, std::cout, std::cerr); }

 private:
  CLI::App* cmd_ = nullptr;
  TBuildRequest request_;
};

}  // namespace

std::unique_ptr<TBuildCommand> AddBuildCommand(CLI::App& app) {
  return std::make_unique<TCommand>(app);
}

int RunBuild(const TBuildRequest& request, std::ostream& out, std::ostream& err) {
  try {
    const TDataRoot data(DataRootFolder(request.DataRoot));
    TLoadedProject project = LoadProjectPage(ProjectToRead(request.Project, data), request.Page);
    ApplyFieldAssignments(project.Document.Current, request.Page, request.Settings,
                          project.Warnings);
    const TWorkFolder work =
        request.Work.empty() ? TWorkFolder::Fresh() : TWorkFolder(request.Work);
    const TTemplatePack templates(EmbeddedTemplatePack());
    TBuildDriver driver(data, {work.Folder(), request.Seed});
    AddStandardBuilders(driver, templates);
    TBuildReport report = driver.Rebuild(project.Document, TRebuildOrigin::Command);
    report.Warnings.insert(report.Warnings.begin(), project.Warnings.begin(),
                           project.Warnings.end());
    if (request.Json) {
      out << ReportJson(report, project.Document, work).dump(1) << "\n";
      return 0;
    }
    for (const TWarning& w : report.Warnings) out << "warning: " << w.Text() << "\n";
    out << "built page " << request.Page << " of " << request.Project << " into "
        << work.Folder().string() << "\n";
    for (const auto& file : report.Files) out << "  " << file.filename().string() << "\n";
    return 0;
  } catch (const std::exception& e) {
    err << "orvanta: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace orvanta
