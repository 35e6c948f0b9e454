#include "swf/tags_control.h"

#include <algorithm>

#include "platform/codepage.h"
#include "platform/md5crypt.h"
#include "platform/random.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"

namespace orvanta {

namespace {

// Case folding of one cp1252 byte: ASCII and the accented letters of the code page.
unsigned char FoldCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
  switch (c) {
    case 0x8A:
      return 0x9A;  // S caron
    case 0x8C:
      return 0x9C;  // OE
    case 0x8E:
      return 0x9E;  // Z caron
    case 0x9F:
      return 0xFF;  // Y diaeresis
    default:
      return c;
  }
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return FoldCase(static_cast<unsigned char>(x)) == FoldCase(static_cast<unsigned char>(y));
  });
}

}  // namespace

// ---- SetBackgroundColor ----

void TSWFSetBackgroundColor::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  BackgroundColor.Assign(dynamic_cast<const TSWFSetBackgroundColor&>(Source).BackgroundColor);
}

void TSWFSetBackgroundColor::ReadFromStream(TBitsEngine& Engine) {
  BackgroundColor.SetColor(Engine.ReadUI24());
}

void TSWFSetBackgroundColor::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteUI24(BackgroundColor.RGB());
}

// ---- FrameLabel ----

void TSWFFrameLabel::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFFrameLabel&>(Source);
  Name = source.Name;
  NamedAnchor = source.NamedAnchor;
}

void TSWFFrameLabel::ReadFromStream(TBitsEngine& Engine) {
  uint64_t start = Engine.Stream().Position();
  Name = Engine.ReadString();
  NamedAnchor = false;
  if (Engine.Stream().Position() - start + 1 == BodySize) NamedAnchor = Engine.ReadByte() != 0;
}

void TSWFFrameLabel::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteString(Name);
  if (NamedAnchor) Engine.WriteByte(1);
}

// ---- Protect / EnableDebugger / EnableDebugger2 ----

void TSWFProtect::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFProtect&>(Source);
  Password = source.Password;
  PasswordHash = source.PasswordHash;
  Reserved = source.Reserved;
  Random = source.Random;
}

int TSWFProtect::MinVersion() const {
  return Password.empty() && PasswordHash.empty() ? 2 : 5;
}

void TSWFProtect::ReadFromStream(TBitsEngine& Engine) {
  Password.clear();
  PasswordHash.clear();
  Reserved = 0;
  if (BodySize == 0) return;
  Reserved = Engine.ReadWord();
  if (BodySize <= 2) return;
  Engine.RequireBytes(BodySize - 2);
  std::string hash(BodySize - 2, '\0');
  Engine.ReadBuffer(hash.data(), hash.size());
  // The stored hash is zero-terminated; the terminator is not part of it.
  PasswordHash = hash.substr(0, hash.find('\0'));
}

void TSWFProtect::WriteTagBody(TBitsEngine& Engine) {
  if (Password.empty() && PasswordHash.empty()) return;
  Engine.WriteWord(Reserved);
  if (!Password.empty()) {
    if (Random) {
      PasswordHash = Md5Crypt(Password, RandomCryptSalt(*Random));
    } else {
      TRandom clockSeeded;
      PasswordHash = Md5Crypt(Password, RandomCryptSalt(clockSeeded));
    }
  }
  Engine.WriteString(PasswordHash);
}

// ---- ExportAssets / SymbolClass / ImportAssets / ImportAssets2 ----

void TSWFExportAssets::SetAsset(const std::string& name, uint16_t id) {
  for (TSWFAsset& asset : Assets) {
    if (SameTextIgnoringCase(asset.Name, name)) {
      asset.Id = id;
      return;
    }
  }
  Assets.push_back({name, id});
}

void TSWFExportAssets::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  Assets = dynamic_cast<const TSWFExportAssets&>(Source).Assets;
}

void TSWFExportAssets::ReadAssets(TBitsEngine& Engine) {
  Assets.clear();
  uint16_t count = Engine.ReadWord();
  // Each pair takes at least an id and a terminator.
  Engine.RequireBytes(uint64_t{count} * 3);
  Assets.reserve(count);
  for (uint16_t i = 0; i < count; ++i) {
    TSWFAsset asset;
    asset.Id = Engine.ReadWord();
    asset.Name = Engine.ReadString();
    Assets.push_back(std::move(asset));
  }
}

void TSWFExportAssets::WriteAssets(TBitsEngine& Engine) const {
  Engine.WriteWord(static_cast<uint16_t>(Assets.size()));
  for (const TSWFAsset& asset : Assets) {
    Engine.WriteWord(asset.Id);
    Engine.WriteString(asset.Name);
  }
}

void TSWFExportAssets::ReadFromStream(TBitsEngine& Engine) {
  ReadAssets(Engine);
}

void TSWFExportAssets::WriteTagBody(TBitsEngine& Engine) {
  WriteAssets(Engine);
}

