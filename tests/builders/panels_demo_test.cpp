#include <gtest/gtest.h>

#include "builders/panels/shape_demo.h"
#include "panels_support.h"
#include "platform/errors.h"

namespace orvanta {
namespace {

TEST(ShapeDemo, TheGalleryPreviewGoesIntoTheGivenFolderOnly) {
  const auto folder =
      std::filesystem::temp_directory_path() / ("orvanta_shapedemo_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  EXPECT_FALSE(WriteShapeDemo(folder, test::BuiltTemplates(), 0));
  EXPECT_FALSE(std::filesystem::exists(folder / kShapeDemoFile));

  for (int style : {1, 57, 106}) {
    const auto written = WriteShapeDemo(folder, test::BuiltTemplates(), style);
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, folder / kShapeDemoFile);
    test::TReadBack movie(test::ReadAll(*written));
    EXPECT_EQ(movie.Reader.FrameSize().Xmax(), 580 * 20);
    EXPECT_EQ(movie.Reader.FrameSize().Ymax(), 430 * 20);
    // The panel fills the preview: its middle is drawn, not the white behind it.
    const render::TPixmap frame = movie.Render();
    EXPECT_NE(test::PixelRGB(frame, 290, 215), 0xFFFFFFu) << style;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
  EXPECT_THROW(WriteShapeDemo(folder, test::BuiltTemplates(), 107), Error);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace orvanta
