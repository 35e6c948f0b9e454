#include <gtest/gtest.h>

#include <filesystem>

#include "platform/data_root.h"
#include "project/content_list.h"
#include "project/page_operations.h"

namespace orvanta {
namespace {

namespace fs = std::filesystem;

class PageOperationsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("orvanta_pages_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(root_);
    data_ = std::make_unique<TDataRoot>(root_);
    driver_ = std::make_unique<TBuildDriver>(*data_, TBuildOptions{root_, 1});
    ops_ = std::make_unique<TPageOperations>(doc_, *driver_);
  }
  void TearDown() override { fs::remove_all(root_); }
  void Set(std::string_view name, std::string_view value) {
    TWarnings ignored;
    doc_.Current.SetField(FindSavedField(name), value, "", doc_.CurrentPage(), ignored);
  }
  std::string FileName(int page) {
    TWarnings ignored;
    doc_.LoadPage(page, ignored);
    return doc_.Current.Field("webpage_filename").Text;
  }

  fs::path root_;
  std::unique_ptr<TDataRoot> data_;
  std::unique_ptr<TBuildDriver> driver_;
  TBannerDocument doc_ = TBannerDocument::New();
  std::unique_ptr<TPageOperations> ops_;
};

TEST_F(PageOperationsTest, NewCopiesUpToTenAndDeleteKeepsTheOrder) {
  for (int n = 2; n <= kMaxPages; ++n) {
    EXPECT_EQ(ops_->NewPage().Refusal, "");
    EXPECT_EQ(doc_.CurrentPage(), n);
  }
  EXPECT_EQ(ops_->NewPage().Refusal, "Max 10 webpages!");
  EXPECT_EQ(doc_.PageCount(), kMaxPages);
  EXPECT_EQ(FileName(2), "Copy2-index.html");
  EXPECT_EQ(FileName(3), "Copy3-Copy2-index.html");

  EXPECT_EQ(ops_->DeletePage(1).Refusal, "Can not remove index.html webpage file!");
  EXPECT_EQ(ops_->DeletePage(0).Refusal, "Can not remove index.html webpage file!");
  const std::string fourth = FileName(4);
  ops_->DeletePage(3);
  EXPECT_EQ(doc_.PageCount(), kMaxPages - 1);
  EXPECT_EQ(doc_.CurrentPage(), 1);
  EXPECT_EQ(FileName(3), fourth);
}

TEST_F(PageOperationsTest, SelectClampsAndIgnoresTheCurrentPage) {
  ops_->NewPage();
  EXPECT_FALSE(ops_->SelectPage(2).Report.Built);  // already current: nothing happens
  EXPECT_TRUE(ops_->SelectPage(0).Report.Built);
  EXPECT_EQ(doc_.CurrentPage(), 1);
  ops_->SelectPage(7);
  EXPECT_EQ(doc_.CurrentPage(), 2);
}

TEST_F(PageOperationsTest, UndoRestoresThePageBeforeTheEditorChange) {
  driver_->Rebuild(doc_, TRebuildOrigin::Command);
  Set("SWFWidth", "300");
  EXPECT_TRUE(driver_->Rebuild(doc_, TRebuildOrigin::Editor).Built);
  ops_->Undo();
  EXPECT_EQ(doc_.Current.Field("SWFWidth").Text, "800");
  EXPECT_FALSE(doc_.CanUndo());
}

TEST_F(PageOperationsTest, ContentListOrderLabelsAndColours) {
  auto labels = [&] {
    std::vector<std::string> out;
    for (const auto& item : ContentList(doc_)) out.push_back(item.Label);
    return out;
  };
  EXPECT_EQ(labels(), (std::vector<std::string>{"[Layout] 800x800", "Back Ground"}));

  doc_.Current.HtmlTexts[2] = "three";
  doc_.Current.StaticTexts[0] = "one";
  doc_.Current.StaticTexts[6] = "seven";
  Set("bgsound", "tune.mp3");  // no music control chosen: not listed
  for (int i = 1; i <= 5; ++i) Set("shape" + std::to_string(i) + "listbox", "1");
  Set("shape2width", "120");
  const auto items = ContentList(doc_);
  EXPECT_EQ(labels(), (std::vector<std::string>{"HTML Text3", "Static Text7", "Static Text1",
                                                "Shape1", "Shape2", "Shape3", "Shape4", "Shape5",
                                                "[Layout] 800x800", "Back Ground"}));
  EXPECT_EQ(items[4].Rect.Width, 120);
  EXPECT_EQ(items[0].Colour, 0xC4FF00u);
  EXPECT_NE(items[1].Colour, items[0].Colour);
  EXPECT_FALSE(items.back().HasRect);
}

}  // namespace
}  // namespace orvanta
