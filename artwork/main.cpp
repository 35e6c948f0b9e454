// Makes every template and data file the program ships: the template pack (embedded into the
// executable) and the data root beside it.
//
//   orvanta_artwork PACK DATA_ROOT [--family NAME]...

#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "artwork_output.h"
#include "families.h"

namespace {

using orvanta::artwork::TArtworkFamily;

// Runs the families on the machine's cores; the first failure is reported after all stop.
void RunFamilies(const std::vector<const TArtworkFamily*>& families,
                 orvanta::artwork::TArtworkOutput& output) {
  std::atomic<size_t> next{0};
  std::exception_ptr failure;
  std::mutex failureMutex;
  auto worker = [&] {
    for (size_t i; (i = next++) < families.size();) {
      try {
        families[i]->Generate(output);
      } catch (...) {
        std::lock_guard lock(failureMutex);
        if (!failure) failure = std::current_exception();
      }
    }
  };
  const unsigned count = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
  std::vector<std::thread> threads;
  for (unsigned t = 0; t < count; ++t) threads.emplace_back(worker);
  for (std::thread& t : threads) t.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: orvanta_artwork PACK DATA_ROOT [--family NAME]...\n";
    return 2;
  }
  std::vector<std::string> only;
  for (int i = 3; i + 1 < argc; i += 2)
    if (std::string(argv[i]) == "--family") only.push_back(argv[i + 1]);

  std::vector<const TArtworkFamily*> selected;
  for (const TArtworkFamily& family : orvanta::artwork::ArtworkFamilies())
    if (only.empty() || std::find(only.begin(), only.end(), family.Name) != only.end())
      selected.push_back(&family);

  try {
    const auto start = std::chrono::steady_clock::now();
    orvanta::artwork::TArtworkOutput output;
    RunFamilies(selected, output);
    output.Write(argv[1], argv[2]);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "artwork: " << selected.size() << " families, " << output.TemplateCount()
              << " templates in " << seconds << " s\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "orvanta_artwork: " << e.what() << "\n";
    return 1;
  }
}
