#include "project/page_generator.h"

#include "project/click_tag.h"
#include "project/html_images.h"

#include <cstdio>
#include <set>
#include <span>
#include <string_view>

#include "media/picture_codecs.h"
#include "platform/codepage.h"
#include "platform/data_root.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/text_file.h"

namespace orvanta {

namespace {

constexpr std::string_view kPictureRule = "background-image: url(None.jpg);";

// The closing part after the top value and the end part after the text differ by layer; pages
// made by earlier versions carry exactly these strings, so they are kept byte for byte.
struct TLayerParts {
  const char* Closing;
  const char* End;
};
constexpr std::array<TLayerParts, kHtmlTextCount> kLayerParts{{
    {"px;overflow: hidden; } \">\r\n", "\r\n</div>"},
    {"px;overflow: hidden; \">\r\n", "\r\n\r\n</div>"},
    {"px ;overflow: hidden;\">\r\n", "\r\n\r\n</div>"},
    {"px;overflow: hidden; \">\r\n", "\r\n\r\n</div>"},
    {"px;overflow: hidden; \">\r\n", "\r\n\r\n</div>"},
    {"px;overflow: hidden; \">\r\n", "\r\n\r\n</div>"},
    {"px;overflow: hidden; \">\r\n", "\r\n\r\n</div>"},
}};

std::string Decimal(const TPageState& page, const std::string& name) {
  return std::to_string(IntegerField(page, name));
}

std::string EscapeTitle(const std::string& title) {
  std::string out;
  for (char c : title) {
    if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else
      out += c;
  }
  return out;
}

std::string PageColour(const TPageState& page) {
  const auto bgr = uint32_t(IntegerField(page, "PageBackGroundSolidColor"));
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", bgr & 0xFF, (bgr >> 8) & 0xFF,
                (bgr >> 16) & 0xFF);
  return text;
}

struct TPlaceholder {
  std::string_view Key;
  std::string Value;
};

// One left-to-right pass: at each position the placeholder that starts there is replaced, and
// the scan goes on after the inserted value.
std::string FillTemplate(std::string_view text, const std::vector<TPlaceholder>& values) {
  std::string out;
  out.reserve(text.size() + 1024);
  for (size_t at = 0; at < text.size();) {
    const TPlaceholder* hit = nullptr;
    for (const TPlaceholder& p : values)
      if (text.substr(at, p.Key.size()) == p.Key) {
        hit = &p;
        break;
      }
    if (hit) {
      out += hit->Value;
      at += hit->Key.size();
    } else {
      out += text[at++];
    }
  }
  return out;
}

bool NamesPicture(const std::string& name) {
  return name > " " && name != "None";
}

}  // namespace

std::string HtmlTextLayers(const TPageState& page) {
  std::string code;
  for (int n = 1; n <= kHtmlTextCount; ++n) {
    const std::string& text = page.HtmlTexts[n - 1];
    if (text.empty()) continue;
    const std::string i = std::to_string(n);
    code += "<div id=\"Layer10" + i +
            "\" style=\"TEXT-ALIGN: left; MARGIN-RIGHT: 0;MARGIN-LEFT: 0;position:absolute; "
            "width:" +
            Decimal(page, "staticmemowidth" + i) +
            "px; height:" + Decimal(page, "staticmemoheight" + i) + "px; z-index:10" + i +
            "; left: " + Decimal(page, "staticmemoposx" + i) +
            "px; top: " + Decimal(page, "staticmemoposy" + i) + kLayerParts[n - 1].Closing + text +
            kLayerParts[n - 1].End;
  }
  return code;
}

