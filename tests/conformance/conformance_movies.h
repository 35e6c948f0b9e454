#pragma once

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "movie/flash_movie.h"

namespace orvanta::conformance {

// One movie to write, with what the independent parser must find in it (see README.md here).
struct Case {
  std::string File;
  std::unique_ptr<TFlashMovie> Movie;
  nlohmann::json Expect;
};

std::vector<Case> AllCases();

}  // namespace orvanta::conformance
