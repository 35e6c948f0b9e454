#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "movie/flash_object.h"

namespace orvanta {

class TFlashActionScript;
class TFlashPlaceObject;
class TSWFDefineSprite;
class TSWFObject;

// A movie clip: a timeline of its own, built like a small movie (place, remove, show frame)
// and written as one DefineSprite tag, followed by a DoInitAction when it has init actions.
class TFlashSprite : public TFlashVisualObject {
 public:
  using ObjectListType = std::vector<std::unique_ptr<TBasedSWFObject>>;

  explicit TFlashSprite(TFlashMovie* owner = nullptr);
  ~TFlashSprite() override;

  // Index of the last closed frame.
  int32_t CurrentFrameNum = -1;
  // Label of the frame being built, emitted by ShowFrame.
  std::string FrameLabel;
  // Insertion index in the timeline while the movie's AddMode is not 0.
  int32_t AddPosition = 0;
  uint16_t MaxDepth = 0;

  // The actions of the frame being built; created on first use, moved into the timeline by
  // ShowFrame.
  TFlashActionScript& FrameActions();
  bool HasFrameActions() const { return frameActions_ != nullptr; }
  // Run once before the sprite's first frame; created on first use.
  TFlashActionScript& InitActions();
  bool HasInitActions() const { return initActions_ != nullptr; }

  const TSWFDefineSprite& SpriteTag() const { return *tag_; }
  uint16_t FrameCount() const;
  void SetFrameCount(uint16_t count);
  // The timeline, which owns its objects.
  const ObjectListType& ObjectList() const { return timeline_; }

  void SetCharacterId(uint16_t id) override;

  // Inserts Obj into the timeline (at AddPosition while the movie's AddMode is not 0).
  TBasedSWFObject* AddFlashObject(std::unique_ptr<TBasedSWFObject> obj);
  // Places Obj at Depth; Obj's definition is moved before the sprite in the movie when it
  // stands after it.
  TFlashPlaceObject* PlaceObject(TFlashVisualObject* obj, uint16_t depth);
  // A RemoveObject for Obj's id when given, else a RemoveObject2 for the depth.
  TSWFObject* RemoveObject(uint16_t depth, const TFlashIDObject* obj = nullptr);
  // Closes Count frames (0 means 1): frame actions, label, then the ShowFrame tags. Raises an
  // error, adding nothing, when the sprite would pass 65,535 frames.
  void ShowFrame(int count = 1);
  // Empties the timeline and sets the frame count to 0; the init actions stay. An imported
  // movie refills its sprite this way each time it is written.
  void ClearTimeline();

  // Copies the timeline of tags, placements and scripts.
  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override;
  void WriteToStream(TBitsEngine& Engine) override;

 private:
  void Append(std::unique_ptr<TBasedSWFObject> obj);
  std::unique_ptr<TFlashActionScript> frameActions_;
  std::unique_ptr<TFlashActionScript> initActions_;
  std::unique_ptr<TSWFDefineSprite> tag_;
  ObjectListType timeline_;
};

}  // namespace orvanta
