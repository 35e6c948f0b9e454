#include "shell/render_command.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>

#include "media/picture_codecs.h"
#include "media/swf_reader.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "render/color_ops.h"
#include "render/frame_renderer.h"

namespace orvanta {

namespace {

bool EndsWithNoCase(const std::string& s, const std::string& suffix) {
  if (s.size() < suffix.size()) return false;
  return std::equal(suffix.rbegin(), suffix.rend(), s.rbegin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

class TRenderCommandLine : public TRenderCommand {
 public:
  explicit TRenderCommandLine(CLI::App& swfGroup) {
    command_ = swfGroup.add_subcommand("render", "Draw one frame of a SWF file into a PNG or JPEG");
    command_->add_option("IN", in_, "SWF file")->required();
    command_->add_option("OUT", out_, "Picture to write: PNG, or JPEG for .jpg/.jpeg")->required();
    command_->add_option("--frame", options_.Frame, "Frame to draw, from 1")
        ->capture_default_str()
        ->check(CLI::PositiveNumber);
    auto* width = command_->add_option("--width", options_.Width, "Output width in pixels")
                      ->check(CLI::PositiveNumber);
    auto* height = command_->add_option("--height", options_.Height, "Output height in pixels")
                       ->check(CLI::PositiveNumber);
    width->needs(height);
    height->needs(width);
    auto* scale = command_
                      ->add_option("--scale", options_.Scale,
                                   "Output pixels per movie pixel (without --width/--height)")
                      ->check(CLI::PositiveNumber);
    scale->excludes(width);
    scale->excludes(height);
    command_->add_option("--background", background_,
                         "Background colour RRGGBB instead of the movie's own");
    command_->add_option("--quality", options_.Quality, "JPEG quality 1..100")
        ->capture_default_str()
        ->check(CLI::Range(1, 100));
  }

  bool Selected() const override { return command_->parsed(); }

  int Run() override {
    if (!background_.empty()) {
      options_.Background = ParseHexColor(background_);
      if (!options_.Background)
        throw Error("--background takes a colour as RRGGBB, not \"" + background_ + "\"");
    }
    RenderSwfToFile(in_, out_, options_, std::cout);
    return 0;
  }

 private:
  CLI::App* command_ = nullptr;
  std::string in_, out_, background_;
  TRenderFileOptions options_;
};

}  // namespace

TPicture PixmapToPicture(const render::TPixmap& pixmap) {
  TPicture picture(static_cast<uint32_t>(pixmap.Width), static_cast<uint32_t>(pixmap.Height), 0);
  const uint8_t* src = pixmap.Pixels.data();
  uint8_t* dst = picture.Pixels.data();
  const size_t count = size_t(pixmap.Width) * pixmap.Height;
  for (size_t i = 0; i < count; ++i, src += 4, dst += 4) {
    uint8_t a = src[render::kAlpha];
    dst[0] = render::Unpremultiply(src[render::kRed], a);
    dst[1] = render::Unpremultiply(src[render::kGreen], a);
    dst[2] = render::Unpremultiply(src[render::kBlue], a);
    dst[3] = a;
  }
  return picture;
}

std::optional<uint32_t> ParseHexColor(const std::string& text) {
  std::string digits = !text.empty() && text[0] == '#' ? text.substr(1) : text;
  if (digits.size() != 6 || !std::all_of(digits.begin(), digits.end(), [](char c) {
        return std::isxdigit(static_cast<unsigned char>(c));
      }))
    return std::nullopt;
  return static_cast<uint32_t>(std::stoul(digits, nullptr, 16));
}

std::unique_ptr<TRenderCommand> AddRenderCommand(CLI::App& swfGroup) {
  return std::make_unique<TRenderCommandLine>(swfGroup);
}

void RenderSwfToFile(const std::string& inName, const std::string& outName,
                     const TRenderFileOptions& options, std::ostream& out) {
  TSWFStreamReader reader(inName);
  if (!reader.Valid)
    throw FormatError(inName + " is not a SWF file (it does not start with FWS or CWS)");
  reader.ParseTags(true, false);
  render::TRenderOptions renderOptions;
  renderOptions.Frame = options.Frame;
  renderOptions.Width = options.Width;
  renderOptions.Height = options.Height;
  renderOptions.Scale = options.Scale;
  renderOptions.Background = options.Background;
  render::TPixmap pixmap = render::RenderFrame(reader, renderOptions);
  TPicture picture = PixmapToPicture(pixmap);
  const bool jpeg = EndsWithNoCase(outName, ".jpg") || EndsWithNoCase(outName, ".jpeg");
  std::vector<uint8_t> bytes = jpeg ? EncodeJPEG(picture, options.Quality) : EncodePNG(picture);
  TFileStream file(outName, TFileStream::Mode::Create);
  file.WriteBuffer(bytes.data(), bytes.size());
  out << "wrote " << outName << " (" << pixmap.Width << " x " << pixmap.Height << ", frame "
      << options.Frame << ", " << bytes.size() << " bytes)\n";
}

}  // namespace orvanta
