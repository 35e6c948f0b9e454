#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "project/field_value.h"

namespace orvanta {

// A problem found in a value, with the page (1-based, 0 when none) and field it concerns.
struct TWarning {
  int Page = 0;
  std::string Field;
  std::string Message;
  std::string Text() const;
};
using TWarnings = std::vector<TWarning>;

struct TFontSetting {
  std::string Face = "Arial";
  int Size = 10;  // points
  bool Bold = false;
  bool Italic = false;
  bool operator==(const TFontSetting&) const = default;
};

// The fonts a page keeps, in the order of their tags.
enum class TFontSlot : uint8_t {
  AnimatedText,
  StaticText1,  // static texts 2 to 7 follow
  Buttons = StaticText1 + 7,
  AlbumThumbs,
};
inline constexpr int kFontCount = int(TFontSlot::AlbumThumbs) + 1;
inline TFontSlot StaticTextFont(int slot) {
  return TFontSlot(int(TFontSlot::StaticText1) + slot - 1);
}

inline constexpr int kStaticTextCount = 7;
inline constexpr int kHtmlTextCount = 7;
inline constexpr int kMaxPages = 10;

// The editors' state of one page: every field and the block values. Multi-line texts hold "\n"
// line ends.
struct TPageState {
  std::vector<TFieldValue> Fields;  // one per registry row
  std::array<TFontSetting, kFontCount> Fonts;
  std::vector<std::string> Photos;
  std::string InputText;  // the animated text as typed
  std::array<std::string, kStaticTextCount> StaticTexts;
  std::array<std::string, kHtmlTextCount> HtmlTexts;

  // A new document's page: every field at its default.
  static TPageState Defaults();
  // What a load starts from before it reads a page text.
  static TPageState LoadStart();

  // The value of a saved field; throws Error for an unknown name.
  const TFieldValue& Field(std::string_view name) const;
  // Validates and stores a value, clearing the other options of the group when an option is
  // set. A value that had to be changed is reported in warnings, naming the field and page.
  void SetField(int index, std::string_view text, std::string_view freeText, int page,
                TWarnings& warnings);
  bool operator==(const TPageState&) const = default;
};

// The size a builder placed for a content slot; left and top are the slot's position fields.
struct TItemRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;  // banner pixels; Width 0: not present
};

// The content slots that show in the content list, with the fields that place them.
struct TContentSlot {
  std::string Label;
  std::string LeftField, TopField;
};
const std::vector<TContentSlot>& ContentSlots();

// The whole state of one project: the current page in the editors, up to ten pages as page
// texts, the one-level undo buffer and the item sizes of the last build.
class TBannerDocument {
 public:
  // One page of defaults.
  static TBannerDocument New();
  // A document of the given validated pages (1 to 10), page 1 current.
  static TBannerDocument FromPages(std::vector<TPageState> pages);

  TPageState Current;

  int PageCount() const { return int(pages_.size()); }
  int CurrentPage() const { return current_; }
  const std::string& PageText(int page) const;

  // Serialises the editors into page slot n; ignored when n is past the page count.
  void StorePage(int page);
  // Makes n the current page and reads its page text into the editors.
  void LoadPage(int page, TWarnings& warnings);

  // Appends a page holding the editors and makes it current; Error past ten pages.
  void AppendPage();
  // Removes page n (2 or later; page 1 stays) and makes page 1 current.
  void RemovePage(int page, TWarnings& warnings);

  // Keeps the current page's text as it is before an editor changes it.
  void RememberForUndo();
  bool CanUndo() const { return !undo_.empty(); }
  // Puts the remembered page text back into the editors; one level only.
  void Undo(TWarnings& warnings);

  TItemRect ItemRect(int slot) const;
  void SetItemSize(int slot, int width, int height);
  // The size of the item before its scale (a clip's own frame); 0 × 0 when it has none.
  TItemRect NaturalSize(int slot) const;
  void SetNaturalSize(int slot, int width, int height);

 private:
  std::vector<std::string> pages_;
  int current_ = 1;
  std::string undo_;
  std::vector<std::pair<int, int>> itemSizes_;
  std::vector<std::pair<int, int>> naturalSizes_;
};

}  // namespace orvanta
