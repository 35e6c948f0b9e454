#include "shell/contact_sheet.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <ostream>
#include <vector>

#include "media/picture_codecs.h"
#include "media/swf_reader.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "render/frame_renderer.h"
#include "render/pixmap.h"
#include "render/pixmap_output.h"
#include "shell/render_command.h"

namespace orvanta {

namespace {

constexpr int kSheetWidth = 1400;
constexpr int kGap = 8;
constexpr double kMaxCellWidth = 440;
constexpr uint32_t kCellBackground = 0x98A2AC;
constexpr uint32_t kSheetBackground = 0xFF5A5F66;

// "dottext_65" before "dottext_163": the numbers are codes, read as numbers.
bool NaturalLess(const TTemplateEntry* a, const TTemplateEntry* b) {
  auto split = [](const std::string& name) {
    size_t digits = name.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1]))) --digits;
    const std::string tail = name.substr(digits);
    return std::pair{FoldName(name.substr(0, digits)), tail.empty() ? -1L : std::stol(tail)};
  };
  return split(a->Name) < split(b->Name);
}

std::vector<TPicture> RenderMoments(const TTemplateEntry& entry, double cellHeight) {
  TMemoryViewStream stream(entry.Data);
  TSWFStreamReader reader(stream);
  if (!reader.Valid) throw FormatError("template \"" + entry.Name + "\" is not a SWF file");
  reader.ParseTags(true, false);
  const int frames = std::max<int>(1, reader.Header().FrameCount);
  const double w = (reader.FrameSize().Xmax() - reader.FrameSize().Xmin()) / 20.0;
  const double h = (reader.FrameSize().Ymax() - reader.FrameSize().Ymin()) / 20.0;
  const double scale =
      std::min({1.0, cellHeight / std::max(h, 1.0), kMaxCellWidth / std::max(w, 1.0)});
  std::vector<int> moments = {1};
  if (frames > 2) moments = {1, 1 + frames / 3, 1 + 2 * frames / 3};
  std::vector<TPicture> pictures;
  for (int frame : moments) {
    render::TRenderOptions options;
    options.Frame = frame;
    options.Scale = scale;
    options.Background = kCellBackground;
    pictures.push_back(render::PictureFromPixmap(render::RenderFrame(reader, options)));
  }
  return pictures;
}

}  // namespace

void WriteContactSheet(const TTemplatePack& pack, const std::string& family,
                       const std::string& outName, int cellHeight, std::ostream& out) {
  struct TPlaced {
    TPicture Picture;
    uint32_t X, Y;
  };
  std::vector<TPlaced> placed;
  uint32_t x = kGap, y = kGap, rowHeight = 0;
  std::vector<const TTemplateEntry*> entries;
  for (const TTemplateEntry& entry : pack.Entries())
    if (FoldName(entry.Family) == FoldName(family)) entries.push_back(&entry);
  if (entries.empty()) throw Error("no templates of the family \"" + family + "\"");
  std::sort(entries.begin(), entries.end(), NaturalLess);
  for (const TTemplateEntry* entry : entries) {
    std::vector<TPicture> moments = RenderMoments(*entry, cellHeight);
    uint32_t width = 0;
    for (const TPicture& p : moments) width += p.Width + (width ? 2 : 0);
    if (x > kGap && x + width + kGap > kSheetWidth) {
      x = kGap;
      y += rowHeight + kGap;
      rowHeight = 0;
    }
    for (TPicture& p : moments) {
      rowHeight = std::max(rowHeight, p.Height);
      const uint32_t w = p.Width;
      placed.push_back({std::move(p), x, y});
      x += w + 2;
    }
    x += kGap;
  }
  TPicture sheet(kSheetWidth, y + rowHeight + kGap, kSheetBackground);
  for (const TPlaced& p : placed) CopyPicture(sheet, p.Picture, p.X, p.Y);
  std::vector<uint8_t> bytes = EncodePNG(sheet);
  TFileStream file(outName, TFileStream::Mode::Create);
  file.WriteBuffer(bytes.data(), bytes.size());
  out << "wrote " << outName << " (" << entries.size() << " templates of " << family << ", "
      << sheet.Width << " x " << sheet.Height << ")\n";
}

}  // namespace orvanta
