#include "movie/flash_movie.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "media/flash_sound.h"
#include "movie/flash_font.h"
#include "movie/flash_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "platform/errors.h"
#include "platform/font_engine.h"
#include "platform/stream.h"
#include "swf/tags_control.h"
#include "swf/tags_display.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::Bytes;

// A tag of any code, standing for classes the movie treats by their code.
class CodedTag : public TSWFObject {
 public:
  explicit CodedTag(uint16_t code, int minVersion = 1) : TSWFObject(code), min_(minVersion) {}
  int MinVersion() const override { return min_; }
  void WriteTagBody(TBitsEngine& e) override { e.WriteByte(static_cast<uint8_t>(TagID)); }

 private:
  int min_;
};

class Character : public TFlashIDObject {
 public:
  void WriteToStream(TBitsEngine&) override {}
};

Bytes Saved(TFlashMovie& movie) {
  TMemoryStream out;
  movie.SaveToStream(out);
  return out.Bytes();
}

Bytes Body(TFlashMovie& movie) {
  return movie.BodyStream().Bytes();
}

std::vector<uint16_t> Codes(const Bytes& body) {
  std::vector<uint16_t> codes;
  TMemoryStream s(body);
  TBitsEngine e(s);
  while (s.Remaining() > 0) {
    uint16_t header = e.ReadWord();
    uint32_t length = header & 0x3F;
    if (length == 0x3F) length = e.ReadDWord();
    codes.push_back(header >> 6);
    s.SetPosition(s.Position() + length);
  }
  return codes;
}

TEST(FlashMovie, EmptyMovieIsHeaderAndEnd) {
  TFlashMovie movie(0, 0, 100, 100, 12);
  EXPECT_EQ(movie.MakeData(), 5);
  EXPECT_EQ(movie.FrameCount(), 0);
  Bytes file = Saved(movie);
  ASSERT_EQ(file.size(), movie.HeaderSize() + 2);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 4), (Bytes{'F', 'W', 'S', 5}));
  EXPECT_EQ(file[4], file.size());  // FileLength, low byte
  EXPECT_EQ(Bytes(file.end() - 2, file.end()), (Bytes{0, 0}));
}

TEST(FlashMovie, HeaderCarriesFrameSizeRateAndCount) {
  TFlashMovie movie(0, 0, 550, 400, 25.5, true);
  movie.ShowFrame(3);
  movie.MakeData();
  Bytes file = Saved(movie);
  TMemoryStream s(file);
  s.SetPosition(8);
  TBitsEngine e(s);
  EXPECT_EQ(e.ReadRect(), TSWFRect(0, 0, 11000, 8000));
  EXPECT_EQ(e.ReadWord(), 0x1980);
  EXPECT_EQ(e.ReadWord(), 3);
  EXPECT_EQ(movie.HeaderSize(), 21u);
}

TEST(FlashMovie, PlacementWithoutFrameGetsOneShowFrame) {
  TFlashMovie movie(0, 0, 100, 100, 12);
  auto place = std::make_unique<TSWFPlaceObject2>();
  place->Depth = 1;
  movie.Add(std::move(place));
  movie.MakeData();
  EXPECT_EQ(movie.FrameCount(), 1);
  EXPECT_EQ(Codes(Body(movie)), (std::vector<uint16_t>{26, 1, 0}));
}

TEST(FlashMovie, ExistingEndTagIsNotDoubled) {
  TFlashMovie movie(0, 0, 100, 100, 12);
  movie.ShowFrame();
  movie.Add(std::make_unique<TSWFEnd>());
  movie.MakeData();
  EXPECT_EQ(Codes(Body(movie)), (std::vector<uint16_t>{1, 0}));
}

