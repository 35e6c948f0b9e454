#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace orvanta {

class TEditorSession;

struct TServerOptions {
  int ApiPort = 0;      // 0: any free port
  int PreviewPort = 0;  // 0: any free port
  size_t MaxBodyBytes = size_t(1) << 20;
  // The editor's page and modules, served at "/"; none: "/" answers where the API is.
  std::filesystem::path WebRoot = {};
  // What "Exit & Close" asks of the program; none: the command is not offered.
  std::function<void()> OnExit = {};
};

// The editor's two listeners on 127.0.0.1: the API and the UI on one port, the preview
// pages and working files on another, so that the user's pages and movies never run in the
// API's origin. Both listen from construction until Stop or destruction.
class TEditorServer {
 public:
  // FileError when a port cannot be bound.
  TEditorServer(TEditorSession& session, TServerOptions options);
  ~TEditorServer();

  int ApiPort() const;
  int PreviewPort() const;
  const std::string& Token() const;
  // The address the user opens: the API's origin with this run's token.
  std::string EditorAddress() const;
  void Stop();

 private:
  struct TImpl;
  std::unique_ptr<TImpl> impl_;
};

}  // namespace orvanta
