#include "project/banner_document.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/errors.h"
#include "project/field_schema.h"

namespace orvanta {
namespace {

TEST(BannerDocument, PagesAndItemRectangles) {
  TBannerDocument doc =
      TBannerDocument::FromPages({TPageState::Defaults(), TPageState::Defaults()});
  TWarnings warnings;
  doc.Current.SetField(FindSavedField("SWFWidth"), "468", "", 1, warnings);
  doc.StorePage(3);  // past the page count: ignored
  doc.StorePage(2);
  doc.LoadPage(1, warnings);
  EXPECT_EQ(doc.Current.Field("SWFWidth").Text, "800");
  doc.LoadPage(2, warnings);
  EXPECT_EQ(doc.Current.Field("SWFWidth").Text, "468");
  EXPECT_EQ(doc.CurrentPage(), 2);
  EXPECT_THROW(doc.LoadPage(3, warnings), Error);
  EXPECT_THROW(TBannerDocument::FromPages(std::vector<TPageState>(11)), Error);
  EXPECT_TRUE(warnings.empty());

  // Every content slot is placed by two integer fields; its size comes from the build.
  ASSERT_EQ(ContentSlots().size(), 34u);
  for (const TContentSlot& slot : ContentSlots())
    for (const std::string& name : {slot.LeftField, slot.TopField})
      EXPECT_EQ(FieldRegistry()[FindSavedField(name)].Kind, TFieldKind::Integer) << name;
  EXPECT_EQ(ContentSlots()[11].Label, "Static Text7");
  doc.SetItemSize(11, 120, 30);
  const TItemRect rect = doc.ItemRect(11);
  EXPECT_EQ((std::array{rect.Left, rect.Top, rect.Width, rect.Height}),
            (std::array{250, 180, 120, 30}));
}

TEST(BannerDocument, SchemaCoversTheRegistry) {
  const nlohmann::json schema = FieldSchema();
  ASSERT_EQ(schema["editors"].size(), size_t(kEditorCount));
  EXPECT_EQ(schema["editors"][8]["caption"], "Advance Options");
  size_t saved = 0;
  for (const auto& editor : schema["editors"])
    for (const auto& field : editor["fields"]) {
      saved += field["saved"].get<bool>();
      if (field["name"] == "TextHorz") {
        EXPECT_EQ(field["choices"][2], "Center");
      }
      if (field["name"] == "SWFHeight") {
        EXPECT_EQ(field["range"][1], 5000);
      }
    }
  EXPECT_EQ(saved, 435u);
  // The blocks each editor edits beside its fields, each named once and never a field's name.
  std::set<std::string> blocks;
  for (const auto& editor : schema["editors"])
    for (const auto& block : editor["blocks"]) {
      EXPECT_TRUE(blocks.insert(block["name"].get<std::string>()).second) << block["name"];
      EXPECT_LT(FindSavedField(block["name"].get<std::string>()), 0) << block["name"];
    }
  EXPECT_EQ(schema["editors"][int(TEditorId::AnimatedText)]["blocks"][0]["name"], "InputText");
  EXPECT_EQ(blocks.size(), 26u);  // 8 texts, 10 fonts, the photo list, 7 HTML texts
}

}  // namespace
}  // namespace orvanta
