#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

// The editors that hold the fields, in the order their fields are written to a page text.
enum class TEditorId : uint8_t {
  ShapePanel,    // Tshapeboxform
  StaticImage,   // Tstaticimage_form
  SlideShow,     // Tslideshowform
  HtmlText,      // Tstaticmemoform
  MovieClip,     // TMovieClipform
  Buttons,       // Tbuttonform
  StaticText,    // Tstatictextform
  AnimatedText,  // Tdynamictextform
  Options,       // TSWFOptionForm
  ShapeStyle,    // TShapeIndexForm: working copy of one shape's colours, never written
};
inline constexpr int kEditorCount = 10;

// The class name of the editor, as the original layout names it.
std::string_view EditorClassName(TEditorId editor);
// The caption of the editor's dialog.
std::string_view EditorCaption(TEditorId editor);

enum class TFieldKind : uint8_t {
  Integer,
  Flag,
  Option,
  Choice,
  PictureChoice,
  Colour,
  Text,
  WideText,
  ChoiceWithText,
};
std::string_view FieldKindName(TFieldKind kind);

// Where the entries of a choice come from. Catalogue choices are filled from the program data
// at start-up; the registry bounds them by the size of their table.
enum class TChoiceSource : uint8_t {
  None,
  FixedList,
  LoadingScreens,
  MusicControls,
  ButtonStyles,
  ShapeStyles,
  LibraryClips,
};
std::string_view ChoiceSourceName(TChoiceSource source);

struct TFieldSpec {
  TEditorId Editor;
  std::string Name;
  TFieldKind Kind;
  // Integers: the input range. Choices: the largest index (the smallest is -1, "none").
  int32_t Min = 0;
  int32_t Max = 0;
  std::string Default;                    // a new document's value, in its text form
  std::optional<std::string> StartValue;  // what a load starts from, where it differs
  TChoiceSource Source = TChoiceSource::None;
  std::span<const std::string_view> Choices;  // FixedList only
  std::string OptionGroup;                    // Option only
  bool Saved = true;
  bool MultiLine = false;     // texts only
  bool PageFileName = false;  // a published file name: no folders, an .html or .htm ending
  std::string Caption;
  std::string Tab;

  const std::string& LoadStartValue() const { return StartValue ? *StartValue : Default; }
};

// Every field of every editor, in page-text order; unsaved fields come last.
const std::vector<TFieldSpec>& FieldRegistry();
// The number of fields written to each page text.
int SavedFieldCount();

// The saved field of that name (names of saved fields are unique), or -1.
int FindSavedField(std::string_view name);
// The field of that editor and name, or -1.
int FindField(TEditorId editor, std::string_view name);
// The options of one group of an editor, in registry order.
std::vector<const TFieldSpec*> OptionGroupFields(TEditorId editor, std::string_view group);

}  // namespace orvanta
