#include "shell/content_commands.h"

#include <string>

#include "builders/button_bar/link_fields.h"

namespace orvanta {

namespace {

void Set(TPageState& page, const std::string& name, std::string_view text) {
  TWarnings ignored;  // every value set here is in range
  page.SetField(FindSavedField(name), text, "", 0, ignored);
}

// The slot number at the end of a label ("Static Text3" -> 3).
int Number(std::string_view label, size_t prefix) {
  return std::stoi(std::string(label.substr(prefix)));
}

}  // namespace

std::optional<TEditorTarget> EditorForItem(std::string_view label) {
  if (label == "Animated Text") return TEditorTarget{TEditorId::AnimatedText, ""};
  if (label.starts_with("Static Text")) return TEditorTarget{TEditorId::StaticText, ""};
  if (label == "Button") return TEditorTarget{TEditorId::Buttons, ""};
  if (label == "Album Thumb") return TEditorTarget{TEditorId::SlideShow, "Small Thumbs"};
  if (label == "SlideShow") return TEditorTarget{TEditorId::SlideShow, "Add Photo Files"};
  if (label.starts_with("Shape")) return TEditorTarget{TEditorId::ShapePanel, ""};
  if (label.starts_with("Static Image") || label == "BG Image3")
    return TEditorTarget{TEditorId::StaticImage, ""};
  if (label.starts_with("[MC")) return TEditorTarget{TEditorId::MovieClip, ""};
  if (label.starts_with("HTML Text")) return TEditorTarget{TEditorId::HtmlText, ""};
  if (label == "Welcome Loading") return TEditorTarget{TEditorId::Options, "Welcome Loading"};
  if (label == "Sound") return TEditorTarget{TEditorId::Options, "Sound"};
  if (label == "Back Ground" || label.starts_with("[Layout]"))
    return TEditorTarget{TEditorId::Options, "Main"};
  return std::nullopt;
}

void DeleteItem(TPageState& page, std::string_view label) {
  if (label.starts_with("Static Image")) {
    const int n = Number(label, 12);
    Set(page, n == 1 ? "StaticImageText" : "StaticImageText" + std::to_string(n), "None");
  } else if (label == "BG Image3") {
    Set(page, "BGImageText3", "None");
  } else if (label == "Welcome Loading") {
    Set(page, "preloadindex", "0");
  } else if (label == "Sound") {
    Set(page, "bgsoundcontrol", "0");
    Set(page, "bgsound", "None");
  } else if (label == "Animated Text") {
    page.InputText.clear();
  } else if (label.starts_with("Shape")) {
    Set(page, "shape" + std::to_string(Number(label, 5)) + "listbox", "0");
  } else if (label.starts_with("Static Text")) {
    page.StaticTexts.at(Number(label, 11) - 1).clear();
  } else if (label == "Album Thumb") {
    Set(page, "thumbenabled", "False");
  } else if (label == "SlideShow") {
    page.Photos.clear();
  } else if (label == "Button") {
    for (int i = 1; i <= 20; ++i) Set(page, ButtonSlotField("buttonindex", i), "0");
  } else if (label.starts_with("[MC0]")) {
    Set(page, "PageEffect_filename1", "None");
  } else if (label.starts_with("[MC")) {
    Set(page, "PageEffectID" + std::string(label.substr(3, 1)), "0");
  } else if (label.starts_with("HTML Text")) {
    page.HtmlTexts.at(Number(label, 9) - 1).clear();
  }
}

}  // namespace orvanta
