#include <gtest/gtest.h>

#include "script/action_branch.h"
#include "script/actions_basic.h"
#include "script/flash_action_script.h"
#include "script/tags_action.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::BodyBytes;
using test::Bytes;
using test::Concat;
using test::ReadTag;
using test::TagBytes;

TEST(DoAction, WritesTheActionsAndTheEndFlag) {
  TSWFDoAction tag;
  EXPECT_TRUE(tag.OwnsActions());
  EXPECT_EQ(tag.MinVersion(), 3);
  tag.Actions().Add(std::make_unique<TSWFActionStop>());
  EXPECT_EQ(TagBytes(tag), Bytes({0x02, 0x03, 0x07, 0x00}));  // code 12, 2 bytes
  tag.Actions().Add(std::make_unique<TSWFActionThrow>());
  EXPECT_EQ(tag.MinVersion(), 7);
}

TEST(DoAction, ReadsBackParsedOrRaw) {
  Bytes body = {0x96, 0x03, 0x00, 0x00, 'a', 0x00, 0x1C, 0x9D, 0x02, 0x00, 0x01, 0x00, 0x07, 0x00};
  auto parsed = ReadTag(TTagCode::DoAction, body);
  auto& doAction = dynamic_cast<TSWFDoAction&>(*parsed);
  EXPECT_EQ(doAction.Actions().Count(), 5u);  // Push, GetVariable, If, Stop, marker
  EXPECT_EQ(BodyBytes(doAction), body);

  TSWFDoAction raw;
  raw.ParseActions = false;
  raw.BodySize = static_cast<uint32_t>(body.size());
  TMemoryStream stream(body);
  TBitsEngine engine(stream);
  raw.ReadFromStream(engine);
  ASSERT_EQ(raw.Actions().Count(), 1u);
  EXPECT_EQ(raw.Actions()[0].ActionCode, TSWFAction::kByteCode);
  EXPECT_EQ(stream.Position(), body.size());
  EXPECT_EQ(BodyBytes(raw), body);

  auto empty =
      ReadTag(TTagCode::DoAction, {});  // not even an end flag: written back as empty as it came
  EXPECT_EQ(BodyBytes(*empty), Bytes());
}

TEST(DoAction, InitActionsNameTheirSprite) {
  Bytes body = {0x05, 0x01, 0x07, 0x00};
  auto tag = ReadTag(TTagCode::DoInitAction, body);
  auto& init = dynamic_cast<TSWFDoInitAction&>(*tag);
  EXPECT_EQ(init.SpriteID, 0x0105);
  EXPECT_EQ(init.Actions().Count(), 1u);
  EXPECT_EQ(TagBytes(init), Concat({{0xC4, 0x0E}, body}));  // code 59, 4 bytes
  EXPECT_EQ(init.MinVersion(), 6);

  TSWFDoInitAction copy;
  copy.Assign(init);
  EXPECT_EQ(BodyBytes(copy), body);
}

// Shapes of bodies found in real files: no end flag (the tag just stops), code after the end
// flag that a jump reaches, and bytes after it that are not actions. Decoded or kept raw, each
// is written back as it was read, and so is a copy.
TEST(DoAction, BodiesEndingOddlyWriteBackAsRead) {
  auto readBody = [](uint16_t code, const Bytes& body, bool parse) {
    auto tag = CreateTagByCode(code);
    auto& doAction = dynamic_cast<TSWFDoAction&>(*tag);
    doAction.ParseActions = parse;
    doAction.BodySize = static_cast<uint32_t>(body.size());
    TMemoryStream stream(body);
    TBitsEngine engine(stream);
    doAction.ReadFromStream(engine);
    EXPECT_EQ(stream.Position(), body.size());
    return tag;
  };
  const Bytes noEndFlag = {0x96, 0x02, 0x00, 0x05, 0x01, 0x26};  // push true, trace
  const Bytes jumpPastEnd = {0x99, 0x02, 0x00, 0x01, 0x00,       // jump over the end flag
                             0x00, 0x07, 0x00};
  const Bytes noActionsAfterEnd = {0x07, 0x00, 0x96, 0x09};           // a record cut short
  const Bytes lastRecordEndsInZero = {0x96, 0x02, 0x00, 0x00, 0x00};  // push "", no end flag
  for (const Bytes& body :
       {noEndFlag, jumpPastEnd, noActionsAfterEnd, lastRecordEndsInZero, Bytes()}) {
    for (bool parse : {true, false}) {
      auto tag = readBody(12, body, parse);
      EXPECT_EQ(BodyBytes(*tag), body) << "parsed " << parse << ", " << body.size() << " bytes";
      TSWFDoAction copy;
      copy.Assign(*tag);
      EXPECT_EQ(BodyBytes(copy), body);
    }
    auto init = readBody(59, Concat({{0x02, 0x00}, body}), true);
    EXPECT_EQ(BodyBytes(*init), Concat({{0x02, 0x00}, body}));
  }

  // The raw form no longer mistakes a last action for the end flag.
  auto raw = readBody(12, noEndFlag, false);
  auto& rawActions = dynamic_cast<TSWFDoAction&>(*raw).Actions();
  ASSERT_EQ(rawActions.Count(), 1u);
  EXPECT_EQ(dynamic_cast<TSWFActionByteCode&>(rawActions[0]).Data, noEndFlag);
  // The code after the end flag is decoded too, behind the end flag kept as one byte.
  auto parsed = readBody(12, jumpPastEnd, true);
  auto& actions = dynamic_cast<TSWFDoAction&>(*parsed).Actions();
  ASSERT_EQ(actions.Count(), 3u);
  EXPECT_EQ(actions[1].ActionCode, TSWFAction::kByteCode);
  EXPECT_EQ(actions[2].ActionCode, 0x07);
  // A tag made in code always ends with the flag.
  TSWFDoAction made;
  made.Actions().Add(std::make_unique<TSWFActionStop>());
  EXPECT_EQ(BodyBytes(made), Bytes({0x07, 0x00}));
}

