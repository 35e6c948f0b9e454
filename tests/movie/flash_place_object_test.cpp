#include "movie/flash_place_object.h"

#include <gtest/gtest.h>

#include "media/filter_settings.h"
#include "media/filters.h"
#include "movie/flash_movie.h"
#include "swf/tags_display.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::Bytes;

class Shape : public TFlashVisualObject {
 public:
  void WriteToStream(TBitsEngine&) override {}
};

Bytes Written(TFlashPlaceObject& place) {
  return test::Written([&](TBitsEngine& e) { place.WriteToStream(e); });
}

uint16_t Code(const Bytes& tag) {
  return static_cast<uint16_t>((tag[0] | tag[1] << 8) >> 6);
}

Bytes Body(const Bytes& tag) {
  return Bytes(tag.begin() + 2, tag.end());
}

struct Fixture : ::testing::Test {
  Fixture() : movie(0, 0, 100, 100, 12, true) {
    shape = static_cast<Shape*>(movie.AddIDObject(std::make_unique<Shape>(), true));
  }
  TFlashMovie movie;
  Shape* shape;
};

using FlashPlaceObject = Fixture;

TEST_F(FlashPlaceObject, TranslateInPixelUnits) {
  TFlashPlaceObject* place = movie.PlaceObject(shape, 3);
  EXPECT_EQ(movie.MaxDepth, 3);
  EXPECT_EQ(place->GetCharacterId(), 1);
  place->SetTranslate(0, 0);
  EXPECT_FALSE(place->PlaceObject().HasMatrix);
  EXPECT_EQ(Written(*place), (Bytes{0x85, 0x06, 0x02, 0x03, 0x00, 0x01, 0x00}));

  place->SetTranslate(10, 0);
  EXPECT_EQ(place->PlaceObject().ExistingMatrix()->TranslateX, 200);
  EXPECT_EQ(Body(Written(*place)), (Bytes{0x06, 0x03, 0x00, 0x01, 0x00, 0x12, 0xC8, 0x00, 0x00}));
  // Once there is a matrix, moving back to the origin is kept.
  place->SetTranslate(0, 0);
  EXPECT_EQ(place->PlaceObject().ExistingMatrix()->TranslateX, 0);

  // A move to the origin needs its matrix too.
  TFlashPlaceObject* move = movie.PlaceObject(nullptr, 3);
  move->SetMove(true);
  move->SetTranslate(0, 0);
  EXPECT_TRUE(move->PlaceObject().HasMatrix);
  EXPECT_EQ(Body(Written(*move)), (Bytes{0x05, 0x03, 0x00, 0x00}));
}

TEST_F(FlashPlaceObject, PlaceObject3OnlyWhenNeeded) {
  TFlashPlaceObject* place = movie.PlaceObject(shape, 1);
  place->SetBlendMode(1);  // normal
  Bytes tag = Written(*place);
  EXPECT_EQ(Code(tag), 26);
  EXPECT_EQ(Body(tag), (Bytes{0x02, 0x01, 0x00, 0x01, 0x00}));
  EXPECT_EQ(place->MinVersion(), 3);

  place->SetBlendMode(2);
  tag = Written(*place);
  EXPECT_EQ(Code(tag), 70);
  EXPECT_EQ(Body(tag), (Bytes{0x02, 0x02, 0x01, 0x00, 0x01, 0x00, 0x02}));
  EXPECT_EQ(place->MinVersion(), 8);

  TFlashPlaceObject* cached = movie.PlaceObject(shape, 2);
  cached->SetCacheAsBitmap(true);
  tag = Written(*cached);
  EXPECT_EQ(Code(tag), 70);
  EXPECT_EQ(tag[3], 0x04);  // cache-as-bitmap flag

  TFlashPlaceObject* shadowed = movie.PlaceObject(shape, 3);
  shadowed->DropShadowFilter();
  tag = Written(*shadowed);
  EXPECT_EQ(Code(tag), 70);
  EXPECT_EQ(tag[3], 0x01);  // filter flag
  EXPECT_EQ(shadowed->MinVersion(), 8);
  // The tag reads back as a PlaceObject3 with its filter.
  auto read = test::ReadTag(TTagCode::PlaceObject3, Body(tag));
  EXPECT_EQ(dynamic_cast<TSWFPlaceObject3&>(*read).ExistingFilterList()->Count(), 1u);
}

