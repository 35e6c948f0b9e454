#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvanta {

// What a request to the local server says about where it comes from.
struct TRequestOrigin {
  std::string Host;                   // the Host header
  std::optional<std::string> Origin;  // the Origin header, when sent
  std::string Token;                  // the X-Orvanta-Token header or the token parameter
};

// A fresh random token for one run of the server.
std::string NewServerToken();

// Why a request is refused, or empty when it may pass: the Host must name this server on the
// loopback (a foreign name is a DNS rebinding), an Origin must be this server's own (another
// site's page cannot drive the API), and the token must match when one is required.
std::string RefusalOf(const TRequestOrigin& request, int port, std::string_view token);

}  // namespace orvanta
