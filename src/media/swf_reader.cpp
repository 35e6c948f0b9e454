#include "media/swf_reader.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <optional>
#include <span>
#include <unordered_map>
#include <utility>

#include "media/sound_tags.h"
#include "media/swf_body_decompressor.h"
#include "media/tags_video.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "script/tags_abc.h"
#include "script/tags_action.h"
#include "swf/bits_engine.h"
#include "swf/swf_object.h"
#include "swf/tag_codes.h"
#include "swf/tag_factory.h"
#include "swf/tags_bitmap.h"
#include "swf/tags_button.h"
#include "swf/tags_control.h"
#include "swf/tags_data.h"
#include "swf/tags_display.h"
#include "swf/tags_font.h"
#include "swf/tags_shape.h"
#include "swf/tags_text.h"

namespace orvanta {

namespace {

uint16_t LE16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t LE32(const uint8_t* p) {
  return p[0] | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// The code an object is written under: a raw tag carries its real code apart.
uint16_t CodeOf(const TSWFObject& tag) {
  if (auto* raw = dynamic_cast<const TSWFByteCodeTag*>(&tag)) return raw->StoredCode;
  return tag.TagID;
}

// A tag header found in a run of tag bytes.
struct TRawHeader {
  uint16_t Code = 0;
  uint32_t BodySize = 0;
  bool LongHeader = false;
  size_t HeaderSize = 0;
};

// The header at data[pos], or nothing when the bytes left cannot hold it.
std::optional<TRawHeader> PeekHeader(std::span<const uint8_t> data, size_t pos) {
  if (data.size() - pos < 2) return std::nullopt;
  uint16_t word = LE16(data.data() + pos);
  TRawHeader h;
  h.Code = word >> 6;
  h.BodySize = word & 0x3F;
  h.HeaderSize = 2;
  if (h.BodySize == 0x3F) {
    if (data.size() - pos < 6) return std::nullopt;
    h.LongHeader = true;
    h.BodySize = LE32(data.data() + pos + 2);
    h.HeaderSize = 6;
  }
  return h;
}

// What the reader hands to a tag before it reads its body.
struct TReadContext {
  int Version = 0;
  bool ParseActions = false;
  int SoundFormat = 0;
  // Glyphs of the last DefineFont read, for the DefineFontInfo that names its codes.
  int32_t FontGlyphCount = -1;
};

// The classes that take something from the context.
enum class TContextKind : uint8_t {
  Unknown,
  None,
  Place,  // PlaceObject2 and PlaceObject3
  Sprite,
  ABC,
  Action,  // DoAction and DoInitAction
  SoundBlock,
  Button,
  FontInfo,  // DefineFontInfo and DefineFontInfo2
  Font2,     // DefineFont2 and DefineFont3
  EditText,
};

TContextKind ContextKindOf(TSWFObject& tag) {
  if (dynamic_cast<TSWFPlaceObject2*>(&tag)) return TContextKind::Place;
  if (dynamic_cast<TSWFDefineSprite*>(&tag)) return TContextKind::Sprite;
  if (dynamic_cast<TSWFDoABC*>(&tag)) return TContextKind::ABC;
  if (dynamic_cast<TSWFDoAction*>(&tag)) return TContextKind::Action;
  if (dynamic_cast<TSWFSoundStreamBlock*>(&tag)) return TContextKind::SoundBlock;
  if (dynamic_cast<TSWFBasedButton*>(&tag)) return TContextKind::Button;
  // String encodings of font and text tags depend on the file version.
  if (dynamic_cast<TSWFDefineFontInfo*>(&tag)) return TContextKind::FontInfo;
  if (dynamic_cast<TSWFDefineFont2*>(&tag)) return TContextKind::Font2;
  if (dynamic_cast<TSWFDefineEditText*>(&tag)) return TContextKind::EditText;
  return TContextKind::None;
}

// The kind per tag code, found with casts on the first tag of each code: a code always makes
// the same class, and display lists of hundreds of thousands of tags should not pay a chain of
// failing casts each.
std::array<std::atomic<TContextKind>, 1024> contextKindByCode;

void HandContext(TSWFObject& tag, uint16_t code, const TReadContext& context) {
  std::atomic<TContextKind>& cached = contextKindByCode[code & 1023];
  TContextKind kind = cached.load(std::memory_order_relaxed);
  if (kind == TContextKind::Unknown) {
    kind = ContextKindOf(tag);
    cached.store(kind, std::memory_order_relaxed);
  }
  switch (kind) {
    case TContextKind::Unknown:
    case TContextKind::None:
      return;
    case TContextKind::Place: {
      auto& place = static_cast<TSWFPlaceObject2&>(tag);
      place.ParseActions = context.ParseActions;
      place.EventVersion = context.Version;
      return;
    }
    case TContextKind::Sprite: {
      auto& sprite = static_cast<TSWFDefineSprite&>(tag);
      sprite.ParseActions = context.ParseActions;
      sprite.EventVersion = context.Version;
      return;
    }
    case TContextKind::ABC:
      static_cast<TSWFDoABC&>(tag).ParseActions = context.ParseActions;
      return;
    case TContextKind::Action:
      static_cast<TSWFDoAction&>(tag).ParseActions = context.ParseActions;
      return;
    case TContextKind::SoundBlock:
      static_cast<TSWFSoundStreamBlock&>(tag).StreamSoundCompression =
          static_cast<uint8_t>(context.SoundFormat);
      return;
    case TContextKind::Button:
      static_cast<TSWFBasedButton&>(tag).ParseActions = context.ParseActions;
      return;
    case TContextKind::FontInfo: {
      auto& info = static_cast<TSWFDefineFontInfo&>(tag);
      info.Version = static_cast<uint8_t>(context.Version);
      info.ReadGlyphCount = context.FontGlyphCount;
      return;
    }
    case TContextKind::Font2:
      static_cast<TSWFDefineFont2&>(tag).Version = static_cast<uint8_t>(context.Version);
      return;
    case TContextKind::EditText:
      static_cast<TSWFDefineEditText&>(tag).Version = static_cast<uint8_t>(context.Version);
      return;
  }
}

// A tag that could not be read: kept as its body bytes under its own code, so that writing the
// list again reproduces it.
std::unique_ptr<TSWFByteCodeTag> MakeErrorTag(uint16_t code, std::span<const uint8_t> body,
                                              uint32_t declaredSize, const std::string& message) {
  auto raw = std::make_unique<TSWFByteCodeTag>(code, message);
  raw->Data.assign(body.begin(), body.end());
  raw->BodySize = declaredSize;
  return raw;
}

// The inner tags of a DefineSprite body, up to and including its End, without recursing into
// anything they hold. Objects are taken from the sprite's own list where they line up.
void AddSpriteSubTags(TSWFTagInfo& info, std::span<const uint8_t> body, uint32_t bodyOffset) {
  auto* sprite = dynamic_cast<TSWFDefineSprite*>(info.TagObject());
  size_t pos = 4;  // SpriteID, FrameCount
  uint32_t frame = 1;
  size_t index = 0;
  while (pos < body.size()) {
    std::optional<TRawHeader> h = PeekHeader(body, pos);
    if (!h || h->BodySize > body.size() - pos - h->HeaderSize) break;
    auto sub = std::make_unique<TSWFTagInfo>();
    sub->TagID = h->Code;
    sub->BodySize = h->BodySize;
    sub->LongHeader = h->LongHeader;
    sub->Position = static_cast<uint32_t>(bodyOffset + pos);
    sub->FrameNum = static_cast<uint16_t>(std::min<uint32_t>(frame, UINT16_MAX));
    if (h->Code == ToCode(TTagCode::ShowFrame)) ++frame;
    if (sprite && index < sprite->ControlTags.size()) {
      TSWFObject* inner = sprite->ControlTags[index].get();
      if (inner && CodeOf(*inner) == h->Code) sub->SetBorrowedObject(inner);
    }
    bool end = h->Code == ToCode(TTagCode::End) && h->BodySize == 0 && !h->LongHeader;
    info.SubTags.push_back(std::move(sub));
    ++index;
    pos += h->HeaderSize + h->BodySize;
    if (end) break;
  }
}

// ---- Renumbering ----

// A 16-bit id inside a tag: a field of a tag object, or two little-endian bytes of a raw body.
class TIdSlot {
 public:
  explicit TIdSlot(uint16_t* field) : field_(field) {}
  explicit TIdSlot(uint8_t* bytes) : bytes_(bytes) {}
  uint16_t Get() const { return field_ ? *field_ : LE16(bytes_); }
  void Set(uint16_t v) const {
    if (field_) {
      *field_ = v;
    } else {
      bytes_[0] = static_cast<uint8_t>(v);
      bytes_[1] = static_cast<uint8_t>(v >> 8);
    }
  }

 private:
  uint16_t* field_ = nullptr;
  uint8_t* bytes_ = nullptr;
};

constexpr std::array<uint16_t, 22> kDefinitionCodes = {
    2,  22, 32, 83,      // DefineShape .. DefineShape4
    6,  21, 35, 20, 36,  // DefineBits, JPEG2, JPEG3, Lossless, Lossless2
    7,  34,              // DefineButton, DefineButton2
    10, 48, 75,          // DefineFont, DefineFont2, DefineFont3
    11, 33, 14, 37, 39,  // DefineText, DefineText2, DefineSound, DefineEditText, DefineSprite
    46, 84, 60,          // DefineMorphShape, DefineMorphShape2, DefineVideoStream
};

bool IsDefinitionCode(uint16_t code) {
  return std::find(kDefinitionCodes.begin(), kDefinitionCodes.end(), code) !=
         kDefinitionCodes.end();
}

// The id a font or text definition defines; false for other tags.
bool FontTextDefinitionSlot(TSWFObject& tag, std::vector<TIdSlot>& out) {
  if (auto* font = dynamic_cast<TSWFDefineFont*>(&tag)) {
    out.emplace_back(&font->FontID);
  } else if (auto* font2 = dynamic_cast<TSWFDefineFont2*>(&tag)) {  // DefineFont3 too
    out.emplace_back(&font2->FontID);
  } else if (auto* text = dynamic_cast<TSWFDefineText*>(&tag)) {  // DefineText2 too
    out.emplace_back(&text->CharacterID);
  } else if (auto* edit = dynamic_cast<TSWFDefineEditText*>(&tag)) {
    out.emplace_back(&edit->CharacterID);
  } else {
    return false;
  }
  return true;
}

// The fonts and texts that font and text tags refer to.
void FontTextReferenceSlots(TSWFObject& tag, std::vector<TIdSlot>& out) {
  if (auto* info = dynamic_cast<TSWFDefineFontInfo*>(&tag)) {  // DefineFontInfo2 too
    out.emplace_back(&info->FontID);
  } else if (auto* zones = dynamic_cast<TSWFDefineFontAlignZones*>(&tag)) {
    out.emplace_back(&zones->FontID);
  } else if (auto* name = dynamic_cast<TSWFDefineFontName*>(&tag)) {
    out.emplace_back(&name->FontID);
  } else if (auto* settings = dynamic_cast<TSWFCSMTextSettings*>(&tag)) {
    out.emplace_back(&settings->TextID);
  } else if (auto* text = dynamic_cast<TSWFDefineText*>(&tag)) {
    for (auto& record : text->TextRecords)
      if (record->StyleFlagsHasFont) out.emplace_back(&record->FontIDField());
  } else if (auto* edit = dynamic_cast<TSWFDefineEditText*>(&tag)) {
    if (edit->HasFont) out.emplace_back(&edit->FontID);
  }
}

// The ids a tag defines: its character id, or the ids an import brings in.
void DefinitionSlots(TSWFObject& tag, std::vector<TIdSlot>& out) {
  uint16_t code = CodeOf(tag);
  if (auto* raw = dynamic_cast<TSWFByteCodeTag*>(&tag)) {
    // Every definition starts with its id; the bytes of an import are not worth decoding.
    if (IsDefinitionCode(code) && raw->Data.size() >= 2 && !raw->OnDataWrite)
      out.emplace_back(raw->Data.data());
    return;
  }
  if (code == ToCode(TTagCode::ImportAssets) || code == ToCode(TTagCode::ImportAssets2)) {
    if (auto* imports = dynamic_cast<TSWFImportAssets*>(&tag))
      for (TSWFAsset& asset : imports->Assets) out.emplace_back(&asset.Id);
    return;
  }
  if (!IsDefinitionCode(code)) return;
  if (FontTextDefinitionSlot(tag, out)) return;
  if (auto* sprite = dynamic_cast<TSWFDefineSprite*>(&tag)) {
    out.emplace_back(&sprite->SpriteID);
  } else if (auto* video = dynamic_cast<TSWFDefineVideoStream*>(&tag)) {
    out.emplace_back(&video->CharacterID);
  } else if (auto* shape = dynamic_cast<TSWFDefineShape*>(&tag)) {
    out.emplace_back(&shape->ShapeId);
  } else if (auto* morph = dynamic_cast<TSWFDefineMorphShape*>(&tag)) {
    out.emplace_back(&morph->CharacterId);
  } else if (auto* sound = dynamic_cast<TSWFDefineSound*>(&tag)) {
    out.emplace_back(&sound->SoundId);
  } else if (auto* button = dynamic_cast<TSWFBasedButton*>(&tag)) {
    out.emplace_back(&button->ButtonId);
  } else if (auto* image = dynamic_cast<TSWFImageTag*>(&tag)) {  // DefineBits and lossless
    out.emplace_back(&image->CharacterId);
  }
}

void FillSlot(TSWFFillStyle* fill, std::vector<TIdSlot>& out) {
  if (auto* image = dynamic_cast<TSWFImageFill*>(fill)) out.emplace_back(&image->BitmapId);
}

void LineFillSlots(const TSWFLineStyleList& lines, std::vector<TIdSlot>& out) {
  for (const auto& line : lines)
    if (auto* line2 = dynamic_cast<TSWFLineStyle2*>(line.get())) FillSlot(line2->FillStyle(), out);
}

// Bitmap fills, in the shape's styles and in the new styles its records bring. The fills of
// DefineShape4 line styles name bitmaps as well.
void ShapeReferenceSlots(TSWFDefineShape& shape, std::vector<TIdSlot>& out) {
  for (const auto& fill : shape.FillStyles) FillSlot(fill.get(), out);
  LineFillSlots(shape.LineStyles, out);
  for (const auto& record : shape.ShapeRecords) {
    if (record->Kind != TShapeRecordKind::StyleChange) continue;
    auto& change = static_cast<TSWFStyleChangeRecord&>(*record);
    for (const auto& fill : change.FillStylesView()) FillSlot(fill.get(), out);
    LineFillSlots(change.LineStylesView(), out);
  }
}

void MorphFillSlot(TSWFMorphFillStyle* fill, std::vector<TIdSlot>& out) {
  if (auto* image = dynamic_cast<TSWFMorphImageFill*>(fill)) out.emplace_back(&image->BitmapId);
}

void MorphReferenceSlots(TSWFDefineMorphShape& morph, std::vector<TIdSlot>& out) {
  for (const auto& fill : morph.MorphFillStyles) MorphFillSlot(fill.get(), out);
  for (const auto& line : morph.MorphLineStyles)
    if (auto* line2 = dynamic_cast<TSWFMorphLineStyle2*>(line.get()))
      MorphFillSlot(line2->FillStyle(), out);
}

// PlaceObject2/3 flag bits of the first and second flag bytes.
constexpr uint8_t kPlaceHasCharacter = 0x02;
constexpr uint8_t kPlace3HasClassName = 0x08;

void RawReferenceSlots(uint16_t code, std::span<uint8_t> d, bool insideSprite,
                       std::vector<TIdSlot>& out);

// The references inside a raw DefineSprite body that a sprite may hold.
void RawSpriteReferenceSlots(std::span<uint8_t> d, std::vector<TIdSlot>& out) {
  size_t pos = 4;
  while (pos < d.size()) {
    std::optional<TRawHeader> h = PeekHeader(d, pos);
    if (!h || h->BodySize > d.size() - pos - h->HeaderSize) return;
    if (h->Code == ToCode(TTagCode::End) && !h->LongHeader && h->BodySize == 0) return;
    pos += h->HeaderSize;
    RawReferenceSlots(h->Code, d.subspan(pos, h->BodySize), true, out);
    pos += h->BodySize;
  }
}

// Skips a SOUNDINFO record; false when it runs past the data.
bool SkipSoundInfo(std::span<uint8_t> d, size_t& pos) {
  if (pos >= d.size()) return false;
  uint8_t flags = d[pos++];
  size_t skip = (flags & 0x01 ? 4 : 0) + (flags & 0x02 ? 4 : 0) + (flags & 0x04 ? 2 : 0);
  if (skip > d.size() - pos) return false;
  pos += skip;
  if (flags & 0x08) {
    if (pos >= d.size()) return false;
    size_t envelope = size_t{d[pos++]} * 8;
    if (envelope > d.size() - pos) return false;
    pos += envelope;
  }
  return true;
}

void RawReferenceSlots(uint16_t code, std::span<uint8_t> d, bool insideSprite,
                       std::vector<TIdSlot>& out) {
  auto at = [&](size_t pos) {
    if (pos + 2 <= d.size()) out.emplace_back(d.data() + pos);
  };
  switch (code) {
    case ToCode(TTagCode::PlaceObject):
    case ToCode(TTagCode::RemoveObject):
    case ToCode(TTagCode::StartSound):
    case ToCode(TTagCode::VideoFrame):
      at(0);
      return;
    case ToCode(TTagCode::PlaceObject2):  // flags, depth, then the character
      if (d.size() >= 5 && (d[0] & kPlaceHasCharacter)) at(3);
      return;
    case 70: {  // PlaceObject3: two flag bytes, depth, a class name if flagged, the character
      if (d.size() < 4 || !(d[0] & kPlaceHasCharacter)) return;
      size_t pos = 4;
      if (d[1] & kPlace3HasClassName) {
        auto nul = std::find(d.begin() + 4, d.end(), 0);
        if (nul == d.end()) return;
        pos = static_cast<size_t>(nul - d.begin()) + 1;
      }
      at(pos);
      return;
    }
    default:
      break;
  }
  if (insideSprite) return;
  switch (code) {
    case ToCode(TTagCode::DefineFontInfo):
    case ToCode(TTagCode::DefineFontInfo2):
    case ToCode(TTagCode::DefineFontAlignZones):
    case ToCode(TTagCode::DefineButtonCxform):
    case ToCode(TTagCode::DoInitAction):
    case ToCode(TTagCode::CSMTextSettings):
    case ToCode(TTagCode::DefineScalingGrid):
    case ToCode(TTagCode::DefineFontName):
      at(0);
      return;
    case 17: {  // DefineButtonSound: the button, then four (sound, info) states
      at(0);
      size_t pos = 2;
      for (int state = 0; state < 4 && pos + 2 <= d.size(); ++state) {
        bool present = LE16(d.data() + pos) != 0;
        if (present) at(pos);
        pos += 2;
        if (present && !SkipSoundInfo(d, pos)) return;
      }
      return;
    }
    case 37: {  // DefineEditText: id, bounds, two flag bytes, then the font when present
      if (d.size() < 3) return;
      unsigned nbits = d[2] >> 3;
      size_t pos = 2 + (5 + 4 * nbits + 7) / 8;
      if (pos + 2 > d.size() || !(d[pos] & 0x01)) return;
      at(pos + 2);
      return;
    }
    case ToCode(TTagCode::DefineSprite):
      RawSpriteReferenceSlots(d, out);
      return;
    default:
      return;
  }
}

// The ids a tag refers to. Inside a sprite only display-list, sound and video references count.
void ReferenceSlots(TSWFObject& tag, bool insideSprite, std::vector<TIdSlot>& out) {
  uint16_t code = CodeOf(tag);
  if (auto* raw = dynamic_cast<TSWFByteCodeTag*>(&tag)) {
    if (!raw->OnDataWrite) RawReferenceSlots(code, raw->Data, insideSprite, out);
    return;
  }
  switch (code) {
    case 4:
      if (auto* place = dynamic_cast<TSWFPlaceObject*>(&tag)) out.emplace_back(&place->CharacterId);
      return;
    case 5:
      if (auto* remove = dynamic_cast<TSWFRemoveObject*>(&tag))
        out.emplace_back(&remove->CharacterId);
      return;
    case 26:
    case 70:
      if (auto* place = dynamic_cast<TSWFPlaceObject2*>(&tag))
        if (place->PlaceFlagHasCharacter) out.emplace_back(&place->CharacterId);
      return;
    case 61:
      if (auto* frame = dynamic_cast<TSWFVideoFrame*>(&tag)) out.emplace_back(&frame->StreamID);
      return;
    case 15:
      if (auto* start = dynamic_cast<TSWFStartSound*>(&tag)) out.emplace_back(&start->SoundId);
      return;
    default:
      break;
  }
  if (insideSprite) return;
  switch (code) {
    case 2:
    case 22:
    case 32:
    case 83:
      if (auto* shape = dynamic_cast<TSWFDefineShape*>(&tag)) ShapeReferenceSlots(*shape, out);
      return;
    case 46:
    case 84:
      if (auto* morph = dynamic_cast<TSWFDefineMorphShape*>(&tag)) MorphReferenceSlots(*morph, out);
      return;
    case 59:
      if (auto* init = dynamic_cast<TSWFDoInitAction*>(&tag)) out.emplace_back(&init->SpriteID);
      return;
    case 7:
    case 34:
      if (auto* button = dynamic_cast<TSWFBasedButton*>(&tag))
        for (auto& record : button->Characters)
          if (record) out.emplace_back(&record->CharacterID);
      return;
    case 23:
      if (auto* cxform = dynamic_cast<TSWFDefineButtonCxform*>(&tag))
        out.emplace_back(&cxform->ButtonId);
      return;
    case 17:
      if (auto* sound = dynamic_cast<TSWFDefineButtonSound*>(&tag)) {
        out.emplace_back(&sound->ButtonId);
        // Only the states that have a sound; asking for a missing one would create it.
        if (sound->ExistingSound(0)) out.emplace_back(&sound->ButtonSoundChar0().SoundId);
        if (sound->ExistingSound(1)) out.emplace_back(&sound->ButtonSoundChar1().SoundId);
        if (sound->ExistingSound(2)) out.emplace_back(&sound->ButtonSoundChar2().SoundId);
        if (sound->ExistingSound(3)) out.emplace_back(&sound->ButtonSoundChar3().SoundId);
      }
      return;
    case 56:
      if (auto* exports = dynamic_cast<TSWFExportAssets*>(&tag))
        for (TSWFAsset& asset : exports->Assets) out.emplace_back(&asset.Id);
      return;
    // Scaling grids and class bindings point at characters too: left alone they would end up
    // on whatever imported character happens to get the old id.
    case 76:
      if (auto* symbols = dynamic_cast<TSWFSymbolClass*>(&tag))
        for (TSWFAsset& asset : symbols->Assets)
          if (asset.Id != 0) out.emplace_back(&asset.Id);  // 0 is the main timeline
      return;
    case 78:
      if (auto* grid = dynamic_cast<TSWFDefineScalingGrid*>(&tag))
        out.emplace_back(&grid->CharacterId);
      return;
    case ToCode(TTagCode::DefineSprite):
      if (auto* sprite = dynamic_cast<TSWFDefineSprite*>(&tag))
        for (auto& inner : sprite->ControlTags)
          if (inner) ReferenceSlots(*inner, true, out);
      return;
    default:
      FontTextReferenceSlots(tag, out);
      return;
  }
}

}  // namespace

// ---- TSWFTagInfo ----

TSWFTagInfo::TSWFTagInfo() = default;
TSWFTagInfo::~TSWFTagInfo() = default;

void TSWFTagInfo::SetObject(std::unique_ptr<TSWFObject> object) {
  owned_ = std::move(object);
  object_ = owned_.get();
}

void TSWFTagInfo::SetBorrowedObject(TSWFObject* object) {
  owned_.reset();
  object_ = object;
}

std::unique_ptr<TSWFObject> TSWFTagInfo::ReleaseObject() {
  return std::move(owned_);
}

uint16_t TSWFTagInfo::StoredCode() const {
  if (!ReadError.empty() && object_) return CodeOf(*object_);
  return TagID;
}

// ---- TSWFStreamReader ----

TSWFStreamReader::TSWFStreamReader(const std::string& fileName) {
  if (!fileName.empty()) LoadFromFile(fileName);
}

TSWFStreamReader::TSWFStreamReader(TStream& stream) {
  LoadFromStream(stream);
}

TSWFStreamReader::~TSWFStreamReader() = default;

void TSWFStreamReader::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, TFileStream::Mode::Read);
  LoadFromStream(file);
}

