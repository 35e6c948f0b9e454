#include <gtest/gtest.h>
#include <httplib.h>
#include <sys/stat.h>

#include <fstream>

#include "media/swf_reader.h"
#include "platform/stream.h"
#include "shell/gallery_movies.h"
#include "shell/gallery_thumbnails.h"
#include "shell/server/api_routes.h"
#include "shell/server/editor_server.h"
#include "shell/server/preview_files.h"
#include "shell/session_fixture.h"

namespace orvanta {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

class GalleryTest : public SessionTest {
 protected:
  json Preview(const json& request, int status = 200) {
    const TApiResponse answer = HandleApi(*session_, "POST", "/api/gallery/preview", request);
    EXPECT_EQ(answer.Status, status) << request.dump() << ": " << answer.Body.dump();
    return answer.Body;
  }
};

// Copies the data root with every file and folder read-only, so that any write into it fails.
fs::path ReadOnlyCopy(const fs::path& to) {
  fs::copy(ORVANTA_DATA_ROOT, to, fs::copy_options::recursive);
  for (const auto& entry : fs::recursive_directory_iterator(to))
    fs::permissions(entry.path(), fs::perms::owner_write | fs::perms::group_write,
                    fs::perm_options::remove);
  fs::permissions(to, fs::perms::owner_write, fs::perm_options::remove);
  return to;
}

TEST_F(GalleryTest, EachGalleryWritesItsEntrysMovieIntoTheWorkingFolder) {
  struct TCase {
    const char* list;
    int entry;
    const char* movie;
    const char* caption;
  };
  const TCase cases[] = {
      {"Button Styles", 25, "temp2.swf", ""},       {"Button Styles", 0, "demo.swf", ""},
      {"Shape Styles", 3, "shapedemo.swf", ""},     {"Shape Styles", 0, "demo.swf", ""},
      {"Library Clips", 5, "temp2.swf", "300x200"}, {"Loading Screens", 2, "temp2.swf", ""},
      {"Music Controls", 6, "temp2.swf", ""},       {"Music Controls", 0, "demo.swf", ""},
      {"Transitions", 0, "temp2.swf", ""},          {"Transitions", 11, "temp2.swf", ""},
      {"Photo Borders", 2, "demo.swf", ""},         {"Photo Borders", 25, "tempd2.swf", ""},
      {"Text Effects", 10, "temp2.swf", ""},        {"Text Effects", 0, "demo.swf", ""},
      {"Art Families", 16, "temp2.swf", ""},
      {"Background Effects", 0, "demo.swf", ""},    {"Background Effects", 10, "temp2.swf", ""},
  };
  const fs::path work = dir_ / "work";
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.list) + " " + std::to_string(c.entry));
    fs::remove(work / c.movie);
    const json answer = Preview({{"list", c.list}, {"entry", c.entry}});
    EXPECT_EQ(answer["movie"], c.movie);
    EXPECT_EQ(answer["caption"], c.caption);
    const std::vector<uint8_t> bytes = ReadWholeFile((work / c.movie).string());
    TMemoryViewStream stream(bytes);
    TSWFStreamReader reader(stream);
    ASSERT_TRUE(reader.Valid);
    const TSWFRect& frame = reader.Header().FrameSize;
    EXPECT_EQ(answer["width"], (frame.Xmax() - frame.Xmin()) / 20);
    EXPECT_EQ(answer["height"], (frame.Ymax() - frame.Ymin()) / 20);
  }
  EXPECT_EQ(Preview({{"list", "Shape Styles"}, {"entry", 3}})["width"], 580);
}

TEST_F(GalleryTest, BadRequestsAreRefusedAndTheColoursAreChecked) {
  const json shape = {{"list", "Shape Styles"}, {"entry", 1}};
  Preview({{"list", "Transitions"}, {"entry", 12}}, 404);
  Preview({{"list", "Photo Borders"}, {"entry", -1}}, 404);
  Preview({{"list", "Flash Banner"}, {"entry", 0}}, 404);
  Preview({{"list", "Button Styles"}}, 400);
  Preview({{"list", 3}, {"entry", 1}}, 400);
  Preview({{"list", "Shape Styles"}, {"entry", 1}, {"values", {{"shape1color1", "red"}}}}, 400);
  Preview({{"list", "Shape Styles"}, {"entry", 1}, {"values", {{"SWFWidth", 5}}}}, 400);
  Preview({{"list", "Shape Styles"}, {"entry", 1}, {"values", "x"}}, 400);
  const json values = {{"shape1color1Replace", true},
                       {"shape1color1", "255"},
                       {"shape1color2Replace", "False"},
                       {"shape1color2", 65280}};
  const uint64_t revision = Revision();
  Preview({{"list", "Shape Styles"}, {"entry", 1}, {"values", values}});
  EXPECT_EQ(Revision(), revision) << "a preview changes nothing in the document";
}

