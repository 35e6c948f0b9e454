#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "project/banner_document.h"

namespace orvanta::samples {

// A banner size in pixels.
struct TBannerSize {
  int Width = 800, Height = 800;
};

// The size a sample's name carries ("banner_panel93_728x90"); 800 x 800 when it carries none.
TBannerSize SizeFromName(const std::string& name);

// An item to centre horizontally between Left and Right once the builders have measured it:
// the item's label in the content list.
struct TCentring {
  std::string Slot;
  int Left = 0, Right = 0;
};

// Colour fields of an item that take whichever of two colours stands out more from what the
// background movie shows under the item, once the builders have measured it.
struct TInk {
  std::string Slot;
  std::vector<std::string> Fields;
  uint32_t First = 0, Second = 0;  // 0xRRGGBB
};

// What one sample project is made of: the settings a person would make in the editors, each
// field as typed (NAME, VALUE) and the blocks that are not fields.
struct TSampleRecipe {
  std::string Name;
  TBannerSize Size;
  std::vector<std::pair<std::string, std::string>> Fields;
  std::string Headline;  // the animated text, "\n" between lines
  std::array<std::string, kStaticTextCount> StaticTexts;
  std::array<std::string, kHtmlTextCount> HtmlTexts;
  std::vector<std::string> Photos;
  std::array<TFontSetting, kFontCount> Fonts;
  std::vector<TCentring> Centre;
  std::vector<TInk> Inks;

  void Set(const std::string& name, const std::string& value) { Fields.emplace_back(name, value); }
  void Set(const std::string& name, int value) { Set(name, std::to_string(value)); }
  void Set(const std::string& name, const char* value) { Set(name, std::string(value)); }
  void Set(const std::string& name, bool value) { Set(name, value ? "True" : "False"); }
  TFontSetting& Font(TFontSlot slot) { return Fonts[int(slot)]; }
};

// The recipes of every "Flash Banner" and "Flash Slideshow" sample, in catalogue order.
std::vector<TSampleRecipe> SampleRecipes();

// A one-page document holding the recipe, every field set through the field registry. A
// setting the registry would have to change raises Error naming it: a sample is saved exactly
// as designed or not at all.
TBannerDocument SampleDocument(const TSampleRecipe& recipe);

}  // namespace orvanta::samples
