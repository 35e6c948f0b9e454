#include "swf/tags_display.h"

#include <gtest/gtest.h>

#include "media/filters.h"
#include "media/sound_tags.h"
#include "platform/errors.h"
#include "script/tags_action.h"
#include "swf/tags_control.h"
#include "swf/tags_data.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::BodyBytes;
using test::Bytes;
using test::Concat;
using test::ReadTag;
using test::StringBytes;
using test::TagBytes;
using test::Written;

// Reads Body into an object prepared by the caller (event version, action parsing).
void ReadInto(TSWFObject& tag, const Bytes& body) {
  tag.BodySize = static_cast<uint32_t>(body.size());
  TMemoryStream stream(body);
  TBitsEngine engine(stream);
  tag.ReadFromStream(engine);
}

uint16_t HeaderCode(const Bytes& tag) {
  return static_cast<uint16_t>((tag[0] | tag[1] << 8) >> 6);
}

// A branch target: writes nothing.
class Marker : public TSWFAction {
 public:
  Marker() : TSWFAction(kOffsetMarker) {}
};

std::unique_ptr<TSWFActionByteCode> Raw(Bytes bytes) {
  return std::make_unique<TSWFActionByteCode>(std::move(bytes));
}

// A placement of character 2 at depth 1 with a Load handler running the raw bytes given.
std::unique_ptr<TSWFPlaceObject2> LoadHandler(Bytes actions, int eventVersion) {
  auto tag = std::make_unique<TSWFPlaceObject2>();
  tag->Depth = 1;
  tag->SetCharacterId(2);
  tag->EventVersion = eventVersion;
  tag->ClipActions().AddRecord(ClipEvents({kClipEventLoad})).Actions.Add(Raw(std::move(actions)));
  return tag;
}

TEST(RemoveTags, Layouts) {
  TSWFRemoveObject remove;
  remove.CharacterId = 0x0102;
  remove.Depth = 7;
  EXPECT_EQ(TagBytes(remove), (Bytes{0x44, 0x01, 0x02, 0x01, 7, 0}));
  auto read = ReadTag(TTagCode::RemoveObject, BodyBytes(remove));
  EXPECT_EQ(dynamic_cast<TSWFRemoveObject&>(*read).CharacterId, 0x0102);

  TSWFRemoveObject2 remove2;
  remove2.Depth = 0x0304;
  EXPECT_EQ(TagBytes(remove2), (Bytes{0x02, 0x07, 0x04, 0x03}));
  EXPECT_EQ(remove2.MinVersion(), 3);
  EXPECT_EQ(dynamic_cast<TSWFRemoveObject2&>(*ReadTag(TTagCode::RemoveObject2, {9, 0})).Depth, 9);
  EXPECT_THROW(ReadTag(TTagCode::RemoveObject, {1, 0, 2}), StreamError);
}

TEST(PlaceObject, MatrixAlwaysColorTransformWhenItHasTerms) {
  TSWFPlaceObject tag;
  tag.CharacterId = 1;
  tag.Depth = 2;
  EXPECT_EQ(BodyBytes(tag), (Bytes{1, 0, 2, 0, 0x00}));

  // Alpha terms never go into this tag's transform.
  tag.ColorTransform.SetAdd(1, 1, 1, 1);
  EXPECT_EQ(BodyBytes(tag), (Bytes{1, 0, 2, 0, 0x00, 0x89, 0x50}));

  auto read = ReadTag(TTagCode::PlaceObject, BodyBytes(tag));
  auto& placed = dynamic_cast<TSWFPlaceObject&>(*read);
  EXPECT_TRUE(placed.HasColorTransform);
  EXPECT_EQ(placed.ColorTransform.RedAdd, 1);
  EXPECT_EQ(BodyBytes(placed), BodyBytes(tag));

  // An empty transform found in a file is kept and written back.
  auto empty = ReadTag(TTagCode::PlaceObject, {1, 0, 2, 0, 0x00, 0x00});
  EXPECT_TRUE(dynamic_cast<TSWFPlaceObject&>(*empty).HasColorTransform);
  EXPECT_EQ(BodyBytes(*empty), (Bytes{1, 0, 2, 0, 0x00, 0x00}));
  EXPECT_FALSE(dynamic_cast<TSWFPlaceObject&>(*ReadTag(TTagCode::PlaceObject, {1, 0, 2, 0, 0}))
                   .HasColorTransform);
}

