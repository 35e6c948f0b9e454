#include <gtest/gtest.h>

#include <filesystem>

#include "families.h"
#include "generated_family.h"
#include "platform/artwork_names.h"

namespace orvanta::artwork {
namespace {

// One family's data files written to a fresh folder, read back by relative path.
class TWrittenFamily {
 public:
  explicit TWrittenFamily(void (*generate)(TArtworkOutput&))
      : root_(std::filesystem::temp_directory_path() /
              ("orvanta_artwork_" +
               std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    TArtworkOutput output;
    generate(output);
    std::filesystem::create_directories(root_);
    output.Write(root_ / "pack", root_);
  }
  ~TWrittenFamily() { std::filesystem::remove_all(root_); }
  std::vector<uint8_t> Read(const std::string& path) const {
    TFileStream stream((root_ / path).string(), TFileStream::Mode::Read);
    std::vector<uint8_t> bytes(static_cast<size_t>(stream.Size()));
    stream.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
  }

 private:
  std::filesystem::path root_;
};

double OpaqueShare(const render::TPixmap& p) {
  size_t opaque = 0;
  for (size_t i = 3; i < p.Pixels.size(); i += 4) opaque += p.Pixels[i] == 255;
  return static_cast<double>(opaque) / (p.Pixels.size() / 4);
}

// A mask starts from almost nothing and covers the whole 465 x 350 box by frame 30, where the
// slideshow takes it away.
TEST(TransitionMasks, GrowFromNothingToFullCoverWithinThirtyFrames) {
  TWrittenFamily family(GenerateTransitionMasks);
  for (const std::string& name : TransitionMasks()) {
    SCOPED_TRACE(name);
    std::vector<uint8_t> bytes = family.Read("albumboader/" + name);
    TReadMovie movie(bytes);
    EXPECT_EQ(movie.Width(), 465);
    EXPECT_EQ(movie.Height(), 350);
    EXPECT_LT(OpaqueShare(movie.Render(1)), 0.05);
    EXPECT_EQ(OpaqueShare(movie.Render(30)), 1.0);
  }
}

// Loading screens are 150 x 60 cards whose picture changes from frame to frame.
TEST(LoadingScreens, AnimateInsideTheirBox) {
  TWrittenFamily family(GenerateLoadingScreens);
  for (int n = 1; n <= kLoadingScreens; ++n) {
    SCOPED_TRACE(n);
    std::vector<uint8_t> bytes =
        family.Read("albumboader/now_loading" + std::to_string(n) + ".swf");
    TReadMovie movie(bytes);
    EXPECT_EQ(movie.Width(), 150);
    EXPECT_EQ(movie.Height(), 60);
    EXPECT_NE(movie.Render(1).Pixels, movie.Render(4).Pixels);
  }
}

}  // namespace
}  // namespace orvanta::artwork
