#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "export/animated_gif.h"
#include "shell/shell_command.h"

namespace CLI {
class App;
}

namespace orvanta {

// `orvanta export FILE.fls`: builds a page and draws it as the picture an ad network shows where
// no player runs: a backup image of one frame, or an animated GIF of the timeline.
std::unique_ptr<TShellCommand> AddExportCommand(CLI::App& app);

struct TExportRequest {
  std::string Project;
  int Page = 1;
  std::string Backup;  // PNG, JPEG or GIF file; empty for none
  std::string Gif;     // animated GIF file; empty for none
  std::optional<int> Frame;  // none: the end of the headline's animation
  bool LastFrame = false;    // the movie's very last frame
  std::optional<int> MaxKilobytes;
  TGifOptions GifOptions;
  std::string Work;      // empty: a fresh temporary folder
  std::string DataRoot;  // empty: the folder beside the executable
  std::optional<uint64_t> Seed;
};
int RunExport(const TExportRequest& request, std::ostream& out, std::ostream& err);

}  // namespace orvanta