TEST_F(FlashPlaceObject, FiltersAreSharedAndStartFromMovieSettings) {
  movie.FilterSettings().Distance = 9;
  movie.FilterSettings().BlurX = 3;
  movie.FilterSettings().Quality = 2;
  TFlashPlaceObject* place = movie.PlaceObject(shape, 1);
  EXPECT_EQ(place->FindFilter(kFilterDropShadow), nullptr);

  TSWFDropShadowFilter& shadow = place->DropShadowFilter();
  EXPECT_EQ(shadow.Distance, 9);
  EXPECT_EQ(shadow.BlurX, 3);
  EXPECT_EQ(shadow.Passes, 3);
  shadow.Distance = 1;
  EXPECT_EQ(&place->DropShadowFilter(), &shadow);
  EXPECT_EQ(shadow.Distance, 1);  // the second call leaves it alone

  TSWFGlowFilter& glow = place->GlowFilter();
  EXPECT_EQ(place->FindFilter(kFilterGlow), &glow);
  place->BevelFilter();
  place->BlurFilter();
  EXPECT_EQ(place->PlaceObject().ExistingFilterList()->Count(), 4u);
  EXPECT_EQ(&place->GlowFilter(), &glow);
}

TEST_F(FlashPlaceObject, ColorTransformGroups) {
  TFlashPlaceObject* place = movie.PlaceObject(shape, 1);
  place->SetColorTransform(false, 0, 0, 0, 0, true, 255, 255, 255, 64, true);
  const TSWFColorTransform& transform = *place->PlaceObject().ExistingColorTransform();
  EXPECT_FALSE(transform.HasAdd);
  EXPECT_EQ(transform.AlphaMult, 64);
  EXPECT_EQ(Body(Written(*place)),
            (Bytes{0x0A, 0x01, 0x00, 0x01, 0x00, 0x65, 0xFE, 0xFF, 0x7F, 0x90, 0x00}));

  // Terms are clamped. Without alpha the alpha terms are still written, as 0 added (players
  // always read four terms here).
  place->SetColorTransform(true, 300, -300, 0, 99, false, 0, 0, 0, 0, false);
  EXPECT_EQ(transform.RedAdd, 255);
  EXPECT_EQ(transform.GreenAdd, -255);
  EXPECT_FALSE(transform.HasMult);
  EXPECT_EQ(Body(Written(*place)),
            (Bytes{0x0A, 0x01, 0x00, 0x01, 0x00, 0xA5, 0xFF, 0x01, 0x00, 0x00, 0x00}));

  // Multiply terms without alpha: alpha multiplied by 256, and the record reads back whole.
  place->SetColorTransform(true, 255, 0, 0, 0, true, 0, 256, 256, 256, false);
  auto read = test::ReadTag(TTagCode::PlaceObject2, Body(Written(*place)));
  const TSWFColorTransform& back = *dynamic_cast<TSWFPlaceObject2&>(*read).ExistingColorTransform();
  EXPECT_EQ(back.AlphaMult, 256);
  EXPECT_EQ(back.RedMult, 0);
  EXPECT_EQ(back.GreenMult, 256);
  EXPECT_EQ(back.RedAdd, 255);
  EXPECT_EQ(back.AlphaAdd, 0);
  EXPECT_FALSE(transform.HasAlpha);  // the placement's own transform is left as set
}

TEST_F(FlashPlaceObject, ClipEventsFollowTheEventVersion) {
  TFlashPlaceObject* place = movie.PlaceObject(shape, 1);
  place->SetName("clip");
  place->PlaceObject().ClipActions().AddRecord(ClipEvents({kClipEventLoad}));
  EXPECT_EQ(place->MinVersion(), 5);

  place->SetEventVersion(5);
  Bytes narrow = Written(*place);
  place->SetEventVersion(8);
  Bytes wide = Written(*place);
  EXPECT_EQ(Code(narrow), 26);
  // Each of the three flag fields and the end marker grows by two bytes.
  EXPECT_EQ(wide.size(), narrow.size() + 6);

  // Events that only exist from version 6 need it.
  place->PlaceObject().ClipActions().AddRecord(ClipEvents({kClipEventConstruct}));
  EXPECT_EQ(place->MinVersion(), 6);
}

}  // namespace
}  // namespace orvanta
