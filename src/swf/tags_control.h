#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "swf/swf_object.h"
#include "swf/swf_records.h"

namespace orvanta {

class TRandom;

// Ends the tag list of a file or of a sprite. Always the bare two-byte header.
class TSWFEnd : public TSWFObject {
 public:
  TSWFEnd() : TSWFObject(TTagCode::End) {}
};

// Closes the current frame. Always the bare two-byte header.
class TSWFShowFrame : public TSWFObject {
 public:
  TSWFShowFrame() : TSWFObject(TTagCode::ShowFrame) {}
};

class TSWFSetBackgroundColor : public TSWFObject {
 public:
  TSWFSetBackgroundColor() : TSWFObject(TTagCode::SetBackgroundColor) {}

  TSWFRGB BackgroundColor;

  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

class TSWFFrameLabel : public TSWFObject {
 public:
  explicit TSWFFrameLabel(const std::string& name = std::string())
      : TSWFObject(TTagCode::FrameLabel), Name(name) {}

  std::string Name;
  bool NamedAnchor = false;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override { return NamedAnchor ? 6 : 3; }
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

// Protect and the two debugger tags: an optional MD5-crypt password hash. When Password is set
// the hash is recomputed from it, with a fresh salt, every time the tag is written.
class TSWFProtect : public TSWFObject {
 public:
  TSWFProtect() : TSWFObject(TTagCode::Protect) {}

  std::string Password;
  std::string PasswordHash;
  // The word before the hash; 0 in what we write, kept as found in files (Flex fills it).
  uint16_t Reserved = 0;
  // Salt source, borrowed (the movie hands in its own generator); a clock-seeded generator is
  // used when none is given.
  TRandom* Random = nullptr;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;

 protected:
  explicit TSWFProtect(uint16_t code) : TSWFObject(code) {}
};

class TSWFEnableDebugger : public TSWFProtect {
 public:
  TSWFEnableDebugger() : TSWFProtect(58) {}
  int MinVersion() const override { return 5; }
};

class TSWFEnableDebugger2 : public TSWFProtect {
 public:
  TSWFEnableDebugger2() : TSWFProtect(64) {}
  int MinVersion() const override { return 6; }
};

// One exported, imported or class-bound symbol.
struct TSWFAsset {
  std::string Name;
  uint16_t Id = 0;
  bool operator==(const TSWFAsset&) const = default;
};

// ExportAssets: (id, name) pairs in file order. SymbolClass and the import tags share the list.
class TSWFExportAssets : public TSWFObject {
 public:
  TSWFExportAssets() : TSWFObject(TTagCode::ExportAssets) {}

  std::vector<TSWFAsset> Assets;

  // Adds the pair, or gives a name already present (letter case ignored) the new id in place.
  void SetAsset(const std::string& name, uint16_t id);

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override { return 5; }
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;

 protected:
  explicit TSWFExportAssets(uint16_t code) : TSWFObject(code) {}
  void ReadAssets(TBitsEngine& Engine);
  void WriteAssets(TBitsEngine& Engine) const;
};

class TSWFSymbolClass : public TSWFExportAssets {
 public:
  TSWFSymbolClass() : TSWFExportAssets(76) {}
  int MinVersion() const override { return 9; }
};

class TSWFImportAssets : public TSWFExportAssets {
 public:
  TSWFImportAssets() : TSWFExportAssets(57) {}

  std::string URL;

  void Assign(const TBasedSWFObject& Source) override;
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;

 protected:
  explicit TSWFImportAssets(uint16_t code) : TSWFExportAssets(code) {}
};

class TSWFImportAssets2 : public TSWFImportAssets {
 public:
  TSWFImportAssets2() : TSWFImportAssets(71) {}

  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

class TSWFScriptLimits : public TSWFObject {
 public:
  TSWFScriptLimits() : TSWFObject(TTagCode::ScriptLimits) {}

  uint16_t MaxRecursionDepth = 0;
  uint16_t ScriptTimeoutSeconds = 0;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override { return 7; }
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

class TSWFSetTabIndex : public TSWFObject {
 public:
  TSWFSetTabIndex() : TSWFObject(TTagCode::SetTabIndex) {}

  uint16_t Depth = 0;
  uint16_t TabIndex = 0;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override { return 7; }
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

class TSWFFileAttributes : public TSWFObject {
 public:
  TSWFFileAttributes() : TSWFObject(TTagCode::FileAttributes) {}

  bool UseDirectBlit = false;
  bool UseGPU = false;
  bool HasMetadata = false;
  bool ActionScript3 = false;
  bool SuppressCrossDomainCaching = false;
  bool SWFRelativeUrls = false;
  bool UseNetwork = false;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override { return 8; }
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

// XML metadata: cp1252 text in memory, UTF-8 in the file.
class TSWFMetadata : public TSWFObject {
 public:
  TSWFMetadata() : TSWFObject(TTagCode::Metadata) {}

  std::string Metadata;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override { return 8; }
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;

 private:
  // The UTF-8 text as read, and its cp1252 form: unchanged text goes back byte for byte, since
  // cp1252 cannot hold every character a file may carry.
  std::string readBytes_, readText_;
  bool hasRead_ = false;
};

class TSWFProductInfo : public TSWFObject {
 public:
  TSWFProductInfo() : TSWFObject(TTagCode::ProductInfo) {}

  uint32_t ProductID = 0;
  uint32_t Edition = 0;
  uint8_t MajorVersion = 0;
  uint8_t MinorVersion = 0;
  uint32_t BuildLow = 0;
  uint32_t BuildHigh = 0;
  uint64_t CompilationDate = 0;  // milliseconds
  // Flash 5 used this code for a zero-terminated serial number instead; a body shorter than
  // the product record is kept here as read and written back in place of the fields.
  std::string SerialNumber;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override { return SerialNumber.empty() ? 9 : 5; }
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

class TSWFDefineScalingGrid : public TSWFObject {
 public:
  TSWFDefineScalingGrid() : TSWFObject(TTagCode::DefineScalingGrid) {}

  uint16_t CharacterId = 0;
  TSWFRect Splitter;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override { return 8; }
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

struct TSWFSceneEntry {
  // The frame the scene starts at: kept as read from a file, given for scenes added in code.
  uint32_t Offset = 0;
  std::string Name;
  bool operator==(const TSWFSceneEntry&) const = default;
};

struct TSWFFrameLabelEntry {
  uint32_t FrameNum = 0;
  std::string Label;
  bool operator==(const TSWFFrameLabelEntry&) const = default;
};

class TSWFDefineSceneAndFrameLabelData : public TSWFObject {
 public:
  TSWFDefineSceneAndFrameLabelData() : TSWFObject(TTagCode::DefineSceneAndFrameLabelData) {}

  std::vector<TSWFSceneEntry> Scenes;
  std::vector<TSWFFrameLabelEntry> FrameLabels;

  void AddScene(const std::string& name, uint32_t startFrame);
  void AddFrameLabel(const std::string& label, uint32_t frameNum);

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override { return 9; }
  void ReadFromStream(TBitsEngine& Engine) override;
  void WriteTagBody(TBitsEngine& Engine) override;
};

}  // namespace orvanta
