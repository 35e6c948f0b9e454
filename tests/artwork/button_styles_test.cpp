#include <gtest/gtest.h>

#include "families.h"
#include "generated_family.h"
#include "platform/button_styles.h"

namespace orvanta::artwork {
namespace {

int InkedPixels(const render::TPixmap& picture) {
  int inked = 0;
  for (size_t i = 3; i < picture.Pixels.size(); i += 4) inked += picture.Pixels[i] > 0;
  return inked;
}

// Every style and over state the catalogue promises is there at the size the builder places
// it at, drawn inside it, and the over state shows something the normal state does not.
TEST(ButtonStyles, EveryTemplateHasTheCatalogueSizeAndAVisibleOverState) {
  TGeneratedFamily family(GenerateButtonStyles);
  size_t overs = 0;
  for (const TButtonStyle& style : ButtonStyles()) {
    SCOPED_TRACE(style.Name);
    const TTemplateEntry* normal = family.Pack().Find(style.Name);
    ASSERT_NE(normal, nullptr);
    TReadMovie movie(normal->Data);
    EXPECT_EQ(movie.Reader.FrameSize().Xmin(), 0);
    EXPECT_EQ(movie.Reader.FrameSize().Ymin(), 0);
    EXPECT_EQ(movie.Width(), style.Width);
    EXPECT_EQ(movie.Height(), style.Height);
    render::TPixmap normalPicture = movie.Render();
    if (style.Name == "BlankBox")
      EXPECT_EQ(InkedPixels(normalPicture), 0);
    else
      EXPECT_GT(InkedPixels(normalPicture), style.Width * style.Height / 4);

    const TTemplateEntry* over = family.Pack().Find(style.OverName());
    ASSERT_EQ(over != nullptr, style.HasOver);
    if (!over) continue;
    ++overs;
    TReadMovie overMovie(over->Data);
    EXPECT_EQ(overMovie.Width(), style.Width);
    EXPECT_EQ(overMovie.Height(), style.Height);
    EXPECT_NE(overMovie.Render().Pixels, normalPicture.Pixels);
  }
  EXPECT_EQ(ButtonStyles().size(), 137u);
  EXPECT_EQ(overs, 99u);
  EXPECT_EQ(family.Output().TemplateCount(), 137u + 99u);
}

}  // namespace
}  // namespace orvanta::artwork
