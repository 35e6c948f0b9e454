#include "movie/flash_button.h"

#include <gtest/gtest.h>

#include "media/sound_tags.h"
#include "movie/flash_movie.h"
#include "platform/errors.h"
#include "script/flash_action_script.h"
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

// The tags of a run of tags, as (code, body) pairs.
std::vector<std::pair<uint16_t, Bytes>> Tags(const Bytes& tags) {
  std::vector<std::pair<uint16_t, Bytes>> out;
  TMemoryStream s(tags);
  TBitsEngine e(s);
  while (s.Remaining() > 0) {
    uint16_t header = e.ReadWord();
    uint32_t length = header & 0x3F;
    if (length == 0x3F) length = e.ReadDWord();
    Bytes body(length);
    e.ReadBuffer(body.data(), length);
    out.emplace_back(header >> 6, body);
  }
  return out;
}

const Bytes& RawActions(const TSWFActionList& list) {
  return dynamic_cast<const TSWFActionByteCode&>(list[0]).Data;
}

struct FlashButton : ::testing::Test {
  FlashButton() : movie(0, 0, 100, 100, 12, true) {
    shape = static_cast<Shape*>(movie.AddIDObject(std::make_unique<Shape>(), true));
  }
  TFlashMovie movie;
  Shape* shape;
};

TEST_F(FlashButton, RecordsCarryAnEmptyTransform) {
  TFlashButton* button = movie.AddButton();
  EXPECT_EQ(movie.Buttons, std::vector<TFlashButton*>{button});
  EXPECT_EQ(button->CharacterId(), 2);
  EXPECT_EQ(button->ButtonTag().ButtonId, 2);
  button->AddRecord(*shape, kButtonStateUp | kButtonStateOver | kButtonStateDown, 1);
  button->AddRecord(shape->CharacterId(), kButtonStateHitTest, 2);
  EXPECT_EQ(Written(*button),
            (Bytes{0x94, 0x08, 0x02, 0x00, 0x00, 0x00, 0x00,  // header, id, menu, offset
                   0x07, 0x01, 0x00, 0x01, 0x00, 0x00, 0x00,  // Up Over Down
                   0x08, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00,  // HitTest
                   0x00}));
  EXPECT_EQ(button->MinVersion(), 3);

  TFlashButton* menu = movie.AddButton(true);
  EXPECT_EQ(Written(*menu)[4], 0x01);
}

TEST_F(FlashButton, SharedEventScriptFollowsTheLastEvent) {
  TFlashButton* button = movie.AddButton();
  TFlashActionScript& release = button->OnRelease();
  release.Stop();
  TFlashActionScript& over = button->OnRollOver();
  EXPECT_EQ(&over, &release);
  release.Pop();  // goes to roll-over now
  button->OnRelease().Stop();
  EXPECT_EQ(&button->OnRollOut(), &release);

  auto& tag = dynamic_cast<TSWFDefineButton2&>(button->ButtonTag());
  ASSERT_EQ(tag.Actions.size(), 3u);
  EXPECT_TRUE(tag.Actions[0]->Conditions[kCondOverDownToOverUp]);
  EXPECT_EQ(tag.Actions[0]->Count(), 2u);
  EXPECT_TRUE(tag.Actions[1]->Conditions[kCondIdleToOverUp]);
  EXPECT_EQ(tag.Actions[1]->Count(), 1u);
  EXPECT_TRUE(tag.Actions[2]->Conditions[kCondOverUpToIdle]);
  EXPECT_EQ(button->FindCondAction(kCondIdleToOverUp, false), tag.Actions[1].get());
  EXPECT_EQ(button->FindCondAction(kCondOverDownToIdle, false), nullptr);

  // Written and read back: the three condition actions with their actions in order.
  auto tags = Tags(Written(*button));
  ASSERT_EQ(tags.size(), 1u);
  auto read = test::ReadTag(TTagCode::DefineButton2, tags[0].second);
  auto& back = dynamic_cast<TSWFDefineButton2&>(*read);
  ASSERT_EQ(back.Actions.size(), 3u);
  EXPECT_EQ(back.Actions[0]->Conditions, tag.Actions[0]->Conditions);
  EXPECT_EQ(RawActions(*back.Actions[0]), (Bytes{0x07, 0x07}));
  EXPECT_EQ(RawActions(*back.Actions[1]), (Bytes{0x17}));
  EXPECT_EQ(back.Actions[2]->Count(), 0u);
}

TEST_F(FlashButton, EventsFindConditionActionsCoveringThem) {
  TFlashButton* button = movie.AddButton();
  TSWFButtonConditions both;
  both.set(kCondOverUpToIdle).set(kCondOverDownToIdle);
  TSWFButtonCondAction& out = button->AddCondAction(both);
  button->OnRollOut().Stop();
  EXPECT_EQ(out.Count(), 1u);
  EXPECT_EQ(dynamic_cast<TSWFDefineButton2&>(button->ButtonTag()).Actions.size(), 1u);
}

TEST_F(FlashButton, SoundOnlyWhenASlotIsUsed) {
  TFlashButton* button = movie.AddButton();
  EXPECT_EQ(Tags(Written(*button)).size(), 1u);

  button->RollOverSound().SoundId = 9;
  auto tags = Tags(Written(*button));
  ASSERT_EQ(tags.size(), 2u);
  EXPECT_EQ(tags[1].first, 17);
  EXPECT_EQ(tags[1].second,
            (Bytes{0x02, 0x00, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
}

TEST_F(FlashButton, PlainDefineButton) {
  TFlashButton* button = movie.AddButton(false, false);
  EXPECT_EQ(button->ButtonTag().TagID, ToCode(TTagCode::DefineButton));
  button->AddRecord(*shape, kButtonStateUp | kButtonStateHitTest, 1);
  button->OnRelease().Stop();
  EXPECT_THROW(button->OnRollOver(), Error);
  EXPECT_THROW(button->AddCondAction({}), Error);
  auto tags = Tags(Written(*button));
  ASSERT_EQ(tags.size(), 1u);
  EXPECT_EQ(tags[0].second,
            (Bytes{0x02, 0x00, 0x09, 0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0x07, 0x00}));
}

TEST_F(FlashButton, MovieOutputAndCopy) {
  TFlashButton* button = movie.AddButton();
  button->AddRecord(*shape, kButtonStateUp | kButtonStateHitTest, 1);
  button->OnRelease().GetUrl("http://example.com/", "_blank");
  button->RollOverSound().SoundId = 1;
  movie.PlaceObject(button, 1);
  movie.ShowFrame();
  movie.MakeData();
  std::vector<uint16_t> codes;
  for (auto& [code, body] : Tags(movie.BodyStream().Bytes())) codes.push_back(code);
  EXPECT_EQ(codes, (std::vector<uint16_t>{34, 17, 26, 1, 0}));

  TFlashButton copy(&movie, false, true);
  copy.Assign(*button);
  EXPECT_EQ(Written(copy), Written(*button));
  // The copy's event script writes into the copy.
  copy.OnRelease().Stop();
  EXPECT_EQ(dynamic_cast<TSWFDefineButton2&>(button->ButtonTag()).Actions[0]->Count(), 1u);
}

}  // namespace
}  // namespace orvanta
