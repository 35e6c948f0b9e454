#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "platform/errors.h"
#include "script/action_branch.h"
#include "script/action_push.h"
#include "script/actions_data.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::Bytes;
using test::Written;

Bytes Record(TSWFAction& action) {
  return Written([&](TBitsEngine& e) { action.WriteToStream(e); });
}

// Reads one record back through the list reader, as a file would deliver it.
std::unique_ptr<TSWFAction> ReadBack(const Bytes& record) {
  TMemoryStream stream(record);
  TBitsEngine engine(stream);
  TSWFActionList list;
  ReadActionList(engine, list, static_cast<uint32_t>(record.size()));
  EXPECT_EQ(list.Count(), 1u);
  return list.Extract(0);
}

TEST(ActionTable, EveryListedCodeHasItsClassAndVersion) {
  const std::set<int> v3 = {0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x81, 0x83, 0x8A, 0x8B, 0x8C};
  const std::set<int> v4 = {0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x11, 0x12, 0x13, 0x14,
                            0x15, 0x17, 0x18, 0x1C, 0x1D, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25,
                            0x26, 0x27, 0x28, 0x29, 0x2D, 0x30, 0x31, 0x32, 0x33, 0x34, 0x35,
                            0x36, 0x37, 0x8D, 0x96, 0x99, 0x9A, 0x9D, 0x9E, 0x9F, 0xFE};
  const std::set<int> v5 = {0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x44, 0x45,
                            0x46, 0x47, 0x48, 0x49, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F, 0x50, 0x51,
                            0x52, 0x53, 0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x87, 0x88, 0x94, 0x9B};
  const std::set<int> v6 = {0x54, 0x55, 0x66, 0x67, 0x68};
  const std::set<int> v7 = {0x2A, 0x2B, 0x2C, 0x69, 0x8E, 0x8F};
  for (int code = 0; code < 256; ++code) {
    SCOPED_TRACE(code);
    auto action = CreateActionByCode(static_cast<uint8_t>(code));
    int expected = v3.count(code) || code == 0xFF ? 3
                   : v4.count(code)               ? 4
                   : v5.count(code)               ? 5
                   : v6.count(code)               ? 6
                   : v7.count(code)               ? 7
                                                  : 0;
    if (expected == 0) {
      EXPECT_EQ(action, nullptr);
      continue;
    }
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->ActionCode, code);
    EXPECT_EQ(action->MinVersion(), expected);
  }
}

TEST(ActionRecords, FieldsAreWrittenInRecordOrder) {
  TSWFActionStop stop;
  EXPECT_EQ(Record(stop), Bytes({0x07}));

  TSWFActionCall call;  // a code from 0x80 up always has its length word
  EXPECT_EQ(Record(call), Bytes({0x9E, 0x00, 0x00}));

  TSWFActionGotoFrame gotoFrame;
  gotoFrame.Frame = 0x0102;
  EXPECT_EQ(Record(gotoFrame), Bytes({0x81, 0x02, 0x00, 0x02, 0x01}));

  TSWFActionWaitForFrame wait;
  wait.Frame = 3;
  wait.SkipCount = 4;
  EXPECT_EQ(Record(wait), Bytes({0x8A, 0x03, 0x00, 0x03, 0x00, 0x04}));

  TSWFActionSetTarget target;
  target.TargetName = "mc";
  EXPECT_EQ(Record(target), Bytes({0x8B, 0x03, 0x00, 'm', 'c', 0}));

  TSWFActionGoToLabel label;
  label.Label = "L";
  EXPECT_EQ(Record(label), Bytes({0x8C, 0x02, 0x00, 'L', 0}));

  TSWFActionStoreRegister store;
  store.RegisterNumber = 2;
  EXPECT_EQ(Record(store), Bytes({0x87, 0x01, 0x00, 0x02}));

  TSWFActionGetURL2 url2;
  url2.LoadVariablesFlag = true;
  url2.SendVarsMethod = 2;
  EXPECT_EQ(Record(url2), Bytes({0x9A, 0x01, 0x00, 0x82}));
  url2.LoadVariablesFlag = false;
  url2.LoadTargetFlag = true;
  url2.SendVarsMethod = 1;
  EXPECT_EQ(Record(url2), Bytes({0x9A, 0x01, 0x00, 0x41}));

  TSWFActionGotoFrame2 goto2;
  goto2.PlayFlag = true;
  EXPECT_EQ(Record(goto2), Bytes({0x9F, 0x01, 0x00, 0x01}));
  goto2.SceneBiasFlag = true;
  goto2.SceneBias = 0x0201;
  EXPECT_EQ(Record(goto2), Bytes({0x9F, 0x03, 0x00, 0x03, 0x01, 0x02}));

  TSWFActionConstantPool pool;
  pool.ConstantPool = {"a", "bc"};
  EXPECT_EQ(Record(pool), Bytes({0x88, 0x07, 0x00, 0x02, 0x00, 'a', 0, 'b', 'c', 0}));
}