TEST(DoAction, ATagOnACallersListLeavesItAlone) {
  TSWFActionList list;
  {
    TSWFDoAction tag(list);
    EXPECT_FALSE(tag.OwnsActions());
    tag.Actions().Add(std::make_unique<TSWFActionPlay>());
  }
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_EQ(list[0].ActionCode, 0x06);
}

Bytes ScriptTag(TFlashActionScript& script) {
  return test::Written([&](TBitsEngine& e) { script.WriteToStream(e); });
}

// The tag body of a script: the tag bytes without their two-byte short header.
Bytes ScriptBody(TFlashActionScript& script) {
  Bytes tag = ScriptTag(script);
  EXPECT_EQ((tag[0] | tag[1] << 8) >> 6, 12);
  return Bytes(tag.begin() + 2, tag.end());
}

TEST(ActionScript, AnEmptyScriptIsAnEmptyDoAction) {
  TFlashActionScript script;
  EXPECT_EQ(ScriptTag(script), Bytes({0x01, 0x03, 0x00}));
  EXPECT_EQ(script.MinVersion(), 1);
  script.Stop();
  EXPECT_EQ(script.MinVersion(), 3);
  script.Add2();
  EXPECT_EQ(script.MinVersion(), 5);
}

TEST(ActionScript, ConsecutivePushesShareOneAction) {
  TFlashActionScript script;
  script.Push(1);
  script.Push("x");
  script.GetVariable();
  script.PushValues({true, nullptr});
  ASSERT_EQ(script.Actions().Count(), 3u);
  EXPECT_EQ(dynamic_cast<TSWFActionPush&>(script.GetAction(0)).Count(), 2u);
  EXPECT_EQ(ScriptBody(script),
            Bytes({0x96, 0x08, 0x00, 0x07, 0x01, 0x00, 0x00, 0x00, 0x00, 'x', 0x00,  // 1, "x"
                   0x1C,                                                             // GetVariable
                   0x96, 0x03, 0x00, 0x05, 0x01, 0x02,                               // true, null
                   0x00}));
}

TEST(ActionScript, ConditionalBlocksSkipToTheirMarker) {
  TFlashActionScript script;
  script.Push(2);
  script.Push(3);
  script.Less2();
  script.Not();
  TSWFActionIf& ifAction = script.If();
  TSWFOffsetMarker& end = ifAction.Marker();
  script.Stop();
  script.Stop();
  EXPECT_EQ(&script.SetMarker(&end, false), &end);
  EXPECT_TRUE(end.Placed);
  EXPECT_EQ(ScriptBody(script),
            Bytes({0x96, 0x0A, 0x00, 0x07, 0x02, 0x00, 0x00, 0x00, 0x07, 0x03, 0x00, 0x00,
                   0x00, 0x48, 0x12, 0x9D, 0x02, 0x00, 0x02, 0x00, 0x07, 0x07, 0x00}));

  // A loop: a backward marker first, a jump back to it later.
  TFlashActionScript loop;
  TSWFOffsetMarker& top = loop.SetMarker();
  loop.Stop();
  auto& jump = static_cast<TSWFActionJump&>(loop.Actions().Add(std::make_unique<TSWFActionJump>()));
  jump.LinkMarker(0, &top);
  EXPECT_EQ(ScriptBody(loop), Bytes({0x07, 0x99, 0x02, 0x00, 0xFA, 0xFF, 0x00}));
}

TEST(ActionScript, FrameJumpsAndLinks) {
  TFlashActionScript script;
  script.GotoAndPlay(3);
  EXPECT_EQ(ScriptBody(script),
            Bytes({0x96, 0x05, 0x00, 0x07, 0x03, 0x00, 0x00, 0x00, 0x9F, 0x01, 0x00, 0x01, 0x00}));
  TFlashActionScript link;
  link.GotoFrame2(false, 2);
  link.GetUrl("http://a", "_blank");
  EXPECT_EQ(ScriptBody(link), Concat({{0x9F, 0x03, 0x00, 0x02, 0x02, 0x00},
                                      {0x83, 0x10, 0x00},
                                      test::StringBytes("http://a"),
                                      test::StringBytes("_blank"),
                                      {0x00}}));
}

TEST(ActionScript, AScriptOnAnotherListLeavesItToItsOwner) {
  TSWFActionList buttonActions;
  {
    TFlashActionScript script(nullptr, &buttonActions);
    EXPECT_FALSE(script.OwnsActions());
    script.Stop();
  }
  ASSERT_EQ(buttonActions.Count(), 1u);

  TFlashActionScript source;
  TSWFActionIf& ifAction = source.If();
  source.Stop();
  source.SetMarker(&ifAction.Marker(), false);
  TFlashActionScript copy(nullptr, &buttonActions);
  copy.Assign(source);
  EXPECT_EQ(buttonActions.Count(), 4u);
  EXPECT_EQ(ScriptBody(copy), Bytes({0x07, 0x9D, 0x02, 0x00, 0x01, 0x00, 0x07, 0x00}));
}

}  // namespace
}  // namespace orvanta
