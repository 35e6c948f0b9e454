#include "shell/server/editor_server.h"

#include <httplib.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/errors.h"
#include "shell/api_errors.h"
#include "shell/editor_session.h"
#include "shell/photo_thumbnail.h"
#include "shell/server/api_routes.h"
#include "shell/server/html_editor_page.h"
#include "shell/server/preview_files.h"
#include "shell/server/request_guard.h"

namespace orvanta {

namespace {

constexpr const char* kLoopback = "127.0.0.1";

TRequestOrigin OriginOf(const httplib::Request& req) {
  TRequestOrigin origin{req.get_header_value("Host"), std::nullopt,
                        req.get_header_value("X-Orvanta-Token")};
  if (req.has_header("Origin")) origin.Origin = req.get_header_value("Origin");
  if (origin.Token.empty() && req.has_param("token")) origin.Token = req.get_param_value("token");
  return origin;
}

int Bind(httplib::Server& server, int port, const char* what) {
  const int bound = port == 0 ? server.bind_to_any_port(kLoopback)
                              : (server.bind_to_port(kLoopback, port) ? port : -1);
  if (bound <= 0)
    throw FileError(std::string("cannot listen for the ") + what + " on " + kLoopback + ":" +
                    std::to_string(port));
  return bound;
}

// httplib's stop() does nothing to a server whose listening thread has not begun yet, and that
// thread would then listen forever; so the servers count as started only once both listen.
void WaitUntilListening(const httplib::Server& a, const httplib::Server& b) {
  using namespace std::chrono_literals;
  const auto deadline = std::chrono::steady_clock::now() + 30s;
  while (!(a.is_running() && b.is_running())) {
    if (std::chrono::steady_clock::now() > deadline)
      throw FileError("the editor's servers did not start listening");
    std::this_thread::sleep_for(1ms);
  }
}

}  // namespace

struct TEditorServer::TImpl {
  TEditorSession& Session;
  TServerOptions Options;
  std::string Token = NewServerToken();
  httplib::Server Api, Preview;
  int ApiPort = 0, PreviewPort = 0;
  std::thread ApiThread, PreviewThread;

  TImpl(TEditorSession& session, TServerOptions options)
      : Session(session), Options(std::move(options)) {}

  // Refuses what the guard refuses; the token is needed for every API request.
  httplib::Server::HandlerResponse Guard(const httplib::Request& req, httplib::Response& res,
                                         int port, bool needsToken) {
    const std::string refusal = RefusalOf(OriginOf(req), port, needsToken ? Token : "");
    if (refusal.empty()) return httplib::Server::HandlerResponse::Unhandled;
    res.status = 403;
    res.set_content(nlohmann::json{{"error", refusal}}.dump(), "application/json");
    return httplib::Server::HandlerResponse::Handled;
  }

  void AnswerApi(const httplib::Request& req, httplib::Response& res) {
    TApiResponse answer;
    if (req.method == "GET") {
      nlohmann::json query = nlohmann::json::object();
      for (const auto& [name, value] : req.params)
        if (name != "token") query[name] = value;
      answer = HandleApi(Session, req.method, req.path, query);
    } else {
      answer = HandleApiBody(Session, req.method, req.path, req.body);
    }
    res.status = answer.Status;
    res.set_header("Cache-Control", "no-store");
    res.set_header("X-Orvanta-Revision", answer.Body["revision"].dump());
    res.set_content(answer.Body.dump(), "application/json");
  }

  void AnswerThumbnail(const httplib::Request& req, httplib::Response& res) {
    res.set_header("Cache-Control", "no-store");
    const std::string entry = req.get_param_value("entry");
    char* end = nullptr;
    const long index = std::strtol(entry.c_str(), &end, 10);
    if (entry.empty() || *end != '\0' || index < 0 || index > 100000)
      return AnswerJson(res, 400, {{"error", "\"entry\" must be an entry's position"}});
    try {
      const std::vector<uint8_t> png =
          Session.Catalogue().ThumbnailPng(req.get_param_value("list"), int(index));
      res.set_content(std::string(png.begin(), png.end()), "image/png");
    } catch (const Error& e) {
      AnswerJson(res, 404, {{"error", e.what()}});
    }
  }

  void AnswerPhotoThumbnail(const httplib::Request& req, httplib::Response& res) {
    res.set_header("Cache-Control", "no-store");
    auto param = [&req](const char* name, const char* absent) {
      return req.has_param(name) ? req.get_param_value(name) : std::string(absent);
    };
    try {
      const TPhotoThumbnailRequest request = PhotoThumbnailRequestOf(
          param("name", ""), param("width", "64"), param("height", "48"), param("fit", "fit"));
      const std::vector<uint8_t> png = PhotoThumbnailPng(Session.Data(), Session.Files(), request);
      res.set_content(std::string(png.begin(), png.end()), "image/png");
    } catch (const RequestError& e) {
      AnswerJson(res, 400, {{"error", e.what()}});
    } catch (const OutsideRootError& e) {
      AnswerJson(res, 403, {{"error", e.what()}});
    } catch (const Error& e) {
      // A missing photo and one that does not decode are alike to the list: nothing to show.
      AnswerJson(res, 404, {{"error", e.what()}});
    }
  }

