#include "shell/command_options.h"

#include "platform/data_root.h"

namespace orvanta {

void AddDataRootOption(CLI::App& command, std::string& dataRoot) {
  command.add_option("--data-root", dataRoot, "Data root (default: data beside the program)");
}

void AddWorkOption(CLI::App& command, std::string& work) {
  command.add_option("--work", work, "Working folder (default: a fresh temporary one)");
}

void AddSeedOption(CLI::App& command, std::optional<uint64_t>& seed) {
  command.add_option_function<uint64_t>(
      "--seed", [&seed](const uint64_t& value) { seed = value; },
      "Seed of the random source (reproducible files)");
}

std::filesystem::path DataRootFolder(const std::string& dataRoot) {
  return dataRoot.empty() ? TDataRoot::BesideExecutable() : std::filesystem::path(dataRoot);
}

}  // namespace orvanta
