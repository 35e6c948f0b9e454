#include "project/field_registry.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "project/field_value.h"

namespace orvanta {
namespace {

TEST(FieldRegistry, SavedFieldsPerEditorAndKind) {
  std::map<TEditorId, int> perEditor;
  std::map<TFieldKind, int> perKind;
  for (const TFieldSpec& f : FieldRegistry())
    if (f.Saved) ++perEditor[f.Editor], ++perKind[f.Kind];
  const std::map<TEditorId, int> editors = {
      {TEditorId::Options, 17},   {TEditorId::AnimatedText, 78}, {TEditorId::StaticText, 48},
      {TEditorId::Buttons, 90},   {TEditorId::MovieClip, 37},    {TEditorId::HtmlText, 35},
      {TEditorId::SlideShow, 23}, {TEditorId::ShapePanel, 55},   {TEditorId::StaticImage, 52}};
  EXPECT_EQ(perEditor, editors);
  const std::map<TFieldKind, int> kinds = {
      {TFieldKind::Integer, 146},      {TFieldKind::Flag, 82},
      {TFieldKind::Option, 56},        {TFieldKind::Choice, 25},
      {TFieldKind::PictureChoice, 23}, {TFieldKind::Colour, 31},
      {TFieldKind::Text, 31},          {TFieldKind::WideText, 20},
      {TFieldKind::ChoiceWithText, 21}};
  EXPECT_EQ(perKind, kinds);
  EXPECT_EQ(SavedFieldCount(), 435);
}

TEST(FieldRegistry, NamesAreKeyedByEditor) {
  std::set<std::string> saved;
  for (const TFieldSpec& f : FieldRegistry())
    if (f.Saved) {
      EXPECT_TRUE(saved.insert(f.Name).second) << f.Name;
    }
  // The shape-style editor's working fields share their names with shape panel 1.
  const int panel = FindField(TEditorId::ShapePanel, "shape1color1");
  const int style = FindField(TEditorId::ShapeStyle, "shape1color1");
  ASSERT_GE(panel, 0);
  ASSERT_GE(style, 0);
  EXPECT_NE(panel, style);
  EXPECT_EQ(FindSavedField("shape1color1"), panel);
  // Irregular spellings that stored files depend on.
  for (const char* name : {"buttonurl7", "buttonurl_8", "staticimagex", "staticimagex2",
                           "BGimagex3", "bgimageBlur3", "PageBackgroundShadow0",
                           "PageBackGroundPosX0", "FontBackgroundEffecFlashballStar", "thumbcorp"})
    EXPECT_GE(FindSavedField(name), 0) << name;
  EXPECT_EQ(FieldRegistry()[FindSavedField("PageBackGroundPosY4")].Max, 1000);
}

TEST(FieldRegistry, DefaultsAreValidValues) {
  std::map<std::pair<TEditorId, std::string>, int> optionsSet;
  for (const TFieldSpec& f : FieldRegistry()) {
    std::string problem;
    EXPECT_EQ(NormaliseFieldValue(f, f.Default, "", problem).Text, f.Default) << f.Name;
    EXPECT_EQ(problem, "") << f.Name;
    NormaliseFieldValue(f, f.LoadStartValue(), "", problem);
    EXPECT_EQ(problem, "") << f.Name << " at load";
    EXPECT_FALSE(f.Caption.empty() || f.Tab.empty()) << f.Name;
    if (f.Kind == TFieldKind::Option) {
      optionsSet[{f.Editor, f.OptionGroup}] += f.Default == "True";
      optionsSet[{f.Editor, f.OptionGroup + " at load"}] += f.LoadStartValue() == "True";
    }
  }
  // Each option group starts with exactly one option set, for a new page and for a load.
  for (const auto& [group, count] : optionsSet) EXPECT_EQ(count, 1) << group.second;
}

}  // namespace
}  // namespace orvanta
