#include "swf/tags_button.h"

#include <gtest/gtest.h>

#include "media/filters.h"
#include "media/sound_tags.h"
#include "platform/errors.h"
#include "script/actions_basic.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::BodyBytes;
using test::Bytes;
using test::Concat;
using test::ReadTag;
using test::TagBytes;

template <class T>
std::unique_ptr<T> ReadAs(TTagCode code, const Bytes& body, bool parseActions = true) {
  auto tag = CreateTagByCode(ToCode(code));
  auto* typed = dynamic_cast<T*>(tag.get());
  EXPECT_NE(typed, nullptr) << "code " << TagCodeName(ToCode(code));
  if (!typed) return nullptr;
  if constexpr (std::is_base_of_v<TSWFBasedButton, T>) typed->ParseActions = parseActions;
  typed->BodySize = static_cast<uint32_t>(body.size());
  TMemoryStream stream(body);
  TBitsEngine engine(stream);
  typed->ReadFromStream(engine);
  tag.release();
  return std::unique_ptr<T>(typed);
}

// One plain record: the flags byte, id, depth, the default matrix.
Bytes RecordBytes(uint8_t flags, uint16_t id, uint16_t depth) {
  return {flags,
          static_cast<uint8_t>(id),
          static_cast<uint8_t>(id >> 8),
          static_cast<uint8_t>(depth),
          static_cast<uint8_t>(depth >> 8),
          0x00};
}

TEST(ButtonTags, StateNibbleIsWrittenInFileOrder) {
  struct Case {
    uint8_t states;
    uint8_t nibble;
  } cases[] = {
      {kButtonStateUp | kButtonStateDown | kButtonStateOver | kButtonStateHitTest, 0x0F},
      {kButtonStateHitTest, 0x08},
      {kButtonStateDown, 0x04},
      {kButtonStateOver, 0x02},
      {kButtonStateUp, 0x01},
      {kButtonStateUp | kButtonStateOver, 0x03},
  };
  for (const Case& c : cases) {
    TSWFDefineButton button;
    button.ButtonId = 1;
    TSWFButtonRecord& record = button.AddRecord();
    record.States = c.states;
    record.CharacterID = 5;
    record.PlaceDepth = 2;
    Bytes body = BodyBytes(button);
    EXPECT_EQ(body, Concat({{0x01, 0x00}, RecordBytes(c.nibble, 5, 2), {0x00, 0x00}}))
        << int(c.states);
    auto read = ReadAs<TSWFDefineButton>(TTagCode::DefineButton, body);
    ASSERT_EQ(read->Characters.size(), 1u);
    EXPECT_EQ(read->Characters[0]->States, c.states);
  }
}

TEST(ButtonTags, DefineButtonWithActions) {
  TSWFDefineButton button;
  button.ButtonId = 3;
  TSWFButtonRecord& record = button.AddRecord();
  record.States = kButtonStateUp | kButtonStateHitTest;
  record.CharacterID = 1;
  record.PlaceDepth = 1;
  record.PlaceMatrix().SetTranslate(100, 0);
  button.Actions.Add(std::make_unique<TSWFActionPlay>());
  button.Actions.Add(std::make_unique<TSWFActionStop>());
  Bytes body = BodyBytes(button);
  EXPECT_EQ(body, (Bytes{0x03, 0x00, 0x09, 0x01, 0x00, 0x01, 0x00, 0x10, 0xC8, 0x00, 0x00, 0x06,
                         0x07, 0x00}));
  EXPECT_EQ(TagBytes(button)[0], (7 << 6 | body.size()) & 0xFF);
  EXPECT_EQ(button.MinVersion(), 3);

  auto parsed = ReadAs<TSWFDefineButton>(TTagCode::DefineButton, body, true);
  ASSERT_EQ(parsed->Actions.Count(), 2u);
  EXPECT_EQ(parsed->Actions[1].ActionCode, 0x07);
  EXPECT_EQ(parsed->Characters[0]->ExistingPlaceMatrix()->TranslateX, 100);
  EXPECT_EQ(BodyBytes(*parsed), body);

  auto raw = ReadAs<TSWFDefineButton>(TTagCode::DefineButton, body, false);
  ASSERT_EQ(raw->Actions.Count(), 1u);
  EXPECT_EQ(dynamic_cast<TSWFActionByteCode&>(raw->Actions[0]).Data, (Bytes{0x06, 0x07}));
  EXPECT_EQ(BodyBytes(*raw), body);
}

