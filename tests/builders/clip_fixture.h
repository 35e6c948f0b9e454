#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "builders/clips/movie_clip_builder.h"
#include "media/clip_source.h"
#include "media/swf_reader.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "platform/data_root.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "project/banner_document.h"
#include "project/field_registry.h"
#include "swf/tag_codes.h"
#include "swf/tags_display.h"

namespace orvanta::test {

namespace fs = std::filesystem;

// A one-frame movie of w x h pixels showing a filled box; extra lets a test add its own tags.
inline std::vector<uint8_t> BoxMovie(int w, int h,
                                     const std::function<void(TFlashMovie&)>& extra = {}) {
  TFlashMovie movie(0, 0, w, h, 12, true);
  movie.SetVersion(8);
  TFlashShape* box = movie.AddRectangle(0, 0, w, h);
  box->SetSolidColor(200, 60, 40);
  movie.PlaceObject(box, 1);
  if (extra) extra(movie);
  movie.ShowFrame();
  movie.MakeData();
  TMemoryStream out;
  movie.SaveToStream(out);
  return out.TakeBytes();
}

inline void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  fs::create_directories(path.parent_path());
  WriteWholeFile(path.string(), bytes);
}

// Clip names of the table by index, as the fixture's sources hold them.
inline constexpr int kSnow = 1, kBubbles = 3, kCloud = 5, kRadial = 8;

// A data root and a template pack with four clips, one in each source (a ".swf" and a ".ddt"
// file, two templates) and the reveal mask, and a page whose fields the test sets.
class ClipFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() /
            ("orvanta_clips_" + std::to_string(::getpid()) + "_" + info->name());
    fs::remove_all(root_);
    WriteFile(root_ / "data/mc_thumb/bubbles.swf", BoxMovie(120, 80));
    WriteFile(root_ / "data/mc_thumb/cloud.ddt", CompressClipFile(BoxMovie(90, 30)));
    WriteFile(root_ / "data/albumboader/fronteffectboxeffect3.swf", BoxMovie(465, 350));
    fs::create_directories(root_ / "work");
    TTemplatePackWriter writer;
    writer.Add("snow", "clips", BoxMovie(200, 100));
    writer.Add("radial", "clips", BoxMovie(64, 64));
    writer.Add("icon1", "clips", BoxMovie(40, 40));
    packBytes_ = writer.Bytes();
    pack_ = std::make_unique<TTemplatePack>(packBytes_);
    data_ = std::make_unique<TDataRoot>(root_ / "data");
    builder_ = std::make_unique<TMovieClipBuilder>(*pack_);
  }
  void TearDown() override {
    // A test may have taken the write permissions away.
    std::error_code ec;
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ec);
    for (const auto& entry : fs::recursive_directory_iterator(root_, ec))
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
  }

  void Set(std::string_view name, const std::string& value) {
    TWarnings ignored;
    page_.SetField(FindSavedField(name), value, "", 1, ignored);
  }
  void Set(std::string_view name, int value) { Set(name, std::to_string(value)); }

  // Runs the builder on a fresh main movie and reads back what it wrote.
  std::unique_ptr<TSWFStreamReader> Build() {
    TFlashMovie movie(0, 0, 16000, 16000, 12);
    movie.SetPixelUnits(true);
    movie.SetVersion(8);
    TRandom random(3);
    movie.UseRandom(random);
    warnings_.clear();
    TBuildContext context{random, *data_, warnings_, 1};
    items_ = builder_->Build(movie, page_, DepthPlanFor(page_), context);
    movie.ShowFrame();
    movie.MakeData();
    TMemoryStream out;
    movie.SaveToStream(out);
    written_ = out.TakeBytes();
    TMemoryViewStream in(written_);
    auto reader = std::make_unique<TSWFStreamReader>(in);
    reader->ParseTags(true, true);
    return reader;
  }

  fs::path root_;
  std::vector<uint8_t> packBytes_, written_;
  std::unique_ptr<TTemplatePack> pack_;
  std::unique_ptr<TDataRoot> data_;
  TPageState page_ = TPageState::Defaults();
  TWarnings warnings_;
  std::vector<TBuiltItem> items_;
  std::unique_ptr<TMovieClipBuilder> builder_;
};

// A display-list or script tag with the frame (from 1) it belongs to.
struct TTimelineTag {
  int Frame;
  const TSWFObject* Tag;
};

inline std::vector<TTimelineTag> Timeline(const std::vector<const TSWFObject*>& tags) {
  std::vector<TTimelineTag> out;
  int frame = 1;
  for (const TSWFObject* tag : tags) {
    if (tag->TagID == ToCode(TTagCode::ShowFrame))
      ++frame;
    else if (tag->TagID != ToCode(TTagCode::End))
      out.push_back({frame, tag});
  }
  return out;
}

inline std::vector<const TSWFObject*> MainTags(const TSWFStreamReader& reader) {
  std::vector<const TSWFObject*> tags;
  for (const auto& info : reader.TagList) tags.push_back(info->TagObject());
  return tags;
}

inline const TSWFDefineSprite& SpriteOf(const TSWFStreamReader& reader, uint16_t id) {
  for (const auto& info : reader.TagList)
    if (auto* sprite = dynamic_cast<const TSWFDefineSprite*>(info->TagObject()))
      if (sprite->SpriteID == id) return *sprite;
  throw Error("no sprite " + std::to_string(id));
}

inline std::vector<const TSWFObject*> SpriteTags(const TSWFStreamReader& reader, uint16_t id) {
  std::vector<const TSWFObject*> tags;
  for (const auto& tag : SpriteOf(reader, id).ControlTags) tags.push_back(tag.get());
  return tags;
}

// Every placement of a timeline at one depth, in order.
inline std::vector<std::pair<int, const TSWFPlaceObject2*>> PlacementsAt(
    const std::vector<TTimelineTag>& timeline, uint16_t depth) {
  std::vector<std::pair<int, const TSWFPlaceObject2*>> out;
  for (const auto& [frame, tag] : timeline)
    if (auto* place = dynamic_cast<const TSWFPlaceObject2*>(tag))
      if (place->Depth == depth) out.push_back({frame, place});
  return out;
}

}  // namespace orvanta::test
