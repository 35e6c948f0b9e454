#include "shell/editor_session.h"

#include <gtest/gtest.h>

#include <future>

#include "project/catalogue.h"
#include "project/project_file.h"
#include "shell/api_errors.h"
#include "shell/session_fixture.h"

namespace orvanta {
namespace {

using nlohmann::json;

std::string Options(const json& state, const char* name) {
  return state["fields"]["TSWFOptionForm"][name].get<std::string>();
}

bool Lists(const json& state, const std::string& label) {
  for (const json& row : state["content"])
    if (row["label"] == label) return true;
  return false;
}

TEST_F(SessionTest, FieldChangesAreCheckedAgainstTheRegistryAndTheRevision) {
  const json before = session_->State();
  EXPECT_FALSE(before["built"]);
  EXPECT_EQ(before["status"], "Status Bar");
  json state = session_->SetFields(Revision(), {{"SWFWidth", "468"}, {"htmltitleedit", "Hi"}});
  EXPECT_EQ(Options(state, "SWFWidth"), "468");
  EXPECT_EQ(state["revision"], before["revision"].get<uint64_t>() + 1);
  EXPECT_TRUE(state["built"]);
  EXPECT_EQ(state["status"], "Hi");
  EXPECT_TRUE(state["canUndo"]);
  EXPECT_TRUE(std::filesystem::exists(dir_ / "work" / "temp.swf"));

  // An unknown name changes nothing, not even the revision; an old revision is refused.
  EXPECT_THROW(session_->SetFields(Revision(), {{"SWFWidth", "300"}, {"nosuchfield", "1"}}),
               RequestError);
  EXPECT_EQ(session_->State()["revision"], state["revision"]);
  EXPECT_EQ(Options(session_->State(), "SWFWidth"), "468");
  EXPECT_THROW(session_->SetFields(before["revision"], {{"SWFWidth", "300"}}), StaleRevisionError);

  // A value out of range is clamped with a warning naming the field.
  state = session_->SetFields(Revision(), {{"SWFWidth", "999999"}});
  ASSERT_FALSE(state["warnings"].empty());
  EXPECT_EQ(state["warnings"][0]["field"], "SWFWidth");

  state = session_->Undo(Revision());
  EXPECT_EQ(Options(state, "SWFWidth"), "468");
  EXPECT_FALSE(state["canUndo"]);
}

TEST_F(SessionTest, PageOperationsAnswerWithTheirMessages) {
  json state = session_->NewPage(Revision());
  EXPECT_EQ(state["pages"].size(), 2u);
  EXPECT_EQ(state["currentPage"], 2);
  EXPECT_EQ(state["pages"][1].get<std::string>().substr(0, 6), "Copy2-");
  state = session_->SelectPage(Revision(), 1);
  EXPECT_EQ(state["currentPage"], 1);
  try {
    session_->DeletePage(Revision(), 1);
    FAIL() << "page 1 was deleted";
  } catch (const RefusedError& e) {
    EXPECT_STREQ(e.what(), "Can not remove index.html webpage file!");
  }
  for (int i = 0; i < 8; ++i) session_->NewPage(Revision());
  EXPECT_THROW(session_->NewPage(Revision()), RefusedError);
  state = session_->DeletePage(Revision(), 10);
  EXPECT_EQ(state["pages"].size(), 9u);
  EXPECT_EQ(state["currentPage"], 1);
}

TEST_F(SessionTest, ContentItemsAreSelectedEditedAndDeleted) {
  json state = session_->SetFields(Revision(), {{"StaticText2", "Hello"}});
  ASSERT_TRUE(Lists(state, "Static Text2"));
  EXPECT_EQ(session_->EditContent("Static Text2")["editor"], "Tstatictextform");
  EXPECT_EQ(session_->EditContent("Album Thumb")["tab"], "Small Thumbs");
  EXPECT_TRUE(session_->EditContent("nothing")["editor"].is_null());

  session_->SetPreviewMode(Revision(), TPreviewMode::Preview);
  state = session_->SelectContent(Revision(), "Static Text2");
  EXPECT_EQ(state["selection"], "Static Text2");
  EXPECT_EQ(state["previewPage"], "flashtemp.htm");  // selecting returns to design mode

  const uint64_t revision = Revision();
  for (const char* label : {"Static Text9", "Static Textx", "Shape1"})
    EXPECT_THROW(session_->DeleteContent(revision, label), RequestError) << label;
  EXPECT_EQ(Revision(), revision);
  state = session_->DeleteContent(Revision(), "Static Text2");
  EXPECT_FALSE(Lists(state, "Static Text2"));
  EXPECT_EQ(state["blocks"]["StaticText2"], "");
}

TEST_F(SessionTest, SavedProjectLoadsBackAndPathsStayInTheirRoots) {
  session_->SetFields(Revision(), {{"htmltitleedit", "Round trip"}, {"StaticText1", "One"}});
  session_->NewPage(Revision());
  const json saved = session_->Save(Revision(), {"home", "work.fls"});
  session_->NewEmpty(Revision());
  EXPECT_EQ(session_->State()["pages"].size(), 1u);

  const json loaded = session_->Load(Revision(), {"home", "work.fls"});
  EXPECT_EQ(loaded["pages"], saved["pages"]);
  const json page2 = session_->SelectPage(Revision(), 2);
  EXPECT_TRUE(page2["fields"] == saved["fields"]);
  EXPECT_TRUE(page2["blocks"] == saved["blocks"]);

  EXPECT_THROW(session_->Load(Revision(), {"home", "../work.fls"}), OutsideRootError);
  EXPECT_THROW(session_->Load(Revision(), {"home", "missing.fls"}), FileError);
  try {
    session_->Save(Revision(), {"data", "mine.fls"});
    FAIL() << "saved into the data root";
  } catch (const RefusedError& e) {
    EXPECT_STREQ(e.what(), "Can not save to default project!");
  }
}

TEST_F(SessionTest, PublishesIntoAFolderOfTheUserAndKeepsThePreview) {
  session_->SetFields(Revision(), {{"StaticText1", "Sale"}});
  const json state = session_->Publish(Revision(), {"home", "site"}, {});
  EXPECT_TRUE(state["published"]["missing"].empty()) << state["published"]["summary"];
  EXPECT_TRUE(std::filesystem::exists(dir_ / "home" / "site" / "index.html"));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "work" / "temp.swf"));
  EXPECT_THROW(session_->Publish(Revision(), {"data", "site"}, {}), RefusedError);
  EXPECT_THROW(session_->Publish(Revision(), {"home", "../site"}, {}), OutsideRootError);
}

