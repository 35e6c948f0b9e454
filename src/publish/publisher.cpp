#include "publish/publisher.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>

#include "builders/standard_builders.h"
#include "platform/data_root.h"
#include "platform/errors.h"
#include "platform/text_file.h"
#include "project/build_driver.h"
#include "project/html_images.h"
#include "project/page_file_name.h"
#include "publish/site_folder.h"

namespace orvanta {

namespace fs = std::filesystem;

namespace {

constexpr const char* kImagesFolder = "images/";
constexpr const char* kRuffleFolder = "ruffle";

std::string Lower(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The page file name and its base, made distinct from the bases already published.
struct TPageFileNames {
  std::string File, Base;
};
TPageFileNames DistinctNames(const TPageState& page, int pageNumber, std::set<std::string>& used,
                             TWarnings& warnings) {
  const std::string file = SafePageFileName(page.Field("webpage_filename").Text);
  const size_t dot = file.rfind('.');
  const std::string base = file.substr(0, dot), extension = file.substr(dot);
  TPageFileNames names{file, base};
  for (int k = 2; used.contains(Lower(names.Base)); ++k) {
    names.Base = base + "_" + std::to_string(k);
    names.File = names.Base + extension;
  }
  if (names.File != file)
    warnings.push_back({pageNumber, "webpage_filename",
                        "published as " + names.File + ": another page already uses " + file});
  used.insert(Lower(names.Base));
  return names;
}

// What the pages of one publish share: the folder, and the pictures the HTML layers show.
struct TSite {
  TSiteFolder& Folder;
  std::vector<TLayerPicture> Pictures;
  std::set<std::string> PictureNames;
};

// Where a page's own files stand in the site.
struct TSiteLayout {
  std::string Movie;
  std::array<std::string, kStripCount> Strips;
  std::string PagePicture;
};
TSiteLayout LayoutFor(const std::string& base, TPublishMode mode) {
  if (mode == TPublishMode::AllMedia) return {base + ".swf", {}, {}};
  const std::string in = kImagesFolder + base;
  TSiteLayout layout{in + ".swf", {}, in + "_fsbg.jpg"};
  for (int i = 1; i <= kStripCount; ++i) layout.Strips[i - 1] = in + std::to_string(i) + ".jpg";
  return layout;
}

// A site path as the page refers to it: each folder and file name percent-encoded.
std::string UrlPath(const std::string& path) {
  std::string url;
  for (size_t from = 0, slash; from <= path.size(); from = slash + 1) {
    slash = std::min(path.find('/', from), path.size());
    url += UrlName(path.substr(from, slash - from)) + (slash < path.size() ? "/" : "");
  }
  return url;
}

void PublishBuiltPage(TPageState page, const TPageFileNames& names, const TDataRoot& data,
                      const TPublishOptions& options, TSite& shared) {
  TSiteFolder& site = shared.Folder;
  const fs::path& work = options.WorkFolder;
  const TSiteLayout layout = LayoutFor(names.Base, options.Mode);
  const std::string movie = UrlPath(layout.Movie);
  TPageNames pageNames;
  pageNames.Movie = movie.substr(0, movie.size() - 4);  // the template adds ".swf"
  site.Copy(work / kMainMovieFile, layout.Movie);
  const bool current = options.Mode == TPublishMode::CurrentPage;
  if (current) {
    for (int i = 1; i <= kStripCount; ++i) {
      pageNames.Strips[i - 1] = UrlPath(layout.Strips[i - 1]);
      site.Copy(work / StripFileName(i), layout.Strips[i - 1]);
    }
    pageNames.PagePicture = "\"" + UrlPath(layout.PagePicture) + "\"";
  }
  const size_t known = shared.Pictures.size();
  std::vector<std::string> unusable;  // the rebuild before has warned about them
  for (std::string& html : page.HtmlTexts)
    html = PublishLayerPictures(html, data, shared.Pictures, shared.PictureNames, unusable);
  for (size_t i = known; i < shared.Pictures.size(); ++i)
    site.Copy(shared.Pictures[i].Source, kLayerPictureFolder + shared.Pictures[i].FileName);
  const TGeneratedPages pages = GeneratePages(ReadPageTemplate(data), page, pageNames, options.Mode,
                                              current && fs::exists(work / kPagePictureFile));
  if (pages.ShowsPagePicture) site.Copy(work / kPagePictureFile, layout.PagePicture);
  site.Write(names.File, EncodeTextFile(pages.Centred));
}

TPublishResult Publish(TBannerDocument& doc, const std::vector<int>& pages, const TDataRoot& data,
                       const TTemplatePack& templates, const TPublishOptions& options) {
  const fs::path target = fs::weakly_canonical(options.Folder);
  const fs::path fromData = target.lexically_relative(fs::weakly_canonical(data.Folder()));
  if (!fromData.empty() && *fromData.begin() != "..")
    throw Error("cannot publish into the data root " + data.Folder().string());
  TPublishResult result;
  TSiteFolder folder(options.Folder, result.Files, result.Missing);
  TSite site{folder, {}, {}};
  const int original = doc.CurrentPage();
  doc.StorePage(original);
  TBuildDriver driver(data, {options.WorkFolder, options.Seed, options.Mode});
  AddStandardBuilders(driver, templates);
  std::set<std::string> used;
  for (int page : pages) {
    if (page != doc.CurrentPage()) doc.LoadPage(page, result.Warnings);
    TBuildReport report = driver.Rebuild(doc, TRebuildOrigin::Command);
    result.Warnings.insert(result.Warnings.end(), report.Warnings.begin(), report.Warnings.end());
    PublishBuiltPage(doc.Current, DistinctNames(doc.Current, page, used, result.Warnings), data,
                     options, site);
  }
  if (const auto ruffle = data.Find(kRuffleFolder))
    folder.CopyFolder(*ruffle, kRuffleFolder);
  else
    result.Missing.push_back(std::string(kRuffleFolder) +
                             "/: the data root holds no Ruffle player");

  if (doc.CurrentPage() != original) doc.LoadPage(original, result.Warnings);
  if (options.RestorePreview &&
      (options.Mode != TPublishMode::CurrentPage || pages.back() != original)) {
    TBuildDriver preview(data, {options.WorkFolder, options.Seed});
    AddStandardBuilders(preview, templates);
    preview.Rebuild(doc, TRebuildOrigin::Command);
  }
  return result;
}

}  // namespace

std::string TPublishResult::Summary() const {
  if (Complete()) return "Published " + std::to_string(Files.size()) + " files";
  std::string text = "Published with " + std::to_string(Missing.size()) + " file" +
                     (Missing.size() == 1 ? "" : "s") + " missing: ";
  for (size_t i = 0; i < Missing.size(); ++i) text += (i ? "; " : "") + Missing[i];
  return text;
}

std::vector<std::string> PublishFileList(const TPageState& page, TPublishMode mode) {
  const std::string file = SafePageFileName(page.Field("webpage_filename").Text);
  const std::string line = file + " [" + page.Field("htmltitleedit").Text + "]";
  const TSiteLayout layout = LayoutFor(file.substr(0, file.rfind('.')), mode);
  if (mode == TPublishMode::AllMedia) return {layout.Movie, line};
  std::vector<std::string> list{line, layout.Movie};
  list.insert(list.end(), layout.Strips.begin(), layout.Strips.end());
  list.push_back(layout.PagePicture);
  return list;
}

TPublishResult PublishPage(TBannerDocument& doc, int page, const TDataRoot& data,
                           const TTemplatePack& templates, const TPublishOptions& options) {
  if (page < 1 || page > doc.PageCount())
    throw Error("page " + std::to_string(page) + " does not exist (the project has " +
                std::to_string(doc.PageCount()) + ")");
  return Publish(doc, {page}, data, templates, options);
}

TPublishResult PublishAllPages(TBannerDocument& doc, const TDataRoot& data,
                               const TTemplatePack& templates, const TPublishOptions& options) {
  std::vector<int> pages(size_t(doc.PageCount()));
  for (int i = 0; i < doc.PageCount(); ++i) pages[size_t(i)] = i + 1;
  return Publish(doc, pages, data, templates, options);
}

}  // namespace orvanta
