#pragma once

#include <cstddef>
#include <cstdint>

#include "swf/tag_codes.h"

namespace orvanta {

class TBitsEngine;

// Root of every tag object and every builder object.
class TBasedSWFObject {
 public:
  virtual ~TBasedSWFObject() = default;
  TBasedSWFObject() = default;
  TBasedSWFObject(const TBasedSWFObject&) = delete;
  TBasedSWFObject& operator=(const TBasedSWFObject&) = delete;

  // Copies the fields of Source, which must be of this object's class (or derived from it).
  virtual void Assign(const TBasedSWFObject& Source) = 0;
  // 0 for tag objects, 1 for builder objects.
  virtual int LibraryLevel() const = 0;
  // The lowest SWF version the object needs.
  virtual int MinVersion() const { return 1; }
  // Writes the complete tag (or tags) at the engine, which must be byte-aligned.
  virtual void WriteToStream(TBitsEngine& Engine) = 0;
};

// What a tag read inside a sprite takes from the sprite's timeline: whether actions are decoded,
// how clip events are laid out, how deep sprites nest and how stream blocks are laid out.
struct TTimelineContext {
  bool ParseActions = false;
  int EventVersion = 3;
  int NestingLevel = 0;
  uint8_t StreamSoundCompression = 0;
};

// Base of every tag class: frames the body that each subclass writes.
class TSWFObject : public TBasedSWFObject {
 public:
  // The body length found by the last WriteToStream, or the declared length when read.
  uint32_t BodySize = 0;
  // Set by each constructor: the class of a tag decides the code it writes.
  uint16_t TagID;

  void Assign(const TBasedSWFObject& Source) override;
  int LibraryLevel() const override { return 0; }
  void WriteToStream(TBitsEngine& Engine) override;
  // Reads the body; BodySize is set by the caller first. The engine's stream holds the body.
  virtual void ReadFromStream(TBitsEngine& Engine);
  virtual void WriteTagBody(TBitsEngine& Engine);
  // Called before reading a tag inside a sprite; most tags depend on nothing of the timeline.
  virtual void TakeTimelineContext(const TTimelineContext& /*Context*/) {}
  // Called after reading it: passes on what the tags after it depend on.
  virtual void UpdateTimelineContext(TTimelineContext& /*Context*/) const {}

 protected:
  explicit TSWFObject(uint16_t Code) : TagID(Code) {}
  explicit TSWFObject(TTagCode Code) : TagID(ToCode(Code)) {}
  // The code that goes into the tag header.
  virtual uint16_t HeaderCode() const { return TagID; }
};

// Writes a tag header: the short form (code << 6 | length) unless the body is 63 bytes or more
// or the code always takes the long form (SoundStreamBlock, DefineBitsLossless(2),
// DefineVideoStream); the long form adds the length as a UI32.
void WriteTagHeader(TBitsEngine& Engine, uint16_t Code, uint32_t BodySize);

constexpr size_t kMaxTagHeaderSize = 6;
// The same header as bytes; returns its length (2 or 6).
size_t EncodeTagHeader(uint16_t Code, uint32_t BodySize, uint8_t (&Out)[kMaxTagHeaderSize]);

}  // namespace orvanta
