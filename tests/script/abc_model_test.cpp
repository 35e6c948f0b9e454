#include <gtest/gtest.h>

#include <typeinfo>

#include "platform/errors.h"
#include "script/abc_block.h"
#include "script/tags_abc.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::Bytes;

// Writes ABC fields one by one, independently of the model classes.
class AbcBytes {
 public:
  AbcBytes() : engine_(stream_) {}
  AbcBytes& U30(uint32_t V) {
    engine_.WriteEncodedU32(V);
    return *this;
  }
  AbcBytes& U8(uint8_t V) {
    engine_.WriteByte(V);
    return *this;
  }
  AbcBytes& Raw(const Bytes& B) {
    engine_.WriteBuffer(B.data(), B.size());
    return *this;
  }
  AbcBytes& Str(const std::string& S) {
    return U30(static_cast<uint32_t>(S.size())).Raw({S.begin(), S.end()});
  }
  AbcBytes& D64(double V) {
    engine_.WriteDouble(V);
    return *this;
  }
  Bytes Take() { return stream_.Bytes(); }

 private:
  TMemoryStream stream_;
  TBitsEngine engine_;
};

// A block touching every record kind and every optional field.
Bytes FullBlock() {
  AbcBytes b;
  // Constant pool.
  b.U30(3).Raw({0xFF, 0xFF, 0xFF, 0xFF, 0x0F}).U30(300);  // ints: -1, 300
  b.U30(0);                                               // no uints
  b.U30(2).D64(1.5);
  b.U30(4).Str("").Str("Main").Str("x");
  b.U30(2).U8(0x16).U30(1);         // package namespace ""
  b.U30(2).U30(1).U30(1);           // one namespace set {1}
  b.U30(8);                         // seven multinames
  b.U8(0x07).U30(1).U30(2);         // QName
  b.U8(0x0F).U30(3);                // RTQName
  b.U8(0x11);                       // RTQNameL: no data
  b.U8(0x0E).U30(2).U30(1);         // MultinameA
  b.U8(0x1B).U30(1);                // MultinameL
  b.U8(0x1D).U30(1).U30(1).U30(1);  // TypeName: QName 1 with one parameter
  b.U8(0x42).U30(5);                // unknown kind: one u30
  // Methods.
  b.U30(2);
  b.U30(2).U30(0).U30(1).U30(0).U30(2).U8(0x88);  // two params, optional and named
  b.U30(1).U30(1).U8(0x03);                       // one option
  b.U30(3).U30(2);                                // param names
  b.U30(0).U30(0).U30(0).U8(0x00);                // no params, ends after flags
  // Metadata: all keys, then all values.
  b.U30(1).U30(2).U30(2).U30(3).U30(0).U30(2).U30(3);
  // One class: instance, then class.
  b.U30(1);
  b.U30(1).U30(0).U8(0x09).U30(1);  // sealed with protected namespace
  b.U30(1).U30(1);                  // one interface
  b.U30(0);                         // iinit
  b.U30(7);
  b.U30(1).U8(0x00).U30(1).U30(1).U30(1).U8(0x03);  // slot with default value
  b.U30(2).U8(0x06).U30(2).U30(0).U30(0);           // const without default
  b.U30(1).U8(0x01).U30(3).U30(1);                  // method
  b.U30(1).U8(0x32).U30(4).U30(1);                  // getter, final + override
  b.U30(1).U8(0x03).U30(5).U30(1);                  // setter
  b.U30(1).U8(0x04).U30(6).U30(0);                  // class
  b.U30(1).U8(0x45).U30(7).U30(0).U30(1).U30(0);    // function with metadata
  b.U30(1).U30(0);                                  // cinit, no traits
  // Scripts.
  b.U30(1).U30(1).U30(1).U30(1).U8(0x04).U30(1).U30(0);
  // Method bodies.
  b.U30(1).U30(0).U30(2).U30(3).U30(1).U30(2);
  b.U30(3).Raw({0xD0, 0x30, 0x47});
  b.U30(1).U30(0).U30(2).U30(2).U30(1).U30(3);    // one exception
  b.U30(1).U30(1).U8(0x00).U30(1).U30(0).U30(0);  // activation slot
  return b.Take();
}

Bytes DoABCBody(const Bytes& Abc, uint8_t FlagByte = 1, const std::string& Name = "frame1") {
  return test::Concat(
      {{FlagByte, 0, 0, 0}, test::StringBytes(Name), {0x10, 0x00, 0x2E, 0x00}, Abc});
}

std::unique_ptr<TSWFDoABC> ReadDoABC(const Bytes& Body, bool Parse) {
  auto tag = std::make_unique<TSWFDoABC>();
  tag->ParseActions = Parse;
  tag->BodySize = static_cast<uint32_t>(Body.size());
  TMemoryStream stream(Body);
  TBitsEngine engine(stream);
  tag->ReadFromStream(engine);
  return tag;
}

