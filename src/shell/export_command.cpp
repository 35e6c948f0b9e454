#include "shell/export_command.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <iostream>

#include "export/backup_image.h"
#include "export/banner_frames.h"
#include "export/page_build.h"
#include "platform/data_root.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "shell/command_options.h"
#include "shell/embedded_templates.h"
#include "shell/project_commands.h"

namespace orvanta {

namespace {

constexpr const char* kStillContent =
    "Scripts are not run, so what only a script changes stays as it is at the start: the "
    "slideshow's photo changes, the loading screen's progress, button roll-overs, the music "
    "control and mouse effects. The HTML text layers are not drawn.";

class TCommand : public TShellCommand {
 public:
  explicit TCommand(CLI::App& app) {
    cmd_ = app.add_subcommand(
        "export",
        std::string("Draw a page as a backup image or an animated GIF. ") + kStillContent);
    cmd_->add_option("FILE", request_.Project, "Project file (.fls)")->required();
    cmd_->add_option("--backup", request_.Backup,
                     "Backup image of one frame: OUT.png, OUT.jpg or OUT.gif");
    cmd_->add_option("--gif", request_.Gif,
                     "Animated GIF of the timeline up to the end of the headline");
    cmd_->add_option("--page", request_.Page, "Page number (1 to 10)")->capture_default_str();
    auto* frame = cmd_->add_option("--frame", frame_,
                                   "Frame of the backup image, from 1 (default: the end of the "
                                   "headline's animation)")
                      ->check(CLI::PositiveNumber);
    cmd_->add_flag("--last", request_.LastFrame, "The movie's last frame")->excludes(frame);
    cmd_->add_option("--max-kb", maxKilobytes_,
                     "Size limit of the backup image; a JPEG is written at the highest quality "
                     "that keeps within it")
        ->check(CLI::PositiveNumber);
    cmd_->add_option("--fps", request_.GifOptions.Fps,
                     "Frames per second of the GIF (default: the banner's own, at most 50)")
        ->check(CLI::PositiveNumber);
    cmd_->add_option("--max-seconds", request_.GifOptions.MaxSeconds,
                     "The GIF ends after this long")
        ->capture_default_str()
        ->check(CLI::PositiveNumber);
    cmd_->add_option("--loop", request_.GifOptions.Loops, "Times the GIF plays; 0 plays forever")
        ->capture_default_str()
        ->check(CLI::NonNegativeNumber);
    AddWorkOption(*cmd_, request_.Work);
    AddDataRootOption(*cmd_, request_.DataRoot);
    AddSeedOption(*cmd_, request_.Seed);
  }
  bool Selected() const override { return cmd_->parsed(); }
  int Run() override {
    if (cmd_->count("--frame")) request_.Frame = frame_;
    if (cmd_->count("--max-kb")) request_.MaxKilobytes = maxKilobytes_;
    return RunExport(request_, std::cout, std::cerr);
  }

 private:
  CLI::App* cmd_ = nullptr;
  TExportRequest request_;
  int frame_ = 1, maxKilobytes_ = 0;
};

void WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  TFileStream file(name, TFileStream::Mode::Create);
  file.WriteBuffer(bytes.data(), bytes.size());
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

std::unique_ptr<TShellCommand> AddExportCommand(CLI::App& app) {
  return std::make_unique<TCommand>(app);
}

int RunExport(const TExportRequest& request, std::ostream& out, std::ostream& err) {
  try {
    if (request.Backup.empty() && request.Gif.empty())
      throw Error("say what to write: --backup OUT.png|OUT.jpg|OUT.gif, --gif OUT.gif or both");
    std::optional<TPictureFormat> backupFormat;
    if (!request.Backup.empty() && !(backupFormat = PictureFormatOf(request.Backup)))
      throw Error("the backup image " + request.Backup + " must end in .png, .jpg or .gif");
    const TDataRoot data(DataRootFolder(request.DataRoot));
    TLoadedProject project = LoadProjectPage(ProjectToRead(request.Project, data), request.Page);
    const TWorkFolder work = TWorkFolder::GivenOrScratch(request.Work);
    const TTemplatePack templates(EmbeddedTemplatePack());
    const auto start = std::chrono::steady_clock::now();
    TBuildReport report =
        BuildPageFiles(project.Document, data, templates, work.Folder(), request.Seed);
    for (const TWarning& w : project.Warnings) out << "warning: " << w.Text() << "\n";
    for (const TWarning& w : report.Warnings) out << "warning: " << w.Text() << "\n";
    out << "built page " << request.Page << " of " << request.Project << " in "
        << SecondsSince(start) << " s\n";
    TBannerFrames frames(work.Folder());
    if (backupFormat) {
      const auto drawn = std::chrono::steady_clock::now();
      const int frame = TFrameChoice{request.Frame, request.LastFrame}.Resolve(frames);
      const TBackupImage image =
          EncodeBackupImage(frames.Render(frame), *backupFormat, request.MaxKilobytes);
      WriteFile(request.Backup, image.Bytes);
      out << "wrote " << request.Backup << " (" << frames.Width() << " x " << frames.Height()
          << ", frame " << frame << " of " << frames.FrameCount() << ", " << image.Bytes.size()
          << " bytes" << (image.Quality ? ", JPEG quality " + std::to_string(image.Quality) : "")
          << ", " << SecondsSince(drawn) << " s)\n";
    }
    if (!request.Gif.empty()) {
      const auto drawn = std::chrono::steady_clock::now();
      const TAnimatedGif gif = MakeAnimatedGif(frames, request.GifOptions);
      WriteFile(request.Gif, gif.Bytes);
      out << "wrote " << request.Gif << " (" << frames.Width() << " x " << frames.Height() << ", "
          << gif.DrawnFrames << " frames drawn, " << gif.StoredFrames << " stored, " << gif.Seconds
          << " s per play, " << gif.Bytes.size() << " bytes, " << SecondsSince(drawn)
          << " s to make)\n";
    }
    return 0;
  } catch (const std::exception& e) {
    err << "orvanta: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace orvanta
