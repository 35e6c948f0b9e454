#include "movie/flash_movie.h"

#include <algorithm>
#include <cmath>

#include "media/flash_image.h"
#include "media/flash_sound.h"
#include "movie/count_limits.h"
#include "movie/flash_font.h"
#include "movie/flash_object.h"
#include "movie/flash_place_object.h"
#include "platform/stream.h"
#include "script/flash_action_script.h"
#include "swf/bits_engine.h"
#include "swf/tag_codes.h"
#include "swf/tags_control.h"
#include "swf/tags_display.h"

namespace orvanta {

namespace {

const TSWFObject* AsTag(const TBasedSWFObject& obj) {
  return obj.LibraryLevel() == 0 ? static_cast<const TSWFObject*>(&obj) : nullptr;
}

bool IsTagWithCode(const TBasedSWFObject& obj, uint16_t code) {
  const TSWFObject* tag = AsTag(obj);
  return tag && tag->TagID == code;
}

}  // namespace

TFlashMovie::TFlashMovie(int32_t XMin, int32_t YMin, int32_t XMax, int32_t YMax, double FPS,
                         bool PixelUnits)
    : TBasedSWFStream(XMin, YMin, XMax, YMax, FPS, PixelUnits) {}

TFlashMovie::~TFlashMovie() = default;

TSWFRGB& TFlashMovie::BackgroundColor() {
  if (!backgroundColor_) backgroundColor_ = std::make_unique<TSWFRGB>();
  HasBackgroundColor = true;
  return *backgroundColor_;
}

TSWFFileAttributes& TFlashMovie::FileAttributes() {
  if (!fileAttributes_) fileAttributes_ = std::make_unique<TSWFFileAttributes>();
  return *fileAttributes_;
}

void TFlashMovie::VersionChanged() {
  if (Version() >= 8) CorrectImageFill = false;
}

bool TFlashMovie::IsShowFrame(size_t index) const {
  return index < objects_.size() && IsTagWithCode(*objects_[index], ToCode(TTagCode::ShowFrame));
}

TBasedSWFObject* TFlashMovie::AddFlashObject(std::unique_ptr<TBasedSWFObject> obj) {
  TBasedSWFObject* raw = obj.get();
  const int32_t count = static_cast<int32_t>(objects_.size());
  if (AddPosition == -1) AddPosition = count - 1;
  if (AddMode != 0 && AddPosition >= 0 && AddPosition < count - 1) {
    int32_t index = AddPosition;
    if (AddMode == 2) {
      while (index > 0 && !IsShowFrame(static_cast<size_t>(index))) --index;
      if (!IsShowFrame(static_cast<size_t>(index))) index = 0;
    }
    objects_.insert(objects_.begin() + index, std::move(obj));
    ++AddPosition;
  } else {
    objects_.push_back(std::move(obj));
    AddPosition = static_cast<int32_t>(objects_.size()) - 1;
  }
  return raw;
}

TFlashIDObject* TFlashMovie::AddIDObject(std::unique_ptr<TFlashIDObject> obj, bool setID) {
  // Checked before the object goes in, so that a failed add leaves the movie as it was.
  const uint16_t id = setID ? CheckedCount16(nextCharacterID_, "the movie", "character ids") : 0;
  TFlashIDObject* raw = obj.get();
  AddFlashObject(std::move(obj));
  raw->ChangeOwner(this);
  if (setID) {
    raw->SetCharacterId(id);
    ++nextCharacterID_;
  }
  return raw;
}

void TFlashMovie::Append(std::unique_ptr<TBasedSWFObject> obj) {
  objects_.push_back(std::move(obj));
}

TSWFObject* TFlashMovie::RemoveObject(uint16_t depth, const TFlashIDObject* obj) {
  if (obj) {
    auto tag = std::make_unique<TSWFRemoveObject>();
    tag->CharacterId = obj->CharacterId();
    tag->Depth = depth;
    return Add(std::move(tag));
  }
  auto tag = std::make_unique<TSWFRemoveObject2>();
  tag->Depth = depth;
  return Add(std::move(tag));
}

TSWFObject* TFlashMovie::ExportAssets(const std::string& name, uint16_t id) {
  auto tag = std::make_unique<TSWFExportAssets>();
  tag->SetAsset(name, id);
  return Add(std::move(tag));
}

TFlashActionScript& TFlashMovie::FrameActions() {
  if (!frameActions_) frameActions_ = std::make_unique<TFlashActionScript>(this);
  return *frameActions_;
}

void TFlashMovie::ShowFrame(int count) {
  if (count <= 0) count = 1;
  const uint16_t frames = CheckedCount16(int64_t{FrameCount()} + count, "the movie", "frames");
  if (!FrameLabel.empty()) {
    Append(std::make_unique<TSWFFrameLabel>(FrameLabel));
    FrameLabel.clear();
  }
  if (frameActions_) Append(std::move(frameActions_));
  for (int i = 0; i < count; ++i) Append(std::make_unique<TSWFShowFrame>());
  SetFrameCount(frames);
  CurrentFrameNum = FrameCount() - 1;
}

int TFlashMovie::FramePosition(int n) {
  if (n <= 0 || objects_.empty()) return 0;
  int seen = 0;
  for (size_t i = 0; i < objects_.size(); ++i)
    if (IsShowFrame(i) && ++seen == n) return static_cast<int>(i);
  return static_cast<int>(objects_.size()) - 1;
}

int TFlashMovie::MakeData() {
  TMemoryStream& body = BodyStream();
  body.Clear();
  TBitsEngine engine(body);
  int version = Version();

  if (UseFileAttributes) {
    FileAttributes().WriteToStream(engine);
    if (FileAttributes().HasMetadata) {
      TSWFMetadata metadata;
      metadata.Metadata = Metadata;
      metadata.WriteToStream(engine);
    }
  }
  if (HasBackgroundColor) {
    TSWFSetBackgroundColor background;
    background.BackgroundColor.Assign(BackgroundColor());
    background.WriteToStream(engine);
  }
  WriteBackgroundSoundHead(engine, version);
  if (Protect) {
    TSWFProtect protect;
    protect.Password = Password;
    protect.Random = random_;
    version = std::max(version, protect.MinVersion());
    protect.WriteToStream(engine);
  }

  int frames = 0;
  bool placed = false;
  const size_t count = objects_.size();
  for (size_t i = 0; i < count; ++i) {
    TBasedSWFObject& obj = *objects_[i];
    if (OnProgress) OnProgress(static_cast<int>(std::lround((i + 1) * 100.0 / count)), 1);
    version = std::max(version, obj.MinVersion());
    if (const TSWFObject* tag = AsTag(obj)) {
      if (tag->TagID == ToCode(TTagCode::ShowFrame)) {
        WriteBackgroundSoundBlock(engine, frames);
        ++frames;
      }
      if (IsPlaceObjectCode(tag->TagID)) placed = true;
    } else if (auto* placement = dynamic_cast<TFlashPlaceObject*>(&obj)) {
      placement->SetEventVersion(version);
      placed = true;
    }
    obj.WriteToStream(engine);
    CountExternalFrames(obj, frames, placed);
  }
  if (frames == 0 && placed) {
    TSWFShowFrame().WriteToStream(engine);
    frames = 1;
  }
  if (objects_.empty() || !IsTagWithCode(*objects_.back(), ToCode(TTagCode::End)))
    TSWFEnd().WriteToStream(engine);

  // Imports add frames of their own, so the count is checked again here.
  SetFrameCount(CheckedCount16(frames, "the movie", "frames"));
  if (version > Version()) SetVersion(version);
  return Version();
}

bool TFlashMovie::IsResource(const TBasedSWFObject& obj) const {
  const TSWFObject* tag = AsTag(obj);
  if (!tag) {
    return dynamic_cast<const TFlashImage*>(&obj) || dynamic_cast<const TFlashSound*>(&obj) ||
           dynamic_cast<const TFlashFont*>(&obj);
  }
  switch (tag->TagID) {
    case ToCode(TTagCode::DefineBits):
    case ToCode(TTagCode::JPEGTables):
    case ToCode(TTagCode::DefineBitsJPEG2):
    case ToCode(TTagCode::DefineBitsJPEG3):
    case ToCode(TTagCode::DefineBitsLossless):
    case ToCode(TTagCode::DefineBitsLossless2):
    case ToCode(TTagCode::DefineFont):
    case ToCode(TTagCode::DefineFont2):
    case ToCode(TTagCode::DefineFont3):
    case ToCode(TTagCode::DefineSound):
      return true;
    default:
      return false;
  }
}

void TFlashMovie::MoveResource(int destFrame, int fromFrame, int toFrame) {
  destFrame = std::min(destFrame, fromFrame);
  if (toFrame == -1)
    toFrame = FrameCount();
  else if (toFrame == 0 || toFrame < fromFrame)
    toFrame = fromFrame;

  int target = FramePosition(destFrame);
  if (IsShowFrame(static_cast<size_t>(target))) ++target;
  int start = fromFrame == destFrame ? target + 1 : FramePosition(fromFrame) + 1;
  int stop = FramePosition(toFrame + 1);
  if (IsShowFrame(static_cast<size_t>(stop))) --stop;
  if (stop <= start) return;

  int moved = 0;
  for (int i = start; i <= stop && i < static_cast<int>(objects_.size()); ++i) {
    if (!IsResource(*objects_[i])) continue;
    auto obj = std::move(objects_[i]);
    objects_.erase(objects_.begin() + i);
    objects_.insert(objects_.begin() + target + moved, std::move(obj));
    ++moved;
  }
}

}  // namespace orvanta