TEST(DoABC, FullBlockDecodesEveryRecord) {
  auto tag = ReadDoABC(DoABCBody(FullBlock()), true);
  ASSERT_TRUE(tag->Decoded());
  EXPECT_TRUE(tag->Data.empty());

  const TSWFAS3ConstantPool& pool = tag->ConstantPool();
  ASSERT_EQ(pool.Integers.Count(), 2u);
  EXPECT_EQ(static_cast<int32_t>(pool.Integers[0]), -1);
  EXPECT_EQ(pool.Doubles[0].Value, 1.5);
  EXPECT_EQ(pool.Strings[1], "Main");
  ASSERT_EQ(pool.MultiNames.Count(), 7u);
  auto* typeName = dynamic_cast<TSWFmnTypeName*>(&pool.MultiNames[5]);
  ASSERT_NE(typeName, nullptr);
  EXPECT_EQ(typeName->Params.Count(), 1u);
  auto* unknown = dynamic_cast<TSWFmnMultinameL*>(&pool.MultiNames[6]);
  ASSERT_NE(unknown, nullptr);
  EXPECT_EQ(unknown->Kind, 0x42);
  EXPECT_EQ(unknown->NSSet, 5u);
  EXPECT_EQ(typeid(pool.MultiNames[2]), typeid(TSWFBasedMultiNameObject));

  const TSWFAS3Method& method = tag->Methods()[0];
  EXPECT_EQ(method.ParamTypes.Count(), 2u);
  EXPECT_EQ(method.Options[0].Kind, 0x03);
  EXPECT_EQ(method.ParamNames[0], 3u);
  EXPECT_EQ(tag->Methods()[1].Options.Count(), 0u);

  const TSWFAS3MetadataInfo& meta = tag->Metadata()[0];
  ASSERT_EQ(meta.Items.Count(), 2u);
  EXPECT_EQ(meta.Items[0].Key, 3u);
  EXPECT_EQ(meta.Items[0].Value, 2u);
  EXPECT_EQ(meta.Items[1].Key, 0u);

  const TSWFAS3InstanceItem& instance = tag->Instance()[0];
  EXPECT_EQ(instance.ProtectedNs, 1u);
  ASSERT_EQ(instance.Traits.Count(), 7u);
  EXPECT_EQ(instance.Traits[0].VKind, 0x03);
  EXPECT_EQ(instance.Traits[3].Kind, TSWFAS3Trait::kGetter);
  EXPECT_EQ(instance.Traits[3].Attributes, TSWFAS3Trait::kFinal | TSWFAS3Trait::kOverride);
  EXPECT_EQ(instance.Traits[6].Metadata.Count(), 1u);
  EXPECT_EQ(tag->Classes()[0].CInit, 1u);
  EXPECT_EQ(tag->Scripts()[0].Traits[0].Kind, TSWFAS3Trait::kClass);

  const TSWFAS3MethodBodyInfo& body = tag->MethodBodies()[0];
  EXPECT_EQ(body.Code, (Bytes{0xD0, 0x30, 0x47}));
  EXPECT_EQ(body.Exceptions[0].ExcType, 1u);
  EXPECT_EQ(body.Exceptions[0].VarName, 3u);
  EXPECT_EQ(body.Traits.Count(), 1u);
}

TEST(DoABC, RoundTripsByteForByte) {
  const Bytes body = DoABCBody(FullBlock());
  for (bool parse : {false, true}) {
    auto tag = ReadDoABC(body, parse);
    EXPECT_EQ(test::BodyBytes(*tag), body) << "parse " << parse;
    // A copy writes the same bytes and owns its own model.
    TSWFDoABC copy;
    copy.Assign(*tag);
    EXPECT_EQ(test::BodyBytes(copy), body) << "parse " << parse;
    if (parse) {
      copy.ConstantPool().MultiNames.Clear();
      EXPECT_EQ(tag->ConstantPool().MultiNames.Count(), 7u);
    }
  }
  // Through the tag table and the framing, with the raw form the reader uses by default.
  auto read = test::ReadTag(TTagCode::DoABC, body);
  ASSERT_NE(dynamic_cast<TSWFDoABC*>(read.get()), nullptr);
  EXPECT_EQ(read->MinVersion(), 9);
  EXPECT_EQ(test::TagBytes(*read), test::Concat({{0xBF, 0x14},
                                                 {static_cast<uint8_t>(body.size()),
                                                  static_cast<uint8_t>(body.size() >> 8), 0, 0},
                                                 body}));
}

TEST(DoABC, HeaderKeepsOnlyTheLazyFlag) {
  const Bytes abc = FullBlock();
  auto tag = ReadDoABC(DoABCBody(abc, 0xFF, ""), false);
  EXPECT_EQ(tag->Flags, TSWFDoABC::kDoAbcLazyInitializeFlag);
  EXPECT_EQ(tag->Name, "");
  EXPECT_EQ(test::BodyBytes(*tag), DoABCBody(abc, 0x01, ""));
}

