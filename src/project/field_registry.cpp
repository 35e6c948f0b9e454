#include "project/field_registry.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "platform/artwork_names.h"

namespace orvanta {

namespace {

// Colours are stored as 0x00BBGGRR.
constexpr int32_t kBlack = 0, kSilver = 0xC0C0C0, kBlue = 0xFF0000, kWhite = 0xFFFFFF,
                  kRed = 0x0000FF, kGrey = 0x808080, kSkyBlue = 0xFF8000;
constexpr std::string_view kWelcomeTitle = "Welcome to my Orvanta banner";
constexpr std::string_view kDefaultLink = "https://example.com/";

constexpr std::string_view kMusicModes[] = {"Loop", "Play Once"};
constexpr std::string_view kTextEffects[] = {"None",
                                             "Round 360x3",
                                             "Round 360x3 & Zoom",
                                             "Zoom",
                                             "Fly Right to Left",
                                             "Fly Bottom to Top",
                                             "Fly Left to Right",
                                             "Fly Top to Bottom",
                                             "Transparence",
                                             "Step By Step",
                                             "Round Step By Step"};
constexpr std::string_view kDisplayTypes[] = {"Line By Line", "Show All"};
constexpr std::string_view kAlignments[] = {"Left", "Right", "Center"};
constexpr std::string_view kShadowPositions[] = {"Right", "RightBottom", "Bottom", "LeftBottom",
                                                 "Left",  "LeftTop",     "Top",    "RightTop"};
constexpr std::string_view kGradientTypes[] = {"Letter Linear",
                                               "Letter RadialTopLeft",
                                               "Letter RadialTopRigth",
                                               "Letter RadialBottomLeft",
                                               "Letter RadialBottomRight",
                                               "Letter RadialCenter",
                                               "Text Linear",
                                               "Text RadialTopLeft",
                                               "Text RadialTopRigth",
                                               "Text RadialBottomLeft",
                                               "Text RadialBottomRight",
                                               "Text RadialCenter",
                                               "Random Linear",
                                               "Random Radial",
                                               "Round Linear",
                                               "Round Radial"};
constexpr std::string_view kTextureAnchors[] = {"Letter", "Text"};
constexpr std::string_view kLinkTargets[] = {"_blank", "_self", "_parent", "_top"};
constexpr std::string_view kDirections[] = {"Horizontal", "Vertical"};
constexpr std::string_view kThumbShapes[] = {"Round Rect", "Circle", "Ellipse", "Star", "Diamond"};
constexpr std::string_view kImageShapes[] = {"Round Rect", "Circle",  "Ellipse",
                                             "Star",       "Diamond", "Rectangle"};
constexpr std::string_view kTransitions[] = {
    "Quadrate Cell", "Circle Cell",  "Random Effect1",    "Random Effect2",
    "Brush Effect",  "Transparence", "Random Line",       "Random Box",
    "Move Fly",      "Move Fly2",    "Transparency Line", "Transparency Line2"};
constexpr std::string_view kAlbumPositions[] = {"At the top of all movieclips",
                                                "At the end of all movieclips"};
constexpr std::string_view kBorders[] = {"None",      "Color Border", "Random Color Border",
                                         "Border 1",  "Border 2",     "Border 3",
                                         "Border 4",  "Border 5",     "Border 6",
                                         "Border 7",  "Border 8",     "Border 9",
                                         "Border 10", "Border 11",    "Border 12",
                                         "Border 13", "Border 14",    "Border 15",
                                         "Border 16", "Border 17",    "Border 18",
                                         "Border 19", "Border 20",    "Border 21",
                                         "Border 22", "Border 23"};

// The largest index of each catalogue the program data fills.
int32_t CatalogueMax(TChoiceSource source) {
  switch (source) {
    case TChoiceSource::ButtonStyles:
      return 137;
    case TChoiceSource::ShapeStyles:
      return 106;
    case TChoiceSource::LibraryClips:
      return 798;
    default:
      // Loading screens and music controls are as many as the data root ships.
      return 99;
  }
}

// Appends rows for one editor at a time; a tab stays in force until the next one.
class TRegistryBuilder {
 public:
  void Editor(TEditorId editor) { editor_ = editor; }
  void Tab(std::string tab) { tab_ = std::move(tab); }

