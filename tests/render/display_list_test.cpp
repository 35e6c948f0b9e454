#include "render/display_list.h"

#include <gtest/gtest.h>

#include <vector>

#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "platform/errors.h"
#include "render_test_util.h"
#include "swf/tags_button.h"
#include "swf/tags_control.h"
#include "swf/tags_display.h"

namespace orvanta::render {
namespace {

using test::Reread;

std::vector<uint16_t> Depths(const TDisplayList& list) {
  std::vector<uint16_t> depths;
  for (const auto& [depth, object] : list) depths.push_back(depth);
  return depths;
}

const TDisplayObject& At(const TDisplayList& list, uint16_t depth) {
  auto it = list.find(depth);
  if (it == list.end()) throw std::runtime_error("nothing at depth " + std::to_string(depth));
  return *it->second;
}

class MoviePlayerTest : public ::testing::Test {
 protected:
  TFlashMovie movie{0, 0, 100, 100, 12, true};
  TFlashShape* a = movie.AddRectangle(0, 0, 10, 10);
  TFlashShape* b = movie.AddRectangle(0, 0, 20, 20);
};

TEST_F(MoviePlayerTest, PlacesMovesAndRemovesFrameByFrame) {
  movie.PlaceObject(a, 1);
  movie.ShowFrame();
  TFlashPlaceObject* move = movie.PlaceObject(nullptr, 1);
  move->SetMove(true);
  move->SetTranslate(30, 40);
  movie.PlaceObject(b, 2);
  movie.ShowFrame();
  movie.RemoveObject(1);
  movie.ShowFrame();
  auto reader = Reread(movie);
  TMoviePlayer player(*reader);
  ASSERT_EQ(player.FrameCount(), 3);

  player.GotoFrame(1);
  EXPECT_EQ(Depths(player.DisplayList()), std::vector<uint16_t>{1});
  EXPECT_EQ(At(player.DisplayList(), 1).CharacterId, a->CharacterId());

  player.GotoFrame(2);
  EXPECT_EQ(Depths(player.DisplayList()), (std::vector<uint16_t>{1, 2}));
  const TDisplayObject& moved = At(player.DisplayList(), 1);
  EXPECT_EQ(moved.CharacterId, a->CharacterId());
  EXPECT_EQ(moved.Matrix.TranslateX, 600);
  EXPECT_EQ(moved.Matrix.TranslateY, 800);

  player.GotoFrame(3);
  EXPECT_EQ(Depths(player.DisplayList()), std::vector<uint16_t>{2});

  // Going back plays again from the start.
  player.GotoFrame(1);
  EXPECT_EQ(Depths(player.DisplayList()), std::vector<uint16_t>{1});
  EXPECT_EQ(At(player.DisplayList(), 1).Matrix.TranslateX, 0);

  EXPECT_THROW(player.GotoFrame(4), FormatError);
  EXPECT_THROW(player.GotoFrame(0), FormatError);
}

TEST_F(MoviePlayerTest, NewCharacterAtOccupiedDepthKeepsThePlacement) {
  TFlashPlaceObject* place = movie.PlaceObject(a, 1);
  place->SetTranslate(5, 6);
  place->SetColorTransform(true, 10, 20, 30, 0, false, 0, 0, 0, 0, true);
  movie.ShowFrame();
  TFlashPlaceObject* swap = movie.PlaceObject(b, 1);
  swap->SetMove(true);
  movie.ShowFrame();
  auto reader = Reread(movie);
  TMoviePlayer player(*reader);
  player.GotoFrame(2);
  const TDisplayObject& object = At(player.DisplayList(), 1);
  EXPECT_EQ(object.CharacterId, b->CharacterId());
  EXPECT_EQ(object.Matrix.TranslateX, 100);
  EXPECT_EQ(object.Matrix.TranslateY, 120);
  EXPECT_EQ(object.ColorTransform.GreenAdd, 20);
}

TEST_F(MoviePlayerTest, SpritesAdvanceFromTheirPlacementAndLoop) {
  // Frames of the sprite: {a}, {a, b}, {a, b}.
  TFlashSprite* sprite = movie.AddSprite();
  sprite->PlaceObject(a, 1);
  sprite->ShowFrame();
  sprite->PlaceObject(b, 2);
  sprite->ShowFrame();
  sprite->ShowFrame();
  movie.PlaceObject(sprite, 1);
  movie.ShowFrame();
  movie.PlaceObject(sprite, 2);
  movie.ShowFrame(4);
  auto reader = Reread(movie);
  TMoviePlayer player(*reader);
  ASSERT_EQ(player.FrameCount(), 5);

  player.GotoFrame(1);
  EXPECT_EQ(At(player.DisplayList(), 1).CurrentFrame, 1);
  EXPECT_EQ(Depths(At(player.DisplayList(), 1).Children), std::vector<uint16_t>{1});

  player.GotoFrame(3);
  EXPECT_EQ(At(player.DisplayList(), 1).CurrentFrame, 3);
  EXPECT_EQ(At(player.DisplayList(), 2).CurrentFrame, 2);
  EXPECT_EQ(Depths(At(player.DisplayList(), 2).Children), (std::vector<uint16_t>{1, 2}));

  // The first instance loops: what its second frame placed goes, the first frame's stays.
  player.GotoFrame(4);
  const TDisplayObject& looped = At(player.DisplayList(), 1);
  EXPECT_EQ(looped.CurrentFrame, 1);
  EXPECT_EQ(Depths(looped.Children), std::vector<uint16_t>{1});
  EXPECT_EQ(At(player.DisplayList(), 2).CurrentFrame, 3);

  player.GotoFrame(5);
  EXPECT_EQ(At(player.DisplayList(), 1).CurrentFrame, 2);
  EXPECT_EQ(At(player.DisplayList(), 2).CurrentFrame, 1);
}

TEST_F(MoviePlayerTest, ButtonsShowTheirUpState) {
  auto button = std::make_unique<TSWFDefineButton2>();
  button->ButtonId = 500;
  TSWFButtonRecord& up = button->AddRecord();
  up.States = kButtonStateUp;
  up.CharacterID = a->CharacterId();
  up.PlaceDepth = 3;
  up.PlaceMatrix().SetTranslate(40, 0);
  TSWFButtonRecord& over = button->AddRecord();
  over.States = kButtonStateOver | kButtonStateHitTest;
  over.CharacterID = b->CharacterId();
  over.PlaceDepth = 4;
  movie.Add(std::move(button));
  auto place = std::make_unique<TSWFPlaceObject2>();
  place->Depth = 1;
  place->SetCharacterId(500);
  movie.Add(std::move(place));
  movie.ShowFrame();
  auto reader = Reread(movie);
  TMoviePlayer player(*reader);
  player.GotoFrame(1);
  const TDisplayObject& shown = At(player.DisplayList(), 1);
  ASSERT_EQ(Depths(shown.Children), std::vector<uint16_t>{3});
  EXPECT_EQ(At(shown.Children, 3).CharacterId, a->CharacterId());
  EXPECT_EQ(At(shown.Children, 3).Matrix.TranslateX, 40);
}

TEST_F(MoviePlayerTest, PlacementsOfUnknownCharactersAreSkipped) {
  auto early = std::make_unique<TSWFPlaceObject2>();
  early->Depth = 1;
  early->SetCharacterId(777);
  movie.Add(std::move(early));
  movie.PlaceObject(a, 2);
  movie.ShowFrame();
  auto reader = Reread(movie);
  TMoviePlayer player(*reader);
  player.GotoFrame(1);
  EXPECT_EQ(Depths(player.DisplayList()), std::vector<uint16_t>{2});
}

// A sprite that places itself would nest without end.
TEST_F(MoviePlayerTest, SelfNestingSpriteIsRefused) {
  auto sprite = std::make_unique<TSWFDefineSprite>();
  sprite->SpriteID = 900;
  sprite->FrameCount = 1;
  auto inner = std::make_unique<TSWFPlaceObject2>();
  inner->Depth = 1;
  inner->SetCharacterId(900);
  sprite->ControlTags.push_back(std::move(inner));
  sprite->ControlTags.push_back(std::make_unique<TSWFShowFrame>());
  movie.Add(std::move(sprite));
  auto place = std::make_unique<TSWFPlaceObject2>();
  place->Depth = 1;
  place->SetCharacterId(900);
  movie.Add(std::move(place));
  movie.ShowFrame();
  auto reader = Reread(movie);
  TMoviePlayer player(*reader);
  EXPECT_THROW(player.GotoFrame(1), FormatError);
}

TEST_F(MoviePlayerTest, WorkLimitStopsRunawayMovies) {
  TFlashSprite* sprite = movie.AddSprite(a);
  sprite->ShowFrame(2);
  for (uint16_t d = 1; d <= 50; ++d) movie.PlaceObject(sprite, d);
  movie.ShowFrame(200);
  auto reader = Reread(movie);
  TPlayLimits limits;
  limits.MaxWork = 5000;
  TMoviePlayer player(*reader, limits);
  EXPECT_THROW(player.GotoFrame(200), FormatError);

  TPlayLimits few;
  few.MaxObjects = 40;
  TMoviePlayer crowded(*reader, few);
  EXPECT_THROW(crowded.GotoFrame(1), FormatError);
}

TEST(SplitFrames, TrailingTagsAndDeclaredFramesAddFrames) {
  TSWFShowFrame show;
  TSWFRemoveObject2 remove;
  TSWFEnd end;
  TTimeline t = SplitFrames({&remove, &show, &remove, &remove, &end});
  ASSERT_EQ(t.FrameCount(), 2);
  EXPECT_EQ(t.Frames[0].size(), 1u);
  EXPECT_EQ(t.Frames[1].size(), 2u);
  // An End tag is no frame; without any ShowFrame everything is one frame.
  EXPECT_EQ(SplitFrames({&remove, &show, &end}).FrameCount(), 1);
  EXPECT_EQ(SplitFrames({&remove, &remove}).Frames.at(0).size(), 2u);
  EXPECT_EQ(SplitFrames({}).FrameCount(), 1);
  // A header that declares more frames than there are gets empty ones.
  t = SplitFrames({&remove, &show}, 4);
  ASSERT_EQ(t.FrameCount(), 4);
  EXPECT_TRUE(t.Frames[3].empty());
  EXPECT_EQ(SplitFrames({&show, &show, &show}, 1).FrameCount(), 3);
}

}  // namespace
}  // namespace orvanta::render