TEST(DoABC, RawBlockDecodesOnFirstAccess) {
  auto tag = ReadDoABC(DoABCBody(FullBlock()), false);
  EXPECT_FALSE(tag->Decoded());
  EXPECT_EQ(tag->Methods().Count(), 2u);
  EXPECT_TRUE(tag->Decoded());
  EXPECT_EQ(test::BodyBytes(*tag), DoABCBody(FullBlock()));
}

TEST(DoABC, NewTagWritesAnEmptyBlock) {
  TSWFDoABC tag;
  tag.Name = "a";
  tag.ConstantPool().Strings.Add("s");
  const Bytes expected = {0, 0, 0, 0, 'a', 0,   0x10, 0x00, 0x2E, 0x00,
                          0, 0, 0, 2, 1,   's', 0,    0,    0,  // pool: only one string
                          0, 0, 0, 0, 0};                       // methods ... bodies
  EXPECT_EQ(test::BodyBytes(tag), expected);
}

// Forms real compilers write that the plain encoding would change: an empty table stored with
// the count 1, and five-byte integers with the sign carried into the last byte.
TEST(DoABC, KeepsCompilerSpecificEncodings) {
  AbcBytes b;
  b.U30(2).Raw({0xFF, 0xFF, 0xFF, 0xFF, 0x7F});         // int -1, sign-extended
  b.U30(3).U30(7).Raw({0x80, 0x80, 0x80, 0x80, 0x78});  // uints 7 and 0x80000000
  for (int table = 0; table < 5; ++table) b.U30(1);
  for (int list = 0; list < 5; ++list) b.U30(0);
  const Bytes body = DoABCBody(b.Take());
  auto tag = ReadDoABC(body, true);
  EXPECT_EQ(tag->ConstantPool().Integers[0], 0xFFFFFFFFu);
  EXPECT_EQ(tag->ConstantPool().UIntegers[1], 0x80000000u);
  EXPECT_EQ(test::BodyBytes(*tag), body);
}

TEST(DoABC, EveryTruncationFailsCleanly) {
  const Bytes abc = FullBlock();
  for (size_t n = 0; n < abc.size(); ++n) {
    Bytes cut(abc.begin(), abc.begin() + static_cast<long>(n));
    EXPECT_THROW(ReadDoABC(DoABCBody(cut), true), Error) << "cut at " << n;
    // A raw block that is not well formed stays raw when its model is asked for.
    if (n == 0) continue;
    auto raw = ReadDoABC(DoABCBody(cut), false);
    EXPECT_THROW(raw->Methods(), Error);
    EXPECT_FALSE(raw->Decoded());
    EXPECT_EQ(raw->Data, cut);
  }
  EXPECT_THROW(ReadDoABC({1, 0, 0, 0, 'a'}, false), StreamError);
}

TEST(DoABC, LyingCountsAndTrailingBytesAreRefused) {
  // A string table claiming four billion entries, and one string claiming a huge length.
  AbcBytes huge;
  huge.U30(0).U30(0).U30(0).Raw({0xFF, 0xFF, 0xFF, 0xFF, 0x0F}).U30(0);
  EXPECT_THROW(ReadDoABC(DoABCBody(huge.Take()), true), FormatError);
  AbcBytes longString;
  longString.U30(0).U30(0).U30(0).U30(2).U30(0x3FFFFFFF).Raw({'a', 'b'});
  EXPECT_THROW(ReadDoABC(DoABCBody(longString.Take()), true), StreamError);
  // Eight doubles cannot fit in the 16 bytes that follow.
  AbcBytes doubles;
  doubles.U30(0).U30(0).U30(9).D64(1).D64(2);
  EXPECT_THROW(ReadDoABC(DoABCBody(doubles.Take()), true), FormatError);

  Bytes trailing = FullBlock();
  trailing.push_back(0);
  EXPECT_THROW(ReadDoABC(DoABCBody(trailing), true), FormatError);
}

TEST(DoABC, InconsistentModelIsNotWritten) {
  TSWFDoABC classes;
  classes.Instance().Add();
  EXPECT_THROW(test::BodyBytes(classes), FormatError);
  classes.Classes().Add();
  EXPECT_NO_THROW(test::BodyBytes(classes));

  TSWFDoABC names;
  TSWFAS3Method& method = names.Methods().Add();
  method.ParamTypes.Add(0);
  method.Flags = TSWFAS3Method::kHasParamNames;
  EXPECT_THROW(test::BodyBytes(names), FormatError);
  method.ParamNames.Add(1);
  EXPECT_NO_THROW(test::BodyBytes(names));
}

}  // namespace
}  // namespace orvanta
