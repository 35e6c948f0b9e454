#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "builders/slideshow/slideshow_builder.h"
#include "media/picture_codecs.h"
#include "media/swf_reader.h"
#include "movie/flash_movie.h"
#include "platform/data_root.h"
#include "platform/random.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "project/field_registry.h"
#include "render/frame_renderer.h"
#include "render/pixmap_output.h"
#include "swf/tags_display.h"

namespace orvanta::test {

// A page with a slideshow, built alone into a movie of its own with as many frames as a check
// needs, and the written movie read back.
class SlideshowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("slideshow_test_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    page = TPageState::Defaults();
    Set("SWFWidth", "400");
    Set("SWFHeight", "300");
    Set("Bordershadow", "False");
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  void Set(const std::string& name, const std::string& value) {
    TWarnings ignored;
    page.SetField(FindSavedField(name), value, "", 1, ignored);
  }

  // A photo of one colour (0xRRGGBB), written as JPEG or PNG under the given name.
  std::string Photo(const std::string& name, uint32_t rgb, uint32_t width = 60,
                    uint32_t height = 40, bool png = false) {
    const uint32_t packed = 0xFF000000u | (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
    const TPicture picture(width, height, packed);
    const std::vector<uint8_t> bytes = png ? EncodePNG(picture) : EncodeJPEG(picture, 95);
    const std::filesystem::path path = folder_ / name;
    TFileStream(path.string(), TFileStream::Mode::Create).WriteBuffer(bytes.data(), bytes.size());
    return path.string();
  }
  std::string Junk(const std::string& name) {
    const std::filesystem::path path = folder_ / name;
    TFileStream(path.string(), TFileStream::Mode::Create).WriteBuffer("not a picture", 13);
    return path.string();
  }

  // Builds the page's slideshow and closes mainFrames frames of the main movie.
  void Build(int mainFrames = 1) {
    static const std::vector<uint8_t> packBytes = ReadWholeFile(ORVANTA_TEMPLATE_PACK);
    static const TTemplatePack pack(packBytes);
    const TDataRoot data(ORVANTA_DATA_ROOT);
    TRandom random(1);
    warnings.clear();
    TBuildContext context{random, data, warnings, 1};
    TFlashMovie movie(0, 0, 400 * 20, 300 * 20, 12);
    movie.SetPixelUnits(true);
    movie.SetVersion(8);
    movie.UseRandom(random);
    TSlideshowBuilder builder(&pack);
    items = builder.Build(movie, page, DepthPlanFor(page), context);
    movie.ShowFrame(mainFrames);
    movie.MakeData();
    TMemoryStream out;
    movie.SaveToStream(out);
    TMemoryStream in(out.TakeBytes());
    reader = std::make_unique<TSWFStreamReader>(in);
    reader->ParseTags(true, false);
    renderer = std::make_unique<render::TFrameRenderer>(*reader);
  }

  // The colour (0xRRGGBB) drawn at a point of a frame.
  uint32_t ColorAt(int frame, int x, int y) {
    render::TRenderOptions options;
    options.Frame = frame;
    const TPicture picture = render::PictureFromPixmap(renderer->Render(options));
    const uint32_t c = picture.Color(uint32_t(x), uint32_t(y));
    return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
  }

  // Every sprite's frame count, and how often each instance name is placed, at any level.
  std::vector<int> SpriteFrames() const {
    std::vector<int> frames;
    for (const auto& info : reader->TagList)
      if (auto* sprite = dynamic_cast<TSWFDefineSprite*>(info->TagObject()))
        frames.push_back(sprite->FrameCount);
    return frames;
  }
  std::map<std::string, int> InstanceNames() const {
    std::map<std::string, int> names;
    auto visit = [&](const TSWFObject* tag) {
      if (auto* place = dynamic_cast<const TSWFPlaceObject2*>(tag); place && place->HasName)
        ++names[place->Name];
    };
    for (const auto& info : reader->TagList) {
      visit(info->TagObject());
      if (auto* sprite = dynamic_cast<TSWFDefineSprite*>(info->TagObject()))
        for (const auto& inner : sprite->ControlTags) visit(inner.get());
    }
    return names;
  }

  TPageState page;
  TWarnings warnings;
  std::vector<TBuiltItem> items;
  std::unique_ptr<TSWFStreamReader> reader;
  std::unique_ptr<render::TFrameRenderer> renderer;

 private:
  std::filesystem::path folder_;
};

// Channels within tolerance of each other.
inline bool Near(uint32_t a, uint32_t b, int tolerance = 40) {
  for (int shift : {0, 8, 16})
    if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > tolerance) return false;
  return true;
}

}  // namespace orvanta::test
