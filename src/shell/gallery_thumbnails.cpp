#include "shell/gallery_thumbnails.h"

#include <algorithm>
#include <cmath>

#include "media/swf_reader.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "project/catalogue.h"
#include "render/frame_renderer.h"
#include "render/pixmap_output.h"

namespace orvanta {

namespace {

// Packed as pictures hold them: red in the low byte, alpha in the top byte.
constexpr uint32_t kWhite = 0xFFFFFFFF, kGrey = 0xFF909090, kPhoto = 0xFFE0D4C8;
constexpr uint32_t kBlue = 0xFFFF0000;
constexpr uint32_t kRandomColours[] = {0xFF0000FF, 0xFF00B000, 0xFF0080FF, 0xFFC000C0};
// The album's own borders: entry 1 in the border colour, entry 2 in a random one per photo.
constexpr int kColorBorder = 1, kRandomColorBorder = 2;

// Pixels that differ clearly from their right or lower neighbour. Letters, outlines and cells
// count, a plain or smoothly shaded ground does not, so a movie that draws its ground from the
// first frame on is judged by what comes onto it.
size_t DetailPixels(const render::TPixmap& pixmap) {
  constexpr int kClearStep = 64;  // summed over the four channels
  const auto differ = [](const uint8_t* a, const uint8_t* b) {
    int sum = 0;
    for (int channel = 0; channel < 4; ++channel) sum += std::abs(a[channel] - b[channel]);
    return sum > kClearStep;
  };
  size_t detail = 0;
  for (int y = 0; y + 1 < pixmap.Height; ++y) {
    const uint8_t* row = pixmap.Row(y);
    const uint8_t* below = pixmap.Row(y + 1);
    for (int x = 0; x + 1 < pixmap.Width; ++x)
      if (differ(row + 4 * x, row + 4 * x + 4) || differ(row + 4 * x, below + 4 * x)) ++detail;
  }
  return detail;
}

// The first frame, and a few later ones for movies that start empty or fade in.
std::vector<int> Moments(int frames) {
  std::vector<int> moments{1};
  for (int quarter = 1; quarter <= 4; ++quarter) {
    const int frame = std::max(1, frames * quarter / 4);
    if (frame > moments.back()) moments.push_back(frame);
  }
  return moments;
}

TPicture Centred(const TPicture& picture, uint32_t width, uint32_t height) {
  TPicture canvas(width, height, kWhite);
  CopyPicture(canvas, picture, (width - std::min(width, picture.Width)) / 2,
              (height - std::min(height, picture.Height)) / 2);
  return canvas;
}

TPicture NonePicture(uint32_t width, uint32_t height) {
  TPicture picture(width, height, kWhite);
  const double cx = width / 2.0, cy = height / 2.0, r = std::min(width, height) * 0.32;
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy, d = std::hypot(dx, dy);
      const bool ring = std::abs(d - r) < 1.5;
      const bool slash = d < r && std::abs(dx - dy) / std::sqrt(2.0) < 1.5;
      if (ring || slash) picture.SetColor(x, y, kGrey);
    }
  return picture;
}

// A stand-in photo with the album's 3-pixel line around it.
TPicture LineBorderPicture(uint32_t width, uint32_t height, bool random) {
  constexpr uint32_t kMargin = 6, kLine = 3;
  TPicture picture(width, height, kWhite);
  for (uint32_t y = kMargin; y + kMargin < height; ++y)
    for (uint32_t x = kMargin; x + kMargin < width; ++x) {
      const uint32_t left = x - kMargin, top = y - kMargin;
      const uint32_t right = width - kMargin - 1 - x, bottom = height - kMargin - 1 - y;
      const uint32_t edge = std::min({left, top, right, bottom});
      const size_t side = edge == top ? 0 : edge == right ? 1 : edge == bottom ? 2 : 3;
      picture.SetColor(x, y, edge >= kLine ? kPhoto : random ? kRandomColours[side] : kBlue);
    }
  return picture;
}

TPicture PictureFor(const TGallerySources& sources, const TCatalogueList& list, int entry,
                    uint32_t width, uint32_t height) {
  if (list.Name == "Photo Borders" && (entry == kColorBorder || entry == kRandomColorBorder))
    return LineBorderPicture(width, height, entry == kRandomColorBorder);
  const std::optional<TGalleryMovie> movie = GalleryMovie(sources, list.Name, entry);
  if (!movie) return NonePicture(width, height);
  try {
    return MovieThumbnail(movie->Bytes, width, height);
  } catch (const Error&) {
    return NonePicture(width, height);
  }
}

}  // namespace

TPicture MovieThumbnail(std::span<const uint8_t> swf, uint32_t width, uint32_t height) {
  TMemoryViewStream stream(swf);
  TSWFStreamReader reader(stream);
  if (!reader.Valid) throw FormatError("not a SWF movie");
  reader.ParseTags(true, false);
  const TSWFRect& frame = reader.Header().FrameSize;
  const double w = std::max(1, frame.Xmax() - frame.Xmin()) / 20.0;
  const double h = std::max(1, frame.Ymax() - frame.Ymin()) / 20.0;
  render::TFrameRenderer renderer(reader);
  render::TRenderOptions options;
  options.Scale = std::min(width / w, height / h);
  size_t best = 0;
  TPicture picture;
  for (int moment : Moments(renderer.FrameCount())) {
    options.Frame = moment;
    const render::TPixmap pixmap = renderer.Render(options);
    const size_t detail = DetailPixels(pixmap);
    if (detail <= best && !picture.Empty()) continue;
    best = detail;
    picture = render::PictureFromPixmap(pixmap);
  }
  return Centred(picture, width, height);
}

void DrawMissingThumbnails(TCatalogue& catalogue, const TGallerySources& sources) {
  const std::vector<std::string>& galleries = GalleryListNames();
  for (TCatalogueList* list : catalogue.Lists()) {
    if (std::find(galleries.begin(), galleries.end(), list->Name) == galleries.end()) continue;
    uint32_t width = kDrawnThumbnailWidth, height = kDrawnThumbnailHeight;
    for (const TCatalogueEntry& entry : list->Entries)
      if (!entry.Thumbnail.Picture.Empty()) {
        width = entry.Thumbnail.Picture.Width;
        height = entry.Thumbnail.Picture.Height;
        break;
      }
    for (TCatalogueEntry& entry : list->Entries)
      if (entry.Thumbnail.Picture.Empty())
        entry.Thumbnail.Picture = PictureFor(sources, *list, entry.Index, width, height);
  }
}

}  // namespace orvanta
