#include "swf/tags_control.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "platform/md5crypt.h"
#include "platform/random.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::BodyBytes;
using test::Bytes;
using test::Concat;
using test::ReadTag;
using test::StringBytes;
using test::TagBytes;

uint16_t HeaderCode(const Bytes& tag) {
  return static_cast<uint16_t>((tag[0] | tag[1] << 8) >> 6);
}

// Writes Tag's body, reads it back through the factory and checks the copy writes the same.
Bytes ExpectRoundTrip(TSWFObject& Tag) {
  Bytes body = BodyBytes(Tag);
  auto copy = ReadTag(Tag.TagID, body);
  EXPECT_EQ(copy->TagID, Tag.TagID);
  EXPECT_EQ(BodyBytes(*copy), body);
  return body;
}

TEST(ControlTags, EndAndShowFrameAreBareHeaders) {
  TSWFEnd end;
  TSWFShowFrame show;
  EXPECT_EQ(TagBytes(end), (Bytes{0x00, 0x00}));
  EXPECT_EQ(TagBytes(show), (Bytes{0x40, 0x00}));
}

TEST(ControlTags, SetBackgroundColor) {
  TSWFSetBackgroundColor tag;
  tag.BackgroundColor.SetColor(PackRGB(0x11, 0x22, 0x33));
  EXPECT_EQ(TagBytes(tag), (Bytes{0x43, 0x02, 0x11, 0x22, 0x33}));
  auto copy = ReadTag(TTagCode::SetBackgroundColor, {0xAA, 0xBB, 0xCC});
  auto& read = dynamic_cast<TSWFSetBackgroundColor&>(*copy);
  EXPECT_EQ(read.BackgroundColor.RGB(), PackRGB(0xAA, 0xBB, 0xCC));
  EXPECT_EQ(tag.MinVersion(), 1);
}

TEST(ControlTags, FrameLabelAndAnchor) {
  TSWFFrameLabel label("intro");
  EXPECT_EQ(BodyBytes(label), StringBytes("intro"));
  EXPECT_EQ(label.MinVersion(), 3);
  label.NamedAnchor = true;
  EXPECT_EQ(BodyBytes(label), Concat({StringBytes("intro"), {1}}));
  EXPECT_EQ(label.MinVersion(), 6);

  auto plain = ReadTag(TTagCode::FrameLabel, StringBytes("a"));
  EXPECT_FALSE(dynamic_cast<TSWFFrameLabel&>(*plain).NamedAnchor);
  auto anchor = ReadTag(TTagCode::FrameLabel, Concat({StringBytes("a"), {1}}));
  EXPECT_EQ(dynamic_cast<TSWFFrameLabel&>(*anchor).Name, "a");
  EXPECT_TRUE(dynamic_cast<TSWFFrameLabel&>(*anchor).NamedAnchor);
  ExpectRoundTrip(label);

  EXPECT_THROW(ReadTag(TTagCode::FrameLabel, {'a', 'b'}), StreamError);
}

TEST(ControlTags, ProtectWithoutPasswordIsEmpty) {
  TSWFProtect tag;
  EXPECT_EQ(TagBytes(tag), (Bytes{0x00, 0x06}));
  EXPECT_EQ(tag.MinVersion(), 2);
  auto read = ReadTag(TTagCode::Protect, {});
  EXPECT_TRUE(dynamic_cast<TSWFProtect&>(*read).PasswordHash.empty());
}

TEST(ControlTags, ProtectHashesThePasswordWithAFreshSalt) {
  TRandom random(42);
  TSWFProtect tag;
  tag.Password = "secret";
  tag.Random = &random;
  Bytes body = BodyBytes(tag);
  ASSERT_EQ(body.size(), 31u);
  EXPECT_EQ(body[0], 0);
  EXPECT_EQ(body[1], 0);
  EXPECT_EQ(body.back(), 0);
  std::string hash(body.begin() + 2, body.end() - 1);
  EXPECT_EQ(hash, tag.PasswordHash);
  EXPECT_EQ(hash.substr(0, 3), "$1$");
  EXPECT_EQ(Md5Crypt("secret", hash.substr(3, 2)), hash);
  EXPECT_EQ(tag.MinVersion(), 5);

  // Without a generator of its own the tag still hashes.
  TSWFProtect unseeded;
  unseeded.Password = "secret";
  EXPECT_EQ(BodyBytes(unseeded).size(), 31u);
}

