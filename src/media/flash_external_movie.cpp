#include "media/flash_external_movie.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>

#include "media/swf_reader.h"
#include "movie/flash_movie.h"
#include "movie/flash_sprite.h"
#include "platform/codepage.h"
#include "platform/random.h"
#include "platform/stream.h"
#include "swf/bits_engine.h"
#include "swf/tag_codes.h"
#include "swf/tag_factory.h"
#include "swf/tags_control.h"
#include "swf/tags_data.h"
#include "swf/tags_display.h"
#include "swf/tags_font.h"
#include "swf/tags_text.h"

namespace orvanta {

namespace {

// Never copied: they describe the source file, not its content, and the movie writes its own.
constexpr std::array<uint16_t, 7> kSkippedCodes = {
    ToCode(TTagCode::End),
    ToCode(TTagCode::SetBackgroundColor),
    ToCode(TTagCode::Protect),
    ToCode(TTagCode::EnableDebugger),
    ToCode(TTagCode::EnableDebugger2),
    ToCode(TTagCode::FileAttributes),
    ToCode(TTagCode::Metadata),
};

// What a frame does on the display list; definitions-only imports leave these out.
constexpr std::array<uint16_t, 6> kDisplayListCodes = {
    ToCode(TTagCode::PlaceObject),  ToCode(TTagCode::RemoveObject),  ToCode(TTagCode::StartSound),
    ToCode(TTagCode::PlaceObject2), ToCode(TTagCode::RemoveObject2), ToCode(TTagCode::PlaceObject3),
};

// The tags of a timeline: in mode 3 they move into the sprite, with the frames.
constexpr std::array<uint16_t, 11> kTimelineCodes = {
    ToCode(TTagCode::PlaceObject),     ToCode(TTagCode::RemoveObject),
    ToCode(TTagCode::DoAction),        ToCode(TTagCode::StartSound),
    ToCode(TTagCode::SoundStreamHead), ToCode(TTagCode::SoundStreamBlock),
    ToCode(TTagCode::PlaceObject2),    ToCode(TTagCode::RemoveObject2),
    ToCode(TTagCode::FrameLabel),      ToCode(TTagCode::SoundStreamHead2),
    ToCode(TTagCode::PlaceObject3),
};

// The tags that define a character id, the set the reader renumbers.
constexpr std::array<uint16_t, 22> kDefinitionCodes = {
    ToCode(TTagCode::DefineShape),        ToCode(TTagCode::DefineBits),
    ToCode(TTagCode::DefineButton),       ToCode(TTagCode::DefineFont),
    ToCode(TTagCode::DefineText),         ToCode(TTagCode::DefineSound),
    ToCode(TTagCode::DefineBitsLossless), ToCode(TTagCode::DefineBitsJPEG2),
    ToCode(TTagCode::DefineShape2),       ToCode(TTagCode::DefineShape3),
    ToCode(TTagCode::DefineText2),        ToCode(TTagCode::DefineButton2),
    ToCode(TTagCode::DefineBitsJPEG3),    ToCode(TTagCode::DefineBitsLossless2),
    ToCode(TTagCode::DefineEditText),     ToCode(TTagCode::DefineSprite),
    ToCode(TTagCode::DefineMorphShape),   ToCode(TTagCode::DefineFont2),
    ToCode(TTagCode::DefineVideoStream),  ToCode(TTagCode::DefineFont3),
    ToCode(TTagCode::DefineShape4),       ToCode(TTagCode::DefineMorphShape2),
};

template <size_t N>
bool Contains(const std::array<uint16_t, N>& codes, uint16_t code) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// The code a tag is written under: a raw tag (one that failed to read, or an unknown one)
// carries it apart from its class's code.
uint16_t CodeOf(const TSWFObject& tag) {
  if (auto* raw = dynamic_cast<const TSWFByteCodeTag*>(&tag)) return raw->StoredCode;
  return tag.TagID;
}

// The glyph count decides whether a font is embedded; a font without glyphs names a device
// font, which must keep the name the system knows it by.
bool IsRenamableFont(const TSWFObject& tag) {
  if (auto* info = dynamic_cast<const TSWFDefineFontInfo*>(&tag))  // DefineFontInfo2 too
    return !info->CodeTable.empty();
  if (auto* font = dynamic_cast<const TSWFDefineFont2*>(&tag))  // DefineFont3 too
    return !font->GlyphShapeTable.empty();
  return false;
}

std::string* RenamableFontName(TSWFObject& tag) {
  if (!IsRenamableFont(tag)) return nullptr;
  if (auto* info = dynamic_cast<TSWFDefineFontInfo*>(&tag)) return &info->FontName;
  if (auto* font = dynamic_cast<TSWFDefineFont2*>(&tag)) return &font->FontName;
  return nullptr;
}

std::string AsciiLower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Clip-event flags are 16 bits wide before SWF 6 and 32 bits from then on: a placement copied
// from an older file has to be written at the width of the movie it lands in.
void SetEventVersion(TSWFObject& tag, int version) {
  if (auto* place = dynamic_cast<TSWFPlaceObject2*>(&tag)) {  // PlaceObject3 too
    place->EventVersion = version;
  } else if (auto* sprite = dynamic_cast<TSWFDefineSprite*>(&tag)) {
    sprite->EventVersion = version;
    for (auto& inner : sprite->ControlTags)
      if (inner) SetEventVersion(*inner, version);
  }
}

std::unique_ptr<TSWFObject> CopyTag(const TSWFObject& tag) {
  std::unique_ptr<TSWFObject> copy = CreateTagByCode(tag.TagID);
  copy->Assign(tag);
  return copy;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool EndsName(char c) {
  return IsSpace(c) || c == '=' || c == '>' || c == '/';
}

}  // namespace

// ---- Face renaming ----

std::string PrefixHtmlFontFaces(const std::string& html, const std::string& prefix,
                                const std::function<bool(const std::string&)>& renamed) {
  std::string out;
  out.reserve(html.size() + prefix.size() * 4);
  const size_t n = html.size();
  size_t pos = 0;
  // Copies the face value [start, end), prefixing each name of a comma-separated list.
  auto copyFaceValue = [&](size_t start, size_t end) {
    size_t item = start;
    while (item <= end) {
      size_t comma = html.find(',', item);
      if (comma == std::string::npos || comma > end) comma = end;
      size_t first = item;
      while (first < comma && IsSpace(html[first])) ++first;
      size_t last = comma;
      while (last > first && IsSpace(html[last - 1])) --last;
      out.append(html, item, first - item);
      if (last > first && renamed(html.substr(first, last - first))) out += prefix;
      out.append(html, first, comma - first);
      if (comma == end) break;
      out += ',';
      item = comma + 1;
    }
  };
  while (pos < n) {
    size_t open = html.find('<', pos);
    if (open == std::string::npos) {
      out.append(html, pos, std::string::npos);
      break;
    }
    out.append(html, pos, open + 1 - pos);
    pos = open + 1;
    // Inside markup: the element name, then attributes up to '>'.
    while (pos < n && html[pos] != '>') {
      if (IsSpace(html[pos]) || html[pos] == '/') {
        out += html[pos++];
        continue;
      }
      size_t nameStart = pos;
      while (pos < n && !EndsName(html[pos])) ++pos;
      if (pos == nameStart) {  // a stray '=' with no name
        out += html[pos++];
        continue;
      }
      const bool face = AsciiLower(html.substr(nameStart, pos - nameStart)) == "face";
      out.append(html, nameStart, pos - nameStart);
      size_t look = pos;
      while (look < n && IsSpace(html[look])) ++look;
      if (look >= n || html[look] != '=') continue;
      ++look;
      while (look < n && IsSpace(html[look])) ++look;
      out.append(html, pos, look - pos);
      pos = look;
      if (pos >= n) break;
      size_t valueStart = pos;
      size_t valueEnd;
      char quote = 0;
      if (html[pos] == '"' || html[pos] == '\'') {
        quote = html[pos];
        out += quote;
        valueStart = pos + 1;
        valueEnd = html.find(quote, valueStart);
        if (valueEnd == std::string::npos) valueEnd = n;
      } else {
        valueEnd = pos;
        while (valueEnd < n && !IsSpace(html[valueEnd]) && html[valueEnd] != '>') ++valueEnd;
      }
      if (face)
        copyFaceValue(valueStart, valueEnd);
      else
        out.append(html, valueStart, valueEnd - valueStart);
      pos = valueEnd;
      if (quote && pos < n) out += html[pos++];
    }
    if (pos < n) out += html[pos++];  // '>'
  }
  return out;
}

// ---- TFlashExternalMovie ----

TFlashExternalMovie::TFlashExternalMovie(TFlashMovie* owner, const std::string& fileName)
    : TFlashIDObject(owner), reader_(std::make_unique<TSWFStreamReader>(fileName)) {}

TFlashExternalMovie::TFlashExternalMovie(TFlashMovie* owner, TStream& stream)
    : TFlashIDObject(owner), reader_(std::make_unique<TSWFStreamReader>(stream)) {}

TFlashExternalMovie::~TFlashExternalMovie() = default;

void TFlashExternalMovie::SetSprite(std::unique_ptr<TFlashSprite> sprite) {
  sprite_ = std::move(sprite);
}

int TFlashExternalMovie::CharacterCount() const {
  int count = 0;
  for (const auto& info : reader_->TagList) {
    const TSWFObject* tag = info->TagObject();
    if (!tag) continue;
    const uint16_t code = CodeOf(*tag);
    if (auto* raw = dynamic_cast<const TSWFByteCodeTag*>(tag)) {
      // A definition that failed to read still has its id renumbered, when its bytes hold one.
      if (Contains(kDefinitionCodes, code) && raw->Data.size() >= 2 && !raw->OnDataWrite) ++count;
    } else if (Contains(kDefinitionCodes, code)) {
      ++count;
    } else if (auto* imports = dynamic_cast<const TSWFImportAssets*>(tag)) {  // ImportAssets2 too
      count += static_cast<int>(imports->Assets.size());
    }
  }
  return count;
}

int TFlashExternalMovie::Renumber(int base) {
  return reader_->RenumberIDs(base);
}

TRandom& TFlashExternalMovie::Random() {
  if (Owner()) return Owner()->Random();
  if (!random_) random_ = std::make_unique<TRandom>();
  return *random_;
}

std::string TFlashExternalMovie::DrawPrefix() {
  return std::to_string(Random().Next(65535));
}

int TFlashExternalMovie::MinVersion() const {
  int version = ImportMode == kImportAsSprite ? 3 : 1;
  for (const auto& info : reader_->TagList) {
    if (info->TagID == ToCode(TTagCode::End)) break;  // nothing after the End tag is written
    const TSWFObject* tag = info->TagObject();
    if (tag && !Contains(kSkippedCodes, CodeOf(*tag)))
      version = std::max(version, tag->MinVersion());
  }
  return version;
}

void TFlashExternalMovie::WriteToStream(TBitsEngine& Engine) {
  writtenFrames_ = 0;
  wrotePlacements_ = false;
  const bool asSprite = ImportMode == kImportAsSprite;
  // A movie without tags gives nothing, except the (empty) sprite that stands for it: the
  // caller has placed its id.
  if (reader_->TagList.empty() && !asSprite) return;

  std::string prefix;
  // Names as the source gives them, lower case: the faces of HTML text that stand for one of
  // the renamed fonts get the prefix too.
  std::set<std::string> renamedNames;
  if (RenameFonts) {
    prefix = DrawPrefix();
    for (const auto& info : reader_->TagList)
      if (TSWFObject* tag = info->TagObject())
        if (std::string* name = RenamableFontName(*tag)) renamedNames.insert(AsciiLower(*name));
  }

  if (asSprite) {
    if (sprite_) {
      sprite_->ClearTimeline();
    } else {
      sprite_ = std::make_unique<TFlashSprite>(Owner());
      sprite_->SetCharacterId(CharacterId());
    }
  }
  const int eventVersion =
      std::max(Owner() ? Owner()->Version() : reader_->Version(), MinVersion());
  const std::vector<uint8_t>& body = reader_->BodyStream().Bytes();

  for (const auto& info : reader_->TagList) {
    // Players stop at the End tag; whatever follows it is no part of the movie.
    if (info->TagID == ToCode(TTagCode::End)) break;
    TSWFObject* tag = info->TagObject();
    if (!tag) {
      // Left unparsed on purpose: copied as the bytes it was read from.
      if (info->Position < body.size()) {
        size_t count = static_cast<size_t>(
            std::min<uint64_t>(info->TotalSize(), body.size() - info->Position));
        Engine.Stream().WriteBuffer(body.data() + info->Position, count);
        if (info->TagID == ToCode(TTagCode::ShowFrame)) ++writtenFrames_;
      }
      continue;
    }

    const uint16_t code = CodeOf(*tag);
    if (Contains(kSkippedCodes, code)) continue;
    if (code == ToCode(TTagCode::ShowFrame) &&
        (ImportMode == kImportDefinitions || ImportMode == kImportDefinitionsAndDisplayList))
      continue;
    if (ImportMode == kImportDefinitions && Contains(kDisplayListCodes, code)) continue;
    if (OnWriteTag) {
      bool write = true;
      OnWriteTag(*tag, write);
      if (!write) continue;
    }
    SetEventVersion(*tag, eventVersion);

    if (code == ToCode(TTagCode::ShowFrame)) {
      if (asSprite) {
        sprite_->ShowFrame(1);
      } else {
        tag->WriteToStream(Engine);
        ++writtenFrames_;
        if (Owner()) Owner()->SetFrameCount(static_cast<uint16_t>(Owner()->FrameCount() + 1));
      }
      continue;
    }
    if (Contains(kTimelineCodes, code)) {
      if (asSprite) {
        sprite_->AddFlashObject(CopyTag(*tag));
      } else {
        tag->WriteToStream(Engine);
        if (IsPlaceObjectCode(code)) wrotePlacements_ = true;
      }
      continue;
    }
    if (!prefix.empty()) {
      if (std::string* name = RenamableFontName(*tag)) {
        *name = prefix + *name;
      } else if (auto* edit = dynamic_cast<TSWFDefineEditText*>(tag)) {
        if (edit->HasText && edit->HTML && !edit->InitialText().empty()) {
          // Text of a version 6 or later file is UTF-8; font names are held as cp1252.
          const bool utf8 = edit->Version >= 6;
          std::string text =
              PrefixHtmlFontFaces(edit->InitialText(), prefix, [&](const std::string& face) {
                return renamedNames.count(AsciiLower(utf8 ? Utf8ToCp1252(face) : face)) > 0;
              });
          if (text != edit->InitialText()) edit->SetInitialText(text);
        }
      }
    }
    tag->WriteToStream(Engine);
  }

  if (asSprite) sprite_->WriteToStream(Engine);
}

}  // namespace orvanta