TEST(GalleryMovies, AReadOnlyDataRootServesEveryGalleryAndIsNeverWritten) {
  const fs::path dir = fs::temp_directory_path() / ("orvanta_gallery_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "work");
  const TDataRoot data(ReadOnlyCopy(dir / "data"));
  const TTemplatePack templates(EmbeddedTemplatePack());
  TEditorSession session(TSessionConfig{data.Folder(), dir / "work", {}, 1, &templates, {}});
  for (const std::string& list : GalleryListNames()) {
    const int last = GalleryEntryCount(list) - 1;
    for (int entry : {0, 1, last}) {
      const json answer = session.GalleryPreview(list, entry, {});
      EXPECT_TRUE(fs::exists(dir / "work" / answer["movie"].get<std::string>())) << list;
    }
  }
  // Every movie a gallery offers is there to be had.
  for (const std::string& list : GalleryListNames()) {
    int placeholders = 0;
    for (int entry = 1; entry < GalleryEntryCount(list); ++entry)
      placeholders += !GalleryMovie({data, templates}, list, entry);
    EXPECT_EQ(placeholders, list == "Photo Borders" ? 2 : 0) << list;
  }
  fs::permissions(dir / "data", fs::perms::owner_all, fs::perm_options::add);
  for (const auto& entry : fs::recursive_directory_iterator(dir / "data"))
    fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
  fs::remove_all(dir);
}

TEST_F(GalleryTest, EveryEntryOfEveryGalleryHasAPicture) {
  session_->ReadCatalogue();
  const json catalogue = session_->Catalogue().Lists();
  const std::vector<std::string>& galleries = GalleryListNames();
  size_t seen = 0;
  for (const json& list : catalogue["lists"]) {
    const std::string name = list["name"];
    if (std::find(galleries.begin(), galleries.end(), name) == galleries.end()) continue;
    ++seen;
    EXPECT_EQ(int(list["entries"].size()), GalleryEntryCount(name)) << name;
    for (const json& entry : list["entries"]) {
      EXPECT_TRUE(entry["picture"]) << name << " " << entry["caption"];
      if (name == "Art Families" || name == "Background Effects") {
        EXPECT_TRUE(entry["field"].get<std::string>().starts_with("FontBa") ||
                    entry["field"].get<std::string>().starts_with("FontFrontArtText"));
      }
    }
    // A drawn picture comes as PNG like the others.
    const std::vector<uint8_t> png = session_->Catalogue().ThumbnailPng(name, 0);
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
  }
  EXPECT_EQ(seen, galleries.size());
  for (const std::string category : catalogue["clipCategories"])
    EXPECT_EQ(catalogue["clipsByCategory"][category], json(ClipsInCategory(category)));
  EXPECT_EQ(catalogue["lists"][12]["entries"][0]["field"], "FontBackgroundEffectNone");
}

// A text effect's preview draws its shaded ground from the first frame and brings the coloured
// letters in later: the drawn thumbnail must show them, not the empty ground.
TEST(GalleryThumbnails, ADrawnThumbnailShowsWhatComesOntoTheGround) {
  const std::vector<uint8_t> swf =
      ReadWholeFile((fs::path(ORVANTA_DATA_ROOT) / "prevswf" / "text6.swf").string());
  const TPicture picture = MovieThumbnail(swf, kDrawnThumbnailWidth, kDrawnThumbnailHeight);
  size_t coloured = 0;
  for (uint32_t y = 0; y < picture.Height; ++y)
    for (uint32_t x = 0; x < picture.Width; ++x) {
      const uint8_t* p = picture.Pixel(x, y);
      if (std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]}) > 80) ++coloured;
    }
  EXPECT_GT(coloured, 200u);
}

TEST_F(GalleryTest, ThePreviewPagePlaysAPlainMovieNameOnly) {
  TEditorServer server(*session_, {});
  httplib::Client preview("127.0.0.1", server.PreviewPort());
  Preview({{"list", "Button Styles"}, {"entry", 25}});
  auto page = preview.Get("/gallery_preview.htm?movie=temp2.swf&t=17");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
  EXPECT_EQ(page->get_header_value("Cache-Control"), "no-store");
  EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=utf-8");
  EXPECT_NE(page->body.find("src=\"temp2.swf?t=17\""), std::string::npos);
  EXPECT_NE(page->body.find("ruffle/ruffle.js"), std::string::npos);
  // A page of that name in the working folder cannot stand in for it.
  std::ofstream(dir_ / "work" / "gallery_preview.htm") << "<p>not this</p>";
  EXPECT_EQ(preview.Get("/gallery_preview.htm?movie=temp2.swf")->body.find("not this"),
            std::string::npos);
  const std::pair<const char*, int> refused[] = {
      {"../secret.swf", 400},
      {"%2e%2e%2fsecret.swf", 400},
      {"/etc/passwd", 400},
      {"a%2Fb.swf", 400},
      {"", 400},
      {"x%22onload%3D.swf", 400},
      {".lock", 400},
      {"missing.swf", 404},
      {"temp2.swf&t=1x", 400},
  };
  for (const auto& [movie, status] : refused) {
    auto res = preview.Get(std::string("/gallery_preview.htm?movie=") + movie);
    ASSERT_TRUE(res) << movie;
    EXPECT_EQ(res->status, status) << movie;
  }
}

}  // namespace
}  // namespace orvanta