bool TSWFStreamReader::CheckHeader(TStream& stream) {
  Valid = false;
  uint64_t start = stream.Position();
  if (stream.Remaining() < 4) return false;
  char signature[3];
  stream.ReadBuffer(signature, 3);
  stream.SetPosition(start);
  if (std::memcmp(signature, "FWS", 3) == 0)
    compression_ = TSWFCompression::None;
  else if (std::memcmp(signature, "CWS", 3) == 0)
    compression_ = TSWFCompression::Zlib;
  else if (std::memcmp(signature, "ZWS", 3) == 0)
    compression_ = TSWFCompression::Lzma;
  else
    return false;
  Valid = true;
  SetCompressed(compression_ != TSWFCompression::None);
  return true;
}

uint32_t TSWFStreamReader::ReadHeader(TStream& stream, int part) {
  uint64_t start = stream.Position();
  TBitsEngine engine(stream);
  if (part == 0 || part == 1) {
    engine.ReadBuffer(header_.Signature, 3);
    header_.Version = engine.ReadByte();
    header_.FileLength = engine.ReadDWord();
  }
  if (part == 0 || part == 2) {
    header_.FrameSize = engine.ReadRect();
    header_.FrameRate = engine.ReadWord();
    header_.FrameCount = engine.ReadWord();
  }
  return static_cast<uint32_t>(stream.Position() - start);
}