TEST(PlaceObject2, MinimalAndFullBodies) {
  TSWFPlaceObject2 tag;
  tag.Depth = 3;
  tag.SetCharacterId(4);
  EXPECT_EQ(BodyBytes(tag), (Bytes{0x02, 3, 0, 4, 0}));
  EXPECT_EQ(tag.MinVersion(), 3);

  tag.PlaceFlagMove = true;
  tag.Matrix().SetTranslate(100, 0);
  tag.ColorTransform().SetMult(256, 256, 256, 128);
  tag.SetRatio(0x0102);
  tag.SetName("mc");
  tag.SetClipDepth(9);
  Bytes colorTransform =
      Written([&](TBitsEngine& e) { e.WriteColorTransform(tag.ColorTransform()); });
  EXPECT_EQ(colorTransform.size(), 6u);  // alpha terms present
  Bytes body = BodyBytes(tag);
  EXPECT_EQ(body, Concat({{0x7F, 3, 0, 4, 0, 0x10, 0xC8, 0x00},
                          colorTransform,
                          {2, 1},
                          StringBytes("mc"),
                          {9, 0}}));
  auto read = ReadTag(TTagCode::PlaceObject2, body);
  EXPECT_EQ(BodyBytes(*read), body);
  auto& placed = dynamic_cast<TSWFPlaceObject2&>(*read);
  EXPECT_EQ(placed.Name, "mc");
  EXPECT_EQ(placed.ExistingMatrix()->TranslateX, 100);
  EXPECT_EQ(placed.ExistingColorTransform()->AlphaMult, 128);

  // The setters keep the flags; an empty name sets none.
  TSWFPlaceObject2 unnamed;
  unnamed.SetName("");
  EXPECT_FALSE(unnamed.HasName);
  EXPECT_EQ(unnamed.ExistingMatrix(), nullptr);
}

TEST(PlaceObject2, ClipActionsWithoutRecordsAreLeftOut) {
  TSWFPlaceObject2 tag;
  tag.Depth = 1;
  tag.ClipActions();
  EXPECT_TRUE(tag.HasClipActions);
  EXPECT_EQ(BodyBytes(tag), (Bytes{0x00, 1, 0}));
  EXPECT_EQ(tag.MinVersion(), 3);
  // A record with no event would read as the end of the list.
  tag.ClipActions().AddRecord({});
  EXPECT_EQ(BodyBytes(tag), (Bytes{0x00, 1, 0}));
}

TEST(PlaceObject2, ClipActionsNarrowBeforeSwf6) {
  auto owned = LoadHandler({0x07}, 3);
  TSWFPlaceObject2& tag = *owned;
  EXPECT_EQ(tag.MinVersion(), 5);
  Bytes body = BodyBytes(tag);
  EXPECT_EQ(body, (Bytes{0x82, 1, 0, 2, 0,                    // flags, depth, character
                         0, 0, 0x01, 0x00,                    // reserved, all events (Load)
                         0x01, 0x00, 2, 0, 0, 0, 0x07, 0x00,  // record, end flag added
                         0, 0}));
  EXPECT_EQ(tag.EventVersion, 5);

  TSWFPlaceObject2 read;
  read.EventVersion = 5;
  ReadInto(read, body);
  EXPECT_TRUE(read.HasClipActions);
  ASSERT_EQ(read.ExistingClipActions()->Count(), 1u);
  EXPECT_EQ(read.ExistingClipActions()->Records[0]->EventFlags, ClipEvents({kClipEventLoad}));
  EXPECT_EQ(BodyBytes(read), body);
}