TEST(ControlTags, StoredHashSurvivesReadAndWrite) {
  const std::string hash = "$1$ab$dslkcXxVH.x8LwW1W/oAB/";
  Bytes body = Concat({{0, 0}, StringBytes(hash)});
  for (uint16_t code : {24, 58, 64}) {
    auto tag = ReadTag(code, body);
    EXPECT_EQ(dynamic_cast<TSWFProtect&>(*tag).PasswordHash, hash);
    EXPECT_EQ(BodyBytes(*tag), body);
  }
  EXPECT_EQ(Md5Crypt("secret", "$1$ab"), hash);
  EXPECT_EQ(CreateTagByCode(ToCode(TTagCode::EnableDebugger))->MinVersion(), 5);
  EXPECT_EQ(CreateTagByCode(ToCode(TTagCode::EnableDebugger2))->MinVersion(), 6);
  TSWFEnableDebugger2 debugger;
  debugger.PasswordHash = hash;
  EXPECT_EQ(HeaderCode(TagBytes(debugger)), 64);
  EXPECT_THROW(ReadTag(TTagCode::Protect, {0}), StreamError);
}

TEST(ControlTags, ExportAssetsReplacesNamesIgnoringCase) {
  TSWFExportAssets tag;
  tag.SetAsset("bgsound", 3);
  tag.SetAsset("Other", 4);
  tag.SetAsset("BGSound", 7);
  ASSERT_EQ(tag.Assets.size(), 2u);
  EXPECT_EQ(tag.Assets[0], (TSWFAsset{"bgsound", 7}));
  EXPECT_EQ(BodyBytes(tag),
            Concat({{2, 0, 7, 0}, StringBytes("bgsound"), {4, 0}, StringBytes("Other")}));
  EXPECT_EQ(tag.MinVersion(), 5);
  ExpectRoundTrip(tag);

  TSWFSymbolClass symbols;
  symbols.SetAsset("Main", 0);
  EXPECT_EQ(HeaderCode(TagBytes(symbols)), 76);
  EXPECT_EQ(symbols.MinVersion(), 9);
  ExpectRoundTrip(symbols);
}

TEST(ControlTags, ImportAssetsLayouts) {
  TSWFImportAssets2 tag2;
  tag2.URL = "lib.swf";
  tag2.SetAsset("name", 1);
  EXPECT_EQ(BodyBytes(tag2),
            Concat({StringBytes("lib.swf"), {1, 0, 1, 0, 1, 0}, StringBytes("name")}));
  ExpectRoundTrip(tag2);

  TSWFImportAssets tag;
  tag.URL = "lib.swf";
  tag.SetAsset("name", 1);
  EXPECT_EQ(BodyBytes(tag), Concat({StringBytes("lib.swf"), {1, 0, 1, 0}, StringBytes("name")}));
  ExpectRoundTrip(tag);

  TSWFImportAssets copy;
  copy.Assign(tag);
  EXPECT_EQ(copy.URL, "lib.swf");
  EXPECT_EQ(copy.Assets, tag.Assets);
}

TEST(ControlTags, AssetCountLargerThanBodyThrows) {
  EXPECT_THROW(ReadTag(TTagCode::ExportAssets, {0xFF, 0xFF, 1, 0, 'a', 0}), StreamError);
  EXPECT_THROW(ReadTag(TTagCode::ExportAssets, {2, 0, 1, 0, 'a', 0, 2, 0, 'b'}), StreamError);
}