void TSWFStreamReader::LoadFromStream(TStream& stream) {
  TagList.clear();
  BodyStream().Clear();
  header_ = SWFHeader();
  if (!CheckHeader(stream)) return;
  if (compression_ == TSWFCompression::None) {
    ReadHeader(stream, 0);
    BodyStream().CopyFrom(stream, stream.Remaining());
    BodyStream().SetPosition(0);
    return;
  }
  // CheckHeader's SetCompressed may have raised the version; the file's own version wins.
  ReadHeader(stream, 1);
  ReadCompressedBody(stream);
}

// Decompresses exactly FileLength - 8 bytes: the header tail into a small buffer, the tags
// straight into the body, which is allocated once. Its size is the declared length, but never
// more than the compressed bytes left could inflate to, so a lying header costs memory only in
// proportion to the input; should that bound be passed anyway, the body grows as data arrives.
void TSWFStreamReader::ReadCompressedBody(TStream& stream) {
  if (header_.FileLength > kMaxFileLength)
    throw FormatError("the compressed SWF declares " + std::to_string(header_.FileLength) +
                      " bytes uncompressed, more than the " + std::to_string(kMaxFileLength) +
                      " this reader accepts");
  if (header_.FileLength < 8)
    throw FormatError("the compressed SWF declares a file length of " +
                      std::to_string(header_.FileLength) + " bytes, shorter than its header");
  const size_t wanted = header_.FileLength - 8;

  // ZWS: the length of the LZMA data, then its five properties bytes, then the data.
  uint64_t inputLimit = UINT64_MAX;
  std::array<uint8_t, 5> properties{};
  if (compression_ == TSWFCompression::Lzma) {
    if (stream.Remaining() < 4 + properties.size())
      throw StreamError("the LZMA-compressed SWF ends inside its LZMA header");
    inputLimit = TBitsEngine(stream).ReadDWord();
    stream.ReadBuffer(properties.data(), properties.size());
  }
  const uint64_t compressed = std::min(inputLimit, stream.Remaining());
  TBodyDecompressor decompressor(compression_, stream, inputLimit, wanted, properties);

  // The longest header tail: a rectangle of four 31-bit fields, then rate and frame count.
  uint8_t head[21];
  const size_t headSize = std::min(wanted, sizeof head);
  decompressor.Fill(head, headSize);
  TMemoryViewStream tail({head, headSize});
  const size_t used = ReadHeader(tail, 2);

  // Deflate expands its input at most about 1032 times. The reservation touches no memory; the
  // body is zeroed and filled a slice at a time, so the zeroing stays in the cache and memory
  // is only used as data arrives.
  const size_t bodySize = wanted - used;
  const uint64_t possible = compressed * 1032 + 1024;
  std::vector<uint8_t> out;
  out.reserve(static_cast<size_t>(std::min<uint64_t>(bodySize, possible)));
  out.assign(head + used, head + headSize);
  const size_t slice = 256 * 1024;
  while (out.size() < bodySize) {
    const size_t filled = out.size();
    out.resize(std::min(bodySize, filled + slice));
    decompressor.Fill(out.data() + filled, out.size() - filled);
  }
  decompressor.Finish();
  BodyStream() = TMemoryStream(std::move(out));
}

