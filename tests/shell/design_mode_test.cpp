#include <gtest/gtest.h>

#include "shell/server/api_routes.h"
#include "shell/session_fixture.h"

namespace orvanta {
namespace {

using nlohmann::json;

class DesignModeTest : public SessionTest {
 protected:
  // Posts to a design route with the current revision; fails the test on anything but 200.
  json Post(const std::string& path, json body) {
    body["revision"] = Revision();
    const TApiResponse response = HandleApi(*session_, "POST", path, body);
    EXPECT_EQ(response.Status, 200) << path << ": " << response.Body.dump();
    return response.Body;
  }
  std::string Field(const json& state, const char* editor, const char* name) {
    return state["fields"][editor][name].get<std::string>();
  }
  // A banner with an HTML text layer over a shape panel and one library clip.
  json BuildBanner() {
    return session_->SetFields(Revision(), {{"HtmlText1", "Sale"},
                                            {"staticmemoposx1", "50"},
                                            {"staticmemoposy1", "40"},
                                            {"staticmemowidth1", "120"},
                                            {"staticmemoheight1", "60"},
                                            {"shape1listbox", "1"},
                                            {"shape1posx", "0"},
                                            {"shape1posy", "0"},
                                            {"shape1width", "400"},
                                            {"shape1height", "300"},
                                            {"PageEffectID1", "1"},
                                            {"PageBackGroundPosX1", "500"},
                                            {"PageBackGroundPosY1", "400"}});
  }
};

TEST_F(DesignModeTest, ClickDragAndDropMoveTheItemAndRebuild) {
  json state = BuildBanner();
  ASSERT_TRUE(state["warnings"].empty()) << state["warnings"].dump();
  EXPECT_TRUE(state["design"]["selection"].is_null());
  EXPECT_EQ(state["design"]["page"]["caption"], "Resize Webpage\n800x800");

  // The layer lies over the panel: a click on both selects the layer, and its slot gives way
  // to the selection frame.
  state = Post("/api/design/hit", {{"x", 170}, {"y", 100}});
  EXPECT_EQ(state["selection"], "HTML Text1");
  const json& selected = state["design"]["selection"];
  EXPECT_EQ(selected["resizable"], true);
  EXPECT_EQ(selected["moveHandle"]["top"], 40 - 16 + 3);
  EXPECT_EQ(selected["edit"]["left"], 50 + 36);
  for (const json& slot : state["design"]["slots"])
    EXPECT_EQ(slot["hidden"], slot["label"] == "HTML Text1") << slot.dump();

  const auto builtBefore = std::filesystem::last_write_time(dir_ / "work" / "temp.swf");
  state = Post("/api/design/move", {{"name", "HTML Text1"}, {"dx", 40}, {"dy", -5}});
  EXPECT_EQ(Field(state, "Tstaticmemoform", "staticmemoposx1"), "90");
  EXPECT_EQ(Field(state, "Tstaticmemoform", "staticmemoposy1"), "35");
  EXPECT_EQ(state["selection"], "HTML Text1");
  EXPECT_EQ(state["design"]["selection"]["left"], 90);
  EXPECT_TRUE(state["canUndo"]);
  EXPECT_GT(std::filesystem::last_write_time(dir_ / "work" / "temp.swf"), builtBefore);

  // A click on nothing clears the selection.
  state = Post("/api/design/hit", {{"x", 790}, {"y", 790}});
  EXPECT_EQ(state["selection"], "");
  EXPECT_TRUE(state["design"]["selection"].is_null());
}

TEST_F(DesignModeTest, ClipsScaleToTheFrameAndTheBannerResizesByItsCorner) {
  json state = BuildBanner();
  state = Post("/api/content/select", {{"label", "MovieClip1"}});
  const json clip = state["design"]["selection"];
  ASSERT_FALSE(clip.is_null()) << state["content"].dump();
  const int width = clip["width"], height = clip["height"];
  ASSERT_GT(width, 0);

  // Twice as wide and three times as high: a library clip keeps inside, at twice its size.
  state = Post("/api/design/resize",
               {{"name", "MovieClip1"}, {"edge", "corner"}, {"dx", width}, {"dy", 2 * height}});
  EXPECT_EQ(Field(state, "TMovieClipform", "PageBackGroundScalewidth1"), "200");
  EXPECT_EQ(state["design"]["selection"]["width"], 2 * width);

  // Dragging the right edge alone leaves the height, so the smaller ratio wins again.
  state = Post("/api/design/resize",
               {{"name", "MovieClip1"}, {"edge", "right"}, {"dx", 2 * width}, {"dy", 500}});
  EXPECT_EQ(Field(state, "TMovieClipform", "PageBackGroundScalewidth1"), "200");

  state = Post("/api/design/page-size", {{"edge", "corner"}, {"dx", 468 - 800}, {"dy", 60 - 800}});
  EXPECT_EQ(Field(state, "TSWFOptionForm", "SWFWidth"), "468");
  EXPECT_EQ(Field(state, "TSWFOptionForm", "SWFHeight"), "60");
  EXPECT_EQ(state["design"]["page"]["corner"]["left"], 468);
  EXPECT_EQ(state["design"]["selection"]["name"], "MovieClip1");
}

TEST_F(DesignModeTest, BadDropsAreRefusedAndChangeNothing) {
  BuildBanner();
  const uint64_t revision = Revision();
  const json bodies[] = {
      {{"path", "/api/design/hit"}, {"x", 1e12}, {"y", 0}},
      {{"path", "/api/design/hit"}, {"x", "left"}, {"y", 0}},
      {{"path", "/api/design/move"}, {"name", "Static Text4"}, {"dx", 1}, {"dy", 1}},
      {{"path", "/api/design/move"}, {"name", "Welcome Loading"}, {"dx", 1}, {"dy", 1}},
      {{"path", "/api/design/move"}, {"dx", 1}, {"dy", 1}},
      {{"path", "/api/design/resize"},
       {"name", "Shape1"},
       {"edge", "middle"},
       {"dx", 1},
       {"dy", 1}},
      {{"path", "/api/design/resize"}, {"name", "Shape1"}, {"edge", "corner"}, {"dx", 1}},
      {{"path", "/api/design/page-size"}, {"edge", "corner"}, {"dx", -2000000}, {"dy", 0}},
  };
  for (json body : bodies) {
    const std::string path = body["path"];
    body["revision"] = revision;
    const TApiResponse response = HandleApi(*session_, "POST", path, body);
    EXPECT_EQ(response.Status, 400) << body.dump();
    EXPECT_EQ(Revision(), revision) << body.dump();
  }
  // A stale drop is refused as every stale change is.
  EXPECT_EQ(HandleApi(*session_, "POST", "/api/design/move",
                      {{"revision", revision - 1}, {"name", "Shape1"}, {"dx", 1}, {"dy", 1}})
                .Status,
            412);
}

}  // namespace
}  // namespace orvanta
