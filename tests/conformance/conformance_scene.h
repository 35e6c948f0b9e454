#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>

#include "conformance_movies.h"
#include "conformance_support.h"
#include "swf/swf_records.h"

namespace orvanta::conformance {

// A movie under construction together with what it must hold: the top-level tag codes in
// order, swf-parser fields by tag index, and what the player must show (pixels, ink, steps).
// Colours here are written 0xRRGGBB, as a person reads them; Packed turns them into the
// builder's form.
class Scene {
 public:
  Scene(std::string file, int version) : c_{std::move(file), NewMovie(version), {}} {
    c_.Expect["fields"] = nlohmann::json::object();
  }

  TFlashMovie& M() { return *c_.Movie; }

  // The next top-level tag the file must hold; returns its index.
  size_t Expect(int code, nlohmann::json tagFields = nullptr) {
    const size_t index = codes_.size();
    if (!tagFields.is_null()) c_.Expect["fields"][std::to_string(index)] = std::move(tagFields);
    codes_.push_back(code);
    return index;
  }
  size_t Count() const { return codes_.size(); }

  void Pixel(int x, int y, uint32_t rgb, const std::string& what, int tol = 16) {
    pixels_.push_back({{"x", x}, {"y", y}, {"rgb", Hex(rgb)}, {"tol", tol}, {"what", what}});
  }
  // The share of pixels in the box that differ from the background by more than tol.
  void Ink(int x0, int y0, int x1, int y1, double min, double max, const std::string& what,
           uint32_t background = 0xFFFFFF, int tol = 40) {
    ink_.push_back({{"box", {x0, y0, x1, y1}},
                    {"background", Hex(background)},
                    {"tol", tol},
                    {"min", min},
                    {"max", max},
                    {"what", what}});
  }
  nlohmann::json& Steps() { return steps_; }
  nlohmann::json& Entry() { return c_.Expect; }

  // Closes the expectation: the header for `frames` frames, the codes with End, and the player
  // checks.
  Case Done(int version, int frames) {
    auto codes = codes_;
    codes.push_back(0);
    c_.Expect["header"] = Header(version, frames);
    c_.Expect["codes"] = codes;
    if (!pixels_.empty()) c_.Expect["pixels"] = pixels_;
    if (!ink_.empty()) c_.Expect["ink"] = ink_;
    if (!steps_.empty()) c_.Expect["steps"] = steps_;
    return std::move(c_);
  }

  static std::string Hex(uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "%06x", static_cast<unsigned>(rgb & 0xFFFFFF));
    return text;
  }

 private:
  Case c_;
  nlohmann::json codes_ = nlohmann::json::array();
  nlohmann::json pixels_ = nlohmann::json::array();
  nlohmann::json ink_ = nlohmann::json::array();
  nlohmann::json steps_ = nlohmann::json::array();
};

// 0xRRGGBB and an alpha as the builder's packed colour (red in the low byte).
constexpr uint32_t Packed(uint32_t rgb, uint8_t alpha = 255) {
  return PackRGBA(uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb), alpha);
}

// swf-parser's colour objects.
inline nlohmann::json Rgba(uint32_t rgb, int alpha = 255) {
  return {{"r", (rgb >> 16) & 0xFF}, {"g", (rgb >> 8) & 0xFF}, {"b", rgb & 0xFF}, {"a", alpha}};
}
inline nlohmann::json Bounds(int xMin, int yMin, int xMax, int yMax) {
  return {{"xMin", xMin}, {"xMax", xMax}, {"yMin", yMin}, {"yMax", yMax}};
}

}  // namespace orvanta::conformance
