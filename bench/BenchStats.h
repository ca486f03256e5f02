// What every benchmark shares: a clock, medians of repeated runs, and one
// line per figure in a fixed layout, so runs can be compared by eye.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace bench {

inline double NowMs() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Milliseconds of one call of run, as its median over runs.
inline double MedianMs(int runs, const std::function<void()>& run) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double start = NowMs();
    run();
    times.push_back(NowMs() - start);
  }
  return Median(times);
}

inline void Figure(const std::string& name, double value, const char* unit) {
  std::printf("  %-66s %10.2f %s\n", name.c_str(), value, unit);
  std::fflush(stdout);
}

// A ratio with its target: "<=" targets pass at or below the bound.
inline bool Ratio(const std::string& name, double ratio, double target) {
  const bool met = ratio <= target;
  std::printf("  %-66s %9.2fx  (target <= %.2fx: %s)\n", name.c_str(), ratio, target, met ? "met" : "MISSED");
  std::fflush(stdout);
  return met;
}

inline void Heading(const char* text) {
  std::printf("%s\n", text);
  std::fflush(stdout);
}

// P2: the viewer's listing code (listed and sorted) against a bare loop over
// the same folder, at 10,000 and 100,000 files, and its growth between them.
// Each run gives the number of files it listed; the listing must lose none.
inline void ListingFigures(const std::string& bareName, int runs, const std::function<std::size_t(int files)>& bare,
                           const std::function<std::size_t(int files)>& listed) {
  const int sizes[2] = {10000, 100000};
  double listedMs[2] = {};
  for (int i = 0; i < 2; ++i) {
    std::size_t entries = 0;
    const double bareMs = MedianMs(runs, [&] { bare(sizes[i]); });
    listedMs[i] = MedianMs(runs, [&] { entries = listed(sizes[i]); });
    const std::string n = std::to_string(sizes[i]);
    Figure(bareName + ", " + n + " files", bareMs, "ms");
    Figure("listing code, listed and sorted, " + n + " files", listedMs[i], "ms");
    Ratio("listing code / bare loop, " + n + " files", listedMs[i] / bareMs, 1.5);
    if (entries != static_cast<std::size_t>(sizes[i])) throw std::runtime_error("the listing lost files");
  }
  Ratio("listing code, 100,000 / 10,000 files", listedMs[1] / listedMs[0], 12.0);
}

}  // namespace bench
