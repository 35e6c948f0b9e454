#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "batch/feed_variants.h"

namespace orvanta {

struct TRowOutcome {
  bool Built = false;
  std::string Message;  // why it failed, or what it wrote
};

// Builds one row; called in a worker process. Exceptions count as a failed row.
using TRowJob = std::function<TRowOutcome(const TVariant&)>;

struct TBatchSummary {
  int Built = 0;
  int Failed = 0;
  double Seconds = 0;
  std::vector<std::string> Failures;  // one line per failed row, in feed order
  double BannersPerSecond() const { return Seconds > 0 ? Built / Seconds : 0; }
};

// Runs the rows over jobs worker processes (rows are independent, and a process of its own
// keeps one row's crash from taking the others with it), printing a line per row as it ends.
// Rows that failed their check are reported without running. With one job the rows run in
// this process.
TBatchSummary RunBatch(const std::vector<TVariant>& variants, int jobs, const TRowJob& job,
                       std::ostream& progress);

}  // namespace orvanta