TGeneratedPages GeneratePages(const std::string& templateText, const TPageState& page,
                              const TPageNames& names, TPublishMode mode, bool hasPagePicture) {
  TGeneratedPages pages;
  pages.ShowsPagePicture = mode == TPublishMode::CurrentPage && hasPagePicture &&
                           NamesPicture(page.Field("PageBackGroundImageEdit").Text);
  std::string strips;
  if (mode == TPublishMode::CurrentPage)
    for (const std::string& strip : names.Strips)
      strips += "<img src=\"" + strip + "\" border=\"0\">";
  const std::string width = Decimal(page, "SWFWidth"), height = Decimal(page, "SWFHeight");
  std::vector<TPlaceholder> values{
      {"[Width]", width},
      {"[Height]", height},
      {"[FlashFileName]", names.Movie},
      {"[Title]", EscapeTitle(page.Field("htmltitleedit").Text)},
      {"[Code]", HtmlTextLayers(page)},
      {"[BGCode]", strips},
      {"[#FFFF]", PageColour(page)},
      {kPictureRule, pages.ShowsPagePicture ? "background-image: url(" + names.PagePicture + ");"
                                            : std::string()},
      {"[CenterDIV]", ""},
      {"[CenterDIVend]", ""},
      {"[CenterBody]", ""},
  };
  pages.Left = FillTemplate(templateText, values);
  const size_t centring = values.size() - 3;
  values[centring].Value = "<div style=\"position:relative;width:" + width +
                           "px; height:" + height +
                           "px; MARGIN-RIGHT: 0;MARGIN-LEFT: 0; MARGIN-TOP: 0;\">";
  values[centring + 1].Value = "</div>";
  values[centring + 2].Value = "TEXT-ALIGN: center; MARGIN-RIGHT: 0;MARGIN-LEFT: 0;MARGIN-TOP: 0;";
  pages.Centred = FillTemplate(templateText, values);
  if (UsesClickTag(page)) {
    const std::string url = ClickTagUrl(page);
    pages.Left = WithClickTagFlashVars(std::move(pages.Left), url);
    pages.Centred = WithClickTagFlashVars(std::move(pages.Centred), url);
  }
  return pages;
}

std::optional<std::vector<uint8_t>> PagePictureJPEG(const TPageState& page,
                                                    TBuildContext& context) {
  const std::string& name = page.Field("PageBackGroundImageEdit").Text;
  if (!NamesPicture(name)) return std::nullopt;
  const auto path = context.Resolve(name, {"photos\\", "mc_thumb\\html\\_default\\"});
  if (!path) return std::nullopt;
  try {
    std::vector<uint8_t> bytes = ReadWholeFile(path->string());
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return bytes;
    return EncodeJPEG(DecodePicture(bytes), 90);
  } catch (const Error& e) {
    context.Warn("PageBackGroundImageEdit", name + " cannot be the page picture: " + e.what());
    return std::nullopt;
  }
}

std::string ReadPageTemplate(const TDataRoot& data) {
  const auto path = data.Find(kPageTemplate);
  if (!path) return {};
  const std::vector<uint8_t> bytes = ReadWholeFile(path->string());
  return DecodeTextFile(bytes);
}

std::vector<std::pair<std::string, std::vector<uint8_t>>> PreviewPageFiles(const TPageState& page,
                                                                           TPublishMode mode,
                                                                           TBuildContext& context) {
  std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
  // The preview origin serves only the working folder, so the local pictures of the layers are
  // copied beside the pages, under the names the published site gives them.
  TPageState shown = page;
  std::vector<TLayerPicture> pictures;
  std::set<std::string> names;
  for (int n = 1; n <= kHtmlTextCount; ++n) {
    std::vector<std::string> unusable;
    std::string& html = shown.HtmlTexts[n - 1];
    html = PublishLayerPictures(html, context.Data, pictures, names, unusable);
    for (const std::string& src : unusable)
      context.Warn("HtmlText" + std::to_string(n),
                   "the picture " + src + " is not shown: no picture file is there");
  }
  for (const TLayerPicture& p : pictures)
    files.emplace_back(kLayerPictureFolder + p.FileName, ReadWholeFile(p.Source.string()));
  std::optional<std::vector<uint8_t>> picture;
  if (mode == TPublishMode::CurrentPage) picture = PagePictureJPEG(shown, context);
  const TGeneratedPages pages =
      GeneratePages(ReadPageTemplate(context.Data), shown, {}, mode, picture.has_value());
  files.emplace_back(kLeftPageFile, EncodeTextFile(pages.Left));
  files.emplace_back(kCentredPageFile, EncodeTextFile(pages.Centred));
  if (pages.ShowsPagePicture) files.emplace_back(kPagePictureFile, std::move(*picture));
  return files;
}

}  // namespace orvanta
