#include "media/flash_external_movie.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <map>
#include <utility>

#include "media/sound_tags.h"
#include "media/swf_reader.h"
#include "movie/flash_button.h"
#include "movie/flash_font.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "movie/flash_sprite.h"
#include "movie/flash_text.h"
#include "platform/errors.h"
#include "platform/random.h"
#include "script/action.h"
#include "script/flash_action_script.h"
#include "script/tags_action.h"
#include "swf/tags_bitmap.h"
#include "swf/tags_button.h"
#include "swf/tags_control.h"
#include "swf/tags_display.h"
#include "swf/tags_font.h"
#include "swf/tags_shape.h"
#include "swf/tags_text.h"
#include "test_util.h"
#include "zws_util.h"

namespace orvanta {
namespace {

using test::Bytes;
using IdPairs = std::vector<std::pair<uint16_t, uint16_t>>;  // (tag code, character id)

constexpr uint64_t kSeed = 4242;

uint16_t CodeOf(const TSWFObject& tag) {
  if (auto* raw = dynamic_cast<const TSWFByteCodeTag*>(&tag)) return raw->StoredCode;
  return tag.TagID;
}

template <class T>
T* Tagged(TFlashMovie& movie, std::unique_ptr<T> tag) {
  return movie.Add(std::move(tag));
}

uint16_t TakeId(TFlashMovie& movie) {
  uint16_t id = movie.NextCharacterID();
  movie.SetNextCharacterID(static_cast<uint16_t>(id + 1));
  return id;
}

Bytes Saved(TFlashMovie& movie) {
  movie.MakeData();
  TMemoryStream out;
  movie.SaveToStream(out);
  return out.Bytes();
}

// A movie with a definition of every kind whose ids an import rewrites, referring to each
// other in every way the reader renumbers, over three frames.
Bytes SourceMovie(uint8_t version = 8) {
  TFlashMovie m(0, 0, 200, 100, 12, true);
  m.SetVersion(version);
  m.BackgroundColor().SetColor(0x1E140A);
  m.UseFileAttributes = true;
  m.Protect = true;

  TFlashShape* square = m.AddRectangle(0, 0, 10, 10);
  square->SetSolidColor(255, 0, 0);

  auto bitmap = std::make_unique<TSWFDefineBitsLossless>();
  bitmap->CharacterId = TakeId(m);
  bitmap->BitmapFormat = 5;
  bitmap->BitmapWidth = bitmap->BitmapHeight = 1;
  Bytes argb = {255, 1, 2, 3};
  uLongf size = compressBound(4);
  bitmap->Data.resize(size);
  compress(bitmap->Data.data(), &size, argb.data(), 4);
  bitmap->Data.resize(size);
  uint16_t bitmapId = Tagged(m, std::move(bitmap))->CharacterId;

  TFlashShape* pictured = m.AddRectangle(0, 0, 20, 20);
  auto fill = std::make_unique<TSWFImageFill>();
  fill->BitmapId = bitmapId;
  pictured->AddFillStyle(std::move(fill));

  TFlashSprite* clip = m.AddSprite(square);
  clip->FrameActions().Stop();
  clip->ShowFrame(2);
  clip->InitActions().Stop();

  TFontDescription description;
  description.Name = "Arial";
  description.Height = -12;
  description.Charset = kAnsiCharset;
  TFlashFont* arial = m.AddFont(description);

  auto device = std::make_unique<TSWFDefineFont2>();
  device->FontID = TakeId(m);
  device->FontName = "Verdana";
  Tagged(m, std::move(device));

  auto old = std::make_unique<TSWFDefineFont>();
  old->FontID = TakeId(m);
  old->GlyphShapeTable.emplace_back();
  old->GlyphShapeTable.back().push_back(std::make_unique<TSWFEndShapeRecord>());
  uint16_t oldId = Tagged(m, std::move(old))->FontID;
  auto info = std::make_unique<TSWFDefineFontInfo>();
  info->FontID = oldId;
  info->FontName = "Courier";
  info->CodeTable = {'A'};
  Tagged(m, std::move(info));

  TFlashText* field = m.AddDynamicText(
      u"<p><font face=\"Arial\">Hi</font> my face 'x' <FONT FACE='Verdana'>d</FONT></p>",
      TSWFRGBA(0xFF000000u, true), arial, TRect{0, 0, 100, 20});
  field->HTML = true;
  field->UseOutlines = true;
  TFlashText* label = m.AddText("Hi", TSWFRGBA(0xFF000000u, true), arial, {0, 40});

  auto sound = std::make_unique<TSWFDefineSound>();
  sound->SoundId = TakeId(m);
  sound->SoundFormat = 3;
  sound->Data = Bytes(16, 0x80);
  sound->SoundSampleCount = 16;
  uint16_t soundId = Tagged(m, std::move(sound))->SoundId;

  TFlashButton* button = m.AddButton();
  button->AddRecord(*square, 0x0F, 1);
  button->OnRelease().Stop();
  button->RollOverSound().SoundId = soundId;

  m.ExportAssets("clip", clip->CharacterId());

  m.PlaceObject(square, 1);
  m.PlaceObject(pictured, 2);
  m.PlaceObject(clip, 3);
  m.PlaceObject(field, 4);
  m.PlaceObject(label, 5);
  m.PlaceObject(button, 6);
  m.StartSound(soundId);
  m.FrameActions().Stop();
  m.FrameLabel = "start";
  m.ShowFrame();
  m.RemoveObject(1);
  m.RemoveObject(2, pictured);
  m.ShowFrame();
  m.ShowFrame();
  return Saved(m);
}

std::unique_ptr<TSWFStreamReader> Parsed(const Bytes& file) {
  TMemoryStream stream(file);
  auto reader = std::make_unique<TSWFStreamReader>(stream);
  reader->ParseTags(true, false);
  return reader;
}

void FillRefs(const TSWFFillStyleList& fills, uint16_t code, IdPairs& out) {
  for (const auto& fill : fills)
    if (auto* image = dynamic_cast<const TSWFImageFill*>(fill.get()))
      out.emplace_back(code, image->BitmapId);
}

// Every character id a tag refers to, with the code of the tag that holds the reference.
void References(TSWFObject& tag, IdPairs& out) {
  const uint16_t code = CodeOf(tag);
  if (auto* place = dynamic_cast<TSWFPlaceObject2*>(&tag)) {
    if (place->PlaceFlagHasCharacter) out.emplace_back(code, place->CharacterId);
  } else if (auto* remove = dynamic_cast<TSWFRemoveObject*>(&tag)) {
    out.emplace_back(code, remove->CharacterId);
  } else if (auto* start = dynamic_cast<TSWFStartSound*>(&tag)) {
    out.emplace_back(code, start->SoundId);
  } else if (auto* sprite = dynamic_cast<TSWFDefineSprite*>(&tag)) {
    for (auto& inner : sprite->ControlTags) References(*inner, out);
  } else if (auto* shape = dynamic_cast<TSWFDefineShape*>(&tag)) {
    FillRefs(shape->FillStyles, code, out);
    for (const auto& record : shape->ShapeRecords)
      if (record->Kind == TShapeRecordKind::StyleChange)
        FillRefs(static_cast<TSWFStyleChangeRecord&>(*record).FillStylesView(), code, out);
  } else if (auto* button = dynamic_cast<TSWFBasedButton*>(&tag)) {
    for (auto& record : button->Characters) out.emplace_back(code, record->CharacterID);
  } else if (auto* sounds = dynamic_cast<TSWFDefineButtonSound*>(&tag)) {
    out.emplace_back(code, sounds->ButtonId);
    for (size_t i = 0; i < 4; ++i)
      if (const TSWFStartSound* s = sounds->ExistingSound(i)) out.emplace_back(code, s->SoundId);
  } else if (auto* text = dynamic_cast<TSWFDefineText*>(&tag)) {
    for (auto& record : text->TextRecords)
      if (record->StyleFlagsHasFont) out.emplace_back(code, record->FontIDField());
  } else if (auto* edit = dynamic_cast<TSWFDefineEditText*>(&tag)) {
    if (edit->HasFont) out.emplace_back(code, edit->FontID);
  } else if (auto* info = dynamic_cast<TSWFDefineFontInfo*>(&tag)) {
    out.emplace_back(code, info->FontID);
  } else if (auto* init = dynamic_cast<TSWFDoInitAction*>(&tag)) {
    out.emplace_back(code, init->SpriteID);
  } else if (auto* exports = dynamic_cast<TSWFExportAssets*>(&tag)) {
    for (auto& asset : exports->Assets) out.emplace_back(code, asset.Id);
  }
}

// Definitions and references of a parsed file, each shifted by `shift` when asked.
struct Ids {
  IdPairs Defined;
  IdPairs Referenced;
};

bool IsDefinition(uint16_t code) {
  static const std::vector<uint16_t> codes = {2,  6,  7,  10, 11, 14, 20, 21, 22, 32, 33,
                                              34, 35, 36, 37, 39, 46, 48, 60, 75, 83, 84};
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

Ids IdsOf(TSWFStreamReader& reader, int shift = 0) {
  Ids ids;
  const Bytes& body = reader.BodyStream().Bytes();
  for (auto& info : reader.TagList) {
    TSWFObject* tag = info->TagObject();
    uint16_t code = CodeOf(*tag);
    if (IsDefinition(code)) {
      size_t at = info->Position + (info->LongHeader ? 6 : 2);
      ids.Defined.emplace_back(code, static_cast<uint16_t>((body[at] | body[at + 1] << 8) + shift));
    }
    IdPairs refs;
    References(*tag, refs);
    for (auto& [c, id] : refs) ids.Referenced.emplace_back(c, static_cast<uint16_t>(id + shift));
  }
  std::sort(ids.Defined.begin(), ids.Defined.end());
  std::sort(ids.Referenced.begin(), ids.Referenced.end());
  return ids;
}

// Each id defined once, and before anything refers to it.
void ExpectEachIdDefinedOnceBeforeUse(TSWFStreamReader& out) {
  std::map<uint16_t, size_t> definedAt;
  const Bytes& body = out.BodyStream().Bytes();
  for (size_t i = 0; i < out.TagList.size(); ++i) {
    TSWFTagInfo& info = *out.TagList[i];
    if (!IsDefinition(info.StoredCode())) continue;
    size_t at = info.Position + (info.LongHeader ? 6 : 2);
    uint16_t id = static_cast<uint16_t>(body[at] | body[at + 1] << 8);
    EXPECT_TRUE(definedAt.emplace(id, i).second) << "id " << id << " defined twice";
  }
  for (size_t i = 0; i < out.TagList.size(); ++i) {
    IdPairs refs;
    References(*out.TagList[i]->TagObject(), refs);
    for (auto& [code, id] : refs) {
      auto found = definedAt.find(id);
      ASSERT_NE(found, definedAt.end()) << "tag " << code << " refers to undefined " << id;
      EXPECT_LT(found->second, i) << "tag " << code << " refers to " << id << " defined later";
    }
  }
}

std::vector<uint16_t> TopCodes(TSWFStreamReader& reader) {
  std::vector<uint16_t> codes;
  for (auto& info : reader.TagList) codes.push_back(info->StoredCode());
  return codes;
}

template <class T>
std::vector<T*> TagsOf(TSWFStreamReader& reader) {
  std::vector<T*> found;
  for (auto& info : reader.TagList)
    if (auto* tag = dynamic_cast<T*>(info->TagObject())) found.push_back(tag);
  return found;
}

size_t Count(const std::vector<uint16_t>& codes, uint16_t code) {
  return static_cast<size_t>(std::count(codes.begin(), codes.end(), code));
}

// The movie an import lands in: two characters of its own before the import, one after.
struct Target {
  TFlashMovie movie{0, 0, 300, 300, 12, true};
  TFlashExternalMovie* external = nullptr;

  Target() {
    movie.SetVersion(8);
    movie.Random().Seed(kSeed);
    movie.AddRectangle(0, 0, 5, 5)->SetSolidColor(0, 0, 255);
    movie.AddSprite();
  }
  TFlashExternalMovie& Import(const Bytes& source, uint8_t mode) {
    TMemoryStream stream(source);
    external = movie.AddExternalMovie(stream, mode, true);
    return *external;
  }
  std::unique_ptr<TSWFStreamReader> Output() { return Parsed(Saved(movie)); }
};

std::string ExpectedPrefix() {
  TRandom random(kSeed);
  return std::to_string(random.Next(65535));
}

TEST(ExternalMovie, AsSpriteRenumbersEveryReferenceIntoAFreshRange) {
  Bytes source = SourceMovie();
  auto original = Parsed(source);
  Target t;
  TFlashExternalMovie& ext = t.Import(source, TFlashExternalMovie::kImportAsSprite);
  const int count = ext.CharacterCount();
  ASSERT_EQ(count, 11);  // 2 shapes, bitmap, sprite, 3 fonts, 2 texts, sound, button
  EXPECT_EQ(ext.CharacterId(), 3);
  EXPECT_EQ(t.movie.NextCharacterID(), 3 + count + 2);
  ASSERT_NE(ext.Sprite(), nullptr);
  EXPECT_EQ(ext.Sprite()->CharacterId(), 3);
  EXPECT_EQ(t.movie.Sprites.back(), ext.Sprite());
  uint16_t after = t.movie.AddRectangle(0, 0, 1, 1)->CharacterId();
  EXPECT_EQ(after, 3 + count + 2);
  t.movie.PlaceObject(ext.Sprite(), 7);
  t.movie.ShowFrame();
  auto out = t.Output();

  // The source's ids were 1..11 in file order; they become 4..14.
  Ids expected = IdsOf(*original, 3);
  expected.Defined.insert(expected.Defined.end(), {{39, 2}, {39, 3}});
  expected.Referenced.emplace_back(26, 3);
  Ids written = IdsOf(*out);
  const uint16_t ownShape = out->TagList.front()->StoredCode();
  expected.Defined.insert(expected.Defined.end(), {{ownShape, 1}, {ownShape, after}});
  std::sort(expected.Defined.begin(), expected.Defined.end());
  std::sort(expected.Referenced.begin(), expected.Referenced.end());
  EXPECT_EQ(written.Defined, expected.Defined);
  EXPECT_EQ(written.Referenced, expected.Referenced);

  ExpectEachIdDefinedOnceBeforeUse(*out);
}

// A user's movie saved by a current authoring tool is LZMA-compressed: it imports as its plain
// form does.
TEST(ExternalMovie, LzmaSourceImportsLikeItsPlainForm) {
  const Bytes plain = SourceMovie();
  Bytes outputs[2];
  for (int i = 0; i < 2; ++i) {
    Target t;
    TFlashExternalMovie& ext =
        t.Import(i == 0 ? plain : test::ZwsFromFws(plain), TFlashExternalMovie::kImportAsSprite);
    t.movie.PlaceObject(ext.Sprite(), 7);
    t.movie.ShowFrame();
    outputs[i] = Saved(t.movie);
  }
  EXPECT_EQ(outputs[0], outputs[1]);
}

TEST(ExternalMovie, AsSpriteMovesTheTimelineIntoOneSpriteAfterTheDefinitions) {
  Bytes source = SourceMovie();
  auto original = Parsed(source);
  Target t;
  TFlashExternalMovie& ext = t.Import(source, TFlashExternalMovie::kImportAsSprite);
  t.movie.PlaceObject(ext.Sprite(), 1);
  t.movie.ShowFrame();
  auto out = t.Output();

  std::vector<uint16_t> sourceCodes = TopCodes(*original);
  std::vector<uint16_t> timeline, definitions;
  for (uint16_t code : sourceCodes) {
    switch (code) {
      case 1:
      case 4:
      case 5:
      case 12:
      case 15:
      case 18:
      case 19:
      case 26:
      case 28:
      case 43:
      case 45:
      case 70:
        timeline.push_back(code);
        break;
      case 0:
      case 9:
      case 24:
      case 58:
      case 64:
      case 69:
      case 77:
        break;
      default:
        definitions.push_back(code);
    }
  }
  timeline.push_back(0);
  ASSERT_EQ(Count(timeline, 1), 3u);

  // Own shape and sprite, the source's definitions in order, the import's sprite, then the
  // placement of it, a frame and End.
  std::vector<uint16_t> codes = TopCodes(*out);
  ASSERT_EQ(codes.size(), 2 + definitions.size() + 1 + 3);
  EXPECT_EQ(std::vector<uint16_t>(codes.begin() + 2, codes.begin() + 2 + definitions.size()),
            definitions);
  TSWFTagInfo& spriteInfo = *out->TagList[2 + definitions.size()];
  ASSERT_EQ(spriteInfo.TagID, ToCode(TTagCode::DefineSprite));
  auto& sprite = static_cast<TSWFDefineSprite&>(*spriteInfo.TagObject());
  EXPECT_EQ(sprite.SpriteID, 3);
  EXPECT_EQ(sprite.FrameCount, 3);
  std::vector<uint16_t> inner;
  for (auto& tag : sprite.ControlTags) inner.push_back(CodeOf(*tag));
  EXPECT_EQ(inner, timeline);
  EXPECT_EQ(out->Header().FrameCount, 1);
  // Nothing of the source's file-level settings survives.
  for (uint16_t code : {9, 24, 69, 77}) EXPECT_EQ(Count(codes, code), 0u) << code;
}

TEST(ExternalMovie, AnImportPlacedInAnEarlierSpriteMovesBeforeIt) {
  Target t;
  TFlashSprite* outer = t.movie.AddSprite();
  TFlashExternalMovie& ext = t.Import(SourceMovie(), TFlashExternalMovie::kImportAsSprite);
  outer->PlaceObject(ext.Sprite(), 1);
  outer->ShowFrame();
  t.movie.PlaceObject(outer, 1);
  t.movie.ShowFrame();
  auto out = t.Output();
  ExpectEachIdDefinedOnceBeforeUse(*out);
  auto sprites = TagsOf<TSWFDefineSprite>(*out);
  ASSERT_EQ(sprites.size(), 4u);  // own, the source's clip, the import, the outer sprite
  EXPECT_EQ(sprites[2]->SpriteID, ext.CharacterId());
  EXPECT_EQ(sprites[3]->SpriteID, outer->CharacterId());
}

TEST(ExternalMovie, WholeMovieAddsItsFramesAndLeavesAnIdUnused) {
  Bytes source = SourceMovie();
  Target t;
  t.movie.ShowFrame();
  TFlashExternalMovie& ext = t.Import(source, TFlashExternalMovie::kImportWholeMovie);
  EXPECT_EQ(ext.Sprite(), nullptr);
  EXPECT_EQ(t.movie.NextCharacterID(), 3 + ext.CharacterCount() + 1);
  t.movie.ShowFrame();
  auto out = t.Output();
  std::vector<uint16_t> codes = TopCodes(*out);
  EXPECT_EQ(out->Header().FrameCount, 5);  // 1 before, 3 imported, 1 after
  EXPECT_EQ(Count(codes, 1), 5u);
  EXPECT_EQ(Count(codes, 39), 2u);  // own empty sprite and the source's clip
  for (uint16_t code : {9, 24, 69, 77}) EXPECT_EQ(Count(codes, code), 0u) << code;
  // Main-timeline references of the source land in the main timeline, renumbered.
  auto places = TagsOf<TSWFPlaceObject2>(*out);
  ASSERT_EQ(places.size(), 6u);
  EXPECT_EQ(places.front()->CharacterId, 3);  // the first definition takes the import's own id
}

TEST(ExternalMovie, DefinitionModesLeaveFramesOrTheDisplayListOut) {
  Bytes source = SourceMovie();
  auto original = Parsed(source);
  std::vector<uint16_t> sourceCodes = TopCodes(*original);

  Target defs;
  defs.Import(source, TFlashExternalMovie::kImportDefinitions);
  std::vector<uint16_t> codes = TopCodes(*defs.Output());
  for (uint16_t code : {1, 4, 5, 15, 26, 28, 70}) EXPECT_EQ(Count(codes, code), 0u) << code;
  // Frame scripts and labels are no display list: they stay.
  EXPECT_EQ(Count(codes, 12), Count(sourceCodes, 12));
  EXPECT_EQ(Count(codes, 43), 1u);
  EXPECT_EQ(Count(codes, 34), 1u);

  Target list;
  list.Import(source, TFlashExternalMovie::kImportDefinitionsAndDisplayList);
  auto out = list.Output();
  codes = TopCodes(*out);
  // All the placements, in the one frame the movie closes itself.
  EXPECT_EQ(Count(codes, 26), Count(sourceCodes, 26));
  EXPECT_EQ(Count(codes, 28), 1u);
  EXPECT_EQ(Count(codes, 5), 1u);
  EXPECT_EQ(Count(codes, 1), 1u);
  EXPECT_EQ(out->Header().FrameCount, 1);
  EXPECT_EQ(list.movie.NextCharacterID(), 3 + list.external->CharacterCount() + 1);
}

TEST(ExternalMovie, EmbeddedFontsAndTheirHtmlFacesGetOnePrefix) {
  Bytes source = SourceMovie();
  Target t;
  TFlashExternalMovie& ext = t.Import(source, TFlashExternalMovie::kImportAsSprite);
  t.movie.PlaceObject(ext.Sprite(), 1);
  auto out = t.Output();
  const std::string prefix = ExpectedPrefix();

  std::map<std::string, int> names;
  for (auto* font : TagsOf<TSWFDefineFont2>(*out)) ++names[font->FontName];
  for (auto* info : TagsOf<TSWFDefineFontInfo>(*out)) ++names[info->FontName];
  EXPECT_EQ(names, (std::map<std::string, int>{
                       {prefix + "Arial", 1}, {"Verdana", 1}, {prefix + "Courier", 1}}));

  auto edits = TagsOf<TSWFDefineEditText>(*out);
  ASSERT_EQ(edits.size(), 1u);
  // Only the faces naming the embedded font change: the device font keeps its name in the text
  // too, and "face" outside markup is text.
  std::string text = TagsOf<TSWFDefineEditText>(*Parsed(source))[0]->InitialText();
  ASSERT_NE(text.find("my face 'x' <FONT FACE='Verdana'>"), std::string::npos);
  for (size_t at = text.find("face=\"Arial"); at != std::string::npos;
       at = text.find("face=\"Arial", at + 1))
    text.insert(at + 6, prefix);
  EXPECT_EQ(edits[0]->InitialText(), text);
}

TEST(ExternalMovie, EachWriteDrawsANewPrefixInFrontOfTheLast) {
  Target t;
  TFlashExternalMovie& ext = t.Import(SourceMovie(), TFlashExternalMovie::kImportDefinitions);
  t.Output();
  auto out = t.Output();
  TRandom random(kSeed);
  std::string first = std::to_string(random.Next(65535));
  std::string second = std::to_string(random.Next(65535));
  auto fonts = TagsOf<TSWFDefineFont2>(*out);
  ASSERT_EQ(fonts.size(), 2u);
  EXPECT_EQ(fonts[0]->FontName, second + first + "Arial");
  EXPECT_NE(TagsOf<TSWFDefineEditText>(*out)[0]->InitialText().find(second + first + "Arial"),
            std::string::npos);

  ext.RenameFonts = false;
  out = t.Output();
  EXPECT_EQ(TagsOf<TSWFDefineFont2>(*out)[0]->FontName, second + first + "Arial");
}

TEST(ExternalMovie, WriteHookDropsTagsAndSpriteFramesAreRebuiltEachWrite) {
  Target t;
  TFlashExternalMovie& ext = t.Import(SourceMovie(), TFlashExternalMovie::kImportAsSprite);
  t.movie.PlaceObject(ext.Sprite(), 1);
  t.Output();
  ext.OnWriteTag = [](TSWFObject& tag, bool& write) {
    if (tag.TagID == 12 || tag.TagID == 11) write = false;  // DoAction, DefineText
  };
  auto out = t.Output();
  std::vector<uint16_t> codes = TopCodes(*out);
  EXPECT_EQ(Count(codes, 11), 0u);
  auto sprites = TagsOf<TSWFDefineSprite>(*out);
  ASSERT_EQ(sprites.size(), 3u);  // own, the source's clip, the import
  TSWFDefineSprite& sprite = *sprites.back();
  EXPECT_EQ(sprite.FrameCount, 3);  // not 6: the second write starts over
  size_t frames = 0;
  for (auto& tag : sprite.ControlTags) {
    EXPECT_NE(tag->TagID, ToCode(TTagCode::DoAction));
    frames += tag->TagID == 1;
  }
  EXPECT_EQ(frames, 3u);
}

TEST(ExternalMovie, ClipEventsOfAnOlderMovieAreWrittenAtTheMoviesWidth) {
  TFlashMovie old(0, 0, 100, 100, 12, true);
  old.SetVersion(5);
  TFlashShape* shape = old.AddRectangle(0, 0, 10, 10);
  TFlashSprite* clip = old.AddSprite(shape);
  TFlashPlaceObject* place = old.PlaceObject(clip, 1);
  TSWFClipActionRecord& record =
      place->PlaceObject().ClipActions().AddRecord(ClipEvents({kClipEventEnterFrame}));
  record.Actions.Add(CreateActionByCode(0x07));  // Stop
  old.ShowFrame();
  Bytes source = Saved(old);
  ASSERT_EQ(source[3], 5);

  Target t;
  TFlashExternalMovie& ext = t.Import(source, TFlashExternalMovie::kImportAsSprite);
  t.movie.PlaceObject(ext.Sprite(), 1);
  auto out = t.Output();
  ASSERT_GE(out->Version(), 6);
  auto sprite = TagsOf<TSWFDefineSprite>(*out).back();
  auto* placed = dynamic_cast<TSWFPlaceObject2*>(sprite->ControlTags.front().get());
  ASSERT_NE(placed, nullptr);
  ASSERT_NE(placed->ExistingClipActions(), nullptr);
  ASSERT_EQ(placed->ExistingClipActions()->Count(), 1u);
  EXPECT_EQ(placed->ExistingClipActions()->Records[0]->EventFlags,
            ClipEvents({kClipEventEnterFrame}));
}

Bytes Truncated(Bytes file, size_t keep) {
  file.resize(keep);
  return file;
}

TEST(ExternalMovie, BadSourcesRaiseAndAddNothing) {
  Bytes good = SourceMovie();
  Bytes compressed;
  {
    TFlashMovie m(0, 0, 100, 100, 12, true);
    m.SetCompressed(true);
    m.AddRectangle(0, 0, 50, 50);
    m.ShowFrame();
    compressed = Saved(m);
  }
  struct Case {
    const char* name;
    Bytes file;
    bool format;  // FormatError, else StreamError
  };
  std::vector<Case> cases = {
      {"cut inside a tag", Truncated(good, good.size() - 40), true},
      {"cut inside a header", Truncated(good, good.size() - 1), true},
      {"cut compressed data", Truncated(compressed, compressed.size() - 10), false},
      {"a GIF", Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0}, true},
      {"cut LZMA movie", Bytes{'Z', 'W', 'S', 13, 100, 0, 0, 0, 0, 0, 0, 0}, false},
      {"two bytes", Bytes{'F', 'W'}, true},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    Target t;
    const size_t objects = t.movie.ObjectList().size();
    const size_t sprites = t.movie.Sprites.size();
    TMemoryStream stream(c.file);
    if (c.format)
      EXPECT_THROW(t.movie.AddExternalMovie(stream, 3, true), FormatError);
    else
      EXPECT_THROW(t.movie.AddExternalMovie(stream, 3, true), StreamError);
    EXPECT_EQ(t.movie.ObjectList().size(), objects);
    EXPECT_EQ(t.movie.Sprites.size(), sprites);
    EXPECT_EQ(t.movie.NextCharacterID(), 3);
  }

  Target missing;
  EXPECT_THROW(missing.movie.AddExternalMovie("/nonexistent/clip.swf", 3, true), FileError);
  EXPECT_EQ(missing.movie.ObjectList().size(), 2u);

  // Ids end at 65535: an import that would need more is refused before anything changes. Its
  // 11 characters, its sprite and the unused id after them take 13.
  Target full;
  full.movie.SetNextCharacterID(65535 - 12);
  TMemoryStream stream(good);
  EXPECT_THROW(full.movie.AddExternalMovie(stream, 3, true), FormatError);
  EXPECT_EQ(full.movie.ObjectList().size(), 2u);
  EXPECT_EQ(full.movie.NextCharacterID(), 65535 - 12);
  full.movie.SetNextCharacterID(65535 - 13);
  stream.SetPosition(0);
  full.movie.AddExternalMovie(stream, 3, true);
  EXPECT_EQ(full.movie.NextCharacterID(), 65535);
}

TEST(ExternalMovie, BytesAfterTheEndTagAreNoPartOfTheMovie) {
  Bytes file = SourceMovie();
  Bytes junk = {0x3F, 0x03, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2};  // a long header claiming 2 GB
  file.insert(file.end(), junk.begin(), junk.end());
  Target t;
  TFlashExternalMovie& ext = t.Import(file, TFlashExternalMovie::kImportWholeMovie);
  auto out = t.Output();
  std::vector<uint16_t> codes = TopCodes(*out);
  EXPECT_EQ(Count(codes, 12), Count(TopCodes(*Parsed(SourceMovie())), 12));
  EXPECT_EQ(codes.back(), 0);
  for (auto& info : out->TagList) EXPECT_TRUE(info->ReadError.empty()) << info->ReadError;
  EXPECT_EQ(ext.CharacterCount(), 11);
}

TEST(ExternalMovie, AMovieWithoutTagsWritesOnlyTheSpriteItStandsFor) {
  Bytes empty = Saved(*std::make_unique<TFlashMovie>(0, 0, 10, 10, 12));
  empty.resize(empty.size() - 2);  // drop End: a header and nothing else
  empty[4] = static_cast<uint8_t>(empty.size());
  Target t;
  TFlashExternalMovie& ext = t.Import(empty, TFlashExternalMovie::kImportAsSprite);
  EXPECT_EQ(ext.CharacterCount(), 0);
  t.movie.PlaceObject(ext.Sprite(), 1);
  auto out = t.Output();
  auto sprites = TagsOf<TSWFDefineSprite>(*out);
  ASSERT_EQ(sprites.size(), 2u);
  EXPECT_EQ(sprites.back()->SpriteID, 3);
  EXPECT_EQ(sprites.back()->FrameCount, 1);

  // Made directly on something that is not a movie, an import writes nothing at all.
  TMemoryStream gif(Bytes{'G', 'I', 'F', '8', '9', 'a'});
  TFlashExternalMovie direct(nullptr, gif);
  EXPECT_FALSE(direct.Reader().Valid);
  EXPECT_TRUE(test::Written([&](TBitsEngine& e) { direct.WriteToStream(e); }).empty());
}

TEST(ExternalMovie, NewerTagsRaiseTheMoviesVersion) {
  TFlashMovie source(0, 0, 100, 100, 12, true);
  source.SetVersion(8);
  auto font = std::make_unique<TSWFDefineFont3>();
  font->FontID = TakeId(source);
  font->FontName = "Sans";
  source.Add(std::move(font));
  source.ShowFrame();
  Target t;
  t.movie.SetVersion(6);
  TFlashExternalMovie& ext = t.Import(Saved(source), TFlashExternalMovie::kImportAsSprite);
  EXPECT_EQ(ext.MinVersion(), 8);
  EXPECT_EQ(t.movie.MakeData(), 8);
}

std::string Faces(const std::string& html, const std::vector<std::string>& renamed = {"arial"}) {
  return PrefixHtmlFontFaces(html, "417", [&](const std::string& face) {
    std::string lower;
    for (char c : face) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return std::find(renamed.begin(), renamed.end(), lower) != renamed.end();
  });
}

TEST(ExternalMovie, HtmlFacesArePrefixedOnlyInMarkup) {
  EXPECT_EQ(Faces("<font face=\"Arial\">x</font>"), "<font face=\"417Arial\">x</font>");
  EXPECT_EQ(Faces("<FONT FACE='ARIAL' SIZE='12'>x</FONT>"),
            "<FONT FACE='417ARIAL' SIZE='12'>x</FONT>");
  EXPECT_EQ(Faces("<font face = \"Arial\">"), "<font face = \"417Arial\">");
  EXPECT_EQ(Faces("<font face=Arial size=3>"), "<font face=417Arial size=3>");
  EXPECT_EQ(Faces("<font face=\"Verdana, Arial,  _sans\">"),
            "<font face=\"Verdana, 417Arial,  _sans\">");
  // Not a face attribute: left exactly as it was.
  for (const char* same :
       {"surface 'Arial' \"Arial\"", "<a href=\"interface.htm\" target='Arial'>x</a>",
        "<font typeface=\"Arial\">", "<font face=\"Courier\">", "<font face",
        "<font face=", "<<>>face='Arial'", ""}) {
    EXPECT_EQ(Faces(same), same);
  }
  EXPECT_EQ(Faces("<font face=\"Arial"), "<font face=\"417Arial");
  EXPECT_EQ(Faces("<font face=\"Arial\"><font face='Arial'>"),
            "<font face=\"417Arial\"><font face='417Arial'>");
}

}  // namespace
}  // namespace orvanta
