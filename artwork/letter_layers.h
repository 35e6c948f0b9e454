#pragma once

#include <cstdint>
#include <functional>

#include "letter_canvas.h"

namespace orvanta::artwork {

// Building blocks the letter styles stack, each one or a few layers on the canvas.

// The glyph grown by half the width all round, in one colour: outlines and halos.
void Halo(TLetterCanvas& c, double width, uint32_t rgba, double dx = 0, double dy = 0);
// The glyph itself.
void Body(TLetterCanvas& c, const std::function<void(TFlashShape&)>& fill, double dx = 0,
          double dy = 0);
// Copies of the glyph stepping (dx, dy) each, from the farthest (tone `far`) to the nearest
// (tone `near`): a solid extrusion behind the face.
void Extrude(TLetterCanvas& c, int steps, double dx, double dy, double farTone, double nearTone,
             uint8_t alpha = 255);
// A soft white highlight over the upper part of the glyph, seen only inside it.
void Gloss(TLetterCanvas& c, uint8_t alpha, double reach = 0.5);
// Circles on a grid of the given pitch (every other row shifted half a pitch), seen only inside
// the glyph; their radius runs from r at the top of the ink to rBottom at its foot (a halftone
// when they differ).
void DotFill(TLetterCanvas& c, double pitch, double r, uint32_t rgba, double rBottom = -1);
// A four-pointed twinkle centred at (x, y).
void Sparkle(TLetterCanvas& c, double x, double y, double r, uint32_t rgba);
// Straight stripes at the angle (degrees) with the pitch and width, seen only inside the glyph.
void Stripes(TLetterCanvas& c, double angle, double pitch, double width, uint32_t rgba);

// Points on the bottom edge of the glyph's ink (its lowest outline points), left to right, at
// least `gap` pixels apart: where drops and icicles hang.
std::vector<TPointD> BottomPoints(const TLetterCanvas& c, double gap);
// A drop hanging from (x, y): `w` wide at the top and `length` long, rounded at its tip.
void Drop(TLetterCanvas& c, double x, double y, double w, double length,
          const std::function<void(TFlashShape&)>& fill);

}  // namespace orvanta::artwork
