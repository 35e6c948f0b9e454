#include "movie/flash_place_object.h"

#include <algorithm>

#include "media/filter_settings.h"
#include "media/filters.h"
#include "movie/flash_movie.h"
#include "swf/tags_display.h"

namespace orvanta {

TFlashPlaceObject::TFlashPlaceObject(TFlashMovie* owner, TFlashVisualObject* obj, uint16_t depth)
    : TFlashObject(owner), placed_(obj), tag_(std::make_unique<TSWFPlaceObject3>()) {
  tag_->Depth = depth;
  if (obj) tag_->SetCharacterId(obj->CharacterId());
}

TFlashPlaceObject::~TFlashPlaceObject() = default;

uint16_t TFlashPlaceObject::GetCharacterId() const {
  return tag_->CharacterId;
}

uint16_t TFlashPlaceObject::Depth() const {
  return tag_->Depth;
}

void TFlashPlaceObject::SetTranslate(int32_t x, int32_t y) {
  if (x == 0 && y == 0 && !tag_->HasMatrix && !tag_->PlaceFlagMove) return;
  const int32_t scale = Owner() ? Owner()->UnitScale() : 1;
  tag_->Matrix().SetTranslate(x * scale, y * scale);
}

void TFlashPlaceObject::SetScale(double sx, double sy) {
  tag_->Matrix().SetScale(sx, sy);
}

void TFlashPlaceObject::SetRotate(double degrees) {
  tag_->Matrix().SetRotate(degrees);
}

void TFlashPlaceObject::SetColorTransform(bool hasAdd, int32_t redAdd, int32_t greenAdd,
                                          int32_t blueAdd, int32_t alphaAdd, bool hasMult,
                                          int32_t redMult, int32_t greenMult, int32_t blueMult,
                                          int32_t alphaMult, bool hasAlpha) {
  TSWFColorTransform& transform = tag_->ColorTransform();
  transform.HasAlpha = hasAlpha;
  transform.HasAdd = false;
  transform.HasMult = false;
  if (hasAdd) {
    transform.SetRedAdd(redAdd);
    transform.SetGreenAdd(greenAdd);
    transform.SetBlueAdd(blueAdd);
    if (hasAlpha) transform.SetAlphaAdd(alphaAdd);
  }
  if (hasMult) {
    transform.SetRedMult(redMult);
    transform.SetGreenMult(greenMult);
    transform.SetBlueMult(blueMult);
    if (hasAlpha) transform.SetAlphaMult(alphaMult);
  }
}

void TFlashPlaceObject::SetName(const std::string& name) {
  tag_->SetName(name);
}

void TFlashPlaceObject::SetClipDepth(uint16_t depth) {
  tag_->SetClipDepth(depth);
}

void TFlashPlaceObject::SetRatio(uint16_t ratio) {
  tag_->SetRatio(ratio);
}

bool TFlashPlaceObject::Move() const {
  return tag_->PlaceFlagMove;
}

void TFlashPlaceObject::SetMove(bool on) {
  tag_->PlaceFlagMove = on;
}

bool TFlashPlaceObject::CacheAsBitmap() const {
  return tag_->HasCacheAsBitmap;
}

void TFlashPlaceObject::SetCacheAsBitmap(bool on) {
  tag_->HasCacheAsBitmap = on;
}

void TFlashPlaceObject::SetBlendMode(uint8_t mode) {
  tag_->BlendMode = mode;
  tag_->HasBlendMode = true;
}

TSWFFilter* TFlashPlaceObject::FindFilter(uint8_t filterID) const {
  const TSWFFilterList* list = tag_->ExistingFilterList();
  if (!list) return nullptr;
  for (size_t i = 0; i < list->Count(); ++i)
    if ((*list)[i].FilterID == filterID) return &(*list)[i];
  return nullptr;
}

TSWFFilter& TFlashPlaceObject::FilterOf(uint8_t filterID) {
  if (TSWFFilter* found = FindFilter(filterID)) return *found;
  return *tag_->FilterList().AddFilter(filterID);
}

namespace {

// The settings a new filter starts from: the movie's, or the defaults without a movie.
template <class Filter>
Filter& SetUp(TSWFFilter& filter, bool created, TFlashMovie* movie) {
  auto& typed = dynamic_cast<Filter&>(filter);
  if (created) ApplyFilterSettings(movie ? movie->FilterSettings() : TFlashFilterSettings(), typed);
  return typed;
}

}  // namespace

TSWFDropShadowFilter& TFlashPlaceObject::DropShadowFilter() {
  bool created = !FindFilter(kFilterDropShadow);
  return SetUp<TSWFDropShadowFilter>(FilterOf(kFilterDropShadow), created, Owner());
}

TSWFBlurFilter& TFlashPlaceObject::BlurFilter() {
  bool created = !FindFilter(kFilterBlur);
  return SetUp<TSWFBlurFilter>(FilterOf(kFilterBlur), created, Owner());
}

TSWFGlowFilter& TFlashPlaceObject::GlowFilter() {
  bool created = !FindFilter(kFilterGlow);
  return SetUp<TSWFGlowFilter>(FilterOf(kFilterGlow), created, Owner());
}

TSWFBevelFilter& TFlashPlaceObject::BevelFilter() {
  bool created = !FindFilter(kFilterBevel);
  return SetUp<TSWFBevelFilter>(FilterOf(kFilterBevel), created, Owner());
}

void TFlashPlaceObject::SetEventVersion(int version) {
  tag_->EventVersion = version;
}

bool TFlashPlaceObject::WritesPlaceObject3() const {
  return tag_->BlendMode > 1 || tag_->HasFilterList || tag_->HasCacheAsBitmap;
}

void TFlashPlaceObject::Assign(const TBasedSWFObject& Source) {
  TFlashObject::Assign(Source);
  auto& source = dynamic_cast<const TFlashPlaceObject&>(Source);
  placed_ = source.placed_;
  tag_->Assign(*source.tag_);
}

int TFlashPlaceObject::MinVersion() const {
  int version = 3;
  if (tag_->WritesClipActions()) version = tag_->ExistingClipActions()->NeedsWideEvents() ? 6 : 5;
  // A PlaceObject3 is not understood before version 8, so what it carries would be lost.
  if (WritesPlaceObject3())
    version = std::max(version, tag_->HasClassName || tag_->HasImage ? 9 : 8);
  return version;
}

void TFlashPlaceObject::WriteToStream(TBitsEngine& Engine) {
  tag_->WriteAsPlaceObject2 = !WritesPlaceObject3();
  tag_->WriteToStream(Engine);
}

}  // namespace orvanta
