#include <gtest/gtest.h>

#include <cstdlib>

#include "families.h"
#include "generated_family.h"
#include "panel_designs.h"
#include "swf/tags_display.h"

namespace orvanta::artwork {
namespace {

// The names of the top-level placements that mention "posi", which is what the panel builder
// looks for.
std::vector<std::string> PosiNames(const TSWFStreamReader& reader) {
  std::vector<std::string> names;
  for (size_t i = 0; i + 1 < reader.TagList.size(); ++i)
    if (auto* place = dynamic_cast<TSWFPlaceObject2*>(reader.TagList[i]->TagObject()))
      if (place->HasName && place->Name.find("posi") != std::string::npos)
        names.push_back(place->Name);
  return names;
}

// "-posi" L "x" T "x" B "p", read as the builder reads it.
std::array<int, 3> ParseMarker(const std::string& name) {
  std::string rest = name.substr(name.find("-posi") + 5);
  rest = rest.substr(0, rest.find('p'));
  const size_t x1 = rest.find('x'), x2 = rest.find('x', x1 + 1);
  return {std::atoi(rest.substr(0, x1).c_str()),
          std::atoi(rest.substr(x1 + 1, x2 - x1 - 1).c_str()),
          std::atoi(rest.substr(x2 + 1).c_str())};
}

// Largest step between neighbouring pixels in one direction over a box: a stretched band must
// hold no detail along the direction it is stretched in.
int LargestStep(const render::TPixmap& p, int x0, int y0, int x1, int y1, int dx, int dy) {
  int largest = 0;
  for (int y = y0; y + dy < y1; ++y)
    for (int x = x0; x + dx < x1; ++x)
      for (int c = 0; c < 4; ++c)
        largest =
            std::max(largest, std::abs(p.Row(y)[x * 4 + c] - p.Row(y + dy)[(x + dx) * 4 + c]));
  return largest;
}

TEST(ShapePanels, MarkersGiveTheIntendedMarginsAndStretchedPartsHoldNoDetail) {
  TGeneratedFamily family(GenerateShapePanels);
  const auto& intended = PanelMargins();
  ASSERT_EQ(intended.size(), 106u);
  std::map<TPanelMargins::TKind, int> kinds;
  for (size_t i = 0; i < intended.size(); ++i) {
    const std::string name = "SHAPETEMPLATE" + std::to_string(i + 1);
    SCOPED_TRACE(name);
    const TPanelMargins& m = intended[i];
    ++kinds[m.Kind];
    const TTemplateEntry* entry = family.Pack().Find(name);
    ASSERT_NE(entry, nullptr);
    TReadMovie movie(entry->Data);
    EXPECT_EQ(movie.Reader.FrameSize().Xmin(), 0);
    EXPECT_EQ(movie.Reader.FrameSize().Ymin(), 0);
    const std::vector<std::string> markers = PosiNames(movie.Reader);
    if (m.Kind == TPanelMargins::TKind::Unmarked) {
      EXPECT_TRUE(markers.empty());
    } else {
      ASSERT_EQ(markers.size(), 1u);
      EXPECT_EQ(ParseMarker(markers[0]), (std::array{m.Left, m.Top, m.Bottom}));
    }
    if (m.Kind == TPanelMargins::TKind::Uniform) continue;
    const int w = static_cast<int>(movie.Width()), h = static_cast<int>(movie.Height());
    ASSERT_GT(w, 2 * m.Left);
    ASSERT_GT(h, m.Top + m.Bottom);
    const render::TPixmap p = movie.Render();
    constexpr int kGradientStep = 6;
    // Top and bottom rows stretch sideways, the side columns downwards, the centre both ways.
    EXPECT_LE(LargestStep(p, m.Left, 0, w - m.Left, m.Top, 1, 0), kGradientStep);
    EXPECT_LE(LargestStep(p, m.Left, h - m.Bottom, w - m.Left, h, 1, 0), kGradientStep);
    EXPECT_LE(LargestStep(p, 0, m.Top, m.Left, h - m.Bottom, 0, 1), kGradientStep);
    EXPECT_LE(LargestStep(p, w - m.Left, m.Top, w, h - m.Bottom, 0, 1), kGradientStep);
    EXPECT_LE(LargestStep(p, m.Left, m.Top, w - m.Left, h - m.Bottom, 1, 0), kGradientStep);
    EXPECT_LE(LargestStep(p, m.Left, m.Top, w - m.Left, h - m.Bottom, 0, 1), kGradientStep);
  }
  EXPECT_EQ(kinds[TPanelMargins::TKind::NineSlice], 79);
  EXPECT_EQ(kinds[TPanelMargins::TKind::Uniform], 21);
  EXPECT_EQ(kinds[TPanelMargins::TKind::Unmarked], 6);
}

}  // namespace
}  // namespace orvanta::artwork