TEST(ActionRecords, GetUrlConvertsOnlyTheUrl) {
  TSWFActionGetUrl url;
  url.UrlString = "\xE9";     // e acute in cp1252
  url.TargetString = "\xE9";  // stays one byte
  Bytes record = Record(url);
  EXPECT_EQ(record, Bytes({0x83, 0x05, 0x00, 0xC3, 0xA9, 0x00, 0xE9, 0x00}));

  auto back = ReadBack(record);
  auto& read = dynamic_cast<TSWFActionGetUrl&>(*back);
  EXPECT_EQ(read.UrlString, "\xE9");
  EXPECT_EQ(Record(read), record);

  // UTF-8 that cp1252 cannot hold comes back unchanged, not converted twice.
  Bytes cyrillic = {0x83, 0x04, 0x00, 0xD0, 0x96, 0x00, 0x00};
  EXPECT_EQ(Record(*ReadBack(cyrillic)), cyrillic);
}

TEST(ActionRecords, FunctionsAndTryWithStaticSizes) {
  TSWFActionDefineFunction function;
  function.FunctionName = "f";
  function.Params = {"a", "b"};
  function.SetCodeSize(0x0102);
  Bytes functionRecord = {0x9B, 0x0A, 0x00, 'f', 0, 0x02, 0x00, 'a', 0, 'b', 0, 0x02, 0x01};
  EXPECT_EQ(Record(function), functionRecord);

  TSWFActionDefineFunction2 function2;
  function2.FunctionName = "g";
  function2.RegisterCount = 3;
  function2.PreloadParentFlag = true;
  function2.SuppressThisFlag = true;
  function2.PreloadGlobalFlag = true;
  function2.Parameters = {{1, "x"}, {0, "y"}};
  function2.SetCodeSize(5);
  Bytes function2Record = {0x8E, 0x0F, 0x00, 'g', 0, 0x02, 0x00, 0x03, 0x82,
                           0x01, 0x01, 'x',  0,   0, 'y',  0,    0x05, 0x00};
  EXPECT_EQ(Record(function2), function2Record);

  TSWFActionTry tryAction;
  tryAction.CatchBlockFlag = true;
  tryAction.FinallyBlockFlag = true;
  tryAction.CatchName = "e";
  tryAction.SetSizes(1, 2, 3);
  Bytes tryRecord = {0x8F, 0x09, 0x00, 0x03, 0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 'e', 0};
  EXPECT_EQ(Record(tryAction), tryRecord);
  tryAction.CatchInRegisterFlag = true;
  tryAction.CatchRegister = 4;
  EXPECT_EQ(Record(tryAction),
            Bytes({0x8F, 0x08, 0x00, 0x07, 0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0x04}));

  // The read-back objects carry every field: they write the same bytes.
  for (const Bytes& record : {functionRecord, function2Record, tryRecord})
    EXPECT_EQ(Record(*ReadBack(record)), record);
  auto back = ReadBack(function2Record);
  auto& read2 = dynamic_cast<TSWFActionDefineFunction2&>(*back);
  EXPECT_EQ(read2.Parameters, function2.Parameters);
  EXPECT_TRUE(read2.PreloadGlobalFlag && read2.PreloadParentFlag && read2.SuppressThisFlag);
  EXPECT_TRUE(read2.StaticOffset);
}

TEST(ActionRecords, AssignCopiesEveryField) {
  TSWFActionDefineFunction2 source;
  source.FunctionName = "f";
  source.Parameters = {{2, "p"}};
  source.PreloadRootFlag = true;
  source.SetCodeSize(9);
  auto copy = CreateActionByCode(source.ActionCode);
  copy->Assign(source);
  EXPECT_EQ(Record(*copy), Record(source));

  TSWFActionPush push;
  push.AddValue(std::string("s"));
  push.AddValue(1.5);
  auto pushCopy = CreateActionByCode(push.ActionCode);
  pushCopy->Assign(push);
  EXPECT_EQ(Record(*pushCopy), Record(push));
}

