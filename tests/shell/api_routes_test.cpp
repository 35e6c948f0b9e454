#include "shell/server/api_routes.h"

#include <gtest/gtest.h>

#include "shell/session_fixture.h"

namespace orvanta {
namespace {

using nlohmann::json;

// Every command taken with input of the wrong shape answers 4xx and leaves the document.
TEST_F(SessionTest, EveryCommandRefusesMalformedInputWithoutAChange) {
  const uint64_t revision = Revision();
  const std::string wrongTypes =
      json{{"revision", revision}, {"line", "a"}, {"label", 5},   {"root", 1},
           {"path", true},         {"values", 3}, {"mode", 2},    {"list", {}},
           {"entry", "x"},         {"on", "yes"}, {"allMedia", 1}}
          .dump();
  const std::string stale = json{
      {"revision", revision + 5},
      {"line", 2},
      {"label", "Button"},
      {"root", "home"},
      {"path", "a.fls"},
      {"values", json::object()},
      {"mode", "design"},
      {"list", "Flash Banner"},
      {"entry", 0},
      {"on", true}}.dump();
  for (const char* path :
       {"/api/fields", "/api/rebuild", "/api/auto-rebuild", "/api/undo", "/api/pages/new",
        "/api/pages/delete", "/api/pages/select", "/api/project/load", "/api/project/save",
        "/api/project/new", "/api/publish", "/api/samples/open", "/api/content/select",
        "/api/content/delete", "/api/preview-mode"})
    for (const std::string& body : {std::string("{"), std::string("null"), std::string("{}"),
                                    std::string(R"({"revision": -1})"), wrongTypes, stale}) {
      // Commands that take nothing but the revision have no member of a wrong type to refuse.
      const std::string_view route(path);
      if (body == wrongTypes && (route == "/api/rebuild" || route == "/api/undo" ||
                                 route == "/api/pages/new" || route == "/api/project/new"))
        continue;
      const TApiResponse answer = HandleApiBody(*session_, "POST", path, body);
      EXPECT_GE(answer.Status, 400) << path << " " << body;
      EXPECT_LT(answer.Status, 500) << path << " " << body << ": " << answer.Body.dump();
      EXPECT_EQ(answer.Body["revision"], revision);
    }
  EXPECT_EQ(Revision(), revision);
  EXPECT_EQ(HandleApiBody(*session_, "POST", "/api/content/edit", "{}").Status, 400);
  EXPECT_EQ(
      HandleApi(*session_, "GET", "/api/files", json{{"root", "home"}, {"filter", "exe"}}).Status,
      400);
}

// The blocks the editors edit beside the fields: every one the schema names is in the state,
// and a font or the photo list set through /api/fields reads back; a bad font changes nothing.
TEST_F(SessionTest, TheEditorsBlocksReadBackAndBadFontsAreRefused) {
  const json schema = HandleApi(*session_, "GET", "/api/schema", json::object()).Body;
  const json blocks = session_->State()["blocks"];
  for (const auto& editor : schema["editors"]["editors"])
    for (const auto& block : editor["blocks"])
      EXPECT_TRUE(blocks.contains(block["name"])) << block["name"];
  struct TCase {
    std::string Name, Typed;
    int Status;
    json Expected;  // the block afterwards
  } cases[] = {
      {"AnimatedTextFont", "DejaVu Sans|24|Bold|Italic", 200, "DejaVu Sans|24|Bold|Italic"},
      {"StaticText7Font", "Liberation Serif|12", 200, "Liberation Serif|12"},
      {"ButtonsFont", "Arial", 400, "Arial|10"},
      {"ButtonsFont", "Arial|0", 400, "Arial|10"},
      {"ButtonsFont", "Arial|12|Underline", 400, "Arial|10"},
      {"ButtonsFont", "<b>|12", 400, "Arial|10"},
      {"Photos", "a.jpg||/home/b.jpg", 200, json::array({"a.jpg", "/home/b.jpg"})},
  };
  for (const TCase& c : cases) {
    const TApiResponse answer =
        HandleApi(*session_, "POST", "/api/fields",
                  json{{"revision", Revision()}, {"values", {{c.Name, c.Typed}}}});
    EXPECT_EQ(answer.Status, c.Status) << c.Name << " " << c.Typed << " " << answer.Body.dump();
    EXPECT_EQ(session_->State()["blocks"][c.Name], c.Expected) << c.Name << " " << c.Typed;
  }
  const json listing =
      HandleApi(*session_, "GET", "/api/files", json{{"root", "home"}, {"path", ""}}).Body;
  EXPECT_EQ(listing["path"], std::filesystem::canonical(dir_ / "home").string());
}

}  // namespace
}  // namespace orvanta