  static void AnswerJson(httplib::Response& res, int status, const nlohmann::json& body) {
    res.status = status;
    res.set_header("Cache-Control", "no-store");
    res.set_content(body.dump(), "application/json");
  }

  static void AnswerFile(httplib::Response& res, const TPreviewAnswer& answer) {
    res.status = answer.Status;
    res.set_header("Cache-Control", "no-store");
    res.set_header("X-Content-Type-Options", "nosniff");
    res.set_content(answer.Body, answer.ContentType);
  }

  void Routes() {
    Api.set_payload_max_length(Options.MaxBodyBytes);
    Api.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
      return Guard(req, res, ApiPort, req.path.starts_with("/api/"));
    });
    // Pictures are the one answer of the API that is not JSON.
    Api.Get("/api/thumbnail", [this](const httplib::Request& req, httplib::Response& res) {
      AnswerThumbnail(req, res);
    });
    Api.Get("/api/photo-thumbnail", [this](const httplib::Request& req, httplib::Response& res) {
      AnswerPhotoThumbnail(req, res);
    });
    // Where the preview pages are: a second origin, which the UI's frame loads them from.
    Api.Get("/api/preview", [this](const httplib::Request&, httplib::Response& res) {
      AnswerJson(res, 200, {{"origin", "http://127.0.0.1:" + std::to_string(PreviewPort)}});
    });
    Api.Post("/api/exit", [this](const httplib::Request&, httplib::Response& res) {
      if (!Options.OnExit) return AnswerJson(res, 404, {{"error", "this editor cannot be closed"}});
      AnswerJson(res, 200, {{"closing", true}});
      Options.OnExit();
    });
    auto api = [this](const httplib::Request& req, httplib::Response& res) { AnswerApi(req, res); };
    Api.Get(R"(/api/.*)", api);
    Api.Post(R"(/api/.*)", api);
    Api.Get(R"(/.*)", [this](const httplib::Request& req, httplib::Response& res) {
      if (Options.WebRoot.empty())
        return AnswerJson(res, 200,
                          {{"api", "/api/state"},
                           {"preview", "http://127.0.0.1:" + std::to_string(PreviewPort)}});
      AnswerFile(res, WebUiAnswer(Options.WebRoot, req.path));
    });
    Preview.set_payload_max_length(0);
    Preview.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
      return Guard(req, res, PreviewPort, false);
    });
    // Built in, so that no file of the working folder can stand in for it.
    Preview.Get(
        "/gallery_preview.htm", [this](const httplib::Request& req, httplib::Response& res) {
          AnswerFile(res, GalleryPreviewPage(Session.WorkFolder(), req.get_param_value("movie"),
                                             req.get_param_value("t")));
        });
    // The visual HTML editor's document, with the script that lets the editor page command it.
    Preview.Get("/htmledit.html", [this](const httplib::Request&, httplib::Response& res) {
      const auto agent = Options.WebRoot / "editors" / "html_text" / "design_agent.js";
      AnswerFile(res, HtmlEditorAnswer(Session.WorkFolder(), agent, ApiPort));
    });
    Preview.Get(R"(/.*)", [this](const httplib::Request& req, httplib::Response& res) {
      AnswerFile(res, PreviewAnswer(Session.WorkFolder(), Session.DataRoot() / "ruffle", req.path));
    });
  }
};

TEditorServer::TEditorServer(TEditorSession& session, TServerOptions options)
    : impl_(std::make_unique<TImpl>(session, std::move(options))) {
  impl_->Routes();
  impl_->ApiPort = Bind(impl_->Api, impl_->Options.ApiPort, "editor");
  impl_->PreviewPort = Bind(impl_->Preview, impl_->Options.PreviewPort, "preview");
  impl_->ApiThread = std::thread([this] { impl_->Api.listen_after_bind(); });
  impl_->PreviewThread = std::thread([this] { impl_->Preview.listen_after_bind(); });
  try {
    WaitUntilListening(impl_->Api, impl_->Preview);
  } catch (...) {
    Stop();
    throw;
  }
}

TEditorServer::~TEditorServer() {
  Stop();
}

void TEditorServer::Stop() {
  impl_->Api.stop();
  impl_->Preview.stop();
  if (impl_->ApiThread.joinable()) impl_->ApiThread.join();
  if (impl_->PreviewThread.joinable()) impl_->PreviewThread.join();
}

int TEditorServer::ApiPort() const {
  return impl_->ApiPort;
}
int TEditorServer::PreviewPort() const {
  return impl_->PreviewPort;
}
const std::string& TEditorServer::Token() const {
  return impl_->Token;
}

std::string TEditorServer::EditorAddress() const {
  return "http://127.0.0.1:" + std::to_string(impl_->ApiPort) + "/?token=" + impl_->Token;
}

}  // namespace orvanta
