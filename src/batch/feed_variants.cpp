#include "batch/feed_variants.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "platform/errors.h"
#include "project/field_registry.h"
#include "project/field_value.h"

namespace orvanta {

namespace {

// Blocks a row may set besides the fields: the animated text ("\n" between lines) and the
// photo list ("|" between files).
constexpr std::string_view kBlockColumns[] = {"InputText", "Photos"};

bool IsBlockColumn(const std::string& name) {
  return std::find(std::begin(kBlockColumns), std::end(kBlockColumns), name) !=
         std::end(kBlockColumns);
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// An output name becomes a folder, a .zip and a .jpg in the batch folder: one plain name.
std::string OutputProblem(const std::string& name) {
  if (name.empty()) return "the output name is empty";
  if (name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos)
    return "the output name \"" + name + "\" is not a plain name (no folders)";
  for (unsigned char c : name)
    if (std::iscntrl(c)) return "the output name holds a control character";
  return {};
}

std::string CellProblem(const std::string& column, const std::string& cell) {
  if (IsBlockColumn(column)) return {};
  std::string problem;
  NormaliseTypedValue(FieldRegistry()[FindSavedField(column)], cell, problem);
  return problem.empty() ? std::string() : column + ": " + problem;
}

void CheckColumns(const std::vector<std::string>& header, size_t output) {
  if (output == header.size())
    throw Error(std::string("the feed has no \"") + kOutputColumn +
                "\" column naming each row's output");
  for (size_t i = 0; i < header.size(); ++i) {
    const std::string name = Trimmed(header[i]);
    if (i != output && !IsBlockColumn(name) && FindSavedField(name) < 0)
      throw Error("the feed's column " + std::to_string(i + 1) + " \"" + name +
                  "\" names no field; nothing was built");
  }
}

TVariant CheckRow(const std::vector<std::string>& header, size_t output, const TFeedRecord& row) {
  TVariant variant{row.Line, {}, {}, {}};
  if (row.Cells.size() != header.size()) {
    variant.Problem = std::to_string(row.Cells.size()) + " cells where the header names " +
                      std::to_string(header.size()) + " columns";
    return variant;
  }
  variant.Output = Trimmed(row.Cells[output]);
  variant.Problem = OutputProblem(variant.Output);
  for (size_t i = 0; i < header.size() && variant.Valid(); ++i) {
    if (i == output || row.Cells[i].empty()) continue;
    const std::string column = Trimmed(header[i]);
    variant.Problem = CellProblem(column, row.Cells[i]);
    variant.Settings.push_back(column + "=" + row.Cells[i]);
  }
  return variant;
}

std::string Folded(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::vector<TVariant> CheckVariants(const TFeedTable& feed) {
  size_t output = 0;
  while (output < feed.Header.size() && Folded(Trimmed(feed.Header[output])) != kOutputColumn)
    ++output;
  CheckColumns(feed.Header, output);
  std::vector<TVariant> variants;
  std::map<std::string, int> outputs;  // folded name -> line that took it
  for (const TFeedRecord& row : feed.Records) {
    TVariant variant = CheckRow(feed.Header, output, row);
    if (variant.Valid()) {
      const auto [taken, fresh] = outputs.emplace(Folded(variant.Output), row.Line);
      if (!fresh)
        variant.Problem = "the output name \"" + variant.Output + "\" is already used on line " +
                          std::to_string(taken->second);
    }
    if (!variant.Valid()) variant.Problem = "line " + std::to_string(row.Line) + ": " + variant.Problem;
    variants.push_back(std::move(variant));
  }
  return variants;
}

std::vector<TVariant> ShardOf(std::vector<TVariant> variants, int shard, int shards) {
  if (shards < 1 || shard < 1 || shard > shards)
    throw Error("--shard takes K/N with 1 <= K <= N, not " + std::to_string(shard) + "/" +
                std::to_string(shards));
  std::vector<TVariant> mine;
  for (size_t i = size_t(shard - 1); i < variants.size(); i += size_t(shards))
    mine.push_back(std::move(variants[i]));
  return mine;
}

}  // namespace orvanta