TEST(FlashMovie, ShowFrameEmitsLabelThenFrames) {
  TFlashMovie movie(0, 0, 100, 100, 12);
  movie.ShowFrame(0);
  movie.FrameLabel = "five";
  movie.ShowFrame(5);
  EXPECT_EQ(movie.CurrentFrameNum, 5);
  EXPECT_TRUE(movie.FrameLabel.empty());
  movie.MakeData();
  EXPECT_EQ(movie.FrameCount(), 6);
  EXPECT_EQ(Codes(Body(movie)), (std::vector<uint16_t>{1, 43, 1, 1, 1, 1, 1, 0}));
}

TEST(FlashMovie, SettingsTagsComeFirstInFixedOrder) {
  TFlashMovie movie(0, 0, 100, 100, 12);
  movie.UseFileAttributes = true;
  movie.FileAttributes().HasMetadata = true;
  movie.Metadata = "<x/>";
  movie.BackgroundColor().SetColor(0x0000FF);
  movie.Protect = true;
  movie.ShowFrame();
  movie.MakeData();
  EXPECT_EQ(Codes(Body(movie)), (std::vector<uint16_t>{69, 77, 9, 24, 1, 0}));
  // The password hash makes Protect a version 5 tag; file attributes and metadata raise nothing.
  EXPECT_EQ(movie.Version(), 5);
  movie.Password = "secret";
  EXPECT_EQ(movie.MakeData(), 5);
  Bytes body = Body(movie);
  EXPECT_NE(std::search(body.begin(), body.end(), "$1$", "$1$" + 3), body.end());
}

TEST(FlashMovie, VersionRisesToTheNeedsOfItsObjects) {
  TFlashMovie movie(0, 0, 100, 100, 12);
  movie.SetVersion(8);
  movie.UseFileAttributes = true;
  movie.MakeData();
  EXPECT_EQ(movie.Version(), 8);
  movie.Add(std::make_unique<CodedTag>(200, 9));
  EXPECT_EQ(movie.MakeData(), 9);
  EXPECT_FALSE(movie.CorrectImageFill);
}

TEST(FlashMovie, CompressedOutputIsVersion6CwsWithUncompressedLength) {
  TFlashMovie movie(0, 0, 100, 100, 12);
  movie.SetCompressed(true);
  EXPECT_EQ(movie.Version(), 6);
  movie.SetVersion(5);
  EXPECT_EQ(movie.Version(), 6);
  for (int i = 0; i < 50; ++i) movie.ShowFrame();
  std::vector<int> phases;
  movie.OnProgress = [&](int percent, int phase) {
    EXPECT_LE(percent, 100);
    phases.push_back(phase * 1000 + percent);
  };
  movie.MakeData();
  Bytes file = Saved(movie);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 4), (Bytes{'C', 'W', 'S', 6}));
  uint32_t fileLength = file[4] | file[5] << 8 | file[6] << 16 | file[7] << 24;
  EXPECT_EQ(fileLength, movie.HeaderSize() + Body(movie).size());

  Bytes plain(fileLength - 8);
  uLongf plainSize = plain.size();
  ASSERT_EQ(uncompress(plain.data(), &plainSize, file.data() + 8, file.size() - 8), Z_OK);
  ASSERT_EQ(plainSize, plain.size());
  Bytes body = Body(movie);
  EXPECT_TRUE(std::equal(body.begin(), body.end(), plain.end() - body.size()));
  ASSERT_FALSE(phases.empty());
  EXPECT_EQ(phases.back(), 2100);
  EXPECT_NE(std::find(phases.begin(), phases.end(), 1100), phases.end());
}

TEST(FlashMovie, IdsStartAtOneAndNeverRepeat) {
  TFlashMovie movie(0, 0, 100, 100, 12);
  auto* first = movie.AddIDObject(std::make_unique<Character>(), true);
  auto* second = movie.AddIDObject(std::make_unique<Character>(), true);
  auto* unnumbered = movie.AddIDObject(std::make_unique<Character>(), false);
  EXPECT_EQ(first->CharacterId(), 1);
  EXPECT_EQ(second->CharacterId(), 2);
  EXPECT_EQ(unnumbered->CharacterId(), 0);
  EXPECT_EQ(first->Owner(), &movie);
  EXPECT_EQ(movie.NextCharacterID(), 3);
}