void TSWFImportAssets::Assign(const TBasedSWFObject& Source) {
  TSWFExportAssets::Assign(Source);
  URL = dynamic_cast<const TSWFImportAssets&>(Source).URL;
}

void TSWFImportAssets::ReadFromStream(TBitsEngine& Engine) {
  URL = Engine.ReadString();
  ReadAssets(Engine);
}

void TSWFImportAssets::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteString(URL);
  WriteAssets(Engine);
}

void TSWFImportAssets2::ReadFromStream(TBitsEngine& Engine) {
  URL = Engine.ReadString();
  Engine.ReadByte();
  Engine.ReadByte();
  ReadAssets(Engine);
}

void TSWFImportAssets2::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteString(URL);
  Engine.WriteByte(1);
  Engine.WriteByte(0);
  WriteAssets(Engine);
}

// ---- ScriptLimits / SetTabIndex ----

void TSWFScriptLimits::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFScriptLimits&>(Source);
  MaxRecursionDepth = source.MaxRecursionDepth;
  ScriptTimeoutSeconds = source.ScriptTimeoutSeconds;
}

void TSWFScriptLimits::ReadFromStream(TBitsEngine& Engine) {
  MaxRecursionDepth = Engine.ReadWord();
  ScriptTimeoutSeconds = Engine.ReadWord();
}

void TSWFScriptLimits::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(MaxRecursionDepth);
  Engine.WriteWord(ScriptTimeoutSeconds);
}

void TSWFSetTabIndex::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFSetTabIndex&>(Source);
  Depth = source.Depth;
  TabIndex = source.TabIndex;
}

void TSWFSetTabIndex::ReadFromStream(TBitsEngine& Engine) {
  Depth = Engine.ReadWord();
  TabIndex = Engine.ReadWord();
}

void TSWFSetTabIndex::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(Depth);
  Engine.WriteWord(TabIndex);
}

// ---- FileAttributes / Metadata / ProductInfo ----

namespace {
constexpr uint8_t kUseDirectBlitFlag = 0x40;
constexpr uint8_t kUseGPUFlag = 0x20;
constexpr uint8_t kHasMetadataFlag = 0x10;
constexpr uint8_t kActionScript3Flag = 0x08;
constexpr uint8_t kSuppressCrossDomainCachingFlag = 0x04;
constexpr uint8_t kSWFRelativeUrlsFlag = 0x02;
constexpr uint8_t kUseNetworkFlag = 0x01;
}  // namespace

void TSWFFileAttributes::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFFileAttributes&>(Source);
  UseDirectBlit = source.UseDirectBlit;
  UseGPU = source.UseGPU;
  HasMetadata = source.HasMetadata;
  ActionScript3 = source.ActionScript3;
  SuppressCrossDomainCaching = source.SuppressCrossDomainCaching;
  SWFRelativeUrls = source.SWFRelativeUrls;
  UseNetwork = source.UseNetwork;
}

void TSWFFileAttributes::ReadFromStream(TBitsEngine& Engine) {
  uint8_t flags = Engine.ReadByte();
  UseDirectBlit = (flags & kUseDirectBlitFlag) != 0;
  UseGPU = (flags & kUseGPUFlag) != 0;
  HasMetadata = (flags & kHasMetadataFlag) != 0;
  ActionScript3 = (flags & kActionScript3Flag) != 0;
  SuppressCrossDomainCaching = (flags & kSuppressCrossDomainCachingFlag) != 0;
  SWFRelativeUrls = (flags & kSWFRelativeUrlsFlag) != 0;
  UseNetwork = (flags & kUseNetworkFlag) != 0;
  Engine.ReadWord();
  Engine.ReadByte();
}

void TSWFFileAttributes::WriteTagBody(TBitsEngine& Engine) {
  uint8_t flags = (UseDirectBlit ? kUseDirectBlitFlag : 0) | (UseGPU ? kUseGPUFlag : 0) |
                  (HasMetadata ? kHasMetadataFlag : 0) | (ActionScript3 ? kActionScript3Flag : 0) |
                  (SuppressCrossDomainCaching ? kSuppressCrossDomainCachingFlag : 0) |
                  (SWFRelativeUrls ? kSWFRelativeUrlsFlag : 0) | (UseNetwork ? kUseNetworkFlag : 0);
  Engine.WriteByte(flags);
  Engine.WriteWord(0);
  Engine.WriteByte(0);
}

void TSWFMetadata::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFMetadata&>(Source);
  Metadata = source.Metadata;
  readBytes_ = source.readBytes_;
  readText_ = source.readText_;
  hasRead_ = source.hasRead_;
}

void TSWFMetadata::ReadFromStream(TBitsEngine& Engine) {
  readBytes_ = Engine.ReadString();
  // Back to cp1252 so that writing (which encodes to UTF-8) does not encode twice.
  Metadata = Utf8ToCp1252(readBytes_);
  readText_ = Metadata;
  hasRead_ = true;
}

