#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace orvanta {

struct TPicture;
namespace render {
struct TPixmap;
}

// `swf render`: one frame of a SWF file drawn into a PNG or JPEG file.
class TRenderCommand {
 public:
  virtual ~TRenderCommand() = default;
  virtual bool Selected() const = 0;
  virtual int Run() = 0;
};

// Registers `render` under the `swf` command group.
std::unique_ptr<TRenderCommand> AddRenderCommand(CLI::App& swfGroup);

struct TRenderFileOptions {
  int Frame = 1;
  int Width = 0, Height = 0;
  double Scale = 1;
  std::optional<uint32_t> Background;  // 0xRRGGBB
  int Quality = 90;                    // JPEG output
};

// The rasteriser's premultiplied pixels as a straight-alpha picture for the encoders.
TPicture PixmapToPicture(const render::TPixmap& pixmap);

// Writes a JPEG when the output name ends in .jpg or .jpeg, else a PNG.
void RenderSwfToFile(const std::string& inName, const std::string& outName,
                     const TRenderFileOptions& options, std::ostream& out);

// "RRGGBB" or "#RRGGBB"; none for anything else.
std::optional<uint32_t> ParseHexColor(const std::string& text);

}  // namespace orvanta
