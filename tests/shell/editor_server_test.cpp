#include "shell/server/editor_server.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <fstream>
#include <future>

#include "media/picture_codecs.h"
#include "platform/stream.h"
#include "platform/text_file.h"
#include "shell/server/preview_files.h"
#include "shell/session_fixture.h"

namespace orvanta {
namespace {

using nlohmann::json;

class ServerTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    TServerOptions options;
    options.WebRoot = dir_ / "web";
    options.OnExit = [this] { exits_++; };
    server_ = std::make_unique<TEditorServer>(*session_, std::move(options));
  }
  void TearDown() override {
    server_.reset();
    SessionTest::TearDown();
  }
  httplib::Headers Own() const { return {{"X-Orvanta-Token", server_->Token()}}; }
  httplib::Client Api() const { return httplib::Client("127.0.0.1", server_->ApiPort()); }
  json Post(const std::string& path, json body) {
    body["revision"] = Revision();
    auto res = Api().Post(path.c_str(), Own(), body.dump(), "application/json");
    EXPECT_TRUE(res && res->status == 200) << path << ": " << (res ? res->body : "no answer");
    return res ? json::parse(res->body) : json();
  }
  std::unique_ptr<TEditorServer> server_;
  std::atomic<int> exits_ = 0;
};

TEST_F(ServerTest, RefusesRequestsWithoutTokenFromForeignHostsAndOtherSites) {
  const std::string port = std::to_string(server_->ApiPort());
  struct TCase {
    const char* what;
    httplib::Headers headers;
    int status;
  };
  const TCase cases[] = {
      {"own", Own(), 200},
      {"token as parameter", {}, 200},
      {"no token", {}, 403},
      {"wrong token", {{"X-Orvanta-Token", "0"}}, 403},
      {"rebinding Host",
       {{"X-Orvanta-Token", server_->Token()}, {"Host", "evil.example:" + port}},
       403},
      {"other port", {{"X-Orvanta-Token", server_->Token()}, {"Host", "127.0.0.1:1"}}, 403},
      {"cross-site Origin",
       {{"X-Orvanta-Token", server_->Token()}, {"Origin", "http://evil.example"}},
       403},
      {"own Origin",
       {{"X-Orvanta-Token", server_->Token()}, {"Origin", "http://localhost:" + port}},
       200},
  };
  for (const TCase& c : cases) {
    const std::string path =
        std::string("/api/state") +
        (c.what == std::string("token as parameter") ? "?token=" + server_->Token() : "");
    auto res = Api().Get(path.c_str(), c.headers);
    ASSERT_TRUE(res) << c.what;
    EXPECT_EQ(res->status, c.status) << c.what << ": " << res->body;
  }
}

TEST_F(ServerTest, BadRequestsGetAClearAnswerAndLeaveTheDocument) {
  const uint64_t revision = Revision();
  struct TCase {
    std::string path, body;
    int status;
  };
  const TCase cases[] = {
      {"/api/fields", "{not json", 400},
      {"/api/fields", "[1]", 400},
      {"/api/fields", R"({"revision": "one", "values": {}})", 400},
      {"/api/fields", R"({"revision": 1})", 400},
      {"/api/fields",
       R"({"revision": )" + std::to_string(revision) + R"(, "values": {"SWFWidth": [1]}})", 400},
      {"/api/fields",
       R"({"revision": )" + std::to_string(revision) + R"(, "values": {"bogus": 1}})", 400},
      {"/api/fields", R"({"revision": 0, "values": {"SWFWidth": 300}})", 412},
      {"/api/nothing", "{}", 404},
      {"/api/state", "{}", 405},
      {"/api/fields", std::string(2 << 20, ' '), 413},
  };
  for (const TCase& c : cases) {
    auto res = Api().Post(c.path.c_str(), Own(), c.body, "application/json");
    ASSERT_TRUE(res) << c.path;
    EXPECT_EQ(res->status, c.status) << c.body.substr(0, 80) << ": " << res->body;
    if (c.status != 413) {
      EXPECT_FALSE(json::parse(res->body)["error"].get<std::string>().empty());
      EXPECT_EQ(res->get_header_value("X-Orvanta-Revision"), std::to_string(revision));
    }
  }
  EXPECT_EQ(Revision(), revision);
}

TEST_F(ServerTest, TwoRebuildsAtOnceGiveOneRebuildAndOnePleaseWaiting) {
  gate_->Close();
  auto first = std::async(std::launch::async, [&] { return Post("/api/rebuild", {}); });
  gate_->WaitEntered();
  auto res =
      Api().Post("/api/rebuild", Own(), json{{"revision", Revision()}}.dump(), "application/json");
  ASSERT_TRUE(res);
  EXPECT_EQ(res->status, 409);
  EXPECT_EQ(json::parse(res->body)["error"], "Please waiting ...");
  gate_->Open();
  EXPECT_TRUE(first.get()["built"]);
}