void TSWFStreamReader::ParseTags(bool makeObjects, bool parseActions) {
  TagList.clear();
  TMemoryStream& bodyStream = BodyStream();
  bodyStream.SetPosition(0);
  std::span<const uint8_t> body = bodyStream.View();
  const size_t size = body.size();
  int soundFormat = 0;
  fontGlyphCount_ = -1;
  uint32_t frame = 1;
  size_t pos = 0;
  while (pos < size) {
    if (OnProgress)
      OnProgress(static_cast<int>(std::lround(static_cast<double>(pos) / size * 100)), 0);
    std::optional<TRawHeader> h = PeekHeader(body, pos);
    if (!h) break;
    auto info = std::make_unique<TSWFTagInfo>();
    info->TagID = h->Code;
    info->BodySize = h->BodySize;
    info->LongHeader = h->LongHeader;
    info->Position = static_cast<uint32_t>(pos);
    info->FrameNum = static_cast<uint16_t>(std::min<uint32_t>(frame, UINT16_MAX));
    if (h->Code == ToCode(TTagCode::ShowFrame)) ++frame;
    const size_t bodyStart = pos + h->HeaderSize;
    const size_t available = size - bodyStart;

    if (h->BodySize > available) {
      std::string message = "truncated tag: " + TagName(h->Code) + " declares " +
                            std::to_string(h->BodySize) + " bytes, only " +
                            std::to_string(available) + " remain";
      info->SetObject(MakeErrorTag(h->Code, body.subspan(bodyStart), h->BodySize, message));
      info->TagID = ToCode(TTagCode::ErrorTag);
      info->ReadError = message;
      TagList.push_back(std::move(info));
      break;
    }

    TSWFTagInfo& entry = *info;
    TagList.push_back(std::move(info));
    if (makeObjects) {
      bool create = true;
      if (OnReadTag) OnReadTag(entry, create);
      if (create) ReadObject(entry, body.data() + bodyStart, parseActions, soundFormat);
    }
    // The stream-sound format matters to later blocks even when this head has no object.
    if ((h->Code == ToCode(TTagCode::SoundStreamHead) ||
         h->Code == ToCode(TTagCode::SoundStreamHead2)) &&
        h->BodySize >= 2)
      soundFormat = body[bodyStart + 1] >> 4;
    if (h->Code == ToCode(TTagCode::DefineSprite))
      AddSpriteSubTags(entry, body.subspan(bodyStart, h->BodySize),
                       static_cast<uint32_t>(bodyStart));
    pos = bodyStart + h->BodySize;
  }
}

