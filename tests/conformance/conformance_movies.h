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

// One group of movies per subsystem; make_conformance_movies writes them all.
std::vector<Case> MovieSpineCases();
std::vector<Case> TextCases();
std::vector<Case> ImageCases();
std::vector<Case> ScriptCases();
std::vector<Case> ShapeCases();
std::vector<Case> ButtonCases();
std::vector<Case> SoundCases();
std::vector<Case> ArtworkCases();

}  // namespace orvanta::conformance
