#pragma once

#include <iosfwd>
#include <memory>
#include <string>

namespace CLI {
class App;
}

namespace orvanta {

// The `swf` command group: `info`, `dump` and `rewrite` of existing SWF files.
class TSwfCommands {
 public:
  virtual ~TSwfCommands() = default;
  // True when the command line chose one of the group's commands.
  virtual bool Selected() const = 0;
  // Runs the chosen command; failures are exceptions carrying the message for the user.
  virtual int Run() = 0;
};

// Registers `swf` and its subcommands on the program's command line. The returned object holds
// the parsed values and must live until Run.
std::unique_ptr<TSwfCommands> AddSwfCommands(CLI::App& app);

// The commands themselves, for callers (and tests) that have their arguments already.
void PrintSwfInfo(const std::string& fileName, std::ostream& out);
void PrintSwfDump(const std::string& fileName, bool json, std::ostream& out);
// compress: 1 writes CWS, 0 FWS, -1 keeps the input's form.
void RewriteSwf(const std::string& inName, const std::string& outName, int compress,
                std::ostream& out);

}  // namespace orvanta