  TFieldSpec& Integer(std::string name, int32_t min, int32_t max, int32_t def,
                      std::string caption) {
    TFieldSpec& f = Add(std::move(name), TFieldKind::Integer, std::to_string(def), caption);
    f.Min = min;
    f.Max = max;
    return f;
  }
  TFieldSpec& Flag(std::string name, bool def, std::string caption) {
    return Add(std::move(name), TFieldKind::Flag, def ? "True" : "False", caption);
  }
  TFieldSpec& Option(std::string name, std::string group, bool def, std::string caption) {
    TFieldSpec& f = Add(std::move(name), TFieldKind::Option, def ? "True" : "False", caption);
    f.OptionGroup = std::move(group);
    return f;
  }
  TFieldSpec& Choice(std::string name, std::span<const std::string_view> list, int32_t def,
                     std::string caption, TFieldKind kind = TFieldKind::Choice) {
    TFieldSpec& f = Add(std::move(name), kind, std::to_string(def), caption);
    f.Source = TChoiceSource::FixedList;
    f.Choices = list;
    f.Min = -1;
    f.Max = int32_t(list.size()) - 1;
    return f;
  }
  TFieldSpec& Catalogue(std::string name, TChoiceSource source, int32_t def, std::string caption,
                        TFieldKind kind = TFieldKind::PictureChoice) {
    TFieldSpec& f = Add(std::move(name), kind, std::to_string(def), caption);
    f.Source = source;
    f.Min = -1;
    f.Max = CatalogueMax(source);
    return f;
  }
  TFieldSpec& Colour(std::string name, int32_t def, std::string caption) {
    return Add(std::move(name), TFieldKind::Colour, std::to_string(def), caption);
  }
  TFieldSpec& Text(std::string name, std::string_view def, std::string caption,
                   TFieldKind kind = TFieldKind::Text) {
    return Add(std::move(name), kind, std::string(def), caption);
  }

  std::vector<TFieldSpec> Finish() {
    ClearOtherOptionsAtLoad();
    // Unsaved fields go last so that the saved ones are exactly the page-text order.
    std::stable_partition(rows_.begin(), rows_.end(), [](const TFieldSpec& f) { return f.Saved; });
    return std::move(rows_);
  }

 private:
  TFieldSpec& Add(std::string name, TFieldKind kind, std::string def, std::string caption) {
    TFieldSpec& f = rows_.emplace_back();
    f.Editor = editor_;
    f.Name = std::move(name);
    f.Kind = kind;
    f.Default = std::move(def);
    f.Caption = std::move(caption);
    f.Tab = tab_;
    return f;
  }

  // A load that starts one option of a group as set starts the others cleared, so that every
  // group still has exactly one option set.
  void ClearOtherOptionsAtLoad() {
    std::map<std::string, bool> groupHasStart;
    for (const TFieldSpec& f : rows_)
      if (f.Kind == TFieldKind::Option && f.StartValue == "True")
        groupHasStart[f.OptionGroup] = true;
    for (TFieldSpec& f : rows_)
      if (f.Kind == TFieldKind::Option && !f.StartValue && groupHasStart[f.OptionGroup])
        f.StartValue = "False";
  }