TEST_F(ServerTest, LoadEditRebuildSaveReloadGivesTheSameDocument) {
  Post("/api/project/save", {{"root", "home"}, {"path", "start.fls"}});
  Post("/api/project/load", {{"root", "home"}, {"path", "start.fls"}});
  Post("/api/fields",
       {{"values", {{"SWFWidth", 468}, {"StaticText1", "Sale"}, {"Description1shadow", true}}}});
  const json edited = Post("/api/rebuild", {});
  Post("/api/project/save", {{"root", "home"}, {"path", "edited.fls"}});
  Post("/api/project/new", {});
  const json reloaded = Post("/api/project/load", {{"root", "home"}, {"path", "edited.fls"}});
  EXPECT_TRUE(reloaded["fields"] == edited["fields"]);
  EXPECT_TRUE(reloaded["blocks"] == edited["blocks"]);
  EXPECT_EQ(reloaded["fields"]["TSWFOptionForm"]["SWFWidth"], "468");
  EXPECT_EQ(reloaded["content"], edited["content"]);

  auto listing = Api().Get("/api/files?root=home&filter=project", Own());
  ASSERT_TRUE(listing && listing->status == 200);
  EXPECT_EQ(json::parse(listing->body)["files"], json({"edited.fls", "start.fls"}));
}

TEST_F(ServerTest, PreviewPortServesTheWorkingFolderOnly) {
  Post("/api/rebuild", {});
  std::ofstream(dir_ / "secret.txt") << "not for the preview";
  httplib::Client preview("127.0.0.1", server_->PreviewPort());
  auto movie = preview.Get("/temp.swf");
  ASSERT_TRUE(movie);
  EXPECT_EQ(movie->status, 200);
  EXPECT_EQ(movie->get_header_value("Cache-Control"), "no-store");
  EXPECT_EQ(movie->body.substr(1, 2), "WS");

  auto page = preview.Get("/flashtemp.htm");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
  EXPECT_EQ(page->body.find("Can not open link"), std::string::npos);
  // The player's script is read in the page's code page unless it names its own.
  EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=utf-16le");
  auto link = preview.Get("/page2.html");
  ASSERT_TRUE(link);
  EXPECT_NE(link->body.find(
                "Can not open link &quot;page2.html&quot;<br>Please [Pubilsh Webpage] first !"),
            std::string::npos);

  for (const char* path : {"/../secret.txt", "/%2e%2e/secret.txt", "/a/../../secret.txt"}) {
    auto res = preview.Get(path);
    ASSERT_TRUE(res) << path;
    EXPECT_TRUE(res->status == 403 || res->status == 400) << path << ": " << res->status;
    EXPECT_EQ(res->body.find("not for the preview"), std::string::npos);
  }
  auto rebound = preview.Get("/temp.swf", {{"Host", "evil.example"}});
  ASSERT_TRUE(rebound);
  EXPECT_EQ(rebound->status, 403);
  auto api = Api().Get("/api/files?root=home&path=..", Own());
  ASSERT_TRUE(api);
  EXPECT_EQ(api->status, 403);
}

TEST_F(ServerTest, TheHtmlEditorsDocumentComesFromThePreviewOriginWithItsAgent) {
  std::filesystem::create_directories(dir_ / "web" / "editors" / "html_text");
  std::ofstream(dir_ / "web" / "editors" / "html_text" / "design_agent.js") << "/*agent*/";
  const std::string html = "<B>Gr\u00fc\u00dfe</B>\r\n&amp; <p>x</P>";
  EXPECT_EQ(Post("/api/html-editor", {{"html", html}})["page"], "htmledit.html");
  const std::vector<uint8_t> file = ReadWholeFile((dir_ / "work" / "htmledit.html").string());
  ASSERT_GE(file.size(), 2u);
  EXPECT_EQ(file[0], 0xFF);
  EXPECT_EQ(file[1], 0xFE);
  EXPECT_EQ(DecodeTextFile(file), html);

  httplib::Client preview("127.0.0.1", server_->PreviewPort());
  auto page = preview.Get("/htmledit.html?123");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
  EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=utf-8");
  const std::string port = std::to_string(server_->ApiPort());
  const size_t agent = page->body.find("const orvantaEditorOrigins = [\"http://127.0.0.1:" + port +
                                       "\",\"http://localhost:" + port + "\"];\n/*agent*/");
  const size_t body = page->body.find("<body>" + html + "</body>");
  EXPECT_NE(agent, std::string::npos) << page->body;
  EXPECT_NE(body, std::string::npos) << page->body;
  EXPECT_LT(agent, body);
  // The editor's own origin never serves the user's HTML.
  auto api = Api().Get("/htmledit.html", Own());
  ASSERT_TRUE(api);
  EXPECT_EQ(api->status, 404);

  // A picture named by its path shows from a copy the preview origin serves; a missing one and
  // a file that is no picture are not copied.
  const std::string picture = (dir_ / "home" / "a b.png").string();
  std::ofstream(picture, std::ios::binary) << "\x89PNG\r\n";
  std::ofstream(dir_ / "home" / "notes.png") << "text";
  const json shown =
      Post("/api/html-editor/pictures", {{"sources",
                                          {picture, (dir_ / "home" / "notes.png").string(),
                                           "/none.png", "http://example.org/x.png"}}})["pictures"];
  ASSERT_EQ(shown.size(), 1u) << shown.dump();
  const std::string copy = shown[picture];
  EXPECT_TRUE(copy.starts_with("htmledit_files/") && copy.ends_with("/a%20b.png")) << copy;
  auto served = preview.Get(("/" + copy).c_str());
  ASSERT_TRUE(served);
  EXPECT_EQ(served->status, 200);
  EXPECT_EQ(served->get_header_value("Content-Type"), "image/png");
  EXPECT_EQ(Post("/api/html-editor", {{"html", "<img src='" + picture + "'>"}})["pictures"], shown);
}

