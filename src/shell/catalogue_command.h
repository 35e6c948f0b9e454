#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "shell/shell_command.h"

namespace CLI {
class App;
}

namespace orvanta {

// `orvanta catalogue`: reads what the editor offers from the program data, as start-up does,
// and lists every entry with its caption and thumbnail, and the time the reading took.
std::unique_ptr<TShellCommand> AddCatalogueCommand(CLI::App& app);

struct TCatalogueRequest {
  std::string DataRoot;  // empty: the folder beside the executable
  bool Json = false;
};
// 0 when the catalogue was read, even with missing or damaged files (they are listed).
int RunCatalogue(const TCatalogueRequest& request, std::ostream& out, std::ostream& err);

}  // namespace orvanta
