#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "export/site_package.h"
#include "shell/shell_command.h"

namespace CLI {
class App;
}

namespace orvanta {

// `orvanta batch FILE.fls --feed FEED.csv --to DIR`: one published variant of a page per row of
// a feed, each row naming its output and setting fields by name.
std::unique_ptr<TShellCommand> AddBatchCommand(CLI::App& app);

struct TBatchRequest {
  std::string Project;
  std::string Feed;
  std::string Folder;
  int Page = 1;
  int Jobs = 1;
  int Shard = 1, Shards = 1;
  bool Zip = false;
  bool Backup = false;
  std::optional<int> BackupMaxKilobytes;
  std::string DataRoot;  // empty: the folder beside the executable
  std::optional<uint64_t> Seed;
};
// 0 when every row was built, 1 when a row failed or the feed cannot be used.
int RunBatchCommand(const TBatchRequest& request, std::ostream& out, std::ostream& err);

}  // namespace orvanta