TEST_F(ServerTest, CatalogueProgressListsAndThumbnailsAsPng) {
  auto get = [&](const char* path) {
    auto res = Api().Get(path, Own());
    EXPECT_TRUE(res) << path;
    return res;
  };
  EXPECT_FALSE(json::parse(get("/api/progress")->body)["ready"]);
  session_->ReadCatalogue();
  EXPECT_EQ(json::parse(get("/api/progress")->body)["text"], "Building SWF");
  const json catalogue = json::parse(get("/api/catalogue")->body);
  std::string list;
  int pictured = -1;
  for (const json& l : catalogue["lists"])
    for (size_t i = 0; i < l["entries"].size() && pictured < 0; ++i)
      if (l["entries"][i]["picture"]) list = l["name"], pictured = int(i);
  ASSERT_GE(pictured, 0) << "some entry has a picture";
  auto png =
      Api().Get("/api/thumbnail", {{"list", list}, {"entry", std::to_string(pictured)}}, Own());
  ASSERT_TRUE(png);
  EXPECT_EQ(png->status, 200);
  EXPECT_EQ(png->get_header_value("Content-Type"), "image/png");
  EXPECT_EQ(png->body.substr(1, 3), "PNG");
  EXPECT_EQ(get("/api/thumbnail?list=none&entry=0")->status, 404);
  EXPECT_EQ(get("/api/thumbnail?list=x&entry=-1")->status, 400);
  // A sample whose project is missing leaves the open document as it is.
  const uint64_t revision = Revision();
  auto res = Api().Post("/api/samples/open", Own(),
                        json{{"revision", revision}, {"list", "Flash Banner"}, {"entry", 0}}.dump(),
                        "application/json");
  ASSERT_TRUE(res);
  if (res->status != 200) {
    EXPECT_EQ(Revision(), revision) << res->body;
  }
}

}  // namespace
}  // namespace orvanta