void TSWFStreamReader::ReadObject(TSWFTagInfo& info, const uint8_t* body, bool parseActions,
                                  int& soundFormat) {
  std::span<const uint8_t> bytes(body, info.BodySize);
  std::unique_ptr<TSWFObject> tag = CreateTagByCode(info.TagID);
  if (info.BodySize > 0)
    HandContext(*tag, info.TagID, {Version(), parseActions, soundFormat, fontGlyphCount_});
  tag->BodySize = info.BodySize;
  std::string failure;
  try {
    TMemoryViewStream stream(bytes);
    TBitsEngine engine(stream);
    tag->ReadFromStream(engine);
  } catch (const Error& e) {
    failure = e.what();
  } catch (const std::exception& e) {
    // Not a data error but a fault of the tag class; still no reason to lose the file.
    failure = std::string("unexpected failure: ") + e.what();
  }
  if (!failure.empty()) {
    tag = MakeErrorTag(info.TagID, bytes, info.BodySize, failure);
    info.TagID = ToCode(TTagCode::ErrorTag);
    info.ReadError = failure;
  }
  if (info.TagID == TSWFDefineFont::kTagID) {
    auto* font = dynamic_cast<TSWFDefineFont*>(tag.get());
    fontGlyphCount_ = font ? static_cast<int32_t>(font->GlyphShapeTable.size()) : -1;
  }
  info.SetObject(std::move(tag));
}

