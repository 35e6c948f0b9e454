#pragma once

#include <cstdint>
#include <memory>
#include <optional>

namespace orvanta {

class TFlashMovie;

struct DemoOptions {
  bool Compressed = true;
  std::optional<uint64_t> Seed;  // fixes the password salt for reproducible output
};

// A small demonstration movie: 320x240 at 12 fps, a background colour, four labelled frames (the
// second a named anchor), protection with a password, file attributes and metadata.
std::unique_ptr<TFlashMovie> BuildDemoMovie(const DemoOptions& options);

}  // namespace orvanta