namespace orvanta {
namespace {

namespace fs = std::filesystem;

TEST_F(ServerTest, ServesTheEditorItsFontsThePlayerAndItsClosing) {
  fs::create_directories(dir_ / "web" / "ui");
  std::ofstream(dir_ / "web" / "index.html") << "<title>Orvanta v6.08</title>";
  std::ofstream(dir_ / "web" / "ui" / "main.js") << "export {};";
  struct TCase {
    std::string path;
    int status;
    std::string type, body;
  };
  const TCase cases[] = {
      {"/", 200, "text/html; charset=utf-8", "<title>Orvanta v6.08</title>"},
      {"/?token=" + server_->Token(), 200, "text/html; charset=utf-8", "Orvanta"},
      {"/ui/main.js", 200, "text/javascript; charset=utf-8", "export {};"},
      {"/ui/none.js", 404, "", ""},
      {"/../home/x", 403, "", ""},
  };
  for (const TCase& c : cases) {
    auto res = Api().Get(c.path.c_str());
    ASSERT_TRUE(res) << c.path;
    EXPECT_TRUE(res->status == c.status || (c.status == 403 && res->status == 400))
        << c.path << ": " << res->status;
    if (!c.type.empty()) {
      EXPECT_EQ(res->get_header_value("Content-Type"), c.type) << c.path;
    }
    EXPECT_NE(res->body.find(c.body), std::string::npos) << c.path;
  }
  EXPECT_EQ(Api().Get("/", {{"Host", "evil.example"}})->status, 403);

  auto fonts = Api().Get("/api/fonts", Own());
  ASSERT_TRUE(fonts && fonts->status == 200);
  const json families = json::parse(fonts->body)["families"];
  EXPECT_NE(std::find(families.begin(), families.end(), "Liberation Sans"), families.end());

  const json preview = json::parse(Api().Get("/api/preview", Own())->body);
  EXPECT_EQ(preview["origin"], "http://127.0.0.1:" + std::to_string(server_->PreviewPort()));
  httplib::Client player("127.0.0.1", server_->PreviewPort());
  auto ruffle = player.Get("/ruffle/ruffle.js");
  ASSERT_TRUE(ruffle);
  EXPECT_EQ(ruffle->status, 200);
  EXPECT_EQ(ruffle->get_header_value("Content-Type"), "text/javascript; charset=utf-8");
  EXPECT_EQ(player.Get("/ruffle/../demo.swf")->status / 100, 4);

  EXPECT_EQ(Api().Post("/api/exit", "{}", "application/json")->status, 403);
  EXPECT_EQ(exits_, 0);
  EXPECT_EQ(Api().Post("/api/exit", Own(), "{}", "application/json")->status, 200);
  EXPECT_EQ(exits_, 1);
}

TEST(PreviewFiles, TheLinkPageTellsTheEditorAndCannotBreakOutOfItsScript) {
  const fs::path work = fs::temp_directory_path() / ("orvanta_link_" + std::to_string(getpid()));
  fs::create_directories(work);
  const TPreviewAnswer answer = PreviewAnswer(work, work, "/a</script><b>.html");
  fs::remove_all(work);
  EXPECT_EQ(answer.Status, 200);
  EXPECT_NE(answer.Body.find("parent.postMessage({\"orvantaLinkRefused\":\"Can not open link"),
            std::string::npos);
  EXPECT_EQ(answer.Body.find("</script><b>"), std::string::npos);
  EXPECT_EQ(answer.Body.find("<b>"), std::string::npos);
}

}  // namespace
}  // namespace orvanta

namespace orvanta {
namespace {

namespace fs = std::filesystem;

// The photo list's thumbnails: an entry is found as the slideshow finds it, but only a file
// inside the browser's roots is read, and what cannot be shown says so.
TEST_F(ServerTest, PhotoThumbnailsReadOnlyPicturesInsideTheBrowsableFolders) {
  const std::vector<uint8_t> png = EncodePNG(TPicture(40, 20, 0xFF3366CCu));
  auto write = [&](const fs::path& file) {
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(png.data()),
                                                std::streamsize(png.size()));
  };
  write(dir_ / "home" / "wide.png");
  write(dir_ / "outside.png");
  fs::create_symlink(dir_ / "outside.png", dir_ / "home" / "leads-out.png");
  std::ofstream(dir_ / "home" / "notes.jpg") << "not a picture";
  const std::string home = (dir_ / "home").string();
  struct TCase {
    std::string query;
    int status;
    uint32_t width = 0, height = 0;  // of the answered picture
  } cases[] = {
      {"name=photo01.jpg&width=64&height=48&fit=crop", 200, 64, 48},
      {"name=" + home + "/wide.png&width=64&height=48", 200, 64, 32},
      {"name=" + home + "/wide.png&width=100000&height=100000&fit=crop", 200, 2000, 2000},
      {"name=" + home + "/wide.png&width=-5&height=0", 200, 1, 1},
      {"name=" + (dir_ / "outside.png").string(), 403},
      {"name=" + home + "/leads-out.png", 403},
      {"name=/etc/passwd", 403},
      {"name=" + home + "/missing.jpg", 404},
      {"name=" + home + "/notes.jpg", 404},
      {"name=" + home + "/wide.png&width=wide", 400},
      {"name=" + home + "/wide.png&fit=stretch", 400},
      {"width=64", 400},
  };
  for (const TCase& c : cases) {
    auto res = Api().Get(("/api/photo-thumbnail?" + c.query).c_str(), Own());
    ASSERT_TRUE(res) << c.query;
    EXPECT_EQ(res->status, c.status) << c.query << ": " << res->body.substr(0, 200);
    EXPECT_EQ(res->get_header_value("Cache-Control"), "no-store");
    if (c.status != 200) {
      EXPECT_FALSE(json::parse(res->body)["error"].get<std::string>().empty()) << c.query;
      continue;
    }
    EXPECT_EQ(res->get_header_value("Content-Type"), "image/png");
    const TPicture picture = DecodePNG(std::span(
        reinterpret_cast<const uint8_t*>(res->body.data()), res->body.size()));
    EXPECT_EQ(picture.Width, c.width) << c.query;
    EXPECT_EQ(picture.Height, c.height) << c.query;
  }
  EXPECT_EQ(Api().Get("/api/photo-thumbnail?name=photo01.jpg")->status, 403) << "the token";
}

}  // namespace
}  // namespace orvanta