TEST_F(SessionTest, SamplesOpenFromTheCatalogueOfTheDataRoot) {
  // The program's data with one sample project added beside it.
  const std::filesystem::path data = dir_ / "data";
  std::filesystem::create_directories(data / "default_template");
  // The shipped samples stay out: this data root has its own.
  for (const auto& entry : std::filesystem::directory_iterator(ORVANTA_DATA_ROOT))
    if (entry.path().filename() != "default_template")
      std::filesystem::create_directory_symlink(entry.path(), data / entry.path().filename());
  TBannerDocument sample = TBannerDocument::New();
  TWarnings warnings;
  sample.Current.SetField(FindSavedField("htmltitleedit"), "Sample", "", 1, warnings);
  SaveProject(sample, data / "default_template" / (FlashBannerSamples()[0] + ".fls"), warnings);

  TEditorSession session({data, dir_ / "work", {}, 1, &templates_, [this](TBuildDriver& driver) {
                            AddStandardBuilders(driver, templates_);
                          }});
  session.ReadCatalogue();
  const json state = session.OpenSample(1, "Flash Banner", 0);
  EXPECT_EQ(state["fields"]["TSWFOptionForm"]["htmltitleedit"], "Sample");
  EXPECT_TRUE(state["built"]);
  EXPECT_THROW(session.OpenSample(2, "Flash Banner", 1), FileError);  // not shipped here
  EXPECT_THROW(session.OpenSample(2, "Flash Banner", 100000), FileError);
  EXPECT_EQ(session.State()["revision"], 2);
}

TEST_F(SessionTest, ChangesDuringARebuildAnswerPleaseWaiting) {
  gate_->Close();
  auto first = std::async(std::launch::async, [&] { return session_->Rebuild(Revision()); });
  gate_->WaitEntered();
  EXPECT_TRUE(session_->State()["busy"]);
  const uint64_t revision = Revision();
  for (auto attempt :
       {std::function<void()>([&] { session_->Rebuild(revision); }), std::function<void()>([&] {
          session_->SetFields(revision, {{"SWFWidth", "1"}});
        }),
        std::function<void()>([&] { session_->NewPage(revision); })}) {
    try {
      attempt();
      ADD_FAILURE() << "a change ran during the rebuild";
    } catch (const BusyError& e) {
      EXPECT_STREQ(e.what(), "Please waiting ...");
    }
  }
  gate_->Open();
  EXPECT_EQ(first.get()["revision"], revision + 1);
  EXPECT_FALSE(session_->State()["busy"]);
}

}  // namespace
}  // namespace orvanta