TEST(ButtonTags, RawActionsRunToTheEndFlagNotToTheFirstZero) {
  // A Push of an empty string holds zero bytes in its data.
  Bytes actions = {0x96, 0x02, 0x00, 0x00, 0x00, 0x07};
  Bytes body = Concat({{0x01, 0x00}, RecordBytes(0x01, 1, 1), {0x00}, actions, {0x00}});
  auto raw = ReadAs<TSWFDefineButton>(TTagCode::DefineButton, body, false);
  ASSERT_EQ(raw->Actions.Count(), 1u);
  EXPECT_EQ(dynamic_cast<TSWFActionByteCode&>(raw->Actions[0]).Data, actions);
  EXPECT_EQ(BodyBytes(*raw), body);
}

TEST(ButtonTags, DefineButton2WithoutConditionActions) {
  TSWFDefineButton2 button;
  button.ButtonId = 2;
  button.TrackAsMenu = true;
  TSWFButtonRecord& record = button.AddRecord();
  record.States = kButtonStateUp | kButtonStateDown | kButtonStateOver | kButtonStateHitTest;
  record.CharacterID = 1;
  record.PlaceDepth = 1;
  // Every record carries a colour transform, the empty one when none was set.
  Bytes body = BodyBytes(button);
  EXPECT_EQ(body, Concat({{0x02, 0x00, 0x01, 0x00, 0x00}, RecordBytes(0x0F, 1, 1), {0x00, 0x00}}));
  EXPECT_EQ(button.MinVersion(), 3);

  auto read = ReadAs<TSWFDefineButton2>(TTagCode::DefineButton2, body);
  EXPECT_TRUE(read->TrackAsMenu);
  EXPECT_TRUE(read->Actions.empty());
  EXPECT_TRUE(read->Characters[0]->HasColorTransform);
  EXPECT_EQ(BodyBytes(*read), body);
}

TEST(ButtonTags, DefineButton2ConditionActions) {
  TSWFDefineButton2 button;
  button.ButtonId = 1;
  TSWFButtonRecord& record = button.AddRecord();
  record.States = kButtonStateUp;
  record.CharacterID = 4;
  record.PlaceDepth = 1;
  record.ColorTransform().SetMult(256, 256, 256, 128);
  TSWFButtonCondAction& release = button.AddCondAction({});
  release.Conditions.set(kCondOverDownToOverUp);
  release.Add(std::make_unique<TSWFActionStop>());
  TSWFButtonCondAction& key = button.AddCondAction({});
  key.Conditions.set(kCondIdleToOverUp);
  key.KeyCode = 13;

  Bytes transform = test::Written(
      [&](TBitsEngine& e) { e.WriteColorTransform(*record.ExistingColorTransform()); });
  Bytes records = Concat({{0x01, 0x04, 0x00, 0x01, 0x00, 0x00}, transform, {0x00}});
  Bytes body = Concat({{0x01, 0x00, 0x00},
                       {static_cast<uint8_t>(2 + records.size()), 0x00},
                       records,
                       {0x06, 0x00, 0x08, 0x00, 0x07, 0x00},
                       {0x00, 0x00, 0x01, 0x1A, 0x00}});
  EXPECT_EQ(BodyBytes(button), body);

  auto read = ReadAs<TSWFDefineButton2>(TTagCode::DefineButton2, body);
  ASSERT_EQ(read->Actions.size(), 2u);
  EXPECT_TRUE(read->Actions[0]->Conditions[kCondOverDownToOverUp]);
  EXPECT_EQ(read->Actions[0]->Count(), 1u);
  EXPECT_EQ(read->Actions[1]->KeyCode, 13);
  EXPECT_EQ(read->Characters[0]->ExistingColorTransform()->AlphaMult, 128);
  EXPECT_EQ(BodyBytes(*read), body);

  auto raw = ReadAs<TSWFDefineButton2>(TTagCode::DefineButton2, body, false);
  EXPECT_EQ(BodyBytes(*raw), body);

  TSWFDefineButton2 copy;
  copy.Assign(button);
  EXPECT_EQ(BodyBytes(copy), body);
}

