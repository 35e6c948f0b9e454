#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

namespace orvanta {

// The options several commands take, declared once so that their names and help agree.
void AddDataRootOption(CLI::App& command, std::string& dataRoot);
void AddWorkOption(CLI::App& command, std::string& work);
void AddSeedOption(CLI::App& command, std::optional<uint64_t>& seed);

// The data root a command was given, or the one beside the program.
std::filesystem::path DataRootFolder(const std::string& dataRoot);

}  // namespace orvanta
