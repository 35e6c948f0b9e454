// The generated artwork as the banner builders will meet it: every template in the pack the
// build made, checked against the rules of importing and against what each family promises.

#include <gtest/gtest.h>

#include <unistd.h>
#include <cmath>
#include <cstdlib>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "media/flash_external_movie.h"
#include "media/swf_reader.h"
#include "movie/flash_movie.h"
#include "movie/flash_place_object.h"
#include "movie/flash_sprite.h"
#include "platform/artwork_names.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "render/frame_renderer.h"
#include "render/pixmap.h"

namespace orvanta {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const TTemplatePack& Pack() {
  static const std::vector<uint8_t> bytes = ReadFile(ORVANTA_TEMPLATE_PACK);
  static const TTemplatePack pack(bytes);
  return pack;
}

struct TParsed {
  explicit TParsed(const TTemplateEntry& entry) : stream(entry.Data), reader(stream) {
    reader.ParseTags(true, false);
  }
  int Width() const { return (reader.FrameSize().Xmax() - reader.FrameSize().Xmin()) / 20; }
  int Height() const { return (reader.FrameSize().Ymax() - reader.FrameSize().Ymin()) / 20; }
  bool Has(uint16_t code) const {
    for (const auto& tag : reader.TagList)
      if (tag->TagID == code) return true;
    return false;
  }
  render::TPixmap Render(int frame = 1) {
    render::TRenderOptions options;
    options.Frame = frame;
    options.Transparent = true;
    return render::RenderFrame(reader, options);
  }
  TMemoryViewStream stream;
  TSWFStreamReader reader;
};

TEST(Artwork, EveryTemplateIsThereAndImportsCleanly) {
  for (const std::string& name : RequiredTemplateNames())
    EXPECT_NE(Pack().Find(name), nullptr) << "missing " << name;
  // Tags whose ids an import does not renumber, that would change the banner's version or
  // exports, or that carry fonts the import renames.
  const uint16_t refused[] = {87, 78, 76, 88, 57, 71, 72, 82, 56, 10, 48, 62, 75};
  for (const TTemplateEntry& entry : Pack().Entries()) {
    TParsed swf(entry);
    ASSERT_TRUE(swf.reader.Valid) << entry.Name;
    EXPECT_LE(swf.reader.Version(), 8) << entry.Name;
    EXPECT_GE(swf.reader.Header().FrameCount, 1) << entry.Name;
    for (const auto& tag : swf.reader.TagList) {
      EXPECT_NE(tag->TagID, ToCode(TTagCode::ErrorTag))
          << entry.Name << " has a tag that does not read";
      for (uint16_t code : refused) EXPECT_NE(tag->TagID, code) << entry.Name;
    }
  }
}

TEST(Artwork, ArtLettersShareHeightBaselineAndKeyColour) {
  for (const TArtLetterFamily& family : ArtLetterFamilies()) {
    double sum[3] = {0, 0, 0};
    double count = 0;
    std::map<int, int> inkTop;
    for (int code : ArtLetterCodes()) {
      const std::string name = ArtLetterName(family.Prefix, code);
      TParsed swf(Pack().Get(name));
      EXPECT_EQ(swf.reader.FrameSize().Xmin(), 0) << name;
      EXPECT_EQ(swf.reader.FrameSize().Ymin(), 0) << name;
      EXPECT_EQ(swf.reader.FrameSize().Ymax(), 120 * 20) << name;
      EXPECT_GT(swf.Width(), 4) << name;
      EXPECT_EQ(swf.reader.Header().FrameCount, 1) << name;
      const render::TPixmap pixels = swf.Render();
      int top = -1;
      for (int y = 0; y < pixels.Height; ++y)
        for (int x = 0; x < pixels.Width; ++x) {
          const uint8_t* p = pixels.Row(y) + x * 4;
          if (p[render::kAlpha] < 250) continue;
          if (top < 0) top = y;
          sum[0] += p[render::kRed], sum[1] += p[render::kGreen], sum[2] += p[render::kBlue];
          ++count;
        }
      inkTop[code] = top;
      // The counter of an O is a hole, whichever way the face winds its contours (the tile of
      // "Inverted" fills the whole frame).
      if (code == 'O' && std::string(family.Prefix) != "invertedtext") {
        EXPECT_EQ(pixels.Row(60)[pixels.Width / 2 * 4 + render::kAlpha], 0) << name;
      }
      // Nothing may be cut by the frame: the outermost rows and columns stay empty.
      EXPECT_GT(top, 0) << name;
    }
    // Capitals with flat tops stand on one baseline at one height (leaning letters and glints
    // move the top by a few pixels).
    for (int code : {'E', 'H', 'T', 'Z'})
      EXPECT_NEAR(inkTop[code], inkTop['I'], 5) << family.Prefix;
    // "Replace Color" shifts every pixel by the chosen colour minus the key, so the letters
    // are drawn in lighter and darker tones of the key: their mean has the key's hue (red the
    // least, blue the most), not a colour of its own such as gold.
    const double r = sum[0] / count, g = sum[1] / count, b = sum[2] / count;
    EXPECT_LT(r, g) << family.Prefix;
    EXPECT_LE(g, b * 1.02) << family.Prefix;
    EXPECT_LT(r / b, 0.92) << family.Prefix;
  }
}

// What the animated-text builder does with a letter: import it as a sprite and place it with
// "Replace Color" add terms. Red chosen, the letter must come out red.
TEST(Artwork, ImportedLettersTakeTheReplacedColour) {
  for (const TArtLetterFamily& family : ArtLetterFamilies()) {
    const std::string name = ArtLetterName(family.Prefix, 'A');
    TMemoryViewStream source(Pack().Get(name).Data);
    TFlashMovie host(0, 0, 200, 120, 12, true);
    host.SetVersion(8);
    TFlashExternalMovie* letter = host.AddExternalMovie(source);
    host.PlaceObject(letter->Sprite(), 1)
        ->SetColorTransform(true, 255 - 180, 0 - 225, 0 - 245, 0, false, 0, 0, 0, 0, false);
    host.ShowFrame();
    host.MakeData();
    TMemoryStream written;
    host.SaveToStream(written);
    TMemoryViewStream back(written.View());
    TSWFStreamReader reader(back);
    reader.ParseTags(true, false);
    render::TRenderOptions options;
    options.Transparent = true;
    const render::TPixmap pixels = render::RenderFrame(reader, options);
    double sum[3] = {0, 0, 0}, count = 0;
    for (int y = 0; y < pixels.Height; ++y)
      for (int x = 0; x < pixels.Width; ++x) {
        const uint8_t* p = pixels.Row(y) + x * 4;
        if (p[render::kAlpha] < 250) continue;
        sum[0] += p[render::kRed], sum[1] += p[render::kGreen], sum[2] += p[render::kBlue];
        ++count;
      }
    ASSERT_GT(count, 500) << name << " did not come through the import";
    EXPECT_GT(sum[0], 1.5 * sum[1]) << name;
    EXPECT_GT(sum[0], 1.5 * sum[2]) << name;
  }
}

TEST(Artwork, TextEffectsMoveAndBandsFillTheirBox) {
  for (const std::string& name : TextBackgroundEffects()) {
    TParsed swf(Pack().Get(name));
    ASSERT_GT(swf.reader.Header().FrameCount, 6) << name;
    EXPECT_NE(swf.Render(1).Pixels, swf.Render(7).Pixels) << name << " does not move";
    EXPECT_EQ(swf.Has(14) && swf.Has(15), name == "fire") << name << ": only fire has a sound";
  }
  for (const std::string& name : StaticTextEffects()) {
    TParsed swf(Pack().Get(name));
    EXPECT_EQ(swf.Width(), 800) << name;
    EXPECT_EQ(swf.Height(), 110) << name;
    const render::TPixmap pixels = swf.Render();
    int empty = 0;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 800; ++x) empty += pixels.Row(y)[x * 4 + render::kAlpha] == 0;
    EXPECT_EQ(empty, 0) << name << " leaves holes in the band";
  }
}

TEST(Artwork, TwoGeneratorRunsWriteTheSameBytes) {
  const fs::path dir =
      fs::temp_directory_path() / ("orvanta_artwork_twice_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  for (const char* run : {"a", "b"}) {
    const std::string command = std::string("\"") + ORVANTA_ARTWORK_GENERATOR + "\" \"" +
                                (dir / run / "templates.pack").string() + "\" \"" +
                                (dir / run / "data").string() + "\" > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  EXPECT_EQ(ReadFile(dir / "a" / "templates.pack"), ReadFile(dir / "b" / "templates.pack"));
  EXPECT_EQ(ReadFile(dir / "a" / "templates.pack"), ReadFile(ORVANTA_TEMPLATE_PACK));
  for (const std::string& file : RequiredDataFiles())
    EXPECT_EQ(ReadFile(dir / "a" / "data" / file), ReadFile(dir / "b" / "data" / file)) << file;
  fs::remove_all(dir);
}

}  // namespace
}  // namespace orvanta
