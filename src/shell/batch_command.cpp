#include "shell/batch_command.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>

#include "batch/batch_runner.h"
#include "batch/feed_csv.h"
#include "batch/feed_variants.h"
#include "export/page_build.h"
#include "platform/data_root.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "publish/publisher.h"
#include "shell/command_options.h"
#include "shell/embedded_templates.h"
#include "shell/project_commands.h"

namespace orvanta {

namespace fs = std::filesystem;

namespace {

class TCommand : public TShellCommand {
 public:
  explicit TCommand(CLI::App& app) {
    cmd_ = app.add_subcommand(
        "batch",
        "Publish one variant of a page per row of a CSV feed: the column \"output\" names each "
        "row's folder, every other column is a field (or InputText, Photos) set on the page");
    cmd_->add_option("FILE", request_.Project, "Project file (.fls) of the design")->required();
    cmd_->add_option("--feed", request_.Feed, "CSV file, one variant per row")->required();
    cmd_->add_option("--to", request_.Folder, "Folder the variants are written into")->required();
    cmd_->add_option("--page", request_.Page, "Page number (1 to 10)")->capture_default_str();
    cmd_->add_option("--jobs", request_.Jobs, "Rows built at once, each in its own process")
        ->capture_default_str()
        ->check(CLI::Range(1, 64));
    cmd_->add_option("--shard", shard_,
                     "K/N: build only every N-th row from the K-th, so N machines share a feed")
        ->check([](const std::string& text) {
          return text.find('/') == std::string::npos ? "--shard takes K/N" : "";
        });
    cmd_->add_flag("--zip", request_.Zip, "Also write each variant as OUTPUT.zip");
    cmd_->add_flag("--backup", request_.Backup,
                   "Also write each variant's JPEG backup image (OUTPUT.jpg with --zip, else "
                   "backup.jpg in its folder)");
    cmd_->add_option("--max-kb", maxKilobytes_, "Size limit of the backup images")
        ->check(CLI::PositiveNumber);
    AddDataRootOption(*cmd_, request_.DataRoot);
    AddSeedOption(*cmd_, request_.Seed);
  }
  bool Selected() const override { return cmd_->parsed(); }
  int Run() override {
    if (cmd_->count("--max-kb")) request_.BackupMaxKilobytes = maxKilobytes_;
    if (!shard_.empty()) {
      const size_t slash = shard_.find('/');
      try {
        request_.Shard = std::stoi(shard_.substr(0, slash));
        request_.Shards = std::stoi(shard_.substr(slash + 1));
      } catch (const std::exception&) {
        throw Error("--shard takes K/N, not \"" + shard_ + "\"");
      }
    }
    return RunBatchCommand(request_, std::cout, std::cerr);
  }

 private:
  CLI::App* cmd_ = nullptr;
  TBatchRequest request_;
  std::string shard_;
  int maxKilobytes_ = 0;
};

TRowOutcome PublishVariant(const TBatchRequest& request, const std::string& projectFile,
                           const TDataRoot& data, const TTemplatePack& templates,
                           const std::optional<fs::path>& packedPlayer, const TVariant& variant) {
  TLoadedProject project = LoadProjectPage(projectFile, request.Page);
  ApplyFieldAssignments(project.Document.Current, request.Page, variant.Settings, project.Warnings);
  const fs::path folder = fs::path(request.Folder) / variant.Output;
  const TWorkFolder work = TWorkFolder::GivenOrScratch({});
  const TPublishResult result =
      PublishPage(project.Document, request.Page, data, templates,
                  {folder, work.Folder(), TPublishMode::CurrentPage, request.Seed, false});
  if (!result.Complete()) return {false, result.Summary()};
  TPackageOptions package;
  if (request.Zip) package.Zip = fs::path(request.Folder) / (variant.Output + ".zip");
  package.Backup = request.Backup;
  package.BackupMaxKilobytes = request.BackupMaxKilobytes;
  package.Packed = packedPlayer;
  PackagePublishedPage(folder, result.Files, work.Folder(), package);
  const size_t warnings = project.Warnings.size() + result.Warnings.size();
  return {true, warnings ? std::to_string(warnings) + " warning(s)" : ""};
}

}  // namespace

std::unique_ptr<TShellCommand> AddBatchCommand(CLI::App& app) {
  return std::make_unique<TCommand>(app);
}

int RunBatchCommand(const TBatchRequest& request, std::ostream& out, std::ostream& err) {
  try {
    const std::vector<uint8_t> bytes = ReadWholeFile(request.Feed);
    const TFeedTable feed =
        ReadFeed(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    const std::vector<TVariant> variants =
        ShardOf(CheckVariants(feed), request.Shard, request.Shards);
    const TDataRoot data(DataRootFolder(request.DataRoot));
    const std::string projectFile = ProjectToRead(request.Project, data);
    LoadProjectPage(projectFile, request.Page);  // a design that cannot load fails once
    const TTemplatePack templates(EmbeddedTemplatePack());
    fs::create_directories(request.Folder);
    // Every archive carries the same player; it is deflated once here.
    const TWorkFolder scratch = TWorkFolder::GivenOrScratch({});
    const std::optional<fs::path> packedPlayer =
        request.Zip ? PackPlayer(data.Folder(), scratch.Folder() / "player.zip") : std::nullopt;
    out << "building " << variants.size() << " variant(s) of page " << request.Page << " of "
        << request.Project << " into " << request.Folder << " with " << request.Jobs << " job(s)\n";
    const TBatchSummary summary = RunBatch(
        variants, request.Jobs,
        [&](const TVariant& v) {
          return PublishVariant(request, projectFile, data, templates, packedPlayer, v);
        },
        out);
    out << "built " << summary.Built << " of " << variants.size() << " in " << summary.Seconds
        << " s (" << summary.BannersPerSecond() << " banners/s)";
    if (summary.Failed == 0) {
      out << "\n";
      return 0;
    }
    out << "; " << summary.Failed << " failed:\n";
    for (const std::string& failure : summary.Failures) out << "  " << failure << "\n";
    return 1;
  } catch (const std::exception& e) {
    err << "orvanta: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace orvanta
