#include "render/display_list.h"

#include <algorithm>
#include <string>

#include "media/swf_reader.h"
#include "platform/errors.h"
#include "swf/tag_codes.h"
#include "swf/tags_bitmap.h"
#include "swf/tags_button.h"
#include "swf/tags_control.h"
#include "swf/tags_display.h"
#include "swf/tags_font.h"
#include "swf/tags_shape.h"
#include "swf/tags_text.h"

namespace orvanta::render {

namespace {

size_t CountObjects(const TDisplayList& list) {
  size_t n = 0;
  for (const auto& [depth, object] : list) n += 1 + CountObjects(object->Children);
  return n;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Dictionary

std::optional<uint16_t> TCharacterDictionary::DefinedId(const TSWFObject& tag) {
  if (const auto* t = dynamic_cast<const TSWFDefineShape*>(&tag)) return t->ShapeId;
  if (const auto* t = dynamic_cast<const TSWFDefineMorphShape*>(&tag)) return t->CharacterId;
  if (const auto* t = dynamic_cast<const TSWFDefineSprite*>(&tag)) return t->SpriteID;
  if (const auto* t = dynamic_cast<const TSWFImageTag*>(&tag)) return t->CharacterId;
  if (const auto* t = dynamic_cast<const TSWFDefineFont*>(&tag)) return t->FontID;
  if (const auto* t = dynamic_cast<const TSWFDefineFont2*>(&tag)) return t->FontID;
  if (const auto* t = dynamic_cast<const TSWFDefineText*>(&tag)) return t->CharacterID;
  if (const auto* t = dynamic_cast<const TSWFDefineEditText*>(&tag)) return t->CharacterID;
  if (const auto* t = dynamic_cast<const TSWFBasedButton*>(&tag)) return t->ButtonId;
  return std::nullopt;
}

void TCharacterDictionary::Define(const TSWFObject& tag) {
  if (auto id = DefinedId(tag)) {
    characters_.emplace(*id, &tag);
  } else if (const auto* t = dynamic_cast<const TSWFJPEGTables*>(&tag)) {
    if (!jpegTables_) jpegTables_ = t;
  } else if (const auto* info = dynamic_cast<const TSWFDefineFontInfo*>(&tag)) {
    fontInfos_.emplace(info->FontID, info);
  } else if (const auto* cx = dynamic_cast<const TSWFDefineButtonCxform*>(&tag)) {
    buttonCxforms_.emplace(cx->ButtonId, cx);
  }
}

const TSWFObject* TCharacterDictionary::Find(uint16_t id) const {
  auto it = characters_.find(id);
  return it == characters_.end() ? nullptr : it->second;
}

const TSWFDefineFontInfo* TCharacterDictionary::FontInfo(uint16_t fontId) const {
  auto it = fontInfos_.find(fontId);
  return it == fontInfos_.end() ? nullptr : it->second;
}

const TSWFDefineButtonCxform* TCharacterDictionary::ButtonCxform(uint16_t buttonId) const {
  auto it = buttonCxforms_.find(buttonId);
  return it == buttonCxforms_.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------------------------------------
// Timelines

TTimeline SplitFrames(const std::vector<const TSWFObject*>& tags, int declaredFrames) {
  TTimeline timeline;
  std::vector<const TSWFObject*> frame;
  for (const TSWFObject* tag : tags) {
    if (!tag || tag->TagID == ToCode(TTagCode::End)) continue;
    if (tag->TagID == ToCode(TTagCode::ShowFrame)) {
      timeline.Frames.push_back(std::move(frame));
      frame.clear();
    } else {
      frame.push_back(tag);
    }
  }
  if (!frame.empty() || timeline.Frames.empty()) timeline.Frames.push_back(std::move(frame));
  // Frames are at most 16-bit numbers in a header.
  declaredFrames = std::min(declaredFrames, 65535);
  if (timeline.FrameCount() < declaredFrames) timeline.Frames.resize(declaredFrames);
  return timeline;
}

// ---------------------------------------------------------------------------------------------
// Player

TMoviePlayer::TMoviePlayer(const TSWFStreamReader& reader, const TPlayLimits& limits)
    : reader_(reader), limits_(limits) {
  std::vector<const TSWFObject*> tags;
  tags.reserve(reader.TagList.size());
  for (const auto& info : reader.TagList) tags.push_back(info->TagObject());
  main_ = SplitFrames(tags, reader.FrameCount());
  Reset();
}

TMoviePlayer::~TMoviePlayer() = default;

void TMoviePlayer::Reset() {
  root_.Children.clear();
  root_.Timeline = &main_;
  root_.CurrentFrame = 0;
  dictionary_ = TCharacterDictionary();
  background_.reset();
  work_ = 0;
  objects_ = 0;
}

void TMoviePlayer::Work(uint64_t units) {
  work_ += units;
  if (work_ > limits_.MaxWork)
    throw FormatError("the movie's display list takes too much work to play (more than " +
                      std::to_string(limits_.MaxWork) + " steps)");
}

void TMoviePlayer::GotoFrame(int n) {
  if (n < 1 || n > FrameCount())
    throw FormatError("frame " + std::to_string(n) + " does not exist: the movie has " +
                      std::to_string(FrameCount()) + " frame" + (FrameCount() == 1 ? "" : "s"));
  if (n < root_.CurrentFrame) Reset();
  if (root_.CurrentFrame == 0) {
    root_.CurrentFrame = 1;
    RunFrame(root_, 1, false, 0);
  }
  while (root_.CurrentFrame < n) {
    for (auto& [depth, child] : root_.Children) Advance(*child, 1);
    ++root_.CurrentFrame;
    RunFrame(root_, root_.CurrentFrame, false, 0);
  }
}

const TTimeline* TMoviePlayer::SpriteTimeline(const TSWFDefineSprite& sprite) {
  auto it = timelines_.find(&sprite);
  if (it != timelines_.end()) return it->second.get();
  std::vector<const TSWFObject*> tags;
  tags.reserve(sprite.ControlTags.size());
  for (const auto& tag : sprite.ControlTags) tags.push_back(tag.get());
  auto timeline = std::make_unique<TTimeline>(SplitFrames(tags, sprite.FrameCount));
  const TTimeline* result = timeline.get();
  timelines_.emplace(&sprite, std::move(timeline));
  return result;
}

void TMoviePlayer::Erase(TDisplayList& list, TDisplayList::iterator it) {
  objects_ -= 1 + CountObjects(it->second->Children);
  list.erase(it);
}

std::unique_ptr<TDisplayObject> TMoviePlayer::Instantiate(uint16_t id, int nesting) {
  const TSWFObject* character = dictionary_.Find(id);
  if (!character) return nullptr;
  if (nesting > limits_.MaxNesting)
    throw FormatError("sprites and buttons are nested more than " +
                      std::to_string(limits_.MaxNesting) + " deep");
  if (++objects_ > limits_.MaxObjects)
    throw FormatError("the display list holds more than " + std::to_string(limits_.MaxObjects) +
                      " objects");
  Work(1);
  auto object = std::make_unique<TDisplayObject>();
  object->CharacterId = id;
  object->Character = character;
  return object;
}

// Gives a new sprite its first frame and a new button its up state.
void TMoviePlayer::StartInstance(TDisplayObject& object, int nesting) {
  if (const auto* sprite = dynamic_cast<const TSWFDefineSprite*>(object.Character)) {
    object.Timeline = SpriteTimeline(*sprite);
    object.CurrentFrame = 1;
    RunFrame(object, 1, false, nesting);
    return;
  }
  const auto* button = dynamic_cast<const TSWFBasedButton*>(object.Character);
  if (!button) return;
  const bool button2 = button->TagID == ToCode(TTagCode::DefineButton2);
  const TSWFDefineButtonCxform* buttonCx = dictionary_.ButtonCxform(button->ButtonId);
  for (const auto& record : button->Characters) {
    if (!record || !(record->States & kButtonStateUp)) continue;
    auto child = Instantiate(record->CharacterID, nesting + 1);
    if (!child) continue;
    child->Depth = record->PlaceDepth;
    if (const TSWFMatrix* m = record->ExistingPlaceMatrix()) child->Matrix = *m;
    if (button2) {
      if (const TSWFColorTransform* cx = record->ExistingColorTransform())
        child->ColorTransform = *cx;
      if (record->ButtonHasBlendMode) child->BlendMode = record->BlendMode;
      if (record->ButtonHasFilterList) child->Filters = record->ExistingFilterList();
    } else if (buttonCx) {
      child->ColorTransform = buttonCx->ButtonColorTransform;
    }
    StartInstance(*child, nesting + 1);
    auto it = object.Children.find(child->Depth);
    if (it != object.Children.end()) Erase(object.Children, it);
    object.Children.emplace(child->Depth, std::move(child));
  }
}

void TMoviePlayer::RunFrame(TDisplayObject& owner, int frame, bool rewinding, int nesting) {
  if (!owner.Timeline || frame < 1 || frame > owner.Timeline->FrameCount()) return;
  for (const TSWFObject* tag : owner.Timeline->Frames[frame - 1]) {
    Work(1);
    RunTag(owner, *tag, frame, rewinding, nesting);
  }
}

void TMoviePlayer::Advance(TDisplayObject& object, int nesting) {
  Work(1);
  for (auto& [depth, child] : object.Children) Advance(*child, nesting + 1);
  if (!object.Timeline || object.Timeline->FrameCount() <= 1) return;
  if (object.CurrentFrame < object.Timeline->FrameCount()) {
    ++object.CurrentFrame;
    RunFrame(object, object.CurrentFrame, false, nesting);
    return;
  }
  // Back to the first frame: what later frames placed goes, what the first frame placed stays
  // and takes the first frame's placement again.
  for (auto it = object.Children.begin(); it != object.Children.end();) {
    if (it->second->CreatedFrame != 1) {
      auto gone = it++;
      Erase(object.Children, gone);
    } else {
      ++it;
    }
  }
  object.CurrentFrame = 1;
  RunFrame(object, 1, true, nesting);
}

void TMoviePlayer::RunTag(TDisplayObject& owner, const TSWFObject& tag, int frame, bool rewinding,
                          int nesting) {
  TDisplayList& list = owner.Children;
  switch (tag.TagID) {
    case ToCode(TTagCode::SetBackgroundColor):  // the player takes the first and ignores the rest
      if (const auto* bg = dynamic_cast<const TSWFSetBackgroundColor*>(&tag); bg && !background_)
        background_ = bg->BackgroundColor;
      return;
    case ToCode(TTagCode::RemoveObject):
    case ToCode(TTagCode::RemoveObject2): {
      uint16_t depth = tag.TagID == ToCode(TTagCode::RemoveObject)
                           ? static_cast<const TSWFRemoveObject&>(tag).Depth
                           : static_cast<const TSWFRemoveObject2&>(tag).Depth;
      auto it = list.find(depth);
      if (it != list.end()) Erase(list, it);
      return;
    }
    case ToCode(TTagCode::PlaceObject): {
      const auto* p = dynamic_cast<const TSWFPlaceObject*>(&tag);
      if (!p) return;
      auto object = Instantiate(p->CharacterId, nesting + 1);
      if (!object) return;
      object->Depth = p->Depth;
      object->Matrix = p->Matrix;
      if (p->HasColorTransform) object->ColorTransform = p->ColorTransform;
      object->CreatedFrame = frame;
      StartInstance(*object, nesting + 1);
      auto it = list.find(p->Depth);
      if (it != list.end()) Erase(list, it);
      list.emplace(p->Depth, std::move(object));
      return;
    }
    case ToCode(TTagCode::PlaceObject2):
    case ToCode(TTagCode::PlaceObject3):
      break;
    default:
      dictionary_.Define(tag);
      return;
  }

  const auto* p = dynamic_cast<const TSWFPlaceObject2*>(&tag);
  if (!p) return;
  const auto* p3 = dynamic_cast<const TSWFPlaceObject3*>(&tag);
  auto it = list.find(p->Depth);
  TDisplayObject* target = it != list.end() ? it->second.get() : nullptr;

  // A placement of the same character at a depth the first frame filled, met again when a
  // timeline loops, moves the instance that is there.
  const bool reuse = target && p->PlaceFlagHasCharacter && !p->PlaceFlagMove && rewinding &&
                     target->CharacterId == p->CharacterId;
  bool created = false;
  if (reuse) {
    target->Matrix = TSWFMatrix();
    target->ColorTransform = TSWFColorTransform();
    target->Ratio = 0;
    target->ClipDepth = 0;
    target->BlendMode = 0;
    target->Filters = nullptr;
    target->Visible = true;
    target->OpaqueBackground.reset();
  } else if (p->PlaceFlagHasCharacter &&
             (!target || !p->PlaceFlagMove || target->CharacterId != p->CharacterId)) {
    auto object = Instantiate(p->CharacterId, nesting + 1);
    if (!object) return;
    object->Depth = p->Depth;
    object->CreatedFrame = frame;
    if (target && p->PlaceFlagMove) {
      // A new character at an occupied depth keeps the placement it does not replace.
      object->Matrix = target->Matrix;
      object->ColorTransform = target->ColorTransform;
      object->Ratio = target->Ratio;
      object->ClipDepth = target->ClipDepth;
      object->BlendMode = target->BlendMode;
      object->Filters = target->Filters;
      object->Visible = target->Visible;
      object->OpaqueBackground = target->OpaqueBackground;
    }
    if (target) Erase(list, it);
    target = object.get();
    list.emplace(p->Depth, std::move(object));
    created = true;
  } else if (!target || !p->PlaceFlagMove) {
    return;
  }

  if (const TSWFMatrix* m = p->ExistingMatrix(); m && p->HasMatrix) target->Matrix = *m;
  if (const TSWFColorTransform* cx = p->ExistingColorTransform(); cx && p->HasColorTransform)
    target->ColorTransform = *cx;
  if (p->HasRatio) target->Ratio = p->Ratio;
  if (p->HasClipDepth) target->ClipDepth = p->ClipDepth;
  if (p3) {
    if (p3->HasBlendMode) target->BlendMode = p3->BlendMode;
    if (p3->HasFilterList) target->Filters = p3->ExistingFilterList();
    if (p3->HasVisible) target->Visible = p3->Visible != 0;
    if (p3->HasOpaqueBackground) target->OpaqueBackground = p3->BackgroundColor;
  }
  // The placement is known before a new sprite runs its first frame.
  if (created) StartInstance(*target, nesting + 1);
}

}  // namespace orvanta::render