TEST(PushValues, EachTypeHasItsEncoding) {
  auto pushed = [](const TPushValue& value) {
    TSWFActionPush push;
    push.AddValue(value);
    return Record(push);
  };
  EXPECT_EQ(pushed(int64_t{5}), Bytes({0x96, 0x05, 0x00, 0x07, 0x05, 0x00, 0x00, 0x00}));
  EXPECT_EQ(pushed(int64_t{-2}), Bytes({0x96, 0x05, 0x00, 0x07, 0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(pushed(std::string("a")), Bytes({0x96, 0x03, 0x00, 0x00, 'a', 0x00}));
  EXPECT_EQ(pushed(1.0f), Bytes({0x96, 0x05, 0x00, 0x01, 0x00, 0x00, 0x80, 0x3F}));
  // A double goes high half first: 1.5 is 0x3FF8000000000000.
  EXPECT_EQ(pushed(1.5), Bytes({0x96, 0x09, 0x00, 0x06, 0x00, 0x00, 0xF8, 0x3F, 0, 0, 0, 0}));
  EXPECT_EQ(pushed(std::nextafter(1.0, 2.0)),
            Bytes({0x96, 0x09, 0x00, 0x06, 0x00, 0x00, 0xF0, 0x3F, 0x01, 0, 0, 0}));
  EXPECT_EQ(pushed(true), Bytes({0x96, 0x02, 0x00, 0x05, 0x01}));
  EXPECT_EQ(pushed(nullptr), Bytes({0x96, 0x01, 0x00, 0x02}));
  EXPECT_EQ(pushed(std::monostate{}), Bytes({0x96, 0x01, 0x00, 0x03}));
  EXPECT_EQ(pushed(std::string("FlashVar_null")), Bytes({0x96, 0x01, 0x00, 0x02}));
  EXPECT_EQ(pushed(std::string("FlashVar_undefined")), Bytes({0x96, 0x01, 0x00, 0x03}));

  TSWFActionPush typed;
  typed.AddValue(int64_t{3}).ValueType = kPushRegister;
  typed.AddValue(int64_t{7}).ValueType = kPushConstant8;
  typed.AddValue(int64_t{0x1234}).ValueType = kPushConstant16;
  typed.AddValue(std::string("skipped")).IsValid = false;
  Bytes typedRecord = {0x96, 0x07, 0x00, 0x04, 0x03, 0x08, 0x07, 0x09, 0x34, 0x12};
  EXPECT_EQ(Record(typed), typedRecord);

  TSWFActionPush empty;
  EXPECT_EQ(Record(empty), Bytes({0x96, 0x00, 0x00}));
}

TEST(PushValues, NullAndUndefinedKeepTheirNames) {
  TPushValueInfo info;
  info.SetValue(std::string("FlashVar_undefined"));
  EXPECT_EQ(info.ValueType, kPushUndefined);
  EXPECT_EQ(std::get<std::string>(info.Value), "undefined");
  info.SetValue(nullptr);
  EXPECT_EQ(info.ValueType, kPushNull);
  EXPECT_EQ(std::get<std::string>(info.Value), "null");
  info.SetValue(uint16_t{65535});
  EXPECT_EQ(info.ValueType, kPushInteger);
  EXPECT_EQ(std::get<int64_t>(info.Value), 65535);
}

TEST(PushValues, ReadBackKeepsTypesAndVersion) {
  Bytes record = {0x96, 0x22, 0x00,                          // 34 bytes of values
                  0x00, 'h',  'i',  0x00,                    // string
                  0x01, 0x00, 0x00, 0x80, 0x3F,              // float 1
                  0x02, 0x03,                                // null, undefined
                  0x04, 0x01, 0x05, 0x01,                    // register 1, true
                  0x06, 0x00, 0x00, 0xF8, 0x3F, 0, 0, 0, 0,  // double 1.5
                  0x07, 0x2A, 0x00, 0x00, 0x00,              // integer 42
                  0x08, 0x02, 0x09, 0x01, 0x01};             // constants 2 and 257
  auto back = ReadBack(record);
  auto& push = dynamic_cast<TSWFActionPush&>(*back);
  ASSERT_EQ(push.Count(), 10u);
  const uint8_t types[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  for (size_t i = 0; i < 10; ++i) EXPECT_EQ(push.ValueInfo(i).ValueType, types[i]);
  EXPECT_EQ(std::get<std::string>(push.ValueInfo(0).Value), "hi");
  EXPECT_EQ(std::get<double>(push.ValueInfo(6).Value), 1.5);
  EXPECT_EQ(std::get<int64_t>(push.ValueInfo(9).Value), 257);
  EXPECT_EQ(Record(push), record);
  EXPECT_EQ(push.MinVersion(), 5);

  // The names that stand for null and undefined in code are plain strings in a file.
  Bytes names = test::Concat({{0x96, 0x23, 0x00, kPushString},
                              test::StringBytes("FlashVar_null"),
                              {kPushString},
                              test::StringBytes("FlashVar_undefined")});
  auto strings = ReadBack(names);
  auto& stringPush = dynamic_cast<TSWFActionPush&>(*strings);
  EXPECT_EQ(stringPush.ValueInfo(0).ValueType, kPushString);
  EXPECT_EQ(std::get<std::string>(stringPush.ValueInfo(1).Value), "FlashVar_undefined");
  EXPECT_EQ(Record(stringPush), names);

  TSWFActionPush simple;
  simple.AddValue(std::string("a"));
  simple.AddValue(2.0f);
  EXPECT_EQ(simple.MinVersion(), 4);
}

}  // namespace
}  // namespace orvanta
