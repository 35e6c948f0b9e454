// Writes the conformance movies and, beside them, expected.json: what each file was meant to hold,
// for the independent parser and player checks (tests/conformance/check.mjs).
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <nlohmann/json.hpp>

#include "conformance_movies.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_conformance_movies OUTDIR\n";
    return 2;
  }
  const std::filesystem::path outDir = argv[1];
  std::filesystem::create_directories(outDir);
  nlohmann::json expected = nlohmann::json::object();
  try {
    std::vector<orvanta::conformance::Case> cases;
    for (auto* group : {&orvanta::conformance::MovieSpineCases,
                        &orvanta::conformance::TextCases,
                        &orvanta::conformance::ScriptCases,
                        &orvanta::conformance::ImageCases,
                        &orvanta::conformance::SoundCases,
                        &orvanta::conformance::ShapeCases,
                        &orvanta::conformance::ButtonCases,
                        &orvanta::conformance::ArtworkCases}) {
      for (auto& entry : group()) cases.push_back(std::move(entry));
    }
    for (auto& entry : cases) {
      entry.Movie->MakeData();
      entry.Movie->SaveToFile((outDir / entry.File).string());
      expected[entry.File] = entry.Expect;
    }
  } catch (const std::exception& e) {
    std::cerr << "make_conformance_movies: " << e.what() << "\n";
    return 1;
  }
  std::ofstream(outDir / "expected.json") << expected.dump(2) << "\n";
  std::cout << "wrote " << expected.size() << " movies to " << outDir.string() << "\n";
  return 0;
}
