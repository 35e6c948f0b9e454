#include "movie/flash_sprite.h"

#include <gtest/gtest.h>

#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "script/flash_action_script.h"
#include "swf/tags_display.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::Bytes;
using test::Concat;

class Shape : public TFlashVisualObject {
 public:
  void WriteToStream(TBitsEngine&) override {}
};

Bytes Written(TBasedSWFObject& obj) {
  return test::Written([&](TBitsEngine& e) { obj.WriteToStream(e); });
}

// The codes of the tags in a run of tags.
std::vector<uint16_t> Codes(const Bytes& tags) {
  std::vector<uint16_t> codes;
  TMemoryStream s(tags);
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

struct FlashSprite : ::testing::Test {
  FlashSprite() : movie(0, 0, 100, 100, 12, true) {}
  Shape* AddShape() {
    return static_cast<Shape*>(movie.AddIDObject(std::make_unique<Shape>(), true));
  }
  size_t IndexOf(const TBasedSWFObject* obj) const {
    for (size_t i = 0; i < movie.ObjectList().size(); ++i)
      if (movie.ObjectList()[i].get() == obj) return i;
    return movie.ObjectList().size();
  }
  TFlashMovie movie;
};

TEST_F(FlashSprite, EmptyTimelineGetsOneFrame) {
  TFlashSprite* sprite = movie.AddSprite();
  EXPECT_EQ(sprite->CharacterId(), 1);
  EXPECT_EQ(movie.Sprites, std::vector<TFlashSprite*>{sprite});
  EXPECT_EQ(Written(*sprite), (Bytes{0xC8, 0x09, 0x01, 0x00, 0x01, 0x00, 0x40, 0x00, 0x00, 0x00}));
  EXPECT_EQ(sprite->FrameCount(), 1);
  EXPECT_EQ(sprite->MinVersion(), 3);
}

TEST_F(FlashSprite, FramesCloseWithActionsThenLabel) {
  TFlashSprite* sprite = movie.AddSprite();
  sprite->FrameActions().Stop();
  sprite->FrameLabel = "a";
  sprite->ShowFrame(2);
  EXPECT_FALSE(sprite->HasFrameActions());
  EXPECT_TRUE(sprite->FrameLabel.empty());
  EXPECT_EQ(sprite->FrameCount(), 2);
  EXPECT_EQ(sprite->CurrentFrameNum, 1);
  sprite->ShowFrame(0);
  EXPECT_EQ(sprite->FrameCount(), 3);
  EXPECT_EQ(sprite->ObjectList().size(), 5u);

  Bytes body = Concat({{0x01, 0x00, 0x03, 0x00},
                       {0x02, 0x03, 0x07, 0x00},  // DoAction: Stop
                       {0xC2, 0x0A, 'a', 0x00},   // FrameLabel
                       {0x40, 0x00, 0x40, 0x00, 0x40, 0x00},
                       {0x00, 0x00}});
  EXPECT_EQ(Written(*sprite), Concat({{static_cast<uint8_t>(0xC0 | body.size()), 0x09}, body}));
}

TEST_F(FlashSprite, InitActionsFollowTheSprite) {
  TFlashSprite* sprite = movie.AddSprite();
  sprite->ShowFrame();
  sprite->InitActions().Stop();
  EXPECT_EQ(sprite->MinVersion(), 6);
  Bytes out = Written(*sprite);
  EXPECT_EQ(Codes(out), (std::vector<uint16_t>{39, 59}));
  EXPECT_EQ(Bytes(out.end() - 6, out.end()), (Bytes{0xC4, 0x0E, 0x01, 0x00, 0x07, 0x00}));
}

TEST_F(FlashSprite, DefinitionMovesBeforeTheSprite) {
  Shape* early = AddShape();
  TFlashSprite* sprite = movie.AddSprite();
  Shape* late = AddShape();
  ASSERT_LT(IndexOf(sprite), IndexOf(late));

  TFlashPlaceObject* place = sprite->PlaceObject(late, 4);
  EXPECT_EQ(place->GetCharacterId(), late->CharacterId());
  EXPECT_LT(IndexOf(late), IndexOf(sprite));
  sprite->PlaceObject(early, 2);
  EXPECT_EQ(IndexOf(early), 0u);
  EXPECT_EQ(sprite->MaxDepth, 4);
  EXPECT_EQ(movie.MaxDepth, 0);  // the sprite's depths are its own

  // Content handed to AddSprite is placed at depth 1.
  TFlashSprite* wrapper = movie.AddSprite(late);
  ASSERT_EQ(wrapper->ObjectList().size(), 1u);
  auto& content = dynamic_cast<TFlashPlaceObject&>(*wrapper->ObjectList()[0]);
  EXPECT_EQ(content.Depth(), 1);
  EXPECT_EQ(content.PlacedObject(), late);
}

TEST_F(FlashSprite, PlacementsUseTheMovieVersionForClipEvents) {
  Shape* shape = AddShape();
  TFlashSprite* sprite = movie.AddSprite();
  TFlashPlaceObject* place = sprite->PlaceObject(shape, 1);
  place->PlaceObject().ClipActions().AddRecord(ClipEvents({kClipEventEnterFrame}));
  EXPECT_EQ(sprite->MinVersion(), 5);
  movie.SetVersion(5);
  Bytes narrow = Written(*sprite);
  movie.SetVersion(8);
  Bytes wide = Written(*sprite);
  EXPECT_EQ(wide.size(), narrow.size() + 6);
}

TEST_F(FlashSprite, InsertionFollowsTheMovieAddMode) {
  Shape* shape = AddShape();
  TFlashSprite* sprite = movie.AddSprite();
  sprite->ShowFrame(2);
  TSWFObject* appended = sprite->RemoveObject(7);
  EXPECT_EQ(sprite->ObjectList().back().get(), appended);

  movie.AddMode = 1;
  sprite->AddPosition = 0;
  TSWFObject* first = sprite->RemoveObject(3);
  TSWFObject* second = sprite->RemoveObject(4, shape);
  const auto& timeline = sprite->ObjectList();
  ASSERT_EQ(timeline.size(), 5u);
  EXPECT_EQ(timeline[0].get(), first);
  EXPECT_EQ(timeline[1].get(), second);
  EXPECT_EQ(first->TagID, ToCode(TTagCode::RemoveObject2));
  EXPECT_EQ(second->TagID, ToCode(TTagCode::RemoveObject));
  EXPECT_EQ(dynamic_cast<TSWFRemoveObject&>(*second).CharacterId, shape->CharacterId());
  EXPECT_EQ(sprite->AddPosition, 2);
}

TEST_F(FlashSprite, MovieOutputAndCopy) {
  Shape* shape = AddShape();
  TFlashSprite* sprite = movie.AddSprite(shape);
  sprite->InitActions().Stop();
  movie.PlaceObject(sprite, 1)->SetTranslate(1, 1);
  movie.ShowFrame();
  movie.SetVersion(8);
  movie.MakeData();
  EXPECT_EQ(Codes(movie.BodyStream().Bytes()), (std::vector<uint16_t>{39, 59, 26, 1, 0}));

  TFlashSprite copy(&movie);
  copy.Assign(*sprite);
  EXPECT_EQ(Written(copy), Written(*sprite));
}

}  // namespace
}  // namespace orvanta
