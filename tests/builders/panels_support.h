#pragma once

// What the panel and picture tests share: the template pack and data root the build made, a
// driver over them with a working folder of its own, and readers of the movies it writes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include <unistd.h>

#include <cstdlib>

#include "builders/standard_builders.h"
#include "media/swf_reader.h"
#include "movie/flash_movie.h"
#include "platform/data_root.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "project/build_driver.h"
#include "render/frame_renderer.h"
#include "swf/tags_display.h"

namespace orvanta::test {

namespace fs = std::filesystem;

inline std::vector<uint8_t> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline const TTemplatePack& BuiltTemplates() {
  static const std::vector<uint8_t> bytes = ReadAll(ORVANTA_TEMPLATE_PACK);
  static const TTemplatePack pack(bytes);
  return pack;
}

inline const TDataRoot& BuiltDataRoot() {
  static const TDataRoot root(ORVANTA_DATA_ROOT);
  return root;
}

inline std::vector<uint8_t> MovieBytes(TFlashMovie& movie) {
  movie.MakeData();
  TMemoryStream out;
  movie.SaveToStream(out);
  return out.TakeBytes();
}

// A movie file read back, tags parsed.
struct TReadBack {
  explicit TReadBack(std::vector<uint8_t> file)
      : Bytes(std::move(file)), Stream(Bytes), Reader(Stream) {
    Reader.ParseTags(true, false);
  }
  render::TPixmap Render(int width = 0, int height = 0, bool transparent = false) {
    render::TRenderOptions options;
    options.Width = width;
    options.Height = height;
    options.Transparent = transparent;
    return render::RenderFrame(Reader, options);
  }
  // The timeline of a sprite by id, or the main timeline for id 0.
  std::vector<TSWFObject*> Timeline(uint16_t id) const {
    std::vector<TSWFObject*> tags;
    for (const auto& info : Reader.TagList) {
      if (id == 0) {
        tags.push_back(info->TagObject());
      } else if (auto* sprite = dynamic_cast<TSWFDefineSprite*>(info->TagObject());
                 sprite && sprite->SpriteID == id) {
        for (const auto& tag : sprite->ControlTags) tags.push_back(tag.get());
      }
    }
    return tags;
  }
  // The placements of a timeline, in order.
  std::vector<TSWFPlaceObject2*> Placements(uint16_t id) const {
    std::vector<TSWFPlaceObject2*> places;
    for (TSWFObject* tag : Timeline(id))
      if (auto* place = dynamic_cast<TSWFPlaceObject2*>(tag)) places.push_back(place);
    return places;
  }
  TSWFPlaceObject2* PlacementAt(uint16_t id, uint16_t depth) const {
    for (TSWFPlaceObject2* place : Placements(id))
      if (place->Depth == depth) return place;
    return nullptr;
  }

  std::vector<uint8_t> Bytes;
  TMemoryViewStream Stream;
  TSWFStreamReader Reader;
};

// A pixel of a drawn frame as 0xRRGGBB (the frames drawn on an opaque background).
inline uint32_t PixelRGB(const render::TPixmap& p, int x, int y) {
  const uint8_t* px = p.Row(y) + x * 4;
  return uint32_t(px[2]) << 16 | uint32_t(px[1]) << 8 | px[0];
}

// Whether two colours are alike within what JPEG and anti-aliasing change.
inline bool Near(uint32_t a, uint32_t b, int tolerance = 40) {
  for (int shift : {0, 8, 16})
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) return false;
  return true;
}

// A build over the generated templates and data into a working folder of the test's own.
class TBuildFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    work_ = fs::temp_directory_path() /
            ("orvanta_builders_" + std::to_string(::getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(work_);
    fs::create_directories(work_);
    driver_ = std::make_unique<TBuildDriver>(BuiltDataRoot(), TBuildOptions{work_, 5});
    AddStandardBuilders(*driver_, BuiltTemplates());
  }
  void TearDown() override { fs::remove_all(work_); }
  void Set(std::string_view name, std::string_view value) {
    TWarnings ignored;
    doc_.Current.SetField(FindSavedField(name), value, "", 1, ignored);
  }
  TBuildReport Build() { return driver_->Rebuild(doc_, TRebuildOrigin::Command); }
  TReadBack Background() const { return TReadBack(ReadAll(work_ / kBackgroundMovieFile)); }
  // The background movie's first frame at the banner's size, on white.
  render::TPixmap BackgroundFrame() {
    return Background().Render(IntegerField(doc_.Current, "SWFWidth"),
                               IntegerField(doc_.Current, "SWFHeight"));
  }
  // A file in the working folder's "pictures" folder, which the build does not touch.
  std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    fs::create_directories(work_ / "pictures" / fs::path(name).parent_path());
    const fs::path path = work_ / "pictures" / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path.string();
  }

  fs::path work_;
  std::unique_ptr<TBuildDriver> driver_;
  TBannerDocument doc_ = TBannerDocument::New();
};

}  // namespace orvanta::test