int TSWFStreamReader::RenumberIDs(int base) {
  std::vector<TIdSlot> definitions;
  for (auto& info : TagList) {
    TSWFObject* tag = info->TagObject();
    if (!tag) continue;
    if (OnRenumberTag) {
      bool renumber = true;
      OnRenumberTag(*tag, renumber);
      if (!renumber) continue;
    }
    DefinitionSlots(*tag, definitions);
  }
  if (base < 0 || base + static_cast<int64_t>(definitions.size()) - 1 > UINT16_MAX)
    throw FormatError("cannot renumber " + std::to_string(definitions.size()) +
                      " characters from id " + std::to_string(base) + ": ids end at 65535");

  // Old id -> new id of its first definition.
  std::unordered_map<uint16_t, uint16_t> map;
  for (size_t i = 0; i < definitions.size(); ++i) {
    uint16_t newId = static_cast<uint16_t>(base + i);
    map.emplace(definitions[i].Get(), newId);
    definitions[i].Set(newId);
  }

  std::vector<TIdSlot> references;
  for (auto& info : TagList)
    if (TSWFObject* tag = info->TagObject()) ReferenceSlots(*tag, false, references);
  for (const TIdSlot& slot : references) {
    auto found = map.find(slot.Get());
    if (found != map.end()) slot.Set(found->second);
  }
  return base + static_cast<int>(definitions.size());
}

