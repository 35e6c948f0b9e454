#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "batch/batch_runner.h"

namespace orvanta {
namespace {

std::vector<TVariant> Rows(const std::vector<std::string>& outputs) {
  std::vector<TVariant> rows;
  int line = 2;
  for (const std::string& output : outputs) rows.push_back({line++, output, {}, {}});
  return rows;
}

// Builds every row but those named "throws" (an exception) and "dies" (the process ends).
TRowOutcome Job(const TVariant& v) {
  if (v.Output == "throws") throw std::runtime_error("the build failed");
  if (v.Output == "dies") std::abort();
  return {true, ""};
}

TEST(BatchRunner, EveryRowIsCountedOnceWhateverHappensToIt) {
  const struct {
    int jobs;
    std::vector<std::string> rows;
    int built, failed;
  } cases[] = {
      {1, {"a", "b", "throws", "c"}, 3, 1},
      {2, {"a", "b", "throws", "c", "d"}, 4, 1},
      {3, {"a", "b"}, 2, 0},  // more workers than rows
      // The worker holding "dies" takes its later rows with it; the others go on.
      {2, {"a", "dies", "b", "c", "d"}, 3, 2},
  };
  for (const auto& c : cases) {
    std::vector<TVariant> rows = Rows(c.rows);
    std::ostringstream progress;
    const TBatchSummary summary = RunBatch(rows, c.jobs, Job, progress);
    EXPECT_EQ(summary.Built, c.built) << progress.str();
    EXPECT_EQ(summary.Failed, c.failed) << progress.str();
    const std::string lines = progress.str();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), std::ptrdiff_t(rows.size()));
  }
}

TEST(BatchRunner, RowsThatFailedTheirCheckAreReportedWithoutRunning) {
  std::vector<TVariant> rows = Rows({"a", "b"});
  rows[1].Problem = "line 3: SWFWidth: not a number";
  std::ostringstream progress;
  const TBatchSummary summary =
      RunBatch(rows, 2, [](const TVariant& v) -> TRowOutcome {
        if (v.Output == "b") throw std::logic_error("ran a row that failed its check");
        return {true, ""};
      }, progress);
  EXPECT_EQ(summary.Built, 1);
  ASSERT_EQ(summary.Failures.size(), 1u);
  EXPECT_EQ(summary.Failures[0], "b: line 3: SWFWidth: not a number");
  EXPECT_NE(progress.str().find("FAIL  b: line 3"), std::string::npos) << progress.str();
}

}  // namespace
}  // namespace orvanta