// Past 65,535 the 16-bit fields would wrap; the movie refuses instead and stays as it was.
TEST(FlashMovie, FrameAndIdLimitsRaiseInsteadOfWrapping) {
  auto expectLimit = [](auto&& add, const std::string& message) {
    try {
      add();
      ADD_FAILURE() << "no error for " << message;
    } catch (const Error& e) {
      EXPECT_EQ(e.what(), message);
    }
  };
  TFlashMovie movie(0, 0, 100, 100, 12);
  movie.ShowFrame(65534);
  expectLimit([&] { movie.ShowFrame(2); }, "the movie has more than 65,535 frames");
  movie.FrameLabel = "last";
  movie.ShowFrame();
  const size_t objects = movie.ObjectList().size();
  expectLimit([&] { movie.ShowFrame(); }, "the movie has more than 65,535 frames");
  EXPECT_EQ(movie.FrameCount(), 65535);
  EXPECT_EQ(movie.ObjectList().size(), objects);
  movie.MakeData();
  EXPECT_EQ(movie.FrameCount(), 65535);

  TFlashSprite* sprite = movie.AddSprite();
  sprite->ShowFrame(65535);
  expectLimit([&] { sprite->ShowFrame(); }, "the sprite has more than 65,535 frames");
  EXPECT_EQ(sprite->FrameCount(), 65535);

  movie.SetNextCharacterID(65535);
  EXPECT_EQ(movie.AddIDObject(std::make_unique<Character>(), true)->CharacterId(), 65535);
  const size_t withLast = movie.ObjectList().size();
  expectLimit([&] { movie.AddShape(); }, "the movie has more than 65,535 character ids");
  expectLimit([&] { movie.AddIDObject(std::make_unique<Character>(), true); },
              "the movie has more than 65,535 character ids");
  EXPECT_EQ(movie.ObjectList().size(), withLast);
  EXPECT_EQ(movie.Shapes.size(), 0u);
}

// Two movies drawing from one generator, seeded alike, come out the same byte for byte: the
// password salt and an import's font prefixes all come from it.
TEST(FlashMovie, SharedSeededGeneratorMakesBuildsReproducible) {
  TFlashMovie source(0, 0, 100, 100, 12);
  source.AddFont(TFontDescription{"DejaVu Sans", 12});
  source.ShowFrame();
  source.MakeData();
  const Bytes sourceFile = Saved(source);

  auto build = [&](uint64_t seed) {
    TRandom random(seed);
    Bytes files;
    for (int i = 0; i < 2; ++i) {
      TFlashMovie movie(0, 0, 100, 100, 12);
      movie.UseRandom(random);
      movie.Protect = true;
      movie.Password = "secret";
      TMemoryStream in(sourceFile);
      movie.AddExternalMovie(in);
      movie.ShowFrame();
      movie.MakeData();
      Bytes file = Saved(movie);
      files.insert(files.end(), file.begin(), file.end());
    }
    return files;
  };
  EXPECT_EQ(build(7), build(7));
  EXPECT_NE(build(7), build(8));
}

TEST(FlashMovie, RemoveObjectPicksTheTagByWhatIsKnown) {
  TFlashMovie movie(0, 0, 100, 100, 12);
  auto* character = movie.AddIDObject(std::make_unique<Character>(), true);
  EXPECT_EQ(movie.RemoveObject(4, character)->TagID, ToCode(TTagCode::RemoveObject));
  EXPECT_EQ(movie.RemoveObject(4)->TagID, ToCode(TTagCode::RemoveObject2));
  EXPECT_EQ(movie.ExportAssets("clip", 1)->TagID, ToCode(TTagCode::ExportAssets));
}

