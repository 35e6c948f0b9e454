#include <zlib.h>

#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>

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

}  // namespace
}  // namespace orvanta
