#pragma once

#include <gtest/gtest.h>

#include "test_util.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "media/swf_reader.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_sprite.h"
#include "platform/data_root.h"
#include "platform/random.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "project/content_builder.h"
#include "render/frame_renderer.h"

namespace orvanta::test {

// One builder run on a fresh main movie of a default page, with the template pack the build
// made, and what it left in the movie looked at the way a player would.
class BuilderTest : public ::testing::Test {
 protected:
  static std::vector<uint8_t>& PackBytes() {
    static std::vector<uint8_t> bytes = [] {
      std::ifstream in(ORVANTA_TEMPLATE_PACK, std::ios::binary);
      return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }();
    return bytes;
  }
  static const TTemplatePack& Templates() {
    static const TTemplatePack pack(PackBytes());
    return pack;
  }
  // A pack without a single template, for the warnings of missing artwork.
  static const TTemplatePack& EmptyPack() { return EmptyTemplatePack(); }

  void Set(std::string_view name, std::string_view value) {
    TWarnings problems;
    page.SetField(FindSavedField(name), value, "", 1, problems);
    ASSERT_TRUE(problems.empty()) << problems.front().Text();
  }

  std::vector<TBuiltItem> Build(TContentBuilder& builder) {
    movie = std::make_unique<TFlashMovie>(0, 0, IntegerField(page, "SWFWidth") * 20,
                                          IntegerField(page, "SWFHeight") * 20, 12);
    movie->SetPixelUnits(true);
    movie->SetVersion(8);
    movie->UseRandom(random);
    TBuildContext context{random, data, warnings, 1};
    return builder.Build(*movie, page, TDepthPlan{}, context);
  }

  // The placements of the main movie or of a sprite, by depth, the last one at each depth.
  template <class TList>
  static const TFlashPlaceObject* PlacedAt(const TList& objects, uint16_t depth) {
    const TFlashPlaceObject* found = nullptr;
    for (const auto& object : objects)
      if (auto* place = dynamic_cast<const TFlashPlaceObject*>(object.get()))
        if (place->Depth() == depth) found = place;
    return found;
  }
  template <class T>
  static T* PlacedObject(const TFlashPlaceObject* place) {
    return place ? dynamic_cast<T*>(place->PlacedObject()) : nullptr;
  }

  // Frame `frame` of the movie, closed after the build with enough frames for every sprite to
  // play its timeline through, drawn over white.
  render::TPixmap Draw(int frame) {
    movie->ShowFrame(frame);
    movie->MakeData();
    TMemoryStream out;
    movie->SaveToStream(out);
    out.SetPosition(0);
    TSWFStreamReader reader(out);
    render::TRenderOptions options;
    options.Frame = frame;
    options.Background = 0xFFFFFF;
    return render::RenderFrame(reader, options);
  }

  // The share of pixels in [x0, x1) x [y0, y1) that differ from white by more than 32.
  static double Ink(const render::TPixmap& p, int x0, int y0, int x1, int y1) {
    int inked = 0, all = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x, ++all) {
        const uint8_t* q = p.Row(y) + x * 4;
        if (q[0] < 223 || q[1] < 223 || q[2] < 223) ++inked;
      }
    return all ? double(inked) / all : 0;
  }
  // The share of the box whose colour is near (r, g, b) (within 60 per channel).
  static double Share(const render::TPixmap& p, int x0, int y0, int x1, int y1, int r, int g,
                      int b) {
    int near = 0, all = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x, ++all) {
        const uint8_t* q = p.Row(y) + x * 4;  // BGRA, opaque over the white background
        if (std::abs(q[2] - r) < 60 && std::abs(q[1] - g) < 60 && std::abs(q[0] - b) < 60) ++near;
      }
    return all ? double(near) / all : 0;
  }

  TPageState page = TPageState::Defaults();
  TRandom random{1};
  std::filesystem::path root = std::filesystem::temp_directory_path();
  TDataRoot data{root};
  TWarnings warnings;
  std::unique_ptr<TFlashMovie> movie;
};

}  // namespace orvanta::test