int TSWFStreamReader::FramePosition(int n) {
  if (n <= 0 || TagList.empty()) return 0;
  int seen = 0;
  for (size_t i = 0; i < TagList.size(); ++i)
    if (TagList[i]->TagID == ToCode(TTagCode::ShowFrame) && ++seen == n) return static_cast<int>(i);
  return static_cast<int>(TagList.size()) - 1;
}

int TSWFStreamReader::MakeData() {
  TMemoryStream out;
  TBitsEngine engine(out);
  const std::vector<uint8_t>& old = BodyStream().Bytes();
  const size_t count = TagList.size();
  for (size_t i = 0; i < count; ++i) {
    if (OnProgress)
      OnProgress(static_cast<int>(std::lround(static_cast<double>(i + 1) / count * 100)), 1);
    TSWFTagInfo& info = *TagList[i];
    if (TSWFObject* tag = info.TagObject()) {
      tag->WriteToStream(engine);
    } else if (info.Position < old.size()) {
      size_t n =
          static_cast<size_t>(std::min<uint64_t>(info.TotalSize(), old.size() - info.Position));
      out.WriteBuffer(old.data() + info.Position, n);
    }
  }
  out.SetPosition(0);
  BodyStream() = std::move(out);
  return Version();
}

void TSWFStreamReader::MoveResource(int target, int first, int last) {
  if (TagList.empty()) return;
  target = std::min(target, first);
  if (last == -1) last = FrameCount();
  if (last == 0 || last < first) last = first;

  auto isShowFrame = [&](int i) {
    return i >= 0 && static_cast<size_t>(i) < TagList.size() &&
           TagList[i]->TagID == ToCode(TTagCode::ShowFrame);
  };
  int insert = FramePosition(target) + (isShowFrame(FramePosition(target)) ? 1 : 0);
  int start = first == target ? insert + 1 : FramePosition(first) + 1;
  int e = FramePosition(last + 1);
  int end = isShowFrame(e) ? e - 1 : e;
  if (start >= end) return;

  static constexpr std::array<uint16_t, 10> kResourceCodes = {6, 8, 10, 14, 20, 21, 35, 36, 48, 75};
  int walk = e - start + (isShowFrame(e) ? 0 : 1);
  int moved = 0;
  for (int i = start; i < start + walk && static_cast<size_t>(i) < TagList.size(); ++i) {
    uint16_t code = TagList[i]->TagID;
    if (std::find(kResourceCodes.begin(), kResourceCodes.end(), code) == kResourceCodes.end())
      continue;
    // Removing i and inserting before it leaves every later entry where it was.
    auto entry = std::move(TagList[i]);
    TagList.erase(TagList.begin() + i);
    TagList.insert(TagList.begin() + insert + moved, std::move(entry));
    ++moved;
  }
}

std::string TSWFStreamReader::TagName(uint16_t code) {
  return TagCodeName(code);
}

}  // namespace orvanta
