#pragma once

namespace orvanta {

// A subcommand of the program: registered on the command line, run when the user chose it.
class TShellCommand {
 public:
  virtual ~TShellCommand() = default;
  virtual bool Selected() const = 0;
  virtual int Run() = 0;
};

}  // namespace orvanta
