#pragma once

#include <string_view>

#include <nlohmann/json.hpp>

namespace orvanta {

class TEditorSession;

struct TApiResponse {
  int Status = 200;
  nlohmann::json Body;  // always carries the document's "revision"
};

// Answers one API request: the route table finds the handler, failures become a status and a
// message. Query parameters of a GET arrive as a JSON object in place of a body.
TApiResponse HandleApiBody(TEditorSession& session, std::string_view method, std::string_view path,
                           std::string_view body);
TApiResponse HandleApi(TEditorSession& session, std::string_view method, std::string_view path,
                       const nlohmann::json& request);

}  // namespace orvanta
