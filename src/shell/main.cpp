#include <CLI/CLI.hpp>

#include <exception>
#include <filesystem>
#include <iostream>

#include "movie/flash_movie.h"
#include "shell/batch_command.h"
#include "shell/build_command.h"
#include "shell/catalogue_command.h"
#include "shell/data_commands.h"
#include "shell/demo_movie.h"
#include "shell/export_command.h"
#include "shell/project_commands.h"
#include "shell/publish_command.h"
#include "shell/render_command.h"
#include "shell/serve_command.h"
#include "shell/swf_commands.h"

namespace {

int RunDemo(const std::string& outPath, const orvanta::DemoOptions& options) {
  auto movie = orvanta::BuildDemoMovie(options);
  movie->SaveToFile(outPath);
  std::cout << "wrote " << std::filesystem::absolute(outPath).string() << " ("
            << std::filesystem::file_size(outPath) << " bytes, SWF " << movie->Version() << ", "
            << movie->FrameCount() << " frames, " << (movie->Compressed() ? "CWS" : "FWS") << ")\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Orvanta: banner authoring tool and SWF library"};
  app.set_version_flag("--version", std::string("orvanta ") + ORVANTA_VERSION);
  app.require_subcommand(0, 1);

  std::string demoOut = "demo.swf";
  orvanta::DemoOptions demo;
  uint64_t seed = 0;
  auto* demoCmd = app.add_subcommand("demo", "Write a small demonstration movie");
  demoCmd->add_option("OUT", demoOut, "Output SWF file")->capture_default_str();
  demoCmd->add_flag("--compress,!--no-compress", demo.Compressed,
                    "Write CWS (zlib) or FWS (plain); CWS by default");
  demoCmd->add_option("--seed", seed, "Seed of the random source (reproducible output)");

  auto swfCommands = orvanta::AddSwfCommands(app);
  auto renderCommand = orvanta::AddRenderCommand(*app.get_subcommand("swf"));
  auto projectCommands = orvanta::AddProjectCommands(app);
  auto dataCommands = orvanta::AddDataCommands(app);
  auto buildCommand = orvanta::AddBuildCommand(app);
  auto serveCommand = orvanta::AddServeCommand(app);
  auto catalogueCommand = orvanta::AddCatalogueCommand(app);
  auto publishCommand = orvanta::AddPublishCommand(app);
  auto exportCommand = orvanta::AddExportCommand(app);
  auto batchCommand = orvanta::AddBatchCommand(app);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  }

  try {
    if (*demoCmd) {
      if (demoCmd->count("--seed")) demo.Seed = seed;
      return RunDemo(demoOut, demo);
    }
    if (renderCommand->Selected()) return renderCommand->Run();
    if (swfCommands->Selected()) return swfCommands->Run();
    if (projectCommands->Selected()) return projectCommands->Run();
    if (dataCommands->Selected()) return dataCommands->Run();
    if (buildCommand->Selected()) return buildCommand->Run();
    if (serveCommand->Selected()) return serveCommand->Run();
    if (catalogueCommand->Selected()) return catalogueCommand->Run();
    if (publishCommand->Selected()) return publishCommand->Run();
    if (exportCommand->Selected()) return exportCommand->Run();
    if (batchCommand->Selected()) return batchCommand->Run();
    std::cout << app.help();
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "orvanta: " << e.what() << "\n";
    return 1;
  }
}
