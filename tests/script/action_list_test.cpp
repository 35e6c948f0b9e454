#include <gtest/gtest.h>

#include <random>

#include "platform/errors.h"
#include "script/action_branch.h"
#include "script/action_push.h"
#include "script/actions_data.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::Bytes;
using test::Concat;
using test::Written;

TSWFActionList Read(const Bytes& block, uint32_t budget) {
  TMemoryStream stream(block);
  TBitsEngine engine(stream);
  TSWFActionList list;
  ReadActionList(engine, list, budget);
  return list;
}

TSWFActionList Read(const Bytes& block) {
  return Read(block, static_cast<uint32_t>(block.size()));
}

Bytes ListBytes(const TSWFActionList& list) {
  return Written([&](TBitsEngine& e) { list.WriteToStream(e); });
}

TSWFOffsetMarker* AsMarker(TSWFAction& action) {
  return dynamic_cast<TSWFOffsetMarker*>(&action);
}

const Bytes kPush1 = {0x96, 0x05, 0x00, 0x07, 0x01, 0x00, 0x00, 0x00};

TEST(ReadActionList, BranchTargetsBecomeMarkersAndTheBytesSurvive) {
  Bytes actions = Concat({kPush1,                          // 0..7
                          {0x9D, 0x02, 0x00, 0x05, 0x00},  // If +5 (8..12) to the Jump
                          {0x70},                          // unknown, no length
                          {0xC0, 0x01, 0x00, 0xAA},        // unknown with data
                          {0x99, 0x02, 0x00, 0xE9, 0xFF},  // Jump -23 (18..22) to the Push
                          {0x07}});
  TSWFActionList list = Read(Concat({actions, {0x00}}));
  ASSERT_EQ(list.Count(), 8u);
  const uint8_t codes[] = {0xFF, 0x96, 0x9D, 0xFE, 0xFE, 0xFF, 0x99, 0x07};
  for (size_t i = 0; i < 8; ++i) EXPECT_EQ(list[i].ActionCode, codes[i]) << i;

  auto* forward = AsMarker(list[5]);
  auto* backward = AsMarker(list[0]);
  EXPECT_EQ(dynamic_cast<TSWFActionIf&>(list[2]).MarkerAt(0), forward);
  EXPECT_EQ(dynamic_cast<TSWFActionJump&>(list[6]).MarkerAt(0), backward);
  EXPECT_EQ(forward->Label, "label 1");
  EXPECT_EQ(backward->Label, "label 2");
  EXPECT_FALSE(forward->Backward);
  EXPECT_TRUE(backward->Backward);
  EXPECT_TRUE(forward->Placed && backward->Placed);
  EXPECT_FALSE(forward->Enabled || backward->Enabled);

  EXPECT_EQ(ListBytes(list), actions);
}

TEST(ReadActionList, TargetsOffABoundaryStayUnplaced) {
  Bytes actions = Concat({{0x9D, 0x02, 0x00, 0x01, 0x00},  // If +1: inside the Push
                          kPush1,
                          {0x99, 0x02, 0x00, 0x9C, 0xFF},  // Jump -100: before the start
                          {0x99, 0x02, 0x00, 0x32, 0x00}}  // Jump +50: past the end
  );
  TSWFActionList list = Read(actions);
  ASSERT_EQ(list.Count(), 4u);  // no marker went into the list
  const char* labels[] = {"Error Size offset: 1", nullptr, "Error Size offset: -100",
                          "Error Size offset: 50"};
  for (size_t i : {0, 2, 3}) {
    TSWFOffsetMarker* marker = dynamic_cast<TSWFActionJump&>(list[i]).MarkerAt(0);
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->Label, labels[i]);
    EXPECT_FALSE(marker->Placed);
  }
  EXPECT_EQ(ListBytes(list), actions);
}