TEST(FlashMovie, AddModesInsertInCallOrder) {
  TFlashMovie movie(0, 0, 100, 100, 12);
  movie.Add(std::make_unique<CodedTag>(100));
  movie.ShowFrame();
  movie.Add(std::make_unique<CodedTag>(101));
  movie.ShowFrame();
  // Insert mode: at index 1, then 2.
  movie.AddMode = 1;
  movie.AddPosition = 1;
  movie.Add(std::make_unique<CodedTag>(150));
  movie.Add(std::make_unique<CodedTag>(151));
  EXPECT_EQ(movie.AddPosition, 3);
  // Frame mode: in front of the ShowFrame at or below AddPosition.
  movie.AddMode = 2;
  movie.AddPosition = 4;  // the 101 tag; the ShowFrame at or below it is index 3
  movie.Add(std::make_unique<CodedTag>(160));
  movie.MakeData();
  EXPECT_EQ(Codes(Body(movie)), (std::vector<uint16_t>{100, 150, 151, 160, 1, 101, 1, 0}));
  // Appending resumes at the end once AddPosition reaches the last index.
  movie.AddMode = 1;
  movie.AddPosition = -1;
  movie.Add(std::make_unique<CodedTag>(170));
  EXPECT_EQ(static_cast<TSWFObject&>(*movie.ObjectList().back()).TagID, 170);
}

TEST(FlashMovie, FramePositionCountsShowFrames) {
  TFlashMovie movie(0, 0, 100, 100, 12);
  EXPECT_EQ(movie.FramePosition(1), 0);
  movie.Add(std::make_unique<CodedTag>(100));
  movie.ShowFrame();
  movie.Add(std::make_unique<CodedTag>(100));
  movie.ShowFrame();
  EXPECT_EQ(movie.FramePosition(0), 0);
  EXPECT_EQ(movie.FramePosition(1), 1);
  EXPECT_EQ(movie.FramePosition(2), 3);
  EXPECT_EQ(movie.FramePosition(9), 3);
}

TEST(FlashMovie, MoveResourceHoistsDefinitionsKeepingOrder) {
  TFlashMovie movie(0, 0, 100, 100, 12);
  movie.Add(std::make_unique<CodedTag>(100));
  movie.ShowFrame();  // frame 0 ends at index 1
  movie.Add(std::make_unique<CodedTag>(101));
  movie.Add(std::make_unique<CodedTag>(21));  // bitmap
  movie.ShowFrame();                          // frame 1 ends at index 4
  movie.Add(std::make_unique<CodedTag>(48));  // font
  movie.Add(std::make_unique<CodedTag>(102));
  movie.Add(std::make_unique<CodedTag>(14));  // sound
  auto* sound = movie.AddSound("");           // a builder resource: an empty DefineSound
  movie.ShowFrame();                          // frame 2 ends at index 9
  movie.MoveResource(0, 1,
                     2);  // frames count from 0: frame 1 is the content after the first ShowFrame
  EXPECT_EQ(movie.ObjectList()[3].get(), static_cast<TBasedSWFObject*>(sound));
  movie.MakeData();
  EXPECT_EQ(Codes(Body(movie)), (std::vector<uint16_t>{21, 48, 14, 14, 100, 1, 101, 1, 102, 1, 0}));
}

TEST(FlashMovie, SaveToFileReplacesAndReportsFailures) {
  TFlashMovie movie(0, 0, 100, 100, 12);
  movie.MakeData();
  std::string path = testing::TempDir() + "movie_test.swf";
  WriteWholeFile(path, Bytes(1000, 0xAA));
  movie.SaveToFile(path);
  EXPECT_EQ(ReadWholeFile(path), Saved(movie));
  EXPECT_THROW(movie.SaveToFile("/nonexistent-dir/x.swf"), FileError);
}

}  // namespace
}  // namespace orvanta
