#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "project/project_file.h"

namespace CLI {
class App;
}

namespace orvanta {

class TDataRoot;

// The `project` command group: `new`, `check`, `get`, `set` and `schema` of project files.
class TProjectCommands {
 public:
  virtual ~TProjectCommands() = default;
  virtual bool Selected() const = 0;
  // Runs the chosen command: 0 on success (warnings included), 1 when the file cannot be
  // loaded or written.
  virtual int Run() = 0;
};

std::unique_ptr<TProjectCommands> AddProjectCommands(CLI::App& app);

// The commands themselves, for callers (and tests) that have their arguments already.
void WriteEmptyProject(const std::string& fileName, std::ostream& out);
int CheckProject(const std::string& fileName, bool json, std::ostream& out, std::ostream& err);
void PrintProjectField(const std::string& fileName, const std::string& name, int page,
                       std::ostream& out);
// The file a build or a publish reads: the name as given when it is there, else the same name
// inside the data root, so that "default_template/banner16.fls" opens a shipped sample. Only
// reading commands use it: nothing is ever written into the data root.
std::string ProjectToRead(const std::string& fileName, const TDataRoot& data);
// Loads a project and makes the page current; Error when it has no such page.
TLoadedProject LoadProjectPage(const std::string& fileName, int page);
// Applies NAME=VALUE settings through the registry, as a user types them; Photos=A|B sets the
// photo list.
void ApplyFieldAssignments(TPageState& state, int page, const std::vector<std::string>& assignments,
                           TWarnings& warnings);
void SetProjectFields(const std::string& fileName, int page,
                      const std::vector<std::string>& assignments, std::ostream& out);

}  // namespace orvanta
