#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "media/swf_body_decompressor.h"
#include "swf/swf_stream.h"

namespace orvanta {

class TStream;
class TSWFObject;

// One tag of a read file: where its header sat, what it declared, and the object read from it.
class TSWFTagInfo {
 public:
  TSWFTagInfo();
  ~TSWFTagInfo();
  TSWFTagInfo(const TSWFTagInfo&) = delete;
  TSWFTagInfo& operator=(const TSWFTagInfo&) = delete;

  // The code from the header; 240 once the tag failed to read (its own code then lives on in
  // the raw tag object, see StoredCode).
  uint16_t TagID = 0;
  // The body length the header declares.
  uint32_t BodySize = 0;
  bool LongHeader = false;
  // Offset of the tag header in the reader's BodyStream (of the layout it was parsed from).
  uint32_t Position = 0;
  // 1-based frame; a ShowFrame belongs to the frame it closes.
  uint16_t FrameNum = 1;
  // DefineSprite only: one entry per inner tag, End included. Their objects belong to the
  // sprite.
  std::vector<std::unique_ptr<TSWFTagInfo>> SubTags;
  // Why the tag failed to read (TagID 240), else empty.
  std::string ReadError;

  TSWFObject* TagObject() const { return object_; }
  bool OwnsObject() const { return owned_ != nullptr; }
  void SetObject(std::unique_ptr<TSWFObject> object);
  void SetBorrowedObject(TSWFObject* object);
  // Hands the object to the caller. The entry keeps pointing at it (not owning), so the reader
  // can still renumber or write it while the new owner keeps it alive.
  std::unique_ptr<TSWFObject> ReleaseObject();

  // Header and body bytes in the file.
  uint64_t TotalSize() const { return uint64_t{BodySize} + (LongHeader ? 6 : 2); }
  // The code the tag is written under: TagID, or for a tag that failed to read its original
  // code.
  uint16_t StoredCode() const;

 private:
  std::unique_ptr<TSWFObject> owned_;
  TSWFObject* object_ = nullptr;
};

// Consulted for each tag before its object is created; clearing Create leaves the tag without
// an object (it is then copied as bytes by MakeData).
using TReadTagEvent = std::function<void(TSWFTagInfo& Info, bool& Create)>;
// Consulted for each definition before its id is renumbered.
using TRenumberTagEvent = std::function<void(TSWFObject& Tag, bool& Renumber)>;

// Reads a SWF file (FWS, CWS or ZWS) into its header, its uncompressed body and one TSWFTagInfo per
// tag, and writes the tag list back. Hostile input raises StreamError or FormatError, never
// reads outside the data, and cannot make it allocate more than the data justifies.
class TSWFStreamReader : public TBasedSWFStream {
 public:
  // The largest uncompressed length a CWS or ZWS header may declare: a few hundred bytes of
  // zlib or LZMA can claim gigabytes.
  static constexpr uint32_t kMaxFileLength = 256u << 20;

  // An empty name loads nothing.
  explicit TSWFStreamReader(const std::string& fileName = std::string());
  explicit TSWFStreamReader(TStream& stream);
  ~TSWFStreamReader() override;

  // The last stream checked had at least 4 bytes and began with "FWS", "CWS" or "ZWS".
  bool Valid = false;
  std::vector<std::unique_ptr<TSWFTagInfo>> TagList;
  TReadTagEvent OnReadTag;
  TRenumberTagEvent OnRenumberTag;

  void LoadFromFile(const std::string& fileName);
  // Fills the header and BodyStream from the stream's current position. A stream that is not a
  // SWF leaves Valid false and loads nothing; a CWS or ZWS stream whose compressed data ends
  // early raises StreamError, one whose data is corrupt FormatError. Compressed is set for both
  // (so a rewrite writes CWS); Compression tells them apart.
  void LoadFromStream(TStream& stream);
  // Looks at the signature without consuming it; sets Compressed for "CWS" and "ZWS".
  bool CheckHeader(TStream& stream);
  // How the last stream loaded stored its body.
  TSWFCompression Compression() const { return compression_; }
  // Part 0: the whole header; 1: signature, version and file length; 2: frame rectangle, rate
  // and count. Returns the bytes consumed.
  uint32_t ReadHeader(TStream& stream, int part);

  // Rebuilds TagList from BodyStream. With makeObjects every tag gets an object of its class
  // (unless OnReadTag says otherwise); with parseActions action blocks are decoded, else kept
  // as bytes. A tag that fails to read becomes a raw tag under its own code that keeps its
  // body bytes, with the error as its description; its entry shows code 240. A tag whose
  // declared length runs past the end of the data is such a failed tag holding the bytes that
  // are there, and ends the list; a header cut off by the end of the data is dropped.
  void ParseTags(bool makeObjects, bool parseActions);

  TSWFTagInfo& TagInfo(size_t index) const { return *TagList.at(index); }

  // Gives the characters defined in the list the ids base, base + 1, ... in file order and
  // rewrites the references to them; returns the next free id. Raises FormatError, changing
  // nothing, when the ids would not fit in 16 bits.
  int RenumberIDs(int base);

  // Index in TagList of the n-th ShowFrame; 0 for n = 0 or an empty list, the last index when
  // there are fewer frames.
  int FramePosition(int n) override;
  // Rebuilds BodyStream from the tag list: objects write themselves, entries without one are
  // copied from the old body. Positions keep referring to the old layout until ParseTags.
  int MakeData() override;
  // Moves the bitmap, font and sound definitions of frames first..last to the start of the
  // frame after target, keeping their order.
  void MoveResource(int target, int first, int last) override;

  // The SWF name of a tag code, or "Unknown <code>".
  static std::string TagName(uint16_t code);

 private:
  void ReadObject(TSWFTagInfo& info, const uint8_t* body, bool parseActions, int& soundFormat);
  void ReadCompressedBody(TStream& stream);
  // Glyphs of the last DefineFont read (-1: none); DefineFontInfo carries no count of its own.
  int32_t fontGlyphCount_ = -1;
  TSWFCompression compression_ = TSWFCompression::None;
};

}  // namespace orvanta
