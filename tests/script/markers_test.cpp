#include <gtest/gtest.h>

#include "script/action_branch.h"
#include "script/action_push.h"
#include "script/tags_action.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::Bytes;
using test::Concat;
using test::Written;

Bytes ListBytes(const TSWFActionList& list) {
  return Written([&](TBitsEngine& e) { list.WriteToStream(e); });
}

template <class T>
T& Append(TSWFActionList& list) {
  return static_cast<T&>(list.Add(std::make_unique<T>()));
}

void Stops(TSWFActionList& list, int count) {
  for (int i = 0; i < count; ++i) Append<TSWFActionStop>(list);
}

// Moves a branch action's marker into the list at its end, as a forward target.
void PlaceForward(TSWFActionList& list, TSWFOffsetMarker& marker) {
  auto owned = marker.ReleaseFromOwner();
  ASSERT_NE(owned, nullptr);
  owned->Backward = false;
  owned->Placed = true;
  list.Add(std::move(owned));
}

TEST(Markers, ForwardTargetsPatchTheOffsetAfterTheBlock) {
  TSWFActionList list;
  auto& ifAction = Append<TSWFActionIf>(list);
  Stops(list, 2);
  PlaceForward(list, ifAction.Marker());
  EXPECT_EQ(ListBytes(list), Bytes({0x9D, 0x02, 0x00, 0x02, 0x00, 0x07, 0x07}));
  EXPECT_EQ(list.Count(), 4u);
  EXPECT_EQ(&ifAction.Marker(), &list[3]);
}

TEST(Markers, BackwardTargetsGiveNegativeOffsets) {
  TSWFActionList list;
  auto& target = Append<TSWFOffsetMarker>(list);
  Stops(list, 1);
  auto& jump = Append<TSWFActionJump>(list);
  jump.LinkMarker(0, &target);
  EXPECT_EQ(ListBytes(list), Bytes({0x07, 0x99, 0x02, 0x00, 0xFA, 0xFF}));
}

TEST(Markers, PositionsHoldWhereverTheListIsWritten) {
  TSWFActionList list;
  auto& loop = Append<TSWFOffsetMarker>(list);
  auto& ifAction = Append<TSWFActionIf>(list);
  Stops(list, 3);
  auto& jump = Append<TSWFActionJump>(list);
  jump.LinkMarker(0, &loop);
  PlaceForward(list, ifAction.Marker());
  Bytes expected = {0x9D, 0x02, 0x00, 0x08, 0x00, 0x07, 0x07, 0x07, 0x99, 0x02, 0x00, 0xF3, 0xFF};
  EXPECT_EQ(ListBytes(list), expected);
  // Again, behind other bytes: offsets are relative, patches land in the right place.
  Bytes shifted = Written([&](TBitsEngine& e) {
    e.WriteDWord(0xAAAAAAAA);
    list.WriteToStream(e);
  });
  EXPECT_EQ(shifted, Concat({{0xAA, 0xAA, 0xAA, 0xAA}, expected}));

  TSWFDoInitAction tag(list);
  tag.SpriteID = 7;
  EXPECT_EQ(test::BodyBytes(tag), Concat({{0x07, 0x00}, expected, {0x00}}));
}

TEST(Markers, BlockSizesOfWithAndFunctions) {
  TSWFActionList list;
  auto& function = Append<TSWFActionDefineFunction>(list);
  function.FunctionName = "f";
  auto& with = Append<TSWFActionWith>(list);
  Stops(list, 1);
  PlaceForward(list, with.Marker());
  auto& function2 = Append<TSWFActionDefineFunction2>(list);
  Append<TSWFActionPush>(list).AddValue(int64_t{1});
  PlaceForward(list, function2.Marker());
  PlaceForward(list, function.Marker());
  Bytes expected = {0x9B, 0x06, 0x00, 'f',  0x00, 0x00, 0x00, 0x19, 0x00,  // function: 25 bytes
                    0x94, 0x02, 0x00, 0x01, 0x00, 0x07,                    // with: 1 byte
                    0x8E, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08,
                    0x00, 0x96, 0x05, 0x00, 0x07, 0x01, 0x00, 0x00, 0x00};
  EXPECT_EQ(ListBytes(list), expected);
}

TEST(Markers, TryBlocksCountFromTheBlockBefore) {
  TSWFActionList list;
  auto& tryAction = Append<TSWFActionTry>(list);
  tryAction.CatchBlockFlag = true;
  tryAction.FinallyBlockFlag = true;
  tryAction.CatchName = "e";
  Stops(list, 1);
  PlaceForward(list, tryAction.TryMarker());
  Stops(list, 2);
  PlaceForward(list, tryAction.CatchMarker());
  Stops(list, 3);
  PlaceForward(list, tryAction.FinallyMarker());
  EXPECT_EQ(ListBytes(list),
            Concat({{0x8F, 0x09, 0x00, 0x03, 0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 'e', 0x00},
                    Bytes(6, 0x07)}));

  // Without a catch block the finally block follows the try block, and CatchSize is 0.
  TSWFActionList noCatch;
  auto& tryFinally = Append<TSWFActionTry>(noCatch);
  tryFinally.FinallyBlockFlag = true;
  tryFinally.CatchInRegisterFlag = true;
  tryFinally.CatchRegister = 1;
  Stops(noCatch, 1);
  PlaceForward(noCatch, tryFinally.TryMarker());
  Stops(noCatch, 2);
  PlaceForward(noCatch, tryFinally.FinallyMarker());
  EXPECT_EQ(
      ListBytes(noCatch),
      Concat({{0x8F, 0x08, 0x00, 0x06, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x01}, Bytes(3, 0x07)}));
}

TEST(Markers, StaticOffsetsAndDisabledMarkersWriteTheStoredNumber) {
  TSWFActionList list;
  auto& jump = Append<TSWFActionJump>(list);
  Stops(list, 2);
  PlaceForward(list, jump.Marker());
  jump.SetBranchOffset(-3);
  EXPECT_EQ(ListBytes(list), Bytes({0x99, 0x02, 0x00, 0xFD, 0xFF, 0x07, 0x07}));

  jump.StaticOffset = false;
  jump.Marker().Enabled = false;
  EXPECT_EQ(ListBytes(list), Bytes({0x99, 0x02, 0x00, 0xFD, 0xFF, 0x07, 0x07}));
  jump.Marker().Enabled = true;
  EXPECT_EQ(ListBytes(list), Bytes({0x99, 0x02, 0x00, 0x02, 0x00, 0x07, 0x07}));
}

TEST(Markers, AnUnplacedMarkerStaysWithItsAction) {
  TSWFActionIf ifAction;
  TSWFOffsetMarker* marker = &ifAction.Marker();
  EXPECT_EQ(&ifAction.Marker(), marker);
  EXPECT_FALSE(marker->Placed);
  auto owned = marker->ReleaseFromOwner();
  EXPECT_EQ(owned.get(), marker);
  EXPECT_EQ(marker->ReleaseFromOwner(), nullptr);  // now the caller's
  EXPECT_EQ(&ifAction.Marker(), marker);           // still the target

  // A Try takes only block-end markers.
  TSWFActionTry tryAction;
  TSWFOffsetMarker plain;
  EXPECT_FALSE(tryAction.LinkMarker(0, &plain));
  EXPECT_FALSE(tryAction.TryMarker().Backward);
}

}  // namespace
}  // namespace orvanta
