// Frame scripts written with the script builder and the action classes, played by Ruffle: each
// movie prints what its actions compute with trace, so a wrong byte in an action, a push value
// or a branch offset shows up as a wrong or missing line.
#include <memory>
#include <string>

#include "conformance_movies.h"
#include "conformance_support.h"
#include "movie/flash_sprite.h"
#include "platform/stream.h"
#include "script/action_branch.h"
#include "script/action_push.h"
#include "script/actions_basic.h"
#include "script/actions_data.h"
#include "script/flash_action_script.h"
#include "script/tags_action.h"
#include "swf/bits_engine.h"
#include "swf/tags_display.h"

namespace orvanta::conformance {

namespace {

using nlohmann::json;

// Shorthands for writing stack-machine code.
class TScript {
 public:
  explicit TScript(TFlashActionScript& script) : s(script) {}
  TFlashActionScript& s;

  template <class A>
  A& Add() {
    return static_cast<A&>(s.Actions().Add(std::make_unique<A>()));
  }
  TScript& Push(const TPushValue& value) {
    s.Push(value);
    return *this;
  }
  // Exact overloads, so that no argument is converted to another push type on the way.
  TScript& Push(int value) { return Push(TPushValue(int64_t{value})); }
  TScript& Push(double value) { return Push(TPushValue(value)); }
  TScript& Push(bool value) { return Push(TPushValue(value)); }
  TScript& Push(const char* value) { return Push(TPushValue(std::string(value))); }
  // A push value of a type the builder does not choose by itself: register or constant.
  TScript& PushTyped(uint8_t type, int64_t value) {
    TPushValueInfo& info = s.PushValues({}).AddValue(value);
    info.ValueType = type;
    return *this;
  }
  TScript& Register(int number) { return PushTyped(kPushRegister, number); }
  TScript& Trace() {
    Add<TSWFActionTrace>();
    return *this;
  }
  TScript& Print(const TPushValue& value) { return Push(value).Trace(); }
  TScript& Print(const char* text) { return Push(text).Trace(); }
  TScript& Get(const char* name) {
    Push(name);
    s.GetVariable();
    return *this;
  }
  // name = the value on the stack: the name goes under it first.
  TScript& Member(const char* object, const char* member) {
    Get(object).Push(member);
    s.GetMember();
    return *this;
  }
};

// Hex digits written in groups for reading; the harness compares them without the spaces.
std::string Hex(const char* grouped) {
  std::string hex;
  for (const char* p = grouped; *p; ++p)
    if (*p != ' ') hex += *p;
  return hex;
}

// Numbers, conversions and comparisons, one trace per operation.
Case Arithmetic() {
  Case c{"script_arithmetic.swf", NewMovie(8), {}};
  TScript a(c.Movie->FrameActions());
  TFlashActionScript& s = a.s;
  a.Push(2).Push(3);
  s.Add2();
  a.Trace();
  a.Push(10).Push(4);
  s.Subtract();
  a.Trace();
  a.Push(6).Push(7);
  s.Multiply();
  a.Trace();
  a.Push(1).Push(4).Add<TSWFActionDivide>();
  a.Trace();
  a.Push(1).Push(3).Add<TSWFActionDivide>();
  a.Trace();
  a.Push(17).Push(5).Add<TSWFActionModulo>();
  a.Trace();
  a.Push(2.5).Push(2);
  s.Multiply();
  a.Trace();
  a.Push(-0.125).Push(-8);
  s.Multiply();
  a.Trace();
  a.Print(TPushValue(1.5f));
  a.Print(TPushValue(int64_t{-2147483647 - 1}));
  a.Push(12).Push(10).Add<TSWFActionBitAnd>();
  a.Trace();
  a.Push(12).Push(3).Add<TSWFActionBitOr>();
  a.Trace();
  a.Push(5).Push(1).Add<TSWFActionBitXor>();
  a.Trace();
  a.Push(1).Push(4).Add<TSWFActionBitLShift>();
  a.Trace();
  a.Push(-16).Push(2).Add<TSWFActionBitRShift>();
  a.Trace();
  a.Push(-1).Push(28).Add<TSWFActionBitURShift>();
  a.Trace();
  a.Push(41).Add<TSWFActionIncrement>();
  a.Trace();
  a.Push(0).Add<TSWFActionDecrement>();
  a.Trace();
  a.Push(3.7).Add<TSWFActionToInteger>();
  a.Trace();
  a.Push("2").Push("3").Add<TSWFActionAdd>();  // the SWF 4 add works on numbers
  a.Trace();
  a.Push(1).Push(2);
  s.Less2();
  a.Trace();
  a.Push(1).Push(2);
  s.Greater();
  a.Trace();
  a.Push(3).Push("3").Add<TSWFActionEquals2>();
  a.Trace();
  a.Push(3).Push("3").Add<TSWFActionStrictEquals>();
  a.Trace();
  a.Push(true);
  s.Not();
  a.Trace();
  a.Push(TPushValue(nullptr)).Trace();
  a.Push(TPushValue()).Trace();
  a.Push(1).Push(0).Add<TSWFActionDivide>();
  a.Trace();
  c.Movie->ShowFrame();
  c.Expect = {{"header", Header(8, 1)},
              {"tags", {"DoAction", "ShowFrame"}},
              {"traces", {"5",    "6",         "42",      "0.25",  "0.333333333333333",
                          "2",    "5",         "1",       "1.5",   "-2147483648",
                          "8",    "15",        "4",       "16",    "-4",
                          "15",   "42",        "-1",      "3",     "5",
                          "true", "false",     "true",    "false", "false",
                          "null", "undefined", "Infinity"}}};
  return c;
}

// Every push type and constant pools, with the bytes swf-parser must find in the tag.
Case Pushes() {
  Case c{"script_pushes.swf", NewMovie(8), {}};
  TScript a(c.Movie->FrameActions());
  auto& pool = a.Add<TSWFActionConstantPool>();
  pool.ConstantPool = {"alpha", "beta"};
  a.PushTyped(kPushConstant8, 0).Trace();
  a.PushTyped(kPushConstant16, 1).Trace();
  a.Print("s");
  a.Print(TPushValue(0.5f));
  a.Print(TPushValue(nullptr));
  a.Print(TPushValue());
  a.Push(7).Add<TSWFActionStoreRegister>().RegisterNumber = 1;
  a.s.Pop();
  a.Register(1).Trace();
  a.Print(false);
  a.Print(0.1);
  a.Print(-1);
  // alpha = "beta", through the pool
  a.PushTyped(kPushConstant8, 0).PushTyped(kPushConstant16, 1);
  a.s.SetVariable();
  a.PushTyped(kPushConstant8, 0);
  a.s.GetVariable();
  a.Trace();
  // A second pool replaces the first.
  a.Add<TSWFActionConstantPool>().ConstantPool = {"gamma"};
  a.PushTyped(kPushConstant8, 0).Trace();
  c.Movie->ShowFrame();
  const char* actions =
      "880d00 0200 616c70686100 6265746100"  // ConstantPool "alpha", "beta"
      "96020008 00 26"                       // push constant8 0, trace
      "96030009 0100 26"                     // push constant16 1, trace
      "96030000 7300 26"                     // push "s"
      "96050001 0000003f 26"                 // push float 0.5
      "96010002 26"                          // push null
      "96010003 26"                          // push undefined
      "96050007 07000000 87010001 17"        // push 7, StoreRegister 1, Pop
      "96020004 01 26"                       // push register 1
      "96020005 00 26"                       // push false
      "96090006 9999b93f 9a999999 26"        // push double 0.1: high half first
      "96050007 ffffffff 26"                 // push -1
      "96050008 00 09 0100 1d"               // push constant8 0, constant16 1, SetVariable
      "96020008 00 1c 26"                    // push constant8 0, GetVariable, trace
      "880800 0100 67616d6d6100"             // ConstantPool "gamma"
      "96020008 00 26"                       // push constant8 0, trace
      "00";
  c.Expect = {{"header", Header(8, 1)},
              {"tags", {"DoAction", "ShowFrame"}},
              {"fields", {{"0", {{"actions", Hex(actions)}}}}},
              {"traces",
               {"alpha", "beta", "s", "0.5", "null", "undefined", "7", "false", "0.1", "-1", "beta",
                "gamma"}}};
  return c;
}
// String actions of SWF 4 and their multibyte forms, conversions and methods of String.
Case Strings() {
  Case c{"script_strings.swf", NewMovie(8), {}};
  TScript a(c.Movie->FrameActions());
  TFlashActionScript& s = a.s;
  a.Push("foo").Push("bar").Add<TSWFActionStringAdd>();
  a.Trace();
  a.Push("hello").Add<TSWFActionStringLength>();
  a.Trace();
  a.Push("abcdef").Push(2).Push(3).Add<TSWFActionStringExtract>();  // 1-based index, count
  a.Trace();
  a.Push("A").Add<TSWFActionCharToAscii>();
  a.Trace();
  a.Push(66).Add<TSWFActionAsciiToChar>();
  a.Trace();
  a.Push("abc").Push("abd").Add<TSWFActionStringLess>();
  a.Trace();
  a.Push("abc").Push("abd").Add<TSWFActionStringGreater>();
  a.Trace();
  a.Push("x").Push("x").Add<TSWFActionStringEquals>();
  a.Trace();
  a.Push("a").Push(1);
  s.Add2();
  a.Trace();
  a.Push(42).Add<TSWFActionToString>();
  a.Push("!");
  s.Add2();
  a.Trace();
  a.Push("12").Add<TSWFActionToNumber>();
  a.Push(1);
  s.Add2();
  a.Trace();
  // Version 6 and later files hold UTF-8: "été" is three characters in five bytes.
  a.Push("\xC3\xA9t\xC3\xA9").Add<TSWFActionMBStringLength>();
  a.Trace();
  a.Push("\xC3\xA9t\xC3\xA9").Push(2).Push(1).Add<TSWFActionMBStringExtract>();
  a.Trace();
  a.Push("\xC3\xA9").Add<TSWFActionMBCharToAscii>();
  a.Trace();
  a.Push(0x263A).Add<TSWFActionMBAsciiToChar>();
  a.Trace();
  // Methods: arguments last to first, their count, the object, the method name.
  a.Push(0).Push("abc").Push("toUpperCase");
  s.CallMethod();
  a.Trace();
  a.Push("l").Push(1).Push("hello").Push("indexOf");
  s.CallMethod();
  a.Trace();
  a.Push(",").Push(1).Push("a,b,c").Push("split");
  s.CallMethod();
  a.Push("length");
  s.GetMember();
  a.Trace();
  a.Push("s").Add<TSWFActionTypeOf>();
  a.Trace();
  a.Push(1).Add<TSWFActionTypeOf>();
  a.Trace();
  c.Movie->ShowFrame();
  c.Expect = {{"header", Header(8, 1)},
              {"tags", {"DoAction", "ShowFrame"}},
              {"traces", {"foobar",       "5",   "bcd", "65", "B",      "true",  "false",
                          "true",         "a1",  "42!", "13", "3",      "t",     "233",
                          "\xE2\x98\xBA", "ABC", "2",   "3",  "string", "number"}}};
  return c;
}

// Variables, objects, arrays, registers and the stack.
Case Variables() {
  Case c{"script_variables.swf", NewMovie(8), {}};
  TScript a(c.Movie->FrameActions());
  TFlashActionScript& s = a.s;
  a.Push("x").Push(5);
  s.SetVariable();
  a.Get("x").Trace();
  // o = {a: 1, b: "two"}: name and value pairs, then their count.
  a.Push("o").Push("a").Push(1).Push("b").Push("two").Push(2).Add<TSWFActionInitObject>();
  s.SetVariable();
  a.Member("o", "b").Trace();
  a.Get("o").Push("c").Push(3);
  s.SetMember();
  a.Member("o", "c").Member("o", "a");
  s.Add2();
  a.Trace();
  // arr = [10, 20, 30]: elements last to first, then their count.
  a.Push("arr").Push(30).Push(20).Push(10).Push(3).Add<TSWFActionInitArray>();
  s.SetVariable();
  a.Get("arr").Trace();
  a.Member("arr", "length").Trace();
  a.Get("arr").Push(1);
  s.GetMember();
  a.Trace();
  a.Push(5).Push(4).Push(2).Push("Array").Add<TSWFActionNewObject>();
  a.Trace();
  a.Push(7).Add<TSWFActionStoreRegister>().RegisterNumber = 0;
  s.Pop();
  a.Register(0).Register(0);
  s.Multiply();
  a.Trace();
  a.Push(3).Add<TSWFActionPushDuplicate>();
  s.Multiply();
  a.Trace();
  a.Push("first").Push("second").Add<TSWFActionStackSwap>();
  a.Trace().Trace();
  a.Get("o").Push("a").Add<TSWFActionDelete>();
  a.Trace();
  a.Member("o", "a").Trace();
  a.Push("loc").Push(9).Add<TSWFActionDefineLocal>();
  a.Get("loc").Trace();
  a.Push("loc").Add<TSWFActionDelete2>();
  s.Pop();
  a.Get("loc").Add<TSWFActionTypeOf>();
  a.Trace();
  a.Get("o").Push("inner").Push(0).Add<TSWFActionInitObject>();
  s.SetMember();
  a.Member("o", "inner").Push("deep").Push("deep");
  s.SetMember();
  a.Member("o", "inner").Push("deep");
  s.GetMember();
  a.Trace();
  a.Get("arr").Get("Array").Add<TSWFActionInstanceOf>();
  a.Trace();
  a.Get("_root").Add<TSWFActionTargetPath>();
  a.Trace();
  // for (k in e) trace(k), as compilers write it: the names end with an undefined.
  a.Push("e").Push("only").Push(1).Push(1).Add<TSWFActionInitObject>();
  s.SetVariable();
  a.Get("e").Add<TSWFActionEnumerate2>();
  TSWFOffsetMarker& next = s.SetMarker();
  a.Add<TSWFActionStoreRegister>().RegisterNumber = 0;
  a.Push(TPushValue(nullptr)).Add<TSWFActionEquals2>();
  TSWFActionIf& done = s.If();
  a.Register(0).Trace();
  a.Add<TSWFActionJump>().LinkMarker(0, &next);
  s.SetMarker(&done.Marker(), false);
  c.Movie->ShowFrame();
  c.Expect = {{"header", Header(8, 1)},
              {"tags", {"DoAction", "ShowFrame"}},
              {"traces",
               {"5", "two", "4", "10,20,30", "3", "20", "4,5", "49", "9", "first", "second", "true",
                "undefined", "9", "undefined", "deep", "true", "_level0", "only"}}};
  return c;
}

// Forward and backward branches: If and Jump targets placed with markers. The bytes are spelled
// out, so that every branch offset is checked by swf-parser as well as by the player.
Case Branches() {
  Case c{"script_branches.swf", NewMovie(8), {}};
  TScript a(c.Movie->FrameActions());
  TFlashActionScript& s = a.s;
  // if (5 < 3) trace("wrong"): the If skips the block when the comparison fails.
  a.Push(5).Push(3);
  s.Less2();
  s.Not();
  TSWFActionIf& skip = s.If();
  a.Print("wrong");
  s.SetMarker(&skip.Marker(), false);
  // for (i = 0; i < 3; i++) trace("i=" + i)
  a.Push("i").Push(0);
  s.SetVariable();
  TSWFOffsetMarker& top = s.SetMarker();
  a.Get("i").Push(3);
  s.Less2();
  s.Not();
  TSWFActionIf& exit = s.If();
  a.Push("i=").Get("i");
  s.Add2();
  a.Trace();
  a.Push("i").Get("i").Add<TSWFActionIncrement>();
  s.SetVariable();
  a.Add<TSWFActionJump>().LinkMarker(0, &top);
  s.SetMarker(&exit.Marker(), false);
  // n = 3; do { trace(n); n-- } while (n > 0): an If that jumps back.
  a.Push("n").Push(3);
  s.SetVariable();
  TSWFOffsetMarker& again = s.SetMarker();
  a.Get("n").Trace();
  a.Push("n").Get("n").Add<TSWFActionDecrement>();
  s.SetVariable();
  a.Get("n").Push(0);
  s.Greater();
  s.If().LinkMarker(0, &again);
  a.Print("done");
  // if (2 < 3) trace("then") else trace("else"): the else block jumps over the then block.
  a.Push(2).Push(3);
  s.Less2();
  TSWFActionIf& then = s.If();
  a.Print("else");
  TSWFOffsetMarker& end = a.Add<TSWFActionJump>().Marker();
  s.SetMarker(&then.Marker(), false);
  a.Print("then");
  s.SetMarker(&end, false);
  c.Movie->ShowFrame();

  const char* actions =
      "960a00 07 05000000 07 03000000 48 12"  // push 5, 3, Less2, Not
      "9d0200 0b00"                           // If +11
      "960700 00 77726f6e6700 26"             // push "wrong", trace
      "960800 00 6900 07 00000000 1d"         // i = 0
      "960300 00 6900 1c 960500 07 03000000"  // top: i, 3
      "48 12 9d0200 1e00"                     // Less2, Not, If +30
      "960700 00 693d00 00 6900 1c 47 26"     // "i=", i, Add2, trace
      "960600 00 6900 00 6900 1c 50 1d"       // i = i + 1
      "990200 ccff"                           // Jump -52
      "960800 00 6e00 07 03000000 1d"         // n = 3
      "960300 00 6e00 1c 26"                  // again: trace(n)
      "960600 00 6e00 00 6e00 1c 51 1d"       // n = n - 1
      "960300 00 6e00 1c 960500 07 00000000"  // n, 0
      "67 9d0200 d7ff"                        // Greater, If -41
      "960600 00 646f6e6500 26"               // "done"
      "960a00 07 02000000 07 03000000 48"     // push 2, 3, Less2
      "9d0200 0f00"                           // If +15
      "960600 00 656c736500 26"               // "else"
      "990200 0a00"                           // Jump +10
      "960600 00 7468656e00 26"               // "then"
      "00";
  c.Expect = {{"header", Header(8, 1)},
              {"tags", {"DoAction", "ShowFrame"}},
              {"fields", {{"0", {{"actions", Hex(actions)}}}}},
              {"traces", {"i=0", "i=1", "i=2", "3", "2", "1", "done", "then"}}};
  return c;
}

// DefineFunction and DefineFunction2: arguments, registers, preloaded values, recursion,
// anonymous functions and methods.
Case Functions() {
  Case c{"script_functions.swf", NewMovie(8), {}};
  TScript a(c.Movie->FrameActions());
  TFlashActionScript& s = a.s;
  // function sq(x) { return x * x }
  auto& sq = a.Add<TSWFActionDefineFunction>();
  sq.FunctionName = "sq";
  sq.Params = {"x"};
  a.Get("x").Get("x");
  s.Multiply();
  a.Add<TSWFActionReturn>();
  s.SetMarker(&sq.Marker(), false);
  a.Push(7).Push(1).Push("sq").Add<TSWFActionCallFunction>();
  a.Trace();
  // function calc(a, b, c) { return (a - b) * c } with its arguments in registers 1 to 3
  auto& calc = a.Add<TSWFActionDefineFunction2>();
  calc.FunctionName = "calc";
  calc.RegisterCount = 4;
  calc.SuppressThisFlag = calc.SuppressArgumentsFlag = calc.SuppressSuperFlag = true;
  calc.Parameters = {{1, "a"}, {2, "b"}, {3, "c"}};
  a.Register(1).Register(2);
  s.Subtract();
  a.Register(3);
  s.Multiply();
  a.Add<TSWFActionReturn>();
  s.SetMarker(&calc.Marker(), false);
  a.Push(2).Push(4).Push(10).Push(3).Push("calc").Add<TSWFActionCallFunction>();
  a.Trace();
  // function count() { return arguments.length }, arguments preloaded into register 1
  auto& count = a.Add<TSWFActionDefineFunction2>();
  count.FunctionName = "count";
  count.RegisterCount = 2;
  count.PreloadArgumentsFlag = true;
  a.Register(1).Push("length");
  s.GetMember();
  a.Add<TSWFActionReturn>();
  s.SetMarker(&count.Marker(), false);
  a.Push("c").Push("b").Push("a").Push(3).Push("count").Add<TSWFActionCallFunction>();
  a.Trace();
  // function fact(n) { if (n < 2) return 1; return n * fact(n - 1) }
  auto& fact = a.Add<TSWFActionDefineFunction2>();
  fact.FunctionName = "fact";
  fact.RegisterCount = 2;
  fact.SuppressThisFlag = fact.SuppressArgumentsFlag = true;
  fact.Parameters = {{1, "n"}};
  a.Register(1).Push(2);
  s.Less2();
  s.Not();
  TSWFActionIf& recurse = s.If();
  a.Push(1).Add<TSWFActionReturn>();
  s.SetMarker(&recurse.Marker(), false);
  a.Register(1).Register(1).Push(1);
  s.Subtract();
  a.Push(1).Push("fact").Add<TSWFActionCallFunction>();
  s.Multiply();
  a.Add<TSWFActionReturn>();
  s.SetMarker(&fact.Marker(), false);
  a.Push(5).Push(1).Push("fact").Add<TSWFActionCallFunction>();
  a.Trace();
  // f = function () { return "anon" }
  a.Push("f");
  auto& anon = a.Add<TSWFActionDefineFunction>();
  a.Push("anon").Add<TSWFActionReturn>();
  s.SetMarker(&anon.Marker(), false);
  s.SetVariable();
  a.Push(0).Push("f").Add<TSWFActionCallFunction>();
  a.Trace();
  // o = {v: "member"}; o.m = function () { return this.v }, this preloaded into register 1
  a.Push("o").Push("v").Push("member").Push(1).Add<TSWFActionInitObject>();
  s.SetVariable();
  a.Get("o").Push("m");
  auto& method = a.Add<TSWFActionDefineFunction2>();
  method.RegisterCount = 2;
  method.PreloadThisFlag = true;
  a.Register(1).Push("v");
  s.GetMember();
  a.Add<TSWFActionReturn>();
  s.SetMarker(&method.Marker(), false);
  s.SetMember();
  a.Push(0).Get("o").Push("m");
  s.CallMethod();
  a.Trace();
  // A local variable of a function stays in it.
  auto& local = a.Add<TSWFActionDefineFunction2>();
  local.FunctionName = "local";
  local.RegisterCount = 1;
  a.Push("t").Push(5).Add<TSWFActionDefineLocal>();
  a.Get("t").Push(1);
  s.Add2();
  a.Add<TSWFActionReturn>();
  s.SetMarker(&local.Marker(), false);
  a.Push(0).Push("local").Add<TSWFActionCallFunction>();
  a.Trace();
  a.Get("t").Add<TSWFActionTypeOf>();
  a.Trace();
  c.Movie->ShowFrame();
  c.Expect = {{"header", Header(8, 1)},
              {"tags", {"DoAction", "ShowFrame"}},
              {"traces", {"49", "12", "3", "120", "anon", "member", "6", "undefined"}}};
  return c;
}

// Try with catch and finally blocks, a catch into a register, finally alone, exceptions thrown
// inside a function and through a nested try.
Case TryBlocks() {
  Case c{"script_try.swf", NewMovie(7), {}};
  TScript a(c.Movie->FrameActions());
  TFlashActionScript& s = a.s;
  auto& full = a.Add<TSWFActionTry>();
  full.CatchBlockFlag = full.FinallyBlockFlag = true;
  full.CatchName = "e";
  a.Print("in try");
  a.Push("boom").Add<TSWFActionThrow>();
  a.Print("not reached");
  s.SetMarker(&full.TryMarker(), false);
  a.Push("caught ").Get("e");
  s.Add2();
  a.Trace();
  s.SetMarker(&full.CatchMarker(), false);
  a.Print("finally");
  s.SetMarker(&full.FinallyMarker(), false);
  a.Print("after");

  auto& reg = a.Add<TSWFActionTry>();
  reg.CatchBlockFlag = reg.CatchInRegisterFlag = true;
  reg.CatchRegister = 2;
  a.Push(42).Add<TSWFActionThrow>();
  s.SetMarker(&reg.TryMarker(), false);
  a.Register(2).Trace();
  s.SetMarker(&reg.CatchMarker(), false);

  auto& fin = a.Add<TSWFActionTry>();
  fin.FinallyBlockFlag = true;
  a.Print("t3");
  s.SetMarker(&fin.TryMarker(), false);
  a.Print("f3");
  s.SetMarker(&fin.FinallyMarker(), false);

  auto& thrower = a.Add<TSWFActionDefineFunction>();
  thrower.FunctionName = "thrower";
  a.Push("from function").Add<TSWFActionThrow>();
  s.SetMarker(&thrower.Marker(), false);
  auto& call = a.Add<TSWFActionTry>();
  call.CatchBlockFlag = true;
  call.CatchName = "err";
  a.Push(0).Push("thrower").Add<TSWFActionCallFunction>();
  s.Pop();
  s.SetMarker(&call.TryMarker(), false);
  a.Get("err").Trace();
  s.SetMarker(&call.CatchMarker(), false);

  auto& outer = a.Add<TSWFActionTry>();
  outer.CatchBlockFlag = true;
  outer.CatchName = "e";
  auto& inner = a.Add<TSWFActionTry>();
  inner.FinallyBlockFlag = true;
  a.Push("inner").Add<TSWFActionThrow>();
  s.SetMarker(&inner.TryMarker(), false);
  a.Print("inner finally");
  s.SetMarker(&inner.FinallyMarker(), false);
  s.SetMarker(&outer.TryMarker(), false);
  a.Push("outer caught ").Get("e");
  s.Add2();
  a.Trace();
  s.SetMarker(&outer.CatchMarker(), false);
  c.Movie->ShowFrame();
  c.Expect = {{"header", Header(7, 1)},
              {"tags", {"DoAction", "ShowFrame"}},
              {"traces",
               {"in try", "caught boom", "finally", "after", "42", "t3", "f3", "from function",
                "inner finally", "outer caught inner"}}};
  return c;
}

// With puts an object in front of the scope chain for its block.
Case WithBlock() {
  Case c{"script_with.swf", NewMovie(8), {}};
  TScript a(c.Movie->FrameActions());
  TFlashActionScript& s = a.s;
  a.Push("o").Push("a").Push("from o").Push(1).Add<TSWFActionInitObject>();
  s.SetVariable();
  a.Push("a").Push("global");
  s.SetVariable();
  a.Get("o");
  auto& with = a.Add<TSWFActionWith>();
  a.Get("a").Trace();
  a.Push("a").Push("changed");
  s.SetVariable();
  s.SetMarker(&with.Marker(), false);
  a.Get("a").Trace();
  a.Member("o", "a").Trace();
  c.Movie->ShowFrame();
  c.Expect = {{"header", Header(8, 1)},
              {"tags", {"DoAction", "ShowFrame"}},
              {"traces", {"from o", "global", "changed"}}};
  return c;
}

// Frame jumps across four frames: GotoFrame2 to a number (1-based) and to a label, GotoFrame
// (0-based) and Play, Stop.
Case Frames() {
  Case c{"script_frames.swf", NewMovie(8), {}};
  TFlashMovie& m = *c.Movie;
  {
    TScript a(m.FrameActions());
    a.Print("frame 1");
    a.s.GotoAndPlay(3);
  }
  m.ShowFrame();
  {
    TScript a(m.FrameActions());
    a.Print("frame 2");
    a.Push("last");
    a.s.GotoFrame2(false, 0);
  }
  m.ShowFrame();
  {
    TScript a(m.FrameActions());
    a.Print("frame 3");
    a.Add<TSWFActionGotoFrame>().Frame = 1;
    a.Add<TSWFActionPlay>();
  }
  m.ShowFrame();
  m.FrameLabel = "last";
  {
    TScript a(m.FrameActions());
    a.Print("frame 4");
    a.Push(1);
    a.s.GotoFrame2(true, 4);  // frame 1 of the scene that starts 4 frames on
  }
  m.ShowFrame();
  {
    TScript a(m.FrameActions());
    a.Print("frame 5");
    a.s.Stop();
  }
  m.ShowFrame();
  c.Expect = {{"header", Header(8, 5)},
              {"tags",
               {"DoAction", "ShowFrame", "DoAction", "ShowFrame", "DoAction", "ShowFrame",
                "FrameLabel", "DoAction", "ShowFrame", "DoAction", "ShowFrame"}},
              {"fields",
               {{"0",
                 {{"actions", Hex("960900 00 6672616d65203100 26"  // trace("frame 1")
                                  "960500 07 03000000 9f0100 01"   // gotoAndPlay(3)
                                  "00")}}},
                {"4",
                 {{"actions", Hex("960900 00 6672616d65203300 26"  // trace("frame 3")
                                  "810200 0100 06"                 // GotoFrame 1, Play
                                  "00")}}},
                {"7",
                 {{"actions", Hex("960900 00 6672616d65203400 26"  // trace("frame 4")
                                  "960500 07 01000000"             // push 1
                                  "9f0300 03 0400"                 // GotoFrame2: play, scene bias 4
                                  "00")}}}}},
              {"traces", {"frame 1", "frame 3", "frame 2", "frame 4", "frame 5"}}};
  return c;
}

// Scripts in the other places a movie holds them: a sprite's init actions and frame script,
// and a placed clip's load event, each written through a script builder on its list.
Case ClipScripts() {
  Case c{"script_clips.swf", NewMovie(8), {}};
  TFlashMovie& m = *c.Movie;
  TFlashSprite* sprite = m.AddSprite();
  TScript(sprite->InitActions()).Print("init");
  TScript inside(sprite->FrameActions());
  inside.Print("sprite frame");
  inside.s.Stop();
  sprite->ShowFrame();
  auto place = std::make_unique<TSWFPlaceObject2>();
  place->Depth = 1;
  place->SetCharacterId(sprite->CharacterId());
  place->SetName("clip");
  place->EventVersion = 8;
  auto& load = place->ClipActions().AddRecord(ClipEvents({kClipEventLoad}));
  TFlashActionScript onLoad(&m, &load.Actions);
  TScript(onLoad).Print("clip load");
  m.Add(std::move(place));
  TScript a(m.FrameActions());
  a.Member("clip", "_name").Trace();
  m.ShowFrame();
  c.Expect = {{"header", Header(8, 1)},
              {"tags", {"DefineSprite", "DoInitAction", "PlaceObject", "DoAction", "ShowFrame"}},
              {"fields",
               {{"1",
                 {{"spriteId", sprite->CharacterId()},
                  {"actions", Hex("960600 00696e697400"
                                  "26"
                                  "00")}}}}},
              {"traces", {"init", "clip load", "sprite frame", "clip"}}};
  return c;
}

}  // namespace

std::vector<Case> ScriptCases() {
  std::vector<Case> cases;
  cases.push_back(Arithmetic());
  cases.push_back(Pushes());
  cases.push_back(Strings());
  cases.push_back(Variables());
  cases.push_back(Branches());
  cases.push_back(Functions());
  cases.push_back(TryBlocks());
  cases.push_back(WithBlock());
  cases.push_back(Frames());
  cases.push_back(ClipScripts());
  return cases;
}

}  // namespace orvanta::conformance
