#include <cmath>
#include <random>

#include "art_motion.h"
#include "art_movie.h"
#include "art_paint.h"
#include "artwork_output.h"
#include "families.h"
#include "movie/flash_movie.h"
#include "movie/flash_shape.h"
#include "platform/artwork_names.h"
#include "script/flash_action_script.h"

namespace orvanta::artwork {

namespace {

// Drawn for a 465 x 350 box; the slideshow removes the mask after frame 30, so every piece is
// grown to full size by then and the movie holds there.
constexpr int32_t kBoxWidth = 465, kBoxHeight = 350;
constexpr int kFrames = 30;

// One piece of a mask: a shape centred on its origin that grows from nothing over
// [Start, End) frames while standing at (X, Y), stretched by the pose's scales when full.
struct TMaskPiece {
  TFlashShape* Shape;
  double X, Y;
  int Start, End;
  bool Sideways = false;  // grows in width only, like a stroke of the brush
};

std::vector<uint8_t> AnimateMask(std::unique_ptr<TFlashMovie> movie,
                                 const std::vector<TMaskPiece>& pieces) {
  for (int frame = 0; frame < kFrames; ++frame) {
    for (size_t i = 0; i < pieces.size(); ++i) {
      const TMaskPiece& piece = pieces[i];
      const double t = std::clamp(
          static_cast<double>(frame + 1 - piece.Start) / std::max(1, piece.End - piece.Start), 0.01,
          1.0);
      PlacePose(*movie, piece.Shape, static_cast<uint16_t>(i + 1), frame == 0,
                {piece.X, piece.Y, t, piece.Sideways ? 1 : t, 0});
    }
    if (frame == kFrames - 1) movie->FrameActions().Stop();
    movie->ShowFrame();
  }
  return MovieBytes(*movie);
}

TFlashShape* CenteredShape(TFlashMovie& movie, int32_t halfW, int32_t halfH, bool round,
                           uint32_t color) {
  TFlashShape* shape = round ? movie.AddEllipse(-halfW, -halfH, halfW, halfH)
                             : movie.AddRectangle(-halfW, -halfH, halfW, halfH);
  shape->SetSolidColor(color);
  return shape;
}

// 3 x 3 cells, each growing from its centre; circles reach the cell corners.
std::vector<uint8_t> CellMask(bool circles) {
  auto movie = NewArtMovie(kBoxWidth, kBoxHeight);
  const double cw = kBoxWidth / 3.0, ch = kBoxHeight / 3.0;
  const int32_t halfW = static_cast<int32_t>(std::ceil(cw / 2)) + 1,
                halfH = static_cast<int32_t>(std::ceil(ch / 2)) + 1;
  const double k = circles ? std::sqrt(2.0) : 1;
  TFlashShape* cell = CenteredShape(*movie, static_cast<int32_t>(halfW * k) + 1,
                                    static_cast<int32_t>(halfH * k) + 1, circles, Rgb(0x3A78C8));
  std::vector<TMaskPiece> pieces;
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col)
      pieces.push_back({cell, cw * (col + 0.5), ch * (row + 0.5), 0, kFrames - 2 - (row + col)});
  return AnimateMask(std::move(movie), pieces);
}

// Blocks of a grid that appear at random moments.
std::vector<uint8_t> RandomBlocks(int columns, int rows, uint32_t seed, bool round) {
  auto movie = NewArtMovie(kBoxWidth, kBoxHeight);
  std::minstd_rand random(seed);
  const double cw = static_cast<double>(kBoxWidth) / columns,
               ch = static_cast<double>(kBoxHeight) / rows;
  const double k = round ? std::sqrt(2.0) : 1;
  TFlashShape* block = CenteredShape(*movie, static_cast<int32_t>(cw / 2 * k) + 2,
                                     static_cast<int32_t>(ch / 2 * k) + 2, round, Rgb(0x44A060));
  std::vector<TMaskPiece> pieces;
  for (int row = 0; row < rows; ++row)
    for (int col = 0; col < columns; ++col) {
      const int start = static_cast<int>(random() % 20);
      pieces.push_back({block, cw * (col + 0.5), ch * (row + 0.5), start, start + 8});
    }
  return AnimateMask(std::move(movie), pieces);
}

// Broad strokes laid one below the other, each swept out from the left.
std::vector<uint8_t> BrushStrokes() {
  auto movie = NewArtMovie(kBoxWidth, kBoxHeight);
  constexpr int kStrokes = 6;
  const double h = static_cast<double>(kBoxHeight) / kStrokes;
  TFlashShape* stroke = movie->AddRoundRect(0, -static_cast<int32_t>(h * 0.75), kBoxWidth + 40,
                                            static_cast<int32_t>(h * 0.75), 30);
  stroke->SetSolidColor(Rgb(0xC85A3A));
  std::vector<TMaskPiece> pieces;
  for (int i = 0; i < kStrokes; ++i)
    pieces.push_back({stroke, -20, h * (i + 0.5), i * 3, i * 3 + 12, true});
  return AnimateMask(std::move(movie), pieces);
}

}  // namespace

void GenerateTransitionMasks(TArtworkOutput& output) {
  // In the order of TransitionMasks().
  std::vector<std::vector<uint8_t>> masks;
  masks.push_back(CellMask(false));
  masks.push_back(CellMask(true));
  masks.push_back(RandomBlocks(8, 6, 11, false));
  masks.push_back(RandomBlocks(6, 5, 23, true));
  masks.push_back(BrushStrokes());
  for (size_t i = 0; i < masks.size(); ++i)
    output.AddDataFile("albumboader/" + TransitionMasks()[i], std::move(masks[i]));
}

}  // namespace orvanta::artwork