  TEditorId editor_ = TEditorId::Options;
  std::string tab_;
  std::vector<TFieldSpec> rows_;
};

std::string N(int i) {
  return std::to_string(i);
}

void AddShapePanels(TRegistryBuilder& r) {
  r.Editor(TEditorId::ShapePanel);
  for (int i = 1; i <= 5; ++i) {
    r.Tab("Shape " + N(i));
    r.Catalogue("shape" + N(i) + "listbox", TChoiceSource::ShapeStyles, 0, "Shape style",
                TFieldKind::Choice)
        .StartValue = "0";
  }
  auto family = [&r](auto add) {
    for (int i = 1; i <= 5; ++i) {
      r.Tab("Shape " + N(i));
      add("shape" + N(i), i);
    }
  };
  family([&r](std::string s, int) { r.Integer(s + "posx", -1000, 2000, 10, "Left"); });
  family([&r](std::string s, int) { r.Integer(s + "posy", -1000, 10000, 20, "Top"); });
  family([&r](std::string s, int) { r.Integer(s + "width", 50, 3000, 50, "Width"); });
  family([&r](std::string s, int) { r.Integer(s + "height", 50, 3000, 50, "Height"); });
  family([&r](std::string s, int) { r.Integer(s + "alpha", 1, 255, 255, "Opacity"); });
  family([&r](std::string s, int) { r.Colour(s + "color1", kSilver, "Colour 1"); });
  family([&r](std::string s, int) { r.Colour(s + "color2", kSilver, "Colour 2"); });
  family(
      [&r](std::string s, int) { r.Flag(s + "color1Replace", true, "Change BackGround Color"); });
  family([&r](std::string s, int) { r.Flag(s + "color2Replace", true, "Change Border Color"); });
  family(
      [&r](std::string s, int) { r.Flag(s + "shadow", false, "DropShadow").StartValue = "False"; });
}

void AddStaticImages(TRegistryBuilder& r) {
  r.Editor(TEditorId::StaticImage);
  // Static images 1, 2, 3 and the back image 3, each family in that order of names.
  struct TSlot {
    std::string Tab, Text, X, Wh, Flags, Suffix;
  };
  const TSlot slots[] = {
      {"Static Image 1", "StaticImageText", "staticimage", "staticimagewh", "staticimage", ""},
      {"Static Image 2", "StaticImageText2", "staticimage", "staticimagewh", "staticimage", "2"},
      {"Static Image 3", "StaticImageText3", "staticimage", "staticimagewh", "staticimage", "3"},
      {"Back Image", "BGImageText3", "BGimage", "bgimagewh", "bgimage", "3"}};
  auto family = [&](auto add) {
    for (const TSlot& s : slots) {
      r.Tab(s.Tab);
      add(s);
    }
  };
  family([&](const TSlot& s) { r.Text(s.Text, "None", "Picture file").StartValue = "None"; });
  family([&](const TSlot& s) {
    TFieldSpec& f = r.Integer(s.X + "x" + s.Suffix, -2000, 2000, 0, "Left");
    if (s.Suffix.empty()) f.StartValue = "0";
  });
  family([&](const TSlot& s) {
    TFieldSpec& f = r.Integer(s.X + "y" + s.Suffix, -2000, 10000, 0, "Top");
    if (s.Suffix.empty()) f.StartValue = "0";
  });
  family([&](const TSlot& s) { r.Integer(s.X + "width" + s.Suffix, 50, 3000, 50, "Width"); });
  family([&](const TSlot& s) { r.Integer(s.X + "height" + s.Suffix, 50, 3000, 50, "Height"); });
  family([&](const TSlot& s) { r.Flag(s.Wh + s.Suffix, true, "NoZoom").StartValue = "True"; });
  // The filter flags by name stem, with the dialog's captions.
  const std::pair<std::string_view, std::string_view> effects[] = {{"Blur", "Blur"},
                                                                   {"Bevel", "Bevel"},
                                                                   {"shadow", "DropShadow"},
                                                                   {"Glow", "GlowFilter"},
                                                                   {"border", "Border"}};
  for (const auto& [effect, caption] : effects)
    family([&](const TSlot& s) {
      r.Flag(s.Flags + std::string(effect) + s.Suffix, false, std::string(caption)).StartValue =
          "False";
    });
  family([&](const TSlot& s) {
    r.Colour(s.Flags + "bordercolor" + s.Suffix, kBlue, "Border colour");
  });
  family(
      [&](const TSlot& s) { r.Choice(s.Flags + "shape" + s.Suffix, kImageShapes, -1, "Shape"); });
}

void AddSlideShow(TRegistryBuilder& r) {
  r.Editor(TEditorId::SlideShow);
  r.Tab("Small Thumbs");
  r.Integer("galleryx", 0, 2000, 0, "Thumbs left");
  r.Integer("galleryy", 0, 2000, 0, "Thumbs top");
  r.Tab("Add Photo Files");
  r.Integer("photox", 0, 2000, 0, "Left").StartValue = "0";
  r.Integer("photoy", 0, 2000, 0, "Top").StartValue = "0";
  r.Tab("Small Thumbs");
  r.Integer("galleryrow", 1, 20, 1, "Rows");
  r.Integer("gallerycol", 1, 20, 1, "Columns");
  r.Integer("galleryspace", -1000, 1000, 10, "Spacing");
  // A page without a thumb width derives it from the photo size when it is read.
  r.Integer("gallerythumbwidth", 10, 500, 50, "Thumb width");
  r.Integer("gallerythumbscale", 1, 100, 15, "Thumb scale (%)");
  r.Tab("Add Photo Files");
  r.Integer("photodelay", 1, 200, 2, "Delay (s)").StartValue = "2";
  r.Integer("photowidth", 10, 2000, 150, "Width").StartValue = "150";
  r.Integer("photoheight", 10, 2000, 120, "Height").StartValue = "120";
  r.Tab("Small Thumbs");
  r.Flag("thumbenabled", false, "Enabled").StartValue = "False";
  r.Flag("thumbrandomr", false, "Random Rotate").StartValue = "False";
  r.Flag("thumbroundrect", true, "Shape");
  r.Tab("Add Photo Files");
  r.Flag("photoautoplay", true, "Auto Play").StartValue = "True";
  r.Tab("Small Thumbs");
  r.Flag("thumbcorp", true, "Crop&&Fit").StartValue = "True";
  r.Tab("Add Photo Files");
  r.Flag("Bordershadow", true, "Inner Shadow").StartValue = "True";
  r.Colour("photobordercolor", kBlue, "Border colour");
  r.Tab("Small Thumbs");
  r.Choice("thumbshape", kThumbShapes, -1, "Photo shape").StartValue = "0";
  r.Tab("Add Photo Files");
  r.Choice("slideshoweffect", kTransitions, -1, "Transition").StartValue = "1";
  r.Choice("photoposition", kAlbumPositions, 0, "Position").StartValue = "1";
  r.Choice("photoborderindex", kBorders, -1, "Border", TFieldKind::PictureChoice).StartValue = "2";
}

void AddHtmlTexts(TRegistryBuilder& r) {
  r.Editor(TEditorId::HtmlText);
  auto family = [&r](auto add) {
    for (int i = 1; i <= 7; ++i) {
      r.Tab("HTML Text " + N(i));
      add(N(i));
    }
  };
  family([&r](std::string i) {
    r.Integer("staticmemoposx" + i, -1000, 3000, 10, "Left").StartValue = "10";
  });
  family([&r](std::string i) {
    r.Integer("staticmemoposy" + i, -1000, 10000, 20, "Top").StartValue = "10";
  });
  // Older files without a size start from the smallest size, not from 0, which is outside it.
  family([&r](std::string i) { r.Integer("staticmemowidth" + i, 30, 3000, 30, "Width"); });
  family([&r](std::string i) { r.Integer("staticmemoheight" + i, 30, 3000, 30, "Height"); });
  family([&r](std::string i) { r.Flag("TextGlow" + i, false, "Glow").StartValue = "False"; });
}

void AddMovieClips(TRegistryBuilder& r) {
  r.Editor(TEditorId::MovieClip);
  auto family = [&r](int first, auto add) {
    for (int i = first; i <= 5; ++i) {
      r.Tab(i == 0 ? "Own SWF" : "Clip " + N(i));
      add(i);
    }
  };
  family(0, [&r](int i) { r.Integer("PageBackGroundPosX" + N(i), -1000, 2000, 0, "Left"); });
  family(0, [&r](int i) {
    r.Integer("PageBackGroundPosY" + N(i), -1000, i == 4 ? 1000 : 8000, 0, "Top");
  });
  family(0,
         [&r](int i) { r.Integer("PageBackGroundScalewidth" + N(i), 5, 5000, 100, "Scale (%)"); });
  family(0, [&r](int i) {
    TFieldSpec& f = r.Integer("PageBackGroundRotation" + N(i), -360, 360, 0, "Rotation");
    if (i > 0) f.StartValue = "0";
  });
  family(0, [&r](int i) {
    TFieldSpec& f = r.Flag("PageBackgroundShadow" + N(i), false, "Shadow");
    if (i > 0) f.StartValue = "False";
  });
  family(1, [&r](int i) {
    r.Catalogue("PageEffectID" + N(i), TChoiceSource::LibraryClips, 0, "Library clip",
                TFieldKind::Choice)
        .StartValue = "0";
  });
  r.Tab("Own SWF");
  r.Text("PageEffect_filename1", "None", "SWF file").StartValue = "None";
  r.Tab("Clip 1");
  r.Flag("movieclipshowonetime", false, "Immediately Display All").StartValue = "False";
}

// Buttons 1 to 7 are suffixed plainly, 8 to 20 with an underscore.
std::string ButtonName(std::string_view stem, int i) {
  return std::string(stem) + (i <= 7 ? "" : "_") + N(i);
}

void AddButtons(TRegistryBuilder& r) {
  r.Editor(TEditorId::Buttons);
  auto family = [&r](auto add) {
    for (int i = 1; i <= 20; ++i) {
      r.Tab("Button " + N(i));
      add(i);
    }
  };
  family([&r](int i) { r.Text(ButtonName("buttonurl", i), kDefaultLink, "URL"); });
  family([&r](int i) {
    r.Choice(ButtonName("buttontarget", i), kLinkTargets, 0, "Target", TFieldKind::ChoiceWithText);
  });
  family([&r](int i) {
    r.Catalogue(ButtonName("buttonindex", i), TChoiceSource::ButtonStyles, -1, "Button style")
        .StartValue = "0";
  });
  family([&r](int i) {
    r.Text(ButtonName("buttontext", i), "Link" + N(i), "Caption", TFieldKind::WideText).StartValue =
        "";
  });
  r.Tab("Whole Banner Link");
  r.Text("buttonurl0", kDefaultLink, "URL");
  r.Choice("buttontarget0", kLinkTargets, 0, "Target", TFieldKind::ChoiceWithText);
  r.Flag("buttonurlenabled0", true, "Enabled").StartValue = "False";
  r.Tab("Button Bar");
  r.Colour("buttonfontcolor", kWhite, "Text colour");
  r.Integer("buttontextstep", -1000, 1000, 10, "Spacing").StartValue = "5";
  r.Choice("buttontextHV", kDirections, 0, "Direction").StartValue = "0";
  r.Integer("buttonx1", 0, 1000, 10, "Left");
  r.Integer("buttony1", 0, 10000, 10, "Top");
  r.Integer("buttonzoom1", 10, 500, 100, "Zoom (%)");
  r.Flag("buttonshadow", true, "Shadow").StartValue = "True";
}

void AddStaticTexts(TRegistryBuilder& r) {
  r.Editor(TEditorId::StaticText);
  constexpr int kLeft[] = {10, 10, 250, 250, 250, 250, 250};
  constexpr int kTop[] = {20, 30, 160, 170, 180, 180, 180};
  auto family = [&r](auto add) {
    for (int i = 1; i <= 7; ++i) {
      r.Tab("Static Text " + N(i));
      add(i);
    }
  };
  family(
      [&](int i) { r.Integer("Description" + N(i) + "PosX", -3000, 3000, kLeft[i - 1], "Left"); });
  family(
      [&](int i) { r.Integer("Description" + N(i) + "PosY", -3000, 10000, kTop[i - 1], "Top"); });
  family([&](int i) { r.Colour("Description" + N(i) + "color", kSilver, "Colour"); });
  family([&](int i) {
    r.Flag("Description" + N(i) + "shadow", false, "DropShadow").StartValue = "False";
  });
  family(
      [&](int i) { r.Flag("DescriptionBGEffect" + N(i), false, "BG Effect").StartValue = "True"; });
  r.Tab("Effects");
  r.Colour("DescriptionShadowColor", kSilver, "Shadow colour").StartValue = N(kGrey);
  for (int i = 1; i <= 12; ++i) {
    TFieldSpec& f =
        r.Option("HTMLTopicbgeffect" + N(i), "topic background", i == 3, "Effect" + N(i));
    if (i == 6) f.StartValue = "True";
  }
}

void AddAnimatedText(TRegistryBuilder& r) {
  r.Editor(TEditorId::AnimatedText);
  r.Tab("Text");
  r.Integer("TextPosX", -1000, 1000, 0, "Left");
  r.Integer("TextPosY", -1000, 10000, 50, "Top");
  r.Integer("TextRotation", -360, 360, 0, "Rotation").StartValue = "0";
  r.Integer("letterSpace", -1000, 1000, 0, "Letter spacing");
  r.Integer("LineSpace", -1000, 1000, 0, "Line spacing").StartValue = "0";
  r.Integer("PageDelayTime", 1200, 20000, 2500, "Display time (ms)");
  r.Integer("suiSpinEdit9", 1200, 20000, 2500, "Enter&&Exit Time(ms):");
  r.Integer("suiSpinEdit1", 1, 1000, 100, "Letter width (%)");
  r.Integer("LetterHeightScale", 1, 1000, 100, "Letter height (%)");
  r.Tab("Letter Motion");
  r.Integer("LetterDitheringX", 0, 100, 0, "Jitter x");
  r.Integer("LetterDitheringY", 0, 100, 0, "Jitter y");
  r.Integer("LetterDitheringRotate", 0, 360, 0, "Jitter rotation");
  r.Integer("LetterDitheringHeight", -50, 50, 0, "Jitter height");
  r.Tab("Letter Look");
  r.Integer("shadowwidth", 0, 10, 0, "Shadow width");
  r.Integer("LetterLineWidth", 0, 100, 0, "Outline width");
  r.Integer("FontFrontGradientColorRotation", 0, 360, 45, "Gradient angle");
  r.Integer("FontFrontImagePosX", 0, 2000, 0, "Texture x");
  r.Integer("FontFrontImagePosY", 0, 2000, 0, "Texture y");
  r.Tab("Text");
  r.Choice("TextEffectID", kTextEffects, 0, "Effect").StartValue = "1";
  r.Choice("TextDisplayType", kDisplayTypes, 0, "Display type").StartValue = "0";
  r.Choice("TextHorz", kAlignments, 2, "Alignment");
  r.Tab("Letter Look");
  r.Choice("ShadowPosition", kShadowPositions, 0, "Shadow direction");
  r.Choice("FontFrontGradientColorType", kGradientTypes, 13, "Gradient type");
  r.Choice("FontFrontImageType", kTextureAnchors, 0, "Texture anchoring");
  r.Colour("lettershadowcolor", kSilver, "Shadow panel colour").StartValue = N(kGrey);
  r.Colour("LetterLineColor", kBlack, "Outline colour");
  r.Colour("FontFrontGradientColorStart", kBlue, "Gradient start");
  r.Colour("FontFrontGradientColorEnd", kSkyBlue, "Gradient end");
  r.Colour("FontFrontSolidColor", kBlue, "Solid colour");
  r.Colour("FontFrontArtColor", kRed, "Art colour");
  r.Flag("lettershadowpanel", false, "Colour shadow panel").StartValue = "False";
  r.Flag("letterlinerotation", false, "Swing").StartValue = "False";
  r.Flag("FontFrontSolidColorRandom", false, "Use Random Color").StartValue = "False";
  r.Flag("FontFrontArtColorEnabled", false, "Replace Color").StartValue = "False";
  r.Flag("FontFrontArtColorRandom", false, "Random art colour").StartValue = "False";
  r.Text("FontFrontImageEditBox", "None", "Texture file");
  r.Tab("Letter Motion");
  r.Option("letternone", "letter filter", true, "None").StartValue = "True";
  r.Option("Letterblur", "letter filter", false, "Blur").StartValue = "False";
  r.Option("letterlaser", "letter filter", false, "Laser");
  r.Tab("Effects");
  const std::pair<std::string_view, std::string_view> backgrounds[] = {
      {"FontBackgroundEffectNone", "None"},
      {"FontBackgroundEffectFire", "Fire"},
      {"FontBackgroundEffecFlashballStar", "Flash ball star"},
      {"FontBackgroundEffectComet", "Comet"},
      {"FontBackgroundEffectFireNoSound", "Fire without sound"},
      {"FontBackgroundEffectboomFire1", "Boom fire 1"},
      {"FontBackgroundEffectboomfire2", "Boom fire 2"},
      {"FontBackgroundEffectboomfire3", "Boom fire 3"},
      {"FontBackgroundEffectBoomFire4", "Boom fire 4"},
      {"FontBackgroundEffectDevildom", "Devildom"},
      {"FontBackgroundEffecFlashballStar2", "Flash ball star 2"}};
  for (const auto& [name, caption] : backgrounds) {
    TFieldSpec& f =
        r.Option(std::string(name), "background effect", caption == "None", std::string(caption));
    if (caption == "None") f.StartValue = "True";
  }
  r.Option("FontFrontgroundEffectNone", "front effect", true, "Disabled").StartValue = "True";
  for (int i = 1; i <= 6; ++i)
    r.Option("FontFrontgroundEffect" + N(i), "front effect", false, "Add Effect" + N(i));
  r.Tab("Letter Look");
  r.Option("FontFrontSolidColorEnabled", "letter fill", true, "Solid Color");
  r.Option("FontFrontGradientColorEnabled", "letter fill", false, "Gradient Color (Animated)");
  r.Option("FontFrontImageEnabled", "letter fill", false, "Texture(Image)");
  r.Option("FontFrontArtTextEnabled", "letter fill", false, "Art Text");
  r.Tab("Art Text");
  // Captions of the families: the "Ice" button, the "3D Glass" one, then the others in order.
  const auto& families = ArtLetterFamilies();
  r.Option("FontFrontArtTextIce", "art style", true, families.back().Caption).StartValue = "True";
  r.Option("FontFrontArtTextDot", "art style", false, families[0].Caption);
  for (int i = 3; i <= 17; ++i)
    r.Option("FontFrontArtText" + N(i), "art style", false, families[i - 2].Caption);
  r.Tab("Input Text");
  TFieldSpec& working =
      r.Text("Animatedinputtext", "Flash Effect\nFlash Banner\nFlash Intro\nFlash Website",
             "Animated lines", TFieldKind::WideText);
  working.Saved = false;
  working.MultiLine = true;
}

void AddOptions(TRegistryBuilder& r) {
  r.Editor(TEditorId::Options);
  r.Tab("Main");
  r.Integer("SWFWidth", 10, 2000, 800, "Width");
  r.Integer("SWFHeight", 10, 5000, 800, "Height");
  r.Integer("SpeedFPS", 4, 40, 12, "Frame rate");
  r.Text("htmltitleedit", kWelcomeTitle, "Page title");
  r.Text("webpage_filename", "index.html", "Page file name").PageFileName = true;
  r.Option("PageBackGroundSolidEnabled", "page background", true, "Solid colour");
  r.Option("PageBackGroundImageEnabled", "page background", false, "Picture");
  r.Colour("PageBackGroundSolidColor", kBlack, "Background colour");
  r.Text("PageBackGroundImageEdit", "None", "Background picture");
  r.Tab("Welcome Loading");
  r.Catalogue("preloadindex", TChoiceSource::LoadingScreens, -1, "Loading screen").StartValue = "0";
  r.Tab("Sound");
  r.Text("bgsound", "None", "Music file").StartValue = "None";
  r.Choice("bgsoundoption", kMusicModes, 0, "Play").StartValue = "0";
  r.Catalogue("bgsoundcontrol", TChoiceSource::MusicControls, -1, "Music control");
  r.Integer("bgsoundcontrolx", 0, 2000, 10, "Control left");
  r.Integer("bgsoundcontroly", 0, 2000, 10, "Control top");
  r.Flag("bgsoundcontrolshadow", true, "Control shadow").StartValue = "True";
  r.Tab("Ad Network");
  r.Flag("ClickTagEnabled", false, "Links use the clickTAG the page passes in").StartValue =
      "False";
}

void AddShapeStyle(TRegistryBuilder& r) {
  r.Editor(TEditorId::ShapeStyle);
  r.Tab("Shape Style");
  r.Flag("shape1color1Replace", true, "Replace colour 1").Saved = false;
  r.Flag("shape1color2Replace", true, "Replace colour 2").Saved = false;
  r.Colour("shape1color1", kSilver, "Colour 1").Saved = false;
  r.Colour("shape1color2", kSilver, "Colour 2").Saved = false;
}

std::vector<TFieldSpec> BuildRegistry() {
  TRegistryBuilder r;
  AddShapePanels(r);
  AddStaticImages(r);
  AddSlideShow(r);
  AddHtmlTexts(r);
  AddMovieClips(r);
  AddButtons(r);
  AddStaticTexts(r);
  AddAnimatedText(r);
  AddOptions(r);
  AddShapeStyle(r);
  return r.Finish();
}

struct TIndex {
  std::unordered_map<std::string_view, int> Saved;
  std::map<std::pair<TEditorId, std::string_view>, int> All;
  int SavedCount = 0;
};

const TIndex& Index() {
  static const TIndex index = [] {
    TIndex out;
    const auto& rows = FieldRegistry();
    for (int i = 0; i < int(rows.size()); ++i) {
      out.All.emplace(std::pair{rows[i].Editor, std::string_view(rows[i].Name)}, i);
      if (rows[i].Saved) {
        out.Saved.emplace(rows[i].Name, i);
        ++out.SavedCount;
      }
    }
    return out;
  }();
  return index;
}

}  // namespace

std::string_view EditorClassName(TEditorId editor) {
  constexpr std::string_view names[kEditorCount] = {
      "Tshapeboxform",  "Tstaticimage_form", "Tslideshowform",  "Tstaticmemoform",
      "TMovieClipform", "Tbuttonform",       "Tstatictextform", "Tdynamictextform",
      "TSWFOptionForm", "TShapeIndexForm"};
  return names[int(editor)];
}

std::string_view EditorCaption(TEditorId editor) {
  constexpr std::string_view captions[kEditorCount] = {
      "Shape & Panel", "Static Image", "SlideShow&&Thumb", "HTML Text",       "MovieClip",
      "Buttons",       "Static Text",  "Animated Text",    "Advance Options", "Shape Style"};
  return captions[int(editor)];
}

std::string_view FieldKindName(TFieldKind kind) {
  constexpr std::string_view names[] = {"integer", "flag",           "option",
                                        "choice",  "picture choice", "colour",
                                        "text",    "wide text",      "choice with text"};
  return names[int(kind)];
}

std::string_view ChoiceSourceName(TChoiceSource source) {
  constexpr std::string_view names[] = {"",
                                        "list",
                                        "loading screens",
                                        "music controls",
                                        "button styles",
                                        "shape styles",
                                        "library clips"};
  return names[int(source)];
}

const std::vector<TFieldSpec>& FieldRegistry() {
  static const std::vector<TFieldSpec> rows = BuildRegistry();
  return rows;
}

int SavedFieldCount() {
  return Index().SavedCount;
}

int FindSavedField(std::string_view name) {
  const auto& saved = Index().Saved;
  auto it = saved.find(name);
  return it == saved.end() ? -1 : it->second;
}

int FindField(TEditorId editor, std::string_view name) {
  const auto& all = Index().All;
  auto it = all.find({editor, name});
  return it == all.end() ? -1 : it->second;
}

std::vector<const TFieldSpec*> OptionGroupFields(TEditorId editor, std::string_view group) {
  std::vector<const TFieldSpec*> fields;
  for (const TFieldSpec& f : FieldRegistry())
    if (f.Editor == editor && f.Kind == TFieldKind::Option && f.OptionGroup == group)
      fields.push_back(&f);
  return fields;
}

}  // namespace orvanta