TEST(ButtonTags, ConditionBitsMapToTheirFilePositions) {
  struct Case {
    TSWFButtonCondition condition;
    uint16_t word;
  } cases[] = {
      {kCondIdleToOverDown, 0x8000},    {kCondOutDownToIdle, 0x4000},
      {kCondOutDownToOverDown, 0x2000}, {kCondOverDownToOutDown, 0x1000},
      {kCondOverDownToOverUp, 0x0800},  {kCondOverUpToOverDown, 0x0400},
      {kCondOverUpToIdle, 0x0200},      {kCondIdleToOverUp, 0x0100},
      {kCondOverDownToIdle, 0x0001},
  };
  for (const Case& c : cases) {
    TSWFButtonCondAction action;
    action.Conditions.set(c.condition);
    EXPECT_EQ(action.ConditionWord(), c.word) << c.condition;
    TSWFButtonCondAction back;
    back.SetConditionWord(c.word);
    EXPECT_EQ(back.Conditions, action.Conditions);
  }
  TSWFButtonCondAction key;
  key.KeyCode = 0xFF;  // only 7 bits fit
  EXPECT_EQ(key.ConditionWord(), 0x00FE);
}

TEST(ButtonTags, RecordFiltersAndBlendMode) {
  TSWFDefineButton2 button;
  button.ButtonId = 1;
  TSWFButtonRecord& record = button.AddRecord();
  record.States = kButtonStateUp;
  record.CharacterID = 2;
  record.PlaceDepth = 1;
  record.BlendMode = 3;
  record.ButtonHasBlendMode = true;
  auto* blur = dynamic_cast<TSWFBlurFilter*>(record.FilterList().AddFilter(kFilterBlur));
  blur->BlurX = 4;
  blur->BlurY = 4;
  Bytes body = BodyBytes(button);
  EXPECT_EQ(body[5], 0x31);                // blend mode, filters, Up
  EXPECT_EQ(body[body.size() - 2], 0x03);  // the blend mode, then the end flag
  EXPECT_EQ(button.MinVersion(), 8);

  auto read = ReadAs<TSWFDefineButton2>(TTagCode::DefineButton2, body);
  const TSWFButtonRecord& back = *read->Characters[0];
  EXPECT_TRUE(back.ButtonHasBlendMode);
  EXPECT_EQ(back.BlendMode, 3);
  ASSERT_NE(back.ExistingFilterList(), nullptr);
  EXPECT_EQ(back.ExistingFilterList()->Count(), 1u);
  EXPECT_EQ(BodyBytes(*read), body);

  // DefineButton records have no room for either: writing them would break the layout.
  TSWFDefineButton plain;
  plain.AddRecord().Assign(record);
  EXPECT_EQ(BodyBytes(plain), Concat({{0x00, 0x00}, RecordBytes(0x01, 2, 1), {0x00, 0x00}}));
}

TEST(ButtonTags, RecordWithoutStatesIsLeftOut) {
  // Its flags byte would be 0 and end the record list early.
  TSWFDefineButton2 button;
  button.AddRecord().CharacterID = 9;
  TSWFButtonRecord& shown = button.AddRecord();
  shown.States = kButtonStateHitTest;
  shown.CharacterID = 1;
  auto read = ReadAs<TSWFDefineButton2>(TTagCode::DefineButton2, BodyBytes(button));
  ASSERT_EQ(read->Characters.size(), 1u);
  EXPECT_EQ(read->Characters[0]->CharacterID, 1);
}

