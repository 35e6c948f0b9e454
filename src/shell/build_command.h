#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace orvanta {

// `orvanta build FILE.fls`: loads a project, applies settings, rebuilds one page into the
// working folder and says where the preview files are.
class TBuildCommand {
 public:
  virtual ~TBuildCommand() = default;
  virtual bool Selected() const = 0;
  // 0 when the build succeeded (warnings included), 1 when it failed.
  virtual int Run() = 0;
};

std::unique_ptr<TBuildCommand> AddBuildCommand(CLI::App& app);

struct TBuildRequest {
  std::string Project;
  int Page = 1;
  std::string Work;      // empty: a fresh temporary folder
  std::string DataRoot;  // empty: the folder beside the executable
  std::optional<uint64_t> Seed;
  std::vector<std::string> Settings;  // NAME=VALUE
  bool Json = false;
};
int RunBuild(const TBuildRequest& request, std::ostream& out, std::ostream& err);

}  // namespace orvanta