TEST(PlaceObject2, ClipActionsWideFromSwf6) {
  auto owned = LoadHandler({0x07}, 8);
  TSWFPlaceObject2& tag = *owned;
  tag.ClipActions().AddRecord(ClipEvents({kClipEventKeyUp, kClipEventData, kClipEventDragOut}));
  EXPECT_EQ(tag.MinVersion(), 8);
  Bytes body = BodyBytes(tag);
  EXPECT_EQ(body, (Bytes{0x82, 1,    0,    2,    0, 0, 0,                 //
                         0x81, 0x01, 0x01, 0x00,                          // all events
                         0x01, 0x00, 0x00, 0x00, 2, 0, 0, 0, 0x07, 0x00,  //
                         0x80, 0x01, 0x01, 0x00, 1, 0, 0, 0, 0x00,  // no actions: the end flag
                         0,    0,    0,    0}));
  TSWFPlaceObject2 read;
  read.EventVersion = 8;
  ReadInto(read, body);
  EXPECT_EQ(read.ExistingClipActions()->Records[1]->EventFlags,
            ClipEvents({kClipEventKeyUp, kClipEventData, kClipEventDragOut}));
  EXPECT_EQ(BodyBytes(read), body);
}

TEST(PlaceObject2, KeyPressWritesTheKeyAndNeedsWideFlags) {
  TSWFPlaceObject2 tag;
  tag.Depth = 1;
  tag.ClipActions().AddRecord({}, 65).Actions.Add(Raw({0x07, 0x00}));
  const auto& record = *tag.ExistingClipActions()->Records[0];
  EXPECT_TRUE(record.EventFlags[kClipEventKeyPress]);
  // KeyPress has no bit in the 16-bit form, so an old event version is raised to 6.
  EXPECT_EQ(tag.MinVersion(), 6);
  Bytes body = BodyBytes(tag);
  EXPECT_EQ(body, (Bytes{0x80, 1, 0,    0, 0, 0, 0, 0x02, 0,               //
                         0,    0, 0x02, 0, 3, 0, 0, 0,    65, 0x07, 0x00,  // raw block ends in 0
                         0,    0, 0,    0}));

  TSWFPlaceObject2 read;
  read.EventVersion = 6;
  read.ParseActions = true;
  ReadInto(read, body);
  EXPECT_EQ(read.ExistingClipActions()->Records[0]->KeyCode(), 65);
  EXPECT_EQ(BodyBytes(read), body);

  TSWFClipActionRecord changed;
  changed.SetKeyCode(65);
  changed.SetKeyCode(0);
  EXPECT_FALSE(changed.EventFlags[kClipEventKeyPress]);
}

TEST(PlaceObject2, ActionEndFlagRule) {
  auto recordTail = [](auto fill) {
    TSWFPlaceObject2 tag;
    tag.EventVersion = 5;
    fill(tag.ClipActions().AddRecord(ClipEvents({kClipEventLoad})).Actions);
    Bytes body = BodyBytes(tag);
    // Flags, depth, reserved and all events take 7 bytes, the record's flags 2 and its size 4;
    // the end marker 2.
    uint32_t size = body[9] | body[10] << 8;
    EXPECT_EQ(size, body.size() - 13 - 2);
    return Bytes(body.begin() + 13, body.end() - 2);
  };
  EXPECT_EQ(recordTail([](TSWFActionList&) {}), (Bytes{0}));
  EXPECT_EQ(recordTail([](TSWFActionList& l) { l.Add(Raw({})); }), (Bytes{0}));
  EXPECT_EQ(recordTail([](TSWFActionList& l) { l.Add(Raw({0x07, 0})); }), (Bytes{0x07, 0}));
  EXPECT_EQ(recordTail([](TSWFActionList& l) { l.Add(std::make_unique<TSWFAction>(0x07)); }),
            (Bytes{0x07, 0}));
  EXPECT_EQ(recordTail([](TSWFActionList& l) {
              l.Add(std::make_unique<TSWFAction>(0x07));
              l.Add(std::make_unique<TSWFAction>(0));
            }),
            (Bytes{0x07, 0}));
  // A branch target after the last action still gets the end flag, and the size counts it.
  EXPECT_EQ(recordTail([](TSWFActionList& l) {
              l.Add(std::make_unique<TSWFAction>(0x07));
              l.Add(std::make_unique<Marker>());
            }),
            (Bytes{0x07, 0}));
}

