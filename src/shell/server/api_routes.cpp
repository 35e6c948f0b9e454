#include "shell/server/api_routes.h"

#include <array>
#include <functional>
#include <map>
#include <string>

#include "platform/data_root.h"
#include "platform/font_engine.h"
#include "project/field_schema.h"
#include "project/html_images.h"
#include "shell/api_errors.h"
#include "shell/editor_session.h"
#include "shell/server/html_editor_page.h"

namespace orvanta {

using nlohmann::json;

namespace {

// A member of the request, of the type the route needs.
template <typename T>
T Get(const json& request, const char* name) {
  const auto it = request.find(name);
  if (it == request.end()) throw RequestError(std::string("the request lacks \"") + name + "\"");
  try {
    return it->get<T>();
  } catch (const json::exception&) {
    throw RequestError(std::string("\"") + name + "\" has the wrong type");
  }
}

// A banner-pixel position, size or offset; far beyond any banner is a bad request rather than a
// number that wraps on the way in.
int Pixels(const json& request, const char* name) {
  const int64_t value = Get<int64_t>(request, name);
  if (value < -1000000 || value > 1000000)
    throw RequestError(std::string("\"") + name + "\" is far outside the banner");
  return int(value);
}

TResizeEdge EdgeOf(const json& r) {
  const std::string edge = Get<std::string>(r, "edge");
  if (edge == "corner") return TResizeEdge::Corner;
  if (edge == "right") return TResizeEdge::Right;
  if (edge == "bottom") return TResizeEdge::Bottom;
  throw RequestError("\"edge\" is \"corner\", \"right\" or \"bottom\", not \"" + edge + "\"");
}

uint64_t Revision(const json& request) {
  return Get<uint64_t>(request, "revision");
}

TFileRef FileRefOf(const json& request) {
  return {Get<std::string>(request, "root"), Get<std::string>(request, "path")};
}

// A value as a user types it: flags as "True"/"False", numbers in decimal.
std::string TypedText(const std::string& name, const json& value) {
  if (value.is_string()) return value.get<std::string>();
  if (value.is_boolean()) return value.get<bool>() ? "True" : "False";
  if (value.is_number_integer()) return std::to_string(value.get<int64_t>());
  throw RequestError("\"" + name + "\" must be a string, an integer or a flag");
}

// The "values" of a request, each as a user types it.
std::map<std::string, std::string> TypedValues(const json& r) {
  const json values = Get<json>(r, "values");
  if (!values.is_object()) throw RequestError("\"values\" must be an object of field values");
  std::map<std::string, std::string> typed;
  for (const auto& [name, value] : values.items()) typed[name] = TypedText(name, value);
  return typed;
}

json SetFields(TEditorSession& s, const json& r) {
  return s.SetFields(Revision(r), TypedValues(r));
}

TPreviewMode ModeOf(const json& r) {
  const std::string mode = Get<std::string>(r, "mode");
  if (mode == "design") return TPreviewMode::Design;
  if (mode == "preview") return TPreviewMode::Preview;
  throw RequestError("\"mode\" is \"design\" or \"preview\", not \"" + mode + "\"");
}

// The gallery's preview, with the shape gallery's colour values when it sends them.
json GalleryPreview(TEditorSession& s, const json& r) {
  return s.GalleryPreview(
      Get<std::string>(r, "list"), Get<int>(r, "entry"),
      r.contains("values") ? TypedValues(r) : std::map<std::string, std::string>{});
}

json ListFiles(TEditorSession& s, const json& r) {
  if (!r.contains("root")) return {{"roots", s.Files().RootNames()}};
  const std::string filter = r.contains("filter") ? Get<std::string>(r, "filter") : "all";
  const std::string root = Get<std::string>(r, "root");
  const std::string path = r.contains("path") ? Get<std::string>(r, "path") : "";
  const TFolderListing listing = s.Files().List(root, path, FileFilterNamed(filter));
  // The folder's full path lets a file dialog store a picked file as the builders look it up.
  return {{"folders", listing.Folders},
          {"files", listing.Files},
          {"path", s.Files().Resolve(root, path).string()}};
}

struct TRoute {
  std::string_view Method, Path;
  std::function<json(TEditorSession&, const json&)> Handler;
};

const std::vector<TRoute>& Routes() {
  using S = TEditorSession;
  static const std::vector<TRoute> routes{
      {"GET", "/api/state", [](S& s, const json&) { return s.State(); }},
      {"GET", "/api/schema",
       [](S&, const json&) {
         return json{{"editors", FieldSchema()}};
       }},
      {"GET", "/api/files", ListFiles},
      {"GET", "/api/progress", [](S& s, const json&) { return s.Catalogue().Progress(); }},
      {"GET", "/api/catalogue", [](S& s, const json&) { return s.Catalogue().Lists(); }},
      {"GET", "/api/fonts",
       [](S&, const json&) {
         return json{{"families", FontFamilies()}};
       }},
      {"POST", "/api/samples/open",
       [](S& s, const json& r) {
         return s.OpenSample(Revision(r), Get<std::string>(r, "list"), Get<int>(r, "entry"));
       }},
      {"POST", "/api/fields", SetFields},
      {"POST", "/api/gallery/preview", GalleryPreview},
      {"POST", "/api/rebuild", [](S& s, const json& r) { return s.Rebuild(Revision(r)); }},
      {"POST", "/api/auto-rebuild",
       [](S& s, const json& r) { return s.SetAutoRebuild(Revision(r), Get<bool>(r, "on")); }},
      {"POST", "/api/undo", [](S& s, const json& r) { return s.Undo(Revision(r)); }},
      {"POST", "/api/pages/new", [](S& s, const json& r) { return s.NewPage(Revision(r)); }},
      {"POST", "/api/pages/delete",
       [](S& s, const json& r) { return s.DeletePage(Revision(r), Get<int>(r, "line")); }},
      {"POST", "/api/pages/select",
       [](S& s, const json& r) { return s.SelectPage(Revision(r), Get<int>(r, "line")); }},
      {"POST", "/api/project/load",
       [](S& s, const json& r) { return s.Load(Revision(r), FileRefOf(r)); }},
      {"POST", "/api/project/save",
       [](S& s, const json& r) { return s.Save(Revision(r), FileRefOf(r)); }},
      {"POST", "/api/publish",
       [](S& s, const json& r) {
         return s.Publish(Revision(r), FileRefOf(r),
                          {r.contains("allMedia") && Get<bool>(r, "allMedia"),
                           r.contains("allPages") && Get<bool>(r, "allPages")});
       }},
      {"POST", "/api/project/new", [](S& s, const json& r) { return s.NewEmpty(Revision(r)); }},
      {"POST", "/api/content/select",
       [](S& s, const json& r) {
         return s.SelectContent(Revision(r), Get<std::string>(r, "label"));
       }},
      {"POST", "/api/content/edit",
       [](S& s, const json& r) { return s.EditContent(Get<std::string>(r, "label")); }},
      {"POST", "/api/content/delete",
       [](S& s, const json& r) {
         return s.DeleteContent(Revision(r), Get<std::string>(r, "label"));
       }},
      {"POST", "/api/preview-mode",
       [](S& s, const json& r) { return s.SetPreviewMode(Revision(r), ModeOf(r)); }},
      // Design mode: select under the pointer, and the drops of a move, a resize and a page
      // resize.
      {"POST", "/api/design/hit",
       [](S& s, const json& r) {
         return s.DesignHit(Revision(r), Pixels(r, "x"), Pixels(r, "y"));
       }},
      {"POST", "/api/design/move",
       [](S& s, const json& r) {
         return s.DesignMove(Revision(r), Get<std::string>(r, "name"), Pixels(r, "dx"),
                             Pixels(r, "dy"));
       }},
      {"POST", "/api/design/resize",
       [](S& s, const json& r) {
         return s.DesignResize(Revision(r), Get<std::string>(r, "name"), EdgeOf(r), Pixels(r, "dx"),
                               Pixels(r, "dy"));
       }},
      {"POST", "/api/design/page-size",
       [](S& s, const json& r) {
         return s.DesignPageSize(Revision(r), EdgeOf(r), Pixels(r, "dx"), Pixels(r, "dy"));
       }},
      // The visual HTML editor's document, which the preview origin serves, and the local
      // pictures it shows.
      {"POST", "/api/html-editor",
       [](S& s, const json& r) {
         const std::string html = Get<std::string>(r, "html");
         WriteHtmlEditDocument(s.WorkFolder(), html);
         return json{{"page", kHtmlEditFile},
                     {"pictures", ShowEditorPictures(s.WorkFolder(), TDataRoot(s.DataRoot()),
                                                     ImageSourceValues(html))}};
       }},
      {"POST", "/api/html-editor/pictures",
       [](S& s, const json& r) {
         return json{{"pictures", ShowEditorPictures(s.WorkFolder(), TDataRoot(s.DataRoot()),
                                                     Get<std::vector<std::string>>(r, "sources"))}};
       }},
  };
  return routes;
}

TApiResponse Failure(TEditorSession& session, int status, const std::string& message) {
  return {status, {{"error", message}, {"revision", session.State()["revision"]}}};
}

}  // namespace

TApiResponse HandleApiBody(TEditorSession& session, std::string_view method, std::string_view path,
                           std::string_view body) {
  json request = json::object();
  if (!body.empty()) {
    request = json::parse(body, nullptr, false);
    if (request.is_discarded()) return Failure(session, 400, "the request body is not valid JSON");
    if (!request.is_object())
      return Failure(session, 400, "the request body must be a JSON object");
  }
  return HandleApi(session, method, path, request);
}

TApiResponse HandleApi(TEditorSession& session, std::string_view method, std::string_view path,
                       const json& request) {
  const TRoute* route = nullptr;
  bool pathKnown = false;
  for (const TRoute& r : Routes())
    if (r.Path == path) {
      pathKnown = true;
      if (r.Method == method) route = &r;
    }
  if (!route)
    return Failure(session, pathKnown ? 405 : 404,
                   pathKnown ? std::string(method) + " is not allowed on " + std::string(path)
                             : "no command is at " + std::string(path));
  try {
    json result = route->Handler(session, request);
    if (!result.contains("revision")) result["revision"] = session.State()["revision"];
    return {200, std::move(result)};
  } catch (const BusyError& e) {
    return Failure(session, 409, e.what());
  } catch (const StaleRevisionError& e) {
    return Failure(session, 412, e.what());
  } catch (const RefusedError& e) {
    return Failure(session, 422, e.what());
  } catch (const OutsideRootError& e) {
    return Failure(session, 403, e.what());
  } catch (const FormatError& e) {
    return Failure(session, 400, e.what());
  } catch (const FileError& e) {
    return Failure(session, 404, e.what());
  } catch (const std::exception& e) {
    return Failure(session, 500, e.what());
  }
}

}  // namespace orvanta
