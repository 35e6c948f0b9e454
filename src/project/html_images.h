#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace orvanta {

class TDataRoot;

// A picture on the local disk that an HTML text layer shows, and where the site keeps its copy:
// a folder of their own, so that they never meet the names of the page's own files.
inline constexpr const char* kLayerPictureFolder = "images/html/";
struct TLayerPicture {
  std::filesystem::path Source;
  std::string FileName;  // in kLayerPictureFolder
};

// The user's HTML with every <img> whose src names a picture on this machine (a file:// URL, an
// absolute path, or a name in the data root's picture folders) pointing at its copy in
// kLayerPictureFolder instead; the pictures to copy are appended. Only files that are pictures
// by their signature are taken, so a shared project cannot copy other local files into a site.
// Every other reference, and everything else in the markup, stays as written. Names already
// taken (letter case ignored) are kept in usedNames; a picture already in pictures keeps its
// name. A src that names a local file that is missing or no picture is appended to unusable.
std::string PublishLayerPictures(const std::string& html, const TDataRoot& data,
                                 std::vector<TLayerPicture>& pictures,
                                 std::set<std::string>& usedNames,
                                 std::vector<std::string>& unusable);

// The values of the src attributes of the HTML's <img> tags, as written, in order.
std::vector<std::string> ImageSourceValues(const std::string& html);

// The picture on this machine a src names, by the rules of PublishLayerPictures; empty for a
// web address, a missing file or a file that is no picture.
std::filesystem::path LocalLayerPicture(const std::string& src, const TDataRoot& data);

// A file name as it may stand in a URL of the page: characters that would end or change the
// reference are percent-encoded; ordinary names stay as they are.
std::string UrlName(const std::string& name);

}  // namespace orvanta
