#include "shell/serve_command.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <iostream>

#include "builders/standard_builders.h"
#include "platform/template_pack.h"
#include "project/work_folder.h"
#include "shell/command_options.h"
#include "shell/editor_session.h"
#include "shell/embedded_templates.h"
#include "shell/server/editor_server.h"

extern char** environ;

namespace orvanta {

namespace {

namespace fs = std::filesystem;

struct TServeRequest {
  int Port = 0;
  bool NoBrowser = false;
  std::string DataRoot, Work;
};

// Hands the address to the desktop's browser; a machine without xdg-open just has no browser.
void OpenBrowser(const std::string& address) {
  char* argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(address.c_str()), nullptr};
  pid_t child = 0;
  int status = 0;
  const bool opened = posix_spawnp(&child, "xdg-open", nullptr, nullptr, argv, environ) == 0 &&
                      waitpid(child, &status, 0) == child && WIFEXITED(status) &&
                      WEXITSTATUS(status) == 0;
  if (!opened) std::cout << "open the address above in a browser" << std::endl;
}

int Serve(const TServeRequest& request) {
  // Blocked before any thread starts, so that Ctrl-C reaches the wait below and no server thread.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  const auto start = std::chrono::steady_clock::now();
  const fs::path dataRoot = DataRootFolder(request.DataRoot);
  const TWorkFolder work =
      request.Work.empty() ? TWorkFolder::ForInstance() : TWorkFolder(request.Work);
  const TTemplatePack templates(EmbeddedTemplatePack());
  const char* home = std::getenv("HOME");
  TEditorSession session(
      {dataRoot,
       work.Folder(),
       {{"home", home ? fs::path(home) : fs::current_path()}, {"data", dataRoot}},
       std::nullopt,
       &templates,
       [&templates](TBuildDriver& driver) { AddStandardBuilders(driver, templates); }});
  TServerOptions options{request.Port, 0};
  // The UI's files are installed by the build beside the executable, as the data root is.
  options.WebRoot = TDataRoot::BesideExecutable().parent_path() / "web";
  // "Exit & Close" ends the program as Ctrl-C does.
  options.OnExit = [] { kill(getpid(), SIGTERM); };
  TEditorServer server(session, std::move(options));
  std::cout << "Orvanta editor: " << server.EditorAddress() << "\n"
            << "previews on http://127.0.0.1:" << server.PreviewPort() << "/, working folder "
            << work.Folder().string() << std::endl;
  if (!request.NoBrowser) OpenBrowser(server.EditorAddress());
  // The UI shows the progress of this from its first request on.
  session.ReadCatalogue();
  const nlohmann::json lists = session.Catalogue().Lists();
  for (const auto& problem : lists["problems"])
    std::cout << "warning: " << problem.get<std::string>() << "\n";
  const double readyMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::cout << "ready in " << int(readyMs) << " ms; Ctrl-C stops the server" << std::endl;

  int signal = 0;
  sigwait(&stopSignals, &signal);
  server.Stop();
  std::cout << "stopped" << std::endl;
  return 0;
}

class TCommand : public TShellCommand {
 public:
  explicit TCommand(CLI::App& app) : app_(app) {
    cmd_ = app.add_subcommand("serve", "Run the editor: a local server the browser talks to");
    cmd_->add_option("--port", request_.Port, "Port of the editor (default: any free one)");
    cmd_->add_flag("--no-browser", request_.NoBrowser, "Print the address without opening it");
    AddDataRootOption(*cmd_, request_.DataRoot);
    cmd_->add_option("--work", request_.Work,
                     "Working folder (default: this instance's under the data home)");
  }
  // `orvanta` with no command at all is the editor too.
  bool Selected() const override { return cmd_->parsed() || app_.get_subcommands().empty(); }
  int Run() override {
    try {
      return Serve(request_);
    } catch (const std::exception& e) {
      std::cerr << "orvanta: " << e.what() << "\n";
      return 1;
    }
  }

 private:
  CLI::App& app_;
  CLI::App* cmd_ = nullptr;
  TServeRequest request_;
};

}  // namespace

std::unique_ptr<TShellCommand> AddServeCommand(CLI::App& app) {
  return std::make_unique<TCommand>(app);
}

}  // namespace orvanta
