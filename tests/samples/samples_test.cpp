// The shipped sample projects as a new user meets them: every catalogue entry opens a project
// of the size its name gives, with its thumbnail, and between them the samples show every
// effect, transition and content kind the program has.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <set>

#include "platform/data_root.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "project/catalogue.h"
#include "project/project_file.h"
#include "sample_build.h"
#include "sample_looks.h"
#include "sample_thumbnail.h"

namespace orvanta::samples {
namespace {

namespace fs = std::filesystem;

const fs::path kSamples = fs::path(ORVANTA_DATA_ROOT) / "default_template";

TEST(SampleSizeTest, TheNameGivesTheSize) {
  const std::pair<const char*, std::pair<int, int>> cases[] = {
      {"banner_panel93_728x90", {728, 90}},     {"banner_panel90_2_160x600", {160, 600}},
      {"banner_panel64_2_120x600", {120, 600}}, {"Banner_panel82_300x250", {300, 250}},
      {"banner16", {800, 800}},                 {"banner25_2", {800, 800}},
      {"photoalbumborder10", {800, 800}},       {"banner_728x", {800, 800}}};
  for (const auto& [name, size] : cases) {
    const TBannerSize got = SizeFromName(name);
    EXPECT_EQ(std::pair(got.Width, got.Height), size) << name;
  }
}

TEST(SampleDocumentTest, ASettingTheRegistryWouldChangeIsRefusedByName) {
  for (const auto& [field, value] : std::vector<std::pair<std::string, std::string>>{
           {"TextEffectID", "42"}, {"SWFWidth", "wide"}, {"nosuchfield", "1"}}) {
    TSampleRecipe recipe;
    recipe.Name = "broken";
    recipe.Set(field, value);
    try {
      SampleDocument(recipe);
      ADD_FAILURE() << field << "=" << value << " was accepted";
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find(field), std::string::npos) << e.what();
    }
  }
}

// One sample built from its recipe, as the build step does, in a folder of its own.
TEST(SampleBuildTest, ARecipeBuildsWithoutWarningsAndCentresItsHeadline) {
  const std::vector<uint8_t> pack = ReadWholeFile(ORVANTA_TEMPLATE_PACK);
  const TTemplatePack templates(pack);
  const fs::path work = fs::temp_directory_path() / ("orvanta_sample_" + std::to_string(getpid()));
  fs::create_directories(work);
  for (const TSampleRecipe& recipe : SampleRecipes()) {
    if (recipe.Name != "banner_panel93_300x250") continue;
    const TBuiltSample sample = BuildSample(recipe, TDataRoot(ORVANTA_DATA_ROOT), templates, work);
    for (const TWarning& w : sample.Warnings) ADD_FAILURE() << w.Text();
    const TItemRect headline = sample.Document.ItemRect(0);
    ASSERT_GT(headline.Width, 0);
    EXPECT_NEAR(headline.Left + headline.Width / 2, 150, 2);
    EXPECT_EQ(sample.Thumbnail.Width, kThumbnailWidth);
    EXPECT_EQ(sample.Thumbnail.Height, kThumbnailHeight);
  }
  fs::remove_all(work);
}

struct TShippedSample {
  std::string Name;
  TPageState Page;
};

// The sample projects the build wrote; none in a build that skips them (the sanitizer build).
std::vector<TShippedSample> ShippedSamples() {
  std::vector<TShippedSample> out;
  if (!fs::exists(kSamples / "blank.fls")) return out;
  std::vector<std::string> names = FlashBannerSamples();
  names.insert(names.end(), FlashSlideshowSamples().begin(), FlashSlideshowSamples().end());
  for (const std::string& name : names) {
    TLoadedProject project = LoadProject(kSamples / (name + ".fls"));
    for (const TWarning& w : project.Warnings) ADD_FAILURE() << name << ": " << w.Text();
    EXPECT_EQ(project.Document.PageCount(), 1) << name;
    out.push_back({name, project.Document.Current});
  }
  return out;
}

int Integer(const TPageState& page, const std::string& field) {
  return std::stoi(page.Field(field).Text);
}
bool On(const TPageState& page, const std::string& field) {
  return page.Field(field).Text == "True";
}

TEST(ShippedSamplesTest, EachOpensAtTheSizeOfItsNameWithAHeadline) {
  const auto samples = ShippedSamples();
  if (samples.empty()) GTEST_SKIP() << "this build generates no samples";
  std::set<std::pair<int, int>> sizes;
  for (const TShippedSample& s : samples) {
    const TBannerSize size = SizeFromName(s.Name);
    EXPECT_EQ(Integer(s.Page, "SWFWidth"), size.Width) << s.Name;
    EXPECT_EQ(Integer(s.Page, "SWFHeight"), size.Height) << s.Name;
    EXPECT_FALSE(s.Page.InputText.empty()) << s.Name;
    sizes.insert({size.Width, size.Height});
  }
  for (std::pair<int, int> iab : {std::pair{728, 90}, {300, 250}, {160, 600}, {120, 600}})
    EXPECT_TRUE(sizes.count(iab)) << iab.first << "x" << iab.second;
  const TLoadedProject blank = LoadProject(kSamples / "blank.fls");
  EXPECT_TRUE(blank.Warnings.empty());
  EXPECT_EQ(blank.Document.Current, TBannerDocument::New().Current);
}

// What the whole set shows between its samples, counted from the files a user opens.
TEST(ShippedSamplesTest, BetweenThemEveryEffectTransitionAndContentKindShows) {
  const auto samples = ShippedSamples();
  if (samples.empty()) GTEST_SKIP() << "this build generates no samples";
  std::set<int> effects, transitions, buttonStyles, loadingScreens, artFamilies;
  std::map<std::string, int> kinds;
  for (const TShippedSample& s : samples) {
    const TPageState& p = s.Page;
    effects.insert(Integer(p, "TextEffectID"));
    if (On(p, "FontFrontArtTextEnabled"))
      for (int f = 0; f < kArtFamilies; ++f)
        if (On(p, ArtFamilyOption(f))) artFamilies.insert(f);
    if (!p.Photos.empty()) transitions.insert(Integer(p, "slideshoweffect"));
    if (Integer(p, "buttonindex1") > 0) buttonStyles.insert(Integer(p, "buttonindex1"));
    if (Integer(p, "preloadindex") > 0) loadingScreens.insert(Integer(p, "preloadindex"));
    const std::pair<const char*, bool> present[] = {
        {"shape panel", Integer(p, "shape1listbox") > 0},
        {"static image", p.Field("StaticImageText").Text != "None"},
        {"back image", p.Field("BGImageText3").Text != "None"},
        {"page picture", On(p, "PageBackGroundImageEnabled")},
        {"static text", !p.StaticTexts[0].empty()},
        {"HTML text", !p.HtmlTexts[0].empty()},
        {"button bar", Integer(p, "buttonindex1") > 0},
        {"whole-banner link", On(p, "buttonurlenabled0")},
        {"slideshow", !p.Photos.empty()},
        {"album thumbnails", On(p, "thumbenabled")},
        {"library clip", Integer(p, "PageEffectID1") > 0},
        {"music", p.Field("bgsound").Text != "None"},
        {"text background effect", !On(p, "FontBackgroundEffectNone")},
        {"text front effect", !On(p, "FontFrontgroundEffectNone")},
        {"gradient letters", On(p, "FontFrontGradientColorEnabled")},
        {"texture letters", On(p, "FontFrontImageEnabled")},
    };
    for (const auto& [kind, shown] : present) kinds[kind] += shown ? 1 : 0;
  }
  EXPECT_EQ(effects.size(), size_t(kTextEffects));
  EXPECT_EQ(transitions.size(), 12u);
  EXPECT_GE(artFamilies.size(), 10u);
  EXPECT_GE(buttonStyles.size(), 8u);
  EXPECT_EQ(loadingScreens.size(), 8u);
  for (const auto& [kind, count] : kinds) EXPECT_GT(count, 0) << "no sample shows a " << kind;
}

TEST(ShippedSamplesTest, TheCatalogueOffersEachWithItsOwnThumbnail) {
  if (ShippedSamples().empty()) GTEST_SKIP() << "this build generates no samples";
  const TCatalogue catalogue = ReadCatalogue(TDataRoot(ORVANTA_DATA_ROOT));
  std::set<std::vector<uint8_t>> pictures;
  for (const TCatalogueList* list : {&catalogue.FlashBanners, &catalogue.FlashSlideshows})
    for (const TCatalogueEntry& entry : list->Entries) {
      EXPECT_TRUE(entry.Available) << entry.Caption;
      const TPicture& picture = entry.Thumbnail.Picture;
      ASSERT_EQ(picture.Width, kThumbnailWidth) << entry.Caption;
      ASSERT_EQ(picture.Height, kThumbnailHeight) << entry.Caption;
      // Not one flat colour: the banner was drawn into it.
      std::set<uint32_t> colours;
      for (uint32_t y = 0; y < picture.Height; ++y)
        for (uint32_t x = 0; x < picture.Width; ++x) {
          const uint8_t* px = picture.Pixel(x, y);
          colours.insert(px[0] | px[1] << 8 | px[2] << 16);
        }
      EXPECT_GT(colours.size(), 40u) << entry.Caption;
      EXPECT_TRUE(pictures.insert(picture.Pixels).second) << entry.Caption << " repeats a picture";
    }
}

}  // namespace
}  // namespace orvanta::samples
