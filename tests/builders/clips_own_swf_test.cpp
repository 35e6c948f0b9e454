#include <zlib.h>

#include "clip_fixture.h"
#include "media/zws_util.h"
#include "script/tags_abc.h"
#include "swf/tags_control.h"

namespace orvanta::test {
namespace {

using ClipsOwnSwfTest = ClipFixture;

std::vector<uint8_t> CwsFromFws(const std::vector<uint8_t>& fws) {
  uLongf size = compressBound(fws.size() - 8);
  std::vector<uint8_t> packed(size);
  EXPECT_EQ(compress2(packed.data(), &size, fws.data() + 8, fws.size() - 8, 6), Z_OK);
  packed.resize(size);
  return Concat({{'C', 'W', 'S', fws[3]}, Bytes(fws.begin() + 4, fws.begin() + 8), packed});
}

TEST_F(ClipsOwnSwfTest, PlainZlibAndLzmaMoviesAllShowAboveTheClips) {
  const std::vector<uint8_t> fws = BoxMovie(300, 200);
  const struct {
    const char* Name;
    std::vector<uint8_t> Bytes;
  } files[] = {
      {"own.swf", fws}, {"own_cws.swf", CwsFromFws(fws)}, {"own_zws.swf", ZwsFromFws(fws)}};
  Set("PageEffectID1", kSnow);
  for (const auto& f : files) {
    WriteFile(root_ / f.Name, f.Bytes);
    Set("PageEffect_filename1", (root_ / f.Name).string());
    const auto reader = Build();
    EXPECT_TRUE(warnings_.empty()) << f.Name;
    const auto own = PlacementsAt(Timeline(MainTags(*reader)), 517);
    ASSERT_EQ(own.size(), 1u) << f.Name;
    EXPECT_EQ(SpriteOf(*reader, own[0].second->CharacterId).FrameCount, 1) << f.Name;
    EXPECT_EQ(builder_->Sizes()[0].Frame.Width, 300) << f.Name;
    EXPECT_EQ(builder_->Sizes()[0].Frame.Height, 200) << f.Name;
  }
}

TEST_F(ClipsOwnSwfTest, HostileOrMissingFilesAreOneWarningAndTheRestStillBuilds) {
  std::vector<uint8_t> fws = BoxMovie(300, 200), noise(5000);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = uint8_t(i * 7919 >> 3);
  std::vector<uint8_t> cut(fws.begin(), fws.begin() + long(fws.size() / 2));
  std::vector<uint8_t> badZlib = CwsFromFws(fws);
  for (size_t i = 10; i < badZlib.size(); ++i) badZlib[i] ^= 0x5A;
  std::vector<uint8_t> hugeZws = ZwsFromFws(fws);
  hugeZws[4] = hugeZws[5] = hugeZws[6] = hugeZws[7] = 0xFF;  // claims 4 GB
  std::vector<uint8_t> wideFrame = fws;
  wideFrame[8] = 0xF8;  // 31-bit rectangle fields: the frame is read from garbage
  fs::create_directories(root_ / "folder.swf");
  const struct {
    const char* Name;
    std::vector<uint8_t> Bytes;
  } files[] = {{"noise.swf", noise},     {"cut.swf", cut},
               {"badzlib.swf", badZlib}, {"hugezws.swf", hugeZws},
               {"empty.swf", {}},        {"folder.swf", {}},
               {"missing.swf", {}},      {"wideframe.swf", wideFrame}};
  Set("PageEffectID1", kSnow);
  for (const auto& f : files) {
    const fs::path path = root_ / f.Name;
    if (!f.Bytes.empty() || std::string(f.Name) == "empty.swf") WriteFile(path, f.Bytes);
    Set("PageEffect_filename1", path.string());
    const auto reader = Build();
    const auto main = Timeline(MainTags(*reader));
    EXPECT_EQ(PlacementsAt(main, 515).size(), 1u) << f.Name;
    if (std::string(f.Name) == "wideframe.swf") {
      // Whatever the rectangle says, the sizes stay bounded.
      EXPECT_LE(builder_->Sizes()[0].Frame.Width, TClipFrame::kMaxSide);
      continue;
    }
    ASSERT_EQ(warnings_.size(), 1u) << f.Name;
    EXPECT_EQ(warnings_[0].Field, "PageEffect_filename1");
    EXPECT_NE(warnings_[0].Message.find(path.string()), std::string::npos) << warnings_[0].Message;
    EXPECT_TRUE(PlacementsAt(main, 517).empty()) << f.Name;
    EXPECT_EQ(builder_->Sizes()[0].Frame.Width, 0) << f.Name;
  }
}

TEST_F(ClipsOwnSwfTest, ActionScript3MovieShowsWithoutItsScriptsAndWithAWarning) {
  const std::vector<uint8_t> as3 = BoxMovie(300, 200, [](TFlashMovie& movie) {
    movie.UseFileAttributes = true;
    movie.FileAttributes().ActionScript3 = true;
    auto abc = std::make_unique<TSWFDoABC>();
    abc->Name = "frame1";
    movie.Add(std::move(abc));
  });
  WriteFile(root_ / "as3.swf", as3);
  Set("PageEffect_filename1", (root_ / "as3.swf").string());
  const auto reader = Build();
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_NE(warnings_[0].Message.find("ActionScript 3"), std::string::npos);
  EXPECT_EQ(PlacementsAt(Timeline(MainTags(*reader)), 517).size(), 1u);
  for (const auto& info : reader->TagList) {
    EXPECT_NE(info->StoredCode(), ToCode(TTagCode::DoABC));
    EXPECT_NE(info->StoredCode(), ToCode(TTagCode::FileAttributes));
  }
}

}  // namespace
}  // namespace orvanta::test