TEST(ControlTags, SmallFixedLayouts) {
  TSWFScriptLimits limits;
  limits.MaxRecursionDepth = 0x0102;
  limits.ScriptTimeoutSeconds = 60;
  EXPECT_EQ(BodyBytes(limits), (Bytes{0x02, 0x01, 60, 0}));
  ExpectRoundTrip(limits);

  TSWFSetTabIndex tab;
  tab.Depth = 5;
  tab.TabIndex = 0x1234;
  EXPECT_EQ(BodyBytes(tab), (Bytes{5, 0, 0x34, 0x12}));
  ExpectRoundTrip(tab);

  TSWFFileAttributes attributes;
  attributes.UseNetwork = true;
  EXPECT_EQ(BodyBytes(attributes), (Bytes{0x01, 0, 0, 0}));
  attributes.HasMetadata = true;
  attributes.ActionScript3 = true;
  EXPECT_EQ(BodyBytes(attributes), (Bytes{0x19, 0, 0, 0}));
  auto read = ReadTag(TTagCode::FileAttributes, {0x08, 0, 0, 0});
  auto& readAttributes = dynamic_cast<TSWFFileAttributes&>(*read);
  EXPECT_TRUE(readAttributes.ActionScript3);
  EXPECT_FALSE(readAttributes.HasMetadata);
  EXPECT_FALSE(readAttributes.UseNetwork);
  EXPECT_THROW(ReadTag(TTagCode::FileAttributes, {0x08, 0}), StreamError);

  TSWFDefineScalingGrid grid;
  grid.CharacterId = 3;
  grid.Splitter = TSWFRect(0, 0, 100, 0);
  EXPECT_EQ(BodyBytes(grid), (Bytes{3, 0, 0x40, 0x03, 0x20, 0x00, 0x00}));
  ExpectRoundTrip(grid);
}

TEST(ControlTags, MetadataIsWrittenAsUtf8) {
  TSWFMetadata tag;
  tag.Metadata = "caf\xE9";
  EXPECT_EQ(BodyBytes(tag), (Bytes{'c', 'a', 'f', 0xC3, 0xA9, 0}));
  auto read = ReadTag(TTagCode::Metadata, BodyBytes(tag));
  EXPECT_EQ(dynamic_cast<TSWFMetadata&>(*read).Metadata, "caf\xE9");
  ExpectRoundTrip(tag);
}

TEST(ControlTags, ProductInfo) {
  TSWFProductInfo info;
  info.ProductID = 3;
  info.Edition = 6;
  info.MajorVersion = 9;
  info.MinorVersion = 1;
  info.BuildLow = 0x01020304;
  info.BuildHigh = 0;
  info.CompilationDate = 0x0000011122334455ull;
  Bytes body = ExpectRoundTrip(info);
  EXPECT_EQ(body, (Bytes{3, 0, 0, 0, 6, 0,    0,    0,    9,    1,    4,    3, 2,
                         1, 0, 0, 0, 0, 0x55, 0x44, 0x33, 0x22, 0x11, 0x01, 0, 0}));
  EXPECT_EQ(info.MinVersion(), 9);
}

TEST(ControlTags, FileBytesOutsideTheBuilderModelSurviveARewrite) {
  // Every flag of the attributes byte, on its own and all together.
  for (uint8_t flags : {0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01, 0x7F, 0x0C}) {
    SCOPED_TRACE(static_cast<int>(flags));
    Bytes body = {flags, 0, 0, 0};
    EXPECT_EQ(BodyBytes(*ReadTag(TTagCode::FileAttributes, body)), body);
  }
  auto attributes = ReadTag(TTagCode::FileAttributes, {0x64, 0, 0, 0});
  TSWFFileAttributes copy;
  copy.Assign(*attributes);
  EXPECT_TRUE(copy.UseDirectBlit && copy.UseGPU && copy.SuppressCrossDomainCaching);
  EXPECT_FALSE(copy.HasMetadata || copy.ActionScript3 || copy.SWFRelativeUrls || copy.UseNetwork);

  // Flex fills the word before the debugger password hash; it goes back as found.
  Bytes debugger = Concat({{0x75, 0x19}, StringBytes("NO-PASSWORD")});
  auto read = ReadTag(TTagCode::EnableDebugger2, debugger);
  EXPECT_EQ(dynamic_cast<TSWFProtect&>(*read).PasswordHash, "NO-PASSWORD");
  EXPECT_EQ(BodyBytes(*read), debugger);
  TSWFEnableDebugger2 debuggerCopy;
  debuggerCopy.Assign(*read);
  EXPECT_EQ(BodyBytes(debuggerCopy), debugger);

  // Metadata with characters cp1252 cannot hold is written back as read; edited text is
  // encoded again.
  Bytes cyrillic = Concat({{'7', ' '}, {0xD1, 0x81, 0xD0, 0xB5, 0xD0, 0xBD, 0xD1, 0x82}, {0}});
  auto metadata = ReadTag(TTagCode::Metadata, cyrillic);
  EXPECT_EQ(BodyBytes(*metadata), cyrillic);
  TSWFMetadata metadataCopy;
  metadataCopy.Assign(*metadata);
  EXPECT_EQ(BodyBytes(metadataCopy), cyrillic);
  metadataCopy.Metadata = "caf\xE9";
  EXPECT_EQ(BodyBytes(metadataCopy), (Bytes{'c', 'a', 'f', 0xC3, 0xA9, 0}));
}

