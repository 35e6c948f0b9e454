#pragma once

#include <memory>

#include "shell/shell_command.h"

namespace CLI {
class App;
}

namespace orvanta {

// `orvanta serve` (and `orvanta` alone): the editor's local server until Ctrl-C; exits 0 after a
// clean stop, 1 when the server could not start.
std::unique_ptr<TShellCommand> AddServeCommand(CLI::App& app);

}  // namespace orvanta
