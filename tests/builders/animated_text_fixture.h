#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "builders/animated_text/animated_text_builder.h"
#include "builders/animated_text/text_companions.h"
#include "media/swf_reader.h"
#include "movie/flash_movie.h"
#include "platform/data_root.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "project/field_registry.h"

namespace orvanta::test {

// The pack and data root the artwork build made, read once.
inline const TTemplatePack& Templates() {
  static const std::vector<uint8_t> bytes = [] {
    std::ifstream in(ORVANTA_TEMPLATE_PACK, std::ios::binary);
    return std::vector<uint8_t>{std::istreambuf_iterator<char>(in), {}};
  }();
  static const TTemplatePack pack(bytes);
  return pack;
}

// A page of the animated text editor built into a main movie the way the driver does: the
// companions, the text frames, then the two closing frames.
class AnimatedTextPage {
 public:
  AnimatedTextPage() {
    Set("SWFWidth", "400");
    Set("SWFHeight", "200");
  }
  void Set(std::string_view name, std::string_view value) {
    TWarnings ignored;
    page_.SetField(FindSavedField(name), value, "", 1, ignored);
  }
  void Text(std::string text) { page_.InputText = std::move(text); }
  TPageState& Page() { return page_; }

  // The movie written and read back, as a player gets it.
  std::unique_ptr<TSWFStreamReader> Build(uint64_t seed = 1) {
    Warnings.clear();
    Items.clear();
    TRandom random(seed);
    TBuildContext context{random, data_, Warnings, 1};
    const TDepthPlan depths;
    movie_ = std::make_unique<TFlashMovie>(0, 0, IntegerField(page_, "SWFWidth") * 20,
                                           IntegerField(page_, "SWFHeight") * 20,
                                           IntegerField(page_, "SpeedFPS"));
    movie_->SetPixelUnits(true);
    movie_->SetVersion(8);
    movie_->UseRandom(random);
    TTextCompanionsBuilder(Templates()).Build(*movie_, page_, depths, context);
    Items = TAnimatedTextBuilder(Templates()).Build(*movie_, page_, depths, context);
    movie_->ShowFrame(2);
    IdsUsed = movie_->NextCharacterID() - 1;
    movie_->MakeData();
    TMemoryStream stream;
    movie_->SaveToStream(stream);
    Bytes = stream.Bytes();
    stream.SetPosition(0);
    auto reader = std::make_unique<TSWFStreamReader>(stream);
    reader->ParseTags(true, false);
    return reader;
  }

  TWarnings Warnings;
  std::vector<TBuiltItem> Items;
  int IdsUsed = 0;
  std::vector<uint8_t> Bytes;

 private:
  TPageState page_ = TPageState::Defaults();
  TDataRoot data_{ORVANTA_DATA_ROOT};
  std::unique_ptr<TFlashMovie> movie_;
};

}  // namespace orvanta::test