TEST(ReadActionList, TryBlocksAndTheEndOfTheList) {
  Bytes tryBlock = {
      0x8F, 0x09, 0x00, 0x03, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00, 'e',
      0x00, 0x07, 0x07, 0x07, 0x9D, 0x02, 0x00, 0x01, 0x00, 0x07};  // If to the end flag
  TSWFActionList list = Read(Concat({tryBlock, {0x00}}));
  ASSERT_EQ(list.Count(), 10u);
  auto& tryAction = dynamic_cast<TSWFActionTry&>(list[0]);
  const char* labels[] = {"Try 1", "Catch 2", "Finally 3"};
  for (size_t block = 0; block < 3; ++block) {
    auto* marker = dynamic_cast<TSWFTryOffsetMarker*>(&list[2 + 2 * block]);
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(tryAction.MarkerAt(block), marker);
    EXPECT_EQ(marker->Label, labels[block]);
  }
  EXPECT_EQ(AsMarker(list[9])->Label, "label 4");
  EXPECT_EQ(dynamic_cast<TSWFActionIf&>(list[7]).MarkerAt(0), &list[9]);
  EXPECT_EQ(ListBytes(list), tryBlock);
}

TEST(ReadActionList, StopsAtTheEndFlagOrTheBudget) {
  Bytes data = {0x07, 0x06, 0x07, 0x00, 0xEE, 0xEE};
  TMemoryStream stream(data);
  TBitsEngine engine(stream);
  TSWFActionList list;
  ReadActionList(engine, list, 6);
  EXPECT_EQ(list.Count(), 3u);
  EXPECT_EQ(stream.Position(), 4u);  // just after the end flag

  stream.SetPosition(0);
  TSWFActionList cut;
  ReadActionList(engine, cut, 2);
  EXPECT_EQ(cut.Count(), 2u);
  EXPECT_EQ(stream.Position(), 2u);
}

TEST(ReadActionList, TruncatedRecordsThrow) {
  // A length beyond the data, a header cut short, a record the budget cuts.
  EXPECT_THROW(Read({0x96, 0x0A, 0x00, 0x07, 0x01}), StreamError);
  EXPECT_THROW(Read({0x07, 0x96}), StreamError);
  EXPECT_THROW(Read(Concat({kPush1, {0x00}}), 5), StreamError);
}

TEST(ReadActionList, MalformedKnownActionsAreKeptRaw) {
  Bytes actions = {0x81, 0x01, 0x00, 0x05,                    // GotoFrame with a 1-byte frame
                   0x83, 0x02, 0x00, 'a',  'b',               // GetUrl without terminators
                   0x88, 0x04, 0x00, 0x05, 0x00, 'a',  0x00,  // a pool that lies about its count
                   0x9E, 0x01, 0x00, 0x01,                    // Call carrying data
                   0x88, 0x05, 0x00, 0x01, 0x00, 0x00, 0x07, 0x07,  // a pool with bytes left over
                   0x9F, 0x01, 0x00, 0x81,  // GotoFrame2 with a reserved bit set
                   0x07};
  TSWFActionList list = Read(actions);
  ASSERT_EQ(list.Count(), 7u);
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(list[i].ActionCode, TSWFAction::kByteCode) << i;
  EXPECT_EQ(ListBytes(list), actions);
}

