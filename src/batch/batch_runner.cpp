#include "batch/batch_runner.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <iomanip>
#include <iostream>
#include <map>
#include <sstream>

#include "platform/errors.h"

namespace orvanta {

namespace {

TRowOutcome RunRow(const TRowJob& job, const TVariant& variant) {
  try {
    return job(variant);
  } catch (const std::exception& e) {
    return {false, e.what()};
  }
}

// A row's message after its output name; a row without one names its line in the message.
std::string Labelled(const TVariant& v, const std::string& message) {
  if (v.Output.empty()) return message;
  return message.empty() ? v.Output : v.Output + ": " + message;
}

// Prints each ending row and keeps the count.
class TProgress {
 public:
  TProgress(const std::vector<TVariant>& variants, std::ostream& out)
      : variants_(variants), out_(out) {}

  void Report(size_t index, const TRowOutcome& outcome) {
    outcomes_[index] = outcome;
    const TVariant& v = variants_[index];
    out_ << "[" << std::setw(int(std::to_string(variants_.size()).size())) << ++done_ << "/"
         << variants_.size() << "] " << (outcome.Built ? "ok    " : "FAIL  ")
         << Labelled(v, outcome.Message) << std::endl;
  }

  TBatchSummary Summary(double seconds) const {
    TBatchSummary summary;
    summary.Seconds = seconds;
    for (const auto& [index, outcome] : outcomes_) {
      if (outcome.Built) {
        ++summary.Built;
      } else {
        ++summary.Failed;
        const TVariant& v = variants_[index];
        summary.Failures.push_back(Labelled(v, outcome.Message));
      }
    }
    return summary;
  }

  bool Reported(size_t index) const { return outcomes_.contains(index); }

 private:
  const std::vector<TVariant>& variants_;
  std::ostream& out_;
  std::map<size_t, TRowOutcome> outcomes_;
  size_t done_ = 0;
};

// A worker's report of one row: "index built message", one line.
std::string ReportLine(size_t index, const TRowOutcome& outcome) {
  std::string message = outcome.Message;
  std::replace(message.begin(), message.end(), '\n', ' ');
  return std::to_string(index) + " " + (outcome.Built ? "1" : "0") + " " + message + "\n";
}

void WriteAll(int fd, const std::string& text) {
  for (size_t done = 0; done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;  // the parent is gone; nothing to tell
    done += size_t(n);
  }
}

struct TWorker {
  pid_t Pid = -1;
  int Fd = -1;
  std::string Pending;  // bytes after the last complete line
  std::vector<size_t> Rows;
};

[[noreturn]] void WorkerMain(const std::vector<TVariant>& variants, const std::vector<size_t>& rows,
                             const TRowJob& job, int fd) {
  for (size_t index : rows) WriteAll(fd, ReportLine(index, RunRow(job, variants[index])));
  std::cout.flush();
  ::_exit(0);
}

TWorker StartWorker(const std::vector<TVariant>& variants, std::vector<size_t> rows,
                    const TRowJob& job) {
  int fds[2];
  if (::pipe(fds) != 0) throw Error("cannot start a worker process: no pipe");
  std::cout.flush();
  std::cerr.flush();
  const pid_t pid = ::fork();
  if (pid < 0) throw Error("cannot start a worker process");
  if (pid == 0) {
    ::close(fds[0]);
    WorkerMain(variants, rows, job, fds[1]);
  }
  ::close(fds[1]);
  return {pid, fds[0], {}, std::move(rows)};
}

void ReadReports(TWorker& worker, TProgress& progress) {
  char buffer[4096];
  const ssize_t n = ::read(worker.Fd, buffer, sizeof buffer);
  if (n <= 0) {
    ::close(worker.Fd);
    worker.Fd = -1;
    return;
  }
  worker.Pending.append(buffer, size_t(n));
  for (size_t end; (end = worker.Pending.find('\n')) != std::string::npos;) {
    std::istringstream line(worker.Pending.substr(0, end));
    worker.Pending.erase(0, end + 1);
    size_t index = 0;
    int built = 0;
    line >> index >> built;
    line.get();
    std::string message;
    std::getline(line, message);
    progress.Report(index, {built == 1, message});
  }
}

// Rows a worker never reported: it ended before them.
void ReportLost(const TWorker& worker, TProgress& progress) {
  int status = 0;
  ::waitpid(worker.Pid, &status, 0);
  const std::string why = WIFSIGNALED(status)
                              ? "the worker process was killed by signal " +
                                    std::to_string(WTERMSIG(status))
                              : "the worker process ended before this row";
  for (size_t index : worker.Rows)
    if (!progress.Reported(index)) progress.Report(index, {false, why});
}

void RunInWorkers(const std::vector<TVariant>& variants, const std::vector<size_t>& rows, int jobs,
                  const TRowJob& job, TProgress& progress) {
  std::vector<TWorker> workers;
  for (int k = 0; k < jobs; ++k) {
    std::vector<size_t> share;
    for (size_t i = size_t(k); i < rows.size(); i += size_t(jobs)) share.push_back(rows[i]);
    if (!share.empty()) workers.push_back(StartWorker(variants, std::move(share), job));
  }
  while (std::any_of(workers.begin(), workers.end(), [](const TWorker& w) { return w.Fd >= 0; })) {
    std::vector<pollfd> fds;
    for (const TWorker& w : workers)
      if (w.Fd >= 0) fds.push_back({w.Fd, POLLIN, 0});
    if (::poll(fds.data(), fds.size(), -1) < 0) continue;
    for (TWorker& w : workers)
      for (const pollfd& p : fds)
        if (p.fd == w.Fd && w.Fd >= 0 && (p.revents & (POLLIN | POLLHUP | POLLERR)))
          ReadReports(w, progress);
  }
  for (const TWorker& w : workers) ReportLost(w, progress);
}

}  // namespace

TBatchSummary RunBatch(const std::vector<TVariant>& variants, int jobs, const TRowJob& job,
                       std::ostream& out) {
  const auto start = std::chrono::steady_clock::now();
  TProgress progress(variants, out);
  std::vector<size_t> rows;
  for (size_t i = 0; i < variants.size(); ++i) {
    if (variants[i].Valid())
      rows.push_back(i);
    else
      progress.Report(i, {false, variants[i].Problem});
  }
  if (jobs <= 1)
    for (size_t index : rows) progress.Report(index, RunRow(job, variants[index]));
  else
    RunInWorkers(variants, rows, jobs, job, progress);
  return progress.Summary(
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

}  // namespace orvanta
