#pragma once

#include <cstdint>

#include "swf/swf_object.h"

namespace orvanta {

class TFlashMovie;

// Base of the builder objects: they belong to a movie and emit their tags when it serialises.
class TFlashObject : public TBasedSWFObject {
 public:
  explicit TFlashObject(TFlashMovie* owner = nullptr) : owner_(owner) {}

  TFlashMovie* Owner() const { return owner_; }
  virtual void ChangeOwner(TFlashMovie* owner) { owner_ = owner; }

  void Assign(const TBasedSWFObject& Source) override;
  int LibraryLevel() const override { return 1; }

 private:
  TFlashMovie* owner_;
};

// A builder object that defines a character and so carries a character id.
class TFlashIDObject : public TFlashObject {
 public:
  using TFlashObject::TFlashObject;

  uint16_t CharacterId() const { return characterId_; }
  virtual void SetCharacterId(uint16_t id) { characterId_ = id; }

  void Assign(const TBasedSWFObject& Source) override;

 private:
  uint16_t characterId_ = 0;
};

// Base of every placeable builder object (shapes, sprites, texts, buttons).
class TFlashVisualObject : public TFlashIDObject {
 public:
  using TFlashIDObject::TFlashIDObject;

  // The owner movie's unit scale (20 with pixel units), or 1 without an owner.
  int UnitScale() const;
};

}  // namespace orvanta