TEST(ButtonTags, HostileBodies) {
  Bytes header = {0x01, 0x00, 0x00, 0x05, 0x00};
  Bytes record = Concat({RecordBytes(0x01, 1, 1), {0x00}});

  // Records that never meet their end flag stop at the end of the body.
  auto unterminated = ReadAs<TSWFDefineButton2>(TTagCode::DefineButton2, Concat({header, record}));
  EXPECT_EQ(unterminated->Characters.size(), 1u);
  EXPECT_TRUE(unterminated->Actions.empty());
  auto plain = ReadAs<TSWFDefineButton>(TTagCode::DefineButton,
                                        Concat({{0x01, 0x00}, RecordBytes(0x01, 1, 1)}));
  EXPECT_EQ(plain->Characters.size(), 1u);

  // A record cut short.
  EXPECT_THROW(ReadTag(TTagCode::DefineButton2, Concat({header, {0x01, 0x01}})), StreamError);

  // Condition-action sizes that point past the body or inside their own header.
  Bytes records = Concat({record, {0x00}});
  EXPECT_THROW(ReadTag(TTagCode::DefineButton2,
                       Concat({header, records, {0xC8, 0x00, 0x00, 0x01, 0x07, 0x00}})),
               FormatError);
  EXPECT_THROW(ReadTag(TTagCode::DefineButton2,
                       Concat({header, records, {0x02, 0x00, 0x00, 0x01, 0x07, 0x00}})),
               FormatError);

  // A condition action that misses its end flag takes the rest of the body.
  auto open = ReadAs<TSWFDefineButton2>(TTagCode::DefineButton2,
                                        Concat({header, records, {0x00, 0x00, 0x00, 0x01, 0x07}}));
  ASSERT_EQ(open->Actions.size(), 1u);
  EXPECT_EQ(open->Actions[0]->Count(), 1u);

  // Actions that declare more data than the block holds stay raw bytes.
  auto overlong = ReadAs<TSWFDefineButton>(
      TTagCode::DefineButton,
      Concat({{0x01, 0x00}, RecordBytes(0x01, 1, 1), {0x00, 0x96, 0xFF, 0x00, 0x01}}), false);
  ASSERT_EQ(overlong->Actions.Count(), 1u);
  EXPECT_EQ(dynamic_cast<TSWFActionByteCode&>(overlong->Actions[0]).Data,
            (Bytes{0x96, 0xFF, 0x00, 0x01}));
}

TEST(ButtonTags, ButtonCxformHasNoAlpha) {
  TSWFDefineButtonCxform tag;
  tag.ButtonId = 7;
  tag.ButtonColorTransform.HasAlpha = true;
  tag.ButtonColorTransform.SetAdd(1, 2, 3, 4);
  // Add only, 3 bits: 1 2 3 without the alpha term.
  Bytes body = {0x07, 0x00, 0x8C, 0xA6};
  EXPECT_EQ(BodyBytes(tag), body);
  auto read = ReadAs<TSWFDefineButtonCxform>(TTagCode::DefineButtonCxform, body);
  EXPECT_EQ(read->ButtonId, 7);
  EXPECT_EQ(read->ButtonColorTransform.BlueAdd, 3);
  EXPECT_EQ(BodyBytes(*read), body);
  EXPECT_EQ(tag.MinVersion(), 2);

  // Flash MX writes more transforms after the first; they stay.
  const Bytes mx = {0x03, 0x00, 0x8C, 0xA6, 0x00, 0x8C, 0xA6};
  auto withMore = ReadAs<TSWFDefineButtonCxform>(TTagCode::DefineButtonCxform, mx);
  EXPECT_EQ(withMore->ButtonColorTransform.BlueAdd, 3);
  EXPECT_EQ(withMore->TrailingData, (Bytes{0x00, 0x8C, 0xA6}));
  EXPECT_EQ(BodyBytes(*withMore), mx);
  TSWFDefineButtonCxform copy;
  copy.Assign(*withMore);
  EXPECT_EQ(BodyBytes(copy), mx);
}

TEST(ButtonTags, ButtonSoundSlots) {
  TSWFDefineButtonSound tag;
  EXPECT_FALSE(tag.HasAnySound());
  tag.ButtonId = 4;
  tag.ButtonSoundChar1().SoundId = 5;
  tag.ButtonSoundChar2().SoundId = 0;  // present but without a sound: written as none
  EXPECT_TRUE(tag.HasAnySound());
  Bytes body = {0x04, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  EXPECT_EQ(BodyBytes(tag), body);

  tag.ButtonSoundChar3().SoundId = 6;
  tag.ButtonSoundChar3().SetLoopCount(2);
  body = {0x04, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0x06, 0x00, 0x04, 0x02, 0x00};
  EXPECT_EQ(BodyBytes(tag), body);
  auto read = ReadAs<TSWFDefineButtonSound>(TTagCode::DefineButtonSound, body);
  EXPECT_EQ(read->ExistingSound(0), nullptr);
  ASSERT_NE(read->ExistingSound(3), nullptr);
  EXPECT_EQ(read->ExistingSound(3)->LoopCount, 2);
  EXPECT_EQ(BodyBytes(*read), body);

  EXPECT_THROW(ReadTag(TTagCode::DefineButtonSound, {0x04, 0x00, 0x05, 0x00}), StreamError);
}

}  // namespace
}  // namespace orvanta
