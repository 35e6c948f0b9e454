#include "shell/server/request_guard.h"

#include <array>
#include <cstdio>
#include <random>

namespace orvanta {

std::string NewServerToken() {
  std::random_device device;
  std::string token;
  for (int i = 0; i < 8; ++i) {
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", unsigned(device()));
    token += hex;
  }
  return token;
}

namespace {

bool IsOwnHost(std::string_view host, int port) {
  const std::string suffix = ":" + std::to_string(port);
  for (std::string_view name : {"127.0.0.1", "localhost"})
    if (host == std::string(name) + suffix) return true;
  return false;
}

// Compares without stopping at the first difference, so that timing tells nothing.
bool SameToken(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  unsigned char diff = 0;
  for (size_t i = 0; i < a.size(); ++i) diff |= static_cast<unsigned char>(a[i] ^ b[i]);
  return diff == 0;
}

}  // namespace

std::string RefusalOf(const TRequestOrigin& request, int port, std::string_view token) {
  if (!IsOwnHost(request.Host, port)) return "the Host \"" + request.Host + "\" is not this server";
  if (request.Origin) {
    const std::string& origin = *request.Origin;
    if (!origin.starts_with("http://") || !IsOwnHost(std::string_view(origin).substr(7), port))
      return "requests from \"" + origin + "\" are not accepted";
  }
  if (!token.empty() && !SameToken(request.Token, token))
    return "the request lacks this run's token";
  return "";
}

}  // namespace orvanta