void TSWFMetadata::WriteTagBody(TBitsEngine& Engine) {
  if (hasRead_ && Metadata == readText_)
    Engine.WriteString(readBytes_);
  else
    Engine.WriteString(Metadata, true, true);
}

void TSWFProductInfo::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFProductInfo&>(Source);
  ProductID = source.ProductID;
  Edition = source.Edition;
  MajorVersion = source.MajorVersion;
  MinorVersion = source.MinorVersion;
  BuildLow = source.BuildLow;
  BuildHigh = source.BuildHigh;
  CompilationDate = source.CompilationDate;
  SerialNumber = source.SerialNumber;
}

void TSWFProductInfo::ReadFromStream(TBitsEngine& Engine) {
  SerialNumber.clear();
  constexpr uint32_t kProductRecordSize = 26;
  if (BodySize < kProductRecordSize) {
    Engine.RequireBytes(BodySize);
    SerialNumber.resize(BodySize);
    Engine.ReadBuffer(SerialNumber.data(), SerialNumber.size());
    return;
  }
  ProductID = Engine.ReadDWord();
  Edition = Engine.ReadDWord();
  MajorVersion = Engine.ReadByte();
  MinorVersion = Engine.ReadByte();
  BuildLow = Engine.ReadDWord();
  BuildHigh = Engine.ReadDWord();
  CompilationDate = Engine.ReadInt64();
}

void TSWFProductInfo::WriteTagBody(TBitsEngine& Engine) {
  if (!SerialNumber.empty()) {
    Engine.WriteBuffer(SerialNumber.data(), SerialNumber.size());
    return;
  }
  Engine.WriteDWord(ProductID);
  Engine.WriteDWord(Edition);
  Engine.WriteByte(MajorVersion);
  Engine.WriteByte(MinorVersion);
  Engine.WriteDWord(BuildLow);
  Engine.WriteDWord(BuildHigh);
  Engine.WriteInt64(CompilationDate);
}

// ---- DefineScalingGrid ----

void TSWFDefineScalingGrid::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFDefineScalingGrid&>(Source);
  CharacterId = source.CharacterId;
  Splitter.Assign(source.Splitter);
}

void TSWFDefineScalingGrid::ReadFromStream(TBitsEngine& Engine) {
  CharacterId = Engine.ReadWord();
  Splitter = Engine.ReadRect();
}

void TSWFDefineScalingGrid::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteWord(CharacterId);
  Engine.WriteRect(Splitter);
}

// ---- DefineSceneAndFrameLabelData ----

void TSWFDefineSceneAndFrameLabelData::AddScene(const std::string& name, uint32_t startFrame) {
  Scenes.push_back({startFrame, name});
}

void TSWFDefineSceneAndFrameLabelData::AddFrameLabel(const std::string& label, uint32_t frameNum) {
  FrameLabels.push_back({frameNum, label});
}

void TSWFDefineSceneAndFrameLabelData::Assign(const TBasedSWFObject& Source) {
  TSWFObject::Assign(Source);
  auto& source = dynamic_cast<const TSWFDefineSceneAndFrameLabelData&>(Source);
  Scenes = source.Scenes;
  FrameLabels = source.FrameLabels;
}

void TSWFDefineSceneAndFrameLabelData::ReadFromStream(TBitsEngine& Engine) {
  Scenes.clear();
  FrameLabels.clear();
  // Every entry takes at least two bytes (a one-byte number and a terminator), so a lying count
  // fails here instead of looping or reserving for it.
  uint32_t sceneCount = Engine.ReadEncodedU32();
  Engine.RequireBytes(uint64_t{sceneCount} * 2);
  for (uint32_t i = 0; i < sceneCount; ++i) {
    TSWFSceneEntry scene;
    scene.Offset = Engine.ReadEncodedU32();
    scene.Name = Engine.ReadString();
    Scenes.push_back(std::move(scene));
  }
  uint32_t labelCount = Engine.ReadEncodedU32();
  Engine.RequireBytes(uint64_t{labelCount} * 2);
  for (uint32_t i = 0; i < labelCount; ++i) {
    TSWFFrameLabelEntry label;
    label.FrameNum = Engine.ReadEncodedU32();
    label.Label = Engine.ReadString();
    FrameLabels.push_back(std::move(label));
  }
}

void TSWFDefineSceneAndFrameLabelData::WriteTagBody(TBitsEngine& Engine) {
  Engine.WriteEncodedU32(static_cast<uint32_t>(Scenes.size()));
  for (const TSWFSceneEntry& scene : Scenes) {
    Engine.WriteEncodedU32(scene.Offset);
    Engine.WriteString(scene.Name);
  }
  Engine.WriteEncodedU32(static_cast<uint32_t>(FrameLabels.size()));
  for (const TSWFFrameLabelEntry& label : FrameLabels) {
    Engine.WriteEncodedU32(label.FrameNum);
    Engine.WriteString(label.Label);
  }
}

}  // namespace orvanta
