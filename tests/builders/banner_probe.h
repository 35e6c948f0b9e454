#pragma once

// Builds a page with the standard builders over a small data root of its own and reads the
// main movie back, so that a test looks at what a player would get.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "builders/standard_builders.h"
#include "media/sound_test_util.h"
#include "media/swf_reader.h"
#include "movie/flash_movie.h"
#include "movie/flash_shape.h"
#include "platform/data_root.h"
#include "platform/stream.h"
#include "project/build_driver.h"
#include "swf/swf_object.h"
#include "swf/tag_codes.h"
#include "test_util.h"

namespace orvanta::test {

class BannerProbe : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = std::filesystem::temp_directory_path() /
            ("orvanta_probe_" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "data" / "albumboader");
    std::filesystem::create_directories(root_ / "data" / "sound");
    std::filesystem::create_directories(root_ / "work");
    for (const char* clip : {"now_loading1.swf", "sound_control1.swf"}) WriteClip(clip);
    WriteWholeFile((root_ / "data" / "sound" / "tone.wav").string(),
                   PcmWave(Music(2205, 1, 22050), 1, 22050, 16));
    data_ = std::make_unique<TDataRoot>(root_ / "data");
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  void Set(std::string_view name, std::string_view value) {
    TWarnings ignored;
    doc_.Current.SetField(FindSavedField(name), value, "", 1, ignored);
  }
  TBuildReport Build(TPublishMode mode = TPublishMode::CurrentPage) {
    TBuildDriver driver(*data_, {root_ / "work", 1, mode});
    AddStandardBuilders(driver, EmptyTemplatePack());
    TBuildReport report = driver.Rebuild(doc_, TRebuildOrigin::Command);
    movie_ = std::make_unique<TSWFStreamReader>((root_ / "work" / kMainMovieFile).string());
    movie_->ParseTags(true, false);
    return report;
  }
  // The top-level tags of a kind, in file order.
  template <class T>
  std::vector<const T*> Tags(TTagCode code) const {
    std::vector<const T*> out;
    for (const auto& info : movie_->TagList)
      if (info->TagID == ToCode(code)) out.push_back(dynamic_cast<const T*>(info->TagObject()));
    return out;
  }
  const TSWFTagInfo* FirstTag(TTagCode code) const {
    for (const auto& info : movie_->TagList)
      if (info->TagID == ToCode(code)) return info.get();
    return nullptr;
  }

  std::filesystem::path root_;
  std::unique_ptr<TDataRoot> data_;
  TBannerDocument doc_ = TBannerDocument::New();
  std::unique_ptr<TSWFStreamReader> movie_;

 private:
  // A one-frame movie holding a 150 x 60 box, as the shipped clips do.
  void WriteClip(const std::string& name) {
    TFlashMovie clip(0, 0, 150 * 20, 60 * 20, 12);
    clip.SetPixelUnits(true);
    TFlashShape* box = clip.AddRectangle(0, 0, 150, 60);
    box->SetSolidColor(0, 0, 255);
    clip.PlaceObject(box, 1);
    clip.ShowFrame();
    clip.MakeData();
    clip.SaveToFile((root_ / "data" / "albumboader" / name).string());
  }
};

}  // namespace orvanta::test
