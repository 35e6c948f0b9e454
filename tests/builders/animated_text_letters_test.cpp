#include <gtest/gtest.h>

#include "builders/animated_text/letter_builder.h"
#include "builders/animated_text/letter_fills.h"
#include "builders/animated_text/letter_keys.h"

namespace orvanta {
namespace {

TEST(AnimatedTextLetters, ResourceKeysUseTheCodeOfTheTemplateThatDrawsTheCharacter) {
  const std::pair<char16_t, const char*> cases[] = {
      {u'a', "65"},  {u'A', "65"},       {u'\u00e9', "201"}, {u'\u0151', "336"},   {u'?', "dot_4"},
      {u'\'', "39"}, {u',', "44"},       {u'"', "34"},       {u'.', "46"},         {u':', "58"},
      {u'7', "55"},  {u'\u00c3', "163"}, {u' ', " "},        {u'\u4e2d', "\u4e2d"}};
  for (const auto& [ch, key] : cases) EXPECT_EQ(LetterResourceKey(ch), key) << int(ch);
  EXPECT_FALSE(ArtLetterCode(u'?'));
  EXPECT_FALSE(ArtLetterCode(u' '));
}

TEST(AnimatedTextLetters, RandomColoursFollowTheDepthIndexAndArtYellowIsTinted) {
  EXPECT_EQ(LetterTableColor(1000, false), 0xFF80FF80u);  // 1000 mod 17 = 14: (128, 255, 128)
  EXPECT_EQ(LetterTableColor(1001, false), 0xFFFF80FFu);
  EXPECT_EQ(LetterTableColor(17, false), 0xFF0000FFu);  // red
  EXPECT_EQ(LetterTableColor(18, false), 0xFF00FFFFu);  // yellow
  EXPECT_EQ(LetterTableColor(18, true), 0xFF05FFFFu);
}

TEST(AnimatedTextLetters, ShadowsAndRadialCentresFollowTheirCaptions) {
  const TOffset shadows[] = {{3, 0}, {3, 3}, {0, 3}, {-3, 3}, {-3, 0}, {-3, -3}, {0, -3}, {3, -3}};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(ShadowOffset(i, 3).X, shadows[i].X) << i;
    EXPECT_EQ(ShadowOffset(i, 3).Y, shadows[i].Y) << i;
  }
  const TPercentPoint centres[] = {{25, 25}, {75, 25}, {25, 75}, {75, 75}, {50, 50}};
  for (int type = 1; type <= 5; ++type)
    for (int base : {0, 6}) {
      EXPECT_EQ(RadialCentre(base + type).X, centres[type - 1].X) << type;
      EXPECT_EQ(RadialCentre(base + type).Y, centres[type - 1].Y) << type;
    }
}

}  // namespace
}  // namespace orvanta
