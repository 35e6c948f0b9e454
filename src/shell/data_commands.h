#pragma once

#include <iosfwd>
#include <memory>
#include <string>

namespace CLI {
class App;
}

namespace orvanta {

class TDataRoot;
class TTemplatePack;

// The `data` command group: the templates carried in the program and the data root beside it.
class TDataCommands {
 public:
  virtual ~TDataCommands() = default;
  virtual bool Selected() const = 0;
  virtual int Run() = 0;
};

std::unique_ptr<TDataCommands> AddDataCommands(CLI::App& app);

// The commands themselves, for callers (and tests) that have their arguments already.
void ListTemplates(const TTemplatePack& pack, bool json, std::ostream& out);
void ExtractTemplate(const TTemplatePack& pack, const std::string& name, const std::string& outName,
                     std::ostream& out);
// Every template as FOLDER/NAME.swf.
void ExtractAllTemplates(const TTemplatePack& pack, const std::string& folder, std::ostream& out);
// Exit code 0 when every template and data file the builders load is there and parses, else 1
// with each missing or broken name written to err.
int CheckData(const TTemplatePack& pack, const TDataRoot& root, std::ostream& out,
              std::ostream& err);
}  // namespace orvanta
