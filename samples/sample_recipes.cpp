#include <algorithm>
#include <regex>

#include "project/catalogue.h"
#include "sample_parts.h"

namespace orvanta::samples {

namespace {

constexpr int kShapeStyles = 106;

// The number after a word in the name ("banner_panel93_728x90", "banner_shape22"), or 0.
int NumberAfter(const std::string& name, const std::string& word) {
  const std::regex pattern(word + "([0-9]+)", std::regex::icase);
  std::smatch match;
  return std::regex_search(name, match, pattern) ? std::stoi(match[1]) : 0;
}

bool Contains(const std::string& name, const std::string& word) {
  return std::regex_search(name, std::regex(word, std::regex::icase));
}

// The panel a sample is named after, else one picked by its position in the catalogue.
int PanelStyle(const std::string& name, int index) {
  for (const char* word : {"panel", "panep", "shape"})
    if (const int n = NumberAfter(name, word); n >= 1 && n <= kShapeStyles) return n;
  return (index * 37) % kShapeStyles + 1;
}

// A tagline too wide for a narrow banner, broken at its middle space.
std::string InTwoLines(const std::string& text) {
  const size_t middle = text.size() / 2;
  size_t best = std::string::npos;
  for (size_t i = text.find(' '); i != std::string::npos; i = text.find(' ', i + 1))
    if (best == std::string::npos || std::abs(int(i) - int(middle)) < std::abs(int(best) - int(middle)))
      best = i;
  if (best == std::string::npos) return text;
  std::string out = text;
  out[best] = '\n';
  return out;
}

void Leaderboard(TSampleRecipe& r, const TSampleLook& look, int index, bool ball) {
  const TPalette& p = look.Palette;
  const int w = r.Size.Width, h = r.Size.Height;
  AddPageBackground(r, look);
  AddPanel(r, 1, PanelStyle(r.Name, index), {0, 0, w, h}, p.Panel, p.PanelEdge);
  const bool picture = !ball && index % 2 == 0;
  if (picture) AddPicture(r, 1, look.Photo, {10, 8, 98, 74}, 0);
  if (ball) {
    AddClip(r, 1, 303, 20, 10, 60);
    AddClip(r, 2, 38, 540, 20, 50);
  } else if (look.Clip > 0 && !picture) {
    AddClip(r, 1, look.Clip, 14, 10, 50);
  }
  AddHeadline(r, look, 200, 12, 26, false);
  CentreLater(r, "Animated Text", 120, 580);
  // A leaderboard is too low for the background effect under its tagline.
  AddStaticText(r, 1, look.Copy.Tagline, 200, 62, 10, p.Text, p.Page, false);
  CentreLater(r, "Static Text1", 120, 580);
  AddButtons(r, look, 1, 596, 26, 38, 124, false, 8);
  AddLoadingAndMusic(r, look, 600, 68);
}

void Rectangle(TSampleRecipe& r, const TSampleLook& look, int index, bool slideshow,
               int transition) {
  const TPalette& p = look.Palette;
  const int w = r.Size.Width, h = r.Size.Height;
  AddPageBackground(r, look);
  AddPanel(r, 1, PanelStyle(r.Name, index), {0, 0, w, h}, p.Panel, p.PanelEdge);
  AddHeadline(r, look, 20, 26, 20, !slideshow && index % 2 == 0);
  CentreLater(r, "Animated Text", 0, w);
  if (slideshow) {
    AddSlideshow(r, look.Photo, 5, {30, 56, 240, 130}, transition, 3 + index % 23, false);
  } else if (look.Clip > 0) {
    AddClip(r, 1, look.Clip, 110, 92, 80);
  } else {
    AddPicture(r, 1, look.Photo, {80, 86, 140, 92}, index % 6);
  }
  AddStaticText(r, 1, look.Copy.Tagline, 20, 190, 10, p.Text, p.Page, index % 4 == 3);
  CentreLater(r, "Static Text1", 0, w);
  AddButtons(r, look, 2, 20, 212, 28, 270, false, 10);
  CentreLater(r, "Button", 0, w);
  AddLoadingAndMusic(r, look, 196, 4);
}

void Skyscraper(TSampleRecipe& r, const TSampleLook& look, int index) {
  const TPalette& p = look.Palette;
  const int w = r.Size.Width, h = r.Size.Height;
  const bool narrow = w < 150;
  AddPageBackground(r, look);
  AddPanel(r, 1, PanelStyle(r.Name, index), {0, 0, w, h}, p.Panel, p.PanelEdge);
  AddHeadline(r, look, 6, 40, narrow ? 10 : 13, true);
  CentreLater(r, "Animated Text", 0, w);
  AddPicture(r, 1, look.Photo, {10, 150, w - 20, (w - 20) * 3 / 4}, index % 6);
  AddStaticText(r, 1, InTwoLines(look.Copy.Tagline), 10, 290, narrow ? 9 : 10, p.Text, p.Page,
                index % 2 == 1);
  CentreLater(r, "Static Text1", 0, w);
  AddClip(r, 1, look.Clip > 0 ? look.Clip : 78, w / 2 - 30, 360, 60);
  AddButtons(r, look, 3, 10, 450, 30, w - 20, true, 12);
  CentreLater(r, "Button", 0, w);
  AddLoadingAndMusic(r, look, 6, h - 26);
}

constexpr const char* kAbout =
    "<p><b>Made with Orvanta.</b> Change the words, pick other photos and colours, then "
    "publish the page as a folder that plays in every browser.</p>";

constexpr const char* kContact = "Open every day from 9 to 6\nCall 555 0100";

// A header band holding the headline, over a body panel in another style.
void HeaderAndBody(TSampleRecipe& r, const TSampleLook& look, int index, int bodyStyleStep,
                   TBox body) {
  const TPalette& p = look.Palette;
  const int style = PanelStyle(r.Name, index);
  AddPanel(r, 1, style, {0, 0, 800, 150}, p.Panel, p.PanelEdge);
  AddPanel(r, 2, (style + bodyStyleStep) % kShapeStyles + 1, body, p.PanelEdge, p.Panel, 235);
  AddHeadline(r, look, 100, 36, 36, index % 2 == 0);
  CentreLater(r, "Animated Text", 0, 800);
}

// A header band with the headline, a row of buttons under it and three framed pictures.
void GalleryPage(TSampleRecipe& r, const TSampleLook& look, int index) {
  const TPalette& p = look.Palette;
  HeaderAndBody(r, look, index, 10, {30, 230, 740, 540});
  AddButtons(r, look, 4, 40, 176, 36, 720, false, 16);
  CentreLater(r, "Button", 0, 800);
  for (int i = 0; i < 3; ++i)
    AddPicture(r, i + 1, (look.Photo + i * 5) % 28 + 1, {60 + i * 235, 260, 210, 158},
               (index + i) % 6);
  AddStaticText(r, 1, look.Copy.Tagline, 60, 450, 20, p.Headline, p.Page, index % 2 == 0);
  CentreLater(r, "Static Text1", 30, 770);
  AddStaticText(r, 2, kContact, 60, 560, 12, p.Text, p.Page, false);
  CentreLater(r, "Static Text2", 30, 770);
  AddHtmlText(r, 1, kAbout, {80, 640, 640, 90}, index % 2 == 1);
}

// A large picture beside a column of words and buttons, two small pictures under it.
void HeroPage(TSampleRecipe& r, const TSampleLook& look, int index) {
  const TPalette& p = look.Palette;
  HeaderAndBody(r, look, index, 20, {30, 180, 740, 590});
  AddPicture(r, 1, look.Photo, {60, 210, 420, 315}, index % 2 == 0 ? 0 : 5);
  AddStaticText(r, 1, InTwoLines(look.Copy.Tagline), 510, 230, 18, p.Headline, p.Page, false);
  CentreLater(r, "Static Text1", 490, 760);
  AddStaticText(r, 2, kContact, 510, 320, 11, p.Text, p.Page, false);
  CentreLater(r, "Static Text2", 490, 760);
  AddButtons(r, look, 3, 540, 400, 36, 250, true, 14);
  CentreLater(r, "Button", 490, 760);
  AddPicture(r, 2, (look.Photo + 9) % 28 + 1, {60, 555, 200, 180}, 1);
  AddPicture(r, 3, (look.Photo + 18) % 28 + 1, {280, 555, 200, 180}, 3);
  AddHtmlText(r, 1, kAbout, {500, 580, 250, 160}, index % 2 == 1);
}

// One photo over the whole page, the words on a panel in the middle of it.
void PosterPage(TSampleRecipe& r, const TSampleLook& look, int index) {
  const TPalette& p = look.Palette;
  AddPicture(r, 4, (look.Photo + 3) % 28 + 1, {0, 0, 800, 800});
  AddPanel(r, 1, PanelStyle(r.Name, index), {100, 150, 600, 460}, p.Panel, p.PanelEdge, 215);
  AddHeadline(r, look, 150, 190, 44, true);
  CentreLater(r, "Animated Text", 100, 700);
  AddStaticText(r, 1, look.Copy.Tagline, 150, 340, 20, p.Headline, p.Page, false);
  CentreLater(r, "Static Text1", 100, 700);
  AddPicture(r, 1, (look.Photo + 12) % 28 + 1, {330, 385, 140, 140}, index % 2 == 0 ? 1 : 2);
  AddStaticText(r, 2, kContact, 150, 545, 12, p.Text, p.Page, false);
  CentreLater(r, "Static Text2", 100, 700);
  AddButtons(r, look, 2, 300, 650, 40, 500, false, 20);
  CentreLater(r, "Button", 0, 800);
  AddHtmlText(r, 1, kAbout, {150, 720, 500, 60}, true);
}

// The 800 x 800 samples are small web pages, in three layouts taken in turn.
void Page(TSampleRecipe& r, const TSampleLook& look, int index, bool ball) {
  AddPageBackground(r, look, index % 5 == 2 ? look.Photo : 0);
  switch (index % 3) {
    case 0:
      GalleryPage(r, look, index);
      break;
    case 1:
      HeroPage(r, look, index);
      break;
    default:
      PosterPage(r, look, index);
  }
  if (ball) {
    AddClip(r, 1, 303, 640, 20, 100);
    AddClip(r, 2, 182, 40, 20, 100);
  } else {
    AddClip(r, 1, look.Clip > 0 ? look.Clip : 55, 20, 20, 80);
    AddClip(r, 2, 120, 700, 700, 80);
  }
  AddLoadingAndMusic(r, look, 690, 8);
}

// The border a slideshow sample is named after ("photoalbumborder10": border 10).
int NamedBorder(const std::string& name, int fallback) {
  const int n = NumberAfter(name, "photoalbumborder");
  return n >= 1 && n <= 23 ? n + 2 : fallback;
}

void SlideshowPage(TSampleRecipe& r, const TSampleLook& look, int index, int transition) {
  const TPalette& p = look.Palette;
  const bool card = Contains(r.Name, "card|flower");
  AddPageBackground(r, look, card ? look.Photo : 0);
  // The other background samples show a photo over the whole banner, under the panel.
  if (!card && Contains(r.Name, "background|bg"))
    AddPicture(r, 4, (look.Photo + 7) % 28 + 1, {0, 0, 800, 800});
  const int panel = Contains(r.Name, "^panel") ? PanelStyle(r.Name, index) : index % 2 + 1;
  AddPanel(r, 1, panel, {110, 140, 580, 520}, p.Panel, p.PanelEdge, 230);
  AddHeadline(r, look, 100, 40, 34, true);
  CentreLater(r, "Animated Text", 0, 800);
  AddSlideshow(r, look.Photo, 6, {160, 170, 480, 360}, transition,
               NamedBorder(r.Name, index % 26), true);
  AddStaticText(r, 1, look.Copy.Tagline, 60, 690, 18, p.Text, p.Page, false);
  CentreLater(r, "Static Text1", 0, 800);
  AddButtons(r, look, 2, 300, 730, 40, 500, false, 20);
  CentreLater(r, "Button", 0, 800);
  AddLoadingAndMusic(r, look, 690, 8);
}

}  // namespace

std::vector<TSampleRecipe> SampleRecipes() {
  std::vector<std::string> names = FlashBannerSamples();
  const size_t banners = names.size();
  const auto& shows = FlashSlideshowSamples();
  names.insert(names.end(), shows.begin(), shows.end());

  std::vector<TSampleRecipe> recipes;
  int transitions = 0;
  for (size_t i = 0; i < names.size(); ++i) {
    TSampleRecipe r;
    r.Name = names[i];
    r.Size = SizeFromName(r.Name);
    const int index = int(i);
    const TSampleLook look = LookOf(index);
    const bool ball = Contains(r.Name, "ball");
    const bool slideshow = i >= banners || Contains(r.Name, "slideshow");
    const int transition = slideshow ? transitions++ % 12 : 0;
    r.Set("htmltitleedit",
          std::string(look.Copy.Headline).substr(0, std::string(look.Copy.Headline).find('\n')));
    if (r.Size.Height <= 100)
      Leaderboard(r, look, index, ball);
    else if (r.Size.Width == 300)
      Rectangle(r, look, index, slideshow, transition);
    else if (r.Size.Height >= 600 && r.Size.Width < 200)
      Skyscraper(r, look, index);
    else if (slideshow)
      SlideshowPage(r, look, index, transition);
    else
      Page(r, look, index, ball);
    recipes.push_back(std::move(r));
  }
  return recipes;
}

}  // namespace orvanta::samples
