#pragma once

#include <memory>

namespace CLI {
class App;
}

namespace orvanta {

// `orvanta serve` (and `orvanta` alone): the editor's local server until Ctrl-C.
class TServeCommand {
 public:
  virtual ~TServeCommand() = default;
  virtual bool Selected() const = 0;
  // 0 after a clean stop, 1 when the server could not start.
  virtual int Run() = 0;
};

std::unique_ptr<TServeCommand> AddServeCommand(CLI::App& app);

}  // namespace orvanta
