#include <zlib.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/stream.h"
#include "script/abc_block.h"
#include "script/tags_abc.h"
#include "test_util.h"

namespace orvanta {
namespace {

using test::Bytes;
namespace fs = std::filesystem;

fs::path RepositoryRoot() {
  if (const char* dir = std::getenv("ORVANTA_SOURCE_DIR")) return dir;
  return fs::path(__FILE__).parent_path().parent_path().parent_path();
}

// The uncompressed file: FWS as it is, CWS inflated after the 8-byte header.
Bytes LoadMovie(const fs::path& Path) {
  Bytes file = ReadWholeFile(Path.string());
  if (file.size() < 8 || file[0] != 'C') return file;
  uLongf total = file[4] | (file[5] << 8) | (file[6] << 16) | (uLongf{file[7]} << 24);
  Bytes out(file.begin(), file.begin() + 8);
  out.resize(total);
  uLongf inflated = total - 8;
  if (uncompress(out.data() + 8, &inflated, file.data() + 8, file.size() - 8) != Z_OK) return {};
  return out;
}

// The bodies of every DoABC tag of the main timeline.
std::vector<Bytes> DoABCBodies(const Bytes& Movie) {
  std::vector<Bytes> bodies;
  if (Movie.size() < 9) return bodies;
  size_t pos = 8 + (5 + 4 * (Movie[8] >> 3) + 7) / 8 + 4;
  while (pos + 2 <= Movie.size()) {
    unsigned header = Movie[pos] | (Movie[pos + 1] << 8);
    pos += 2;
    size_t length = header & 63;
    if (length == 63) {
      if (pos + 4 > Movie.size()) break;
      length = Movie[pos] | (Movie[pos + 1] << 8) | (Movie[pos + 2] << 16) |
               (size_t{Movie[pos + 3]} << 24);
      pos += 4;
    }
    if (length > Movie.size() - pos || (header >> 6) == 0) break;
    if ((header >> 6) == TSWFDoABC::kTagCode)
      bodies.emplace_back(Movie.begin() + static_cast<long>(pos),
                          Movie.begin() + static_cast<long>(pos + length));
    pos += length;
  }
  return bodies;
}

// Flex blocks (metadata, Vector types), one large single-block movie, and blocks from the ESC
// compiler (empty tables counted as 1, sign-extended integers).
class DoABCCorpus : public testing::TestWithParam<const char*> {};

TEST_P(DoABCCorpus, DecodedBlocksWriteBackUnchanged) {
  fs::path path = RepositoryRoot() / "../shared/corpus" / GetParam();
  if (!fs::exists(path)) GTEST_SKIP() << path << " is not there";
  std::vector<Bytes> bodies = DoABCBodies(LoadMovie(path));
  ASSERT_FALSE(bodies.empty());
  for (size_t i = 0; i < bodies.size(); ++i) {
    auto tag = test::ReadTag(TSWFDoABC::kTagCode, bodies[i]);
    EXPECT_EQ(test::BodyBytes(*tag), bodies[i]) << "raw, block " << i;
    auto& doAbc = dynamic_cast<TSWFDoABC&>(*tag);
    doAbc.Decode();
    EXPECT_GT(doAbc.MethodBodies().Count(), 0u);
    EXPECT_EQ(test::BodyBytes(*tag), bodies[i]) << "decoded, block " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Files, DoABCCorpus,
                         testing::Values("jpexs/testdata/flex/TestFlex.swf",
                                         "jpexs/testdata/as3/as3.swf",
                                         "ruffle/tests/from_shumway/esc/test.swf"));

TEST(DoABCVersions, BlocksNewerThanTheModelStayBytes) {
  // Version 47.16 adds a float table after the doubles: the four empty tables and one float
  // here would be misread as strings and namespaces.
  Bytes body = {0x00, 0x00, 0x00, 0x00, 0x00,                    // flags, empty name
                0x10, 0x00, 0x2F, 0x00,                          // minor 16, major 47
                0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x28, 0x41,  // ints, uints, doubles, 10.5f
                0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  auto tag = test::ReadTag(TSWFDoABC::kTagCode, body);
  auto& doAbc = dynamic_cast<TSWFDoABC&>(*tag);
  EXPECT_THROW(doAbc.Decode(), FormatError);
  EXPECT_FALSE(doAbc.Decoded());
  EXPECT_EQ(test::BodyBytes(doAbc), body);

  TSWFDoABC parsed;
  parsed.ParseActions = true;
  parsed.BodySize = static_cast<uint32_t>(body.size());
  TMemoryStream stream(body);
  TBitsEngine engine(stream);
  EXPECT_THROW(parsed.ReadFromStream(engine), FormatError);
}

// Every DoABC tag of every FWS and CWS file of the corpus (LZMA files are not read here).
TEST(DoABCCorpusAll, EveryBlockDecodesAndWritesBackUnchanged) {
  const fs::path corpus = RepositoryRoot() / "../shared/corpus";
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(corpus))
    if (entry.is_regular_file() && entry.path().extension() == ".swf")
      files.push_back(entry.path());
  std::sort(files.begin(), files.end());

  int blocks = 0, exact = 0, newer = 0, lzma = 0;
  for (const fs::path& path : files) {
    const std::string name = fs::relative(path, corpus).string();
    Bytes movie = LoadMovie(path);
    if (movie.size() < 3 || movie[1] != 'W' || movie[2] != 'S') continue;
    if (movie[0] == 'Z') {
      ++lzma;
      continue;
    }
    std::vector<Bytes> bodies = DoABCBodies(movie);
    for (size_t i = 0; i < bodies.size(); ++i) {
      ++blocks;
      const std::string where = name + " block " + std::to_string(i);
      auto tag = test::ReadTag(TSWFDoABC::kTagCode, bodies[i]);
      auto& doAbc = dynamic_cast<TSWFDoABC&>(*tag);
      if (doAbc.MajorVersion > TSWFDoABC::kMaxMajorVersion) {
        // Blocks with a float table (AIR's 47.16) cannot be decoded into the model: they are
        // refused and pass through as bytes.
        EXPECT_THROW(doAbc.Decode(), FormatError) << where;
        EXPECT_FALSE(doAbc.Decoded()) << where;
        EXPECT_EQ(test::BodyBytes(doAbc), bodies[i]) << where;
        ++newer;
        continue;
      }
      try {
        doAbc.Decode();
      } catch (const Error& e) {
        ADD_FAILURE() << where << " does not decode: " << e.what();
        continue;
      }
      if (test::BodyBytes(doAbc) == bodies[i])
        ++exact;
      else
        ADD_FAILURE() << where << " is written differently";
    }
  }
  std::cout << "DoABC corpus: " << blocks << " blocks, " << exact << " decoded and written back "
            << "exactly, " << newer << " of a newer version kept as bytes, " << lzma
            << " LZMA files not read\n";
  EXPECT_EQ(exact + newer, blocks);
  EXPECT_GT(blocks, 0);
}

}  // namespace
}  // namespace orvanta