TEST(ControlTags, ProductInfoCodeHoldingASerialNumber) {
  // Flash 5 templates carry a serial number string under the ProductInfo code.
  Bytes body = StringBytes("GAW200-NHT-UYYYYYG-ZZX");
  ASSERT_EQ(body.size(), 23u);
  auto read = ReadTag(TTagCode::ProductInfo, body);
  auto& info = dynamic_cast<TSWFProductInfo&>(*read);
  EXPECT_EQ(info.SerialNumber, std::string("GAW200-NHT-UYYYYYG-ZZX", 23));
  EXPECT_EQ(info.ProductID, 0u);
  EXPECT_EQ(BodyBytes(info), body);
  EXPECT_EQ(info.MinVersion(), 5);
  TSWFProductInfo copy;
  copy.Assign(info);
  EXPECT_EQ(BodyBytes(copy), body);
  // The product record itself is still read field by field.
  auto record = ReadTag(TTagCode::ProductInfo, Bytes(26, 1));
  EXPECT_EQ(dynamic_cast<TSWFProductInfo&>(*record).Edition, 0x01010101u);
  EXPECT_TRUE(dynamic_cast<TSWFProductInfo&>(*record).SerialNumber.empty());
  EXPECT_EQ(BodyBytes(*record), Bytes(26, 1));
}

TEST(ControlTags, SceneAndFrameLabelDataKeepsOffsets) {
  TSWFDefineSceneAndFrameLabelData tag;
  tag.AddScene("Scene 1", 0);
  tag.AddScene("Two", 200);
  tag.AddFrameLabel("go", 3);
  Bytes body = ExpectRoundTrip(tag);
  EXPECT_EQ(body, Concat({{2, 0},
                          StringBytes("Scene 1"),
                          {0xC8, 0x01},
                          StringBytes("Two"),
                          {1, 3},
                          StringBytes("go")}));
  auto read = ReadTag(TTagCode::DefineSceneAndFrameLabelData, body);
  auto& scenes = dynamic_cast<TSWFDefineSceneAndFrameLabelData&>(*read);
  ASSERT_EQ(scenes.Scenes.size(), 2u);
  EXPECT_EQ(scenes.Scenes[1], (TSWFSceneEntry{200, "Two"}));
  EXPECT_EQ(scenes.FrameLabels[0], (TSWFFrameLabelEntry{3, "go"}));

  // A count of four billion scenes in a few bytes fails at once.
  EXPECT_THROW(
      ReadTag(TTagCode::DefineSceneAndFrameLabelData, {0xFF, 0xFF, 0xFF, 0xFF, 0x0F, 0, 0}),
      StreamError);
}

TEST(ControlTags, AssignCopiesEveryField) {
  TSWFProtect protect;
  protect.Password = "pw";
  protect.PasswordHash = "$1$xy$";
  TSWFProtect protectCopy;
  protectCopy.Assign(protect);
  EXPECT_EQ(protectCopy.Password, "pw");
  EXPECT_EQ(protectCopy.PasswordHash, "$1$xy$");

  TSWFDefineSceneAndFrameLabelData scenes;
  scenes.AddScene("s", 4);
  scenes.AddFrameLabel("l", 5);
  TSWFDefineSceneAndFrameLabelData scenesCopy;
  scenesCopy.Assign(scenes);
  EXPECT_EQ(BodyBytes(scenesCopy), BodyBytes(scenes));

  TSWFFrameLabel label("x");
  label.NamedAnchor = true;
  TSWFFrameLabel labelCopy;
  labelCopy.Assign(label);
  EXPECT_EQ(BodyBytes(labelCopy), BodyBytes(label));

  TSWFExportAssets exports;
  EXPECT_THROW(exports.Assign(label), std::bad_cast);
}

}  // namespace
}  // namespace orvanta
