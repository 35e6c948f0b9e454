#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "movie/flash_object.h"

namespace orvanta {

class TSWFBevelFilter;
class TSWFBlurFilter;
class TSWFDropShadowFilter;
class TSWFFilter;
class TSWFGlowFilter;
class TSWFPlaceObject3;

// One placement of a character on a display list. Written as PlaceObject2 unless it needs what
// only PlaceObject3 carries: a blend mode other than normal, filters or bitmap caching.
class TFlashPlaceObject : public TFlashObject {
 public:
  // Obj may be none (a placement that only changes what stands at Depth).
  TFlashPlaceObject(TFlashMovie* owner, TFlashVisualObject* obj, uint16_t depth);
  ~TFlashPlaceObject() override;

  TFlashVisualObject* PlacedObject() const { return placed_; }
  TSWFPlaceObject3& PlaceObject() const { return *tag_; }
  uint16_t GetCharacterId() const;
  uint16_t Depth() const;

  // In units. A placement at 0, 0 gets no matrix unless it already has one or is a move.
  void SetTranslate(int32_t x, int32_t y);
  void SetScale(double sx, double sy);
  void SetRotate(double degrees);
  // Groups whose flag is false are left out; the setters clamp the terms.
  void SetColorTransform(bool hasAdd, int32_t redAdd, int32_t greenAdd, int32_t blueAdd,
                         int32_t alphaAdd, bool hasMult, int32_t redMult, int32_t greenMult,
                         int32_t blueMult, int32_t alphaMult, bool hasAlpha);
  void SetName(const std::string& name);
  void SetClipDepth(uint16_t depth);
  void SetRatio(uint16_t ratio);
  bool Move() const;
  void SetMove(bool on);
  bool CacheAsBitmap() const;
  void SetCacheAsBitmap(bool on);
  // Sets the blend mode and its flag.
  void SetBlendMode(uint8_t mode);

  // The first filter of the kind; a new one, set up from the movie's filter settings, when
  // there is none.
  TSWFDropShadowFilter& DropShadowFilter();
  TSWFBlurFilter& BlurFilter();
  TSWFGlowFilter& GlowFilter();
  TSWFBevelFilter& BevelFilter();
  // The first filter with that id, or none.
  TSWFFilter* FindFilter(uint8_t filterID) const;

  // The version the clip-event flags are written for; the movie and sprite serialisers set it.
  void SetEventVersion(int version);
  // True when the placement needs the PlaceObject3 layout.
  bool WritesPlaceObject3() const;

  void Assign(const TBasedSWFObject& Source) override;
  int MinVersion() const override;
  void WriteToStream(TBitsEngine& Engine) override;

 private:
  TSWFFilter& FilterOf(uint8_t filterID);
  TFlashVisualObject* placed_;
  std::unique_ptr<TSWFPlaceObject3> tag_;
};

}  // namespace orvanta
