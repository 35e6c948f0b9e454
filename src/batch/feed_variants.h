#pragma once

#include <string>
#include <vector>

#include "batch/feed_csv.h"

namespace orvanta {

// The column naming each variant's output: its folder (and archive and backup image) in the
// batch's folder.
inline constexpr const char* kOutputColumn = "output";

// One row of a feed, checked: the settings it makes as NAME=VALUE (empty cells keep the
// design's value), or why it cannot be built.
struct TVariant {
  int Line = 0;
  std::string Output;
  std::vector<std::string> Settings;
  std::string Problem;  // empty when the row can be built
  bool Valid() const { return Problem.empty(); }
};

// Checks every row of the feed against the field registry. A column that names no field (or
// a missing output column) fails the whole feed with Error, since every row would fail alike;
// a bad cell, an unusable or repeated output name or a row of the wrong length fails only its
// row, with a message naming the line, the column and the fault.
std::vector<TVariant> CheckVariants(const TFeedTable& feed);

// The rows one machine of shard/shards takes: every shards-th row starting at the shard-th
// (1-based), counted over the feed's rows, so machines given the same feed share it out
// without overlap.
std::vector<TVariant> ShardOf(std::vector<TVariant> variants, int shard, int shards);

}  // namespace orvanta