TEST(PlaceObject2, ReadingStopsAtTheEndOfTheBody) {
  // Unused bytes after the last field are skipped, not left for the next reader.
  Bytes body = {0x02, 3, 0, 4, 0, 0xEE, 0xEE};
  TMemoryStream stream(Concat({body, {0x55}}));
  TBitsEngine engine(stream);
  TSWFPlaceObject2 tag;
  tag.BodySize = static_cast<uint32_t>(body.size());
  tag.ReadFromStream(engine);
  EXPECT_EQ(stream.Position(), body.size());
  EXPECT_EQ(tag.CharacterId, 4);

  // A clip-action list that holds no record clears the flag.
  TSWFPlaceObject2 empty;
  ReadInto(empty, {0x80, 1, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_FALSE(empty.HasClipActions);

  // Lists that end with the tag, where their end marker should be: without any record (a
  // swfmill file), and after one.
  TSWFPlaceObject2 unterminated;
  unterminated.EventVersion = 6;
  ReadInto(unterminated, Concat({{0xA2, 4, 0, 4, 0}, StringBytes("zero"), {0, 0, 0, 0, 0, 0}}));
  EXPECT_EQ(unterminated.Name, "zero");
  EXPECT_FALSE(unterminated.HasClipActions);
  TSWFPlaceObject2 oneRecord;
  oneRecord.EventVersion = 6;
  const Bytes record = {0x80, 1, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 2, 0, 0, 0, 0x07, 0x00};
  ReadInto(oneRecord, record);
  ASSERT_EQ(oneRecord.ClipActions().Count(), 1u);
  // Written back, the list gets its end marker.
  EXPECT_EQ(BodyBytes(oneRecord), Concat({record, {0, 0, 0, 0}}));
}

TEST(PlaceObject2, LyingClipActionSizes) {
  const Bytes head = {0x80, 1, 0, 0, 0, 0x01, 0x00};
  auto read = [](const Bytes& body, bool parse) {
    TSWFPlaceObject2 tag;
    tag.EventVersion = 5;
    tag.ParseActions = parse;
    ReadInto(tag, body);
  };
  for (bool parse : {false, true}) {
    // A size far beyond the body.
    EXPECT_THROW(read(Concat({head, {0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x07, 0}}), parse),
                 StreamError);
    // A size that runs through the end marker and past the body.
    EXPECT_THROW(read(Concat({head, {0x01, 0x00, 5, 0, 0, 0, 0x07, 0, 0, 0}}), parse), StreamError);
    // Zero-size records and no end marker: the list ends with the body instead of looping.
    Bytes endless = head;
    for (int i = 0; i < 50; ++i) endless = Concat({endless, {0x01, 0x00, 0, 0, 0, 0}});
    TSWFPlaceObject2 many;
    many.EventVersion = 5;
    many.ParseActions = parse;
    ReadInto(many, endless);
    EXPECT_EQ(many.ClipActions().Count(), 50u);
    // An action whose length reaches past its record.
    EXPECT_THROW(read(Concat({head, {0x01, 0x00, 4, 0, 0, 0, 0x96, 9, 0, 0, 0, 0}}), true),
                 StreamError);
  }
  TSWFPlaceObject2 keyPress;
  keyPress.EventVersion = 6;
  EXPECT_THROW(ReadInto(keyPress, {0x80, 1, 0, 0, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0}),
               FormatError);
  EXPECT_THROW(ReadTag(TTagCode::PlaceObject2, {0x06, 1, 0, 2}), StreamError);
}

TEST(PlaceObject2, AssignCopiesSubRecords) {
  auto owned = LoadHandler({0x07, 0}, 6);
  TSWFPlaceObject2& tag = *owned;
  tag.Matrix().SetScale(2, 2);
  tag.SetName("n");
  TSWFPlaceObject2 copy;
  copy.Assign(tag);
  EXPECT_EQ(BodyBytes(copy), BodyBytes(tag));
  copy.ClipActions().Records[0]->Actions.Clear();
  copy.Matrix().SetTranslate(5, 5);
  EXPECT_EQ(tag.ExistingClipActions()->Records[0]->Actions.Count(), 1u);
  EXPECT_EQ(tag.ExistingMatrix()->TranslateX, 0);
}

TEST(PlaceObject3, FlagsClassNameAndTail) {
  TSWFPlaceObject3 tag;
  EXPECT_EQ(tag.EventVersion, 8);
  tag.Depth = 1;
  tag.SetCharacterId(2);
  tag.BlendMode = 3;  // without HasBlendMode: no byte
  EXPECT_EQ(BodyBytes(tag), (Bytes{0x02, 0x00, 1, 0, 2, 0}));
  EXPECT_EQ(tag.MinVersion(), 8);

  tag.HasBlendMode = true;
  tag.HasCacheAsBitmap = true;
  tag.FilterList().AddFilter(kFilterBlur);
  Bytes filters = Written([&](TBitsEngine& e) { tag.FilterList().WriteToStream(e); });
  Bytes body = BodyBytes(tag);
  // The cache byte (1) closes the tag, where players that predate it never look.
  EXPECT_EQ(body, Concat({{0x02, 0x07, 1, 0, 2, 0}, filters, {3, 1}}));
  auto read = ReadTag(TTagCode::PlaceObject3, body);
  auto& placed = dynamic_cast<TSWFPlaceObject3&>(*read);
  EXPECT_EQ(placed.ExistingFilterList()->Count(), 1u);
  EXPECT_EQ(placed.BlendMode, 3);
  EXPECT_EQ(BodyBytes(placed), body);
  // Files written before the cache byte existed end right after the blend mode.
  Bytes legacy(body.begin(), body.end() - 1);
  EXPECT_EQ(BodyBytes(*ReadTag(TTagCode::PlaceObject3, legacy)), body);

  // Ahead of clip actions the byte exists only from version 10 on.
  tag.ClipActions().AddRecord(ClipEvents({kClipEventLoad}));
  Bytes v8 = BodyBytes(tag);
  tag.EventVersion = 10;
  Bytes v10 = BodyBytes(tag);
  EXPECT_EQ(v10.size(), v8.size() + 1);
  TSWFPlaceObject3 read10;
  read10.EventVersion = 10;
  ReadInto(read10, v10);
  EXPECT_EQ(read10.ClipActions().Count(), 1u);
  EXPECT_EQ(BodyBytes(read10), v10);

  // The class name follows the depth.
  TSWFPlaceObject3 named;
  named.Depth = 1;
  named.SetClassName("Ball");
  EXPECT_EQ(named.MinVersion(), 9);
  Bytes namedBody = BodyBytes(named);
  EXPECT_EQ(namedBody, Concat({{0x00, 0x08, 1, 0}, StringBytes("Ball")}));
  TSWFPlaceObject3 namedRead;
  namedRead.EventVersion = 9;
  ReadInto(namedRead, namedBody);
  EXPECT_EQ(namedRead.ClassName, "Ball");
  EXPECT_EQ(BodyBytes(namedRead), namedBody);

  // An empty filter list sets no flag and writes no count.
  TSWFPlaceObject3 noFilters;
  noFilters.FilterList();
  EXPECT_EQ(BodyBytes(noFilters), (Bytes{0x00, 0x00, 0, 0}));
}

TEST(PlaceObject3, VisibilityAndOpaqueBackground) {
  // Flag bytes: clip actions, name and character; opaque background,
  // visibility, cache, blend mode. After the blend mode come the cache byte, the visibility
  // byte and the background colour (RGBA), then the clip actions.
  const Bytes body = Concat({{0xA2, 0x66, 1, 0, 2, 0},
                             StringBytes("n"),
                             {0x01, 0x00, 0x01},
                             {0x10, 0xFF, 0x00, 0x80},
                             {0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}});
  TSWFPlaceObject3 tag;
  tag.EventVersion = 11;
  ReadInto(tag, body);
  EXPECT_TRUE(tag.HasOpaqueBackground && tag.HasVisible && tag.HasCacheAsBitmap);
  EXPECT_EQ(tag.BlendMode, 1);
  EXPECT_EQ(tag.BitmapCache, 0);
  EXPECT_EQ(tag.Visible, 1);
  EXPECT_EQ(tag.BackgroundColor.RGBA(), PackRGBA(0x10, 0xFF, 0x00, 0x80));
  ASSERT_EQ(tag.ClipActions().Count(), 1u);
  EXPECT_EQ(BodyBytes(tag), body);
  EXPECT_EQ(tag.MinVersion(), 11);
  TSWFPlaceObject3 copy;
  copy.Assign(tag);
  EXPECT_EQ(BodyBytes(copy), body);

  // Hidden, without background.
  TSWFPlaceObject3 hidden;
  hidden.Depth = 3;
  hidden.HasVisible = true;
  hidden.Visible = 0;
  EXPECT_EQ(BodyBytes(hidden), (Bytes{0x00, 0x20, 3, 0, 0}));
}

TEST(PlaceObject3, ImageFlagWithoutClassName) {
  // Flash places images with the image flag and a character, and no class name.
  const Bytes body = {0x06, 0x10, 1, 0, 7, 0, 0x00};
  TSWFPlaceObject3 tag;
  tag.EventVersion = 21;
  ReadInto(tag, body);
  EXPECT_TRUE(tag.HasImage);
  EXPECT_FALSE(tag.HasClassName);
  EXPECT_EQ(tag.CharacterId, 7);
  EXPECT_EQ(BodyBytes(tag), body);
  // With the class-name flag as well, the name comes first.
  const Bytes named = Concat({{0x06, 0x18, 1, 0}, StringBytes("Pic"), {7, 0, 0x00}});
  TSWFPlaceObject3 namedTag;
  namedTag.EventVersion = 21;
  ReadInto(namedTag, named);
  EXPECT_EQ(namedTag.ClassName, "Pic");
  EXPECT_EQ(namedTag.CharacterId, 7);
  EXPECT_EQ(BodyBytes(namedTag), named);
}

TEST(PlaceObject3, WrittenAsPlaceObject2) {
  TSWFPlaceObject3 tag;
  tag.Depth = 1;
  tag.SetCharacterId(2);
  tag.HasBlendMode = true;
  tag.BlendMode = 1;
  tag.WriteAsPlaceObject2 = true;
  Bytes whole = TagBytes(tag);
  EXPECT_EQ(HeaderCode(whole), 26);
  EXPECT_EQ(Bytes(whole.begin() + 2, whole.end()), (Bytes{0x02, 1, 0, 2, 0}));
  EXPECT_EQ(tag.MinVersion(), 3);
  tag.WriteAsPlaceObject2 = false;
  EXPECT_EQ(HeaderCode(TagBytes(tag)), 70);
}

TEST(DefineSprite, WritesEndUnlessPresent) {
  TSWFDefineSprite sprite;
  sprite.SpriteID = 5;
  sprite.FrameCount = 1;
  sprite.ControlTags.push_back(std::make_unique<TSWFShowFrame>());
  EXPECT_EQ(BodyBytes(sprite), (Bytes{5, 0, 1, 0, 0x40, 0x00, 0x00, 0x00}));
  sprite.ControlTags.push_back(std::make_unique<TSWFEnd>());
  EXPECT_EQ(BodyBytes(sprite), (Bytes{5, 0, 1, 0, 0x40, 0x00, 0x00, 0x00}));
  EXPECT_EQ(sprite.MinVersion(), 3);
}

TEST(DefineSprite, ReadHandsContextToNestedTags) {
  auto place = LoadHandler({0x07}, 6);
  TSWFDefineSprite sprite;
  sprite.SpriteID = 3;
  sprite.FrameCount = 2;
  sprite.ControlTags.push_back(std::make_unique<TSWFFrameLabel>("a"));
  auto& nested = dynamic_cast<TSWFPlaceObject2&>(
      *sprite.ControlTags.emplace_back(std::make_unique<TSWFPlaceObject2>()));
  nested.Assign(*place);
  sprite.ControlTags.push_back(std::make_unique<TSWFShowFrame>());
  auto& raw = *sprite.ControlTags.emplace_back(std::make_unique<TSWFByteCodeTag>(200));
  dynamic_cast<TSWFByteCodeTag&>(raw).Data = {1, 2, 3};
  sprite.ControlTags.push_back(std::make_unique<TSWFShowFrame>());
  Bytes body = BodyBytes(sprite);

  TSWFDefineSprite read;
  read.EventVersion = 6;
  read.ParseActions = true;
  ReadInto(read, body);
  ASSERT_EQ(read.ControlTags.size(), 6u);
  EXPECT_EQ(read.ControlTags.back()->TagID, ToCode(TTagCode::End));
  auto& readPlace = dynamic_cast<TSWFPlaceObject2&>(*read.ControlTags[1]);
  EXPECT_EQ(readPlace.EventVersion, 6);
  EXPECT_TRUE(readPlace.ParseActions);
  EXPECT_EQ(readPlace.ExistingClipActions()->Count(), 1u);
  EXPECT_EQ(dynamic_cast<TSWFByteCodeTag&>(*read.ControlTags[3]).StoredCode, 200);
  EXPECT_EQ(BodyBytes(read), body);
  EXPECT_EQ(read.MinVersion(), 6);

  TSWFDefineSprite copy;
  copy.Assign(read);
  EXPECT_EQ(BodyBytes(copy), body);
  EXPECT_NE(copy.ControlTags[1].get(), read.ControlTags[1].get());
}

TEST(DefineSprite, ScriptsAndStreamBlocksGetTheirContext) {
  TSWFDefineSprite sprite;
  auto action = std::make_unique<TSWFDoAction>();
  action->Actions().Add(std::make_unique<TSWFAction>(0x07));
  sprite.ControlTags.push_back(std::move(action));
  auto head = std::make_unique<TSWFSoundStreamHead>();
  head->StreamSoundCompression = kSoundFormatMP3;
  sprite.ControlTags.push_back(std::move(head));
  auto block = std::make_unique<TSWFSoundStreamBlock>();
  block->StreamSoundCompression = kSoundFormatMP3;
  block->SampleCount = 1152;
  block->Data = {0xFF, 0xFB};
  sprite.ControlTags.push_back(std::move(block));
  Bytes body = BodyBytes(sprite);

  TSWFDefineSprite read;
  ReadInto(read, body);
  EXPECT_FALSE(dynamic_cast<TSWFDoAction&>(*read.ControlTags[0]).ParseActions);
  auto& readBlock = dynamic_cast<TSWFSoundStreamBlock&>(*read.ControlTags[2]);
  EXPECT_TRUE(readBlock.IsMP3());
  EXPECT_EQ(readBlock.SampleCount, 1152);
  EXPECT_EQ(BodyBytes(read), body);
}

TEST(DefineSprite, NestedTagsStayInsideTheirBodies) {
  // A nested tag declaring more than the sprite holds.
  EXPECT_THROW(ReadTag(TTagCode::DefineSprite, {1, 0, 1, 0, 0x05, 0x07, 1, 0}), StreamError);
  EXPECT_THROW(
      ReadTag(TTagCode::DefineSprite, {1, 0, 1, 0, 0x3F, 0x07, 0xFF, 0xFF, 0xFF, 0x7F, 1, 0}),
      StreamError);
  // A RemoveObject2 with a one-byte body cannot borrow the next tag's bytes.
  EXPECT_THROW(ReadTag(TTagCode::DefineSprite, {1, 0, 1, 0, 0x01, 0x07, 9, 0x40, 0x00, 0x00, 0x00}),
               StreamError);
  // A sprite truncated in its header.
  EXPECT_THROW(ReadTag(TTagCode::DefineSprite, {1, 0, 1}), StreamError);
}

TEST(DefineSprite, DeepNestingIsRefused) {
  auto wrap = [](const Bytes& inner) {
    Bytes tag = {0xFF, 0x09};  // code 39, long form
    uint32_t length = static_cast<uint32_t>(inner.size() + 4);
    for (int i = 0; i < 4; ++i) tag.push_back(static_cast<uint8_t>(length >> (8 * i)));
    return Concat({tag, {1, 0, 1, 0}, inner});
  };
  Bytes body = {};
  for (int i = 0; i < TSWFDefineSprite::kMaxNesting - 1; ++i) body = wrap(body);
  EXPECT_NO_THROW(ReadTag(TTagCode::DefineSprite, Concat({{1, 0, 1, 0}, body})));
  body = wrap(body);
  EXPECT_THROW(ReadTag(TTagCode::DefineSprite, Concat({{1, 0, 1, 0}, body})), FormatError);
}

}  // namespace
}  // namespace orvanta
