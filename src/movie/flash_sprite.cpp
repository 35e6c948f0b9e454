#include "movie/flash_sprite.h"

#include <algorithm>

#include "movie/count_limits.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "script/flash_action_script.h"
#include "script/tags_action.h"
#include "swf/bits_engine.h"
#include "swf/tag_codes.h"
#include "swf/tag_factory.h"
#include "swf/tags_control.h"
#include "swf/tags_display.h"

namespace orvanta {

namespace {

bool IsEndTag(const TBasedSWFObject& obj) {
  return obj.LibraryLevel() == 0 &&
         static_cast<const TSWFObject&>(obj).TagID == ToCode(TTagCode::End);
}

}  // namespace

TFlashSprite::TFlashSprite(TFlashMovie* owner)
    : TFlashVisualObject(owner), tag_(std::make_unique<TSWFDefineSprite>()) {}

TFlashSprite::~TFlashSprite() = default;

TFlashActionScript& TFlashSprite::FrameActions() {
  if (!frameActions_) frameActions_ = std::make_unique<TFlashActionScript>(Owner());
  return *frameActions_;
}

TFlashActionScript& TFlashSprite::InitActions() {
  if (!initActions_) initActions_ = std::make_unique<TFlashActionScript>(Owner());
  return *initActions_;
}

uint16_t TFlashSprite::FrameCount() const {
  return tag_->FrameCount;
}

void TFlashSprite::SetFrameCount(uint16_t count) {
  tag_->FrameCount = count;
}

void TFlashSprite::SetCharacterId(uint16_t id) {
  TFlashVisualObject::SetCharacterId(id);
  tag_->SpriteID = id;
}

TBasedSWFObject* TFlashSprite::AddFlashObject(std::unique_ptr<TBasedSWFObject> obj) {
  TBasedSWFObject* raw = obj.get();
  const int32_t last = static_cast<int32_t>(timeline_.size()) - 1;
  const bool inserting = Owner() && Owner()->AddMode != 0;
  if (inserting && AddPosition >= 0 && AddPosition < last) {
    timeline_.insert(timeline_.begin() + AddPosition, std::move(obj));
    ++AddPosition;
  } else {
    Append(std::move(obj));
  }
  return raw;
}

void TFlashSprite::Append(std::unique_ptr<TBasedSWFObject> obj) {
  timeline_.push_back(std::move(obj));
  AddPosition = static_cast<int32_t>(timeline_.size()) - 1;
}

TFlashPlaceObject* TFlashSprite::PlaceObject(TFlashVisualObject* obj, uint16_t depth) {
  auto place = std::make_unique<TFlashPlaceObject>(Owner(), obj, depth);
  TFlashPlaceObject* raw = place.get();
  AddFlashObject(std::move(place));
  // A character must be defined before the sprite that places it.
  if (obj && Owner()) Owner()->MoveObjectBefore(*obj, *this);
  MaxDepth = std::max(MaxDepth, depth);
  return raw;
}

TSWFObject* TFlashSprite::RemoveObject(uint16_t depth, const TFlashIDObject* obj) {
  std::unique_ptr<TSWFObject> tag;
  if (obj) {
    auto remove = std::make_unique<TSWFRemoveObject>();
    remove->CharacterId = obj->CharacterId();
    remove->Depth = depth;
    tag = std::move(remove);
  } else {
    auto remove = std::make_unique<TSWFRemoveObject2>();
    remove->Depth = depth;
    tag = std::move(remove);
  }
  TSWFObject* raw = tag.get();
  AddFlashObject(std::move(tag));
  return raw;
}

void TFlashSprite::ShowFrame(int count) {
  if (count <= 0) count = 1;
  tag_->FrameCount = CheckedCount16(int64_t{tag_->FrameCount} + count, "the sprite", "frames");
  if (frameActions_) Append(std::move(frameActions_));
  if (!FrameLabel.empty()) {
    Append(std::make_unique<TSWFFrameLabel>(FrameLabel));
    FrameLabel.clear();
  }
  for (int i = 0; i < count; ++i) Append(std::make_unique<TSWFShowFrame>());
  CurrentFrameNum = tag_->FrameCount - 1;
}

void TFlashSprite::ClearTimeline() {
  timeline_.clear();
  tag_->FrameCount = 0;
  CurrentFrameNum = -1;
  AddPosition = 0;
  MaxDepth = 0;
}

void TFlashSprite::Assign(const TBasedSWFObject& Source) {
  TFlashVisualObject::Assign(Source);
  auto& source = dynamic_cast<const TFlashSprite&>(Source);
  CurrentFrameNum = source.CurrentFrameNum;
  FrameLabel = source.FrameLabel;
  AddPosition = source.AddPosition;
  MaxDepth = source.MaxDepth;
  tag_->Assign(*source.tag_);
  auto copyScript = [this](const std::unique_ptr<TFlashActionScript>& from) {
    std::unique_ptr<TFlashActionScript> copy;
    if (from) {
      copy = std::make_unique<TFlashActionScript>(Owner());
      copy->Assign(*from);
    }
    return copy;
  };
  frameActions_ = copyScript(source.frameActions_);
  initActions_ = copyScript(source.initActions_);

  timeline_.clear();
  for (const auto& obj : source.timeline_) {
    std::unique_ptr<TBasedSWFObject> copy;
    if (obj->LibraryLevel() == 0) {
      copy = CreateTagByCode(static_cast<const TSWFObject&>(*obj).TagID);
    } else if (auto* place = dynamic_cast<const TFlashPlaceObject*>(obj.get())) {
      copy = std::make_unique<TFlashPlaceObject>(Owner(), place->PlacedObject(), place->Depth());
    } else if (dynamic_cast<const TFlashActionScript*>(obj.get())) {
      copy = std::make_unique<TFlashActionScript>(Owner());
    } else {
      throw Error("a sprite timeline holds an object that cannot be copied");
    }
    copy->Assign(*obj);
    timeline_.push_back(std::move(copy));
  }
}

int TFlashSprite::MinVersion() const {
  int version = 3;
  for (const auto& obj : timeline_) version = std::max(version, obj->MinVersion());
  // The init actions are written as a DoInitAction beside the sprite.
  if (initActions_)
    version = std::max(version, TSWFDoInitAction(initActions_->Actions()).MinVersion());
  return version;
}

void TFlashSprite::WriteToStream(TBitsEngine& Engine) {
  if (tag_->FrameCount == 0) ShowFrame(1);
  const int eventVersion = Owner() ? Owner()->Version() : 3;

  TMemoryStream body;
  TBitsEngine bodyEngine(body);
  bodyEngine.WriteWord(tag_->SpriteID);
  bodyEngine.WriteWord(tag_->FrameCount);
  for (const auto& obj : timeline_) {
    if (auto* place = dynamic_cast<TFlashPlaceObject*>(obj.get()))
      place->SetEventVersion(eventVersion);
    obj->WriteToStream(bodyEngine);
  }
  if (timeline_.empty() || !IsEndTag(*timeline_.back())) TSWFEnd().WriteToStream(bodyEngine);

  tag_->BodySize = static_cast<uint32_t>(body.Size());
  WriteTagHeader(Engine, ToCode(TTagCode::DefineSprite), tag_->BodySize);
  Engine.Stream().WriteBuffer(body.Bytes().data(), body.Bytes().size());

  if (initActions_) {
    TSWFDoInitAction init(initActions_->Actions());
    init.SpriteID = tag_->SpriteID;
    init.WriteToStream(Engine);
  }
}

}  // namespace orvanta
