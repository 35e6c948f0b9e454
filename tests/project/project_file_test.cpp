#include "project/project_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/text_file.h"
#include "project/page_text.h"

namespace orvanta {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes AsBytes(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

TLoadedProject FromText(const std::string& text) {
  return ReadProject(EncodeTextFile(text));
}

// One page: the header, the given field lines and blocks.
std::string Page(const std::string& fields, const std::string& blocks = "<FontSize>20</FontSize>") {
  return "<WebpageTitle>T</WebpageTitle><WebpageFilename>p.html</WebpageFilename>\r\n" + fields +
         blocks + "\r\n";
}
std::string Line(const std::string& name, const std::string& value) {
  return "<Name>" + name + "</Name><Value>" + value + "</Value>\r\n";
}
std::string Wrapped(const std::vector<std::string>& pages) {
  std::string out;
  for (size_t i = 0; i < pages.size(); ++i)
    out += "<TemplateFile" + std::to_string(i + 1) + ">" + pages[i] + "</TemplateFile" +
           std::to_string(i + 1) + ">\r\n";
  return out;
}

const std::string& Value(const TLoadedProject& p, const char* name) {
  return p.Document.Current.Field(name).Text;
}

class ProjectFile : public ::testing::Test {
 protected:
  std::filesystem::path dir_ =
      std::filesystem::temp_directory_path() / ("orvanta_project_" + std::to_string(::getpid()));
  void SetUp() override { std::filesystem::create_directories(dir_); }
  void TearDown() override { std::filesystem::remove_all(dir_); }
};

// Every field at the far end of its range, every text in several scripts, survives a save and
// a load, a page switch and an undo.
TEST_F(ProjectFile, ExtremeValuesRoundTrip) {
  TBannerDocument doc = TBannerDocument::New();
  TWarnings warnings;
  const auto& rows = FieldRegistry();
  for (int high = 0; high <= 1; ++high) {
    TPageState& page = doc.Current;
    for (int i = 0; i < int(rows.size()); ++i) {
      const TFieldSpec& f = rows[i];
      if (!f.Saved) continue;
      std::string text = std::to_string(high ? f.Max : f.Min), freeText;
      if (f.Kind == TFieldKind::Flag || f.Kind == TFieldKind::Option)
        text = high ? "True" : "False";
      if (f.Kind == TFieldKind::Colour) text = high ? "16777215" : "0";
      if (f.Kind == TFieldKind::Text || f.Kind == TFieldKind::WideText)
        text = high ? "Привет 你好 \xF0\x9F\x98\x80" : "";
      if (f.PageFileName) text = high ? "страница.html" : "a.htm";
      if (f.Kind == TFieldKind::ChoiceWithText && !high) freeText = "_мой";
      page.SetField(i, text, freeText, 1, warnings);
    }
    page.Fonts[int(StaticTextFont(6))] = {"DejaVu Serif", 72, true, false};
    page.Fonts[int(TFontSlot::AlbumThumbs)] = {"Liberation Mono", 500, false, true};
    page.Photos = {"photos/фото.jpg", "/tmp/b c.png"};
    page.InputText = "Строка 1\nLine 2";
    page.StaticTexts[6] = "静态文本";
    page.HtmlTexts[0] = "<b>жирный</b>\n<i>x</i>";
    EXPECT_EQ(warnings.size(), 0u) << warnings[0].Text();
    const TPageState saved = page;

    const auto file = dir_ / "extreme.fls";
    SaveProject(doc, file, warnings);
    TLoadedProject loaded = LoadProject(file);
    EXPECT_TRUE(loaded.Warnings.empty()) << loaded.Warnings[0].Text();
    EXPECT_EQ(loaded.Document.Current, saved);

    // A second page is a switch away; the undo buffer brings back the edited-away page.
    TBannerDocument& d = loaded.Document;
    d = TBannerDocument::FromPages({d.Current, TPageState::Defaults()});
    d.LoadPage(2, warnings);
    d.LoadPage(1, warnings);
    EXPECT_EQ(d.Current, saved);
    d.RememberForUndo();
    d.Current.SetField(FindSavedField("buttontext1"), "changed", "", 1, warnings);
    d.Undo(warnings);
    EXPECT_EQ(d.Current, saved);
    EXPECT_TRUE(warnings.empty());
  }
  // Nothing is left beside the target: the save renamed its temporary file over it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST_F(ProjectFile, EveryEncodingReadsTheSameProject) {
  const std::string text = Wrapped({Page(Line("htmltitleedit", "Caf\xC3\xA9 \xE2\x82\xAC"))});
  const std::u16string units = Utf8ToUtf16(text);
  Bytes be{0xFE, 0xFF};
  for (char16_t u : units) be.insert(be.end(), {uint8_t(u >> 8), uint8_t(u)});
  Bytes utf8{0xEF, 0xBB, 0xBF};
  utf8.insert(utf8.end(), text.begin(), text.end());
  for (const Bytes& bytes : {EncodeTextFile(text), be, utf8, AsBytes(Utf8ToCp1252(text))})
    EXPECT_EQ(Value(ReadProject(bytes), "htmltitleedit"), "Caf\xC3\xA9 \xE2\x82\xAC");
  // A UTF-16 file with an odd byte count was cut short.
  Bytes odd = EncodeTextFile(text);
  odd.pop_back();
  EXPECT_THROW(ReadProject(odd), FormatError);
}

TEST_F(ProjectFile, PageTableLimits) {
  const std::string page = Page("");
  // Pages 1 and 3 without 2: one page.
  TLoadedProject gap = FromText(Wrapped({page}) + "<TemplateFile3>" + page + "</TemplateFile3>");
  EXPECT_EQ(gap.Document.PageCount(), 1);
  EXPECT_EQ(gap.Warnings.size(), 1u);
  TLoadedProject eleven = FromText(Wrapped(std::vector<std::string>(11, page)));
  EXPECT_EQ(eleven.Document.PageCount(), 10);
  EXPECT_EQ(eleven.Warnings.size(), 1u);
  // The wrapping tags inside a text do not end or start a page.
  const std::string wrapped = "a</TemplateFile1><TemplateFile2>b";
  TLoadedProject inText =
      FromText(Wrapped({Page("", "<FontSize>9</FontSize><TextMemo1>" + wrapped + "</TextMemo1>")}));
  EXPECT_EQ(inText.Document.PageCount(), 1);
  EXPECT_EQ(inText.Document.Current.StaticTexts[0], wrapped);
  // A legacy file is one page text.
  TLoadedProject legacy = FromText(Page(Line("SWFWidth", "468")));
  EXPECT_EQ(legacy.Document.PageCount(), 1);
  EXPECT_EQ(Value(legacy, "SWFWidth"), "468");
  EXPECT_EQ(Value(legacy, "webpage_filename"), "p.html");
  // Cut short inside a page, or not a project at all: refused.
  const std::string full = Wrapped({page, page});
  EXPECT_THROW(FromText(full.substr(0, full.size() - 30)), FormatError);
  EXPECT_THROW(FromText("hello"), FormatError);
  EXPECT_THROW(ReadProject(Bytes{}), FormatError);
}

TEST_F(ProjectFile, BadValuesGetCleanValuesAndWarnings) {
  struct TCase {
    const char* Field;
    const char* Stored;
    const char* Loaded;
  } cases[] = {
      {"SWFWidth", "1000000000", "2000"},
      {"SWFHeight", "99999999999999999999999", "5000"},
      {"SpeedFPS", "-7", "4"},
      {"buttonx1", "10px;background:url(javascript:alert(1))", "10"},
      {"galleryrow", "0", "1"},
      {"PageEffectID1", "5000", "0"},
      {"buttonindex3", "-2", "-1"},
      {"TextHorz", "<script>", "2"},
      {"PageBackGroundSolidColor", "-1", "16777215"},
      {"bgsoundcontrolshadow", "True ", "False"},
      {"webpage_filename", "../..\\x:.htm", "x.htm"},
  };
  std::string fields;
  for (const TCase& c : cases) fields += Line(c.Field, c.Stored);
  TLoadedProject p = FromText(Wrapped({Page(""), Page(fields)}));
  p.Document.LoadPage(2, p.Warnings);
  for (const TCase& c : cases) {
    EXPECT_EQ(Value(p, c.Field), c.Loaded) << c.Field;
    const bool named = std::any_of(p.Warnings.begin(), p.Warnings.end(), [&](const TWarning& w) {
      return w.Page == 2 && w.Field == c.Field;
    });
    EXPECT_TRUE(named) << c.Field;
  }
  // Cleaning a page file name once is enough: a second pass changes nothing.
  for (const char* name : {"a.", "x...html", "...", "b..\\.htm"}) {
    TLoadedProject first = FromText(Page(Line("webpage_filename", name)));
    const std::string cleaned = Value(first, "webpage_filename");
    EXPECT_EQ(cleaned.find(".."), std::string::npos) << name;
    EXPECT_EQ(Value(FromText(Page(Line("webpage_filename", cleaned))), "webpage_filename"),
              cleaned);
  }
  // Names that are no field are reported and skipped.
  TLoadedProject unknown = FromText(Page(Line("../../etc/passwd", "1")));
  ASSERT_EQ(unknown.Warnings.size(), 1u);
}

TEST_F(ProjectFile, FontsAndBlocks) {
  const std::string blocks =
      "<FontSize2>14</FontSize2>\r\n<FontSize3>9</FontSize3>\r\n<TextMemo1>a\r\n"
      "<Name>SWFWidth</Name><Value>5</Value>\r\nb</TextMemo1>\r\n<FontBold2>True</FontBold2>\r\n"
      "<FontName2>DejaVu Sans</FontName2>\r\n<FontSize2-6>30</FontSize2-6>\r\n";
  TLoadedProject p = FromText(Page(Line("SWFWidth", "300"), blocks));
  const TPageState& page = p.Document.Current;
  // No <FontSize>: the default size, with a warning.
  EXPECT_EQ(page.Fonts[int(TFontSlot::AnimatedText)].Size, kDefaultAnimatedFontSize);
  ASSERT_EQ(p.Warnings.size(), 1u);
  EXPECT_EQ(p.Warnings[0].Field, "<FontSize>");
  // Static text 4 has no tags of its own: size 10, face and styles of static text 1.
  EXPECT_EQ(page.Fonts[int(StaticTextFont(4))], (TFontSetting{"DejaVu Sans", 10, true, false}));
  EXPECT_EQ(page.Fonts[int(StaticTextFont(6))], (TFontSetting{"DejaVu Sans", 30, true, false}));
  EXPECT_EQ(page.Fonts[int(TFontSlot::Buttons)], (TFontSetting{"Arial", 9, false, false}));
  // A field line inside a text block is text, not a field.
  EXPECT_EQ(page.StaticTexts[0], "a\n<Name>SWFWidth</Name><Value>5</Value>\nb");
  EXPECT_EQ(Value(p, "SWFWidth"), "300");
}

TEST_F(ProjectFile, LoadRulesForOlderFiles) {
  const std::string music =
      Line("bgsound", "music.mp3") + Line("SWFWidth", "468") + Line("SWFHeight", "60");
  // Without a music-control line the old placement applies; with one, the choice stays.
  TLoadedProject old = FromText(Page(music));
  EXPECT_EQ(Value(old, "bgsoundcontrol"), "4");
  EXPECT_EQ(Value(old, "bgsoundcontrolx"), "368");
  EXPECT_EQ(Value(old, "bgsoundcontroly"), "40");
  TLoadedProject chosen = FromText(Page(music + Line("bgsoundcontrol", "2")));
  EXPECT_EQ(Value(chosen, "bgsoundcontrol"), "2");
  EXPECT_EQ(Value(chosen, "bgsoundcontrolx"), "10");
  // Absent values start from the load starting values, else the defaults; the thumbnail
  // width is derived from the photo size.
  EXPECT_EQ(Value(old, "HTMLTopicbgeffect6"), "True");
  EXPECT_EQ(Value(old, "HTMLTopicbgeffect3"), "False");
  EXPECT_EQ(Value(old, "buttontextstep"), "5");
  EXPECT_EQ(Value(old, "gallerythumbwidth"), "22");
  EXPECT_EQ(Value(old, "SpeedFPS"), "12");
  // Setting an option clears the others of its group.
  TLoadedProject option = FromText(Page(Line("HTMLTopicbgeffect2", "True")));
  EXPECT_EQ(Value(option, "HTMLTopicbgeffect6"), "False");
}

TEST_F(ProjectFile, TypedTargetsAndLostValues) {
  TBannerDocument doc = TBannerDocument::New();
  TWarnings warnings;
  std::string problem;
  const int target = FindSavedField("buttontarget2");
  const TFieldValue typed = NormaliseTypedValue(FieldRegistry()[target], "frame_1", problem);
  doc.Current.SetField(target, typed.Text, typed.FreeText, 1, warnings);
  doc.Current.SetField(FindSavedField("buttonurl1"), "a</Value>b", "", 1, warnings);
  doc.Current.StaticTexts[2] = "x</TextMemo3>y";
  SaveProject(doc, dir_ / "t.fls", warnings);
  EXPECT_NE(doc.PageText(1).find("<Name>buttontarget2</Name><Value>-1</Value><Value2>frame_1"
                                 "</Value2>\r\n"),
            std::string::npos);
  // Values holding their own closing tag are saved with a warning naming them.
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_EQ(warnings[0].Field, "buttonurl1");
  EXPECT_EQ(warnings[1].Field, "<TextMemo3>");
  EXPECT_EQ(DisplayedValue(LoadProject(dir_ / "t.fls").Document.Current.Field("buttontarget2")),
            "frame_1");
}

}  // namespace
}  // namespace orvanta