// Blocks of records, well-formed or not, with branch offsets that may or may not land on a
// boundary. Whatever reads without an error writes back byte for byte, and so does its copy.
TEST(ReadActionList, ArbitraryBlocksReadOrFailCleanlyAndWriteBackUnchanged) {
  std::mt19937 random(1234);
  auto byte = [&] { return static_cast<uint8_t>(random() & 0xFF); };
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const uint8_t dataCodes[] = {0x81, 0x83, 0x87, 0x88, 0x8A, 0x8B, 0x8C, 0x8D, 0x8E,
                               0x8F, 0x94, 0x96, 0x99, 0x9A, 0x9B, 0x9D, 0x9E, 0x9F};
  int readOk = 0;
  for (int round = 0; round < 3000; ++round) {
    Bytes block;
    int records = 1 + pick(12);
    for (int r = 0; r < records; ++r) {
      switch (pick(4)) {
        case 0:  // a code-only action (or an unknown one)
          block.push_back(static_cast<uint8_t>(1 + pick(0x7F)));
          break;
        case 1: {  // a branch with a small offset
          uint8_t code = pick(2) ? 0x99 : 0x9D;
          int16_t offset = static_cast<int16_t>(pick(61) - 30);
          block.insert(block.end(), {code, 0x02, 0x00, static_cast<uint8_t>(offset),
                                     static_cast<uint8_t>(offset >> 8)});
          break;
        }
        default: {  // a record with data that may not fit its kind
          uint8_t length = static_cast<uint8_t>(pick(14));
          block.insert(block.end(), {dataCodes[pick(sizeof dataCodes)], length, 0x00});
          for (int i = 0; i < length; ++i) block.push_back(pick(3) ? byte() % 12 : byte());
        }
      }
    }
    if (pick(8) == 0) block.resize(block.size() - 1 - pick(3) % block.size());  // cut short
    block.push_back(0x00);

    TMemoryStream stream(block);
    TBitsEngine engine(stream);
    TSWFActionList list;
    try {
      ReadActionList(engine, list, static_cast<uint32_t>(block.size()));
    } catch (const StreamError&) {
      continue;
    }
    ++readOk;
    const size_t consumed = stream.Position();
    Bytes written = ListBytes(list);
    ASSERT_LE(written.size(), consumed);
    ASSERT_EQ(written, Bytes(block.begin(), block.begin() + static_cast<long>(written.size())))
        << "round " << round;
    EXPECT_TRUE(written.size() == consumed || block[written.size()] == 0x00);
    TSWFActionList copy;
    CopyActionList(list, copy);
    ASSERT_EQ(ListBytes(copy), written);
  }
  EXPECT_GT(readOk, 1000);
}

TEST(CopyActionList, CopiesReferToTheirOwnMarkers) {
  TSWFActionList source;
  auto& ifAction = static_cast<TSWFActionIf&>(source.Add(std::make_unique<TSWFActionIf>()));
  source.Add(std::make_unique<TSWFActionStop>());
  auto marker = ifAction.Marker().ReleaseFromOwner();
  marker->Backward = false;
  marker->Placed = true;
  source.Add(std::move(marker));
  auto& tryAction = static_cast<TSWFActionTry&>(source.Add(std::make_unique<TSWFActionTry>()));
  tryAction.CatchBlockFlag = true;
  for (TSWFTryOffsetMarker* end : {&tryAction.TryMarker(), &tryAction.CatchMarker()}) {
    source.Add(std::make_unique<TSWFActionStop>());
    auto owned = end->ReleaseFromOwner();
    owned->Placed = true;
    source.Add(std::move(owned));
  }

  TSWFActionList copy;
  copy.Add(std::make_unique<TSWFActionPlay>());  // copies are appended after this
  CopyActionList(source, copy);
  ASSERT_EQ(copy.Count(), source.Count() + 1);
  EXPECT_EQ(dynamic_cast<TSWFActionIf&>(copy[1]).MarkerAt(0), &copy[3]);
  auto& tryCopy = dynamic_cast<TSWFActionTry&>(copy[4]);
  EXPECT_EQ(tryCopy.MarkerAt(0), &copy[6]);
  EXPECT_EQ(tryCopy.MarkerAt(1), &copy[8]);
  EXPECT_NE(dynamic_cast<TSWFTryOffsetMarker*>(&copy[8]), nullptr);

  Bytes expected = ListBytes(source);
  EXPECT_EQ(expected[3], 0x01);  // the If skips the Stop
  EXPECT_EQ(ListBytes(copy), Concat({{0x06}, expected}));
  source.Clear();  // the copy depends on nothing of the source
  EXPECT_EQ(ListBytes(copy), Concat({{0x06}, expected}));
}

TEST(CopyActionList, ReadListsCopyWithTheirNumbers) {
  Bytes actions = {0x9D, 0x02, 0x00, 0x01, 0x00, 0x07, 0x99, 0x02, 0x00, 0xF5, 0xFF};
  TSWFActionList source = Read(actions);
  TSWFActionList copy;
  CopyActionList(source, copy);
  EXPECT_EQ(ListBytes(copy), actions);
  EXPECT_EQ(dynamic_cast<TSWFActionIf&>(copy[1]).MarkerAt(0), nullptr);  // static: not linked
}

}  // namespace
}  // namespace orvanta
