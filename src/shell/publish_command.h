#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "export/site_package.h"

namespace CLI {
class App;
}

namespace orvanta {

// `orvanta publish FILE.fls --to DIR`: rebuilds one page (or every page) in the chosen mode and
// writes it into DIR as a site, printing the files written and the warnings.
class TPublishCommand {
 public:
  virtual ~TPublishCommand() = default;
  virtual bool Selected() const = 0;
  // 0 when every file was written (warnings included), 1 when a file is missing or the publish
  // failed.
  virtual int Run() = 0;
};

std::unique_ptr<TPublishCommand> AddPublishCommand(CLI::App& app);

struct TPublishRequest {
  std::string Project;
  std::string Folder;
  int Page = 1;
  bool AllPages = false;
  bool AllMedia = false;
  std::string Work;      // empty: a fresh temporary folder
  std::string DataRoot;  // empty: the folder beside the executable
  std::optional<uint64_t> Seed;
  std::vector<std::string> Settings;  // NAME=VALUE, applied to the page first
  bool Json = false;
  TPackageOptions Package;  // the archive and backup image for an ad network
};
int RunPublish(const TPublishRequest& request, std::ostream& out, std::ostream& err);

}  // namespace orvanta
